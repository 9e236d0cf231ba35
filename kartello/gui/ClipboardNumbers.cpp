#include "ClipboardNumbers.h"

#include <QStringList>

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

// A field that the user's locale reads as a number, written the program's way.
// Only plain forms are taken: optional sign, digits with the locale's group
// marks, optional decimal part. Anything else (exponents, blanks, text) stays.
QString programNumber(const QString& field, QChar decimal, QChar group) {
    if (field.isEmpty())
        return field;
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
            return field;
        }
    }
    if (!digits || (seenDecimal && !digitsAfterDecimal))
        return field;
    return out;
}

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

    QString out;
    out.reserve(rows.size());
    qsizetype start = 0;
    for (qsizetype i = 0; i <= rows.size(); ++i) {
        const bool end = i == rows.size();
        const QChar c = end ? QChar() : rows[i];
        if (!end && c != QLatin1Char('\t') && c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        out += programNumber(rows.mid(start, i - start), decimal, group);
        if (!end)
            out += c;
        start = i + 1;
    }
    return out;
}

} // namespace kartello::gui
