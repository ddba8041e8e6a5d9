// One drag step in a large design: 1,800 wires and 200 sources spread over a
// 1000 by 700 view, one wire dragged with every snap of the default mode. A
// step is the snap search over all 2,000 elements, the move, and a full
// repaint of the view; it must take under 16 ms so that dragging stays smooth.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "bench/QtBenchmarkMain.h"
#include "editor/PrinterSettings.h"
#include "editor/QuadrellView.h"
#include "model/QuadrellDoc.h"
#include "model/Source.h"
#include "model/Wire.h"

namespace {

constexpr int kWires = 1800;
constexpr int kSources = 200;

void FillDesign(CQuadrellDoc& doc) {
    // Short wires in rows that cover the view, none of them near the path
    // of the drag's mouse, so that the search walks the whole list.
    for (int i = 0; i < kWires; ++i) {
        const float x = static_cast<float>(-480 + (i % 60) * 16);
        const float y = static_cast<float>(-330 + (i / 60) * 22);
        doc.AddElementAtHead(std::make_unique<CWire>(x, y, 0, 12, 0.005f, 5, (i % 4) * 90.0f));
    }
    for (int i = 0; i < kSources; ++i) {
        doc.AddElementAtTail(std::make_unique<CSource>(static_cast<float>(-470 + (i % 40) * 24),
                                                       static_cast<float>(-320 + (i / 40) * 130), 0,
                                                       1, 0));
    }
}

void BM_DragStep(benchmark::State& state) {
    CQuadrellDoc doc;
    FillDesign(doc);
    // The dragged wire, at the head of the list.
    doc.AddElementAtHead(std::make_unique<CWire>(-3, 341, 0, 40, 0.005f, 5, 0));
    CPrinterSettings printer;
    CQuadrellView view(doc, printer);
    view.resize(1000, 700);
    view.OnInitialUpdate();
    view.show();
    QApplication::processEvents();

    view.OnLButtonDown({10, 341});
    if (!view.IsInSelectMode() || view.GetSelected() == nullptr) {
        state.SkipWithError("the wire was not picked up");
        return;
    }
    int step = 0;
    for (auto _ : state) {
        ++step;
        view.OnMouseMove({10 + step % 30, 341 - step % 7}, true);
        view.repaint();
    }
    view.OnLButtonUp({10, 341});
    state.counters["elements"] = static_cast<double>(doc.GetElements().GetCount());
}
BENCHMARK(BM_DragStep)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
