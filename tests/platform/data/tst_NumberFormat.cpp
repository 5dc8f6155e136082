// Numbers shown and typed the Polish way: decimal comma, a blank between thousands, the decimals of
// each display format.

#include "platform/data/NumberFormat.h"

#include <QtTest>

class TestNumberFormat : public QObject {
    Q_OBJECT
private slots:
    void formats_data();
    void formats();
    void parses_data();
    void parses();
};

void TestNumberFormat::formats_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("expected");
    QTest::newRow("amount with thousands") << 1234.56 << "0.00,"
                                           << "1 234,56";
    QTest::newRow("millions") << 1234567.5 << "0.00,"
                              << "1 234 567,50";
    QTest::newRow("below a thousand") << 999.0 << "0.00,"
                                      << "999,00";
    QTest::newRow("no thousands without the comma") << 1234.5 << "0.00"
                                                    << "1234,50";
    QTest::newRow("three decimals") << 0.012 << "0.000"
                                    << "0,012";
    QTest::newRow("four decimals") << 0.0123 << "0.0000"
                                   << "0,0123";
    QTest::newRow("five decimals") << 0.30000 << "0.00000"
                                   << "0,30000";
    QTest::newRow("rounded half up") << 0.125 << "0.00"
                                     << "0,13";
    QTest::newRow("rate with thousands and three decimals") << 1234.5 << "0.000,"
                                                            << "1 234,500";
    QTest::newRow("hashes drop trailing zeros") << 2.5 << "#,##0.##"
                                                << "2,5";
    QTest::newRow("hashes whole") << 3.0 << "0.##"
                                  << "3";
    QTest::newRow("negative") << -1234.5 << "0.00,"
                              << "-1 234,50";
    QTest::newRow("negative rounding to zero") << -0.001 << "0.00"
                                               << "0,00";
    QTest::newRow("zero") << 0.0 << "0.00,"
                          << "0,00";
    QTest::newRow("whole number format") << 1500.4 << "0,"
                                         << "1 500";
}

void TestNumberFormat::formats() {
    QFETCH(double, value);
    QFETCH(QString, format);
    QFETCH(QString, expected);
    QCOMPARE(FormatNumber(value, format), expected);
}

void TestNumberFormat::parses_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("value");
    QTest::newRow("comma") << "0,01234" << true << 0.01234;
    QTest::newRow("point") << "12.5" << true << 12.5;
    QTest::newRow("thousands blank") << "1 234,56" << true << 1234.56;
    QTest::newRow("no-break blank") << QString("1\u00A0234,5") << true << 1234.5;
    QTest::newRow("surrounding blanks") << "  7 " << true << 7.0;
    QTest::newRow("negative") << "-0,5" << true << -0.5;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("letters") << "12a" << false << 0.0;
    QTest::newRow("two commas") << "1,234,5" << false << 0.0;
    QTest::newRow("not a number") << "nan" << false << 0.0;
    QTest::newRow("infinity") << "inf" << false << 0.0;
}

void TestNumberFormat::parses() {
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(double, value);
    double parsed = 0;
    QCOMPARE(ParseNumber(text, &parsed), ok);
    if (ok)
        QCOMPARE(parsed, value);
}

QTEST_APPLESS_MAIN(TestNumberFormat)
#include "tst_NumberFormat.moc"
