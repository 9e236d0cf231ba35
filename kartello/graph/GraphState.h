#pragma once
// What one graph generation works on and leaves behind: the places in store
// order, the value range and extent it found, the colours, the polygon
// coordinate texts, the document lines and the two overlay images.
#include "graph/Colors.h"
#include "runtime/Cell.h"

#include <QImage>
#include <QStringList>
#include <array>
#include <vector>

namespace kartello {

// Store columns: latitude, longitude, value, name. In a shape set column 0
// holds the ring's coordinate text instead of a latitude.
enum PlaceColumn { ColLat = 0, ColLon = 1, ColValue = 2, ColName = 3 };
using PlaceRow = std::array<Cell, 4>;
using PlaceRows = std::vector<PlaceRow>;

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

    std::vector<QString> placeColors;
    std::vector<QString> placeCoords;
    std::vector<long long> heights;
    Camera camera;

    // The document, one entry per line without line ends; placeholders for the
    // name and the two image references stay until the document is saved.
    QStringList kmlLines;

    QImage titleImage;
    QImage scaleImage;
};

// Placeholder lines that saving replaces.
inline const QString kNamePlaceholder = QStringLiteral("()_+");
inline const QString kTitlePlaceholder = QStringLiteral("$%&&%$");
inline const QString kScalePlaceholder = QStringLiteral("&&%%$$");

} // namespace kartello
