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

namespace kartello {

namespace {

// The section is the application's title.
const QString kSection = QStringLiteral("[Kartello]");
const QString kKey = QStringLiteral("Message");

} // namespace

QString settingsFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Kartello/Kartello.ini");
}

int le_Ini(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    bool inSection = false;
    for (const QString& raw : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inSection = line.compare(kSection, Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (inSection && eq > 0 && line.left(eq).trimmed().compare(kKey, Qt::CaseInsensitive) == 0) {
            try {
                const double v = readNumber(line.mid(eq + 1).trimmed());
                return v >= -32768 && v <= 32767 ? int(v) : 0;
            } catch (const RuntimeError&) {
                return 0; // a number too large for the reader
            }
        }
    }
    return 0;
}

bool writeIni(int messageFlag, const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QByteArray bytes = (kSection + QStringLiteral("\r\n") + kKey + QLatin1Char('=') +
                              QString::number(messageFlag) + QStringLiteral("\r\n"))
                                 .toUtf8();
    return !trapped([&] { writeFileAtomically(path, bytes); });
}

} // namespace kartello
