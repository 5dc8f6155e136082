#include "statements/ui/TZestZb.h"

#include "forms/ui/ListCommands.h"
#include "platform/ui/DataCommand.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/DataSourceLink.h"
#include "statements/TdmfZest.h"
#include "statements/TdmfZestZb.h"
#include "statements/ui/StatementContentWindows.h"
#include "statements/ui/TWojZZb.h"

#include <QAction>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QPointer>
#include <QSplitter>
#include <QTabWidget>
#include <QToolBar>

namespace {

SummaryPrintout& Printout() {
    static SummaryPrintout printout;
    return printout;
}

} // namespace

TZestZb::TZestZb(QWidget* parent) : TbclDlgMD_T1(parent) {
    setObjectName(QStringLiteral("TZestZb"));
    setWindowTitle(QStringLiteral("Zestawienie zbiorcze"));
    lblMaster()->setText(QStringLiteral("Województwa"));
    lblDetail()->setText(QStringLiteral("Pozycje zestawienia zbiorczego"));
    pcDetail()->setTabText(0, QStringLiteral("Pozycje"));

    // --- summaries: add, delete, navigation and refresh; no correction and no search
    ListCommands& m = masterCommands();
    m.actPopraw->setVisible(false);
    m.actSearch->setVisible(false);
    // Widths that show every title whole and the longest labels of the form.
    grdM()->setColumnWidthHint(grdM()->addColumn(QStringLiteral("woj_nazwa")), 170);
    grdM()->setColumnWidthHint(grdM()->addColumn(QStringLiteral("zzb_kwota")), 120);
    grdM()->setColumnWidthHint(grdM()->addColumn(QStringLiteral("zzb_oplata_og")), 140);
    grdM()->setColumnWidthHint(grdM()->addColumn(QStringLiteral("zzb_id")), 70);

    btnMPrint()->setText(QStringLiteral("Zestawienia zbiorczego"));
    btnMPrint()->setToolTip(QStringLiteral("Wydruk zestawienia zbiorczego"));
    btnMPrint()->setStatusTip(QStringLiteral("Wydruk zestawienia zbiorczego"));
    actDrukZestZb_ = btnMPrint()->addPrintout(QStringLiteral("Zestawienie zbiorcze"),
                                              QStringLiteral("Wydruk zestawienia zbiorczego"));
    actDrukZestZb_->setObjectName(QStringLiteral("actDrukZestZb"));
    connect(actDrukZestZb_, &QAction::triggered, this, &TZestZb::drukuj);
    btnMPrint()->showButton();

    // --- items: navigation, refresh and "Pobierz kwoty"; only the amount is typed
    ListCommands& d = detailCommands();
    for (QAction* a : {d.actDodaj, d.actPopraw, d.actAUUsun, d.actSearch})
        a->setVisible(false);
    actPobierzKwoty_ = ListCommands::MakeAction(
        pnlDetail(), QStringLiteral("actPobierzKwoty"), QStringLiteral("Pobierz kwoty"),
        QStringLiteral(
            "Wypełnij zestawienie zbiorcze automatycznie na podstawie wcześniej wprowadzonych danych w "
            "zestawieniach detalicznych"),
        QKeySequence());
    connect(actPobierzKwoty_, &QAction::triggered, this, &TZestZb::PobierzKwoty);
    tbDetail()->addAction(actPobierzKwoty_);

    grdD()->setColumnWidthHint(grdD()->addColumn(QStringLiteral("spzzb_lp_wydr")), 50);
    grdD()->setColumnWidthHint(grdD()->addColumn(QStringLiteral("spzzb_etykieta_frm")), 430);
    grdD()->setColumnWidthHint(
        grdD()->addColumn(QStringLiteral("spzzb_kod_tabeli"), QString(), ColumnCentered), 75);
    amountColumn_ = grdD()->addColumn(QStringLiteral("pzzb_wys_oplaty"));
    grdD()->setColumnWidthHint(amountColumn_, 150);
    grdD()->setColumnWidthHint(grdD()->addColumn(QStringLiteral("pzzb_id")), 70);
    grdD()->installEventFilter(this);

    auto* items = new DataSourceLink(*dsD, this);
    connect(items, &DataSourceLink::dataSetChanged, this, &TZestZb::followItem);
    connect(items, &DataSourceLink::currentChanged, this, &TZestZb::followItem);
    // The items are where the work is done: they get most of the height.
    resize(880, 720);
    splitter()->setSizes({170, 520});
}

void TZestZb::SetPrintout(SummaryPrintout printout) {
    Printout() = std::move(printout);
}

void TZestZb::BindModule(TdmfZestZb& zb) {
    zb_ = &zb;
    BindDataSets(&zb, zb.qryZZb(), zb.qryZZbPoz());
    grdM()->fitColumns();
    grdD()->fitColumns();
    actDrukZestZb_->setEnabled(bool(Printout()));
    followItem();
}

void TZestZb::Pokaz(TdmfZest& dm, QWidget* parent) {
    auto* w = new TZestZb(parent);
    w->BindModule(dm.content<TdmfZestZb>());
    w->exec();
}

bool TZestZb::PozycjaDoWpisania() const {
    const Query* q = dsD->dataSet();
    if (!q || !q->isActive() || q->recNo() < 0)
        return false;
    return RolaPozycji(q->fieldByName(QStringLiteral("spzzb_lp_wydr")).asString()) ==
           RolaPozycjiZZb::Szczegolowa;
}

void TZestZb::followItem() {
    if (amountColumn_ >= 0)
        grdD()->setColumnReadOnly(amountColumn_, !PozycjaDoWpisania());
}

bool TZestZb::eventFilter(QObject* watched, QEvent* event) {
    // On a heading or a total, a key that would start typing is swallowed.
    if (watched == grdD() && event->type() == QEvent::KeyPress && !PozycjaDoWpisania()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        const bool typing = (!text.isEmpty() && text.at(0).isPrint() &&
                             !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) ||
                            key->key() == Qt::Key_F2;
        if (typing)
            return true;
    }
    return TbclDlgMD_T1::eventFilter(watched, event);
}

void TZestZb::DodajZestawienie() {
    if (!zb_ || !commitEditors())
        return;
    int wojId = 0;
    QString wojNazwa;
    if (!TWojZZb::Wybierz(*zb_, this, wojId, wojNazwa))
        return;
    masterCommands().run([&] { zb_->DodajZestawienie(wojId, wojNazwa); });
    detailCommands().updateActions();
    followItem();
}

void TZestZb::PobierzKwoty() {
    if (!zb_)
        return;
    detailCommands().run([this] { zb_->PobierzKwoty(); });
    masterCommands().updateActions();
    followItem();
}

void TZestZb::drukuj() {
    if (!zb_ || !Printout())
        return;
    const Query* q = zb_->qryZZb();
    if (!q->isActive() || q->recNo() < 0 || q->fieldByName(QStringLiteral("zzb_id")).isNull())
        return;
    Printout()(*zb_, this);
}

void RegisterSummaryWindows() {
    RegisterContentWindow(ContentButton::ZestZb,
                          [](TdmfZest& dm, QWidget* parent) { TZestZb::Pokaz(dm, parent); });
}
