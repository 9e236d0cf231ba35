// Clipboard text from any program, under a comma-decimal and a period locale:
// the rewrite must never crash, and it may only change row ends and numbers.
#include "../ClipboardNumbers.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    static const QLocale german(QLocale::German, QLocale::Germany);
    static const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QString a = kartello::gui::programClipboardText(text, german);
    const QString b = kartello::gui::programClipboardText(text, english);
    // Row ends are the same in both; numbers only ever get shorter or keep length.
    if (a.count(QLatin1Char('\n')) != b.count(QLatin1Char('\n')) ||
        a.count(QLatin1Char('\t')) != b.count(QLatin1Char('\t')) || a.size() > b.size())
        std::abort();
    return 0;
}
