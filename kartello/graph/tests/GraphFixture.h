#pragma once
// A small place set, options and a scripted person for whole-graph tests.
#include "graph/ArcSinLink.h"
#include "graph/Generator.h"
#include "runtime/testing/FakeUi.h"

#include <initializer_list>
#include <ostream>

// Readable failure messages for texts.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace kartello::testing_support {

struct Place {
    double lat, lon, value;
    const char* name;
};

struct GraphFixture {
    PlaceStore store;
    GraphOptions options;
    GraphState state;
    FakeUi ui;
    ShapeHooks hooks;
    int lastPlace = 0;
    bool shapeMode = false;

    void places(std::initializer_list<Place> list) {
        int i = 0;
        for (const Place& p : list) {
            store.at(i, ColLatitude) = Cell(p.lat);
            store.at(i, ColLongitude) = Cell(p.lon);
            store.at(i, ColValue) = Cell(p.value);
            store.at(i, ColName) = Cell(QString::fromUtf8(p.name));
            ++i;
        }
        lastPlace = i - 1;
    }

    // Flat, constant colour (red fill), constant size 0 (every corner on its
    // place) and constant height 0 m: the plainest graph.
    void plainOptions() {
        options.flat = true;
        options.colorConstant = true;
        options.fillColor = 0x0000FF;
        options.sizeConstant = true;
        options.sizeText = QStringLiteral("0");
        options.sizeUnitFactor = 1;
        options.heightConstant = true;
        options.heightText = QStringLiteral("0");
        options.heightUnitFactor = 1;
        options.autoHeightVisible = false;
        options.autoColorScale = true;
    }

    // Colour by value on the grey ramp (white for the smallest value).
    void greyColourByValue() {
        options.colorConstant = false;
        options.colorByValue = true;
        options.colorScaleChoice = 7;
    }

    // Height by value, its automatic switch shown.
    void heightByValue() {
        options.heightConstant = false;
        options.heightByValue = true;
        options.autoHeightVisible = true;
    }

    bool generate() {
        PlaceRange range{store, lastPlace};
        GraphRun run{options, range, state, ui, ArcSinLink::standard(), shapeMode, &hooks};
        return generateGraph(run);
    }
};

} // namespace kartello::testing_support
