#pragma once
// The two screen-overlay images of a graph: the title (one or two centred
// lines in the title font) and the colour scale with six value labels.
#include "graph/Classes.h"
#include "graph/Colors.h"
#include "runtime/Ui.h"

#include <QImage>
#include <QString>

namespace kartello {

struct TitleSpec {
    QString line1, line2;
    FontChoice font;
    Rgb textColor = 0;
    Rgb backColor = 0xFFFFFF;
};

// Title box 1.1 times as wide as the wider line; 1.1 text heights high for
// one line, 2.2 for two, the lines' middles at 1/2 (one line), or 1/4 and 0.7.
QImage Titulo(const TitleSpec& spec);

struct ScaleSpec {
    const ColorTable* table = nullptr;
    double rawMin = 0, rawMax = 0; // the data's own range
    bool logTransform = false;
    bool sqrTransform = false;
};

// Size of the colour-scale picture box (wider when its numbers need it).
inline constexpr int kScaleWidth = 420;
inline constexpr int kScaleHeight = 56;

// The six label texts under the bars at k = 0, 51, ..., 255: the value of
// colour k, from the largest at bar 0 to the smallest at bar 255.
QStringList scaleLabels(const ScaleSpec& spec);
// Bars in scale order across the upper half, labels in the lower half.
QImage ColorScale(const ScaleSpec& spec);

// The range text of each class, in class order: "a – b", the bounds as
// the person entered the values, with as few decimals as the magnitude of the
// values calls for and as many more as keep distinct bounds apart; "." is the
// decimal separator whatever the locale.
QStringList classLabels(const ClassBreaks& shown);
// The colour-scale image when classes are on: a legend with one row per
// class, the largest class at the top, a swatch of the class's colour beside
// its range; as wide and high as its texts need.
QImage ClassLegend(const ColorTable& table, const ClassBreaks& shown);

// The font a title choice stands for; "Arial" resolves through fontconfig to
// its metric twin.
QFont titleFont(const FontChoice& f);

} // namespace kartello
