// The layers of a GIS file, with their fields and first rows, for the field
// dialog.
#include "places/gis/GisReading.h"

#include "places/gis/GdalSource.h"

namespace kartello::gis {

namespace {

LayerFields layerFields(const QString& path, OGRLayerH layer, int rowLimit) {
    LayerFields out;
    out.name = QString::fromUtf8(OGR_L_GetName(layer));
    OGRFeatureDefnH defn = OGR_L_GetLayerDefn(layer);
    const int n = OGR_FD_GetFieldCount(defn);
    for (int i = 0; i < n; ++i)
        out.fields << QString::fromUtf8(OGR_Fld_GetNameRef(OGR_FD_GetFieldDefn(defn, i)));
    OGR_L_ResetReading(layer);
    while (static_cast<int>(out.rows.size()) < rowLimit) {
        const Feature feature(OGR_L_GetNextFeature(layer));
        if (!feature)
            break;
        QStringList row;
        for (int i = 0; i < n; ++i)
            row << fieldText(feature.get(), i);
        out.rows.push_back(std::move(row));
    }
    out.defaults = filledChoice(path, layer, FieldChoice());
    return out;
}

} // namespace

std::optional<FieldCatalog> readFieldCatalog(const QString& path, int rowLimit) {
    QuietErrors quiet;
    const Dataset ds = openVector(path, FieldChoice());
    if (!ds)
        return std::nullopt;
    FieldCatalog catalog;
    catalog.coordinateColumns = isCsvPath(path);
    const int n = GDALDatasetGetLayerCount(ds.get());
    for (int i = 0; i < n; ++i)
        catalog.layers.push_back(layerFields(path, GDALDatasetGetLayer(ds.get(), i), rowLimit));
    if (catalog.layers.empty())
        return std::nullopt;
    if (OGRLayerH first = chosenLayer(ds.get(), QString()))
        for (size_t i = 0; i < catalog.layers.size(); ++i)
            if (catalog.layers[i].name == QString::fromUtf8(OGR_L_GetName(first)))
                catalog.defaultLayer = static_cast<int>(i);
    return catalog;
}

} // namespace kartello::gis
