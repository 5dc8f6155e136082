// The air windows on a version-7 database with a filled statement: opening Table A (50
// installations, 4 sources each, 10 substances per source) until painted; "Przelicz" in a source with
// all 67 substances of rate year 2012, the roll-up of every row included; opening Tables B, C and D
// with 200 fee rows each. Prints every figure with its aim (the median of a few runs).

#include "air/TdmfZestAir.h"
#include "air/ui/TGpTabelaA.h"
#include "air/ui/TTabelaB.h"
#include "air/ui/TTabelaC.h"
#include "air/ui/TTabelaD.h"
#include "dict/TdmfDict.h"
#include "platform/data/Connection.h"
#include "statements/TdmfZest.h"
#include "support/TestDatabase.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

double Ms(const QElapsedTimer& timer) {
    return double(timer.nsecsElapsed()) / 1e6;
}

void Paint(QWidget* window) {
    window->repaint();
    QApplication::processEvents();
}

double Median(const std::function<double()>& run, int times = 5) {
    std::vector<double> v;
    for (int i = 0; i < times; ++i)
        v.push_back(run());
    std::sort(v.begin(), v.end());
    return v.at(v.size() / 2);
}

template <class Window, class Bind> double Open(TdmfZestAir& air, const Bind& bind) {
    QElapsedTimer timer;
    timer.start();
    auto* w = new Window(air);
    bind(*w);
    w->show();
    Paint(w);
    const double ms = Ms(timer);
    w->close();
    QApplication::processEvents();
    return ms;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestDatabase db;
    db.createAtVersion(7);
    TdmfDict dict(db.connection());
    dmfDict = &dict;
    Connection& cn = db.connection();
    QTextStream out(stdout);

    cn.execute(
        QStringLiteral("INSERT INTO podmioty (pdm_id, pdm_gm_id, pdm_nazwa, pdm_adres, pdm_f_aktualny) "
                       "SELECT 2001, MIN(gm_id), 'Huta', 'ul. Hutnicza 1', 1 FROM gminy"));
    TdmfZest dm(cn);
    Query& z = *dm.qryZest();
    z.open();
    z.insert();
    z.fieldByName(QStringLiteral("z_pdm_id")).setValue(2001);
    z.fieldByName(QStringLiteral("z_rok_st_opl_id")).setValue(1002);
    z.post();
    const int zId = int(z.fieldByName(QStringLiteral("z_id")).asInteger());
    TdmfZestAir& air = dm.content<TdmfZestAir>();
    const int gm = db.scalar(QStringLiteral("SELECT MIN(gm_id) FROM gminy"));

    // --- Table A: 50 × 4 × 10, written directly.
    {
        Connection::Transaction t(cn);
        for (int i = 0; i < 50; ++i) {
            const int ild = 10000 + i;
            cn.run(
                QStringLiteral(
                    "INSERT INTO instalacje_dzialalnosci (ild_id, ild_z_id, ild_spwgp_id, ild_gm_id, "
                    "ild_adres, ild_rodzaj, ild_kwota) VALUES (?, ?, 100, ?, ?, ?, 400)"),
                {ild, zId, gm, QStringLiteral("ul. Piecowa %1").arg(i), QStringLiteral("Kocioł %1").arg(i)});
            for (int s = 0; s < 4; ++s) {
                const int zws = ild * 10 + s;
                cn.run(QStringLiteral(
                           "INSERT INTO zrodla_wprow_subst (zws_id, zws_ild_id, zws_nazwa, zws_oplata) "
                           "VALUES (?, ?, ?, 100)"),
                       {zws, ild, QStringLiteral("E%1").arg(s + 1)});
                cn.run(QStringLiteral(
                           "INSERT INTO oplaty_ta (ota_id, ota_zws_id, ota_sotg_id, ota_wielkosc_emisji, "
                           "ota_jedn_staw_opl, ota_oplata) SELECT FIRST 10 GEN_ID(g_oplaty_ta, 1), "
                           "CAST(? AS INTEGER), sotg_id, 10, sotg_jedn_st_opl, 10 * sotg_jedn_st_opl FROM "
                           "so_tabela_g "
                           "WHERE sotg_rok_id = 1002"),
                       {zws});
            }
        }
        t.commit();
    }
    const double tableA = Median([&] {
        return Open<TGpTabelaA>(
            air, [&](TGpTabelaA& w) { w.BindDataSets(&air, air.qryInstDz(), air.qryChrPlw()); });
    });
    out << QStringLiteral("Table A window, 50 installations × 4 sources × 10 substances, to painted: %1 ms "
                          "(aim < 150 ms)\n")
               .arg(tableA, 0, 'f', 1);

    // --- "Przelicz" in a source with the 67 substances of 2012.
    air.qryInstDz()->open();
    air.qryInstDz()->first();
    air.qryZrWprSubst()->open();
    air.qryZrWprSubst()->append();
    air.qryZrWprSubst()->fieldByName(QStringLiteral("zws_nazwa")).setValue(QStringLiteral("Wszystkie"));
    air.qryZrWprSubst()->post();
    air.qryOplTA()->open();
    QSqlQuery all = cn.run(QStringLiteral("SELECT sotg_id FROM so_tabela_g WHERE sotg_rok_id = 1002"));
    while (all.next()) {
        air.DodajSubstancje(all.value(0).toInt());
        air.qryOplTA()->edit();
        air.qryOplTA()->fieldByName(QStringLiteral("ota_wielkosc_emisji")).setText(QStringLiteral("1234,5"));
        air.qryOplTA()->post();
    }
    const double przelicz = Median([&] {
        QElapsedTimer timer;
        timer.start();
        air.PrzeliczZrodlo();
        return Ms(timer);
    });
    out << QStringLiteral("Przelicz, %1 substances with the roll-up of every row: %2 ms (aim < 300 ms)\n")
               .arg(air.qryOplTA()->recordCount())
               .arg(przelicz, 0, 'f', 1);

    // --- Tables B, C, D with 200 fee rows each.
    {
        Connection::Transaction t(cn);
        cn.run(
            QStringLiteral("INSERT INTO lokalizacje_tb (ltb_id, ltb_z_id, ltb_gm_id, ltb_adres, ltb_kwota) "
                           "VALUES (5000, ?, ?, 'Stacja', 0)"),
            {zId, gm});
        cn.run(
            QStringLiteral("INSERT INTO lokalizacja_tc (ltc_id, ltc_z_id, ltc_gm_id, ltc_adres, ltc_kwota) "
                           "VALUES (5000, ?, ?, 'Kotłownia', 0)"),
            {zId, gm});
        const int stb =
            db.scalar(QStringLiteral("SELECT MIN(stb_id) FROM stawki_tb WHERE stb_rok_id = 1002"));
        const int stc =
            db.scalar(QStringLiteral("SELECT MIN(stc_id) FROM stawki_tc WHERE stc_rok_id = 1002"));

        for (int i = 0; i < 200; ++i) {
            cn.run(QStringLiteral(
                       "INSERT INTO oplaty_tb (otb_id, otb_ltb_id, otb_stb_id, otb_nazwa, otb_illosc, "
                       "otb_stawka_jedn, otb_kwota) VALUES (?, 5000, ?, 'Napełnianie', 1.5, 5.46, 8.19)"),
                   {50000 + i, stb});
            cn.run(QStringLiteral(
                       "INSERT INTO oplaty_tc (otc_id, otc_ltc_id, otc_stc_id, otc_nazwa, "
                       "otc_zuzycie_paliwa, otc_stawka_jedn, otc_kwota) VALUES (?, 5000, ?, 'Kocioł', 1, "
                       "16.31, 16.31)"),
                   {50000 + i, stc});
        }
        // Table D rows are unique per statement and rate row: the defined rate rows of both years.
        cn.run(
            QStringLiteral("INSERT INTO oplaty_td (otd_id, otd_z_id, otd_ssp_id, otd_zuzycie_paliwa, "
                           "otd_stawka_jedn, otd_kwota) SELECT FIRST 200 GEN_ID(g_oplaty_td, 1), CAST(? AS "
                           "INTEGER), ssp_id, 1, ssp_stawka, ssp_stawka FROM stawki_silnik_paliwo WHERE "
                           "ssp_f_zdefiniowana = 1 ORDER BY ssp_id"),
            {zId});
        t.commit();
    }
    const double tableB = Median([&] {
        return Open<TTabelaB>(air,
                              [&](TTabelaB& w) { w.BindDataSets(&air, air.qryLokTB(), air.qryOplTB()); });
    });
    const double tableC = Median([&] {
        return Open<TTabelaC>(air, [&](TTabelaC& w) {
            w.BindDataSets(&air, air.qryLokTC(), air.qryOplTcWegiel(), air.qryOplTcKoks(),
                           air.qryOplTcDrewno(), air.qryOplTcOlej(), air.qryOplTcGaz());
        });
    });
    air.PrzygotujTabeleD();
    const double tableD = Median([&] {
        return Open<TTabelaD>(air, [&](TTabelaD& w) { w.BindDataSets(&air, air.qryRdS(), air.qryOplTD()); });
    });
    out << QStringLiteral("Table B window, 200 fee rows, to painted: %1 ms (aim < 150 ms)\n")
               .arg(tableB, 0, 'f', 1);
    out << QStringLiteral("Table C window, 200 fee rows, to painted: %1 ms (aim < 150 ms)\n")
               .arg(tableC, 0, 'f', 1);
    out << QStringLiteral("Table D window, %2 fee rows, to painted: %1 ms (aim < 150 ms)\n")
               .arg(tableD, 0, 'f', 1)
               .arg(db.scalar(QStringLiteral("SELECT COUNT(*) FROM oplaty_td")));
    dmfDict = nullptr;
    return 0;
}
