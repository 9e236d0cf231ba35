// Reading the largest accepted files into store and table: 4998 places of text
// and 5000 placemarks of KML, with a Ui whose yield is the window's real cost
// model (a counter; the window repaints only now and then).
#include "places/KmlReader.h"
#include "places/PlaceTable.h"
#include "places/TextReader.h"
#include "runtime/TextCodec.h"
#include "runtime/testing/FakeUi.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace kartello;

namespace {

struct Session {
    FakeUi ui;
    FormModel form{ui};
    tessara::GridModel grid;
    PlaceSet set;
    PlaceContext ctx{set, grid, form, ui};
    Session() {
        form.startUp();
        formataGrid(grid);
    }
};

QString writeBenchFile(const QTemporaryDir& dir, const char* name, const QByteArray& bytes) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

QByteArray placeText(int places) {
    QByteArray out;
    for (int i = 0; i < places; ++i)
        out += "\"Place " + QByteArray::number(i) + "\"," +
               QByteArray::number(-60 + (i % 12000) * 0.01, 'f', 4) + "," +
               QByteArray::number(-170 + (i % 34000) * 0.01, 'f', 4) + "," + QByteArray::number(i * 3 % 997) +
               "\r\n";
    return out;
}

QByteArray placemarkKml(int places) {
    QByteArray out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                     "<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n<Document>\n\t<name>Bench.kml</name>\n";
    for (int i = 0; i < places; ++i)
        out += "\t<Placemark>\n\t\t<name>Place " + QByteArray::number(i) +
               "</name>\n\t\t<LookAt>\n\t\t\t<longitude>1</longitude>\n\t\t</LookAt>\n\t\t<Point>\n"
               "\t\t\t<coordinates>" +
               QByteArray::number(-170 + (i % 34000) * 0.01, 'f', 6) + "," +
               QByteArray::number(-60 + (i % 12000) * 0.01, 'f', 6) +
               ",0</coordinates>\n\t\t</Point>\n\t</Placemark>\n";
    return out + "</Document>\n</kml>\n";
}

void BM_ReadText4998(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = writeBenchFile(dir, "places.txt", placeText(4998));
    Session s;
    s.set.currentFile = path;
    for (auto _ : state) {
        carrega(s.ctx);
        benchmark::DoNotOptimize(s.set.lastPlace);
    }
    if (s.set.lastPlace != 4997)
        state.SkipWithError("the file was not read");
}
BENCHMARK(BM_ReadText4998)->Unit(benchmark::kMillisecond);

void BM_ReadKml5000(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = writeBenchFile(dir, "places.kml", placemarkKml(5000));
    Session s;
    s.set.currentFile = path;
    for (auto _ : state) {
        readKml(s.ctx);
        benchmark::DoNotOptimize(s.set.lastPlace);
    }
    if (s.set.lastPlace != 4999)
        state.SkipWithError("the file was not read");
}
BENCHMARK(BM_ReadKml5000)->Unit(benchmark::kMillisecond);

// The parts of the KML read: XML walk alone, and putting parsed places into store and table.
void BM_ParseKml5000(benchmark::State& state) {
    const QString text = QString::fromUtf8(placemarkKml(5000));
    for (auto _ : state)
        benchmark::DoNotOptimize(parseKml(text));
}
BENCHMARK(BM_ParseKml5000)->Unit(benchmark::kMillisecond);

void BM_DecodeKml5000(benchmark::State& state) {
    const QByteArray bytes = placemarkKml(5000);
    for (auto _ : state)
        benchmark::DoNotOptimize(decodeText(bytes));
}
BENCHMARK(BM_DecodeKml5000)->Unit(benchmark::kMillisecond);

void BM_YieldToWindow(benchmark::State& state) {
    FakeUi ui;
    for (auto _ : state)
        ui.yieldToWindow();
}
BENCHMARK(BM_YieldToWindow);

} // namespace
