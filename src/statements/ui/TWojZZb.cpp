#include "statements/ui/TWojZZb.h"

#include "platform/data/DataSource.h"
#include "platform/ui/DataCommand.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/DataSourceLink.h"
#include "statements/TdmfZestZb.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TWojZZb::TWojZZb(QWidget* parent)
    : TbcDialogT1(parent), dsWoj_(new DataSource(this)), link_(new DataSourceLink(*dsWoj_, this)) {
    setObjectName(QStringLiteral("TWojZZb"));
    setWindowTitle(QStringLiteral("Województwa zestawienia"));

    auto* caption = new QLabel(QStringLiteral("Województwo:"), this);
    grdWoj_ = new DataGrid(*dsWoj_, this);
    grdWoj_->setObjectName(QStringLiteral("grdWoj"));
    grdWoj_->setInPlaceEditing(false);
    grdWoj_->setEditOnDoubleClick(false);
    grdWoj_->addColumn(QStringLiteral("woj_nazwa"));
    grdWoj_->horizontalHeader()->setStretchLastSection(true);
    grdWoj_->setToolTip(QStringLiteral("Kliknij na województwo, które chcesz wybrać"));
    caption->setBuddy(grdWoj_);

    lblWybrane_ = new QLabel(this);
    lblWybrane_->setObjectName(QStringLiteral("lblWybrane"));
    lblWybrane_->setToolTip(QStringLiteral("Wybrane województwo"));
    QFont bold = lblWybrane_->font();
    bold.setBold(true);
    lblWybrane_->setFont(bold);

    contentLayout()->addWidget(caption);
    contentLayout()->addWidget(grdWoj_, 1);
    contentLayout()->addWidget(lblWybrane_);

    // A double click on a voivodeship chooses it.
    connect(grdWoj_, &QAbstractItemView::doubleClicked, this, [this] {
        if (btnOK()->isEnabled())
            accept();
    });
    connect(link_, &DataSourceLink::dataSetChanged, this, &TWojZZb::follow);
    connect(link_, &DataSourceLink::currentChanged, this, &TWojZZb::follow);
    follow();
    resize(320, 360);
}

void TWojZZb::BindList(Query* list) {
    dsWoj_->setDataSet(list);
    if (list && list->isActive())
        list->first();
    follow();
}

int TWojZZb::wojId() const {
    const Query* q = link_->activeDataSet();
    if (!q || q->recNo() < 0)
        return 0;
    return int(q->fieldByName(QStringLiteral("woj_id")).asInteger());
}

QString TWojZZb::wojNazwa() const {
    const Query* q = link_->activeDataSet();
    if (!q || q->recNo() < 0)
        return {};
    return q->fieldByName(QStringLiteral("woj_nazwa")).asString();
}

void TWojZZb::follow() {
    const Query* q = link_->activeDataSet();
    const bool current = q && q->recNo() >= 0;
    btnOK()->setEnabled(current);
    lblWybrane_->setText(wojNazwa());
}

bool TWojZZb::Wybierz(TdmfZestZb& zb, QWidget* parent, int& wojId, QString& wojNazwa) {
    if (!RunDataCommand([&zb] { zb.OtworzWojewodztwa(); }))
        return false;
    TWojZZb dlg(parent);
    dlg.BindList(zb.qryZZbWoj());
    if (dlg.exec() != QDialog::Accepted)
        return false;
    wojId = dlg.wojId();
    wojNazwa = dlg.wojNazwa();
    return true;
}
