#include "entities/ui/TbcPozwolenia.h"

#include "entities/PermitQuery.h"
#include "entities/ui/TbcPozwolenie.h"
#include "platform/Messages.h"
#include "platform/data/Connection.h"
#include "platform/data/DataError.h"
#include "platform/ui/CentreOnMainWindow.h"
#include "platform/ui/DataCommand.h"

#include <QAction>
#include <QHBoxLayout>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QVBoxLayout>

namespace {

struct FamilyWindows {
    const char* prefix;
    QString caption;
    QString menuTitle;
    QStringList columns;
};

FamilyWindows Windows(PermitFamily family) {
    const auto columns = [](const char* p, QStringList suffixes) {
        for (QString& s : suffixes)
            s.prepend(QLatin1String(p));
        return suffixes;
    };
    const QStringList usual{"_NUMER", "_DATA_WYD", "_ORGAN_WYD", "_TERM_OBOW_0", "_TERM_OBOW_1", "_ID"};
    switch (family) {
    case PermitFamily::PozwoleniaWp:
        return {"pwp", QStringLiteral("Pozwolenia wodnoprawne"), QStringLiteral("&Pozwolenia wodnoprawne"),
                columns("PWP", usual)};
    case PermitFamily::PozwoleniaGp:
        return {"pwgp", QStringLiteral("Pozwolenia na wprowadznie gazów lub pyłów do powietrza"),
                QStringLiteral("&Pozwolenia (gaz lub pył)"), columns("PWGP", usual)};
    case PermitFamily::DecyzjeOdpd:
        return {"dcodpd", QStringLiteral("Decyzja zatwierdzająca instrukcję eksploatacji składowiska"),
                QStringLiteral("&Decyzje (odpady)"), columns("DCODPD", usual)};
    case PermitFamily::ZezwoleniaOdpd:
        break;
    }
    QStringList waste =
        columns("DCODPD", {"_NUMER", "_ORGAN_WYD", "_DATA_WYD", "_TERM_OBOW_0", "_TERM_OBOW_1"});
    waste << QStringLiteral("RDODPD_NAZWA") << QStringLiteral("DCODPD_ID");
    return {"dcodpd",
            QStringLiteral("Zezwolenia odnośnie odzysku lub unieszkodliwiania odpadów/pozwolenia "
                           "zintegrowane/inne decyzje "),
            QStringLiteral("&Zezwolenia (odpady)"), waste};
}

} // namespace

TbcPozwolenia::TbcPozwolenia(PermitFamily family, QWidget* parent) : TbcDictT2(parent), family_(family) {
    query_ = CreatePermitList(family, MainConnection(), this);
    const FamilyWindows w = Windows(family);
    setWindowTitle(w.caption);
    dictMenu()->setTitle(w.menuTitle);
    dsMain->setDataSet(query_);
    // The acts have no active flag: all of them are listed and "Ustaw aktywny" has nothing to do.
    FilterMode = FilterNone;
    actUstawAktywny->setVisible(false);
    KeyField = QLatin1String(w.prefix) + QStringLiteral("_id");
    for (const QString& column : w.columns)
        addColumn(column);
}

void TbcPozwolenia::SetPodmiot(int pdmId) {
    RunDataCommand([&] { SetPermitEntity(*query_, pdmId); });
    updateActions();
}

int TbcPozwolenia::podmiot() const {
    return query_->param(QStringLiteral("pdm_id")).toInt();
}

void TbcPozwolenia::ShowOverMainWindow() {
    setWindowFlag(Qt::Window, true);
    setWindowModality(Qt::ApplicationModal);
    auto* panel = new QWidget(centralWidget());
    auto* buttons = new QHBoxLayout(panel);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addStretch(1);
    auto* close = new QPushButton(QStringLiteral("&Zamknij"), panel);
    close->setObjectName(QStringLiteral("btnZamknij"));
    buttons->addWidget(close);
    centralLayout()->addWidget(panel);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    QAction* escape = makeAction(QStringLiteral("actZamknij"), QString(), QStringLiteral("Zamknij"),
                                 QKeySequence(Qt::Key_Escape));
    connect(escape, &QAction::triggered, this, &QWidget::close);

    show(); // the list is read and its columns fitted when it is first shown
    QSize size = sizeHint().expandedTo(this->size());
    if (const QScreen* s = screen())
        size = size.boundedTo(s->availableGeometry().size() - (frameGeometry().size() - geometry().size()));
    resize(size);
    CentreOnMainWindow(this);
}

void TbcPozwolenia::actDodajExecute() {
    if (podmiot() <= 0) {
        AppMessages().error(QStringLiteral("Nie wybrano podmiotu, którego dotyczy dokument."));
        return;
    }
    if (runCommand([this] {
            OpenIfClosed(query_);
            query_->append();
        }))
        openEditWindow();
}

void TbcPozwolenia::actPoprawExecute() {
    if (runCommand([this] {
            if (!query_->isActive() || query_->isEmpty())
                Abort();
            query_->edit();
        }))
        openEditWindow();
}

void TbcPozwolenia::openEditWindow() {
    QPointer<TbcPozwolenie> dialog = CreatePozwolenie(family_, query_, this);
    const int result = dialog->exec();
    // The list is read again (a waste permit's kind comes with it, a new act takes its place in the
    // order) and stays on the act.
    if (result == QDialog::Accepted)
        refreshOnSavedRow();
    updateActions();
}

TPozwoleniaWp::TPozwoleniaWp(QWidget* parent) : TbcPozwolenia(PermitFamily::PozwoleniaWp, parent) {
    setObjectName(QStringLiteral("TPozwoleniaWp"));
}

TPozwoleniaGp::TPozwoleniaGp(QWidget* parent) : TbcPozwolenia(PermitFamily::PozwoleniaGp, parent) {
    setObjectName(QStringLiteral("TPozwoleniaGp"));
}

TDecyzjeOdpd::TDecyzjeOdpd(QWidget* parent) : TbcPozwolenia(PermitFamily::DecyzjeOdpd, parent) {
    setObjectName(QStringLiteral("TDecyzjeOdpd"));
}

TZezwoleniaOdpd::TZezwoleniaOdpd(QWidget* parent) : TbcPozwolenia(PermitFamily::ZezwoleniaOdpd, parent) {
    setObjectName(QStringLiteral("TZezwoleniaOdpd"));
}

TPozwoleniaWpLW::TPozwoleniaWpLW(QWidget* parent) : TPozwoleniaWp(parent) {
    setObjectName(QStringLiteral("TPozwoleniaWpLW"));
    setWindowTitle(QStringLiteral("Wybierz pozwolenie wodnoprawne"));
    setPickerMode(true);
}

TPozwoleniaGpLW::TPozwoleniaGpLW(QWidget* parent) : TPozwoleniaGp(parent) {
    setObjectName(QStringLiteral("TPozwoleniaGpLW"));
    setWindowTitle(QStringLiteral("Wybierz pozwolenie na wprowadznie gazów lub pyłów do powietrza"));
    setPickerMode(true);
}

TDecyzjeOdpdLW::TDecyzjeOdpdLW(QWidget* parent) : TDecyzjeOdpd(parent) {
    setObjectName(QStringLiteral("TDecyzjeOdpdLW"));
    setWindowTitle(QStringLiteral("Decyzja zatwierdzająca instrukcję eksploatacji składowiska odpadów "));
    setPickerMode(true);
}

TZezwoleniaOdpdLW::TZezwoleniaOdpdLW(QWidget* parent) : TZezwoleniaOdpd(parent) {
    setObjectName(QStringLiteral("TZezwoleniaOdpdLW"));
    setPickerMode(true);
}

TbcPozwolenia* CreatePozwolenia(PermitFamily family, int pdmId, QWidget* parent) {
    TbcPozwolenia* w = nullptr;
    switch (family) {
    case PermitFamily::PozwoleniaWp:
        w = new TPozwoleniaWp(parent);
        break;
    case PermitFamily::PozwoleniaGp:
        w = new TPozwoleniaGp(parent);
        break;
    case PermitFamily::DecyzjeOdpd:
        w = new TDecyzjeOdpd(parent);
        break;
    case PermitFamily::ZezwoleniaOdpd:
        w = new TZezwoleniaOdpd(parent);
        break;
    }
    w->SetPodmiot(pdmId);
    return w;
}

TbcPozwolenia* PokazPozwolenia(PermitFamily family, int pdmId, int currentId, QWidget* parent) {
    TbcPozwolenia* w = CreatePozwolenia(family, pdmId, parent);
    w->PreselectId = currentId;
    // Over the window that opened it, which waits until the acts are recorded.
    w->ShowOverMainWindow();
    return w;
}

namespace {

TbcPozwolenia* CreatePicker(PermitFamily family, QWidget* parent) {
    switch (family) {
    case PermitFamily::PozwoleniaWp:
        return new TPozwoleniaWpLW(parent);
    case PermitFamily::PozwoleniaGp:
        return new TPozwoleniaGpLW(parent);
    case PermitFamily::DecyzjeOdpd:
        return new TDecyzjeOdpdLW(parent);
    case PermitFamily::ZezwoleniaOdpd:
        break;
    }
    return new TZezwoleniaOdpdLW(parent);
}

} // namespace

bool WybierzPozwolenie(PermitFamily family, int pdmId, int currentId, QWidget* parent,
                       const OnPermitChosen& onChosen) {
    // Owned here while it runs, unless its parent takes it away first.
    const QPointer<TbcPozwolenia> picker(CreatePicker(family, parent));
    const auto cleanup = qScopeGuard([&picker] { delete picker.data(); });
    picker->SetPodmiot(pdmId);
    picker->PreselectId = currentId;
    if (!picker->ExecPicker() || !picker)
        return false;
    const Query* q = picker->qryPozwolenia();
    if (!q->isActive() || q->isEmpty())
        return false;
    if (onChosen)
        onChosen(*q);
    return true;
}

bool WybierzPozwolenieWp(int pdmId, int currentId, QWidget* parent, const OnPermitChosen& onChosen) {
    return WybierzPozwolenie(PermitFamily::PozwoleniaWp, pdmId, currentId, parent, onChosen);
}

bool WybierzPozwolenieGp(int pdmId, int currentId, QWidget* parent, const OnPermitChosen& onChosen) {
    return WybierzPozwolenie(PermitFamily::PozwoleniaGp, pdmId, currentId, parent, onChosen);
}

bool WybierzDecyzjeOdpd(int pdmId, int currentId, QWidget* parent, const OnPermitChosen& onChosen) {
    return WybierzPozwolenie(PermitFamily::DecyzjeOdpd, pdmId, currentId, parent, onChosen);
}

bool WybierzZezwolenieOdpd(int pdmId, int currentId, QWidget* parent, const OnPermitChosen& onChosen) {
    return WybierzPozwolenie(PermitFamily::ZezwoleniaOdpd, pdmId, currentId, parent, onChosen);
}
