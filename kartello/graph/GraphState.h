#pragma once
// What one graph generation works on and leaves behind: the places in store
// order, the value range and extent it found, the colours, the polygon
// coordinate texts, the document lines and the two overlay images.
#include "graph/Classes.h"
#include "graph/Colors.h"
#include "graph/KmlText.h"
#include "places/PlaceStore.h"

#include <QImage>
#include <QStringList>
#include <array>
#include <vector>

namespace kartello {

// The places a generation reads: store rows 0..lastPlace. In a shape set
// column 0 holds the ring's coordinate text instead of a latitude.
struct PlaceRange {
    PlaceStore& store;
    int lastPlace = 0;

    int count() const { return lastPlace + 1; }
    Cell& at(int row, int col) { return store.at(row, col); }
    const Cell& at(int row, int col) const { return store.at(row, col); }
};

struct Camera {
    QString longitude, latitude; // number texts, from the box's midpoint
    double range = 0;
    int tilt = 0;
    int heading = 0;
};

struct GraphState {
    // The custom scale lives here between runs; a preset refills it per run.
    ColorTable colorScale{};
    SwatchColors swatches;

    double valueMin = 0, valueMax = 0;
    float rawValueMin = 0, rawValueMax = 0; // the data's range before any shift
    bool valuesShifted = false;
    double latMin = 0, latMax = 0, lonMin = 0, lonMax = 0;
    double heightFactor = 1;

    // The value classes (in stored, shifted values); empty for the continuous scale.
    ClassBreaks classes;

    std::vector<QString> placeColors;
    // A shape's raised ring (UTF-8); a point place's ring is written straight
    // into the document from its radius and height.
    std::vector<QByteArray> placeCoords;
    std::vector<double> radii; // nautical miles
    std::vector<long long> heights;
    // Each place's time as a KML <when>; empty for a place without one.
    std::vector<QString> placeTimes;
    Camera camera;

    // The document; its name and image reference lines read as placeholders
    // until it is saved.
    KmlText document;

    QImage titleImage;
    QImage scaleImage;
};

// What the lines that saving writes read until then.
inline const QString kNamePlaceholder = QStringLiteral("()_+");
inline const QString kTitlePlaceholder = QStringLiteral("$%&&%$");
inline const QString kScalePlaceholder = QStringLiteral("&&%%$$");

} // namespace kartello
