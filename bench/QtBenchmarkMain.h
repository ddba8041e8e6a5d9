#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>

// The main of a benchmark that shows windows: a QApplication, on the
// offscreen platform unless another is asked for, around the benchmarks.
inline int RunQtBenchmarks(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
