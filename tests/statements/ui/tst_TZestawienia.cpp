// The statement register and the statement window on a version-7 database: the defaults a new
// statement shows, the rate year that stays when the year changes, saving refused without a required
// value, Ctrl+E, picking and clearing the entity, the rate-year lock, the content windows opened only
// after the statement is saved, and deleting a statement with everything under it.

#include "dict/TdmfDict.h"
#include "entities/ui/TPodmiotyLW.h"
#include "forms/DataHelpers.h"
#include "forms/ui/FillIdNameCombo.h"
#include "platform/ui/DateFieldEdit.h"
#include "statements/TdmfZest.h"
#include "statements/ui/StatementContentWindows.h"
#include "statements/ui/TZestawienia.h"
#include "statements/ui/TZestawieniaPoz.h"
#include "support/ScriptedMessages.h"
#include "support/TestDatabase.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QtTest>

namespace {

const int kEntity = 2001;
const QString kEntityName = QStringLiteral("Huta Łabędy S.A.");

// Every button of the statement window that opens a content window.
const QStringList kContentButtons = {ContentButton::TabelaA,       ContentButton::TabelaB,
                                     ContentButton::TabelaC,       ContentButton::TabelaD,
                                     ContentButton::WodaPodziemna, ContentButton::WodaPowierzchniowa,
                                     ContentButton::Scieki,        ContentButton::OdpadyTabelaA,
                                     ContentButton::Zalacznik2,    ContentButton::ZestZb};

// Rows of a statement's content (`%Z` the statement, `%N` the key).
const char* const kInstallation =
    "INSERT INTO instalacje_dzialalnosci (ild_id, ild_z_id, ild_spwgp_id, ild_gm_id, ild_adres, ild_rodzaj) "
    "SELECT %N, %Z, 101, MIN(gm_id), 'Adres', 'Kotłownia' FROM gminy";
const char* const kIntake =
    "INSERT INTO ujecia_wody (uw_id, uw_z_id, uw_tuw_id, uw_nazwa, uw_adres, uw_gm_id, uw_rzgw_id, "
    "uw_spw_id) "
    "SELECT %N, %Z, 100, 'Studnia', 'Adres', (SELECT MIN(gm_id) FROM gminy), MIN(rzgw_id), 100 FROM rzgw";
const char* const kSummary = "INSERT INTO zestawienia_zbiorcze (zzb_id, zzb_z_id, zzb_woj_id) "
                             "SELECT %N, %Z, MIN(woj_id) FROM wojewodztwa";

QString ContentSql(const char* sql, int zId, int key) {
    return QString::fromUtf8(sql)
        .replace(QLatin1String("%Z"), QString::number(zId))
        .replace(QLatin1String("%N"), QString::number(key));
}

int SelectedId(const QComboBox* combo) {
    return combo->currentIndex() < 0 ? 0 : ComboItem(combo, combo->currentIndex()).id;
}

using DialogScript = std::function<void(TZestawieniaPoz&)>;

} // namespace

class TestTZestawienia : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void registerWindow();
    void newStatementDefaults();
    void savingRefusedWithoutValue_data();
    void savingRefusedWithoutValue();
    void savedStatementBecomesCurrent();
    void pickingAndClearingTheEntity();
    void rateYearLock_data();
    void rateYearLock();
    void contentWindowAfterSave();
    void deletingRemovesEverything();

private:
    Connection& cn() { return db_->connection(); }
    int scalar(const QString& sql) { return db_->scalar(sql); }
    int firstActive(const QString& prefix, const QString& table, const QString& condition = QString());
    // A saved statement of the test entity, written by SQL.
    int addStatement(int zId);
    // The register, shown, on the given statement (0: as it opens).
    TZestawienia* openRegister(int zId = 0);
    // Runs "Dodaj" or "Popraw" of the register with the script playing the user in the statement
    // window; the window is abandoned afterwards when the script left it open.
    void runEntry(QAction* command, const DialogScript& script);
    // The test entity made the statement's, as the entity picker does.
    static void setEntity(TZestawieniaPoz& dlg);

    std::unique_ptr<TestDatabase> db_;
    std::unique_ptr<TdmfDict> dict_;
    std::unique_ptr<ScopedScriptedMessages> messages_;
    QPointer<TZestawienia> register_;
};

void TestTZestawienia::init() {
    db_ = std::make_unique<TestDatabase>();
    db_->createAtVersion(7);
    dict_ = std::make_unique<TdmfDict>(db_->connection());
    dmfDict = dict_.get();
    messages_ = std::make_unique<ScopedScriptedMessages>();
    cn().run(QStringLiteral("INSERT INTO podmioty (pdm_id, pdm_gm_id, pdm_nazwa, pdm_adres, pdm_regon, "
                            "pdm_telefon_faks, pdm_f_aktualny) SELECT ?, MIN(gm_id), ?, 'ul. Hutnicza 1', "
                            "'271234567', '32 123 45 67', 1 FROM gminy"),
             {kEntity, kEntityName});
}

void TestTZestawienia::cleanup() {
    for (const QString& name : kContentButtons)
        RegisterContentWindow(name, {});
    delete register_;
    messages_.reset();
    dmfDict = nullptr;
    dict_.reset();
    db_.reset();
}

int TestTZestawienia::firstActive(const QString& prefix, const QString& table, const QString& condition) {
    return scalar(QStringLiteral("SELECT FIRST 1 %1_id FROM %2 WHERE %1_f_aktualny = 1 %3 ORDER BY %1_lp")
                      .arg(prefix, table, condition));
}

int TestTZestawienia::addStatement(int zId) {
    // Statements of one entity differ by year: 2011 for even keys, 2012 for odd ones.
    cn().execute(
        QStringLiteral("INSERT INTO zestawienia (z_id, z_rok_id, z_pr_id, z_pdm_id, z_stz_id, z_dt_utw, "
                       "z_rok_st_opl_id) VALUES (%1, %2, %3, %4, %5, CURRENT_DATE, 1001)")
            .arg(zId)
            .arg(1001 + zId % 2)
            .arg(firstActive("pr", "polrocza"))
            .arg(kEntity)
            .arg(firstActive("stz", "stan_zestawienia")));
    return zId;
}

TZestawienia* TestTZestawienia::openRegister(int zId) {
    register_ = new TZestawienia;
    register_->show();
    if (zId != 0)
        register_->dataSet()->locate(QStringLiteral("z_id"), zId);
    return register_;
}

void TestTZestawienia::runEntry(QAction* command, const DialogScript& script) {
    bool ran = false;
    QTimer::singleShot(0, register_, [&] {
        QPointer<TZestawieniaPoz> dlg = qobject_cast<TZestawieniaPoz*>(QApplication::activeModalWidget());
        ran = dlg;
        if (dlg)
            script(*dlg);
        if (dlg && dlg->isVisible())
            dlg->reject();
    });
    command->trigger();
    QVERIFY2(ran, "the statement window was not shown");
}

void TestTZestawienia::setEntity(TZestawieniaPoz& dlg) {
    Query p(dlg.dmfZest()->connection());
    p.setSql(
        QStringLiteral("SELECT pdm_id, pdm_nazwa, pdm_adres, pdm_regon, pdm_telefon_faks, gm_nazwa, "
                       "pow_nazwa, woj_nazwa FROM podmioty JOIN gminy ON gm_id = pdm_gm_id JOIN powiaty ON "
                       "pow_id = gm_pow_id JOIN wojewodztwa ON woj_id = pow_woj_id WHERE pdm_id = :id"));
    p.setParam(QStringLiteral("id"), kEntity);
    p.open();
    dlg.dmfZest()->SetPodmiot(p);
}

void TestTZestawienia::registerWindow() {
    TZestawienia* w = openRegister();
    QCOMPARE(w->objectName(), QStringLiteral("TZestawienia"));
    QCOMPARE(w->windowTitle(), QStringLiteral("Zestawienia"));
    QCOMPARE(w->ksiegaMenu()->title(), QStringLiteral("&Zestawienia"));
    QCOMPARE(w->actRefresh()->text(), QStringLiteral("&Odśwież"));
    QCOMPARE(w->KsiegaKeyField, QStringLiteral("z_id"));
    QCOMPARE(w->dataSet(), w->dmfZest()->qryZest());
    QStringList titles;
    for (int c = 0; c < w->grid()->gridModel().columnCount(); ++c)
        titles << w->grid()->columnTitle(c);
    QCOMPARE(titles, QStringList({"Rok", "Półrocze", "Podmiot", "REGON", "Adres podmiotu", "Gmina", "Powiat",
                                  "Województwo", "Telefon/faks", "Data utw.", "Stan zestawienia",
                                  "Rok st. opl.", "Nr sys."}));
}

void TestTZestawienia::newStatementDefaults() {
    TZestawienia* w = openRegister();
    const int year = firstActive("rok", "lata");
    // A new statement applies the rates of its own year.
    const int rateYear = year;
    QVERIFY(scalar(QStringLiteral("SELECT rok_f_st_op FROM lata WHERE rok_id = %1").arg(year)) == 1);
    runEntry(w->actDodaj(), [&](TZestawieniaPoz& dlg) {
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Zestawienie "));
        auto* rok = dlg.findChild<QComboBox*>("cmbRok");
        auto* rokStOpl = dlg.findChild<QComboBox*>("cmbRokStOpl");
        auto* date = dlg.findChild<DateFieldEdit*>("edtDataUtw");
        QVERIFY(rok && rokStOpl && date);
        QCOMPARE(SelectedId(rok), year);
        QCOMPARE(SelectedId(rokStOpl), rateYear);
        QCOMPARE(SelectedId(dlg.findChild<QComboBox*>("cmbPolrocze")), firstActive("pr", "polrocza"));
        QCOMPARE(SelectedId(dlg.findChild<QComboBox*>("cmbStanZest")),
                 firstActive("stz", "stan_zestawienia"));
        QCOMPARE(date->date(), QDate::currentDate());
        QCOMPARE(date->text(), QDate::currentDate().toString("dd.MM.yyyy"));
        // An empty statement: its rate year may still be chosen.
        QVERIFY(rokStOpl->isEnabled());

        // The pick lists offer the active rows only.
        QCOMPARE(rok->count(), scalar("SELECT COUNT(*) FROM lata WHERE rok_f_aktualny = 1"));

        // Another year leaves the rate year as it was.
        rok->setFocus();
        QTest::keyClick(rok, Qt::Key_Down);
        const int other = SelectedId(rok);
        QVERIFY(other != 0 && other != year);
        Query& q = *dlg.dmfZest()->qryZest();
        QCOMPARE(int(q.fieldByName("z_rok_id").asInteger()), other);
        QCOMPARE(int(q.fieldByName("z_rok_st_opl_id").asInteger()), rateYear);
        QCOMPARE(SelectedId(rokStOpl), rateYear);
    });
    // Abandoned: nothing written.
    QCOMPARE(scalar("SELECT COUNT(*) FROM zestawienia"), 0);
    QVERIFY(messages_->shown.isEmpty());
}

void TestTZestawienia::savingRefusedWithoutValue_data() {
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("label");
    QTest::newRow("no entity") << QString() << "z_pdm_id"
                               << "Podmiot";
    QTest::newRow("Ctrl+E on Rok") << "cmbRok"
                                   << "z_rok_id"
                                   << "Rok Id";
    QTest::newRow("Ctrl+E on Półrocze") << "cmbPolrocze"
                                        << "z_pr_id"
                                        << "Półrocze";
    QTest::newRow("Ctrl+E on Rok stawek opłat") << "cmbRokStOpl"
                                                << "z_rok_st_opl_id"
                                                << "Id roku st. opl.";
    QTest::newRow("Ctrl+E on Stan zestawienia") << "cmbStanZest"
                                                << "z_stz_id"
                                                << "Stan zestawienia";
    QTest::newRow("Ctrl+E on Data utworzenia") << "edtDataUtw"
                                               << "z_dt_utw"
                                               << "Data utw.";
}

void TestTZestawienia::savingRefusedWithoutValue() {
    QFETCH(QString, widget);
    QFETCH(QString, field);
    QFETCH(QString, label);
    TZestawienia* w = openRegister();
    runEntry(w->actDodaj(), [&](TZestawieniaPoz& dlg) {
        Query& q = *dlg.dmfZest()->qryZest();
        if (!widget.isEmpty()) {
            setEntity(dlg);
            auto* edit = dlg.findChild<QWidget*>(widget);
            QVERIFY(edit);
            edit->setFocus();
            QTest::keyClick(edit, Qt::Key_E, Qt::ControlModifier);
            QVERIFY(q.fieldByName(field).isNull());
            if (auto* combo = qobject_cast<QComboBox*>(edit))
                QCOMPARE(combo->currentIndex(), -1);
            else
                QVERIFY(static_cast<DateFieldEdit*>(edit)->text().trimmed().isEmpty());
        }
        dlg.btnZapisz()->click();
        QVERIFY(dlg.isVisible());
        QVERIFY(q.isEditing());
        QCOMPARE(messages_->log(),
                 QStringList{QStringLiteral("error|Błąd|Pole „%1” musi mieć wartość.").arg(label)});
    });
    QCOMPARE(scalar("SELECT COUNT(*) FROM zestawienia"), 0);
}

void TestTZestawienia::savedStatementBecomesCurrent() {
    addStatement(500);
    TZestawienia* w = openRegister(500);
    int newId = 0;
    runEntry(w->actDodaj(), [&](TZestawieniaPoz& dlg) {
        setEntity(dlg);
        newId = int(dlg.dmfZest()->qryZest()->fieldByName("z_id").asInteger());
        auto* note = dlg.findChild<QPlainTextEdit*>("memNotatka");
        QVERIFY(note);
        note->setFocus();
        note->insertPlainText(QStringLiteral("Uwagi: żółć"));
        dlg.btnZapisz()->click();
        QVERIFY(!dlg.isVisible());
    });
    QVERIFY(newId > 500);
    QCOMPARE(int(w->dataSet()->fieldByName("z_id").asInteger()), newId);
    QCOMPARE(w->dataSet()->fieldByName("pdm_nazwa").asString(), kEntityName);
    QCOMPARE(w->dataSet()->fieldByName("z_notatka").asString(), QStringLiteral("Uwagi: żółć"));
    QVERIFY(messages_->shown.isEmpty());

    // "Popraw" on it and abandoning the change keeps the saved row.
    runEntry(w->actPopraw(), [&](TZestawieniaPoz& dlg) {
        QVERIFY(dlg.dmfZest()->qryZest()->state() == DataSetState::Edit);
        dlg.UsunPodmiotZestawienia();
        QVERIFY(dlg.findChild<QLineEdit*>("edtPdmNazwa")->text().isEmpty());
    });
    QCOMPARE(scalar(QStringLiteral("SELECT z_pdm_id FROM zestawienia WHERE z_id = %1").arg(newId)), kEntity);
    QCOMPARE(int(w->dataSet()->fieldByName("z_id").asInteger()), newId);
}

void TestTZestawienia::pickingAndClearingTheEntity() {
    TZestawienia* w = openRegister();
    runEntry(w->actDodaj(), [&](TZestawieniaPoz& dlg) {
        auto* name = dlg.findChild<QLineEdit*>("edtPdmNazwa");
        QVERIFY(name && name->isReadOnly() && name->text().isEmpty());
        // A double click on an entity field opens the picker; "Wybierz" takes its current entity.
        bool picked = false;
        QTimer::singleShot(0, &dlg, [&] {
            auto* picker = qobject_cast<TPodmiotyLW*>(QApplication::activeModalWidget());
            picked = picker;
            if (picker)
                picker->btnWybierz()->click();
        });
        QTest::mouseDClick(name, Qt::LeftButton);
        QVERIFY(picked);
        QCOMPARE(name->text(), kEntityName);
        QCOMPARE(dlg.findChild<QLineEdit*>("edtPdmRegon")->text(), QStringLiteral("271234567"));
        QVERIFY(!dlg.findChild<QLineEdit*>("edtGmNazwa")->text().isEmpty());
        QCOMPARE(int(dlg.dmfZest()->qryZest()->fieldByName("z_pdm_id").asInteger()), kEntity);

        dlg.findChild<QPushButton*>("btnUsunPodmiot")->click();
        for (QLineEdit* edit : dlg.findChildren<QLineEdit*>(QRegularExpression("^edt(Pdm|Woj|Pow|Gm)")))
            QVERIFY2(edit->text().isEmpty(), qPrintable(edit->objectName()));
        QVERIFY(dlg.dmfZest()->qryZest()->fieldByName("z_pdm_id").isNull());
    });
    QVERIFY(messages_->shown.isEmpty());
}

void TestTZestawienia::rateYearLock_data() {
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("removal");
    QTest::addColumn<bool>("locks");
    QTest::newRow("installation") << QString::fromUtf8(kInstallation)
                                  << "DELETE FROM instalacje_dzialalnosci WHERE ild_id = 7000" << true;
    QTest::newRow("water intake") << QString::fromUtf8(kIntake)
                                  << "DELETE FROM ujecia_wody WHERE uw_id = 7000" << true;
    QTest::newRow("collective summary only")
        << QString::fromUtf8(kSummary) << "DELETE FROM zestawienia_zbiorcze WHERE zzb_id = 7000" << false;
}

void TestTZestawienia::rateYearLock() {
    QFETCH(QString, content);
    QFETCH(QString, removal);
    QFETCH(bool, locks);
    const QByteArray sql = content.toUtf8();
    addStatement(500);
    addStatement(501);
    cn().execute(ContentSql(sql.constData(), 500, 7000));
    TZestawienia* w = openRegister(500);
    runEntry(w->actPopraw(), [&](TZestawieniaPoz& dlg) {
        auto* rokStOpl = dlg.findChild<QComboBox*>("cmbRokStOpl");
        QCOMPARE(rokStOpl->isEnabled(), !locks);
        QCOMPARE(SelectedId(rokStOpl), 1001);
        // The check follows the fields: with the content gone (as a content window removes it, telling
        // the module), the next change unlocks.
        cn().execute(removal);
        dlg.dmfZest()->ZawartoscZmieniona();
        auto* date = dlg.findChild<DateFieldEdit*>("edtDataUtw");
        date->setFocus();
        QTest::keyClick(date, Qt::Key_E, Qt::ControlModifier);
        QVERIFY(rokStOpl->isEnabled());
    });
    QVERIFY(messages_->shown.isEmpty());
}

void TestTZestawienia::contentWindowAfterSave() {
    // A stand-in for the Table A window: it adds an installation under the statement it is given.
    QList<int> opened;
    int savedRows = -1;
    RegisterContentWindow(ContentButton::TabelaA, [&](TdmfZest& dm, QWidget* parent) {
        QVERIFY(qobject_cast<TZestawieniaPoz*>(parent));
        QVERIFY(!dm.qryZest()->isEditing());
        const int zId = int(dm.qryZest()->fieldByName("z_id").asInteger());
        opened << zId;
        savedRows = scalar(QStringLiteral("SELECT COUNT(*) FROM zestawienia WHERE z_id = %1").arg(zId));
        cn().execute(ContentSql(kInstallation, zId, 7000 + int(opened.size())));
    });
    TZestawienia* w = openRegister();
    runEntry(w->actDodaj(), [&](TZestawieniaPoz& dlg) {
        for (const QString& name : kContentButtons) {
            auto* button = dlg.findChild<QPushButton*>(name);
            QVERIFY2(button, qPrintable(name));
            QVERIFY2(button->isEnabled() == (name == ContentButton::TabelaA), qPrintable(name));
        }
        auto* tabelaA = dlg.findChild<QPushButton*>(ContentButton::TabelaA);
        // Without an entity the statement cannot be saved, so the window does not open.
        tabelaA->click();
        QVERIFY(opened.isEmpty());
        QCOMPARE(messages_->log(),
                 QStringList{QStringLiteral("error|Błąd|Pole „Podmiot” musi mieć wartość.")});
        QVERIFY(dlg.isVisible() && dlg.dmfZest()->qryZest()->state() == DataSetState::Insert);

        setEntity(dlg);
        auto* rokStOpl = dlg.findChild<QComboBox*>("cmbRokStOpl");
        QVERIFY(rokStOpl->isEnabled());
        tabelaA->click();
        QCOMPARE(opened.size(), 1);
        QCOMPARE(savedRows, 1);
        // The statement now has content: its rate year is fixed.
        QVERIFY(!rokStOpl->isEnabled());
    });
    // Abandoning the window afterwards keeps the saved statement and its content.
    QCOMPARE(scalar("SELECT COUNT(*) FROM zestawienia"), 1);
    QCOMPARE(int(w->dataSet()->fieldByName("z_id").asInteger()), opened.value(0));
    QCOMPARE(scalar("SELECT COUNT(*) FROM instalacje_dzialalnosci"), 1);
    QCOMPARE(messages_->shown.size(), 1);
}

void TestTZestawienia::deletingRemovesEverything() {
    addStatement(500);
    addStatement(501);
    const char* const content[] = {kInstallation, kIntake, kSummary};
    int key = 7000;
    for (const char* sql : content) {
        cn().execute(ContentSql(sql, 500, key++));
        cn().execute(ContentSql(sql, 501, key++));
    }
    TZestawienia* w = openRegister(500);
    w->actAUUsun()->trigger();
    QCOMPARE(messages_->log(), QStringList{"question|Decyzja|Usunąć bieżący zapis?"});
    QCOMPARE(scalar("SELECT COUNT(*) FROM zestawienia WHERE z_id = 500"), 0);
    QCOMPARE(w->dataSet()->recordCount(), 1);
    for (const char* table : {"instalacje_dzialalnosci", "ujecia_wody", "zestawienia_zbiorcze"})
        QVERIFY2(scalar(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(table))) == 1, table);
}

QTEST_MAIN(TestTZestawienia)
#include "tst_TZestawienia.moc"
