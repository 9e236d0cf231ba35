// Text and picture widths in twips, for AutoColWidth and the format string.
#include "tessara/GridModel.h"

#include <QFontMetricsF>
#include <QGuiApplication>

namespace tessara {

namespace {

// Without a GUI application there is no font database; an average glyph of
// just over half the em keeps batch layouts close to what a window would show.
constexpr double kAverageGlyphToEm = 0.55;
constexpr double kPointsPerInch = 72.0;
constexpr double kHimetricPerInch = 2540.0;
constexpr double kScreenDpi = 96.0;

double imageDpi(int dotsPerMeter) {
    return dotsPerMeter > 0 ? dotsPerMeter * 0.0254 : kScreenDpi;
}

} // namespace

double GridModel::textWidthTwips(const QString& text) const {
    return textMeasure()(text);
}

// The metrics are made once per measuring pass: building them costs more than a measurement.
GridModel::TextMeasure GridModel::textMeasure() const {
    if (measure_)
        return measure_;
    const double twipsPerPx = twipsPerPixel();
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        return [metrics = QFontMetricsF(measureFont_), twipsPerPx](const QString& text) {
            return metrics.horizontalAdvance(text) * twipsPerPx;
        };
    }
    const double points = measureFont_.pointSizeF() > 0 ? measureFont_.pointSizeF() : 9.0;
    return [points](const QString& text) {
        return double(text.size()) * points * kAverageGlyphToEm * (kTwipsPerInch / kPointsPerInch);
    };
}

// A picture's size in HIMETRIC follows from its pixels and its own resolution;
// twips are 1440 / 2540 of that.
double GridModel::pictureWidthTwips(const QImage& picture) {
    if (picture.isNull())
        return 0;
    const double himetric = picture.width() / imageDpi(picture.dotsPerMeterX()) * kHimetricPerInch;
    return himetric * kTwipsPerInch / kHimetricPerInch;
}

double GridModel::pictureHeightTwips(const QImage& picture) {
    if (picture.isNull())
        return 0;
    const double himetric = picture.height() / imageDpi(picture.dotsPerMeterY()) * kHimetricPerInch;
    return himetric * kTwipsPerInch / kHimetricPerInch;
}

} // namespace tessara
