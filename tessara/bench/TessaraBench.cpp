// The hot paths of the grid: pasting a large block, fitting a column to 5000
// texts, and painting a large grid (which must cost no more than a small one).
#include <QApplication>
#include <benchmark/benchmark.h>

#include "tessara/GridModel.h"
#include "tessara/Tessara.h"

namespace {

constexpr int kPlaces = 5000;

// Text measurement and painting need the GUI application; one serves every run.
void ensureApplication() {
    static int argc = 1;
    static char name[] = "tessara_bench";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
    }
}

QString placeBlock(int rows) {
    QString block;
    for (int r = 0; r < rows; ++r)
        block += QStringLiteral("%1.123456\t-%2.654321\tPlace number %3\t%4\r\n")
                     .arg(r % 90)
                     .arg(r % 180)
                     .arg(r)
                     .arg(r * 7);
    return block;
}

void BM_Paste5000x4(benchmark::State& state) {
    const QString block = placeBlock(kPlaces);
    tessara::GridModel grid;
    grid.setRows(kPlaces + 1);
    grid.setCols(4);
    grid.setFixedCols(0);
    for (auto _ : state) {
        grid.setRow(1);
        grid.setCol(0);
        QString s = block;
        grid.Paste(s);
        benchmark::DoNotOptimize(s);
    }
    state.SetItemsProcessed(state.iterations() * kPlaces * 4);
}
BENCHMARK(BM_Paste5000x4)->Unit(benchmark::kMillisecond);

void BM_AutoColWidth5000(benchmark::State& state) {
    ensureApplication();
    tessara::GridModel grid;
    grid.setRows(kPlaces + 1);
    grid.setCols(4);
    grid.setFixedCols(0);
    for (int r = 1; r <= kPlaces; ++r)
        grid.setTextMatrix(r, 2, QStringLiteral("Place number %1 on the map").arg(r));
    for (auto _ : state)
        grid.AutoColWidth(2, 1000, 0);
    benchmark::DoNotOptimize(grid.ColWidth(2));
}
BENCHMARK(BM_AutoColWidth5000)->Unit(benchmark::kMillisecond);

// The largest row count the row operations take in one call (a 16-bit count),
// inserted into and deleted from a grid of 5000 places.
constexpr int kMaxRowCount = 32767;

void BM_InsertRows32767(benchmark::State& state) {
    tessara::GridModel grid;
    grid.setCols(4);
    for (auto _ : state) {
        state.PauseTiming();
        grid.setRows(kPlaces + 1);
        state.ResumeTiming();
        grid.InsertRows(1, kMaxRowCount);
    }
    benchmark::DoNotOptimize(grid.Rows());
}
BENCHMARK(BM_InsertRows32767)->Unit(benchmark::kMillisecond);

void BM_DeleteRows32767(benchmark::State& state) {
    tessara::GridModel grid;
    grid.setCols(4);
    for (auto _ : state) {
        state.PauseTiming();
        grid.setRows(kPlaces + kMaxRowCount + 1);
        state.ResumeTiming();
        grid.DeleteRows(1, kMaxRowCount);
    }
    benchmark::DoNotOptimize(grid.Rows());
}
BENCHMARK(BM_DeleteRows32767)->Unit(benchmark::kMillisecond);

// The same on a shown widget.
void BM_AutoColWidth5000Widget(benchmark::State& state) {
    ensureApplication();
    tessara::Tessara control;
    control.resize(600, 400);
    control.show();
    control.setRows(kPlaces + 1);
    control.setCols(4);
    for (int r = 1; r <= kPlaces; ++r)
        control.setTextMatrix(r, 2, QStringLiteral("Place number %1 on the map").arg(r));
    for (auto _ : state)
        control.AutoColWidth(2, 1000, 0);
    benchmark::DoNotOptimize(control.ColWidth(2));
}
BENCHMARK(BM_AutoColWidth5000Widget)->Unit(benchmark::kMillisecond);

// A reader filling 5000 places cell by cell into a shown widget.
void BM_Fill5000x4Widget(benchmark::State& state) {
    ensureApplication();
    tessara::Tessara control;
    control.resize(600, 400);
    control.show();
    control.setCols(4);
    for (auto _ : state) {
        control.Clear();
        control.setRows(kPlaces + 1);
        for (int r = 1; r <= kPlaces; ++r)
            for (int c = 0; c < 4; ++c)
                control.setTextMatrix(r, c, QStringLiteral("cell"));
    }
}
BENCHMARK(BM_Fill5000x4Widget)->Unit(benchmark::kMillisecond);

// Painting a grid of n rows scrolled to its middle.
void BM_PaintRows(benchmark::State& state) {
    ensureApplication();
    tessara::Tessara control;
    control.resize(600, 400);
    control.setRows(int(state.range(0)));
    control.setCols(4);
    for (int r = 0; r < control.Rows(); ++r)
        for (int c = 0; c < 4; ++c)
            control.setTextMatrix(r, c, QStringLiteral("%1:%2").arg(r).arg(c));
    control.setRow(control.Rows() / 2);
    for (auto _ : state)
        benchmark::DoNotOptimize(control.grab());
}
BENCHMARK(BM_PaintRows)->Arg(50)->Arg(5000)->Unit(benchmark::kMillisecond);

} // namespace
