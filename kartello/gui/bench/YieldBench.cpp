// The cost of "yield to the window" as a 5000-place loop pays it once per place.
#include "gui/QtUi.h"

#include <QApplication>
#include <QLabel>
#include <benchmark/benchmark.h>

namespace {

QApplication& app() {
    static int argc = 1;
    static char name[] = "kartello_gui_bench";
    static char* argv[] = {name, nullptr};
    static QApplication* instance = new QApplication(argc, argv);
    return *instance;
}

// 5000 places, the progress label raised by one per place, as the readers do.
void BM_FiveThousandPlacesWithYield(benchmark::State& state) {
    app();
    QLabel progress;
    progress.show();
    kartello::gui::QtUi ui(&progress);
    for (auto _ : state) {
        for (int i = 0; i < 5000; ++i) {
            progress.setText(QString::number(i));
            ui.yieldToWindow();
        }
    }
}
BENCHMARK(BM_FiveThousandPlacesWithYield)->Unit(benchmark::kMillisecond);

void BM_FiveThousandPlacesWithoutYield(benchmark::State& state) {
    app();
    QLabel progress;
    progress.show();
    for (auto _ : state) {
        for (int i = 0; i < 5000; ++i)
            progress.setText(QString::number(i));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FiveThousandPlacesWithoutYield)->Unit(benchmark::kMillisecond);

} // namespace
