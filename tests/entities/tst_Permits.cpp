// The data modules of the acts issued to an entity: each family lists only its entity's acts, starts
// a new act with its defaults, and refuses a duplicate or the deletion of an act that a place uses.

#include "entities/PermitFamily.h"
#include "entities/PermitQuery.h"
#include "support/ScriptedMessages.h"
#include "support/TestDatabase.h"

#include <QtTest>

#include <cstring>
#include <functional>

namespace {

struct FamilyCase {
    const char* name;
    PermitFamily family;
    const char* table;
    const char* prefix;
    bool issuedToday;
    int kind; // 0 for the tables without kinds
    const char* duplicate;
    const char* inUse;
    // A place of a statement that refers to the act 3001 (statement 5001).
    const char* place;
};

const FamilyCase kFamilies[] = {
    {"water-law permits", PermitFamily::PozwoleniaWp, "pozwolenia_wp", "pwp", true, 0,
     "Pozwolenie o takim kluczu już istnieje.", "Nie można usunąć Pozwolenia ponieważ jest w użyciu",
     "INSERT INTO odbiorniki_sc (osc_id, osc_z_id, osc_nazwa, osc_adres, osc_gm_id, osc_ros_id, osc_rzgw_id, "
     "osc_spwsc_id, osc_pwp_id) SELECT 6001, 5001, 'Rzeka', 'Brzeg', (SELECT MIN(gm_id) FROM gminy), "
     "(SELECT MIN(ros_id) FROM rdz_odbiornikow_sc), (SELECT MIN(rzgw_id) FROM rzgw), 100, 3001 FROM "
     "RDB$DATABASE"},
    {"gas and dust permits", PermitFamily::PozwoleniaGp, "pozwolenia_gp", "pwgp", true, 0,
     "Pozwolenie o takim kluczu już istnieje.", "Nie można usunąć Pozwolenia ponieważ jest w użyciu",
     "INSERT INTO instalacje_dzialalnosci (ild_id, ild_z_id, ild_spwgp_id, ild_pwgp_id, ild_gm_id, "
     "ild_adres, "
     "ild_rodzaj) SELECT 6001, 5001, 100, 3001, MIN(gm_id), 'Adres', 'Kotłownia' FROM gminy"},
    {"approvals", PermitFamily::DecyzjeOdpd, "decyzje_odpd", "dcodpd", false, 100,
     "Decyzja zatwierdzająca o takim kluczu już istnieje.",
     "Nie można usunąć Decyzji zatwierdzającej ponieważ jest w użyciu",
     "INSERT INTO skladowiska_odpd (skod_id, skod_z_id, skod_gm_id, skod_adres, skod_wrodpd_id, "
     "skod_sdcodpd_decyzja_id, skod_dcodpd_decyzja_id, skod_sdcodpd_zezwolenie_id) SELECT 6001, 5001, "
     "(SELECT MIN(gm_id) FROM gminy), 'Adres', MIN(wrodpd_id), 100, 3001, 102 FROM wsp_rozn_odpd"},
    {"waste permits", PermitFamily::ZezwoleniaOdpd, "decyzje_odpd", "dcodpd", false, 101,
     "Zezwolenia o takim kluczu już istnieje.", "Nie można usunąć Zezwolenia ponieważ jest w użyciu",
     "INSERT INTO skladowiska_odpd (skod_id, skod_z_id, skod_gm_id, skod_adres, skod_wrodpd_id, "
     "skod_sdcodpd_decyzja_id, skod_sdcodpd_zezwolenie_id, skod_dcodpd_zezwolenie_id) SELECT 6001, 5001, "
     "(SELECT MIN(gm_id) FROM gminy), 'Adres', MIN(wrodpd_id), 102, 100, 3001 FROM wsp_rozn_odpd"},
};

// One module of any family, owned by the test.
struct Module {
    std::unique_ptr<QObject> owner = std::make_unique<QObject>();
    Query* query = nullptr;
};

Module MakeModule(PermitFamily family, Connection& cn) {
    Module m;
    m.query = CreatePermitList(family, cn, m.owner.get());
    return m;
}

} // namespace

class TestPermits : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void newAct_data();
    void newAct();
    void listsOnlyItsEntityAndFamily_data();
    void listsOnlyItsEntityAndFamily();
    void refusals_data();
    void refusals();

private:
    Connection& cn() { return db_->connection(); }
    void addFamilies();
    void addEntity(int id);
    // Fills and posts the act in editing with the given number.
    void fill(Query& q, const FamilyCase& c, const QString& numer);
    QString col(const FamilyCase& c, const char* suffix) {
        return QLatin1String(c.prefix) + QLatin1String(suffix);
    }

    std::unique_ptr<TestDatabase> db_;
    std::unique_ptr<ScopedScriptedMessages> messages_;
};

void TestPermits::init() {
    db_ = std::make_unique<TestDatabase>();
    db_->createAtVersion(7);
    messages_ = std::make_unique<ScopedScriptedMessages>();
    addEntity(2001);
    addEntity(2002);
}

void TestPermits::cleanup() {
    messages_.reset();
    db_.reset();
}

void TestPermits::addEntity(int id) {
    cn().execute(QStringLiteral("INSERT INTO podmioty (pdm_id, pdm_gm_id, pdm_nazwa, pdm_f_aktualny) "
                                "SELECT %1, MIN(gm_id), 'Firma %1', 1 FROM gminy")
                     .arg(id));
}

void TestPermits::addFamilies() {
    QTest::addColumn<int>("index");
    for (int i = 0; i < int(std::size(kFamilies)); ++i)
        QTest::newRow(kFamilies[i].name) << i;
}

void TestPermits::fill(Query& q, const FamilyCase& c, const QString& numer) {
    q.fieldByName(col(c, "_numer")).setValue(numer);
    q.fieldByName(col(c, "_data_wyd")).setValue(QDate(2010, 5, 1));
    q.fieldByName(col(c, "_organ_wyd")).setValue(QStringLiteral("Starosta Poznański"));
    q.fieldByName(col(c, "_term_obow_0")).setValue(QDate(2010, 6, 1));
    q.fieldByName(col(c, "_term_obow_1")).setValue(QDate(2020, 5, 31));
    q.post();
}

void TestPermits::newAct_data() {
    addFamilies();
}

void TestPermits::newAct() {
    QFETCH(int, index);
    const FamilyCase& c = kFamilies[index];
    Module m = MakeModule(c.family, cn());
    Query& q = *m.query;
    SetPermitEntity(*m.query, 2002);
    q.open();
    QVERIFY(q.isEmpty());

    q.insert();
    const int generated =
        cn().selectValue(
                QStringLiteral("SELECT GEN_ID(g_%1, 0) FROM RDB$DATABASE").arg(QLatin1String(c.table)))
            .toInt();
    QCOMPARE(q.fieldByName(col(c, "_id")).asInteger(), generated);
    QCOMPARE(q.fieldByName(col(c, "_pdm_id")).asInteger(), 2002);
    const QVariant issued = q.fieldByName(col(c, "_data_wyd")).value();
    if (c.issuedToday)
        QCOMPARE(issued, QVariant(QDate::currentDate()));
    else
        QVERIFY(issued.isNull());
    if (c.kind)
        QCOMPARE(q.fieldByName(QStringLiteral("dcodpd_rdodpd_id")).asInteger(), c.kind);

    // Every field of the act is required and named by its label.
    try {
        q.post();
        QFAIL("saved without a number");
    } catch (const DataError& e) {
        QCOMPARE(e.message(), QStringLiteral("Pole „Nr” musi mieć wartość."));
    }
    QCOMPARE(q.fieldByName(col(c, "_term_obow_1")).label(), QStringLiteral("Data obow. do"));
    QVERIFY(q.fieldByName(col(c, "_term_obow_1")).isRequired());
    QCOMPARE(db_->scalar(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(c.table))), 0);

    fill(q, c, QStringLiteral("  OŚ/1/2010"));
    QCOMPARE(db_->scalar(
                 QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2 = %3 AND %4 = 2002 AND %5 = '  OŚ/1/2010'")
                     .arg(QLatin1String(c.table), col(c, "_id"))
                     .arg(generated)
                     .arg(col(c, "_pdm_id"), col(c, "_numer"))),
             1);
    if (c.kind)
        QCOMPARE(db_->scalar(QStringLiteral("SELECT dcodpd_rdodpd_id FROM decyzje_odpd")), c.kind);
    QVERIFY(messages_->shown.isEmpty());
}

void TestPermits::listsOnlyItsEntityAndFamily_data() {
    addFamilies();
}

void TestPermits::listsOnlyItsEntityAndFamily() {
    QFETCH(int, index);
    const FamilyCase& c = kFamilies[index];
    // Acts of both entities in every table, and of every kind of waste decision.
    for (int pdm : {2001, 2002}) {
        for (const char* t : {"pwp", "pwgp"})
            cn().execute(
                QStringLiteral("INSERT INTO %1 (%2_id, %2_pdm_id, %2_numer, %2_data_wyd, %2_organ_wyd, "
                               "%2_term_obow_0, %2_term_obow_1) VALUES (%3, %4, 'N%3', '2010-01-01', "
                               "'Organ', '2010-01-01', '2011-01-01')")
                    .arg(QLatin1String(strcmp(t, "pwp") == 0 ? "pozwolenia_wp" : "pozwolenia_gp"),
                         QLatin1String(t))
                    .arg(pdm + 1000)
                    .arg(pdm));
        for (int kind : {100, 101, 102, 103})
            cn().execute(
                QStringLiteral("INSERT INTO decyzje_odpd (dcodpd_id, dcodpd_pdm_id, dcodpd_rdodpd_id, "
                               "dcodpd_numer, dcodpd_data_wyd, dcodpd_organ_wyd, dcodpd_term_obow_0, "
                               "dcodpd_term_obow_1) VALUES (%1, %2, %3, 'D%1', '2010-01-01', 'Organ', "
                               "'2010-01-01', '2011-01-01')")
                    .arg(pdm * 10 + kind)
                    .arg(pdm)
                    .arg(kind));
    }
    Module m = MakeModule(c.family, cn());
    Query& q = *m.query;
    SetPermitEntity(*m.query, 2001);
    q.open();
    const int expected = c.family == PermitFamily::ZezwoleniaOdpd ? 3 : 1;
    QCOMPARE(q.recordCount(), expected);
    for (q.first(); !q.eof(); q.next()) {
        QCOMPARE(q.fieldByName(col(c, "_pdm_id")).asInteger(), 2001);
        if (c.kind) {
            const int kind = int(q.fieldByName(QStringLiteral("dcodpd_rdodpd_id")).asInteger());
            QVERIFY(c.family == PermitFamily::DecyzjeOdpd ? kind == 100 : kind > 100);
            QVERIFY(!q.fieldByName(QStringLiteral("rdodpd_nazwa")).asString().isEmpty());
        }
    }
    // Another entity set on the open list reads its acts.
    SetPermitEntity(*m.query, 2002);
    QCOMPARE(q.recordCount(), expected);
    QCOMPARE(q.fieldByName(col(c, "_pdm_id")).asInteger(), 2002);
}

void TestPermits::refusals_data() {
    addFamilies();
}

void TestPermits::refusals() {
    QFETCH(int, index);
    const FamilyCase& c = kFamilies[index];
    Module m = MakeModule(c.family, cn());
    Query& q = *m.query;
    SetPermitEntity(*m.query, 2001);
    q.open();
    q.insert();
    fill(q, c, QStringLiteral("12/2010"));

    // The same number, date and authority again, even for another entity.
    SetPermitEntity(*m.query, 2002);
    q.insert();
    QVERIFY_THROWS_EXCEPTION(OperationAborted, fill(q, c, QStringLiteral("12/2010")));
    QCOMPARE(messages_->log(), QStringList{QStringLiteral("error|Błąd zapisu do bazy danych|") +
                                           QString::fromUtf8(c.duplicate)});
    QCOMPARE(q.state(), DataSetState::Insert);
    q.cancel();

    // An act that a place refers to stays.
    SetPermitEntity(*m.query, 2001);
    cn().execute(QStringLiteral("UPDATE %1 SET %2 = 3001").arg(QLatin1String(c.table), col(c, "_id")));
    cn().execute(
        QStringLiteral("INSERT INTO zestawienia (z_id, z_rok_id, z_pr_id, z_pdm_id, z_stz_id, z_dt_utw, "
                       "z_rok_st_opl_id) SELECT 5001, 1002, MIN(pr_id), 2001, 100, CURRENT_DATE, 1002 "
                       "FROM polrocza"));
    cn().execute(QString::fromUtf8(c.place));
    q.refresh();
    messages_->shown.clear();
    QVERIFY_THROWS_EXCEPTION(OperationAborted, q.deleteRecord());
    QCOMPARE(messages_->log(),
             QStringList{QStringLiteral("error|Błąd usuwania zapisu|") + QString::fromUtf8(c.inUse)});
    QCOMPARE(q.recordCount(), 1);
    QCOMPARE(db_->scalar(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(c.table))), 1);
}

QTEST_GUILESS_MAIN(TestPermits)
#include "tst_Permits.moc"
