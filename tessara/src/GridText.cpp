// Whole-grid text: the selection as clip text and the format string.
#include "tessara/GridModel.h"

#include <algorithm>
#include <cmath>

namespace tessara {

namespace {

// Lines of clip text: a carriage return ends a row (a following line feed is part of it).
QStringList clipLines(const QString& text) {
    QString unified = text;
    unified.replace(QLatin1String("\r\n"), QLatin1String("\r"));
    unified.replace(QLatin1Char('\n'), QLatin1Char('\r'));
    return unified.split(QLatin1Char('\r'));
}

// "<" left, "^" centred, ">" right at the start of a format-string column.
int takeAlignment(QString& text) {
    if (text.isEmpty())
        return AlignGeneral;
    const QChar mark = text.front();
    const int alignment = mark == QLatin1Char('<')   ? AlignLeftCenter
                          : mark == QLatin1Char('^') ? AlignCenterCenter
                          : mark == QLatin1Char('>') ? AlignRightCenter
                                                     : -1;
    if (alignment < 0)
        return AlignGeneral;
    text.remove(0, 1);
    return alignment;
}

// Room around a header text so that it does not touch the grid lines.
constexpr int kFormatPadding = 120;

} // namespace

QString GridModel::Clip() const {
    const auto [r1, r2] = std::minmax({row_, rowSel_});
    const auto [c1, c2] = std::minmax({col_, colSel_});
    QString out;
    for (int r = r1; r <= r2; ++r) {
        if (r > r1)
            out += QLatin1Char('\r');
        for (int c = c1; c <= c2; ++c) {
            if (c > c1)
                out += QLatin1Char('\t');
            out += cellRef(r, c).text;
        }
    }
    return out;
}

void GridModel::setClip(const QString& text) {
    const auto [r1, r2] = std::minmax({row_, rowSel_});
    const auto [c1, c2] = std::minmax({col_, colSel_});
    const QStringList lines = clipLines(text);
    for (int i = 0; i < lines.size() && r1 + i <= r2; ++i) {
        const QStringList fields = lines[i].split(QLatin1Char('\t'));
        for (int j = 0; j < fields.size() && c1 + j <= c2; ++j)
            cellRef(r1 + i, c1 + j).text = fields[j];
    }
    notify();
}

void GridModel::setFormatString(const QString& format) {
    const qsizetype semicolon = format.indexOf(QLatin1Char(';'));
    const QString columnPart = semicolon < 0 ? format : format.left(semicolon);
    if (!columnPart.isEmpty()) {
        const QStringList headers = columnPart.split(QLatin1Char('|'));
        setCols(int(headers.size()));
        const TextMeasure measure = textMeasure();
        for (int c = 0; c < int(headers.size()); ++c) {
            QString text = headers[c];
            colAlignments_[std::size_t(c)] = takeAlignment(text);
            if (Rows() > 0)
                cellRef(0, c).text = text;
            colWidths_[std::size_t(c)] = int(std::ceil(measure(text))) + kFormatPadding;
        }
    }
    if (semicolon >= 0) {
        const QStringList headers = format.mid(semicolon + 1).split(QLatin1Char('|'));
        setRows(std::max(int(headers.size()), fixedRows_));
        if (cols_ > 0)
            for (int r = 0; r < int(headers.size()); ++r)
                if (!headers[r].isEmpty() || r > 0)
                    cellRef(r, 0).text = headers[r];
    }
    formatString_ = format;
    notify();
}

} // namespace tessara
