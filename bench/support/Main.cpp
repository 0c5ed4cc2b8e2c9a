#include "support/Main.h"

#include <QApplication>
#include <QCoreApplication>
#include <benchmark/benchmark.h>

namespace bench {

namespace {

int runBenchmarks(int& argc, char** argv, const std::function<void()>& prepare) {
    benchmark::Initialize(&argc, argv);
    prepare();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace

int runOffscreen(int& argc, char** argv, const std::function<void()>& prepare) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    return runBenchmarks(argc, argv, prepare);
}

int runWithoutWindows(int& argc, char** argv, const std::function<void()>& prepare) {
    QCoreApplication application(argc, argv);
    return runBenchmarks(argc, argv, prepare);
}

} // namespace bench
