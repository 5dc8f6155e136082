// The statement data module on a version-7 database: a new statement's defaults, the rate year that
// stays when the year changes, the required fields, the deletion with all content, the empty-statement
// check, the entity header lookups and the picking and clearing of the entity.

#include "entities/TdmfPodmioty.h"
#include "statements/TdmfZest.h"
#include "support/ScriptedMessages.h"
#include "support/TestDatabase.h"

#include <QSqlQuery>
#include <QtTest>

namespace {

// One row of a statement's content, the table it goes into, and whether it makes the statement
// non-empty. `%Z` is the statement, `%N` a key.
struct ContentCase {
    const char* table;
    const char* sql;
    bool counts;
};

const ContentCase kContent[] = {
    {"instalacje_dzialalnosci",
     "INSERT INTO instalacje_dzialalnosci (ild_id, ild_z_id, ild_spwgp_id, ild_gm_id, ild_adres, ild_rodzaj) "
     "SELECT %N, %Z, 101, MIN(gm_id), 'Adres', 'Kotłownia' FROM gminy",
     true},
    {"lokalizacje_tb",
     "INSERT INTO lokalizacje_tb (ltb_id, ltb_z_id, ltb_gm_id, ltb_adres) SELECT %N, %Z, MIN(gm_id), "
     "'Stacja' "
     "FROM gminy",
     true},
    {"lokalizacja_tc",
     "INSERT INTO lokalizacja_tc (ltc_id, ltc_z_id, ltc_gm_id, ltc_adres) SELECT %N, %Z, MIN(gm_id), "
     "'Kocioł' "
     "FROM gminy",
     true},
    {"oplaty_td",
     "INSERT INTO oplaty_td (otd_id, otd_z_id, otd_ssp_id, otd_stawka_jedn) SELECT %N, %Z, MIN(ssp_id), 1 "
     "FROM stawki_silnik_paliwo",
     true},
    {"ujecia_wody",
     "INSERT INTO ujecia_wody (uw_id, uw_z_id, uw_tuw_id, uw_nazwa, uw_adres, uw_gm_id, uw_rzgw_id, "
     "uw_spw_id) "
     "SELECT %N, %Z, 100, 'Studnia', 'Adres', (SELECT MIN(gm_id) FROM gminy), MIN(rzgw_id), 100 FROM rzgw",
     true},
    {"odbiorniki_sc",
     "INSERT INTO odbiorniki_sc (osc_id, osc_z_id, osc_nazwa, osc_adres, osc_gm_id, osc_ros_id, osc_rzgw_id, "
     "osc_spwsc_id) SELECT %N, %Z, 'Rzeka', 'Brzeg', (SELECT MIN(gm_id) FROM gminy), (SELECT MIN(ros_id) "
     "FROM "
     "rdz_odbiornikow_sc), MIN(rzgw_id), 101 FROM rzgw",
     true},
    {"skladowiska_odpd",
     "INSERT INTO skladowiska_odpd (skod_id, skod_z_id, skod_gm_id, skod_adres, skod_wrodpd_id, "
     "skod_sdcodpd_decyzja_id, skod_sdcodpd_zezwolenie_id) SELECT %N, %Z, (SELECT MIN(gm_id) FROM gminy), "
     "'Adres', MIN(wrodpd_id), 102, 102 FROM wsp_rozn_odpd",
     true},
    {"zestawienia_zbiorcze",
     "INSERT INTO zestawienia_zbiorcze (zzb_id, zzb_z_id, zzb_woj_id) SELECT %N, %Z, MIN(woj_id) FROM "
     "wojewodztwa",
     false},
};

QString ContentSql(const ContentCase& c, int zId, int key) {
    return QString::fromUtf8(c.sql)
        .replace(QLatin1String("%Z"), QString::number(zId))
        .replace(QLatin1String("%N"), QString::number(key));
}

} // namespace

class TestTdmfZest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void newStatement();
    void changingTheYearKeepsTheRateYear();
    void requiredFields_data();
    void requiredFields();
    void deletingRemovesAllContent();
    void emptyCheck_data();
    void emptyCheck();
    void entityHeader();
    void pickingAndClearingTheEntity();

private:
    Connection& cn() { return db_->connection(); }
    int count(const QString& sql) { return db_->scalar(sql); }
    void addEntity(int id, const QString& name);
    // A saved statement of the entity, through the module.
    int addStatement(int pdmId);

    std::unique_ptr<TestDatabase> db_;
    std::unique_ptr<ScopedScriptedMessages> messages_;
    std::unique_ptr<TdmfZest> dm_;
};

void TestTdmfZest::init() {
    db_ = std::make_unique<TestDatabase>();
    db_->createAtVersion(7);
    messages_ = std::make_unique<ScopedScriptedMessages>();
    dm_ = std::make_unique<TdmfZest>(db_->connection());
    addEntity(2001, QStringLiteral("Huta Łabędy S.A."));
    addEntity(2002, QStringLiteral("Drugi"));
}

void TestTdmfZest::cleanup() {
    dm_.reset();
    messages_.reset();
    db_.reset();
}

void TestTdmfZest::addEntity(int id, const QString& name) {
    cn().run(QStringLiteral("INSERT INTO podmioty (pdm_id, pdm_gm_id, pdm_nazwa, pdm_adres, pdm_regon, "
                            "pdm_telefon_faks, pdm_f_aktualny) SELECT ?, MAX(gm_id), ?, 'ul. Hutnicza 1', "
                            "'271234567', '32 123 45 67', 1 FROM gminy"),
             {id, name});
}

int TestTdmfZest::addStatement(int pdmId) {
    Query& q = *dm_->qryZest();
    if (!q.isActive())
        q.open();
    q.insert();
    q.fieldByName(QStringLiteral("z_pdm_id")).setValue(pdmId);
    q.post();
    return int(q.fieldByName(QStringLiteral("z_id")).asInteger());
}

void TestTdmfZest::newStatement() {
    Query& q = *dm_->qryZest();
    q.open();
    QVERIFY(q.isEmpty());
    q.insert();
    QCOMPARE(q.fieldByName(QStringLiteral("z_id")).asInteger(),
             cn().selectValue(QStringLiteral("SELECT GEN_ID(g_zestawienia, 0) FROM RDB$DATABASE")).toInt());
    // 2012 comes first by ordinal.
    QCOMPARE(q.fieldByName(QStringLiteral("z_rok_id")).asInteger(), 1002);
    QCOMPARE(q.fieldByName(QStringLiteral("z_rok_st_opl_id")).asInteger(), 1002);
    QCOMPARE(dm_->RokStOplId(), 1002);
    QCOMPARE(q.fieldByName(QStringLiteral("z_pr_id")).asInteger(), 100);
    QCOMPARE(q.fieldByName(QStringLiteral("z_stz_id")).asInteger(), 100);
    QCOMPARE(q.fieldByName(QStringLiteral("z_dt_utw")).value(),
             QVariant(QDateTime(QDate::currentDate(), QTime(0, 0))));
    QVERIFY(q.fieldByName(QStringLiteral("z_pdm_id")).isNull());

    // Saved with its entity and a note, it reads back joined to its dictionaries.
    dm_->SetPodmiot(TrPodmiot{2001, QStringLiteral("Huta Łabędy S.A."), {}, {}, {}}, TrLokalizacja{});
    q.fieldByName(QStringLiteral("z_notatka")).setValue(QStringLiteral("Uwagi: żółć, źdźbło"));
    q.post();
    q.refresh();
    QCOMPARE(q.recordCount(), 1);
    QCOMPARE(q.fieldByName(QStringLiteral("pdm_nazwa")).asString(), QStringLiteral("Huta Łabędy S.A."));
    QCOMPARE(q.fieldByName(QStringLiteral("z_notatka")).asString(), QStringLiteral("Uwagi: żółć, źdźbło"));
    QCOMPARE(q.fieldByName(QStringLiteral("stz_nazwa")).asString(), QStringLiteral("w przygotowaniu"));
    QCOMPARE(q.fieldByName(QStringLiteral("rok_st_opl")).asInteger(),
             q.fieldByName(QStringLiteral("rok_nazwa")).asInteger());

    // The defaults follow the active rows by ordinal.
    cn().execute(QStringLiteral("UPDATE lata SET rok_f_aktualny = 0 WHERE rok_id = 1002"));
    cn().execute(QStringLiteral("UPDATE polrocza SET pr_lp = 5 WHERE pr_id = 101"));
    cn().execute(QStringLiteral("UPDATE stan_zestawienia SET stz_lp = 5 WHERE stz_id = 101"));
    q.insert();
    QCOMPARE(q.fieldByName(QStringLiteral("z_rok_id")).asInteger(), 1001);
    QCOMPARE(q.fieldByName(QStringLiteral("z_rok_st_opl_id")).asInteger(), 1001);
    QCOMPARE(q.fieldByName(QStringLiteral("z_pr_id")).asInteger(), 101);
    QCOMPARE(q.fieldByName(QStringLiteral("z_stz_id")).asInteger(), 101);
    q.cancel();

    // Without any active half-year the field stays empty, so that saving names it.
    cn().execute(QStringLiteral("UPDATE polrocza SET pr_f_aktualny = 0"));
    q.insert();
    QVERIFY(q.fieldByName(QStringLiteral("z_pr_id")).isNull());
    q.cancel();
    QVERIFY(messages_->shown.isEmpty());
}

void TestTdmfZest::changingTheYearKeepsTheRateYear() {
    Query& q = *dm_->qryZest();
    q.open();
    q.insert();
    const qint64 rateYear = q.fieldByName(QStringLiteral("z_rok_st_opl_id")).asInteger();
    const int other = rateYear == 1001 ? 1002 : 1001;
    q.fieldByName(QStringLiteral("z_rok_id")).setValue(other);
    QCOMPARE(q.fieldByName(QStringLiteral("z_rok_st_opl_id")).asInteger(), rateYear);
    q.fieldByName(QStringLiteral("z_pdm_id")).setValue(2001);
    q.post();
    QCOMPARE(
        count(QStringLiteral("SELECT COUNT(*) FROM zestawienia WHERE z_rok_id = %1 AND z_rok_st_opl_id = %2")
                  .arg(other)
                  .arg(rateYear)),
        1);
}

void TestTdmfZest::requiredFields_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("label");
    QTest::newRow("entity") << QStringLiteral("z_pdm_id") << QStringLiteral("Podmiot");
    QTest::newRow("year") << QStringLiteral("z_rok_id") << QStringLiteral("Rok Id");
    QTest::newRow("half-year") << QStringLiteral("z_pr_id") << QStringLiteral("Półrocze");
    QTest::newRow("state") << QStringLiteral("z_stz_id") << QStringLiteral("Stan zestawienia");
    QTest::newRow("rate year") << QStringLiteral("z_rok_st_opl_id") << QStringLiteral("Id roku st. opl.");
    QTest::newRow("creation date") << QStringLiteral("z_dt_utw") << QStringLiteral("Data utw.");
}

void TestTdmfZest::requiredFields() {
    QFETCH(QString, field);
    QFETCH(QString, label);
    Query& q = *dm_->qryZest();
    q.open();
    q.insert();
    if (field != QLatin1String("z_pdm_id"))
        q.fieldByName(QStringLiteral("z_pdm_id")).setValue(2001);
    q.fieldByName(field).clear();
    try {
        q.post();
        QFAIL("saved without a required field");
    } catch (const DataError& e) {
        QCOMPARE(e.message(), QStringLiteral("Pole „%1” musi mieć wartość.").arg(label));
    }
    QCOMPARE(q.state(), DataSetState::Insert);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM zestawienia")), 0);
}

void TestTdmfZest::deletingRemovesAllContent() {
    const int zId = addStatement(2001);
    const int kept = addStatement(2002);
    for (int i = 0; i < int(std::size(kContent)); ++i) {
        cn().execute(ContentSql(kContent[i], zId, 7000 + i));
        cn().execute(ContentSql(kContent[i], kept, 7100 + i));
    }
    cn().execute(QStringLiteral("INSERT INTO pozycje_zzb (pzzb_id, pzzb_zzb_id, pzzb_spzzb_id) "
                                "SELECT 7200, 7007, MIN(spzzb_id) FROM szablony_poz_zzb"));

    Query& q = *dm_->qryZest();
    q.refresh();
    QVERIFY(q.locate(QStringLiteral("z_id"), zId));
    q.deleteRecord();
    QVERIFY(messages_->shown.isEmpty());
    QCOMPARE(q.recordCount(), 1);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM zestawienia")), 1);
    for (const ContentCase& c : kContent)
        QVERIFY2(count(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(c.table))) == 1, c.table);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM pozycje_zzb")), 0);
}

void TestTdmfZest::emptyCheck_data() {
    QTest::addColumn<int>("index");
    for (int i = 0; i < int(std::size(kContent)); ++i)
        QTest::newRow(kContent[i].table) << i;
}

void TestTdmfZest::emptyCheck() {
    QFETCH(int, index);
    const ContentCase& c = kContent[index];
    const int zId = addStatement(2001);
    const int other = addStatement(2002);
    QVERIFY(dm_->ZestawienieJestPuste(zId));

    // Content of another statement is not this one's.
    cn().execute(ContentSql(c, other, 7001));
    QVERIFY(dm_->ZestawienieJestPuste(zId));

    // The lock of the current statement asks once and holds its answer until told of new content.
    Query& q = *dm_->qryZest();
    q.refresh();
    QVERIFY(q.locate(QStringLiteral("z_id"), zId));
    QVERIFY(!dm_->RokStOplZablokowany());

    cn().execute(ContentSql(c, zId, 7002));
    QCOMPARE(dm_->ZestawienieJestPuste(zId), !c.counts);
    QVERIFY(!dm_->RokStOplZablokowany());
    dm_->ZawartoscZmieniona();
    QCOMPARE(dm_->RokStOplZablokowany(), c.counts);
    // Another statement (with content of its own) is asked afresh.
    QVERIFY(q.locate(QStringLiteral("z_id"), other));
    QCOMPARE(dm_->RokStOplZablokowany(), c.counts);

    // Deleting the content makes the statement empty again.
    cn().execute(QStringLiteral("DELETE FROM %1").arg(QLatin1String(c.table)));
    QVERIFY(dm_->ZestawienieJestPuste(zId));
    QVERIFY(q.locate(QStringLiteral("z_id"), zId));
    QVERIFY(!dm_->RokStOplZablokowany());
}

void TestTdmfZest::entityHeader() {
    const int zId = addStatement(2001);
    cn().execute(ContentSql(kContent[7], zId, 7001));
    const TrPodmiot expected{2001, QStringLiteral("Huta Łabędy S.A."), QStringLiteral("ul. Hutnicza 1"),
                             QStringLiteral("271234567"), QStringLiteral("32 123 45 67")};
    QCOMPARE(dm_->PodmiotZestawienia(zId), expected);
    QCOMPARE(dm_->PodmiotZestawieniaZbiorczego(7001), expected);
    QCOMPARE(dm_->PodmiotZestawienia(zId + 100), TrPodmiot{});
    QCOMPARE(dm_->PodmiotZestawieniaZbiorczego(7002), TrPodmiot{});
}

void TestTdmfZest::pickingAndClearingTheEntity() {
    const int zId = addStatement(2002);
    Query& q = *dm_->qryZest();
    QCOMPARE(q.state(), DataSetState::Browse);

    // The entity as the selection window leaves it current.
    TdmfPodmioty podmioty(cn());
    Query& p = *podmioty.qryPodmioty();
    p.open();
    QVERIFY(p.locate(QStringLiteral("pdm_id"), 2001));
    dm_->SetPodmiot(p);
    QCOMPARE(q.state(), DataSetState::Edit);
    QCOMPARE(q.fieldByName(QStringLiteral("z_pdm_id")).asInteger(), 2001);
    for (const char* name :
         {"pdm_nazwa", "pdm_adres", "pdm_regon", "pdm_telefon_faks", "gm_nazwa", "pow_nazwa", "woj_nazwa"})
        QVERIFY2(q.fieldByName(QString::fromLatin1(name)).asString() ==
                     p.fieldByName(QString::fromLatin1(name)).asString(),
                 name);
    QCOMPARE(q.fieldByName(QStringLiteral("pdm_nazwa")).asString(), QStringLiteral("Huta Łabędy S.A."));

    // Cleared, the statement cannot be saved and keeps its stored entity.
    dm_->ClearPodmiot();
    for (const char* name : {"z_pdm_id", "pdm_nazwa", "pdm_adres", "pdm_regon", "pdm_telefon_faks",
                             "gm_nazwa", "pow_nazwa", "woj_nazwa"})
        QVERIFY2(q.fieldByName(QString::fromLatin1(name)).isNull(), name);
    QVERIFY_THROWS_EXCEPTION(DataError, q.post());
    QCOMPARE(count(QStringLiteral("SELECT z_pdm_id FROM zestawienia WHERE z_id = %1").arg(zId)), 2002);

    // Picked again and saved, the statement belongs to the new entity.
    dm_->SetPodmiot(p);
    q.post();
    QCOMPARE(count(QStringLiteral("SELECT z_pdm_id FROM zestawienia WHERE z_id = %1").arg(zId)), 2001);
}

QTEST_GUILESS_MAIN(TestTdmfZest)
#include "tst_TdmfZest.moc"
