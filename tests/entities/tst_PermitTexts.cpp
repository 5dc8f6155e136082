// The texts that describe a place's permits on the printed returns: every status of an intake and of
// the other places, parts left out when absent, blanks around the number, open periods.

#include "entities/PermitTexts.h"

#include <QtTest>

namespace {

const QDate kIssued(2010, 3, 5);
const QDate kFrom(2010, 4, 1);
const QDate kUntil(2020, 3, 31);

PermitData Permit(const QString& numer, const QString& organ, const QDate& dataWyd, const QDate& od = {},
                  const QDate& do_ = {}) {
    return PermitData{numer, organ, dataWyd, od, do_};
}

const PermitData kFirst =
    Permit(QStringLiteral("OŚ-6223/1/10"), QStringLiteral("Starosta Poznański"), kIssued, kFrom, kUntil);
const PermitData kSecond =
    Permit(QStringLiteral("W-7"), QStringLiteral("Marszałek"), QDate(2011, 1, 2), QDate(2011, 2, 1), {});
const PermitData kNone;

const QString kFirstText =
    QStringLiteral("Numer: OŚ-6223/1/10; Data wydania: 05.03.2010; Organ wydający: Starosta Poznański;");
const QString kSecondText =
    QStringLiteral("Numer: W-7; Data wydania: 02.01.2011; Organ wydający: Marszałek;");

} // namespace

class TestPermitTexts : public QObject {
    Q_OBJECT
private slots:
    void opisPozwolenia_data();
    void opisPozwolenia();
    void okresObowiazywania_data();
    void okresObowiazywania();
    void polaczOpisy_data();
    void polaczOpisy();
    void ujecie_data();
    void ujecie();
    void wgStatusu_data();
    void wgStatusu();
};

void TestPermitTexts::opisPozwolenia_data() {
    QTest::addColumn<QString>("numer");
    QTest::addColumn<QString>("organ");
    QTest::addColumn<QDate>("dataWyd");
    QTest::addColumn<QString>("expected");
    QTest::newRow("all") << QStringLiteral("12/2010") << QStringLiteral("Wojewoda") << kIssued
                         << QStringLiteral(
                                "Numer: 12/2010; Data wydania: 05.03.2010; Organ wydający: Wojewoda;");
    QTest::newRow("blanks around the number, no authority")
        << QStringLiteral("  12/2010 ") << QString() << kIssued
        << QStringLiteral("Numer: 12/2010; Data wydania: 05.03.2010; ");
    QTest::newRow("blank authority counts as none")
        << QStringLiteral("1") << QStringLiteral("   ") << QDate() << QStringLiteral("Numer: 1; ");
    QTest::newRow("authority only") << QString() << QStringLiteral(" Starosta ") << QDate()
                                    << QStringLiteral("Organ wydający: Starosta;");
    QTest::newRow("date only") << QStringLiteral(" ") << QString() << QDate(2009, 12, 31)
                               << QStringLiteral("Data wydania: 31.12.2009; ");
    QTest::newRow("nothing") << QString() << QString() << QDate() << QString();
}

void TestPermitTexts::opisPozwolenia() {
    QFETCH(QString, numer);
    QFETCH(QString, organ);
    QFETCH(QDate, dataWyd);
    QFETCH(QString, expected);
    QCOMPARE(OpisPozwolenia(numer, organ, dataWyd), expected);
    QCOMPARE(OpisPozwolenia(Permit(numer, organ, dataWyd)), expected);
}

void TestPermitTexts::okresObowiazywania_data() {
    QTest::addColumn<QDate>("od");
    QTest::addColumn<QDate>("do_");
    QTest::addColumn<QString>("expected");
    QTest::newRow("both") << kFrom << kUntil << QStringLiteral("od 01.04.2010 do 31.03.2020");
    QTest::newRow("no end") << kFrom << QDate() << QStringLiteral("od 01.04.2010");
    QTest::newRow("open start") << QDate() << kUntil << QStringLiteral(" do 31.03.2020");
    QTest::newRow("neither") << QDate() << QDate() << QString();
}

void TestPermitTexts::okresObowiazywania() {
    QFETCH(QDate, od);
    QFETCH(QDate, do_);
    QFETCH(QString, expected);
    QCOMPARE(OkresObowiazywania(od, do_), expected);
}

void TestPermitTexts::polaczOpisy_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("expected");
    QTest::newRow("both") << QStringLiteral("A") << QStringLiteral("B") << QStringLiteral("A\n --- \nB");
    QTest::newRow("first only") << QStringLiteral("A") << QString() << QStringLiteral("A");
    QTest::newRow("second only") << QString() << QStringLiteral("B") << QStringLiteral("B");
    QTest::newRow("neither") << QString() << QString() << QString();
}

void TestPermitTexts::polaczOpisy() {
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, expected);
    QCOMPARE(PolaczOpisy(first, second), expected);
}

void TestPermitTexts::ujecie_data() {
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("secondPresent");
    QTest::addColumn<QString>("uzasadnienie");
    QTest::addColumn<QString>("opis");
    QTest::addColumn<QString>("okres");
    QTest::newRow("100 none") << 100 << true << QStringLiteral("x") << QStringLiteral("Brak pozwolenia")
                              << QString();
    QTest::newRow("101 one") << 101 << true << QString() << kFirstText
                             << QStringLiteral("od 01.04.2010 do 31.03.2020");
    QTest::newRow("102 two") << 102 << true << QString()
                             << kFirstText + QStringLiteral("\n --- \n") + kSecondText
                             << QStringLiteral("od 01.04.2010 do 31.03.2020\n --- \nod 01.02.2011");
    QTest::newRow("102 with an empty second permit")
        << 102 << false << QString() << kFirstText << QStringLiteral("od 01.04.2010 do 31.03.2020");
    QTest::newRow("103 with justification")
        << 103 << true << QStringLiteral("pobór poniżej 5 m3/d")
        << QStringLiteral("pozwolenie niewymagane: pobór poniżej 5 m3/d") << QString();
    QTest::newRow("103 without justification")
        << 103 << true << QString() << QStringLiteral("pozwolenie niewymagane") << QString();
    QTest::newRow("103 blank justification")
        << 103 << true << QStringLiteral("  ") << QStringLiteral("pozwolenie niewymagane") << QString();
    QTest::newRow("unknown status") << 104 << true << QStringLiteral("x") << QString() << QString();
    QTest::newRow("no status") << 0 << true << QString() << QString() << QString();
}

void TestPermitTexts::ujecie() {
    QFETCH(int, status);
    QFETCH(bool, secondPresent);
    QFETCH(QString, uzasadnienie);
    QFETCH(QString, opis);
    QFETCH(QString, okres);
    const PermitData& second = secondPresent ? kSecond : kNone;
    QCOMPARE(OpisPozwolenUjecia(status, kFirst, second, uzasadnienie), opis);
    QCOMPARE(OkresPozwolenUjecia(status, kFirst, second), okres);
}

void TestPermitTexts::wgStatusu_data() {
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("opis");
    QTest::addColumn<QString>("okres");
    QTest::newRow("100 is there") << 100 << kFirstText << QStringLiteral("od 01.04.2010 do 31.03.2020");
    QTest::newRow("101 none") << 101 << QStringLiteral("brak pozwolenia") << QString();
    QTest::newRow("102 not required") << 102 << QStringLiteral("pozwolenie niewymagane") << QString();
    QTest::newRow("unknown status") << 103 << QString() << QString();
}

void TestPermitTexts::wgStatusu() {
    QFETCH(int, status);
    QFETCH(QString, opis);
    QFETCH(QString, okres);
    QCOMPARE(OpisPozwoleniaWgStatusu(status, kFirst.numer, kFirst.organ, kFirst.dataWyd), opis);
    QCOMPARE(OkresPozwoleniaWgStatusu(status, kFirst.obowOd, kFirst.obowDo), okres);
}

QTEST_GUILESS_MAIN(TestPermitTexts)
#include "tst_PermitTexts.moc"
