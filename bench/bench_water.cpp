// The water and sewage windows on a version-7 database with a large statement: the sewage window with
// 100 receivers, 3 code rows each and 16 indicator rows per code opened (shown and painted); "Przelicz"
// of one code's 16 indicators, each saved with the code fee and the receiver total; the underground
// and the surface window with 100 intakes each opened. Prints every figure with its aim.

#include "dict/TdmfDict.h"
#include "platform/data/Connection.h"
#include "platform/data/Query.h"
#include "statements/TdmfZest.h"
#include "support/TestDatabase.h"
#include "water/SewageDischarge.h"
#include "water/WaterWithdrawal.h"
#include "water/ui/TOplatyScieki.h"
#include "water/ui/TbcPoborWody.h"

#include <QApplication>
#include <QElapsedTimer>
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

// The median of a few runs: these machines are noisy.
template <class F> double Median(int runs, F&& once) {
    QList<double> times;
    for (int i = 0; i < runs; ++i)
        times << once();
    std::sort(times.begin(), times.end());
    return times.at(times.size() / 2);
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

    // --- a statement with 100 receivers (3 codes × 16 indicators each) and 100 intakes of each type
    cn.execute(
        QStringLiteral("INSERT INTO podmioty (pdm_id, pdm_gm_id, pdm_nazwa, pdm_adres, pdm_f_aktualny) "
                       "SELECT 2001, MAX(gm_id), 'Zakład', 'ul. Długa 1', 1 FROM gminy"));
    TdmfZest dm(cn);
    Query& z = *dm.qryZest();
    z.open();
    z.insert();
    z.fieldByName(QStringLiteral("z_pdm_id")).setValue(2001);
    z.post();
    const int zId = int(z.fieldByName(QStringLiteral("z_id")).asInteger());
    const int gm = db.scalar(QStringLiteral("SELECT MIN(gm_id) FROM gminy"));
    cn.execute(
        QStringLiteral(
            "EXECUTE BLOCK AS DECLARE i INTEGER = 0; DECLARE k INTEGER; DECLARE w INTEGER; BEGIN "
            "WHILE (i < 100) DO BEGIN "
            "INSERT INTO odbiorniki_sc (osc_id, osc_z_id, osc_nazwa, osc_adres, osc_gm_id, osc_ros_id, "
            "osc_rzgw_id, osc_spwsc_id, osc_kwota) VALUES (10000 + :i, %1, 'Odbiornik ' || :i, 'km ' "
            "|| :i, %2, 100, 101, 100, 0); "
            "k = 0; WHILE (k < 3) DO BEGIN "
            "INSERT INTO kody_ta (kta_id, kta_osc_id, kta_kod, kta_ilosc, kta_kwota) VALUES (20000 + "
            ":i * 3 + :k, 10000 + :i, 'c', 1000, 0); "
            "w = 100; WHILE (w < 116) DO BEGIN "
            "INSERT INTO oplaty_za_wsk_ta (owta_id, owta_kta_id, owta_wtasc_id, owta_zawartosc, "
            "owta_il_subst_brt, owta_il_subst_w_pw, owta_il_subst_nt, owta_stawka_jedn, owta_wsp_rozn, "
            "owta_stawka, owta_kwota) VALUES (100000 + (:i * 3 + :k) * 16 + :w - 100, 20000 + :i * 3 + "
            ":k, :w, 10, 10, 0, 10, 1, 1, 1, 10); w = w + 1; END "
            "k = k + 1; END "
            "INSERT INTO ujecia_wody (uw_id, uw_z_id, uw_tuw_id, uw_nazwa, uw_adres, uw_gm_id, "
            "uw_rzgw_id, uw_spw_id) VALUES (30000 + :i, %1, 100, 'Studnia ' || :i, 'ul. ' || :i, %2, "
            "101, 100); "
            "INSERT INTO ujecia_wody (uw_id, uw_z_id, uw_tuw_id, uw_nazwa, uw_adres, uw_gm_id, "
            "uw_rzgw_id, uw_spw_id) VALUES (31000 + :i, %1, 101, 'Rzeka ' || :i, 'ul. ' || :i, %2, "
            "101, 100); "
            "i = i + 1; END END")
            .arg(zId)
            .arg(gm));
    cn.execute(QStringLiteral(
        "INSERT INTO oplaty_pw (opw_id, opw_uw_id, opw_nazwa, opw_jedn_stawka_opl) SELECT uw_id * "
        "10 + spw_poz_wydr, uw_id, spw_nazwa, spw_stawka FROM ujecia_wody INNER JOIN stawki_pw ON "
        "spw_tuw_id = uw_tuw_id AND spw_rok_id = 1002"));
    cn.execute(QStringLiteral("SET GENERATOR g_oplaty_za_wsk_ta TO 900000"));

    // --- reference: one small statement in its own transaction, as the machine runs it now
    const double statement = Median(5, [&] {
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < 20; ++i)
            cn.selectValue(QStringLiteral("SELECT 1 FROM RDB$DATABASE"));
        return Ms(timer) / 20;
    });
    out << QStringLiteral("reference: one small statement: %1 ms\n").arg(statement, 0, 'f', 2);
    auto ratio = [statement](double ms) {
        return QStringLiteral("%1 statements").arg(ms / statement, 0, 'f', 0);
    };

    // --- sewage window, shown and painted
    SewageDischarge& sewage = dm.content<SewageDischarge>();
    const double sewageOpen = Median(5, [&] {
        QElapsedTimer timer;
        timer.start();
        TOplatyScieki w(sewage);
        w.BindDataSets();
        w.show();
        Paint(&w);
        const double ms = Ms(timer);
        w.hide();
        return ms;
    });
    out << QStringLiteral(
               "sewage window, 100 receivers × 3 codes × 16 indicators, opened and painted: %1 ms, "
               "%2 (aim: < 150 ms)\n")
               .arg(sewageOpen, 0, 'f', 1)
               .arg(ratio(sewageOpen));

    // --- "Przelicz" of one code's 16 indicators
    Query& receivers = *sewage.qryOdbSc();
    receivers.open();
    sewage.qryKdTA()->open();
    sewage.qryOplZaWskTA()->open();
    receivers.setRecNo(50);
    const double recalc = Median(7, [&] {
        QElapsedTimer timer;
        timer.start();
        sewage.PrzeliczWsk();
        return Ms(timer);
    });
    out << QStringLiteral(
               "\"Przelicz\" of a code, 16 indicators saved with the code fee and the receiver total: %1 "
               "ms, %2 (aim: < 200 ms)\n")
               .arg(recalc, 0, 'f', 1)
               .arg(ratio(recalc));

    // --- intake windows
    WaterWithdrawal& water = dm.content<WaterWithdrawal>();
    for (int tuwId : {kTuwPodziemna, kTuwPowierzchniowa}) {
        const double open = Median(5, [&] {
            QElapsedTimer timer;
            timer.start();
            water.setTypUjecia(tuwId);
            std::unique_ptr<TbcPoborWody> w;
            if (tuwId == kTuwPodziemna)
                w = std::make_unique<TPoborWodyPodz>(water);
            else
                w = std::make_unique<TPoborWodyPow>(water);
            w->BindDataSets();
            w->show();
            Paint(w.get());
            const double ms = Ms(timer);
            w->hide();
            return ms;
        });
        out << QStringLiteral("%1 window, 100 intakes, opened and painted: %2 ms, %3 (aim: < 150 ms)\n")
                   .arg(tuwId == kTuwPodziemna ? QStringLiteral("underground") : QStringLiteral("surface"))
                   .arg(open, 0, 'f', 1)
                   .arg(ratio(open));
    }
    dmfDict = nullptr;
    return 0;
}
