// Card texts and hit tests run for every element on every deck write and on
// every mouse move of a drag; these keep an eye on their cost.
#include <benchmark/benchmark.h>

#include "model/CardNumber.h"
#include "model/QuadrellDoc.h"
#include "model/Snap.h"
#include "model/Source.h"
#include "model/Wire.h"

namespace {

void BM_FormatCardNumber(benchmark::State& state) {
    double value = 0.005;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatCardNumber(value));
        value += 1.25;
    }
}
BENCHMARK(BM_FormatCardNumber);

void BM_WireCardText(benchmark::State& state) {
    const CWire wire(12.5f, -300, 0, 141.4f, 0.005f, 11, 45);
    for (auto _ : state) benchmark::DoNotOptimize(wire.GetCardText(7, 0, 0, 0));
}
BENCHMARK(BM_WireCardText);

void BM_WireHitTest(benchmark::State& state) {
    const CWire wire(0, 0, 0, 300, 0.005f, 5, 30);
    int x = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(wire.HitTest({x % 400, (x * 7) % 200}));
        ++x;
    }
}
BENCHMARK(BM_WireHitTest);

// The snap search of one drag step over 2,000 wires, none near the mouse:
// every element's end, origin and grid tests run.
void BM_SnapSearch2000(benchmark::State& state) {
    CQuadrellDoc doc;
    for (int i = 0; i < 2000; ++i) {
        doc.AddElementAtHead(std::make_unique<CWire>(static_cast<float>(-480 + (i % 60) * 16),
                                                     static_cast<float>(-330 + (i / 60) * 20), 0,
                                                     12, 0.005f, 5, 0));
    }
    const CWire dragged(-3, 341, 0, 40, 0.005f, 5, 0);
    const GridPoints grid = MakeGridPoints();
    int step = 0;
    for (auto _ : state) {
        ++step;
        benchmark::DoNotOptimize(SnapDragStart(doc, dragged, {10 + step % 30, 341}, {}, {-13, 0},
                                               SNAP_ALL, GRAB_START, {0, 0}, grid));
    }
}
BENCHMARK(BM_SnapSearch2000)->Unit(benchmark::kMicrosecond);

}  // namespace
