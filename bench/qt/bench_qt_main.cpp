// vantrek-bench-qt: the Qt program's share of the work, on the offscreen platform.
#include <cstdlib>

#include <QApplication>

#include <benchmark/benchmark.h>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("QT_LOGGING_RULES", "qt.qpa.*=false", 0);  // the offscreen platform's notes on every window
    QApplication application(argc, argv);  // the fonts the text needs
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
