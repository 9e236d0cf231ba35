#pragma once
// What the field dialog lists of a GIS file: its layers, each with its fields,
// its first rows and the choice the reader makes when the person makes none.
#include "runtime/FieldChoice.h"

#include <QStringList>
#include <optional>
#include <vector>

namespace kartello {

struct LayerFields {
    QString name;
    QStringList fields;
    std::vector<QStringList> rows; // the first features, one text per field
    FieldChoice defaults;          // every field the reader takes by default
};

struct FieldCatalog {
    std::vector<LayerFields> layers;
    int defaultLayer = 0;           // the layer the reader takes by default
    bool coordinateColumns = false; // a CSV: latitude and longitude columns may be chosen
};

// The rows a preview shows.
inline constexpr int kPreviewRows = 8;

// Lists the file through GDAL/OGR; nullopt when GDAL cannot open it as vector
// data or it holds no layer.
std::optional<FieldCatalog> readFieldCatalog(const QString& path, int rowLimit = kPreviewRows);

} // namespace kartello
