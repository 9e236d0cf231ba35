#include "places/gis/GdalSource.h"

#include <cpl_error.h>
#include <cpl_string.h>

#include <cstdlib>
#include <initializer_list>
#include <mutex>

namespace kartello::gis {

namespace {

QString fieldName(OGRFeatureDefnH defn, int i) {
    return QString::fromUtf8(OGR_Fld_GetNameRef(OGR_FD_GetFieldDefn(defn, i)));
}

// The first field whose name is one of names, in any case; empty when none is.
QString firstFieldNamed(OGRFeatureDefnH defn, std::initializer_list<QStringView> names) {
    const int n = OGR_FD_GetFieldCount(defn);
    for (int i = 0; i < n; ++i) {
        const QString field = fieldName(defn, i);
        for (QStringView name : names)
            if (field.compare(name, Qt::CaseInsensitive) == 0)
                return field;
    }
    return QString();
}

QString firstFieldOfType(OGRFeatureDefnH defn, bool numeric, const QString& skipA, const QString& skipB) {
    const int n = OGR_FD_GetFieldCount(defn);
    for (int i = 0; i < n; ++i) {
        const OGRFieldType type = OGR_Fld_GetType(OGR_FD_GetFieldDefn(defn, i));
        const QString field = fieldName(defn, i);
        if ((numeric ? isNumeric(type) : type == OFTString) && field != skipA && field != skipB)
            return field;
    }
    return QString();
}

} // namespace

QuietErrors::QuietErrors() {
    CPLPushErrorHandler(CPLQuietErrorHandler);
}

QuietErrors::~QuietErrors() {
    CPLPopErrorHandler();
}

bool isNumeric(OGRFieldType t) {
    return t == OFTInteger || t == OFTInteger64 || t == OFTReal;
}

bool isCsvPath(const QString& path) {
    return path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive);
}

QString fieldText(OGRFeatureH f, int field) {
    if (field < 0 || !OGR_F_IsFieldSetAndNotNull(f, field))
        return QString();
    const OGRFieldType type = OGR_Fld_GetType(OGR_F_GetFieldDefnRef(f, field));
    if (type != OFTDate && type != OFTDateTime)
        return QString::fromUtf8(OGR_F_GetFieldAsString(f, field)).trimmed();
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, tz = 0;
    float s = 0;
    OGR_F_GetFieldAsDateTimeEx(f, field, &y, &mo, &d, &h, &mi, &s, &tz);
    QString text = QString::asprintf("%04d-%02d-%02d", y, mo, d);
    if (type == OFTDate)
        return text;
    text += QString::asprintf("T%02d:%02d:%02d", h, mi, static_cast<int>(s));
    if (tz == 100)
        return text + u'Z';
    if (tz > 1) {
        const int minutes = (tz - 100) * 15;
        text += QString::asprintf("%c%02d:%02d", minutes < 0 ? '-' : '+', std::abs(minutes) / 60,
                                  std::abs(minutes) % 60);
    }
    return text;
}

Dataset openVector(const QString& path, const FieldChoice& choice) {
    static std::once_flag registered;
    std::call_once(registered, [] { GDALAllRegister(); });
    // A CSV file finds its coordinate columns by name; the other drivers
    // take no such options.
    CPLStringList options;
    if (isCsvPath(path)) {
        const QByteArray x =
            choice.lonField.isEmpty() ? QByteArray("lon,long,longitude,x") : choice.lonField.toUtf8();
        const QByteArray y =
            choice.latField.isEmpty() ? QByteArray("lat,latitude,y") : choice.latField.toUtf8();
        options.SetNameValue("X_POSSIBLE_NAMES", x.constData());
        options.SetNameValue("Y_POSSIBLE_NAMES", y.constData());
        options.SetNameValue("AUTODETECT_TYPE", "YES");
        // The coordinate columns stay fields too: dropping them (KEEP_GEOM_COLUMNS=NO)
        // makes the driver read past the end of a short row.
    }
    return Dataset(GDALOpenEx(path.toUtf8().constData(), GDAL_OF_VECTOR | GDAL_OF_READONLY, nullptr,
                              options.List(), nullptr));
}

OGRLayerH chosenLayer(GDALDatasetH ds, const QString& name) {
    if (!name.isEmpty())
        return GDALDatasetGetLayerByName(ds, name.toUtf8().constData());
    const int n = GDALDatasetGetLayerCount(ds);
    for (int i = 0; i < n; ++i) {
        OGRLayerH layer = GDALDatasetGetLayer(ds, i);
        if (OGR_L_GetFeatureCount(layer, TRUE) > 0)
            return layer;
    }
    return nullptr;
}

FieldChoice filledChoice(const QString& path, OGRLayerH layer, FieldChoice choice) {
    OGRFeatureDefnH defn = OGR_L_GetLayerDefn(layer);
    if (choice.layer.isEmpty())
        choice.layer = QString::fromUtf8(OGR_L_GetName(layer));
    if (choice.nameField.isEmpty()) {
        choice.nameField = firstFieldNamed(defn, {u"name"});
        if (choice.nameField.isEmpty())
            choice.nameField = firstFieldOfType(defn, false, QString(), QString());
    }
    if (isCsvPath(path)) {
        // The coordinate columns became the geometry; naming them keeps them
        // from being taken as the value.
        if (choice.lonField.isEmpty())
            choice.lonField = firstFieldNamed(defn, {u"lon", u"long", u"longitude", u"x"});
        if (choice.latField.isEmpty())
            choice.latField = firstFieldNamed(defn, {u"lat", u"latitude", u"y"});
    }
    if (choice.valueField.isEmpty())
        choice.valueField = firstFieldOfType(defn, true, choice.latField, choice.lonField);
    return choice;
}

} // namespace kartello::gis
