#include "support/Main.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace bench {

int runOffscreen(int& argc, char** argv, const std::function<void()>& prepare) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    prepare();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace bench
