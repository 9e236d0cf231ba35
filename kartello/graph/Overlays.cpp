#include "graph/Overlays.h"

#include "graph/Scaling.h"
#include "runtime/Number.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

namespace kartello {

namespace {

QColor qcolor(Rgb c) {
    return QColor(c % 256, (c / 256) % 256, (c / 65536) % 256);
}

// Decimals of the scale labels by the magnitude of the largest raw value; -1
// stands for "not rounded" (the gap between 0.9999999 and 1).
int labelDecimals(double rawMax) {
    const double m = std::fabs(rawMax);
    if (m <= 0.9999999)
        return 2;
    if (m >= 1 && m <= 10)
        return 1;
    if (m > 10)
        return 0;
    return -1;
}

// Labels sit under their bars, so the bars leave room for half a label on
// either side; wide numbers get a wider margin rather than being cut off.
constexpr double kScaleMargin = 18;

// The font of the numbers under the scale and in the legend.
QFont scaleFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    return font;
}

// Texts of the bounds at d decimals.
QStringList boundTexts(const std::vector<double>& bounds, int decimals) {
    QStringList texts;
    for (const double b : bounds)
        texts << numberText(roundDecimals(b, decimals));
    return texts;
}

} // namespace

QFont titleFont(const FontChoice& f) {
    QFont font(f.name);
    font.setPointSizeF(f.size > 0 ? f.size : 8.25);
    font.setBold(f.bold);
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    return font;
}

QImage Titulo(const TitleSpec& spec) {
    const QFont font = titleFont(spec.font);
    const QFontMetricsF fm(font);
    const double h = fm.height();
    const double w1 = fm.horizontalAdvance(spec.line1);
    const bool two = !spec.line2.isEmpty();
    const double w2 = two ? fm.horizontalAdvance(spec.line2) : 0;
    const double height = two ? h * 2.2 : h * 1.1;
    const double lines = two ? 4 : 2;
    const double width = 1.1 * std::max(w1, w2);

    QImage img(std::max(1, int(std::ceil(width))), std::max(1, int(std::ceil(height))), QImage::Format_RGB32);
    img.fill(qcolor(spec.backColor));
    QPainter p(&img);
    p.setFont(font);
    p.setPen(qcolor(spec.textColor));
    // y is the top of the text line, as the picture box prints from there.
    p.drawText(QPointF(width / 2 - w1 / 2, height / lines - h / 2 + fm.ascent()), spec.line1);
    if (two)
        p.drawText(QPointF(width / 2 - w2 / 2, height * 2.8 / 4 - h / 2 + fm.ascent()), spec.line2);
    return img;
}

QStringList scaleLabels(const ScaleSpec& spec) {
    double a = spec.rawMin, b = spec.rawMax;
    if (spec.logTransform) {
        a = std::log(a + 1);
        b = std::log(b + 1);
    } else if (spec.sqrTransform) {
        a = std::sqrt(a + 1);
        b = std::sqrt(b + 1);
    }
    const int decimals = labelDecimals(spec.rawMax);
    // Bar k has colour k, and colour 0 belongs to the largest value: the
    // label under bar k is the value that colour stands for, so the legend
    // reads from the largest (left) to the smallest (right) as the map does.
    QStringList labels;
    for (int k = 255; k >= 0; k -= 51) {
        const double t = (b - a) * k / 255 + a;
        double v = spec.logTransform ? std::exp(t) : spec.sqrTransform ? t * t : t;
        if (decimals >= 0)
            v = RoundUp(v, decimals);
        labels << (std::isfinite(v) ? numberText(v) : QString());
    }
    return labels;
}

QImage ColorScale(const ScaleSpec& spec) {
    const QFont font = scaleFont();
    const QFontMetricsF fm(font);
    const QStringList labels = scaleLabels(spec);
    double margin = kScaleMargin;
    for (const QString& label : labels)
        margin = std::max(margin, fm.horizontalAdvance(label) / 2 + 3);
    // However wide the numbers, the bars keep half the picture.
    const int width = std::max(kScaleWidth, int(std::ceil(4 * margin)));
    QImage img(width, kScaleHeight, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    const double w = width - 2 * margin;
    const double barTop = 0, barBottom = kScaleHeight / 2.0;
    for (int k = 0; k < 256; ++k) {
        const QColor c = qcolor((*spec.table)[k]);
        const double x = margin + k * w / 256;
        p.fillRect(QRectF(x, barTop, w / 256 + 0.5, barBottom - barTop), c);
    }
    p.setFont(font);
    p.setPen(Qt::black);
    for (int i = 0; i < labels.size(); ++i) {
        const double centre = margin + (i * 51 + 0.5) * w / 256;
        const double tw = fm.horizontalAdvance(labels[i]);
        p.drawText(QPointF(centre - tw / 2, barBottom + 4 + fm.ascent()), labels[i]);
    }
    return img;
}

QStringList classLabels(const ClassBreaks& shown) {
    if (shown.upper.empty())
        return {};
    std::vector<double> bounds{shown.min};
    bounds.insert(bounds.end(), shown.upper.begin(), shown.upper.end());
    double m = 0;
    for (const double b : bounds)
        m = std::max(m, std::fabs(b));
    const int fromMagnitude = labelDecimals(m);
    int decimals = fromMagnitude < 0 ? 2 : fromMagnitude;
    QStringList texts = boundTexts(bounds, decimals);
    // Bounds that differ must not read the same: 0.5 and 1.25 at no decimals.
    const auto apart = [&] {
        for (size_t i = 1; i < bounds.size(); ++i)
            if (bounds[i] != bounds[i - 1] && texts[qsizetype(i)] == texts[qsizetype(i - 1)])
                return false;
        return true;
    };
    while (!apart() && decimals < 6)
        texts = boundTexts(bounds, ++decimals);
    QStringList labels;
    for (qsizetype k = 1; k < texts.size(); ++k)
        labels << texts[k - 1] + QStringLiteral(" \u2013 ") + texts[k];
    return labels;
}

QImage ClassLegend(const ColorTable& table, const ClassBreaks& shown) {
    const QFont font = scaleFont();
    const QFontMetricsF fm(font);
    const QStringList labels = classLabels(shown);
    constexpr double margin = 4, swatch = 16, gap = 6;
    const double row = std::ceil(fm.height()) + 4;
    double textWidth = 0;
    for (const QString& label : labels)
        textWidth = std::max(textWidth, fm.horizontalAdvance(label));
    const int width = int(std::ceil(margin + swatch + gap + textWidth + margin));
    const int height = int(std::ceil(2 * margin + row * std::max<qsizetype>(1, labels.size())));
    QImage img(width, height, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setFont(font);
    const int count = int(labels.size());
    for (int k = 0; k < count; ++k) {
        const double top = margin + row * (count - 1 - k);
        p.setPen(Qt::black);
        p.setBrush(qcolor(table[classColorIndex(k, count)]));
        p.drawRect(QRectF(margin, top + 2, swatch, row - 4));
        p.drawText(QPointF(margin + swatch + gap, top + (row - fm.height()) / 2 + fm.ascent()), labels[k]);
    }
    return img;
}

} // namespace kartello
