// One drag step in a large design: 1,800 wires and 200 sources spread over a
// 1000 by 700 view, one wire dragged with every snap of the default mode. A
// step is the snap search over all 2,000 elements, the move, and a full
// repaint of the view; it must take under 16 ms so that dragging stays smooth,
// at every scale of the view, as must a zoom or a pan with its repaint, and
// an undo or a redo of one step with its repaint.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QUndoStack>

#include "bench/QtBenchmarkMain.h"
#include "editor/PrinterSettings.h"
#include "editor/QuadrellView.h"
#include "model/QuadrellDoc.h"
#include "model/Source.h"
#include "model/ViewScale.h"
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

// The scale steps measured: 0.01, 0.1, 1, 10, 100 and 1000 px/m.
void AtEveryScale(benchmark::internal::Benchmark* benchmark) {
    for (int step : {0, 3, 6, 9, 12, 15}) benchmark->Arg(step);
}

// The view of the design at scale step `step`, with the metre point (10, 341),
// on the dragged wire, in the middle.
struct ViewAtScale {
    explicit ViewAtScale(int step) : view(doc, printer) {
        FillDesign(doc);
        // The dragged wire, at the head of the list.
        doc.AddElementAtHead(std::make_unique<CWire>(-3, 341, 0, 40, 0.005f, 5, 0));
        const CViewScale scale(step);
        view.SetScale(CViewScale(
            step, {static_cast<int>(-scale.ToPixels(10)), static_cast<int>(-scale.ToPixels(341))}));
        view.resize(1000, 700);
        view.OnInitialUpdate();
        view.show();
        QApplication::processEvents();
    }

    CQuadrellDoc doc;
    CPrinterSettings printer;
    CQuadrellView view;
};

void BM_DragStep(benchmark::State& state) {
    ViewAtScale scaled(static_cast<int>(state.range(0)));
    CQuadrellView& view = scaled.view;
    CQuadrellDoc& doc = scaled.doc;

    view.OnLButtonDown({0, 0});
    if (!view.IsInSelectMode() || view.GetSelected() == nullptr) {
        state.SkipWithError("the wire was not picked up");
        return;
    }
    int step = 0;
    for (auto _ : state) {
        ++step;
        view.OnMouseMove({step % 30, -step % 7}, true);
        view.repaint();
    }
    view.OnLButtonUp({0, 0});
    state.counters["elements"] = static_cast<double>(doc.GetElements().GetCount());
}
BENCHMARK(BM_DragStep)->Apply(AtEveryScale)->Unit(benchmark::kMillisecond);

// A zoom step about a point off the centre, in and out by turns, and the repaint.
void BM_ZoomStep(benchmark::State& state) {
    ViewAtScale scaled(static_cast<int>(state.range(0)));
    int step = 0;
    for (auto _ : state) {
        scaled.view.ZoomAbout(++step % 2 == 1 ? 1 : -1, {120, -80});
        scaled.view.repaint();
    }
}
BENCHMARK(BM_ZoomStep)->Apply(AtEveryScale)->Unit(benchmark::kMillisecond);

// A pan of a few pixels, as the middle button or the wheel makes, and the repaint.
void BM_PanStep(benchmark::State& state) {
    ViewAtScale scaled(static_cast<int>(state.range(0)));
    const CViewScale start = scaled.view.GetScale();
    int step = 0;
    for (auto _ : state) {
        ++step;
        scaled.view.SetScale(
            CViewScale(start.Step(), {start.Pan().x + step % 40, start.Pan().y - step % 25}));
        scaled.view.repaint();
    }
}
BENCHMARK(BM_PanStep)->Apply(AtEveryScale)->Unit(benchmark::kMillisecond);

// Undo and redo by turns of one Delete, the wire in the middle of the list,
// which comes back at its place, and the repaint.
void BM_UndoRedoStep(benchmark::State& state) {
    ViewAtScale scaled(static_cast<int>(state.range(0)));
    CQuadrellView& view = scaled.view;
    ElementPosition pos = scaled.doc.GetFirstElementPosition();
    for (int i = 0; i < kWires / 2; ++i) scaled.doc.GetNextElement(pos);
    view.SelectElement(scaled.doc.GetNextElement(pos));
    view.OnDeleteElement();
    QUndoStack& history = view.GetHistory();
    if (history.count() != 1) {
        state.SkipWithError("the wire was not deleted as a step");
        return;
    }
    for (auto _ : state) {
        history.canUndo() ? history.undo() : history.redo();
        view.repaint();
    }
}
BENCHMARK(BM_UndoRedoStep)->Apply(AtEveryScale)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
