// The entity data module on a version-7 database: new entities, the location check before saving,
// the location transfer, the active-flag views, the deletion with the permits that go with an entity
// and the refusals.

#include "entities/TdmfPodmioty.h"
#include "forms/DataHelpers.h"
#include "support/ScriptedMessages.h"
#include "support/TestDatabase.h"

#include <QSqlQuery>
#include <QtTest>

namespace {

const QString kNoLocation = QStringLiteral("error|Błąd|Podmiot musi mieć określoną lokalizację (województwo, "
                                           "powiat, gmina).");

} // namespace

class TestTdmfPodmioty : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void newEntity();
    void savingWithoutLocationWritesNothing();
    void savingWithoutNameWritesNothing();
    void locationTransfer();
    void activeFlagViews();
    void deletingTakesGasDustAndWastePermitsAlong();
    void refusals();
    void characterOutsideWin1250_data();
    void characterOutsideWin1250();

private:
    Connection& cn() { return db_->connection(); }
    int count(const QString& sql) { return db_->scalar(sql); }
    // A commune with its county and voivodeship, as the picker would hand it over.
    TrLokalizacja commune(int nth);
    void addEntity(int id, const QString& name, int active);

    std::unique_ptr<TestDatabase> db_;
    std::unique_ptr<ScopedScriptedMessages> messages_;
    std::unique_ptr<TdmfPodmioty> dm_;
};

void TestTdmfPodmioty::init() {
    db_ = std::make_unique<TestDatabase>();
    db_->createAtVersion(7);
    messages_ = std::make_unique<ScopedScriptedMessages>();
    dm_ = std::make_unique<TdmfPodmioty>(db_->connection());
}

void TestTdmfPodmioty::cleanup() {
    dm_.reset();
    messages_.reset();
    db_.reset();
}

TrLokalizacja TestTdmfPodmioty::commune(int nth) {
    QSqlQuery q =
        cn().run(QStringLiteral("SELECT gm_id, gm_nazwa, pow_id, pow_nazwa, woj_id, woj_nazwa FROM gminy "
                                "INNER JOIN powiaty ON pow_id = gm_pow_id "
                                "INNER JOIN wojewodztwa ON woj_id = pow_woj_id ORDER BY gm_id"));
    for (int i = 0; i <= nth; ++i)
        if (!q.next())
            qFatal("no commune");
    TrLokalizacja l;
    l.gmId = q.value(0).toInt();
    l.gmNazwa = q.value(1).toString();
    l.powId = q.value(2).toInt();
    l.powNazwa = q.value(3).toString();
    l.wojId = q.value(4).toInt();
    l.wojNazwa = q.value(5).toString();
    return l;
}

void TestTdmfPodmioty::addEntity(int id, const QString& name, int active) {
    cn().run(QStringLiteral("INSERT INTO podmioty (pdm_id, pdm_gm_id, pdm_nazwa, pdm_adres, pdm_f_aktualny) "
                            "VALUES (?, ?, ?, 'ul. Polna 1', ?)"),
             {id, commune(0).gmId, name, active});
}

void TestTdmfPodmioty::newEntity() {
    Query& q = *dm_->qryPodmioty();
    q.open();
    q.insert();
    const int generated =
        cn().selectValue(QStringLiteral("SELECT GEN_ID(g_podmioty, 0) FROM RDB$DATABASE")).toInt();
    QCOMPARE(q.fieldByName(QStringLiteral("pdm_id")).asInteger(), generated);
    QVERIFY(generated > 1000);
    QCOMPARE(q.fieldByName(QStringLiteral("pdm_f_aktualny")).asInteger(), 1);
    QCOMPARE(q.fieldByName(QStringLiteral("clc_f_aktualny")).asString(), QStringLiteral("+"));
    QCOMPARE(q.fieldByName(QStringLiteral("pdm_gm_id")).value(), QVariant(0));
    QVERIFY(q.fieldByName(QStringLiteral("pdm_nazwa")).isNull());

    // What the register shows and hides.
    QCOMPARE(q.fieldByName(QStringLiteral("woj_nazwa")).label(), QStringLiteral("Województwo"));
    QCOMPARE(q.fieldByName(QStringLiteral("pdm_telefon_faks")).label(), QStringLiteral("Telefon/faks"));
    QCOMPARE(q.fieldByName(QStringLiteral("pdm_id")).label(), QStringLiteral("Nr sys."));
    for (const char* hidden : {"pdm_f_aktualny", "pdm_gm_id", "pow_id", "woj_id"})
        QVERIFY2(!q.fieldByName(QString::fromLatin1(hidden)).isVisible(), hidden);

    // A complete entity is written with the seven columns of its own table.
    dm_->WriteLocation(commune(1));
    q.fieldByName(QStringLiteral("pdm_nazwa")).setValue(QStringLiteral("Zakład Żółć sp. z o.o."));
    q.fieldByName(QStringLiteral("pdm_regon")).setValue(QStringLiteral("123456785"));
    q.post();
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM podmioty WHERE pdm_id = %1 AND pdm_gm_id = %2 AND "
                                  "pdm_nazwa = 'Zakład Żółć sp. z o.o.' AND pdm_regon = '123456785' AND "
                                  "pdm_f_aktualny = 1")
                       .arg(generated)
                       .arg(commune(1).gmId)),
             1);
    QVERIFY(messages_->shown.isEmpty());
}

void TestTdmfPodmioty::savingWithoutLocationWritesNothing() {
    Query& q = *dm_->qryPodmioty();
    q.open();
    q.insert();
    q.fieldByName(QStringLiteral("pdm_nazwa")).setValue(QStringLiteral("Bez gminy"));
    QVERIFY_THROWS_EXCEPTION(OperationAborted, q.post());
    QCOMPARE(messages_->log(), QStringList{kNoLocation});
    QCOMPARE(q.state(), DataSetState::Insert);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM podmioty")), 0);

    // The same for a correction that loses its commune.
    addEntity(2001, QStringLiteral("Stary"), 1);
    q.cancel();
    q.refresh();
    q.edit();
    q.fieldByName(QStringLiteral("pdm_gm_id")).setValue(0);
    messages_->shown.clear();
    QVERIFY_THROWS_EXCEPTION(OperationAborted, q.post());
    QCOMPARE(messages_->log(), QStringList{kNoLocation});
    QCOMPARE(q.state(), DataSetState::Edit);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM podmioty WHERE pdm_gm_id = %1").arg(commune(0).gmId)),
             1);
}

void TestTdmfPodmioty::savingWithoutNameWritesNothing() {
    Query& q = *dm_->qryPodmioty();
    q.open();
    q.insert();
    dm_->WriteLocation(commune(0));
    q.fieldByName(QStringLiteral("pdm_nazwa")).setValue(QStringLiteral("   "));
    try {
        q.post();
        QFAIL("saved without a name");
    } catch (const DataError& e) {
        QCOMPARE(e.message(), QStringLiteral("Pole „Nazwa” musi mieć wartość."));
    }
    QCOMPARE(q.state(), DataSetState::Insert);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM podmioty")), 0);
}

void TestTdmfPodmioty::locationTransfer() {
    addEntity(2001, QStringLiteral("Firma"), 1);
    Query& q = *dm_->qryPodmioty();
    q.open();

    TrLokalizacja read;
    read.adres = QStringLiteral("untouched");
    dm_->ReadLocation(read);
    TrLokalizacja expected = commune(0);
    expected.adres = QStringLiteral("untouched");
    QCOMPARE(read, expected);

    const TrLokalizacja other = commune(5);
    dm_->WriteLocation(other);
    QCOMPARE(q.state(), DataSetState::Edit);
    TrLokalizacja back;
    dm_->ReadLocation(back);
    QCOMPARE(back, other);
    q.post();
    q.refresh();
    TrLokalizacja stored;
    dm_->ReadLocation(stored);
    QCOMPARE(stored, other);
}

void TestTdmfPodmioty::activeFlagViews() {
    addEntity(2001, QStringLiteral("Czynny"), 1);
    addEntity(2002, QStringLiteral("Wycofany"), 0);
    Query& q = *dm_->qryPodmioty();

    q.open();
    QCOMPARE(q.recordCount(), 1);
    QCOMPARE(q.fieldByName(QStringLiteral("pdm_nazwa")).asString(), QStringLiteral("Czynny"));

    q.close();
    SetActiveFilter(q, FilterAll);
    q.open();
    QCOMPARE(q.recordCount(), 2);
    QVERIFY(q.locate(QStringLiteral("pdm_id"), 2002));
    QCOMPARE(q.fieldByName(QStringLiteral("clc_f_aktualny")).asString(), QStringLiteral("-"));

    // Setting the flag again makes it an active entity.
    q.edit();
    q.fieldByName(QStringLiteral("pdm_f_aktualny")).setValue(1);
    q.post();
    QCOMPARE(q.fieldByName(QStringLiteral("clc_f_aktualny")).asString(), QStringLiteral("+"));
    QCOMPARE(count(QStringLiteral("SELECT pdm_f_aktualny FROM podmioty WHERE pdm_id = 2002")), 1);
}

void TestTdmfPodmioty::deletingTakesGasDustAndWastePermitsAlong() {
    addEntity(2001, QStringLiteral("Z pozwoleniami"), 1);
    cn().execute(
        QStringLiteral("INSERT INTO pozwolenia_gp (pwgp_id, pwgp_pdm_id, pwgp_numer, pwgp_data_wyd, "
                       "pwgp_organ_wyd, pwgp_term_obow_0, pwgp_term_obow_1) VALUES (3001, 2001, 'G1', "
                       "'2010-01-01', 'Starosta', '2010-01-01', '2020-01-01')"));
    for (int kind : {100, 101})
        cn().execute(QStringLiteral("INSERT INTO decyzje_odpd (dcodpd_id, dcodpd_pdm_id, dcodpd_rdodpd_id, "
                                    "dcodpd_numer, dcodpd_data_wyd, dcodpd_organ_wyd, dcodpd_term_obow_0, "
                                    "dcodpd_term_obow_1) VALUES (%1, 2001, %2, 'D%1', '2010-01-01', "
                                    "'Marszałek', '2010-01-01', '2020-01-01')")
                         .arg(4000 + kind)
                         .arg(kind));
    Query& q = *dm_->qryPodmioty();
    q.open();
    q.deleteRecord();
    QVERIFY(q.isEmpty());
    QVERIFY(messages_->shown.isEmpty());
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM podmioty")), 0);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM pozwolenia_gp")), 0);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM decyzje_odpd")), 0);
}

void TestTdmfPodmioty::refusals() {
    addEntity(2001, QStringLiteral("Z zestawieniem"), 1);
    cn().execute(
        QStringLiteral("INSERT INTO zestawienia (z_id, z_rok_id, z_pr_id, z_pdm_id, z_stz_id, z_dt_utw, "
                       "z_rok_st_opl_id) SELECT 5001, 1002, MIN(pr_id), 2001, (SELECT MIN(stz_id) FROM "
                       "stan_zestawienia), CURRENT_DATE, 1002 FROM polrocza"));
    Query& q = *dm_->qryPodmioty();
    q.open();
    QVERIFY_THROWS_EXCEPTION(OperationAborted, q.deleteRecord());
    QCOMPARE(messages_->log(),
             QStringList{QStringLiteral(
                 "error|Błąd usuwania zapisu|Nie można usunąć Podmiotu ponieważ jest w użyciu")});
    QCOMPARE(q.recordCount(), 1);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM podmioty")), 1);

    // The same name and address twice.
    messages_->shown.clear();
    q.insert();
    dm_->WriteLocation(commune(0));
    q.fieldByName(QStringLiteral("pdm_nazwa")).setValue(QStringLiteral("Z zestawieniem"));
    q.fieldByName(QStringLiteral("pdm_adres")).setValue(QStringLiteral("ul. Polna 1"));
    QVERIFY_THROWS_EXCEPTION(OperationAborted, q.post());
    QCOMPARE(messages_->log(), QStringList{QStringLiteral(
                                   "error|Błąd zapisu do bazy danych|Podmiot o takim kluczu już istnieje.")});
    QCOMPARE(q.state(), DataSetState::Insert);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM podmioty")), 1);
}

void TestTdmfPodmioty::characterOutsideWin1250_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("label"); // empty: the text is stored
    QTest::addColumn<QString>("character");
    QTest::newRow("snowman in the name") << "pdm_nazwa"
                                         << "Zakład ☃ Zima"
                                         << "Nazwa"
                                         << "☃";
    QTest::newRow("emoji in the address") << "pdm_adres"
                                          << "ul. Polna 1 😀"
                                          << "Adres"
                                          << "😀";
    QTest::newRow("Polish letters and typographic marks")
        << "pdm_nazwa"
        << "Zażółć gęślą jaźń – „Ostoja” €" << QString() << QString();
}

// A character the database cannot hold: a message naming the field and the character, with the
// engine's words only under the details; the row stays in editing and nothing is written.
void TestTdmfPodmioty::characterOutsideWin1250() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, label);
    QFETCH(QString, character);

    Query& q = *dm_->qryPodmioty();
    q.open();
    q.insert();
    dm_->WriteLocation(commune(0));
    q.fieldByName(QStringLiteral("pdm_nazwa")).setValue(QStringLiteral("Zakład"));
    q.fieldByName(field).setValue(text);
    if (label.isEmpty()) {
        q.post();
        QVERIFY(messages_->shown.isEmpty());
        QCOMPARE(cn().selectValue(QStringLiteral("SELECT %1 FROM podmioty").arg(field)).toString(), text);
        return;
    }
    QVERIFY_THROWS_EXCEPTION(OperationAborted, q.post());
    QCOMPARE(messages_->shown.size(), 1);
    const auto& shown = messages_->shown.first();
    QCOMPARE(shown.caption, QStringLiteral("Błąd zapisu do bazy danych"));
    const QString lead =
        QStringLiteral("Pole „%1” zawiera znak „%2”, którego baza danych nie może przechować. "
                       "Dozwolone są znaki strony kodowej Windows-1250, w tym wszystkie polskie "
                       "litery.\n\nSzczegóły błędu:\n")
            .arg(label, character);
    QVERIFY2(shown.text.startsWith(lead), qPrintable(shown.text));
    // The engine's English text follows the details line, and only there.
    const QString details = shown.text.mid(lead.size());
    QVERIFY2(details.contains(QLatin1String("transliterate"), Qt::CaseInsensitive), qPrintable(details));
    QVERIFY(!details.contains(QLatin1String("Szczegóły")));
    QCOMPARE(q.state(), DataSetState::Insert);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM podmioty")), 0);
}

QTEST_GUILESS_MAIN(TestTdmfPodmioty)
#include "tst_TdmfPodmioty.moc"
