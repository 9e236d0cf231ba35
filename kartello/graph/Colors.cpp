#include "graph/Colors.h"

#include "runtime/Number.h"
#include "runtime/RuntimeError.h"

#include <cmath>

namespace kartello {

namespace {

struct Channel3 {
    unsigned char r, g, b;
};

// Every 16th entry of presets 1 to 6 (indices 0, 16, ..., 240), then 254 and 255.
// The entries between are straight ramps between these rows.
constexpr int kListedRows = 18;
constexpr int kListedIndex[kListedRows] = {0,   16,  32,  48,  64,  80,  96,  112, 128,
                                           144, 160, 176, 192, 208, 224, 240, 254, 255};

constexpr Channel3 kPresets[6][kListedRows] = {
    {{0, 0, 0},
     {89, 22, 0},
     {115, 44, 0},
     {134, 59, 0},
     {148, 71, 0},
     {159, 80, 0},
     {171, 90, 0},
     {183, 100, 0},
     {197, 112, 0},
     {214, 126, 0},
     {230, 138, 0},
     {247, 153, 0},
     {255, 168, 0},
     {255, 184, 0},
     {255, 211, 76},
     {255, 249, 185},
     {255, 255, 247},
     {255, 255, 255}},
    {{0, 0, 0},
     {64, 0, 0},
     {120, 8, 0},
     {120, 48, 0},
     {120, 88, 0},
     {120, 128, 5},
     {129, 168, 45},
     {132, 208, 85},
     {132, 248, 125},
     {132, 255, 165},
     {132, 255, 205},
     {132, 255, 245},
     {132, 255, 255},
     {143, 255, 255},
     {183, 255, 255},
     {223, 255, 255},
     {255, 255, 255},
     {255, 255, 255}},
    {{0, 0, 0},
     {93, 0, 39},
     {120, 0, 65},
     {146, 0, 89},
     {171, 0, 113},
     {197, 0, 137},
     {222, 0, 160},
     {246, 0, 183},
     {255, 20, 197},
     {255, 53, 219},
     {255, 83, 240},
     {255, 115, 255},
     {255, 143, 255},
     {255, 169, 255},
     {255, 194, 255},
     {255, 222, 255},
     {255, 250, 255},
     {255, 255, 255}},
    {{0, 0, 0},
     {61, 7, 106},
     {23, 65, 142},
     {24, 90, 140},
     {27, 111, 136},
     {32, 134, 128},
     {40, 152, 113},
     {50, 166, 97},
     {72, 183, 77},
     {119, 197, 70},
     {173, 200, 79},
     {230, 193, 96},
     {253, 180, 133},
     {255, 184, 179},
     {255, 200, 200},
     {255, 221, 221},
     {255, 253, 253},
     {255, 255, 255}},
    {{7, 7, 254},
     {68, 68, 230},
     {88, 88, 217},
     {103, 103, 208},
     {116, 116, 201},
     {128, 128, 195},
     {140, 140, 190},
     {152, 152, 185},
     {163, 163, 179},
     {174, 174, 172},
     {186, 186, 164},
     {197, 197, 155},
     {209, 209, 144},
     {220, 220, 130},
     {232, 232, 112},
     {243, 243, 84},
     {253, 253, 28},
     {254, 254, 13}},
    {{0, 0, 0},
     {0, 39, 93},
     {0, 65, 120},
     {0, 89, 146},
     {0, 113, 171},
     {0, 137, 197},
     {0, 160, 222},
     {0, 183, 246},
     {20, 197, 255},
     {53, 219, 255},
     {83, 240, 255},
     {115, 255, 255},
     {143, 255, 255},
     {169, 255, 255},
     {194, 255, 255},
     {222, 255, 255},
     {250, 255, 255},
     {255, 255, 255}},
};

unsigned ramp(unsigned char a, unsigned char b, int offset, int span) {
    return static_cast<unsigned>(roundHalfEven(a + (double(b) - a) * offset / span));
}

void fillListedPreset(const Channel3 (&rows)[kListedRows], ColorTable& table) {
    for (int k = 0; k + 1 < kListedRows; ++k) {
        const int from = kListedIndex[k];
        const int to = kListedIndex[k + 1];
        for (int i = from; i < to; ++i) {
            const int off = i - from;
            const int span = to - from;
            table[i] =
                rgb(ramp(rows[k].r, rows[k + 1].r, off, span), ramp(rows[k].g, rows[k + 1].g, off, span),
                    ramp(rows[k].b, rows[k + 1].b, off, span));
        }
    }
    const Channel3& last = rows[kListedRows - 1];
    table[255] = rgb(last.r, last.g, last.b);
}

void appendHex2(QString& s, unsigned v) {
    static const char digits[] = "0123456789abcdef";
    s += QLatin1Char(digits[(v >> 4) & 15]);
    s += QLatin1Char(digits[v & 15]);
}

} // namespace

QString kmlColor(Rgb c) {
    return kmlColor(c, "ff");
}

QString kmlColor(Rgb c, const char* alpha) {
    QString s = QLatin1String(alpha);
    s.reserve(8);
    appendHex2(s, (c / 65536) % 256);
    appendHex2(s, (c / 256) % 256);
    appendHex2(s, c % 256);
    return s;
}

void InicolorScale(int scale, ColorTable& table) {
    if (scale >= 1 && scale <= 6) {
        fillListedPreset(kPresets[scale - 1], table);
    } else if (scale == 7) {
        for (unsigned i = 0; i < 256; ++i)
            table[i] = rgb(i, i, i);
    }
}

QString calCor(double position, const ColorTable& table) {
    const double index = roundHalfEven(position * 255);
    if (!(index >= 0 && index <= 255))
        throw RuntimeError(ErrSubscript);
    return kmlColor(table[static_cast<int>(index)]);
}

void BlendColors(Rgb c1, Rgb c2, int steps, std::span<Rgb> table) {
    if (steps < 2)
        steps = 2;
    if (static_cast<size_t>(steps) > table.size())
        throw RuntimeError(ErrSubscript);
    const double r1 = c1 & 255, g1 = (c1 & 65280) / 256, b1 = (c1 & 16711680) / 65536;
    const double r2 = c2 & 255, g2 = (c2 & 65280) / 256, b2 = (c2 & 16711680) / 65536;
    // The increments are single precision, as the scale always had them.
    const float dR = float(r2 - r1) / steps, dG = float(g2 - g1) / steps, dB = float(b2 - b1) / steps;
    table[0] = c1;
    table[steps - 1] = c2;
    for (int k = 1; k <= steps - 2; ++k) {
        const auto channel = [k](float d, double start) {
            return static_cast<Rgb>(roundHalfEven(static_cast<double>(k * d) + start));
        };
        table[k] = channel(dR, r1) + 256 * channel(dG, g1) + 65536 * channel(dB, b1);
    }
}

SwatchColors swatchColors(Rgb grid, Rgb label, Rgb fill, Rgb outline) {
    return {kmlColor(grid, "ac"), kmlColor(label), kmlColor(fill, "af"), kmlColor(outline)};
}

} // namespace kartello
