#include "ClipboardNumbers.h"

#include <QStringList>

#include <optional>
#include <vector>

namespace kartello::gui {
namespace {

QString withCrLfRowEnds(const QString& text) {
    QString out;
    out.reserve(text.size() + text.size() / 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\n') && (i == 0 || text[i - 1] != QLatin1Char('\r')))
            out += QLatin1Char('\r');
        out += c;
    }
    return out;
}

bool isAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// A field read as a number with the given decimal and group marks, written the
// program's way; nothing when it is not one. Only plain forms are taken:
// optional sign, digits with group marks, optional decimal part. Anything else
// (exponents, blanks, text) is no number.
std::optional<QString> programNumber(const QString& field, QChar decimal, QChar group) {
    if (field.isEmpty())
        return std::nullopt;
    qsizetype i = 0;
    QString out;
    if (field[0] == QLatin1Char('-') || field[0] == QLatin1Char('+')) {
        if (field[0] == QLatin1Char('-'))
            out += QLatin1Char('-');
        i = 1;
    }
    bool digits = false, seenDecimal = false, digitsAfterDecimal = false;
    for (; i < field.size(); ++i) {
        const QChar c = field[i];
        if (isAsciiDigit(c)) {
            out += c;
            digits = true;
            digitsAfterDecimal = digitsAfterDecimal || seenDecimal;
        } else if (c == decimal && !seenDecimal && digits) {
            out += QLatin1Char('.');
            seenDecimal = true;
        } else if (c == group && !seenDecimal && digits && i + 3 < field.size() &&
                   isAsciiDigit(field[i + 1]) && isAsciiDigit(field[i + 2]) && isAsciiDigit(field[i + 3]) &&
                   (i + 4 == field.size() || !isAsciiDigit(field[i + 4]))) {
            // A group mark only counts between digits and before exactly three.
        } else {
            return std::nullopt;
        }
    }
    if (!digits || (seenDecimal && !digitsAfterDecimal))
        return std::nullopt;
    return out;
}

struct Field {
    qsizetype start, length;
    QChar end; // the tab or row end after it, none for the last field
};

} // namespace

QString programClipboardText(const QString& text, const QLocale& userLocale) {
    const QString rows = withCrLfRowEnds(text);
    const QString decimalText = userLocale.decimalPoint();
    const QString groupText = userLocale.groupSeparator();
    if (decimalText == QStringLiteral(".") || decimalText.size() != 1)
        return rows;
    const QChar decimal = decimalText[0];
    // A group mark that is a blank of any kind stays out: blanks never split a
    // number in the readers anyway.
    const QChar group = groupText.size() == 1 && !groupText[0].isSpace() ? groupText[0] : QChar();

    std::vector<Field> fields;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= rows.size(); ++i) {
        const bool end = i == rows.size();
        const QChar c = end ? QChar() : rows[i];
        if (!end && c != QLatin1Char('\t') && c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        fields.push_back({start, i - start, c});
        start = i + 1;
    }

    // One block comes from one source, so one decimal separator holds for all
    // of it: "41.150" beside "37.0167" is a decimal, not 41150. A field that
    // is a number only in the locale's way, or only in the period's way,
    // decides the block. When nothing decides (or the block contradicts
    // itself), the mark a field carries is taken as its decimal separator, so
    // no value is ever read a thousand times larger than written.
    bool localeOnly = false, periodOnly = false;
    for (const Field& f : fields) {
        const QString text = rows.mid(f.start, f.length);
        const bool inLocale = programNumber(text, decimal, group).has_value();
        const bool inPeriod = programNumber(text, QLatin1Char('.'), QLatin1Char(',')).has_value();
        localeOnly = localeOnly || (inLocale && !inPeriod);
        periodOnly = periodOnly || (inPeriod && !inLocale);
    }
    const auto localeFirst = [&](const QString& text) {
        if (localeOnly != periodOnly)
            return localeOnly;
        return text.contains(decimal);
    };

    QString out;
    out.reserve(rows.size());
    for (const Field& f : fields) {
        const QString text = rows.mid(f.start, f.length);
        const bool locale = localeFirst(text);
        std::optional<QString> number = locale ? programNumber(text, decimal, group)
                                               : programNumber(text, QLatin1Char('.'), QLatin1Char(','));
        if (!number)
            number = locale ? programNumber(text, QLatin1Char('.'), QLatin1Char(','))
                            : programNumber(text, decimal, group);
        out += number ? *number : text;
        if (!f.end.isNull())
            out += f.end;
    }
    return out;
}

} // namespace kartello::gui
