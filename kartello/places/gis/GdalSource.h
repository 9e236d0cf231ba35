#pragma once
// Opening vector data through GDAL/OGR and the choice of layer and fields a
// reader makes when the person chose none: shared by the GIS reader and the
// field catalog the window's field dialog lists.
#include "runtime/FieldChoice.h"

#include <gdal.h>
#include <ogr_api.h>

#include <memory>

namespace kartello::gis {

struct DatasetCloser {
    void operator()(void* d) const { GDALClose(d); }
};
struct FeatureCloser {
    void operator()(void* f) const { OGR_F_Destroy(f); }
};
using Dataset = std::unique_ptr<void, DatasetCloser>;
using Feature = std::unique_ptr<void, FeatureCloser>;

// GDAL's own notes about the files it opens would only muddle the program's
// messages; what matters is whether it read them.
class QuietErrors {
public:
    QuietErrors();
    ~QuietErrors();
    QuietErrors(const QuietErrors&) = delete;
    QuietErrors& operator=(const QuietErrors&) = delete;
};

bool isNumeric(OGRFieldType t);

// A field's text: a date or time as KML's TimeStamp writes it (ISO 8601),
// others as written; empty when the field is not set.
QString fieldText(OGRFeatureH f, int field);

// A CSV file: its coordinate columns are found by name (or chosen).
bool isCsvPath(const QString& path);

// Opens path as vector data, a CSV with the chosen coordinate columns (else
// the usual names); null when GDAL cannot.
Dataset openVector(const QString& path, const FieldChoice& choice);

// The named layer, else the first layer with features; null when none is.
OGRLayerH chosenLayer(GDALDatasetH ds, const QString& name);

// choice with every empty layer, name, value and (for a CSV) coordinate field
// filled with the reader's default: the layer's name; a field called "name"
// (any case), else the first text field; the coordinate columns by their usual
// names; the first numeric field that is not a coordinate column. Empty where
// the layer has no such field. The time field stays as chosen.
FieldChoice filledChoice(const QString& path, OGRLayerH layer, FieldChoice choice);

} // namespace kartello::gis
