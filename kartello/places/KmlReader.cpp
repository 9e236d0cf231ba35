#include "places/KmlReader.h"
#include "form/ControlNames.h"

#include "places/GdalReader.h"
#include "places/TextReader.h"
#include "places/XmlScanner.h"
#include "runtime/Number.h"
#include "runtime/RuntimeError.h"
#include "runtime/TextCodec.h"

#include <QFile>

#include <zip.h>

#include <memory>

namespace kartello {

const char* const kKmlNamespaces[3] = {"http://earth.google.com/kml/2.1", "http://earth.google.com/kml/2.2",
                                       "http://www.opengis.net/kml/2.2"};

namespace {

// A KML document inside a KMZ is read up to this size: more than 5000
// placemarks ever need, and a guard against archives that inflate without end.
constexpr zip_uint64_t kMaxKmlBytes = 256u << 20;

// Longitude and latitude of the first tuple; a tuple without altitude is read too.
void firstTuple(const QString& coordinates, KmlPlace& place) {
    const QString tuple = coordinates.section(u' ', 0, 0, QString::SectionSkipEmpty);
    const qsizetype c1 = tuple.indexOf(u',');
    if (c1 < 0) {
        place.longitude = tuple;
        place.latitude = QString();
    } else {
        const qsizetype c2 = tuple.indexOf(u',', c1 + 1);
        place.longitude = tuple.left(c1);
        place.latitude = c2 < 0 ? tuple.mid(c1 + 1) : tuple.mid(c1 + 1, c2 - c1 - 1);
    }
    place.hasCoordinates = true;
}

class KmlWalker {
public:
    KmlWalker(QStringView text, const QString& valueField) : xml_(text), valueField_(valueField) {}

    KmlParse run() {
        while (!done_) {
            const XmlScanner::Token token = xml_.next();
            if (token == XmlScanner::End)
                break;
            if (token == XmlScanner::StartTag)
                start();
            else if (token == XmlScanner::EndTag)
                end();
        }
        if (result_.outcome == KmlParse::TooLarge)
            return std::move(result_);
        if (sawShapes_) {
            result_.outcome = KmlParse::Shapes;
            result_.places.clear();
        } else if (result_.places.empty()) {
            result_.outcome = KmlParse::NotUnderstood;
        }
        return std::move(result_);
    }

private:
    void start() {
        const QStringView name = xml_.name();
        if (name == u"name") {
            readName();
            return;
        }
        if (name == u"coordinates") {
            readCoordinates();
            return;
        }
        if (placemarkDepth_ != 0 && (name == u"SimpleData" || (name == u"value" && !dataName_.isNull()))) {
            const QString field = name == u"value" ? dataName_ : xml_.attribute(u"name");
            offerValue(field, xml_.elementText().trimmed());
            return;
        }
        if (name == u"Data")
            dataName_ = xml_.attribute(u"name");
        if (xml_.selfClosing())
            return;
        ++depth_;
        if (name == u"Placemark") {
            if (placemarkDepth_ == 0) {
                placemarkDepth_ = depth_;
                current_ = KmlPlace();
                ringsInPlacemark_ = 0;
                seenPlacemark_ = true;
            }
        } else if (name == u"LinearRing" || name == u"LineString") {
            sawShapes_ = true;
        }
    }

    void end() {
        if (xml_.name() == u"Data")
            dataName_ = QString();
        if (placemarkDepth_ != 0 && depth_ == placemarkDepth_ && xml_.name() == u"Placemark") {
            placemarkDepth_ = 0;
            result_.places.push_back(current_);
            if (!sawShapes_ && static_cast<int>(result_.places.size()) > kMaxKmlPlaces) {
                result_.outcome = KmlParse::TooLarge;
                result_.places.clear();
                done_ = true;
            }
        }
        if (depth_ > 0)
            --depth_;
    }

    void offerValue(const QString& field, const QString& text) {
        if (valueField_.isEmpty() ? current_.value.isEmpty() && isNumber(text) : field == valueField_)
            current_.value = text;
    }

    void readName() {
        const QString text = xml_.elementText().trimmed();
        if (!seenPlacemark_ && !haveDocumentName_) {
            result_.documentName = text;
            haveDocumentName_ = true;
        }
        if (placemarkDepth_ != 0 && depth_ == placemarkDepth_)
            current_.name = text;
    }

    void readCoordinates() {
        const QString coordinates = ringCoordinates(xml_.elementText());
        if (placemarkDepth_ == 0)
            return;
        if (!current_.hasCoordinates)
            firstTuple(coordinates, current_);
        Ring ring;
        ring.name = current_.name;
        ring.coordinates = coordinates;
        if (ringsInPlacemark_ == 0)
            ring.value = parseLinha7(coordinates, u"alt");
        ++ringsInPlacemark_;
        result_.rings.push_back(std::move(ring));
        if (static_cast<qsizetype>(result_.rings.size()) > PlaceStore::kRows)
            done_ = true; // more rings than the store holds: the shape reader refuses them
    }

    XmlScanner xml_;
    const QString valueField_;
    QString dataName_; // the Data element being read, null outside one
    KmlParse result_;
    KmlPlace current_;
    int depth_ = 0;
    int placemarkDepth_ = 0;
    int ringsInPlacemark_ = 0;
    bool seenPlacemark_ = false;
    bool haveDocumentName_ = false;
    bool sawShapes_ = false;
    bool done_ = false;
};

struct ZipCloser {
    void operator()(zip_t* z) const { zip_discard(z); }
};
struct ZipFileCloser {
    void operator()(zip_file_t* f) const { zip_fclose(f); }
};

QByteArray kmlInsideKmz(const QByteArray& archive) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source =
        zip_source_buffer_create(archive.constData(), static_cast<zip_uint64_t>(archive.size()), 0, &error);
    if (!source)
        throw RuntimeError(ErrPathFileAccess);
    std::unique_ptr<zip_t, ZipCloser> zip(zip_open_from_source(source, ZIP_RDONLY, &error));
    zip_error_fini(&error);
    if (!zip) {
        zip_source_free(source);
        throw RuntimeError(ErrPathFileAccess);
    }
    zip_int64_t chosen = zip_name_locate(zip.get(), "doc.kml", ZIP_FL_NOCASE);
    const zip_int64_t entries = zip_get_num_entries(zip.get(), 0);
    for (zip_int64_t i = 0; chosen < 0 && i < entries; ++i) {
        const char* name = zip_get_name(zip.get(), static_cast<zip_uint64_t>(i), 0);
        if (name && QByteArray(name).toLower().endsWith(".kml"))
            chosen = i;
    }
    if (chosen < 0)
        throw RuntimeError(ErrFileNotFound);
    std::unique_ptr<zip_file_t, ZipFileCloser> file(
        zip_fopen_index(zip.get(), static_cast<zip_uint64_t>(chosen), 0));
    if (!file)
        throw RuntimeError(ErrPathFileAccess);
    QByteArray kml;
    char buffer[65536];
    zip_int64_t n;
    while ((n = zip_fread(file.get(), buffer, sizeof buffer)) > 0) {
        kml.append(buffer, static_cast<qsizetype>(n));
        if (static_cast<zip_uint64_t>(kml.size()) > kMaxKmlBytes)
            throw RuntimeError(ErrOutOfMemory);
    }
    if (n < 0)
        throw RuntimeError(ErrPathFileAccess);
    return kml;
}

QString notUnderstoodMessage(const RuntimeError& e) {
    return QStringLiteral(
               "Can't proceed. I don't understand your data. Please review your input file. Error ") +
           QString::number(e.number) + QStringLiteral(" (") + e.description +
           QStringLiteral(") in procedure carregaKML.");
}

void loadKmlPlaces(PlaceContext& ctx, const KmlParse& parsed) {
    std::vector<StoreRow> rows;
    rows.reserve(parsed.places.size());
    for (const KmlPlace& p : parsed.places) {
        if (!isNumber(p.latitude))
            throw RuntimeError(ErrNotUnderstood, QString());
        StoreRow row;
        row[ColLatitude] = Cell(p.latitude);
        row[ColLongitude] = Cell(p.longitude);
        row[ColValue] = Cell(p.value);
        row[ColName] = Cell(p.name);
        rows.push_back(std::move(row));
    }
    const QString base = documentBaseName(parsed.documentName);
    ctx.set.graphBaseName =
        (base.isEmpty() ? parseArq(ctx.set.currentFile) : base) + QStringLiteral("-Graph");
    loadPlaceRows(ctx, rows, u"###.000000");
}

} // namespace

KmlParse parseKml(QStringView text, const QString& valueField) {
    return KmlWalker(text, valueField).run();
}

QString documentBaseName(const QString& documentName) {
    const qsizetype dot = documentName.indexOf(u'.');
    return dot < 0 ? documentName : documentName.left(dot);
}

QString readKmlFile(const QString& path) {
    QFile file(path);
    if (!file.exists())
        throw RuntimeError(ErrFileNotFound);
    if (!file.open(QIODevice::ReadOnly))
        throw RuntimeError(ErrPathFileAccess);
    const QByteArray bytes = file.readAll();
    if (bytes.startsWith("PK\x03\x04"))
        return decodeText(kmlInsideKmz(bytes));
    return decodeText(bytes);
}

namespace {

// Every failure ends the same way: the hourglass off, the progress label
// emptied, and the "don't understand" message.
void kmlProcedure(PlaceContext& ctx, const std::function<void()>& body) {
    Procedure procedure{QStringLiteral("carregaKML")};
    procedure.cleanUp = [&] {
        ctx.form.setCaption(ctl::lblProg, QString());
    };
    procedure.text = notUnderstoodMessage;
    procedure.icon = MsgIcon::Exclamation;
    if (runProcedure(ctx.ui, procedure, body))
        ctx.ui.setBusy(false);
}

void readKmlBody(PlaceContext& ctx, QStringView text) {
    const KmlParse parsed = parseKml(text, ctx.set.fieldChoice.valueField);
    switch (parsed.outcome) {
    case KmlParse::TooLarge:
        ctx.ui.setBusy(false);
        ctx.ui.messageBox(
            QStringLiteral("Can't proceed. The file is too large (> 5000 lines). You can split it "
                           "in smaller parts and try again. (Procedure carregaKML) "),
            QStringLiteral("Kartello"), MsgIcon::Critical);
        break;
    case KmlParse::Shapes: {
        const QString base = documentBaseName(parsed.documentName);
        carregaPoligono(ctx, parsed.rings, base.isEmpty() ? QString() : base + QStringLiteral("-Graph"));
        break;
    }
    case KmlParse::NotUnderstood:
        // Not KML: GIS data of any other vector format, or the message.
        if (!readGdal(ctx))
            throw RuntimeError(ErrNotUnderstood, QString());
        break;
    case KmlParse::Places:
        loadKmlPlaces(ctx, parsed);
        break;
    }
}

void startReading(PlaceContext& ctx) {
    ctx.ui.setBusy(true);
    ctx.form.setVisible(ctl::lblProg, true);
    ctx.form.setCaption(ctl::lblProg, QStringLiteral("0"));
}

} // namespace

void readKml(PlaceContext& ctx) {
    startReading(ctx);
    kmlProcedure(ctx, [&] {
        QString text;
        try {
            text = readKmlFile(ctx.set.currentFile);
        } catch (const RuntimeError&) {
            // An archive without a KML document inside may still be GIS data.
            if (readGdal(ctx))
                return;
            throw;
        }
        readKmlBody(ctx, text);
    });
}

void readKmlText(PlaceContext& ctx, QStringView text) {
    startReading(ctx);
    kmlProcedure(ctx, [&] { readKmlBody(ctx, text); });
}

} // namespace kartello
