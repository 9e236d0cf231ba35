// Generation and saving of a large graph: 5000 places drawn as 50-sided
// polygons in 3D with variable height, size and colour, name-and-value
// labels, grid, title and colour scale; saved as KML and as KMZ. The same
// run end to end, beside GDAL, is batch-vs-ogr2ogr.sh.
#include "graph/ArcSinLink.h"
#include "graph/Generator.h"
#include "graph/Geometry.h"
#include "graph/Saving.h"
#include "runtime/testing/FakeUi.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <random>

using namespace kartello;

namespace {

void ensureGui() {
    static int argc = 1;
    static char name[] = "kartello_graph_bench";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        new QGuiApplication(argc, argv);
    }
}

constexpr int kPlaces = 5000;

void fillPlaces(PlaceStore& store) {
    std::mt19937 rng(42);
    std::uniform_real_distribution<double> lat(36, 44), lon(-10, 4), value(0, 1000);
    for (int i = 0; i < kPlaces; ++i) {
        // Cells as the table hands them over: texts.
        store.at(i, ColLatitude) = Cell(QString::number(lat(rng), 'f', 4));
        store.at(i, ColLongitude) = Cell(QString::number(lon(rng), 'f', 4));
        store.at(i, ColValue) = Cell(QString::number(value(rng), 'f', 2));
        store.at(i, ColName) = Cell(QStringLiteral("Place %1").arg(i));
    }
}

GraphOptions bigGraph() {
    GraphOptions o;
    o.threeD = true;
    o.sidesText = QStringLiteral("50");
    o.sizeByValue = true;
    o.autoSize = true;
    o.heightByValue = true;
    o.autoHeight = true;
    o.colorByValue = true;
    o.autoColorScale = true;
    o.outline = true;
    o.showScale = true;
    o.labels = LabelKind::NameAndValue;
    o.grid = true;
    o.showTitle = true;
    o.title1 = QStringLiteral("Five thousand places");
    o.title2 = QStringLiteral("by value");
    return o;
}

void generateAndSave(benchmark::State& state, const char* fileName) {
    ensureGui();
    QTemporaryDir dir;
    PlaceStore pristine;
    fillPlaces(pristine);
    GraphState graph;
    qint64 bytes = 0;
    for (auto _ : state) {
        PlaceStore store = pristine;
        GraphOptions options = bigGraph();
        FakeUi ui;
        PlaceRange range{store, kPlaces - 1};
        GraphRun run{options, range, graph, ui, ArcSinLink::standard(), false, nullptr};
        if (!generateGraph(run))
            state.SkipWithError("generation failed");
        QString currentFile, base = QStringLiteral("big");
        ui.fileAnswers = {dir.filePath(QString::fromUtf8(fileName))};
        SaveContext save{graph, options, ui, currentFile, base};
        if (!guarda(save))
            state.SkipWithError("saving failed");
        bytes = QFileInfo(currentFile).size();
    }
    state.counters["document_bytes"] = double(graph.document.bytes().size());
    state.SetBytesProcessed(state.iterations() * graph.document.bytes().size());
    state.counters["file_bytes"] = double(bytes);
}

void BM_GraphKml(benchmark::State& state) {
    generateAndSave(state, "big.kml");
}
void BM_GraphKmz(benchmark::State& state) {
    generateAndSave(state, "big.kmz");
}

// Generation alone, to tell its share from the writing.
void BM_GenerateOnly(benchmark::State& state) {
    ensureGui();
    PlaceStore pristine;
    fillPlaces(pristine);
    GraphState graph;
    for (auto _ : state) {
        PlaceStore store = pristine;
        GraphOptions options = bigGraph();
        FakeUi ui;
        PlaceRange range{store, kPlaces - 1};
        GraphRun run{options, range, graph, ui, ArcSinLink::standard(), false, nullptr};
        benchmark::DoNotOptimize(generateGraph(run));
    }
}

// The corner rings alone, on one thread: 5000 places of 50 sides.
void BM_CornerRings(benchmark::State& state) {
    PlaceStore store;
    fillPlaces(store);
    const CornerRing ring(polygonStep(50));
    QByteArray text;
    for (auto _ : state) {
        text.resize(0);
        for (int i = 0; i < kPlaces; ++i)
            ring.append(text, store.at(i, ColLatitude).toNumber(), store.at(i, ColLongitude).toNumber(),
                        1 + i % 7, 100 * i, ArcSinLink::standard());
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(state.iterations() * text.size());
}

BENCHMARK(BM_GraphKml)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GraphKmz)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GenerateOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CornerRings)->Unit(benchmark::kMillisecond);

} // namespace
