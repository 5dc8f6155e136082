// The waste window on a version-7 database with a statement of 20 storage sites, one of which holds
// 500 stored waste rows (300 stored with segregation, 200 without): the time to open the window
// (shown and painted), and the coefficient walk after a change of that site's legal status (every
// row's fee recomputed and saved, the site fee with each, the lists shown again). Prints every
// figure with its aim.

#include "dict/TdmfDict.h"
#include "platform/data/Connection.h"
#include "statements/TdmfZest.h"
#include "support/TestDatabase.h"
#include "waste/TdmfZestOdpady.h"
#include "waste/ui/TOplatyOdpady.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTextStream>

#include <algorithm>

namespace {

double Ms(const QElapsedTimer& timer) {
    return double(timer.nsecsElapsed()) / 1e6;
}

void Paint(QWidget* window) {
    window->repaint();
    QApplication::processEvents();
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestDatabase db;
    db.createAtVersion(7);
    Connection& cn = db.connection();
    TdmfDict dict(cn);
    dmfDict = &dict;
    QTextStream out(stdout);

    cn.run(QStringLiteral("INSERT INTO podmioty (pdm_id, pdm_gm_id, pdm_nazwa, pdm_adres, pdm_f_aktualny) "
                          "SELECT 2001, MIN(gm_id), 'Huta', 'ul. Hutnicza 1', 1 FROM gminy"));
    TdmfZest dm(cn);
    Query& z = *dm.qryZest();
    z.open();
    z.insert();
    z.fieldByName(QStringLiteral("z_pdm_id")).setValue(2001);
    z.fieldByName(QStringLiteral("z_rok_st_opl_id")).setValue(1002);
    z.post();
    const QVariant zId = z.fieldByName(QStringLiteral("z_id")).value();

    // 20 sites; the first one holds the waste rows, each of its own type of the 2012 catalogue.
    QList<int> sites;
    for (int i = 0; i < 20; ++i) {
        const int id = cn.nextKey(QStringLiteral("g_odpady"));
        cn.run(QStringLiteral(
                   "INSERT INTO skladowiska_odpd (skod_id, skod_z_id, skod_gm_id, skod_adres, "
                   "skod_wrodpd_id, skod_sdcodpd_decyzja_id, skod_sdcodpd_zezwolenie_id) SELECT ?, ?, "
                   "MIN(gm_id) + ?, ?, 100, 100, 100 FROM gminy"),
               {id, zId, i, QStringLiteral("ul. Składowa %1").arg(i + 1)});
        sites << id;
    }
    QList<QPair<QVariant, QVariant>> types; // sotl_id, sotl_jedn_st_opl
    {
        QSqlQuery q =
            cn.run(QStringLiteral("SELECT FIRST 500 sotl_id, sotl_jedn_st_opl FROM so_tabela_l WHERE "
                                  "sotl_rok_id = 1002 AND sotl_h_poziom = 3 ORDER BY sotl_kod"));
        while (q.next())
            types.append({q.value(0), q.value(1)});
    }
    {
        Connection::Transaction transaction(cn);
        for (int n = 0; n < types.size(); ++n)
            cn.run(QStringLiteral("INSERT INTO odpady (odpd_id, odpd_skod_id, odpd_tsodpd_id, odpd_sotl_id, "
                                  "odpd_masa, odpd_stan_uwodnienia, odpd_wsp_rozn, odpd_liczba_dob, "
                                  "odpd_jedn_st_opl, odpd_oplata) VALUES (?, ?, ?, ?, ?, 10, 0, 30, ?, 0)"),
                   {cn.nextKey(QStringLiteral("g_odpady")), sites.first(), n < 300 ? 100 : 101,
                    types.at(n).first, 1.5 + n % 7, types.at(n).second});
        transaction.commit();
    }
    TdmfZestOdpady& odpady = dm.content<TdmfZestOdpady>();

    // The reference of this run: one read of a small list, a round trip to the engine.
    double reference = 0;
    {
        Query& sitesList = *odpady.qrySklOdpd();
        sitesList.open();
        constexpr int kReads = 10;
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < kReads; ++i)
            sitesList.refresh();
        reference = Ms(timer) / kReads;
        sitesList.close();
    }
    out << QStringLiteral("reference: one read of the 20 sites: %1 ms\n").arg(reference, 0, 'f', 2);

    // --- opening the window, painted
    constexpr int kOpenings = 5;
    double first = 0, later = 0;
    for (int i = 0; i <= kOpenings; ++i) {
        QElapsedTimer timer;
        timer.start();
        auto* window = new TOplatyOdpady;
        window->BindDataSets(odpady);
        window->show();
        Paint(window);
        (i == 0 ? first : later) += Ms(timer);
        window->accept();
        QApplication::processEvents();
    }
    later /= kOpenings;
    out << QStringLiteral(
               "waste window with 20 sites, 500 waste rows on the current one, first opening: %1 ms "
               "(aim: < 150 ms)\n")
               .arg(first, 0, 'f', 1);
    out << QStringLiteral("waste window, later openings: %1 ms on average, %2 references (aim: < 150 ms)\n")
               .arg(later, 0, 'f', 1)
               .arg(later / reference, 0, 'f', 1);

    // --- the coefficient walk, with the window open on the site
    auto* window = new TOplatyOdpady;
    window->BindDataSets(odpady);
    window->show();
    Paint(window);
    Query& site = *odpady.qrySklOdpd();
    double total = 0, slowest = 0;
    constexpr int kWalks = 4;
    const int statuses[kWalks] = {101, 103, 104, 100};
    for (int status : statuses) {
        QElapsedTimer timer;
        timer.start();
        site.edit();
        site.fieldByName(QStringLiteral("skod_wrodpd_id")).setValue(status);
        site.post();
        Paint(window);
        const double ms = Ms(timer);
        total += ms;
        slowest = std::max(slowest, ms);
    }
    const int rows =
        db.scalar(QStringLiteral("SELECT COUNT(*) FROM odpady WHERE odpd_skod_id = %1").arg(sites.first()));
    out << QStringLiteral(
               "coefficient walk over %1 rows (each fee computed and saved with the site fee): %2 ms on "
               "average (%5 references), slowest %3 ms over %4 changes (aim: < 1000 ms)\n")
               .arg(rows)
               .arg(total / kWalks, 0, 'f', 1)
               .arg(slowest, 0, 'f', 1)
               .arg(kWalks)
               .arg(total / kWalks / reference, 0, 'f', 1);
    window->accept();
    return 0;
}
