// Reading one layer of GIS data: points become places, polygons and
// multipolygons (holes included) a shape set, every coordinate reprojected to
// WGS84 longitude/latitude.
#include "places/gis/GisReading.h"

#include "places/KmlReader.h"
#include "places/gis/GdalSource.h"
#include "runtime/Number.h"

#include <ogr_srs_api.h>

#include <memory>

namespace kartello::gis {

namespace {

struct SrsCloser {
    void operator()(OGRSpatialReferenceH s) const { OSRDestroySpatialReference(s); }
};
struct TransformCloser {
    void operator()(OGRCoordinateTransformationH t) const { OCTDestroyCoordinateTransformation(t); }
};
using Srs = std::unique_ptr<std::remove_pointer_t<OGRSpatialReferenceH>, SrsCloser>;
using Transform = std::unique_ptr<std::remove_pointer_t<OGRCoordinateTransformationH>, TransformCloser>;

int namedField(OGRFeatureDefnH defn, const QString& name) {
    return name.isEmpty() ? -1 : OGR_FD_GetFieldIndex(defn, name.toUtf8().constData());
}

class LayerReader {
public:
    // choice as filledChoice gives it: an empty field is none.
    LayerReader(OGRLayerH layer, const FieldChoice& choice) : layer_(layer), choice_(choice) {
        OGRFeatureDefnH defn = OGR_L_GetLayerDefn(layer);
        nameField_ = namedField(defn, choice.nameField);
        latField_ = namedField(defn, choice.latField);
        lonField_ = namedField(defn, choice.lonField);
        valueField_ = namedField(defn, choice.valueField);
        timeField_ = namedField(defn, choice.timeField);
    }

    // False when a chosen field is missing or the coordinates cannot be
    // brought to WGS84.
    bool ready() {
        if ((!choice_.nameField.isEmpty() && nameField_ < 0) ||
            (!choice_.valueField.isEmpty() && valueField_ < 0) ||
            (!choice_.timeField.isEmpty() && timeField_ < 0) ||
            (!choice_.latField.isEmpty() && latField_ < 0) || (!choice_.lonField.isEmpty() && lonField_ < 0))
            return false;
        OGRSpatialReferenceH source = OGR_L_GetSpatialRef(layer_);
        if (!source)
            return true; // no coordinate system given: taken as longitude/latitude
        Srs wgs84(OSRNewSpatialReference(nullptr));
        OSRSetWellKnownGeogCS(wgs84.get(), "WGS84");
        OSRSetAxisMappingStrategy(wgs84.get(), OAMS_TRADITIONAL_GIS_ORDER);
        Srs from(OSRClone(source));
        OSRSetAxisMappingStrategy(from.get(), OAMS_TRADITIONAL_GIS_ORDER);
        if (OSRIsSame(from.get(), wgs84.get()))
            return true;
        transform_.reset(OCTNewCoordinateTransformation(from.get(), wgs84.get()));
        return transform_ != nullptr;
    }

    // Reads every feature; false once the layer holds more than the store takes.
    bool read(GdalParse& out) {
        OGR_L_ResetReading(layer_);
        while (OGRFeatureH raw = OGR_L_GetNextFeature(layer_)) {
            const Feature owner(raw);
            const QString name =
                nameField_ < 0 ? QString() : QString::fromUtf8(OGR_F_GetFieldAsString(raw, nameField_));
            value_ = valueCell(raw);
            time_ = fieldText(raw, timeField_);
            name_ = name;
            if (OGRGeometryH g = OGR_F_GetGeometryRef(raw))
                geometry(g, out);
            else if (latField_ >= 0 && lonField_ >= 0 && OGR_F_IsFieldSetAndNotNull(raw, latField_) &&
                     OGR_F_IsFieldSetAndNotNull(raw, lonField_))
                point(OGR_F_GetFieldAsDouble(raw, lonField_), OGR_F_GetFieldAsDouble(raw, latField_), out);
            if (static_cast<int>(out.places.size()) > kMaxKmlPlaces ||
                static_cast<int>(out.rings.size()) > kMaxKmlPlaces)
                return false;
        }
        return true;
    }

private:
    Cell valueCell(OGRFeatureH f) const {
        if (valueField_ < 0 || !OGR_F_IsFieldSetAndNotNull(f, valueField_))
            return Cell(QString());
        if (isNumeric(OGR_Fld_GetType(OGR_F_GetFieldDefnRef(f, valueField_))))
            return Cell(OGR_F_GetFieldAsDouble(f, valueField_));
        return Cell(QString::fromUtf8(OGR_F_GetFieldAsString(f, valueField_)));
    }

    bool toWgs84(double& x, double& y) const {
        double z = 0;
        return !transform_ || OCTTransform(transform_.get(), 1, &x, &y, &z);
    }

    void point(double x, double y, GdalParse& out) {
        if (!toWgs84(x, y))
            return;
        StoreRow row;
        row[ColLatitude] = Cell(y);
        row[ColLongitude] = Cell(x);
        row[ColValue] = value_;
        row[ColName] = Cell(name_);
        out.places.push_back(std::move(row));
        out.times.push_back(time_);
    }

    void ring(OGRGeometryH g, bool firstOfShape, GdalParse& out) {
        QString text;
        const int n = OGR_G_GetPointCount(g);
        for (int i = 0; i < n; ++i) {
            double x = OGR_G_GetX(g, i), y = OGR_G_GetY(g, i);
            if (!toWgs84(x, y))
                return;
            text += numberText(x) + u',' + numberText(y) + QStringLiteral(",0 ");
        }
        if (text.isEmpty())
            return;
        Ring r;
        r.name = name_;
        r.coordinates = text;
        if (firstOfShape)
            r.value = value_.isEmpty() ? QStringLiteral("0") : value_.toText();
        out.rings.push_back(std::move(r));
    }

    void geometry(OGRGeometryH g, GdalParse& out) {
        switch (wkbFlatten(OGR_G_GetGeometryType(g))) {
        case wkbPoint:
            point(OGR_G_GetX(g, 0), OGR_G_GetY(g, 0), out);
            break;
        case wkbLineString:
            ring(g, out.rings.empty() || out.rings.back().name != name_, out);
            break;
        case wkbPolygon: {
            const int rings = OGR_G_GetGeometryCount(g);
            for (int k = 0; k < rings; ++k)
                ring(OGR_G_GetGeometryRef(g, k), out.rings.empty() || out.rings.back().name != name_, out);
            break;
        }
        case wkbMultiPoint:
        case wkbMultiLineString:
        case wkbMultiPolygon:
        case wkbGeometryCollection: {
            const int parts = OGR_G_GetGeometryCount(g);
            for (int k = 0; k < parts; ++k)
                geometry(OGR_G_GetGeometryRef(g, k), out);
            break;
        }
        default:
            break;
        }
    }

    OGRLayerH layer_;
    const FieldChoice& choice_;
    int nameField_ = -1, valueField_ = -1, latField_ = -1, lonField_ = -1, timeField_ = -1;
    Transform transform_;
    QString name_;
    QString time_;
    Cell value_;
};

} // namespace

GdalParse parseGdal(const QString& path, const FieldChoice& choice) {
    QuietErrors quiet;
    GdalParse result;
    const Dataset ds = openVector(path, choice);
    if (!ds)
        return result;
    OGRLayerH layer = chosenLayer(ds.get(), choice.layer);
    if (!layer)
        return result;
    result.layerName = QString::fromUtf8(OGR_L_GetName(layer));
    const FieldChoice fields = filledChoice(path, layer, choice);
    LayerReader reader(layer, fields);
    if (!reader.ready())
        return result;
    if (!reader.read(result)) {
        result = GdalParse();
        result.outcome = GdalParse::TooLarge;
        return result;
    }
    if (!result.rings.empty()) {
        result.outcome = GdalParse::Shapes;
        result.places.clear();
        result.times.clear();
    } else if (!result.places.empty()) {
        result.outcome = GdalParse::Places;
    }
    if (choice.timeField.isEmpty())
        result.times.clear();
    return result;
}

} // namespace kartello::gis
