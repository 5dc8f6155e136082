// The dictionaries module on a version-7 database: every query lists, writes and refuses as its table
// allows; new rows, refused deletes and duplicates; the decimals of the sewage rates; the year of the
// gas and dust rates; the territorial and waste-catalogue links.

#include "dict/DictQuery.h"
#include "dict/TdmfDict.h"
#include "forms/DataHelpers.h"
#include "support/ScriptedMessages.h"
#include "support/TestDatabase.h"

#include <QElapsedTimer>
#include <QtTest>

namespace {

using Accessor = Query* (TdmfDict::*)() const;

struct QueryCase {
    const char* accessor;
    Accessor get;
    const char* table;
    const char* prefix;
    DictAccess access;
    // Condition of the rows the query lists in all modes; nullptr for the linked lists, whose rows
    // depend on the current row of another query.
    const char* rows;
};

const QueryCase kQueries[] = {
    {"qryLata", &TdmfDict::qryLata, "lata", "rok", DictAccess::Editable, "1 = 1"},
    {"qryPolrocza", &TdmfDict::qryPolrocza, "polrocza", "pr", DictAccess::Editable, "1 = 1"},
    {"qryStanZestawienia", &TdmfDict::qryStanZestawienia, "stan_zestawienia", "stz", DictAccess::ReadOnly,
     "1 = 1"},
    {"qrySzablonyPozZzb", &TdmfDict::qrySzablonyPozZzb, "szablony_poz_zzb", "spzzb",
     DictAccess::NoAddNoDelete, "1 = 1"},
    {"qryLataStOpl", &TdmfDict::qryLataStOpl, "lata", "rok", DictAccess::ReadOnly, "rok_f_st_op = 1"},
    {"qryWojewodztwa", &TdmfDict::qryWojewodztwa, "wojewodztwa", "woj", DictAccess::ReadOnly, "1 = 1"},
    {"qryPowiaty", &TdmfDict::qryPowiaty, "powiaty", "pow", DictAccess::ReadOnly, nullptr},
    {"qryGminy", &TdmfDict::qryGminy, "gminy", "gm", DictAccess::ReadOnly, nullptr},
    {"qryRzgw", &TdmfDict::qryRzgw, "rzgw", "rzgw", DictAccess::Editable, "1 = 1"},
    {"qryTypUjeciaWody", &TdmfDict::qryTypUjeciaWody, "typ_ujecia_wody", "tuw", DictAccess::Editable,
     "1 = 1"},
    {"qryRodzajUwPow", &TdmfDict::qryRodzajUwPow, "rodzaj_uw_pow", "rdzuwpw", DictAccess::Editable, "1 = 1"},
    {"qryStawkiPw", &TdmfDict::qryStawkiPw, "stawki_pw", "spw", DictAccess::NoAddNoDelete, "1 = 1"},
    {"qryWspRoznPw", &TdmfDict::qryWspRoznPw, "wsp_rozn_pw", "wrpw", DictAccess::NoAddNoDelete, "1 = 1"},
    {"qryStatusyPozwolenWp", &TdmfDict::qryStatusyPozwolenWp, "statusy_pozwolen_wp", "spw",
     DictAccess::ReadOnly, "1 = 1"},
    {"qryPaliwaKotlow", &TdmfDict::qryPaliwaKotlow, "paliwa_kotlow", "plwk", DictAccess::Editable, "1 = 1"},
    {"qryRodzajePaliwSilnik", &TdmfDict::qryRodzajePaliwSilnik, "rodzaje_paliw_silnik", "rps",
     DictAccess::Editable, "1 = 1"},
    {"qryRodzajeSilnikow", &TdmfDict::qryRodzajeSilnikow, "rodzaje_silnikow", "rds", DictAccess::Editable,
     "1 = 1"},
    {"qryStawkiSilnikPaliwo", &TdmfDict::qryStawkiSilnikPaliwo, "stawki_silnik_paliwo", "ssp",
     DictAccess::NoAddNoDelete, "1 = 1"},
    {"qryStawkiTb", &TdmfDict::qryStawkiTb, "stawki_tb", "stb", DictAccess::NoAddNoDelete, "1 = 1"},
    {"qryStawkiTc", &TdmfDict::qryStawkiTc, "stawki_tc", "stc", DictAccess::NoAddNoDelete, "1 = 1"},
    {"qrySoTabelaG", &TdmfDict::qrySoTabelaG, "so_tabela_g", "sotg", DictAccess::NoAdd, "1 = 1"},
    {"qryStatusyPozwolenGp", &TdmfDict::qryStatusyPozwolenGp, "statusy_pozwolen_gp", "spwgp",
     DictAccess::ReadOnly, "1 = 1"},
    {"qrySoTabelaA", &TdmfDict::qrySoTabelaA, "so_tabela_a", "sota", DictAccess::NoAdd, "1 = 1"},
    {"qrySoTabelaB", &TdmfDict::qrySoTabelaB, "so_tabela_b", "sotb", DictAccess::NoAdd, "1 = 1"},
    {"qrySoTabelaC", &TdmfDict::qrySoTabelaC, "so_tabela_c", "sotc", DictAccess::NoAdd, "1 = 1"},
    {"qrySoTabelaD", &TdmfDict::qrySoTabelaD, "so_tabela_d", "sotd", DictAccess::NoAdd, "1 = 1"},
    {"qryRdzOdbiornikowSc", &TdmfDict::qryRdzOdbiornikowSc, "rdz_odbiornikow_sc", "ros", DictAccess::Editable,
     "1 = 1"},
    {"qryKodyRdzSc", &TdmfDict::qryKodyRdzSc, "kody_rdz_sc", "krsc", DictAccess::Editable, "1 = 1"},
    {"qryStatusyPozwolenWpSc", &TdmfDict::qryStatusyPozwolenWpSc, "statusy_pozwolen_wp_sc", "spwsc",
     DictAccess::Editable, "1 = 1"},
    {"qryWspRoznSc", &TdmfDict::qryWspRoznSc, "wsp_rozn_sc", "wrsc", DictAccess::Editable, "1 = 1"},
    {"qryWskaznikiTaSc", &TdmfDict::qryWskaznikiTaSc, "wskazniki_ta_sc", "wtasc", DictAccess::Editable,
     "1 = 1"},
    {"qryWspRoznOdpd", &TdmfDict::qryWspRoznOdpd, "wsp_rozn_odpd", "wrodpd", DictAccess::Editable, "1 = 1"},
    {"qryStatusyDecOdpd", &TdmfDict::qryStatusyDecOdpd, "statusy_dec_odpd", "sdcodpd", DictAccess::ReadOnly,
     "1 = 1"},
    {"qryRdzDecyzjiOdpd", &TdmfDict::qryRdzDecyzjiOdpd, "rdz_decyzji_odpd", "rdodpd", DictAccess::ReadOnly,
     "1 = 1"},
    {"qryTypySkladowOdpd", &TdmfDict::qryTypySkladowOdpd, "typy_skladow_odpd", "tsodpd", DictAccess::ReadOnly,
     "1 = 1"},
    {"qryRdzZezwOdpd", &TdmfDict::qryRdzZezwOdpd, "rdz_decyzji_odpd", "rdodpd", DictAccess::ReadOnly,
     "rdodpd_id > 100"},
    {"qrySoTlGrupy", &TdmfDict::qrySoTlGrupy, "so_tabela_l", "sotl", DictAccess::ReadOnly,
     "sotl_h_poziom = 1 AND sotl_rok_id = 1002"},
    {"qrySoTlPodgrupy", &TdmfDict::qrySoTlPodgrupy, "so_tabela_l", "sotl", DictAccess::ReadOnly, nullptr},
    {"qrySoTlRodzaje", &TdmfDict::qrySoTlRodzaje, "so_tabela_l", "sotl", DictAccess::ReadOnly, nullptr},
};

QString Sql(const char* format, const QueryCase& c) {
    return QString::fromLatin1(format)
        .replace(QLatin1String("%T"), QLatin1String(c.table))
        .replace(QLatin1String("%P"), QLatin1String(c.prefix))
        .replace(QLatin1String("%W"), QLatin1String(c.rows ? c.rows : "1 = 1"));
}

} // namespace

class TestTdmfDict : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void nothingIsReadAtConstruction();
    void everyQuery_data();
    void everyQuery();
    void newYear();
    void yearInUseIsNotDeleted_data();
    void yearInUseIsNotDeleted();
    void duplicateYearStaysInEditing();
    void newSewageCoefficientOrdinal();
    void rateDecimals_data();
    void rateDecimals();
    void rateEntryThatIsNotANumber();
    void engineFuelRatesShowGrosze_data();
    void engineFuelRatesShowGrosze();
    void gasAndDustRatesByYear();
    void territorialLinks();
    void wasteCatalogueTree();

private:
    double value(const QString& sql) { return db_->connection().selectValue(sql).toDouble(); }

    std::unique_ptr<TestDatabase> db_;
    std::unique_ptr<ScopedScriptedMessages> messages_;
    std::unique_ptr<TdmfDict> dict_;
};

void TestTdmfDict::init() {
    db_ = std::make_unique<TestDatabase>();
    db_->createAtVersion(7);
    messages_ = std::make_unique<ScopedScriptedMessages>();
    dict_ = std::make_unique<TdmfDict>(db_->connection());
}

void TestTdmfDict::cleanup() {
    dict_.reset();
    messages_.reset();
    db_.reset();
}

void TestTdmfDict::nothingIsReadAtConstruction() {
    QElapsedTimer timer;
    timer.start();
    TdmfDict dict(db_->connection());
    QVERIFY(timer.elapsed() < 150);
    QCOMPARE(dict.queries().size(), int(std::size(kQueries)));
    for (Query* q : dict.queries())
        QVERIFY(!q->isActive());
}

void TestTdmfDict::everyQuery_data() {
    QTest::addColumn<int>("index");
    for (int i = 0; i < int(std::size(kQueries)); ++i)
        QTest::newRow(kQueries[i].accessor) << i;
}

// Lists in the three filter modes, writes through its own statements (or refuses, silently, what its
// table does not allow).
void TestTdmfDict::everyQuery() {
    QFETCH(int, index);
    const QueryCase& c = kQueries[index];
    Query& q = *(dict_.get()->*c.get)();
    Connection& cn = db_->connection();
    const QString key = QLatin1String(c.prefix) + QLatin1String("_id");

    // The linked lists need their masters' current rows.
    dict_->setSoTlYear(1002);
    for (Query* master :
         {dict_->qryWojewodztwa(), dict_->qryPowiaty(), dict_->qrySoTlGrupy(), dict_->qrySoTlPodgrupy()})
        if (master != &q)
            OpenIfClosed(master);

    // One listed row withdrawn.
    int total = -1;
    if (c.rows) {
        total = db_->scalar(Sql("SELECT COUNT(*) FROM %T WHERE %W", c));
        QVERIFY(total > 0);
        cn.execute(
            Sql("UPDATE %T SET %P_f_aktualny = 0 WHERE %P_id = (SELECT MIN(%P_id) FROM %T WHERE %W)", c));
    }
    const struct {
        int mode;
        int rows;
        const char* flag;
    } modes[] = {{FilterActive, total - 1, "+"}, {FilterInactive, 1, "-"}, {FilterAll, total, nullptr}};
    for (const auto& m : modes) {
        q.close();
        SetActiveFilter(q, m.mode);
        q.open();
        if (c.rows)
            QCOMPARE(q.recordCount(), m.rows);
        else if (m.mode == FilterActive)
            QVERIFY(q.recordCount() > 0);
        for (q.first(); !q.eof(); q.next()) {
            const QString flag =
                q.fieldByName(QLatin1String(c.prefix) + QLatin1String("_f_aktualny")).asInteger()
                    ? QStringLiteral("+")
                    : QStringLiteral("-");
            QCOMPARE(q.fieldByName("clc_f_aktualny").asString(), flag);
            if (m.flag)
                QCOMPARE(flag, QLatin1String(m.flag));
        }
    }
    // Only the table's own columns can be required: the joined ones are never written.
    for (const auto& f : q.fields())
        if (f->isRequired())
            QVERIFY2(f->name().startsWith(QLatin1String(c.prefix) + QLatin1Char('_')), qPrintable(f->name()));

    SetActiveFilter(q, FilterAll);
    q.refresh();
    if (q.isEmpty())
        return;
    q.first();
    const int rows = q.recordCount();
    const int firstKey = int(q.fieldByName(key).asInteger());

    if (c.access == DictAccess::ReadOnly) {
        QVERIFY_THROWS_EXCEPTION(OperationAborted, q.append());
        QVERIFY_THROWS_EXCEPTION(OperationAborted, q.edit());
        QVERIFY_THROWS_EXCEPTION(OperationAborted, q.deleteRecord());
        QCOMPARE(q.state(), DataSetState::Browse);
        QCOMPARE(q.recordCount(), rows);
        QVERIFY(messages_->shown.isEmpty());
        return;
    }

    // The update statement names every column of the table: a change of the ordinal is written.
    const QString lpField = QLatin1String(c.prefix) + QLatin1String("_lp");
    q.edit();
    q.fieldByName(lpField).setValue(7777);
    q.post();
    QCOMPARE(db_->scalar(Sql("SELECT %P_lp FROM %T WHERE %P_id = ", c) + QString::number(firstKey)), 7777);

    if (c.access != DictAccess::Editable) {
        QVERIFY_THROWS_EXCEPTION(OperationAborted, q.append());
        QCOMPARE(q.state(), DataSetState::Browse);
        QCOMPARE(q.recordCount(), rows);
        if (c.access == DictAccess::NoAddNoDelete) {
            QVERIFY_THROWS_EXCEPTION(OperationAborted, q.deleteRecord());
            QCOMPARE(
                db_->scalar(Sql("SELECT COUNT(*) FROM %T WHERE %P_id = ", c) + QString::number(firstKey)), 1);
        } else {
            q.deleteRecord();
            QCOMPARE(
                db_->scalar(Sql("SELECT COUNT(*) FROM %T WHERE %P_id = ", c) + QString::number(firstKey)), 0);
        }
        QVERIFY(messages_->shown.isEmpty());
        return;
    }

    // A new row: key from the generator, ordinal above the highest, active; then written and deleted.
    const int nextLp = db_->scalar(Sql("SELECT MAX(%P_lp) FROM %T", c)) + 10;
    q.append();
    const int newKey = int(q.fieldByName(key).asInteger());
    QCOMPARE(newKey, QLatin1String(c.table) == QLatin1String("lata") ? 10001 : 1001);
    QCOMPARE(q.fieldByName(lpField).asInteger(), nextLp);
    QCOMPARE(q.fieldByName(QLatin1String(c.prefix) + QLatin1String("_f_aktualny")).asInteger(), 1);
    QCOMPARE(q.fieldByName("clc_f_aktualny").asString(), QStringLiteral("+"));
    for (const auto& f : q.fields()) {
        if (!f->isRequired() || f->isCalculated() || !f->isNull())
            continue;
        f->setValue(f->type() == FieldType::String ? QVariant(QStringLiteral("Nowy")) : QVariant(1));
    }
    q.post();
    QCOMPARE(db_->scalar(Sql("SELECT COUNT(*) FROM %T WHERE %P_id = ", c) + QString::number(newKey)), 1);
    q.deleteRecord();
    QCOMPARE(db_->scalar(Sql("SELECT COUNT(*) FROM %T WHERE %P_id = ", c) + QString::number(newKey)), 0);
    QVERIFY(messages_->shown.isEmpty());
}

void TestTdmfDict::newYear() {
    Query& lata = *dict_->qryLata();
    SetActiveFilter(lata, FilterAll);
    lata.open();
    lata.append();
    QCOMPARE(lata.fieldByName("rok_id").asInteger(), 10001);
    QCOMPARE(lata.fieldByName("rok_lp").asInteger(), 30); // 2012 at 10, 2011 at 20
    QCOMPARE(lata.fieldByName("rok_f_aktualny").asInteger(), 1);
    QCOMPARE(lata.fieldByName("rok_f_st_op").asInteger(), 0);
    lata.fieldByName("rok_nazwa").setValue(2013);
    lata.post();
    QCOMPARE(db_->scalar("SELECT rok_nazwa FROM lata WHERE rok_id = 10001"), 2013);

    // Not offered as a rate year.
    Query& rateYears = *dict_->qryLataStOpl();
    QCOMPARE(rateYears.sql(),
             QStringLiteral("SELECT * FROM lata WHERE rok_f_st_op = 1 AND ((rok_f_aktualny = "
                            ":f_aktualny_1) OR (rok_f_aktualny = :f_aktualny_2))"));
    rateYears.open();
    QCOMPARE(rateYears.recordCount(), 2);
    QVERIFY(!rateYears.locate("rok_nazwa", 2013));
    rateYears.first();
    QCOMPARE(rateYears.fieldByName("rok_nazwa").asInteger(), 2012); // newest first
}

void TestTdmfDict::yearInUseIsNotDeleted_data() {
    QTest::addColumn<int>("year");          // key of the year deleted
    QTest::addColumn<int>("statementYear"); // 0: no statement
    QTest::addColumn<QString>("expected");  // %1: the year's rate rows; empty: deleted
    const QString tail =
        QStringLiteral(" i nie może być usunięty. Rok, którego już się nie używa, można wycofać "
                       "poleceniem „Ustaw aktywny”.");
    QTest::newRow("2012 with rates") << 1002 << 0 << "Rok 2012 ma stawki opłat (liczba wierszy: %1)" + tail;
    QTest::newRow("2012 with rates and a statement")
        << 1002 << 1002
        << "Rok 2012 ma stawki opłat (liczba wierszy: %1) oraz jest rokiem zestawień (liczba zestawień: 1)" +
               tail;
    QTest::newRow("a new year with a statement")
        << 10001 << 10001 << "Rok 2013 jest rokiem zestawień (liczba zestawień: 1)" + tail;
    QTest::newRow("a new year unused") << 10001 << 0 << QString();
}

// A year is deleted only when nothing refers to it: the schema would take its rates along without a
// word, and a statement could not keep its year.
void TestTdmfDict::yearInUseIsNotDeleted() {
    QFETCH(int, year);
    QFETCH(int, statementYear);
    QFETCH(QString, expected);

    Connection& cn = db_->connection();
    cn.execute("INSERT INTO lata (rok_id, rok_nazwa, rok_lp, rok_f_aktualny, rok_f_st_op) "
               "VALUES (10001, 2013, 30, 1, 0)");
    if (statementYear != 0) {
        cn.execute("INSERT INTO podmioty (pdm_id, pdm_gm_id, pdm_nazwa, pdm_f_aktualny) "
                   "SELECT 5000, MIN(gm_id), 'Firma', 1 FROM gminy");
        cn.execute(
            QStringLiteral("INSERT INTO zestawienia (z_id, z_rok_id, z_pr_id, z_pdm_id, z_stz_id, z_dt_utw, "
                           "z_rok_st_opl_id) SELECT 5000, %1, (SELECT MIN(pr_id) FROM polrocza), 5000, "
                           "(SELECT MIN(stz_id) FROM stan_zestawienia), CURRENT_TIMESTAMP, 1002 FROM "
                           "RDB$DATABASE")
                .arg(statementYear));
    }
    const auto rateRows = [&] {
        int rows = 0;
        for (const char* t : {"stawki_pw:spw", "stawki_silnik_paliwo:ssp", "stawki_tb:stb", "stawki_tc:stc",
                              "so_tabela_g:sotg", "so_tabela_a:sota", "so_tabela_b:sotb", "so_tabela_c:sotc",
                              "so_tabela_d:sotd", "so_tabela_l:sotl"}) {
            const QStringList parts = QString::fromLatin1(t).split(':');
            rows += db_->scalar(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2_rok_id = %3")
                                    .arg(parts[0], parts[1])
                                    .arg(year));
        }
        return rows;
    };
    const int rates = rateRows();
    QVERIFY(year != 1002 || rates > 1000);

    Query& lata = *dict_->qryLata();
    lata.open();
    QVERIFY(lata.locate("rok_id", year));
    if (expected.isEmpty()) {
        lata.deleteRecord();
        QVERIFY(messages_->shown.isEmpty());
        QCOMPARE(db_->scalar(QStringLiteral("SELECT COUNT(*) FROM lata WHERE rok_id = %1").arg(year)), 0);
        return;
    }
    QVERIFY_THROWS_EXCEPTION(OperationAborted, lata.deleteRecord());
    QCOMPARE(messages_->log(), QStringList{"error|Błąd usuwania zapisu|" + expected.arg(rates)});
    QVERIFY(lata.locate("rok_id", year));
    QCOMPARE(db_->scalar(QStringLiteral("SELECT COUNT(*) FROM lata WHERE rok_id = %1").arg(year)), 1);
    QCOMPARE(rateRows(), rates);
}

void TestTdmfDict::duplicateYearStaysInEditing() {
    Query& lata = *dict_->qryLata();
    lata.open();
    lata.append();
    lata.fieldByName("rok_nazwa").setValue(2012);
    QVERIFY_THROWS_EXCEPTION(OperationAborted, lata.post());
    QCOMPARE(messages_->log(),
             QStringList{"error|Błąd zapisu do bazy danych|Rok zestawienia o takim kluczu już istnieje."});
    QCOMPARE(lata.state(), DataSetState::Insert);
    QCOMPARE(lata.fieldByName("rok_nazwa").asInteger(), 2012);
    QCOMPARE(db_->scalar("SELECT COUNT(*) FROM lata"), 2);

    // Left empty, a required column is refused before anything is written.
    lata.fieldByName("rok_nazwa").clear();
    QVERIFY_THROWS_EXCEPTION(DataError, lata.post());
    QCOMPARE(lata.state(), DataSetState::Insert);
}

void TestTdmfDict::newSewageCoefficientOrdinal() {
    Query& q = *dict_->qryWspRoznSc();
    q.open();
    q.append();
    QCOMPARE(q.fieldByName("wrsc_lp").asInteger(), 50);
    QCOMPARE(q.fieldByName("wrsc_id").asInteger(), 1001);
}

void TestTdmfDict::rateDecimals_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("A Cl+SO4") << "a"
                              << "Cl+SO4"
                              << "0,01234" << 0.012 << "0,012";
    QTest::newRow("A Cl+SO4-RZGW-Gd") << "a"
                                      << "Cl+SO4-RZGW-Gd"
                                      << "0,01234" << 0.0123 << "0,0123";
    QTest::newRow("A BZT5") << "a"
                            << "BZT5"
                            << "0,01234" << 0.01 << "0,01";
    QTest::newRow("A emptied") << "a"
                               << "BZT5"
                               << "" << 0.0 << "0,00";
    QTest::newRow("A tie to even down") << "a"
                                        << "Cl+SO4"
                                        << "0,0125" << 0.012 << "0,012";
    QTest::newRow("A tie to even up") << "a"
                                      << "Cl+SO4"
                                      << "0,0135" << 0.014 << "0,014";
    QTest::newRow("A thousands") << "a"
                                 << "ZO"
                                 << "1234,5" << 1234.5 << "1 234,50";
    QTest::newRow("A whole number") << "a"
                                    << "ZO"
                                    << "5" << 5.0 << "5,00";
    QTest::newRow("D PORTY") << "d"
                             << "PORTY"
                             << "0,06449" << 0.064 << "0,064";
    QTest::newRow("D T_PRZEMYSL") << "d"
                                  << "T_PRZEMYSL"
                                  << "0,06449" << 0.06 << "0,06";
}

void TestTdmfDict::rateDecimals() {
    QFETCH(QString, table);
    QFETCH(QString, code);
    QFETCH(QString, typed);
    QFETCH(double, stored);
    QFETCH(QString, shown);
    const QString p = QStringLiteral("sot") + table;
    Query& q = table == QLatin1String("a") ? *dict_->qrySoTabelaA() : *dict_->qrySoTabelaD();
    q.open();
    QVERIFY(q.locate(p + "_kod;" + p + "_rok_id", QVariantList{code, 1002}));
    const int id = int(q.fieldByName(p + "_id").asInteger());
    Field& amount = q.fieldByName(p + "_kwota");
    q.edit();
    amount.setText(typed);
    QCOMPARE(amount.text(), shown);
    q.post();
    QCOMPARE(amount.text(), shown);
    QCOMPARE(
        value(QStringLiteral("SELECT %1_kwota FROM so_tabela_%2 WHERE %1_id = %3").arg(p, table).arg(id)),
        stored);
}

void TestTdmfDict::engineFuelRatesShowGrosze_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("two decimals") << "68,55" << 68.55 << "68,55";
    QTest::newRow("one decimal") << "18,7" << 18.7 << "18,70";
    QTest::newRow("zero") << "0" << 0.0 << "0,00";
    QTest::newRow("a third decimal is kept and shown") << "1,125" << 1.125 << "1,125";
}

// "Stawki silnik-paliwo" lists its rates with a fixed number of decimals like the other rate tables.
void TestTdmfDict::engineFuelRatesShowGrosze() {
    QFETCH(QString, typed);
    QFETCH(double, stored);
    QFETCH(QString, shown);
    Query& q = *dict_->qryStawkiSilnikPaliwo();
    q.open();
    QVERIFY(!q.isEmpty());
    const int id = int(q.fieldByName("ssp_id").asInteger());
    Field& rate = q.fieldByName("ssp_stawka");
    q.edit();
    rate.setText(typed);
    q.post();
    QCOMPARE(q.textAt(q.recNo(), rate), shown);
    QCOMPARE(value(QStringLiteral("SELECT ssp_stawka FROM stawki_silnik_paliwo WHERE ssp_id = %1").arg(id)),
             stored);
}

void TestTdmfDict::rateEntryThatIsNotANumber() {
    Query& q = *dict_->qrySoTabelaA();
    q.open();
    q.edit();
    const double before = q.fieldByName("sota_kwota").asFloat();
    try {
        q.fieldByName("sota_kwota").setText("abc");
        QFAIL("text that is not a number must be refused");
    } catch (const DataError& e) {
        QCOMPARE(e.message(), QStringLiteral("„abc” nie jest liczbą (pole „Kwota [zł/kg]”)."));
    }
    QCOMPARE(q.fieldByName("sota_kwota").asFloat(), before);
}

void TestTdmfDict::gasAndDustRatesByYear() {
    Query& q = *dict_->qrySoTabelaG();
    QCOMPARE(dict_->soTgYear(), 0);
    QVERIFY(q.sql().contains(
        "WHERE (sotg_rok_id = :rok_id OR :rok_id = 0) AND ((sotg_f_aktualny = :f_aktualny_1) "
        "OR (sotg_f_aktualny = :f_aktualny_2))"));
    q.open();
    QCOMPARE(q.recordCount(), db_->scalar("SELECT COUNT(*) FROM so_tabela_g"));
    QVERIFY(q.locate("sotg_rok_id", 1001));
    QVERIFY(q.locate("sotg_rok_id", 1002));

    dict_->setSoTgYear(1002);
    QCOMPARE(q.recordCount(), 67);
    q.close();
    q.open(); // the year is kept for later openings
    QCOMPARE(q.recordCount(), 67);
    QCOMPARE(dict_->soTgYear(), 1002);
    QVERIFY(!q.locate("sotg_rok_id", 1001));
    QCOMPARE(q.fieldByName("rok_nazwa").asInteger(), 2012);
}

void TestTdmfDict::territorialLinks() {
    Query& woj = *dict_->qryWojewodztwa();
    Query& pow = *dict_->qryPowiaty();
    Query& gm = *dict_->qryGminy();
    woj.open();
    pow.open();
    gm.open();
    for (int step = 0; step < 2; ++step) {
        QVERIFY(pow.recordCount() > 0);
        for (pow.first(); !pow.eof(); pow.next())
            QCOMPARE(pow.fieldByName("pow_woj_id").asInteger(), woj.fieldByName("woj_id").asInteger());
        pow.first();
        QVERIFY(gm.recordCount() > 0);
        for (gm.first(); !gm.eof(); gm.next()) {
            QCOMPARE(gm.fieldByName("gm_pow_id").asInteger(), pow.fieldByName("pow_id").asInteger());
            QCOMPARE(gm.fieldByName("clc_nazwa").asString(),
                     gm.fieldByName("gm_nazwa").asString().trimmed() + " (" +
                         gm.fieldByName("rjt_skrot").asString().trimmed() + ")");
        }
        woj.next();
    }
}

void TestTdmfDict::wasteCatalogueTree() {
    dict_->setSoTlYear(1002);
    Query& groups = *dict_->qrySoTlGrupy();
    Query& subgroups = *dict_->qrySoTlPodgrupy();
    Query& types = *dict_->qrySoTlRodzaje();
    groups.open();
    subgroups.open();
    types.open();
    QCOMPARE(groups.fieldByName("sotl_kod").asString(), QStringLiteral("01"));
    QCOMPARE(subgroups.fieldByName("sotl_kod").asString(), QStringLiteral("01 01"));
    QCOMPARE(types.fieldByName("sotl_kod").asString(), QStringLiteral("01 01 01"));
    QCOMPARE(types.fieldByName("sotl_rok_id").asInteger(), 1002);
    QCOMPARE(types.fieldByName("clc_kod_rodzaj").asString(),
             QStringLiteral("01 01 01 - ") + types.fieldByName("sotl_rodzaj").asString());

    QVERIFY(groups.locate("sotl_kod", "20"));
    QCOMPARE(subgroups.fieldByName("sotl_h_grupa").asString(), QStringLiteral("20"));
    QVERIFY(subgroups.locate("sotl_kod", "20 03"));
    QVERIFY(types.locate("sotl_kod", "20 03 01"));
    for (types.first(); !types.eof(); types.next())
        QCOMPARE(types.fieldByName("sotl_h_podgrupa").asString(), QStringLiteral("20 03"));
}

QTEST_GUILESS_MAIN(TestTdmfDict)
#include "tst_TdmfDict.moc"
