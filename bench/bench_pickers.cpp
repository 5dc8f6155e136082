// The location picker and the waste-type picker on a version-7 database: the time to open each
// (shown and painted), and in the location picker the move from one voivodeship to another with its
// counties and communes read again. Prints every figure with its aim.

#include "dict/TdmfDict.h"
#include "dict/WastePickPosition.h"
#include "dict/ui/TWybLokIAdr.h"
#include "dict/ui/TWybRdzOdpd.h"
#include "platform/ui/DataGrid.h"
#include "support/TestDatabase.h"

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

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestDatabase db;
    db.createAtVersion(7);
    TdmfDict dict(db.connection());
    dmfDict = &dict;
    QTextStream out(stdout);

    // --- location picker: the first opening reads the three lists, later ones find them open.
    const int gm =
        db.scalar("SELECT FIRST 1 gm_id FROM gminy JOIN powiaty ON pow_id = gm_pow_id "
                  "JOIN wojewodztwa ON woj_id = pow_woj_id ORDER BY woj_lp DESC, pow_lp DESC, gm_lp");
    TrLokalizacja record;
    record.gmId = gm;
    record.powId = db.scalar(QStringLiteral("SELECT gm_pow_id FROM gminy WHERE gm_id = %1").arg(gm));
    record.wojId =
        db.scalar(QStringLiteral("SELECT pow_woj_id FROM powiaty WHERE pow_id = %1").arg(record.powId));
    double firstOpen = 0, laterOpen = 0;
    constexpr int kOpenings = 10;
    for (int i = 0; i <= kOpenings; ++i) {
        QElapsedTimer timer;
        timer.start();
        TWybLokIAdr picker;
        picker.setLokalizacja(record);
        picker.show();
        Paint(&picker);
        (i == 0 ? firstOpen : laterOpen) += Ms(timer);
        picker.hide();
    }
    laterOpen /= kOpenings;
    out << QStringLiteral("location picker, first opening: %1 ms (aim: < 50 ms)\n").arg(firstOpen, 0, 'f', 1);
    out << QStringLiteral("location picker, later openings: %1 ms on average (aim: < 50 ms)\n")
               .arg(laterOpen, 0, 'f', 1);

    // --- moving through every voivodeship, each move refilling counties and communes
    {
        TWybLokIAdr picker;
        picker.setLokalizacja({});
        picker.show();
        Paint(&picker);
        DataGrid* grid = picker.grdWojewodztwa();
        const int count = grid->model()->rowCount();
        double total = 0, slowest = 0;
        int moves = 0;
        for (int round = 0; round < 3; ++round)
            for (int row = 0; row < count; ++row) {
                const int target = (row + 1) % count;
                QElapsedTimer timer;
                timer.start();
                grid->setCurrentIndex(grid->model()->index(target, 0));
                Paint(&picker);
                const double ms = Ms(timer);
                total += ms;
                slowest = std::max(slowest, ms);
                ++moves;
            }
        out << QStringLiteral("location picker, another voivodeship with its counties and communes: %1 ms on "
                              "average, slowest %2 ms over %3 moves (aim: < 50 ms)\n")
                   .arg(total / moves, 0, 'f', 1)
                   .arg(slowest, 0, 'f', 1)
                   .arg(moves);
    }

    // --- waste-type picker on the 2012 catalogue, on its first rows and on a remembered position
    const int rows = db.scalar("SELECT COUNT(*) FROM so_tabela_l WHERE sotl_rok_id = 1002");
    auto openWastePicker = [&] {
        QElapsedTimer timer;
        timer.start();
        TWybRdzOdpd picker;
        picker.setFixedYear(1002);
        picker.show();
        Paint(&picker);
        const double ms = Ms(timer);
        picker.done(QDialog::Accepted);
        return ms;
    };
    const double firstPick = openWastePicker();
    dict.qrySoTlGrupy()->locate("sotl_kod", QStringLiteral("20"));
    WastePickPosition::remembered() = WastePickPosition::current(dict);
    double rememberedPick = 0;
    for (int i = 0; i < kOpenings; ++i)
        rememberedPick += openWastePicker();
    rememberedPick /= kOpenings;
    out << QStringLiteral(
               "waste-type picker, first pick of a year of %1 catalogue rows: %2 ms (aim: < 150 ms)\n")
               .arg(rows)
               .arg(firstPick, 0, 'f', 1);
    out << QStringLiteral(
               "waste-type picker, opening on a remembered position: %1 ms on average (aim: < 150 ms)\n")
               .arg(rememberedPick, 0, 'f', 1);
    return 0;
}
