#include "session/OptionsSettings.h"

#include "runtime/AtomicFile.h"
#include "runtime/Number.h"
#include "runtime/RuntimeError.h"
#include "runtime/Trap.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>

namespace kartello {

namespace {

// The section is the application's title.
const QString kSection = QStringLiteral("[Kartello]");
const QString kKey = QStringLiteral("Message");
// One line per file: its path, then layer, name, value, latitude, longitude
// and time field, each percent-encoded (a path may hold '=' and ',').
const QString kFieldsSection = QStringLiteral("[Fields]");

QStringList iniLines(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList lines;
    for (const QString& raw : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n')))
        lines << raw.trimmed();
    while (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    return lines;
}

struct KeyPlace {
    qsizetype line = -1;       // the line holding the key
    qsizetype sectionEnd = -1; // just past the section's last line
};

KeyPlace findKey(const QStringList& lines, const QString& section, const QString& key,
                 Qt::CaseSensitivity keyCase) {
    KeyPlace place;
    bool inSection = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (line.startsWith(QLatin1Char('['))) {
            inSection = line.compare(section, Qt::CaseInsensitive) == 0;
            if (inSection)
                place.sectionEnd = i + 1;
            continue;
        }
        if (!inSection)
            continue;
        if (!line.isEmpty())
            place.sectionEnd = i + 1;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (place.line < 0 && eq > 0 && line.left(eq).trimmed().compare(key, keyCase) == 0)
            place.line = i;
    }
    return place;
}

std::optional<QString> iniValue(const QString& path, const QString& section, const QString& key,
                                Qt::CaseSensitivity keyCase) {
    const QStringList lines = iniLines(path);
    const KeyPlace place = findKey(lines, section, key, keyCase);
    if (place.line < 0)
        return std::nullopt;
    const QString& line = lines[place.line];
    return line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
}

bool setIniValue(const QString& path, const QString& section, const QString& key, const QString& value,
                 Qt::CaseSensitivity keyCase) {
    QStringList lines = iniLines(path);
    const KeyPlace place = findKey(lines, section, key, keyCase);
    const QString line = key + QLatin1Char('=') + value;
    if (place.line >= 0)
        lines[place.line] = line;
    else if (place.sectionEnd >= 0)
        lines.insert(place.sectionEnd, line);
    else
        lines << section << line;
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QByteArray bytes = (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
    return !trapped([&] { writeFileAtomically(path, bytes); });
}

QString encoded(const QString& text) {
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

QString decoded(const QString& text) {
    return QUrl::fromPercentEncoding(text.toLatin1());
}

} // namespace

QString settingsFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Kartello/Kartello.ini");
}

int le_Ini(const QString& path) {
    const std::optional<QString> value = iniValue(path, kSection, kKey, Qt::CaseInsensitive);
    if (!value)
        return 0;
    try {
        const double v = readNumber(*value);
        return v >= -32768 && v <= 32767 ? int(v) : 0;
    } catch (const RuntimeError&) {
        return 0; // a number too large for the reader
    }
}

bool writeIni(int messageFlag, const QString& path) {
    return setIniValue(path, kSection, kKey, QString::number(messageFlag), Qt::CaseInsensitive);
}

std::optional<FieldChoice> rememberedFields(const QString& file, const QString& path) {
    const std::optional<QString> value = iniValue(path, kFieldsSection, encoded(file), Qt::CaseSensitive);
    if (!value)
        return std::nullopt;
    const QStringList parts = value->split(QLatin1Char(','));
    if (parts.size() != 6)
        return std::nullopt;
    return FieldChoice{decoded(parts[0]), decoded(parts[1]), decoded(parts[2]),
                       decoded(parts[3]), decoded(parts[4]), decoded(parts[5])};
}

bool rememberFields(const QString& file, const FieldChoice& choice, const QString& path) {
    const QStringList parts{encoded(choice.layer),    encoded(choice.nameField), encoded(choice.valueField),
                            encoded(choice.latField), encoded(choice.lonField),  encoded(choice.timeField)};
    return setIniValue(path, kFieldsSection, encoded(file), parts.join(QLatin1Char(',')), Qt::CaseSensitive);
}

} // namespace kartello
