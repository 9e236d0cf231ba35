#include "graph/TimeStamp.h"

#include <QDate>
#include <QRegularExpression>

namespace kartello {

namespace {

QString twoDigits(int v) {
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

// "Z" stays; "+02", "+0530" and "+05:30" become "+hh:mm". Empty when the
// offset is past the fourteen hours a zone may differ from UTC.
QString zoneText(QStringView zone) {
    if (zone.isEmpty() || zone == u"Z")
        return zone.toString();
    QString digits = zone.mid(1).toString();
    digits.remove(QLatin1Char(':'));
    const int hours = digits.left(2).toInt();
    const int minutes = digits.size() > 2 ? digits.mid(2).toInt() : 0;
    if (hours > 14 || minutes > 59 || (hours == 14 && minutes > 0))
        return QString();
    return zone.left(1).toString() + twoDigits(hours) + QLatin1Char(':') + twoDigits(minutes);
}

} // namespace

QString kmlWhen(QStringView text) {
    static const QRegularExpression form(QStringLiteral(
        R"(^(\d{4})(?:[-/](\d{1,2})(?:[-/](\d{1,2})(?:[T ](\d{1,2}):(\d{2})(?::(\d{2})(\.\d+)?)?)"
        R"( ?(Z|[+-]\d{2}(?::?\d{2})?)?)?)?)?$)"));
    const QRegularExpressionMatch m = form.match(text.trimmed().toString());
    if (!m.hasMatch())
        return QString();
    const int year = m.capturedView(1).toInt();
    if (year < 1)
        return QString(); // the schema's calendar has no year 0
    QString when = m.captured(1);
    if (!m.hasCaptured(2))
        return when;
    const int month = m.capturedView(2).toInt();
    if (month < 1 || month > 12)
        return QString();
    when += QLatin1Char('-') + twoDigits(month);
    if (!m.hasCaptured(3))
        return when;
    const int day = m.capturedView(3).toInt();
    if (!QDate::isValid(year, month, day))
        return QString();
    when += QLatin1Char('-') + twoDigits(day);
    if (!m.hasCaptured(4))
        return when;
    const int hour = m.capturedView(4).toInt(), minute = m.capturedView(5).toInt();
    const int second = m.hasCaptured(6) ? m.capturedView(6).toInt() : 0;
    if (hour > 23 || minute > 59 || second > 59)
        return QString();
    when += QLatin1Char('T') + twoDigits(hour) + QLatin1Char(':') + twoDigits(minute) + QLatin1Char(':') +
            twoDigits(second) + m.captured(7);
    if (!m.hasCaptured(8))
        return when;
    const QString zone = zoneText(m.capturedView(8));
    return zone.isEmpty() ? QString() : when + zone;
}

} // namespace kartello
