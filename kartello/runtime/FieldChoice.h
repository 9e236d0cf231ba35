#pragma once
// Which layer and fields a reader of GIS data takes: chosen in the window's
// field dialog or by the batch flags; an empty text lets the reader choose.
#include <QString>

namespace kartello {

struct FieldChoice {
    QString layer;      // default: the first layer with features
    QString nameField;  // default: a field called "name" (any case), else the first text field
    QString valueField; // default: the first numeric field
    QString latField;   // a CSV without geometry: its latitude and longitude columns
    QString lonField;
    QString timeField; // default: none
    friend bool operator==(const FieldChoice&, const FieldChoice&) = default;
};

} // namespace kartello
