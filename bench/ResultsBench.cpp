// From choosing a listing to the Results window painted: the listing of a
// 100-step sweep with a 5 degree full sphere at each step (37 x 73 rows a
// step, about 33 MB), made once at start-up by NEC2d. One iteration is what
// Process OutPut Data does once the file is chosen: the listing read for the
// two 3D windows and shown in them, read again as a sweep, and the Results
// window made, shown and painted, with every event it set off handled (the
// structure window's impedance box among them, closed as soon as it shows).
// It must stay under 300 ms.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPointer>
#include <QTableWidget>
#include <QTimer>
#include <filesystem>
#include <string>

#include "bench/BenchListing.h"
#include "bench/QtBenchmarkMain.h"
#include "editor/ProcessOutputData.h"
#include "plots/AntennaPlot.h"
#include "plots/PlotDlg.h"
#include "plots/ResultsWindow.h"

namespace fs = std::filesystem;

namespace {

void BM_ChosenListingToResultsPainted(benchmark::State& state) {
    static const BenchListing listing(kSweepDeck, "sweep");
    if (!listing.problem.empty()) return state.SkipWithError(listing.problem.c_str());
    state.counters["MB"] = static_cast<double>(fs::file_size(listing.path)) / 1e6;
    QMdiArea area;
    area.resize(1280, 900);
    area.show();
    QApplication::processEvents();
    const QString path = QString::fromStdString(listing.path.string());
    // The user's OK to the impedance box, given at once.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->accept();
    });
    closer.start(0);
    for (auto _ : state) {
        QPointer<CPlotDlg> pattern;
        QPointer<CAntennaPlot> structure;
        QPointer<CResultsWindow> results;
        ShowListingResults(&area, &area, path, pattern, structure, results);
        QApplication::processEvents();
        state.PauseTiming();
        if (!results) state.SkipWithError("no Results window");
        if (results) state.counters["rows"] = results->findChild<QTableWidget*>()->rowCount();
        for (QMdiSubWindow* window : area.subWindowList()) delete window;
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ChosenListingToResultsPainted)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
