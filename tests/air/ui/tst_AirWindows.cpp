// What lives in the air windows: the commands each offers and when they are enabled, the substance
// picker limited to the statement's rate year, "Przelicz" only while no substance is being edited,
// the converter's target and its "Wstaw wynik", the tabs of Table C, and the registration behind the
// statement window's buttons.

#include "air/AirFixture.h"
#include "air/ui/AirWindows.h"
#include "air/ui/TGpTabelaA.h"
#include "air/ui/TPrzeliczL2Mg.h"
#include "air/ui/TTabelaB.h"
#include "air/ui/TTabelaC.h"
#include "air/ui/TTabelaD.h"
#include "air/ui/TZrWprSubstTaOpl.h"
#include "dict/TdmfDict.h"
#include "dict/ui/TSoTgLW.h"
#include "statements/ui/StatementContentWindows.h"
#include "support/WhenModal.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

class TestAirWindows : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void registeredBehindTheStatementButtons();
    void tableA();
    void sourceWindow();
    void tableBAndTheConverter();
    void converterTarget();
    void tablesCAndD();

private:
    AirFixture f_;
    std::unique_ptr<TdmfDict> dict_;
};

void TestAirWindows::init() {
    f_.setUp();
    dict_ = std::make_unique<TdmfDict>(f_.cn());
    dmfDict = dict_.get();
}

void TestAirWindows::cleanup() {
    for (const QString& b :
         {ContentButton::TabelaA, ContentButton::TabelaB, ContentButton::TabelaC, ContentButton::TabelaD})
        RegisterContentWindow(b, {});
    dmfDict = nullptr;
    dict_.reset();
    f_.tearDown();
}

void TestAirWindows::registeredBehindTheStatementButtons() {
    RegisterAirWindows();
    for (const QString& b :
         {ContentButton::TabelaA, ContentButton::TabelaB, ContentButton::TabelaC, ContentButton::TabelaD})
        QVERIFY2(bool(FindContentWindow(b)), qPrintable(b));
}

void TestAirWindows::tableA() {
    f_.addInstallation(QStringLiteral("Kotłownia"));
    f_.addSource(QStringLiteral("E1"));
    f_.addSource(QStringLiteral("E2"));
    f_.addInstallation(QStringLiteral("Lakiernia"));
    auto* w = new TGpTabelaA(*f_.air);
    w->BindDataSets(f_.air, f_.air->qryInstDz(), f_.air->qryChrPlw());
    w->show();
    // Opens on the first installation with its first source, on the installation's own tab.
    QCOMPARE(f_.air->qryInstDz()->recNo(), 0);
    QCOMPARE(f_.air->qryZrWprSubst()->recNo(), 0);
    QCOMPARE(f_.air->qryZrWprSubst()->recordCount(), 2);
    QCOMPARE(w->pcDetail()->currentWidget(), w->tsInstalacja());
    QCOMPARE(w->pcDetail()->tabText(1), QStringLiteral("Charakterystyka paliw"));
    // The status pick list shows the status names, the current one selected.
    QCOMPARE(w->cmbStatus()->count(), 3);
    QCOMPARE(w->cmbStatus()->currentText(), QStringLiteral("jest"));
    // Save and cancel of the installation only while it is edited; no deletion of fuels.
    QVERIFY(!w->masterCommands().actPost->isEnabled());
    f_.air->qryInstDz()->edit();
    QVERIFY(w->masterCommands().actPost->isEnabled());
    QVERIFY(w->masterCommands().actCancel->isEnabled());
    f_.air->qryInstDz()->cancel();
    QVERIFY(!w->detailCommands().actAUUsun->isVisible());
    QVERIFY(w->sourceCommands().actAUUsun->isEnabled());
    // The printouts are listed and not yet available.
    QCOMPARE(w->btnMPrint()->printMenu()->actions().size(), 2);
    for (QAction* a : w->btnMPrint()->printMenu()->actions())
        QVERIFY(!a->isEnabled());
    w->close();
}

void TestAirWindows::sourceWindow() {
    f_.addInstallation(QStringLiteral("Kotłownia"));
    f_.addSource(QStringLiteral("E1"));
    auto* w = new TZrWprSubstTaOpl(*f_.air);
    w->BindDataSets(f_.air, f_.air->qryZrWprSubst(), f_.air->qryOplTA());
    w->show();

    // The picker lists the substances of the statement's rate year only.
    int listed = 0;
    bool onlyThatYear = true;
    QVERIFY(WhenModal<TSoTgLW>(
        [&](TSoTgLW& picker) {
            Query& q = *dmfDict->qrySoTabelaG();
            listed = q.recordCount();
            for (q.first(); !q.eof(); q.next())
                onlyThatYear =
                    onlyThatYear && q.fieldByName(QStringLiteral("sotg_rok_id")).asInteger() == 1002;
            QVERIFY(q.locate(QStringLiteral("sotg_poz_wydr"), 5));
            picker.btnWybierz()->click();
        },
        [&] { w->detailCommands().actDodaj->trigger(); }));
    QCOMPARE(listed, 67);
    QVERIFY(onlyThatYear);
    Query& ota = *f_.air->qryOplTA();
    QCOMPARE(ota.recordCount(), 1);
    QCOMPARE(ota.fieldByName(QStringLiteral("ota_sotg_id")).asInteger(), f_.sotgId(1002, 5));

    // "Przelicz" only while no substance is being edited or inserted.
    QVERIFY(w->actPrzelicz()->isEnabled());
    ota.edit();
    QVERIFY(!w->actPrzelicz()->isEnabled());
    ota.cancel();
    QVERIFY(w->actPrzelicz()->isEnabled());
    w->actPrzelicz()->trigger();
    QCOMPARE(ota.state(), DataSetState::Browse);
    QVERIFY(f_.messages->shown.isEmpty());
    w->close();
}

void TestAirWindows::tableBAndTheConverter() {
    f_.addPlace(*f_.air->qryLokTB(), "ltb_gm_id", "ltb_adres", QStringLiteral("Stacja"));
    auto* w = new TTabelaB(*f_.air);
    w->BindDataSets(f_.air, f_.air->qryLokTB(), f_.air->qryOplTB());
    w->show();
    QCOMPARE(f_.air->qryOplTB()->recordCount(), 7);
    for (QAction* a :
         {w->detailCommands().actDodaj, w->detailCommands().actPopraw, w->detailCommands().actAUUsun})
        QVERIFY(!a->isVisible());
    QVERIFY(w->masterCommands().actDodaj->isEnabled());
    QCOMPARE(w->actPrzeliczL2Mg()->shortcut(), QKeySequence(QStringLiteral("Ctrl+J")));

    bool offered = false;
    QVERIFY(WhenModal<TPrzeliczL2Mg>(
        [&](TPrzeliczL2Mg& dlg) {
            offered = dlg.btnWstaw()->isVisible() && dlg.btnWstaw()->isEnabled();
            dlg.edtLitry(0)->setText(QStringLiteral("1000"));
            QCOMPARE(dlg.edtWynik()->text(), QStringLiteral("0,755000"));
            dlg.btnWstaw()->click();
        },
        [&] { w->actPrzeliczL2Mg()->trigger(); }));
    QVERIFY(offered);
    // 0.755 Mg at 5.46 zł/Mg: 4.1223.
    QCOMPARE(f_.air->qryOplTB()->fieldByName(QStringLiteral("otb_kwota")).asDecimal(), Decimal(412, 2));
    QCOMPARE(w->edtKwotaOgolem()->text(), QStringLiteral("4,12"));
    QCOMPARE(f_.air->qryOplTB()->state(), DataSetState::Browse);
    w->close();
}

void TestAirWindows::converterTarget() {
    // Without a target there is nothing to insert into.
    {
        TPrzeliczL2Mg dlg;
        QVERIFY(!dlg.btnWstaw()->isVisibleTo(&dlg));
        dlg.pcGestosc()->setCurrentIndex(1);
        dlg.edtLitry(1)->setText(QStringLiteral("1000"));
        QCOMPARE(dlg.edtWynik()->text(), QStringLiteral("0,840000"));
        dlg.pcGestosc()->setCurrentIndex(2);
        dlg.edtLitry(2)->setText(QStringLiteral("1"));
        dlg.edtGestoscUzytkownika()->setText(QStringLiteral("0,7"));
        QCOMPARE(dlg.edtWynik()->text(), QStringLiteral("0,000700"));
        dlg.edtGestoscUzytkownika()->setText(QStringLiteral("0"));
        QVERIFY(!dlg.wynik().has_value());
        QVERIFY(dlg.edtWynik()->text().isEmpty());
    }
    // A target list without a current row: the insert is offered but disabled, and no row is made.
    Query& opl = *f_.air->qryOplTB();
    opl.open();
    TPrzeliczL2Mg dlg(&opl, QStringLiteral("otb_illosc"));
    QVERIFY(dlg.btnWstaw()->isVisibleTo(&dlg));
    QVERIFY(!dlg.btnWstaw()->isEnabled());
    dlg.edtLitry(0)->setText(QStringLiteral("1000"));
    dlg.btnWstaw()->click();
    QCOMPARE(opl.recordCount(), 0);
    QCOMPARE(f_.value(QStringLiteral("SELECT COUNT(*) FROM oplaty_tb")).toInt(), 0);
    // Once the list has a row, the result can go into it.
    f_.addPlace(*f_.air->qryLokTB(), "ltb_gm_id", "ltb_adres", QStringLiteral("Stacja"));
    QVERIFY(dlg.btnWstaw()->isEnabled());
}

void TestAirWindows::tablesCAndD() {
    f_.addPlace(*f_.air->qryLokTC(), "ltc_gm_id", "ltc_adres", QStringLiteral("Kotłownia"));
    auto* c = new TTabelaC(*f_.air);
    c->BindDataSets(f_.air, f_.air->qryLokTC(), f_.air->qryOplTcWegiel(), f_.air->qryOplTcKoks(),
                    f_.air->qryOplTcDrewno(), f_.air->qryOplTcOlej(), f_.air->qryOplTcGaz());
    c->show();
    QStringList tabs;
    for (int i = 0; i < c->pcDetail()->count(); ++i)
        tabs << c->pcDetail()->tabText(i);
    QCOMPARE(tabs, (QStringList{QStringLiteral("I.  Węglem"), QStringLiteral("II. Koksem"),
                                QStringLiteral("III.  Drewnem"), QStringLiteral("IV. Olejem"),
                                QStringLiteral("V. Paliwem gazowym")}));
    QCOMPARE(c->pcDetail()->currentIndex(), 0);
    QVERIFY(c->grdD(5)->columnOfField(QStringLiteral("clc_jm_zuz_plw")) >= 0);
    QCOMPARE(c->grdD(5)->gridModel().data(c->grdD(5)->gridModel().index(
                 0, c->grdD(5)->columnOfField(QStringLiteral("clc_jm_zuz_plw")))),
             QVariant(QStringLiteral("m3")));
    QVERIFY(!c->detailCommands().actDodaj->isVisible());
    c->close();

    f_.air->PrzygotujTabeleD();
    auto* d = new TTabelaD(*f_.air);
    d->BindDataSets(f_.air, f_.air->qryRdS(), f_.air->qryOplTD());
    d->show();
    QVERIFY(!d->masterCommands().actDodaj->isVisible());
    QVERIFY(!d->detailCommands().actDodaj->isVisible());
    QVERIFY(!f_.air->qryOplTD()->isEmpty());
    QVERIFY(d->actPrzeliczL2Mg()->isEnabled());
    d->close();
}

QTEST_MAIN(TestAirWindows)
#include "tst_AirWindows.moc"
