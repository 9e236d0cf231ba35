// The number reader and picture formats meet every text a file or a box can hold.
#include "runtime/Number.h"
#include "runtime/RuntimeError.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        const double v = kartello::readNumber(text);
        kartello::isNumber(text);
        kartello::numberText(v);
        kartello::formatPicture(v, u"###.000000");
        kartello::formatPicture(v, u"#");
    } catch (const kartello::RuntimeError&) {
        // overflowing numbers are reported as error 6, which is the expected outcome
    }
    return 0;
}
