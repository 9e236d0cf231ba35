#include "graph/Saving.h"

#include "graph/KmlDocument.h"
#include "graph/Kmz.h"
#include "runtime/AtomicFile.h"
#include "runtime/OpenFile.h"
#include "runtime/RuntimeError.h"
#include "runtime/Trap.h"
#include "runtime/Ui.h"

#include <QBuffer>
#include <QUrl>

namespace kartello {

namespace {

// The image path stem: the document name without its ".kml" extension, in
// any case. A document named otherwise gives its images no name.
QString imageStem(const QString& documentName) {
    if (!hasExtension(documentName, u".kml"))
        throw RuntimeError(ErrInvalidCall);
    return documentName.left(documentName.size() - 4);
}

// PNG, which every KML client shows; BMP when the options ask for it.
QByteArray imageBytes(const QImage& img, bool bmp) {
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    if (!img.save(&buf, bmp ? "BMP" : "PNG"))
        throw RuntimeError(ErrPathFileAccess);
    return bytes;
}

} // namespace

QString overlayFileSuffix(const GraphOptions& o, QStringView which) {
    return which.toString() + (o.bmpOverlays ? QStringLiteral(".bmp") : QStringLiteral(".png"));
}

bool hasExtension(const QString& path, QStringView extension) {
    return path.endsWith(extension, Qt::CaseInsensitive);
}

QString imageHref(const QString& base, bool kmz, QStringView suffix) {
    // Inside a KMZ the reference is a path within the archive: a URL path,
    // so its separator is "/" whatever the platform.
    const QString path = (kmz ? QStringLiteral("Images/") : QString()) + base + suffix.toString();
    // A relative URL: what a URL may not hold plainly is percent-encoded
    // (blanks, "%", "#", "?", non-ASCII), then the text is escaped for XML.
    const QByteArray url = QUrl::toPercentEncoding(path, "/!$&'()*+,;=:@");
    return xmlSafe(QString::fromLatin1(url));
}

QString baseNameOf(const QString& path) {
    const qsizetype slash = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot <= slash)
        return path.mid(slash + 1);
    return path.mid(slash + 1, dot - slash - 1);
}

void fillDocumentLines(KmlText& doc, const GraphOptions& o, const QString& documentName, const QString& base,
                       bool kmz, bool* titleUsed, bool* scaleUsed) {
    if (doc.hasSlot(KmlSlot::TitleHref)) {
        imageStem(documentName);
        doc.fill(KmlSlot::TitleHref, QStringLiteral("    <href>") +
                                         imageHref(base, kmz, overlayFileSuffix(o, u"_title")) +
                                         QStringLiteral("</href>"));
        *titleUsed = true;
    }
    if (doc.hasSlot(KmlSlot::ScaleHref) && o.showScale) {
        imageStem(documentName);
        doc.fill(KmlSlot::ScaleHref, QStringLiteral("    <href>") +
                                         imageHref(base, kmz, overlayFileSuffix(o, u"_cscale")) +
                                         QStringLiteral("</href>"));
        *scaleUsed = true;
    }
    doc.fill(KmlSlot::Name, QStringLiteral("<name>") + xmlSafe(base) + QStringLiteral("</name>"));
}

bool guarda(SaveContext& ctx) {
    const std::optional<QString> chosen =
        ctx.ui.saveFileDialog(QStringLiteral("Save"), QStringLiteral("kml (*.kml)|*.kml|kmz (*.kmz)|*.kmz"),
                              QString(), ctx.graphBaseName);
    if (!chosen || chosen->isEmpty())
        return false;
    bool packed = true;
    const Procedure procedure{QStringLiteral("guarda"), QStringLiteral(". Please report this error")};
    const bool written = runProcedure(ctx.ui, procedure, [&] {
        ctx.currentFile = *chosen;
        // The extension alone decides, in any case: "graph.KMZ" is an
        // archive, "maps.kmz.d/x.kml" a plain document.
        const bool kmz = hasExtension(ctx.currentFile, u".kmz");
        const QString documentName =
            kmz ? ctx.currentFile.left(ctx.currentFile.size() - 3) + QStringLiteral("kml") : ctx.currentFile;
        ctx.graphBaseName = baseNameOf(ctx.currentFile);
        const QString base = ctx.graphBaseName;

        bool titleUsed = false, scaleUsed = false;
        fillDocumentLines(ctx.state.document, ctx.options, documentName, base, kmz, &titleUsed, &scaleUsed);
        const QByteArray& doc = ctx.state.document.bytes();

        if (kmz) {
            // Packed straight from memory: the document first, as viewers
            // take the first KML they meet as the root.
            std::vector<ArchiveEntry> entries{{QStringLiteral("doc.kml"), doc}};
            QByteArray title, scale;
            if (scaleUsed) {
                scale = imageBytes(ctx.state.scaleImage, ctx.options.bmpOverlays);
                entries.push_back(
                    {QStringLiteral("Images/") + base + overlayFileSuffix(ctx.options, u"_cscale"), scale});
            }
            if (titleUsed) {
                title = imageBytes(ctx.state.titleImage, ctx.options.bmpOverlays);
                entries.push_back(
                    {QStringLiteral("Images/") + base + overlayFileSuffix(ctx.options, u"_title"), title});
            }
            if (const auto err = packArchive(ctx.currentFile, entries)) {
                ctx.ui.messageBox(*err, QStringLiteral("Kartello"), MsgIcon::None);
                packed = false;
                return;
            }
        } else {
            writeFileAtomically(ctx.currentFile, doc);
            if (titleUsed)
                writeFileAtomically(imageStem(documentName) + overlayFileSuffix(ctx.options, u"_title"),
                                    imageBytes(ctx.state.titleImage, ctx.options.bmpOverlays));
            if (scaleUsed)
                writeFileAtomically(imageStem(documentName) + overlayFileSuffix(ctx.options, u"_cscale"),
                                    imageBytes(ctx.state.scaleImage, ctx.options.bmpOverlays));
        }
    });
    if (!written || !packed)
        return false;
    // The window steps aside only when the viewer really took the file.
    if (ctx.options.openInViewer && openOrTell(ctx.ui, ctx.currentFile))
        ctx.ui.minimizeMainWindow();
    return true;
}

} // namespace kartello
