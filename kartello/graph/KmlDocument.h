#pragma once
// The KML graph document, written line by line into one buffer: head and camera,
// the graph folder (or the plain placemarks of "only save"), grid lines, the
// title and colour-scale overlays, labels and tail.
#include "graph/GraphOptions.h"
#include "graph/GraphState.h"

#include <QStringList>
#include <functional>
#include <vector>

namespace kartello {

class Ui;

struct DocumentInput {
    const GraphOptions& options;
    const GraphState& state;
    const PlaceRange& places;
    bool shapeMode = false;
    // Point sets: the corner ring of place i, made as the document takes it
    // in (so a large graph is never held twice) and valid until the next
    // call, and a bound of all their sizes.
    std::function<QByteArrayView(int)> pointRing;
    qsizetype pointRingBytes = 0;
    QStringList meridians; // grid lines, at most 12 of each are used
    QStringList parallels;
    // Shape sets: for ring i the ring it is a hole of, -1 for an outer ring
    // (empty: every ring is outer).
    std::vector<int> holeOf;
    // Shape sets: the text inside a label's <coordinates> for ring i.
    std::function<QString(int)> shapeLabelPosition;
};

// Throws GenerationStopped when the person answers No to the question about
// an unreadable altitude.
KmlText writeDocument(const DocumentInput& in, Ui& ui);

// The altitude text of a ring's first tuple (after its second comma); a null
// text when the tuple has none.
QString firstTupleAltitude(const QString& ring);

// Text made safe as XML character data: "<", ">" and every "&" that does not
// start one of the five predefined entities or a character reference to an
// allowed character are escaped; characters XML forbids are dropped. Valid
// references stay as they are, so names read from KML come back unchanged.
QString xmlSafe(const QString& text);

// The value text of a label: the value unshifted and rounded to the decimals
// of Combo2, halves to even.
QString labelValueText(double value, const GraphState& st, const QString& decimalsText);

} // namespace kartello
