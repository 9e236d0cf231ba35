#include "DialogFilter.h"

#include <QStringList>

namespace kartello::gui {

QString qtNameFilters(const QString& classicFilter) {
    const QStringList parts = classicFilter.split(QLatin1Char('|'));
    QStringList filters;
    // Parts come in pairs: description, patterns; a trailing "|" leaves an empty
    // last part and an odd count leaves a description without patterns.
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        QString patterns = parts[i + 1].trimmed();
        if (description.isEmpty() && patterns.isEmpty())
            continue;
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        patterns = patterns.simplified();
        if (patterns.isEmpty())
            patterns = QStringLiteral("*");
        const QString bracketed = QLatin1Char('(') + patterns + QLatin1Char(')');
        if (description.endsWith(bracketed))
            filters << description;
        else if (description.isEmpty())
            filters << bracketed;
        else
            filters << description + QLatin1Char(' ') + bracketed;
    }
    return filters.join(QStringLiteral(";;"));
}

QString qtDefaultSuffix(const QString& defaultExt) {
    QString suffix = defaultExt.trimmed();
    if (suffix.startsWith(QLatin1Char('*')))
        suffix.remove(0, 1);
    if (suffix.startsWith(QLatin1Char('.')))
        suffix.remove(0, 1);
    if (suffix.contains(QLatin1Char('*')) || suffix.contains(QLatin1Char('?')))
        return QString();
    return suffix;
}

QString suffixOfNameFilter(const QString& nameFilter) {
    const qsizetype open = nameFilter.lastIndexOf(QLatin1Char('('));
    const qsizetype close = nameFilter.lastIndexOf(QLatin1Char(')'));
    if (open < 0 || close < open)
        return QString();
    const QString patterns = nameFilter.mid(open + 1, close - open - 1).trimmed();
    if (patterns.contains(QLatin1Char(' ')) || !patterns.startsWith(QStringLiteral("*.")))
        return QString();
    return qtDefaultSuffix(patterns);
}

} // namespace kartello::gui
