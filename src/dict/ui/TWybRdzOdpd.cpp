#include "dict/ui/TWybRdzOdpd.h"

#include "dict/TdmfDict.h"
#include "dict/WastePickPosition.h"
#include "dict/ui/FillLataSoTL.h"
#include "forms/DataHelpers.h"
#include "forms/ui/FillIdNameCombo.h"
#include "platform/ui/DataGrid.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

TdmfDict& ProgramDict() {
    Q_ASSERT(dmfDict);
    return *dmfDict;
}

// The background of the list that has the focus.
const QColor kFocusedList(255, 255, 225);

} // namespace

TWybRdzOdpd::TWybRdzOdpd(QWidget* parent) : TWybRdzOdpd(ProgramDict(), parent) {}

TWybRdzOdpd::TWybRdzOdpd(TdmfDict& dict, QWidget* parent) : TbcDialogT1(parent), dict_(dict) {
    setObjectName(QStringLiteral("TWybRdzOdpd"));
    setWindowTitle(QStringLiteral("Wybierz rodzaj odpadu"));
    btnOK()->setText(QStringLiteral("Wybierz"));
    btnOK()->setToolTip(QStringLiteral("Wybierz rodzaj odpadu"));
    btnAnuluj()->setToolTip(QStringLiteral("Zrezygnuj z wyboru"));

    auto* yearRow = new QHBoxLayout;
    cbxRok_ = new QComboBox(this);
    cbxRok_->setObjectName(QStringLiteral("cbxRok"));
    cbxRok_->setMinimumContentsLength(6);
    auto* yearLabel = new QLabel(QStringLiteral("Rok:"), this);
    yearLabel->setBuddy(cbxRok_);
    yearRow->addWidget(yearLabel);
    yearRow->addWidget(cbxRok_);
    yearRow->addStretch(1);
    contentLayout()->addLayout(yearRow);

    const QString kod = QStringLiteral("sotl_kod");
    const QString rodzaj = QStringLiteral("sotl_rodzaj");
    auto* lists = new QHBoxLayout;
    grdGrupy_ =
        addList(0, "grdGrupy", {{kod, QStringLiteral("Kod")}, {rodzaj, QStringLiteral("Nazwa grupy")}});
    grdPodgrupy_ =
        addList(1, "grdPodgrupy", {{kod, QStringLiteral("Kod")}, {rodzaj, QStringLiteral("Nazwa podgrupy")}});
    grdRodzaje_ = addList(2, "grdRodzaje",
                          {{kod, QStringLiteral("Kod")},
                           {rodzaj, QStringLiteral("Rodzaj odpadu")},
                           {QStringLiteral("sotl_jedn_st_opl"), QStringLiteral("J. st. opł. [zł/Mg]")}});
    lists->addWidget(grdGrupy_, 2);
    lists->addWidget(grdPodgrupy_, 2);
    lists->addWidget(grdRodzaje_, 3);
    contentLayout()->addLayout(lists, 1);

    connect(cbxRok_, &QComboBox::currentIndexChanged, this, &TWybRdzOdpd::onYearChosen);
    connect(grdRodzaje_, &QAbstractItemView::doubleClicked, this, [this] { accept(); });

    resize(1100, 560);
}

DataGrid* TWybRdzOdpd::addList(int column, const char* name, const QList<QPair<QString, QString>>& columns) {
    Query* queries[] = {dict_.qrySoTlGrupy(), dict_.qrySoTlPodgrupy(), dict_.qrySoTlRodzaje()};
    auto* source = new DataSource(this);
    source->setDataSet(queries[column]);
    auto* grid = new DataGrid(*source, this);
    grid->setObjectName(QString::fromLatin1(name));
    for (const auto& [field, title] : columns)
        grid->addColumn(field, title);
    grid->setInPlaceEditing(false);
    grid->setEditOnDoubleClick(false);
    grid->verticalHeader()->hide();
    // The lists keep the catalogue's order: the titles do not sort the shared lists.
    grid->horizontalHeader()->setSectionsClickable(false);
    grid->setColumnWidthHint(0, grid->fontMetrics().horizontalAdvance(QStringLiteral("00 00 00*")) + 16);
    grid->setColumnWidthHint(1, grid->fontMetrics().averageCharWidth() * (column == 2 ? 40 : 30));
    grid->fitColumns();
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->installEventFilter(this);
    return grid;
}

void TWybRdzOdpd::setFixedYear(int rokId) {
    fixedYear_ = rokId;
}

void TWybRdzOdpd::setBrowsing(bool browsing) {
    browsing_ = browsing;
    if (browsing)
        fixedYear_ = 0;
    setWindowTitle(browsing ? QStringLiteral("Rodzaje odpadów") : QStringLiteral("Wybierz rodzaj odpadu"));
    btnOK()->setVisible(!browsing);
    btnAnuluj()->setText(browsing ? QStringLiteral("Zamknij") : QStringLiteral("Anuluj"));
    // Closing the browser keeps where the user was, as a confirmed pick does.
    disconnect(btnAnuluj(), &QPushButton::clicked, this, nullptr);
    if (browsing)
        connect(btnAnuluj(), &QPushButton::clicked, this, &QDialog::accept);
    else
        connect(btnAnuluj(), &QPushButton::clicked, this, &QDialog::reject);
}

void TWybRdzOdpd::showEvent(QShowEvent* event) {
    if (!opened_) {
        opened_ = true;
        openLists();
    }
    TbcDialogT1::showEvent(event);
}

void TWybRdzOdpd::openLists() {
    int year = fixedYear_ != 0 ? fixedYear_ : WastePickPosition::remembered().rokId;
    filling_ = true;
    FillLataSoTL(cbxRok_, year);
    // With nothing remembered yet, a free choice opens on the newest catalogue rather than on
    // three empty lists.
    if (fixedYear_ == 0 && year == 0 && cbxRok_->count() > 0) {
        cbxRok_->setCurrentIndex(cbxRok_->count() - 1);
        year = cbxRok_->currentData().value<TScIdName>().id;
    }
    filling_ = false;
    cbxRok_->setEnabled(fixedYear_ == 0);
    openYear(year);
}

void TWybRdzOdpd::openYear(int rokId) {
    OpenSoTlYear(dict_, rokId);
    PositionSoTl(dict_, WastePickPosition::remembered());
    grdRodzaje_->setFocus();
}

void TWybRdzOdpd::onYearChosen(int index) {
    if (filling_ || !opened_)
        return;
    if (index < 0)
        CloseSoTl(dict_);
    else
        openYear(ComboItem(cbxRok_, index).id);
}

void TWybRdzOdpd::done(int result) {
    if (result == QDialog::Accepted)
        WastePickPosition::remembered() = WastePickPosition::current(dict_);
    TbcDialogT1::done(result);
}

void TWybRdzOdpd::keyPressEvent(QKeyEvent* event) {
    // Escape works the button it stands for: "Zamknij" of the browser keeps the position.
    if (browsing_ && event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        accept();
        return;
    }
    TbcDialogT1::keyPressEvent(event);
}

bool TWybRdzOdpd::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
        for (DataGrid* grid : {grdGrupy_, grdPodgrupy_, grdRodzaje_})
            if (watched == grid)
                setHighlighted(grid, event->type() == QEvent::FocusIn);
    return TbcDialogT1::eventFilter(watched, event);
}

void TWybRdzOdpd::setHighlighted(DataGrid* grid, bool highlighted) {
    QPalette palette = grid->palette();
    palette.setColor(QPalette::Base, highlighted ? kFocusedList : this->palette().color(QPalette::Base));
    grid->setPalette(palette);
    grid->setProperty("highlighted", highlighted);
}

bool TWybRdzOdpd::isHighlighted(const DataGrid* grid) const {
    return grid && grid->property("highlighted").toBool();
}

bool TWybRdzOdpd::Pick(int rokId, TrRodzajOdpadu& rodzaj, QWidget* parent) {
    TWybRdzOdpd picker(parent);
    picker.setFixedYear(rokId);
    if (picker.exec() != QDialog::Accepted)
        return false;
    const Query* q = picker.dict_.qrySoTlRodzaje();
    if (!q->isActive() || q->isEmpty())
        return false;
    rodzaj.sotlId = int(q->fieldByName(QStringLiteral("sotl_id")).asInteger());
    rodzaj.kod = q->fieldByName(QStringLiteral("sotl_kod")).asString();
    rodzaj.rodzaj = q->fieldByName(QStringLiteral("sotl_rodzaj")).asString();
    rodzaj.jednStOpl = q->fieldByName(QStringLiteral("sotl_jedn_st_opl")).value();
    return true;
}

void TWybRdzOdpd::Browse(QWidget* parent) {
    TWybRdzOdpd picker(parent);
    picker.setBrowsing(true);
    picker.exec();
}
