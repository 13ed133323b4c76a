// One main for every benchmark: pictures and fonts need a Qt application,
// and it must never need a display.
#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>

void RegisterRenderBenchmarks();
void RegisterWindowBenchmarks();

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RegisterRenderBenchmarks();
    RegisterWindowBenchmarks();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
