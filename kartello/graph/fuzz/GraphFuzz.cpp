// Any place cells and option values into graph generation: it may refuse
// them with a message, but must not crash, hang, or put a NaN or an
// infinity into the document.
#include "graph/ArcSinLink.h"
#include "graph/Generator.h"
#include "graph/TimeStamp.h"
#include "runtime/Number.h"
#include "runtime/RuntimeError.h"
#include "runtime/testing/FakeUi.h"

#include <QGuiApplication>
#include <cstddef>
#include <cstdint>

using namespace kartello;

namespace {

void ensureGui() {
    static int argc = 1;
    static char name[] = "kartello_graph_fuzz";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QGuiApplication(argc, argv);
    }
}

// The input is lines; the first holds option switches as characters, each
// further line a place "lat,lon,value,name,time".
GraphOptions optionsFrom(const QString& line) {
    GraphOptions o;
    const auto on = [&line](int i) {
        return i < line.size() && (line[i].unicode() & 1);
    };
    o.flat = on(0);
    o.threeD = !o.flat;
    o.sizeByValue = on(1);
    o.sizeConstant = !o.sizeByValue;
    o.autoSize = on(2);
    o.heightByValue = on(3);
    o.heightConstant = !o.heightByValue;
    o.autoHeight = on(4);
    o.colorByValue = on(5);
    o.colorConstant = !o.colorByValue;
    o.logTransform = on(6);
    o.sqrTransform = on(7);
    o.autoColorScale = on(8);
    o.grid = on(9);
    o.nothing = on(10);
    o.outline = on(11);
    o.labels = LabelKind((line.size() > 12 ? line[12].unicode() : 0) % 4);
    o.colorScaleChoice = (line.size() > 13 ? line[13].unicode() : 1) % 9;
    o.sidesText = line.mid(14, 3);
    o.sizeText = line.mid(17, 4);
    o.sizeUnitFactor = 1;
    o.heightText = line.mid(21, 4);
    o.heightUnitFactor = 1;
    o.sizeFactorText = line.mid(25, 4);
    o.decimalsText = line.mid(29, 2);
    o.classMethod = ClassMethod((line.size() > 31 ? line[31].unicode() : 0) % 4);
    o.classCount = 3 + (line.size() > 32 ? line[32].unicode() : 0) % 7;
    o.classHeight = on(33);
    return o;
}

// A number too large for a double is refused by the reader; the table check
// would have refused it too.
double numberOrZero(const QString& text) {
    try {
        return readNumber(text);
    } catch (const RuntimeError&) {
        return 0;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ensureGui();
    const QStringList lines =
        QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size)).split(QLatin1Char('\n'));
    GraphOptions options = optionsFrom(lines.value(0));
    PlaceStore store;
    int last = -1;
    for (int i = 1; i < lines.size() && last < 30; ++i) {
        const QStringList f = lines[i].split(QLatin1Char(','));
        ++last;
        // Latitude and longitude are numbers by the time the table check has
        // passed them; value and name may be any text.
        for (int c = 0; c < 4 && c < f.size(); ++c)
            store.at(last, c) = c <= ColLongitude ? Cell(numberOrZero(f[c])) : Cell(f[c]);
        store.row(last).time = f.value(4);
    }
    if (last < 0)
        return 0;
    FakeUi ui;
    ui.answers = {MsgAnswer::Yes, MsgAnswer::Yes, MsgAnswer::Yes};
    GraphState state;
    PlaceRange range{store, last};
    GraphRun run{options, range, state, ui, ArcSinLink::standard(), false, nullptr};
    if (generateGraph(run)) {
        for (const QString& line : state.document.lines()) {
            if (line.contains(QLatin1String("nan"), Qt::CaseInsensitive) ||
                line.contains(QLatin1String("inf"), Qt::CaseInsensitive))
                if (!line.contains(QLatin1String("<name>")))
                    __builtin_trap();
            // A time written is one of the schema's forms, which read back as themselves.
            const QString when =
                line.section(QLatin1String("<when>"), 1).section(QLatin1String("</when>"), 0, 0);
            if (!when.isEmpty() && kmlWhen(when) != when)
                __builtin_trap();
        }
    }
    return 0;
}
