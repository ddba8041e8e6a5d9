// Turning a 1 degree full-sphere pattern (181 x 361 = 65,341 points): one
// step of a drag is the view update, the projection of every point and the
// full repaint of the window into its image. A step must take under 16 ms so
// that turning stays smooth.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEvent>
#include <QMdiArea>
#include <cmath>

#include "bench/QtBenchmarkMain.h"
#include "model/Geometry.h"
#include "plots/PlotDlg.h"

namespace {

// Counts the paints a window gets, to show that every step repaints.
class CPaintCounter : public QObject {
  public:
    int paints = 0;
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

// `shape` gives the field at theta, phi (radians).
template <typename Shape>
PatternResult FullSphere(Shape shape) {
    PatternResult pattern;
    for (int phi = 0; phi <= 360; ++phi) {
        for (int theta = 0; theta <= 180; ++theta) {
            const float t = static_cast<float>(DegreesToRadians(theta));
            const float p = static_cast<float>(DegreesToRadians(phi));
            pattern.theta.push_back(t);
            pattern.phi.push_back(p);
            pattern.magnitude.push_back(static_cast<float>(shape(t, p)));
        }
    }
    pattern.pointCount = static_cast<int>(pattern.theta.size());
    pattern.pointsPerCut = 181;
    return pattern;
}

void TurnOneStep(benchmark::State& state, const PatternResult& pattern) {
    QMdiArea area;
    area.resize(900, 600);
    area.show();
    auto* window = new CPlotDlg(pattern);
    window->Create(&area);
    // Shown and painted once before the drag starts.
    QApplication::processEvents();
    CPaintCounter counter;
    window->installEventFilter(&counter);

    window->OnLButtonDown({100, 100});
    int step = 0;
    for (auto _ : state) {
        // Back and forth, so that the drawing keeps its size on screen.
        ++step;
        window->OnMouseMove({100 + step % 40, 100 + step % 25}, true);
    }
    window->OnLButtonUp();
    state.counters["points"] = pattern.pointCount;
    state.counters["paints_per_step"] =
        benchmark::Counter(counter.paints, benchmark::Counter::kAvgIterations);
}

void BM_TurnSphere(benchmark::State& state) {
    TurnOneStep(state, FullSphere([](double, double) { return 1.0; }));
}

// A beam with side lobes: long lines and many short ones.
void BM_TurnBeam(benchmark::State& state) {
    TurnOneStep(state, FullSphere([](double theta, double phi) {
                    return std::fabs(std::sin(theta) * std::cos(2 * phi)) *
                           (0.6 + 0.4 * std::cos(phi));
                }));
}

}  // namespace

BENCHMARK(BM_TurnSphere)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TurnBeam)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
