// The air content of the statement module on a version-7 database: Table A fees with the permit
// multiplier and the rates per megagram, the totals of sources and installations after saves and
// deletions, "Przelicz", permit binding; Tables B, C and D with their fee rows, amounts and totals;
// the values out of range that are refused; the converter's result put into a fee row.

#include "air/AirFees.h"
#include "air/AirFixture.h"
#include "forms/DataHelpers.h"

#include <QtTest>

namespace {

const QString kStored = QStringLiteral("SELECT CAST(%1 AS VARCHAR(40)) FROM %2 WHERE %3 = %4");

QString Text(const Decimal& d, int decimals) {
    return d.rounded(decimals, Rounding::HalfAwayFromZero).toString();
}

} // namespace

class TestTdmfZestAir : public QObject {
    Q_OBJECT
private slots:
    void init() { f_.setUp(); }
    void cleanup() { f_.tearDown(); }

    void installationDefaultsAndRateYearLock();
    void permitMultiplier_data();
    void permitMultiplier();
    void substanceFee_data();
    void substanceFee();
    void totalsFollowSavesAndDeletions();
    void duplicateSubstanceIsRefused();
    void przeliczUpdatesEveryRowAndTheTotals();
    void permitBinding();
    void outOfRangeIsRefused_data();
    void outOfRangeIsRefused();

    void tableB();
    void tableC_data();
    void tableC();
    void tableCPlaceTotalAndBoilerCount();
    void tableD();
    void converter_data();
    void converter();
    void converterResultIntoTableB();

private:
    QString stored(const char* column, const char* table, const char* key, int id) {
        return f_.value(kStored.arg(QLatin1String(column), QLatin1String(table), QLatin1String(key)).arg(id))
            .toString();
    }
    AirFixture f_;
};

void TestTdmfZestAir::installationDefaultsAndRateYearLock() {
    QVERIFY(!f_.dm->RokStOplZablokowany());
    Query& ild = *f_.air->qryInstDz();
    ild.open();
    ild.append();
    QCOMPARE(ild.fieldByName(QStringLiteral("ild_spwgp_id")).asInteger(), 100);
    QCOMPARE(ild.fieldByName(QStringLiteral("spwgp_nazwa")).asString(), QStringLiteral("jest"));
    QCOMPARE(ild.fieldByName(QStringLiteral("ild_nom_moc_cieplna")).asDecimal(), Decimal(0));
    QCOMPARE(ild.fieldByName(QStringLiteral("ild_kwota")).asDecimal(), Decimal(0));
    QCOMPARE(ild.fieldByName(QStringLiteral("ild_z_id")).asInteger(), f_.zId);
    ild.cancel();

    const int ildId = f_.addInstallation(QStringLiteral("Kotłownia"));
    QVERIFY(f_.dm->RokStOplZablokowany());
    // Picking another status shows its name.
    ild.edit();
    ild.fieldByName(QStringLiteral("ild_spwgp_id")).setValue(101);
    QCOMPARE(ild.fieldByName(QStringLiteral("spwgp_nazwa")).asString(), QStringLiteral("nie ma"));
    ild.post();
    QCOMPARE(
        f_.value(
              QStringLiteral("SELECT ild_spwgp_id FROM instalacje_dzialalnosci WHERE ild_id = %1").arg(ildId))
            .toInt(),
        101);
    ild.deleteRecord();
    QVERIFY(!f_.dm->RokStOplZablokowany());
}

void TestTdmfZestAir::permitMultiplier_data() {
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("unitRate");
    QTest::newRow("100 jest") << 100 << QStringLiteral("1.14");
    QTest::newRow("101 nie ma") << 101 << QStringLiteral("5.70");
    QTest::newRow("102 nie obowiązuje") << 102 << QStringLiteral("1.14");
}

void TestTdmfZestAir::permitMultiplier() {
    QFETCH(int, status);
    QFETCH(QString, unitRate);
    const int sotg = f_.sotgId(1002, 1);
    f_.cn().execute(
        QStringLiteral("UPDATE so_tabela_g SET sotg_jedn_st_opl = 1.14 WHERE sotg_id = %1").arg(sotg));
    f_.addInstallation(QStringLiteral("Piec"), status);
    f_.addSource(QStringLiteral("E1"));
    QVERIFY(f_.air->DodajSubstancje(sotg));
    Query& ota = *f_.air->qryOplTA();
    QCOMPARE(Text(ota.fieldByName(QStringLiteral("ota_jedn_staw_opl")).asDecimal(), 2), unitRate);
    QCOMPARE(ota.fieldByName(QStringLiteral("ota_oplata")).asDecimal(), Decimal(0));
    QCOMPARE(ota.state(), DataSetState::Browse);
    const int otaId = int(ota.fieldByName(QStringLiteral("ota_id")).asInteger());
    QCOMPARE(stored("ota_jedn_staw_opl", "oplaty_ta", "ota_id", otaId).toDouble(), unitRate.toDouble());
}

void TestTdmfZestAir::substanceFee_data() {
    QTest::addColumn<int>("rokId");
    QTest::addColumn<int>("item");
    QTest::addColumn<QString>("rate"); // empty: the rate of the seed row
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("fee");
    QTest::newRow("1 234,56 kg at 0,39 (481.4784)") << 1002 << 1 << "0.39"
                                                    << "1234,56"
                                                    << "481.48";
    QTest::newRow("ties away from zero when stored") << 1002 << 1 << "0.25"
                                                     << "0,5"
                                                     << "0.13";
    QTest::newRow("empty quantity") << 1002 << 1 << "0.39"
                                    << ""
                                    << "0.00";
    // Rates per megagram, quantities in kilograms, in both rate years.
    QTest::newRow("carbon dioxide 2012 (0,27 zł/Mg)") << 1002 << 23 << ""
                                                      << "1000000"
                                                      << "270.00";
    QTest::newRow("carbon dioxide 2011 (0,26 zł/Mg)") << 1001 << 23 << ""
                                                      << "1000000"
                                                      << "260.00";
    QTest::newRow("methane 2012") << 1002 << 34 << ""
                                  << "2500"
                                  << "0.68";
    QTest::newRow("nitrous oxide 2012 (78,89 zł/Mg)") << 1002 << 43 << ""
                                                      << "1234,56"
                                                      << "97.39";
    QTest::newRow("nitrous oxide 2011 (76,89 zł/Mg)") << 1001 << 43 << ""
                                                      << "1000"
                                                      << "76.89";
}

void TestTdmfZestAir::substanceFee() {
    QFETCH(int, rokId);
    QFETCH(int, item);
    QFETCH(QString, rate);
    QFETCH(QString, quantity);
    QFETCH(QString, fee);
    const int sotg = f_.sotgId(rokId, item);
    QVERIFY(sotg != 0);
    if (!rate.isEmpty())
        f_.cn().execute(QStringLiteral("UPDATE so_tabela_g SET sotg_jedn_st_opl = %1 WHERE sotg_id = %2")
                            .arg(rate)
                            .arg(sotg));
    const int ildId = f_.addInstallation(QStringLiteral("Piec"));
    const int zwsId = f_.addSource(QStringLiteral("E1"));
    QVERIFY(f_.air->DodajSubstancje(sotg));
    Query& ota = *f_.air->qryOplTA();
    AirFixture::type(ota, QStringLiteral("ota_wielkosc_emisji"), quantity);
    const int otaId = int(ota.fieldByName(QStringLiteral("ota_id")).asInteger());
    QCOMPARE(stored("ota_oplata", "oplaty_ta", "ota_id", otaId), fee);
    QCOMPARE(stored("zws_oplata", "zrodla_wprow_subst", "zws_id", zwsId), fee);
    QCOMPARE(stored("ild_kwota", "instalacje_dzialalnosci", "ild_id", ildId), fee);
    // The lists show the totals as stored.
    QCOMPARE(Text(f_.air->qryZrWprSubst()->fieldByName(QStringLiteral("zws_oplata")).asDecimal(), 2), fee);
    QCOMPARE(Text(f_.air->qryInstDz()->fieldByName(QStringLiteral("ild_kwota")).asDecimal(), 2), fee);
}

void TestTdmfZestAir::totalsFollowSavesAndDeletions() {
    const int ildId = f_.addInstallation(QStringLiteral("Piec"));
    Query& src = *f_.air->qryZrWprSubst();
    Query& ota = *f_.air->qryOplTA();
    auto addFee = [&](int item, const char* quantity) {
        const int sotg = f_.sotgId(1002, item);
        f_.cn().execute(
            QStringLiteral("UPDATE so_tabela_g SET sotg_jedn_st_opl = 1 WHERE sotg_id = %1").arg(sotg));
        QVERIFY(f_.air->DodajSubstancje(sotg));
        AirFixture::type(ota, QStringLiteral("ota_wielkosc_emisji"), QString::fromLatin1(quantity));
    };
    const int first = f_.addSource(QStringLiteral("E1"));
    addFee(1, "100");
    const int second = f_.addSource(QStringLiteral("E2"));
    addFee(1, "200");
    addFee(2, "50,50");
    QCOMPARE(stored("zws_oplata", "zrodla_wprow_subst", "zws_id", first), QStringLiteral("100.00"));
    QCOMPARE(stored("zws_oplata", "zrodla_wprow_subst", "zws_id", second), QStringLiteral("250.50"));
    QCOMPARE(stored("ild_kwota", "instalacje_dzialalnosci", "ild_id", ildId), QStringLiteral("350.50"));

    // Deleting a substance recomputes its source and the installation.
    QVERIFY(ota.locate(QStringLiteral("ota_wielkosc_emisji"), 50.5));
    ota.deleteRecord();
    QCOMPARE(stored("zws_oplata", "zrodla_wprow_subst", "zws_id", second), QStringLiteral("200.00"));
    QCOMPARE(stored("ild_kwota", "instalacje_dzialalnosci", "ild_id", ildId), QStringLiteral("300.00"));
    QCOMPARE(Text(f_.air->qryInstDz()->fieldByName(QStringLiteral("ild_kwota")).asDecimal(), 2),
             QStringLiteral("300.00"));

    // Deleting a source recomputes the installation from the sources that remain.
    QVERIFY(src.locate(QStringLiteral("zws_id"), first));
    src.deleteRecord();
    QCOMPARE(stored("ild_kwota", "instalacje_dzialalnosci", "ild_id", ildId), QStringLiteral("200.00"));
    QCOMPARE(Text(f_.air->qryInstDz()->fieldByName(QStringLiteral("ild_kwota")).asDecimal(), 2),
             QStringLiteral("200.00"));
    QCOMPARE(
        f_.value(QStringLiteral("SELECT COUNT(*) FROM oplaty_ta WHERE ota_zws_id = %1").arg(first)).toInt(),
        0);

    // Renaming a source keeps its total.
    QVERIFY(src.locate(QStringLiteral("zws_id"), second));
    AirFixture::type(src, QStringLiteral("zws_nazwa"), QStringLiteral("E2a"));
    QCOMPARE(stored("zws_oplata", "zrodla_wprow_subst", "zws_id", second), QStringLiteral("200.00"));
    QVERIFY(f_.messages->shown.isEmpty());
}

void TestTdmfZestAir::duplicateSubstanceIsRefused() {
    f_.addInstallation(QStringLiteral("Piec"));
    const int zwsId = f_.addSource(QStringLiteral("E1"));
    const int sotg = f_.sotgId(1002, 5);
    QVERIFY(f_.air->DodajSubstancje(sotg));
    QVERIFY(!f_.air->DodajSubstancje(sotg));
    QCOMPARE(
        f_.messages->log(),
        QStringList{QStringLiteral("error|Błąd zapisu do bazy danych|Opłata o takim kluczu już istnieje.")});
    QCOMPARE(f_.air->qryOplTA()->recordCount(), 1);
    QCOMPARE(f_.air->qryOplTA()->state(), DataSetState::Browse);
    QCOMPARE(
        f_.value(QStringLiteral("SELECT COUNT(*) FROM oplaty_ta WHERE ota_zws_id = %1").arg(zwsId)).toInt(),
        1);

    // A second source of the same name in the installation is refused too.
    Query& src = *f_.air->qryZrWprSubst();
    src.append();
    src.fieldByName(QStringLiteral("zws_nazwa")).setValue(QStringLiteral("E1"));
    QVERIFY_THROWS_EXCEPTION(OperationAborted, src.post());
    QCOMPARE(f_.messages->shown.last().text,
             QStringLiteral("Źródło wprowadzania substancji o takim kluczu już istnieje."));
    src.cancel();
}

void TestTdmfZestAir::przeliczUpdatesEveryRowAndTheTotals() {
    const int ildId = f_.addInstallation(QStringLiteral("Piec"));
    const int zwsId = f_.addSource(QStringLiteral("E1"));
    Query& ota = *f_.air->qryOplTA();
    // Every substance of rate year 2012, 10 kg each.
    QSqlQuery all = f_.cn().run(QStringLiteral("SELECT sotg_id FROM so_tabela_g WHERE sotg_rok_id = 1002"));
    QList<int> ids;
    while (all.next())
        ids << all.value(0).toInt();
    QCOMPARE(ids.size(), 67);
    for (int id : ids) {
        QVERIFY(f_.air->DodajSubstancje(id));
        AirFixture::type(ota, QStringLiteral("ota_wielkosc_emisji"), QStringLiteral("10"));
    }
    const QString before = stored("ild_kwota", "instalacje_dzialalnosci", "ild_id", ildId);

    // A rate corrected and the status changed: nothing moves until "Przelicz".
    f_.cn().execute(
        QStringLiteral("UPDATE so_tabela_g SET sotg_jedn_st_opl = 2 WHERE sotg_id = %1").arg(ids.first()));
    Query& ild = *f_.air->qryInstDz();
    ild.edit();
    ild.fieldByName(QStringLiteral("ild_spwgp_id")).setValue(101);
    ild.post();
    QCOMPARE(stored("ild_kwota", "instalacje_dzialalnosci", "ild_id", ildId), before);

    QVERIFY(ota.locate(QStringLiteral("ota_sotg_id"), ids.at(3)));
    f_.air->PrzeliczZrodlo();
    QCOMPARE(ota.fieldByName(QStringLiteral("ota_sotg_id")).asInteger(), ids.at(3));
    QCOMPARE(ota.state(), DataSetState::Browse);
    // Every row, the last one included, is stored at five times its present rate.
    const QString sumSql =
        QStringLiteral("SELECT CAST(SUM(ota_oplata) AS VARCHAR(40)) FROM oplaty_ta WHERE ota_zws_id = %1")
            .arg(zwsId);
    QCOMPARE(f_.value(QStringLiteral(
                          "SELECT COUNT(*) FROM oplaty_ta INNER JOIN so_tabela_g ON sotg_id = ota_sotg_id "
                          "WHERE ota_zws_id = %1 AND ota_jedn_staw_opl <> 5 * sotg_jedn_st_opl")
                          .arg(zwsId))
                 .toInt(),
             0);
    QCOMPARE(stored("ota_oplata", "oplaty_ta", "ota_sotg_id", ids.first()), QStringLiteral("100.00"));
    QCOMPARE(stored("zws_oplata", "zrodla_wprow_subst", "zws_id", zwsId), f_.value(sumSql).toString());
    QCOMPARE(stored("ild_kwota", "instalacje_dzialalnosci", "ild_id", ildId), f_.value(sumSql).toString());
    QVERIFY(f_.value(sumSql).toString() != before);
}

void TestTdmfZestAir::permitBinding() {
    f_.cn().execute(QStringLiteral(
        "INSERT INTO pozwolenia_gp (pwgp_id, pwgp_pdm_id, pwgp_numer, pwgp_data_wyd, pwgp_organ_wyd, "
        "pwgp_term_obow_0, pwgp_term_obow_1) VALUES (3001, 2001, 'OŚ.7654/12', '2010-05-04', 'Marszałek "
        "Województwa', '2010-06-01', '2020-05-31')"));
    const int ildId = f_.addInstallation(QStringLiteral("Piec"), 102);
    Query& ild = *f_.air->qryInstDz();
    f_.air->WstawPozwolenie(3001);
    QCOMPARE(ild.state(), DataSetState::Edit);
    QCOMPARE(ild.fieldByName(QStringLiteral("pwgp_numer")).asString(), QStringLiteral("OŚ.7654/12"));
    QCOMPARE(ild.fieldByName(QStringLiteral("pwgp_term_obow_0")).asDate(), QDate(2010, 6, 1));
    QCOMPARE(ild.fieldByName(QStringLiteral("pwgp_term_obow_1")).asDate(), QDate(2020, 5, 31));
    QCOMPARE(ild.fieldByName(QStringLiteral("pwgp_organ_wyd")).asString(),
             QStringLiteral("Marszałek Województwa"));
    ild.post();
    QCOMPARE(
        f_.value(
              QStringLiteral("SELECT ild_pwgp_id FROM instalacje_dzialalnosci WHERE ild_id = %1").arg(ildId))
            .toInt(),
        3001);
    f_.air->UsunPozwolenie();
    for (const char* name :
         {"pwgp_numer", "pwgp_term_obow_0", "pwgp_term_obow_1", "pwgp_organ_wyd", "ild_pwgp_id"})
        QVERIFY2(ild.fieldByName(QString::fromLatin1(name)).isNull(), name);
    ild.post();
    QVERIFY(
        f_.value(
              QStringLiteral("SELECT ild_pwgp_id FROM instalacje_dzialalnosci WHERE ild_id = %1").arg(ildId))
            .isNull());
    QCOMPARE(ild.fieldByName(QStringLiteral("ild_spwgp_id")).asInteger(), 102);
}

void TestTdmfZestAir::outOfRangeIsRefused_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    const QString negativeFuel = QStringLiteral("Zużycie paliwa nie może być ujemne.");
    const QString efficiency =
        QStringLiteral("Skuteczność redukcji emisji musi mieścić się w przedziale od 0 do 100 %.");
    QTest::newRow("emitted quantity") << "A"
                                      << "ota_wielkosc_emisji"
                                      << "-0,01" << QStringLiteral("Wielkość emisji nie może być ujemna.");
    QTest::newRow("petrol reloaded") << "B"
                                     << "otb_illosc"
                                     << "-1"
                                     << QStringLiteral("Ilość przeładowanej benzyny nie może być ujemna.");
    QTest::newRow("efficiency 150 %") << "B"
                                      << "otb_sk_red_emisji"
                                      << "150" << efficiency;
    QTest::newRow("efficiency below 0") << "B"
                                        << "otb_sk_red_emisji"
                                        << "-5" << efficiency;
    QTest::newRow("boiler fuel") << "C"
                                 << "otc_zuzycie_paliwa"
                                 << "-3,5" << negativeFuel;
    QTest::newRow("engine fuel") << "D"
                                 << "otd_zuzycie_paliwa"
                                 << "-0,001" << negativeFuel;
}

void TestTdmfZestAir::outOfRangeIsRefused() {
    QFETCH(QString, list);
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, message);
    Query* q = nullptr;
    if (list == QLatin1String("A")) {
        f_.addInstallation(QStringLiteral("Piec"));
        f_.addSource(QStringLiteral("E1"));
        QVERIFY(f_.air->DodajSubstancje(f_.sotgId(1002, 1)));
        q = f_.air->qryOplTA();
    } else if (list == QLatin1String("B")) {
        f_.addPlace(*f_.air->qryLokTB(), "ltb_gm_id", "ltb_adres", QStringLiteral("Stacja 1"));
        q = f_.air->qryOplTB();
        q->open();
    } else if (list == QLatin1String("C")) {
        f_.addPlace(*f_.air->qryLokTC(), "ltc_gm_id", "ltc_adres", QStringLiteral("Kotłownia 1"));
        q = f_.air->qryOplTcWegiel();
        q->open();
    } else {
        f_.air->PrzygotujTabeleD();
        q = f_.air->qryOplTD();
        while (q->isEmpty())
            f_.air->qryRdS()->next();
    }
    QVERIFY(!q->isEmpty());
    const QVariant key = q->fields().front()->value();
    // Typed: refused with the message, the value stays.
    q->edit();
    Field& fld = q->fieldByName(field);
    const QVariant before = fld.value();
    try {
        fld.setText(text);
        QFAIL("accepted");
    } catch (const DataError& e) {
        QCOMPARE(e.message(), message);
    }
    QCOMPARE(fld.value(), before);
    // Set by other means: the row is not saved.
    fld.setValue(text.replace(QLatin1Char(','), QLatin1Char('.')).toDouble());
    QVERIFY_THROWS_EXCEPTION(DataError, q->post());
    q->cancel();
    const QString table =
        q->fields().front()->name() == QLatin1String("ota_id")   ? QStringLiteral("oplaty_ta")
        : q->fields().front()->name() == QLatin1String("otb_id") ? QStringLiteral("oplaty_tb")
        : q->fields().front()->name() == QLatin1String("otc_id") ? QStringLiteral("oplaty_tc")
                                                                 : QStringLiteral("oplaty_td");
    QCOMPARE(f_.value(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2 < 0 OR %2 > 100").arg(table, field)),
             QVariant(0));
    Q_UNUSED(key);
}

void TestTdmfZestAir::tableB() {
    Query& lok = *f_.air->qryLokTB();
    Query& opl = *f_.air->qryOplTB();
    opl.open();
    f_.addPlace(lok, "ltb_gm_id", "ltb_adres", QStringLiteral("Stacja paliw, ul. Długa 5"));
    const int ltbId = int(lok.fieldByName(QStringLiteral("ltb_id")).asInteger());
    QVERIFY(f_.dm->RokStOplZablokowany());
    // Seven operations of 2012 in the order of the printout, quantities empty.
    QCOMPARE(opl.recordCount(), 7);
    QCOMPARE(
        f_.value(QStringLiteral("SELECT COUNT(*) FROM oplaty_tb INNER JOIN stawki_tb ON stb_id = otb_stb_id "
                                "WHERE otb_ltb_id = %1 AND stb_rok_id = 1002 AND otb_illosc IS NULL")
                     .arg(ltbId))
            .toInt(),
        7);
    QList<int> order;
    for (opl.first(); !opl.eof(); opl.next())
        order << int(f_.value(QStringLiteral("SELECT stb_poz_wydruku FROM stawki_tb WHERE stb_id = %1")
                                  .arg(opl.fieldByName(QStringLiteral("otb_stb_id")).asInteger()))
                         .toInt());
    QCOMPARE(order, (QList<int>{1, 2, 3, 4, 5, 6, 7}));

    opl.first();
    QCOMPARE(Text(opl.fieldByName(QStringLiteral("otb_stawka_jedn")).asDecimal(), 2), QStringLiteral("5.46"));
    AirFixture::type(opl, QStringLiteral("otb_illosc"), QStringLiteral("12,4"));
    QCOMPARE(Text(opl.fieldByName(QStringLiteral("otb_kwota")).asDecimal(), 2), QStringLiteral("67.70"));
    // The second row at the same rate, 20 % efficiency: 54.1632.
    opl.next();
    opl.edit();
    opl.fieldByName(QStringLiteral("otb_stawka_jedn")).setValue(5.46);
    opl.fieldByName(QStringLiteral("otb_sk_red_emisji")).setText(QStringLiteral("20"));
    opl.fieldByName(QStringLiteral("otb_illosc")).setText(QStringLiteral("12,4"));
    opl.post();
    QCOMPARE(Text(opl.fieldByName(QStringLiteral("otb_kwota")).asDecimal(), 2), QStringLiteral("54.16"));
    QCOMPARE(stored("ltb_kwota", "lokalizacje_tb", "ltb_id", ltbId), QStringLiteral("121.86"));
    QCOMPARE(Text(lok.fieldByName(QStringLiteral("ltb_kwota")).asDecimal(), 2), QStringLiteral("121.86"));
    // An efficiency of 100 % gives nothing.
    AirFixture::type(opl, QStringLiteral("otb_sk_red_emisji"), QStringLiteral("100"));
    QCOMPARE(Text(opl.fieldByName(QStringLiteral("otb_kwota")).asDecimal(), 2), QStringLiteral("0.00"));
    QCOMPARE(stored("ltb_kwota", "lokalizacje_tb", "ltb_id", ltbId), QStringLiteral("67.70"));

    // Deleting a fee row recomputes the total.
    opl.first();
    opl.deleteRecord();
    QCOMPARE(stored("ltb_kwota", "lokalizacje_tb", "ltb_id", ltbId), QStringLiteral("0.00"));

    // Correcting the address keeps the rows.
    AirFixture::type(lok, QStringLiteral("ltb_adres"), QStringLiteral("ul. Krótka 1"));
    QCOMPARE(
        f_.value(QStringLiteral("SELECT COUNT(*) FROM oplaty_tb WHERE otb_ltb_id = %1").arg(ltbId)).toInt(),
        6);

    // A place without an address is not saved and gets no rows.
    const int before = f_.value(QStringLiteral("SELECT COUNT(*) FROM oplaty_tb")).toInt();
    lok.append();
    lok.fieldByName(QStringLiteral("ltb_gm_id")).setValue(f_.gmId());
    QVERIFY_THROWS_EXCEPTION(DataError, lok.post());
    lok.cancel();
    QCOMPARE(f_.value(QStringLiteral("SELECT COUNT(*) FROM oplaty_tb")).toInt(), before);
}

void TestTdmfZestAir::tableC_data() {
    QTest::addColumn<int>("rokId");
    QTest::addColumn<int>("stcId");
    QTest::addColumn<QString>("consumption");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("units"); // consumption unit and rate unit of the gaseous-fuel list
    QTest::newRow("100 Mg coal at 16,31") << 1002 << 119 << "100"
                                          << "1631.00"
                                          << "";
    QTest::newRow("12,345 Mg wood at 4,17") << 1002 << 128 << "12,345"
                                            << "51.48"
                                            << "";
    QTest::newRow("natural gas 2012") << 1002 << 133 << "50000"
                                      << "61.66"
                                      << "m3|zł/mln m3";
    QTest::newRow("nitrogen-rich gas 2012") << 1002 << 136 << "1000000"
                                            << "1079.91"
                                            << "m3|zł/mln m3";
    QTest::newRow("propane-butane 2012") << 1002 << 137 << "10"
                                         << "16.60"
                                         << "Mg|zł/Mg";
    QTest::newRow("natural gas 2011") << 1001 << 114 << "50000"
                                      << "60.10"
                                      << "m3|zł/mln m3";
    QTest::newRow("propane-butane 2011") << 1001 << 118 << "10"
                                         << "16.20"
                                         << "Mg|zł/Mg";
}

void TestTdmfZestAir::tableC() {
    QFETCH(int, rokId);
    QFETCH(int, stcId);
    QFETCH(QString, consumption);
    QFETCH(QString, amount);
    QFETCH(QString, units);
    if (rokId != 1002) {
        f_.tearDown();
        f_.setUp(rokId);
    }
    f_.addPlace(*f_.air->qryLokTC(), "ltc_gm_id", "ltc_adres", QStringLiteral("Kotłownia"));
    const int ltcId = int(f_.air->qryLokTC()->fieldByName(QStringLiteral("ltc_id")).asInteger());
    const int fuel =
        f_.value(QStringLiteral("SELECT stc_plwk_id FROM stawki_tc WHERE stc_id = %1").arg(stcId)).toInt();
    Query& q = *f_.air->qryOplTc(fuel - 100);
    q.open();
    QVERIFY(q.locate(QStringLiteral("otc_stc_id"), stcId));
    AirFixture::type(q, QStringLiteral("otc_zuzycie_paliwa"), consumption);
    QCOMPARE(Text(q.fieldByName(QStringLiteral("otc_kwota")).asDecimal(), 2), amount);
    QCOMPARE(stored("ltc_kwota", "lokalizacja_tc", "ltc_id", ltcId), amount);
    if (!units.isEmpty())
        QCOMPARE(q.fieldByName(QStringLiteral("clc_jm_zuz_plw")).asString() + QLatin1Char('|') +
                     q.fieldByName(QStringLiteral("clc_jm_st_jedn_opl")).asString(),
                 units);
}

void TestTdmfZestAir::tableCPlaceTotalAndBoilerCount() {
    Query& lok = *f_.air->qryLokTC();
    for (int i = 0; i < 5; ++i)
        f_.air->qryOplTc(i)->open();
    f_.addPlace(lok, "ltc_gm_id", "ltc_adres", QStringLiteral("Kotłownia"));
    const int ltcId = int(lok.fieldByName(QStringLiteral("ltc_id")).asInteger());
    // Nineteen categories of 2012: six, three, one, four and five per kind of fuel.
    QList<int> counts;
    for (int i = 0; i < 5; ++i)
        counts << f_.air->qryOplTc(i)->recordCount();
    QCOMPARE(counts, (QList<int>{6, 3, 1, 4, 5}));
    QVERIFY(f_.dm->RokStOplZablokowany());

    AirFixture::type(*f_.air->qryOplTcWegiel(), QStringLiteral("otc_zuzycie_paliwa"), QStringLiteral("100"));
    AirFixture::type(*f_.air->qryOplTcDrewno(), QStringLiteral("otc_zuzycie_paliwa"),
                     QStringLiteral("12,345"));
    AirFixture::type(*f_.air->qryOplTcKoks(), QStringLiteral("otc_zuzycie_paliwa"), QStringLiteral("1"));
    const QString coke =
        Text(f_.air->qryOplTcKoks()->fieldByName(QStringLiteral("otc_kwota")).asDecimal(), 2);
    const Decimal total = Decimal(168248, 2) + *Decimal::fromText(coke);
    QCOMPARE(stored("ltc_kwota", "lokalizacja_tc", "ltc_id", ltcId), Text(total, 2));
    QCOMPARE(Text(lok.fieldByName(QStringLiteral("ltc_kwota")).asDecimal(), 2), Text(total, 2));

    // The number of boilers changes no amount.
    AirFixture::type(*f_.air->qryOplTcWegiel(), QStringLiteral("otc_liczba_kotlow"), QStringLiteral("3"));
    QCOMPARE(Text(f_.air->qryOplTcWegiel()->fieldByName(QStringLiteral("otc_kwota")).asDecimal(), 2),
             QStringLiteral("1631.00"));
    QCOMPARE(stored("ltc_kwota", "lokalizacja_tc", "ltc_id", ltcId), Text(total, 2));

    // Deleting a fee row recomputes the place.
    f_.air->qryOplTcWegiel()->deleteRecord();
    QCOMPARE(stored("ltc_kwota", "lokalizacja_tc", "ltc_id", ltcId), Text(total - Decimal(1631), 2));
}

void TestTdmfZestAir::tableD() {
    const int defined = f_.value(QStringLiteral("SELECT COUNT(*) FROM stawki_silnik_paliwo INNER JOIN "
                                                "rodzaje_silnikow ON rds_id = ssp_rds_id INNER JOIN "
                                                "rodzaje_paliw_silnik ON rps_id = ssp_rps_id WHERE "
                                                "ssp_f_zdefiniowana = 1 AND rds_f_aktualny = 1 AND "
                                                "rps_f_aktualny = 1 AND ssp_rok_id = 1002"))
                            .toInt();
    QVERIFY(defined > 0);
    QVERIFY(!f_.dm->RokStOplZablokowany());
    f_.air->PrzygotujTabeleD();
    const QString countSql = QStringLiteral("SELECT COUNT(*) FROM oplaty_td WHERE otd_z_id = %1").arg(f_.zId);
    QCOMPARE(f_.value(countSql).toInt(), defined);
    QCOMPARE(
        f_.value(QStringLiteral("SELECT COUNT(*) FROM oplaty_td INNER JOIN stawki_silnik_paliwo ON ssp_id = "
                                "otd_ssp_id WHERE ssp_f_zdefiniowana = 0"))
            .toInt(),
        0);
    QVERIFY(f_.dm->RokStOplZablokowany());
    f_.air->PrzygotujTabeleD();
    QCOMPARE(f_.value(countSql).toInt(), defined);

    Query& rds = *f_.air->qryRdS();
    Query& opl = *f_.air->qryOplTD();
    struct Case {
        int engine, sspId;
        const char *consumption, *amount;
    };
    for (const Case& c : {Case{131, 478, "2,4", "168.79"}, Case{100, 293, "1,2", "54.12"}}) {
        QVERIFY(rds.locate(QStringLiteral("rds_id"), c.engine));
        QVERIFY(opl.locate(QStringLiteral("otd_ssp_id"), c.sspId));
        AirFixture::type(opl, QStringLiteral("otd_zuzycie_paliwa"), QString::fromLatin1(c.consumption));
        QCOMPARE(stored("otd_kwota", "oplaty_td", "otd_ssp_id", c.sspId), QString::fromLatin1(c.amount));
    }

    // An engine type withdrawn from the dictionary still shows the rows of the statement.
    f_.cn().execute(QStringLiteral("UPDATE rodzaje_silnikow SET rds_f_aktualny = 0 WHERE rds_id = 131"));
    f_.air->PrzygotujTabeleD();
    QVERIFY(rds.locate(QStringLiteral("rds_id"), 131));
    QVERIFY(!opl.isEmpty());
}

void TestTdmfZestAir::converter_data() {
    QTest::addColumn<QString>("litres");
    QTest::addColumn<QString>("density");
    QTest::addColumn<QString>("megagrams");
    QTest::newRow("1000 l petrol") << "1000"
                                   << "0.755"
                                   << "0.755000";
    QTest::newRow("1000 l diesel") << "1000"
                                   << "0.84"
                                   << "0.840000";
    QTest::newRow("1 l at 0,7") << "1"
                                << "0.7"
                                << "0.000700";
    QTest::newRow("tie to even, down") << "0.5"
                                       << "0.001"
                                       << "0.000000";
    QTest::newRow("tie to even, up") << "1.5"
                                     << "0.001"
                                     << "0.000002";
    QTest::newRow("nothing") << "0"
                             << "0.755"
                             << "0.000000";
}

void TestTdmfZestAir::converter() {
    QFETCH(QString, litres);
    QFETCH(QString, density);
    QFETCH(QString, megagrams);
    QCOMPARE(AirFees::LitresToMegagrams(*Decimal::fromText(litres), *Decimal::fromText(density)).toString(),
             megagrams);
}

void TestTdmfZestAir::converterResultIntoTableB() {
    Query& opl = *f_.air->qryOplTB();
    // No current row: nothing to put the result into.
    QVERIFY(!TdmfZestAir::MoznaWstawic(&opl));
    QVERIFY_THROWS_EXCEPTION(DataError,
                             TdmfZestAir::WstawWynik(opl, QStringLiteral("otb_illosc"), Decimal(755, 3)));
    opl.open();
    f_.addPlace(*f_.air->qryLokTB(), "ltb_gm_id", "ltb_adres", QStringLiteral("Stacja"));
    QVERIFY(TdmfZestAir::MoznaWstawic(&opl));
    const int rows = f_.value(QStringLiteral("SELECT COUNT(*) FROM oplaty_tb")).toInt();
    TdmfZestAir::WstawWynik(opl, QStringLiteral("otb_illosc"),
                            AirFees::LitresToMegagrams(Decimal(10000), AirFees::PetrolDensity()));
    QCOMPARE(opl.state(), DataSetState::Browse);
    QCOMPARE(f_.value(QStringLiteral("SELECT COUNT(*) FROM oplaty_tb")).toInt(), rows);
    // 7.55 Mg × 5.46 = 41.223.
    QCOMPARE(stored("otb_kwota", "oplaty_tb", "otb_id",
                    int(opl.fieldByName(QStringLiteral("otb_id")).asInteger())),
             QStringLiteral("41.22"));
    QCOMPARE(Text(f_.air->qryLokTB()->fieldByName(QStringLiteral("ltb_kwota")).asDecimal(), 2),
             QStringLiteral("41.22"));
    // A result with more decimals than the column holds is computed as stored: 1 l = 0.000755 Mg → 0.001.
    opl.next();
    TdmfZestAir::WstawWynik(opl, QStringLiteral("otb_illosc"),
                            AirFees::LitresToMegagrams(Decimal(1), Decimal(755, 3)));
    QCOMPARE(stored("otb_illosc", "oplaty_tb", "otb_id",
                    int(opl.fieldByName(QStringLiteral("otb_id")).asInteger())),
             QStringLiteral("0.001"));
}

QTEST_GUILESS_MAIN(TestTdmfZestAir)
#include "tst_TdmfZestAir.moc"
