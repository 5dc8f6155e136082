// The printouts of the statement as a whole: the collective summary (its items in the templates'
// print order, amounts the Polish way, the entity head, the notes) and annex 2 (the places of one
// voivodeship, each once, in a fixed order), as golden text and, for one of them, as PDF text.

#include "platform/data/Query.h"
#include "platform/report/GoldenText.h"
#include "platform/report/ReportRenderer.h"
#include "statements/PrtZestZb.h"
#include "support/TestDatabase.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

class TestSummaryPrintouts : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void collectiveSummary();
    void collectiveSummaryAsPdf();
    void annex2PlacesOnceInOrder();
    void noRowsNoReport();

private:
    Connection& cn() { return db_->connection(); }
    int scalar(const QString& sql) { return db_->scalar(sql); }
    TrPodmiot podmiot(bool withRegon) const {
        TrPodmiot p;
        p.pdmId = 2001;
        p.nazwa = QStringLiteral("Przedsiębiorstwo Gospodarki Komunalnej „Łowicz” Spółka z ograniczoną "
                                 "odpowiedzialnością w Łowiczu");
        p.adres = QStringLiteral("99-400 Łowicz, ul. Przemysłowa 3");
        p.regon = withRegon ? QStringLiteral("750148262") : QString();
        p.telefonFaks = QStringLiteral("46 837 12 34");
        return p;
    }

    std::unique_ptr<TestDatabase> db_;
    int wojId_ = 0;
};

void TestSummaryPrintouts::init() {
    db_ = std::make_unique<TestDatabase>();
    db_->createAtVersion(7);
    const int gmM = scalar(QStringLiteral("SELECT MIN(gm_id) FROM gminy WHERE gm_nazwa = 'Łowicz'"));
    const int gmW = scalar(QStringLiteral("SELECT MAX(gm_id) FROM gminy WHERE gm_nazwa = 'Łowicz'"));
    wojId_ = scalar(
        QStringLiteral("SELECT pow_woj_id FROM powiaty JOIN gminy ON gm_pow_id = pow_id WHERE gm_id = %1")
            .arg(gmM));
    cn().execute(
        QStringLiteral("INSERT INTO podmioty (pdm_id, pdm_gm_id, pdm_nazwa, pdm_adres, pdm_f_aktualny) "
                       "VALUES (2001, %1, 'PGK', 'Łowicz', 1)")
            .arg(gmM));
    cn().execute(QStringLiteral(
        "INSERT INTO zestawienia (z_id, z_rok_id, z_pr_id, z_pdm_id, z_stz_id, z_dt_utw, z_rok_st_opl_id) "
        "SELECT 5001, 1002, MIN(pr_id), 2001, (SELECT MIN(stz_id) FROM stan_zestawienia), CURRENT_DATE, 1002 "
        "FROM polrocza"));
    cn().execute(QStringLiteral("INSERT INTO zestawienia_zbiorcze (zzb_id, zzb_z_id, zzb_woj_id, zzb_kwota, "
                                "zzb_oplata_og) VALUES (7001, 5001, %1, 0, 0)")
                     .arg(wojId_));
    // Every active template item, with whole-złoty amounts that need thousands separators.
    cn().execute(
        QStringLiteral("INSERT INTO pozycje_zzb (pzzb_id, pzzb_zzb_id, pzzb_spzzb_id, pzzb_wys_oplaty) "
                       "SELECT spzzb_id + 100000, 7001, spzzb_id, spzzb_poz_wydruku * 1234 "
                       "FROM szablony_poz_zzb WHERE spzzb_f_aktualny = 1"));
    // Places of annex 2: a Table B place, two Table C places at one address and commune, an
    // installation, and one place in each of the two communes named Łowicz at the same address.
    cn().execute(QStringLiteral("INSERT INTO lokalizacje_tb (ltb_id, ltb_z_id, ltb_gm_id, ltb_adres) VALUES "
                                "(1, 5001, %1, 'ul. Zduńska 5')")
                     .arg(gmM));
    cn().execute(QStringLiteral("INSERT INTO lokalizacja_tc (ltc_id, ltc_z_id, ltc_gm_id, ltc_adres) VALUES "
                                "(1, 5001, %1, 'ul. Bolimowska 1')")
                     .arg(gmM));
    cn().execute(QStringLiteral("INSERT INTO lokalizacja_tc (ltc_id, ltc_z_id, ltc_gm_id, ltc_adres) VALUES "
                                "(2, 5001, %1, 'ul. Bolimowska 1')")
                     .arg(gmM));
    cn().execute(QStringLiteral("INSERT INTO lokalizacja_tc (ltc_id, ltc_z_id, ltc_gm_id, ltc_adres) VALUES "
                                "(3, 5001, %1, 'ul. Bolimowska 1')")
                     .arg(gmW));
    cn().execute(
        QStringLiteral("INSERT INTO instalacje_dzialalnosci (ild_id, ild_z_id, ild_spwgp_id, ild_gm_id, "
                       "ild_adres, ild_rodzaj) SELECT 1, 5001, MIN(spwgp_id), %1, 'Al. Sienkiewicza 2', "
                       "'Kotłownia' FROM statusy_pozwolen_gp")
            .arg(gmW));
}

void TestSummaryPrintouts::cleanup() {
    db_.reset();
}

void TestSummaryPrintouts::collectiveSummary() {
    TprtZestZb printout(cn());
    printout.SetZestZb(7001);
    printout.SetPodmiot(podmiot(false));
    printout.SetRokPolrocze(QStringLiteral("2011"), QStringLiteral("I półrocze"));
    PreparedReport report;
    QVERIFY(printout.Prepare(&report));
    QCOMPARE(report.caption, QStringLiteral("Zestawienie zbiorcze "));
    COMPARE_GOLDEN(report.dump(), QStringLiteral("zestawienie_zbiorcze"));
    // One row per item, in print order; an entity without REGON prints the label alone.
    const QStringList lines = report.dump();
    QCOMPARE(lines.filter(QRegularExpression(QStringLiteral("^\\d+\\|detail\\|\\d[\\d ]*,00$"))).size(),
             scalar(QStringLiteral("SELECT COUNT(*) FROM szablony_poz_zzb WHERE spzzb_f_aktualny = 1")));
    QVERIFY(lines.contains(QStringLiteral("1|title|REGON: ")));
    QCOMPARE(lines.last(), QStringLiteral("%1|page-footer|Strona %1 z %1").arg(report.pageCount()));
}

void TestSummaryPrintouts::collectiveSummaryAsPdf() {
    REQUIRE_POPPLER();
    TprtZestZb printout(cn());
    printout.SetZestZb(7001);
    printout.SetPodmiot(podmiot(true));
    printout.SetRokPolrocze(QStringLiteral("2011"), QStringLiteral("I półrocze"));
    PreparedReport report;
    QVERIFY(printout.Prepare(&report));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Zestawienie zbiorcze.pdf"));
    QVERIFY(WriteReportPdf(report, path));
    if (qEnvironmentVariableIsSet("OSTOJA_PRINT_OUT")) // to look at it
        QFile::copy(path, qEnvironmentVariable("OSTOJA_PRINT_OUT") + QStringLiteral("/zestawienie.pdf"));
    const QString text = PopplerOutput(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    for (const QString& expected :
         {QStringLiteral("ZBIORCZE ZESTAWIENIE INFORMACJI"), QStringLiteral("rok: 2011"),
          QStringLiteral("REGON: 750148262"), QStringLiteral("Rodzaj korzystania ze środowiska"),
          QStringLiteral("Wielkość opłaty"), QStringLiteral("1 234,00"), QStringLiteral("Pouczenie:"),
          QStringLiteral("Strona 1 z %1").arg(report.pageCount())})
        QVERIFY2(text.contains(expected), qPrintable(expected + QStringLiteral("\n") + text));
}

void TestSummaryPrintouts::annex2PlacesOnceInOrder() {
    TprtZal2 printout(cn());
    printout.SetZestWoj(5001, wojId_);
    printout.SetPodmiot(podmiot(true));
    printout.SetRokPolrocze(QStringLiteral("2011"), QStringLiteral("II półrocze"));
    PreparedReport report;
    QVERIFY(printout.Prepare(&report));
    COMPARE_GOLDEN(report.dump(), QStringLiteral("zalacznik_2"));
}

void TestSummaryPrintouts::noRowsNoReport() {
    TprtZal2 printout(cn());
    printout.SetZestWoj(5001, wojId_ + 1);
    PreparedReport report;
    QVERIFY(!printout.Prepare(&report));
    QCOMPARE(report.pageCount(), 0);
    QVERIFY(!printout.qryMain().isActive());
}

QTEST_MAIN(TestSummaryPrintouts)
#include "tst_SummaryPrintouts.moc"
