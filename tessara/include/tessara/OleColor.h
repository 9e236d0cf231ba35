#pragma once
// OLE colour values: 0x00BBGGRR, or 0x80000000 + n for Windows system colour n,
// which on this platform is the nearest role of the widget's palette.
#include <QColor>
#include <QPalette>
#include <QtGlobal>

#include "tessara/Export.h"

namespace tessara {

using OleColor = quint32;

inline constexpr OleColor kSystemColorFlag = 0x80000000u;

constexpr OleColor systemColor(int index) {
    return kSystemColorFlag | OleColor(index);
}
constexpr OleColor rgbColor(int r, int g, int b) {
    return OleColor(r) | (OleColor(g) << 8) | (OleColor(b) << 16);
}

// System colour indexes the grid uses for its defaults.
inline constexpr OleColor kSysAppWorkspace = systemColor(12);
inline constexpr OleColor kSysHighlight = systemColor(13);
inline constexpr OleColor kSysHighlightText = systemColor(14);
inline constexpr OleColor kSysButtonFace = systemColor(15);
inline constexpr OleColor kSysButtonText = systemColor(18);
inline constexpr OleColor kSysWindow = systemColor(5);
inline constexpr OleColor kSysWindowText = systemColor(8);
inline constexpr OleColor kSys3DLight = systemColor(22);

// A colour argument: an OLE value, or a colour as Qt names it (stored as its
// plain OLE value). Kept apart from a bare number so that Qt::red is a colour,
// not the OLE value 7.
struct ColorValue {
    ColorValue(OleColor value) : ole(value) {}
    ColorValue(const QColor& color);
    ColorValue(Qt::GlobalColor color) : ColorValue(QColor(color)) {}
    OleColor ole;
};

// The colour an OLE value stands for under the given palette.
TESSARA_EXPORT QColor oleToColor(OleColor value, const QPalette& palette);
// The OLE value (never a system colour) of a plain colour.
TESSARA_EXPORT OleColor colorToOle(const QColor& color);

inline ColorValue::ColorValue(const QColor& color) : ole(colorToOle(color)) {}

} // namespace tessara
