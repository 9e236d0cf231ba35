#include "graph/Saving.h"

#include "graph/KmlDocument.h"
#include "graph/Kmz.h"
#include "runtime/AtomicFile.h"
#include "runtime/OpenFile.h"
#include "runtime/RuntimeError.h"
#include "runtime/Staging.h"
#include "runtime/Trap.h"
#include "runtime/Ui.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
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

QByteArray documentBytes(const QStringList& lines) {
    QByteArray out;
    qsizetype size = 0;
    for (const QString& l : lines)
        size += l.size() + 2;
    out.reserve(size + size / 8);
    for (const QString& l : lines) {
        out += l.toUtf8();
        out += "\r\n";
    }
    return out;
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

QStringList finishedLines(const QStringList& lines, const GraphOptions& o, const QString& documentName,
                          const QString& base, bool kmz, bool* titleUsed, bool* scaleUsed) {
    QStringList out = lines;
    for (QString& line : out) {
        if (line == kTitlePlaceholder) {
            imageStem(documentName);
            line = QStringLiteral("    <href>") + imageHref(base, kmz, overlayFileSuffix(o, u"_title")) +
                   QStringLiteral("</href>");
            *titleUsed = true;
        } else if (line == kScalePlaceholder && o.showScale) {
            imageStem(documentName);
            line = QStringLiteral("    <href>") + imageHref(base, kmz, overlayFileSuffix(o, u"_cscale")) +
                   QStringLiteral("</href>");
            *scaleUsed = true;
        } else if (line == kNamePlaceholder) {
            line = QStringLiteral("<name>") + xmlSafe(base) + QStringLiteral("</name>");
        }
    }
    return out;
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
        const QStringList lines =
            finishedLines(ctx.state.kmlLines, ctx.options, documentName, base, kmz, &titleUsed, &scaleUsed);
        const QByteArray doc = documentBytes(lines);

        if (kmz) {
            QTemporaryDir staging(stagingTemplate(QStringLiteral("kmz")));
            if (!staging.isValid())
                throw RuntimeError(ErrPathFileAccess);
            const QDir dir(staging.path());
            dir.mkpath(QStringLiteral("Images"));
            writeFileAtomically(dir.filePath(QStringLiteral("doc.kml")), doc);
            if (titleUsed)
                writeFileAtomically(dir.filePath(QStringLiteral("Images/") + base +
                                                 overlayFileSuffix(ctx.options, u"_title")),
                                    imageBytes(ctx.state.titleImage, ctx.options.bmpOverlays));
            if (scaleUsed)
                writeFileAtomically(dir.filePath(QStringLiteral("Images/") + base +
                                                 overlayFileSuffix(ctx.options, u"_cscale")),
                                    imageBytes(ctx.state.scaleImage, ctx.options.bmpOverlays));
            if (const auto err = packFolder(staging.path(), ctx.currentFile)) {
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
        ctx.state.kmlLines = lines;
    });
    if (!written || !packed)
        return false;
    // The window steps aside only when the viewer really took the file.
    if (ctx.options.openInViewer && openOrTell(ctx.ui, ctx.currentFile))
        ctx.ui.minimizeMainWindow();
    return true;
}

} // namespace kartello
