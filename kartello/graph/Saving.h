#pragma once
// Saving a generated graph: the save dialog, the document with its
// placeholders filled in, the overlay images beside it or packed with it into
// a KMZ, and opening the result with the application registered for it.
#include "graph/GraphOptions.h"
#include "graph/GraphState.h"

#include <QString>

namespace kartello {

class Ui;

struct SaveContext {
    GraphState& state;
    const GraphOptions& options;
    Ui& ui;
    QString& currentFile;
    QString& graphBaseName;
};

// True when the graph was written. A cancelled dialog ends silently; any
// other fault shows "... in procedure guarda of form Main. Please report this
// error" (or the packer's own text) and leaves an existing file as it was.
bool guarda(SaveContext& ctx);

// "_title.png" / "_cscale.png", or ".bmp" when the options ask for bitmaps.
QString overlayFileSuffix(const GraphOptions& o, QStringView which);

// True when the path ends in the extension (".kml", ".kmz"), in any case.
bool hasExtension(const QString& path, QStringView extension);

// The href of an overlay image: base + suffix, under "Images/" in a KMZ,
// percent-encoded as a relative URL and escaped for XML.
QString imageHref(const QString& base, bool kmz, QStringView suffix);

// The text between the last path separator and the last ".".
QString baseNameOf(const QString& path);

// Fills in the document's name line and its image references for the chosen
// file; marks the images the document refers to. Throws RuntimeError 5 when
// the title or scale image needs a name and the document name holds no ".kml".
void fillDocumentLines(KmlText& doc, const GraphOptions& o, const QString& documentName, const QString& base,
                       bool kmz, bool* titleUsed, bool* scaleUsed);

} // namespace kartello
