// What the program sets up at start so that the toolkit's own widgets and dialogs speak Polish: the
// calendar of a date edit, the standard buttons.

#include "app/PolishLocale.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QtTest>

class TestPolishLocale : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void calendarOfADateEdit();
    void standardButtons();
};

void TestPolishLocale::initTestCase() {
    QVERIFY(InstallPolishLocale(*qApp));
}

void TestPolishLocale::calendarOfADateEdit() {
    QDateEdit edit;
    edit.setCalendarPopup(true);
    edit.setDate(QDate(2026, 12, 11));
    edit.show();
    QCalendarWidget* calendar = edit.calendarWidget();
    calendar->setSelectedDate(edit.date());
    calendar->setCurrentPage(2026, 12);
    auto* month = calendar->findChild<QToolButton*>("qt_calendar_monthbutton");
    QVERIFY(month);
    QCOMPARE(month->text(), QStringLiteral("grudzień"));
    auto* view = calendar->findChild<QAbstractItemView*>("qt_calendar_calendarview");
    QVERIFY(view);
    // The row of day names, Monday first (a column of week numbers, where shown, has no name).
    QStringList days;
    for (int column = 0; column < view->model()->columnCount(); ++column)
        if (const QString day = view->model()->index(0, column).data().toString(); !day.isEmpty())
            days << day;
    QCOMPARE(days.size(), 7);
    QVERIFY2(days.first().startsWith(QStringLiteral("pon")), qPrintable(days.join(' ')));
    QVERIFY2(days.at(2).startsWith(QStringLiteral("śr")), qPrintable(days.join(' ')));
    QCOMPARE(calendar->firstDayOfWeek(), Qt::Monday);

    // The pop-up as the user sees it.
    if (const QByteArray dir = qgetenv("OSTOJA_SCREENSHOTS"); !dir.isEmpty()) {
        edit.move(100, 100);
        edit.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&edit));
        QTest::mouseClick(&edit, Qt::LeftButton, {}, QPoint(edit.width() - 6, edit.height() / 2));
        QTRY_VERIFY(calendar->isVisible());
        QTest::qWait(200);
        QGuiApplication::primaryScreen()->grabWindow(0).save(QString::fromLocal8Bit(dir) + "/calendar.png");
    }
}

void TestPolishLocale::standardButtons() {
    QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Close);
    QCOMPARE(box.button(QDialogButtonBox::Cancel)->text().remove('&'), QStringLiteral("Anuluj"));
    QCOMPARE(box.button(QDialogButtonBox::Close)->text().remove('&'), QStringLiteral("Zamknij"));
}

QTEST_MAIN(TestPolishLocale)
#include "tst_PolishLocale.moc"
