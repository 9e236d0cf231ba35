#pragma once
// The KML graph document, written line by line into memory: head and camera,
// the graph folder (or the plain placemarks of "only save"), grid lines, the
// title and colour-scale overlays, labels and tail.
#include "graph/GraphOptions.h"
#include "graph/GraphState.h"

#include <QStringList>
#include <functional>

namespace kartello {

class Ui;

// Most lines one document may hold; a larger graph is an error, not a
// truncated file.
inline constexpr int kMaxDocumentLines = 200001;

struct DocumentInput {
    const GraphOptions& options;
    const GraphState& state;
    const PlaceRows& places;
    bool shapeMode = false;
    QStringList meridians; // grid lines, at most 12 of each are used
    QStringList parallels;
    // Shape sets: the text inside a label's <coordinates> for ring i.
    std::function<QString(int)> shapeLabelPosition;
};

// Throws GenerationStopped when the person answers No to the question about
// an unreadable altitude, RuntimeError 9 past kMaxDocumentLines.
QStringList writeDocument(const DocumentInput& in, Ui& ui);

// Text made safe as XML character data: "<" and ">" and a "&" that does not
// start an entity reference are escaped; existing references stay as they are,
// so names read from KML come back unchanged.
QString xmlSafe(const QString& text);

// The value text of a label: the value unshifted and rounded to the decimals
// of Combo2, halves to even.
QString labelValueText(double value, const GraphState& st, const QString& decimalsText);

} // namespace kartello
