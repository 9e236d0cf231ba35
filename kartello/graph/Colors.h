#pragma once
// The colour scale (seven presets and a custom blend), the mapping from a
// place's scale position to a colour, and KML colour text.
#include "graph/ErrorSink.h"
#include "runtime/Ui.h"

#include <QString>
#include <array>
#include <span>

namespace kartello {

// Index 0 is the colour of the largest value, 255 that of the smallest.
using ColorTable = std::array<Rgb, 256>;

constexpr Rgb rgb(unsigned r, unsigned g, unsigned b) {
    return r + 256 * g + 65536 * b;
}

// "ff" + blue + green + red, two lower-case hexadecimal digits each.
QString kmlColor(Rgb c);
// The same text with its alpha digits replaced ("ac" for the grid, "af" for fills).
QString kmlColor(Rgb c, const char* alpha);

// Fills the table with preset 1..7; any other number leaves it unchanged.
void InicolorScale(int scale, ColorTable& table);

// Colour text of a scale position in [0, 1] (index = position x 255, halves
// to even). Throws RuntimeError 9 when the position lies outside.
QString calCor(double position, const ColorTable& table);

// Blend from c1 at entry 0 to c2 at entry steps - 1; steps below 2 count as 2.
// Throws RuntimeError 9 when steps exceed the table.
void BlendColors(Rgb c1, Rgb c2, int steps, std::span<Rgb> table);

// The swatch colours as the document writes them.
struct SwatchColors {
    QString grid;    // Picture1(1), alpha "ac"
    QString label;   // Picture1(4)
    QString fill;    // Picture1(6), alpha "af"
    QString outline; // Picture1(7)
};

SwatchColors swatchColors(Rgb grid, Rgb label, Rgb fill, Rgb outline);

} // namespace kartello
