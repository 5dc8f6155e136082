#include "platform/Decimal.h"
#include "platform/data/DataError.h"
#include "platform/data/NumberFormat.h"

#include <QtTest>

namespace {

Decimal D(const char* text) {
    return *Decimal::fromText(QString::fromLatin1(text));
}

} // namespace

class tst_Decimal : public QObject {
    Q_OBJECT
private slots:
    void rules_data();
    void rules();
    void products_data();
    void products();
    void sumsAreExact();
    void fromText_data();
    void fromText();
    void fromDouble_data();
    void fromDouble();
    void comparesByValue();
    void overflowIsAnError();
    void formatterShowsTheStoredValue_data();
    void formatterShowsTheStoredValue();
};

// Each value brought to two decimals (whole złoty for the third rule) by the three rules.
void tst_Decimal::rules_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("twoDecimals");
    QTest::addColumn<QString>("storage");
    QTest::addColumn<QString>("wholeZloty");
    QTest::newRow("below a tie") << "0.124"
                                 << "0.12"
                                 << "0.12"
                                 << "0";
    QTest::newRow("tie, even below") << "0.125"
                                     << "0.12"
                                     << "0.13"
                                     << "0";
    QTest::newRow("tie, even above") << "0.135"
                                     << "0.14"
                                     << "0.14"
                                     << "0";
    QTest::newRow("above a tie") << "0.1251"
                                 << "0.13"
                                 << "0.13"
                                 << "0";
    QTest::newRow("negative tie") << "-0.125"
                                  << "-0.12"
                                  << "-0.13"
                                  << "0";
    QTest::newRow("negative above") << "-0.126"
                                    << "-0.13"
                                    << "-0.13"
                                    << "0";
    QTest::newRow("half złoty") << "2.50"
                                << "2.50"
                                << "2.50"
                                << "3";
    QTest::newRow("below half złoty") << "2.49"
                                      << "2.49"
                                      << "2.49"
                                      << "2";
    QTest::newRow("odd half złoty") << "3.5"
                                    << "3.50"
                                    << "3.50"
                                    << "4";
    QTest::newRow("negative half złoty") << "-2.5"
                                         << "-2.50"
                                         << "-2.50"
                                         << "-2";
    QTest::newRow("fewer decimals") << "7"
                                    << "7.00"
                                    << "7.00"
                                    << "7";
    QTest::newRow("zero") << "0"
                          << "0.00"
                          << "0.00"
                          << "0";
    QTest::newRow("quantity tie") << "1000.005"
                                  << "1000.00"
                                  << "1000.01"
                                  << "1000";
    QTest::newRow("long tail") << "12.344999999"
                               << "12.34"
                               << "12.34"
                               << "12";
}

void tst_Decimal::rules() {
    QFETCH(QString, value);
    QFETCH(QString, twoDecimals);
    QFETCH(QString, storage);
    QFETCH(QString, wholeZloty);
    const Decimal d = *Decimal::fromText(value);
    QCOMPARE(RoundTwoDecimals(d).toString(), twoDecimals);
    QCOMPARE(RoundForStorage(d).toString(), storage);
    QCOMPARE(RoundWholeZloty(d).toString(), wholeZloty);
}

// Products of values that binary floating point cannot hold exactly, rounded once.
void tst_Decimal::products_data() {
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<QString>("exact");
    QTest::addColumn<QString>("twoDecimals");
    QTest::addColumn<QString>("storage");
    QTest::newRow("1.14 × 5") << "1.14"
                              << "5"
                              << "5.70"
                              << "5.70"
                              << "5.70";
    QTest::newRow("12.345 × 4.17") << "12.345"
                                   << "4.17"
                                   << "51.47865"
                                   << "51.48"
                                   << "51.48";
    QTest::newRow("1 234.56 × 0.39") << "1234.56"
                                     << "0.39"
                                     << "481.4784"
                                     << "481.48"
                                     << "481.48";
    QTest::newRow("0.5 × 0.25") << "0.5"
                                << "0.25"
                                << "0.125"
                                << "0.12"
                                << "0.13";
    QTest::newRow("negative") << "-0.5"
                              << "0.25"
                              << "-0.125"
                              << "-0.12"
                              << "-0.13";
    QTest::newRow("0.1 × 3") << "0.1"
                             << "3"
                             << "0.3"
                             << "0.30"
                             << "0.30";
    QTest::newRow("large quantity") << "999999999.999"
                                    << "1234.5678"
                                    << "1234567799998.7654322"
                                    << "1234567799998.77"
                                    << "1234567799998.77";
}

void tst_Decimal::products() {
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(QString, exact);
    QFETCH(QString, twoDecimals);
    QFETCH(QString, storage);
    const Decimal product = *Decimal::fromText(a) * *Decimal::fromText(b);
    QCOMPARE(product, *Decimal::fromText(exact));
    QCOMPARE(RoundTwoDecimals(product).toString(), twoDecimals);
    QCOMPARE(RoundForStorage(product).toString(), storage);
    // Through the doubles that the database driver hands over, the same.
    const Decimal viaDriver = Decimal::fromDouble(Decimal::fromText(a)->toDouble()) *
                              Decimal::fromDouble(Decimal::fromText(b)->toDouble());
    QCOMPARE(RoundTwoDecimals(viaDriver).toString(), twoDecimals);
}

void tst_Decimal::sumsAreExact() {
    // Added in this order in binary floating point the sections come to 7123.4999…
    Decimal sum;
    for (const char* v : {"4892.94", "556.69", "1265.82", "49.30", "358.75"})
        sum += Decimal::fromDouble(QString::fromLatin1(v).toDouble());
    QCOMPARE(sum.toString(), QStringLiteral("7123.50"));
    QCOMPARE(RoundWholeZloty(sum).toString(), QStringLiteral("7124"));

    // A total is the sum of its stored rows: 90.12 + 3.33, not 93.456 rounded.
    const Decimal rows = RoundTwoDecimals(D("90.123")) + RoundTwoDecimals(D("3.333"));
    QCOMPARE(rows.toString(), QStringLiteral("93.45"));
    QCOMPARE(RoundTwoDecimals(D("1000.004") + D("0.001")).toString(), QStringLiteral("1000.00"));
    QCOMPARE((D("1.5") - D("2.25")).toString(), QStringLiteral("-0.75"));
}

void tst_Decimal::fromText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("value");
    QTest::newRow("Polish") << "1 234,56" << true << "1234.56";
    QTest::newRow("no-break space") << QString::fromUtf8("1\u00a0234,5") << true << "1234.5";
    QTest::newRow("point") << "-0.5" << true << "-0.5";
    QTest::newRow("plus") << "+7" << true << "7";
    QTest::newRow("trailing comma") << "12," << true << "12";
    QTest::newRow("leading comma") << ",05" << true << "0.05";
    QTest::newRow("leading zeros") << "000123,40" << true << "123.40";
    QTest::newRow("exponent") << "1.5e3" << true << "1500";
    QTest::newRow("negative exponent") << "25e-4" << true << "0.0025";
    QTest::newRow("blank") << "  " << false << "";
    QTest::newRow("two commas") << "1,2,3" << false << "";
    QTest::newRow("letters") << "12a" << false << "";
    QTest::newRow("nan") << "nan" << false << "";
    QTest::newRow("inf") << "inf" << false << "";
    QTest::newRow("sign only") << "-" << false << "";
    QTest::newRow("comma only") << "," << false << "";
}

void tst_Decimal::fromText() {
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(QString, value);
    const std::optional<Decimal> d = Decimal::fromText(text);
    QCOMPARE(d.has_value(), ok);
    if (ok)
        QCOMPARE(d->toString(), value);
}

void tst_Decimal::fromDouble_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("exact");
    QTest::newRow("0.1") << 0.1 << "0.1";
    QTest::newRow("5.7") << 5.7 << "5.7";
    QTest::newRow("sum noise") << 0.1 + 0.2 << "0.3";
    QTest::newRow("negative") << -1234.56 << "-1234.56";
    QTest::newRow("small rate") << 0.0127 << "0.0127";
    QTest::newRow("whole") << 1e12 << "1000000000000";
    QTest::newRow("zero") << 0.0 << "0";
}

void tst_Decimal::fromDouble() {
    QFETCH(double, value);
    QFETCH(QString, exact);
    QCOMPARE(Decimal::fromDouble(value), *Decimal::fromText(exact));
    QCOMPARE(Decimal::fromDouble(value).toDouble(), value == 0.1 + 0.2 ? 0.3 : value);
}

void tst_Decimal::comparesByValue() {
    QVERIFY(D("1.50") == D("1.5"));
    QVERIFY(D("-0.01") < D("0"));
    QVERIFY(D("2") > D("1.999"));
    QCOMPARE(Decimal::fromVariant(QVariant()), Decimal());
    QCOMPARE(Decimal::fromVariant(QVariant(qlonglong(42))), Decimal(42));
    QCOMPARE(Decimal::fromVariant(QVariant(QStringLiteral("3,25"))), D("3.25"));
    QCOMPARE(Decimal(12345, 2).toString(), QStringLiteral("123.45"));
    QCOMPARE(D("2.75").rounded(0, Rounding::HalfAwayFromZero).toLongLong(), 3LL);
}

void tst_Decimal::overflowIsAnError() {
    const Decimal big = D("999999999999999999");
    QVERIFY_THROWS_EXCEPTION(DataError, big * big * big);
    QVERIFY_THROWS_EXCEPTION(DataError, Decimal::fromDouble(qInf()));
}

void tst_Decimal::formatterShowsTheStoredValue_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("shown");
    QTest::newRow("stored amount") << "0.13"
                                   << "0.00,"
                                   << "0,13";
    QTest::newRow("more decimals than shown") << "0.125"
                                              << "0.00"
                                              << "0,13";
    QTest::newRow("negative more decimals") << "-0.125"
                                            << "0.00"
                                            << "-0,13";
    QTest::newRow("thousands") << "7123.5"
                               << "0.00,"
                               << "7 123,50";
    QTest::newRow("negative rounding to zero") << "-0.001"
                                               << "0.00"
                                               << "0,00";
}

void tst_Decimal::formatterShowsTheStoredValue() {
    QFETCH(QString, value);
    QFETCH(QString, format);
    QFETCH(QString, shown);
    QCOMPARE(FormatNumber(*Decimal::fromText(value), format), shown);
    QCOMPARE(FormatNumber(Decimal::fromText(value)->toDouble(), format), shown);
}

QTEST_GUILESS_MAIN(tst_Decimal)
#include "tst_Decimal.moc"
