// "Pobierz kwoty" with its totals on a statement with about 1 000 fee rows spread over every fee table
// and three voivodeships, on a version-7 database: the time per summary (median and slowest of many
// runs), against its aim of 100 ms, and beside it the time to read the summary's items once as a
// reference for the machine's speed.

#include "statements/TdmfZest.h"
#include "statements/TdmfZestZb.h"
#include "support/ScriptedMessages.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTextStream>

#include <algorithm>

namespace {

double Ms(const QElapsedTimer& timer) {
    return double(timer.nsecsElapsed()) / 1e6;
}

double Median(QList<double> values) {
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

class Fixture {
public:
    Fixture(Connection& cn, int zId) : cn_(cn), zId_(zId) {}

    int commune(int wojId) {
        QSqlQuery q =
            cn_.run(QStringLiteral("SELECT MIN(gm_id) FROM gminy INNER JOIN powiaty ON pow_id = gm_pow_id "
                                   "WHERE pow_woj_id = ?"),
                    {wojId});
        q.next();
        return q.value(0).toInt();
    }

    // Fee rows in every fee table, the places in turn in the three voivodeships; answers the count.
    int fill(const QList<int>& communes) {
        int rows = 0;
        auto gm = [&](int i) { return communes.at(i % communes.size()); };
        auto amount = [](int i) {
            return QString::number(10 + i % 97) + QStringLiteral(".") + QString::number(10 + i % 89);
        };
        for (int i = 0; i < 50; ++i) {
            const int ild = key();
            run(QStringLiteral(
                    "INSERT INTO instalacje_dzialalnosci (ild_id, ild_z_id, ild_spwgp_id, ild_gm_id, "
                    "ild_adres, ild_rodzaj) VALUES (%1, %2, 101, %3, 'Adres %1', 'Kotłownia')")
                    .arg(ild)
                    .arg(zId_)
                    .arg(gm(i)));
            for (int s = 0; s < 3; ++s, ++rows)
                run(QStringLiteral(
                        "INSERT INTO zrodla_wprow_subst (zws_id, zws_ild_id, zws_nazwa, zws_oplata) "
                        "VALUES (%1, %2, 'E%3', %4)")
                        .arg(key())
                        .arg(ild)
                        .arg(s)
                        .arg(amount(rows)));
        }
        for (int i = 0; i < 100; ++i, rows += 2) {
            const int ltb = key();
            run(QStringLiteral(
                    "INSERT INTO lokalizacje_tb (ltb_id, ltb_z_id, ltb_gm_id, ltb_adres, ltb_kwota) VALUES "
                    "(%1, %2, %3, 'Stacja %1', %4)")
                    .arg(ltb)
                    .arg(zId_)
                    .arg(gm(i))
                    .arg(amount(rows)));
            const int ltc = key();
            run(QStringLiteral(
                    "INSERT INTO lokalizacja_tc (ltc_id, ltc_z_id, ltc_gm_id, ltc_adres, ltc_kwota) VALUES "
                    "(%1, %2, %3, 'Kotłownia %1', %4)")
                    .arg(ltc)
                    .arg(zId_)
                    .arg(gm(i + 1))
                    .arg(amount(rows)));
        }
        QSqlQuery engines = cn_.run(QStringLiteral("SELECT FIRST 30 ssp_id FROM stawki_silnik_paliwo"));
        while (engines.next()) {
            run(QStringLiteral(
                    "INSERT INTO oplaty_td (otd_id, otd_z_id, otd_ssp_id, otd_stawka_jedn, otd_kwota) "
                    "VALUES (%1, %2, %3, 1, %4)")
                    .arg(key())
                    .arg(zId_)
                    .arg(engines.value(0).toInt())
                    .arg(amount(rows)));
            ++rows;
        }
        for (int i = 0; i < 150; ++i, ++rows)
            run(QStringLiteral(
                    "INSERT INTO ujecia_wody (uw_id, uw_z_id, uw_tuw_id, uw_nazwa, uw_adres, uw_gm_id, "
                    "uw_rzgw_id, uw_spw_id, uw_kwota) SELECT %1, %2, %3, 'Studnia %1', 'Adres', %4, "
                    "MIN(rzgw_id), 100, %5 FROM rzgw")
                    .arg(key())
                    .arg(zId_)
                    .arg(100 + i % 2)
                    .arg(gm(i))
                    .arg(amount(rows)));
        const QStringList codes = {QStringLiteral("a"), QStringLiteral("b"),   QStringLiteral("c"),
                                   QStringLiteral("d"), QStringLiteral("rwś"), QStringLiteral("rł")};
        for (int i = 0; i < 50; ++i) {
            const int osc = key();
            run(QStringLiteral(
                    "INSERT INTO odbiorniki_sc (osc_id, osc_z_id, osc_nazwa, osc_adres, osc_gm_id, "
                    "osc_ros_id, osc_rzgw_id, osc_spwsc_id, osc_chl_oplata, osc_chls_oplata) SELECT %1, "
                    "%2, 'Rzeka %1', 'Brzeg', %3, (SELECT MIN(ros_id) FROM rdz_odbiornikow_sc), "
                    "MIN(rzgw_id), 101, %4, %4 FROM rzgw")
                    .arg(osc)
                    .arg(zId_)
                    .arg(gm(i))
                    .arg(amount(rows)));
            ++rows;
            for (const QString& kod : codes) {
                cn_.run(
                    QStringLiteral("INSERT INTO kody_ta (kta_id, kta_osc_id, kta_kod, kta_ilosc, kta_kwota) "
                                   "VALUES (?, ?, ?, 1, %1)")
                        .arg(amount(rows)),
                    {key(), osc, kod});
                ++rows;
            }
            run(QStringLiteral(
                    "INSERT INTO oplaty_opady_roztopy (oor_id, oor_osc_id, oor_sotd_id, oor_oplata) "
                    "SELECT %1, %2, MIN(sotd_id), %3 FROM so_tabela_d")
                    .arg(key())
                    .arg(osc)
                    .arg(amount(rows)));
            ++rows;
        }
        for (int i = 0; i < 20; ++i) {
            const int skod = key();
            run(QStringLiteral(
                    "INSERT INTO skladowiska_odpd (skod_id, skod_z_id, skod_gm_id, skod_adres, "
                    "skod_wrodpd_id, skod_sdcodpd_decyzja_id, skod_sdcodpd_zezwolenie_id) SELECT %1, %2, "
                    "%3, 'Adres %1', MIN(wrodpd_id), 102, 102 FROM wsp_rozn_odpd")
                    .arg(skod)
                    .arg(zId_)
                    .arg(gm(i)));
            for (int w = 0; w < 5; ++w, ++rows)
                run(QStringLiteral("INSERT INTO odpady (odpd_id, odpd_skod_id, odpd_tsodpd_id, odpd_sotl_id, "
                                   "odpd_oplata) SELECT %1, %2, %3, MIN(sotl_id), %4 FROM so_tabela_l")
                        .arg(key())
                        .arg(skod)
                        .arg(100 + w % 2)
                        .arg(amount(rows)));
        }
        return rows;
    }

private:
    int key() { return next_++; }
    void run(const QString& sql) { cn_.run(sql); }

    Connection& cn_;
    int zId_;
    int next_ = 10001;
};

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    TestDatabase db;
    db.createAtVersion(7);
    ScopedScriptedMessages messages;
    Connection& cn = db.connection();
    QTextStream out(stdout);

    constexpr int kSeat = 111, kSecond = 105, kThird = 106;
    const int zId = 3001;
    Fixture fixture(cn, zId);
    const QList<int> voivodeships = {kSeat, kSecond, kThird};
    QList<int> communes;
    for (int woj : voivodeships)
        communes << fixture.commune(woj);
    cn.run(
        QStringLiteral("INSERT INTO podmioty (pdm_id, pdm_gm_id, pdm_nazwa, pdm_f_aktualny) VALUES (2001, ?, "
                       "'Podmiot', 1)"),
        {communes.first()});
    cn.execute(
        QStringLiteral("INSERT INTO zestawienia (z_id, z_rok_id, z_pr_id, z_pdm_id, z_stz_id, z_dt_utw, "
                       "z_rok_st_opl_id) VALUES (3001, 1002, 100, 2001, 100, CURRENT_DATE, 1002)"));
    int rows = 0;
    {
        Connection::Transaction transaction(cn);
        rows = fixture.fill(communes);
        transaction.commit();
    }

    TdmfZest dm(cn);
    dm.qryZest()->open();
    dm.qryZest()->locate(QStringLiteral("z_id"), zId);
    TdmfZestZb& zb = dm.content<TdmfZestZb>();
    for (int woj : voivodeships)
        zb.DodajZestawienie(woj, QStringLiteral("w"));
    zb.qryZZb()->refresh();

    constexpr int kRuns = 25;
    QList<double> times, reads;
    for (int run = 0; run < kRuns; ++run)
        for (zb.qryZZb()->first(); !zb.qryZZb()->eof(); zb.qryZZb()->next()) {
            QElapsedTimer timer;
            timer.start();
            zb.PobierzKwoty();
            times << Ms(timer);
            timer.restart();
            zb.qryZZbPoz()->refresh();
            reads << Ms(timer);
        }
    const double median = Median(times);
    const double slowest = *std::max_element(times.begin(), times.end());
    const double read = Median(reads);
    out << QStringLiteral("statement with %1 fee rows in 3 voivodeships, %2 runs of each summary\n")
               .arg(rows)
               .arg(kRuns);
    out << QStringLiteral(
               "\"Pobierz kwoty\" with totals per summary: median %1 ms, slowest %2 ms (aim < 100 ms)\n")
               .arg(median, 0, 'f', 1)
               .arg(slowest, 0, 'f', 1);
    out << QStringLiteral("reference, the items read once: median %1 ms (ratio %2)\n")
               .arg(read, 0, 'f', 1)
               .arg(median / read, 0, 'f', 1);
    if (!messages.shown.isEmpty())
        out << QStringLiteral("unexpected messages: %1\n").arg(messages.log().join(QLatin1Char('\n')));
    return median < 100 ? 0 : 1;
}
