#include "runtime/TextCodec.h"

namespace kartello {

namespace {

// Windows-1252 for 0x80..0x9F; the five unassigned bytes keep their C1 code.
const char16_t cp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t cp1252(unsigned char b) {
    return b >= 0x80 && b < 0xA0 ? cp1252High[b - 0x80] : char16_t(b);
}

// Length of the valid UTF-8 sequence at p (1..4) and its code point; 0 when invalid.
int utf8Sequence(const unsigned char* p, qsizetype left, char32_t& cp) {
    const unsigned char b = p[0];
    int len;
    char32_t min;
    if (b < 0x80) {
        cp = b;
        return 1;
    } else if ((b & 0xE0) == 0xC0) {
        len = 2, cp = b & 0x1F, min = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
        len = 3, cp = b & 0x0F, min = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
        len = 4, cp = b & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (left < len)
        return 0;
    for (int i = 1; i < len; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (p[i] & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return len;
}

bool isValidUtf8(const unsigned char* p, qsizetype n) {
    qsizetype i = 0;
    while (i < n) {
        if (p[i] < 0x80) {
            ++i;
            continue;
        }
        char32_t cp = 0;
        const int len = utf8Sequence(p + i, n - i, cp);
        if (len == 0)
            return false;
        i += len;
    }
    return true;
}

} // namespace

QString decodeText(QByteArrayView bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype n = bytes.size();
    // Most files are clean UTF-8: one pass to check, then the library decoder.
    if (isValidUtf8(p, n))
        return QString::fromUtf8(bytes);
    QString out;
    out.reserve(n);
    // The byte-order mark goes as it does for clean UTF-8: left in, it would
    // hide the file's first field ("[ShapeFile]") from the readers.
    qsizetype i = n >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF ? 3 : 0;
    while (i < n) {
        char32_t cp = 0;
        const int len = utf8Sequence(p + i, n - i, cp);
        if (len == 0) {
            out.append(QChar(cp1252(p[i])));
            ++i;
            continue;
        }
        if (cp < 0x10000) {
            out.append(QChar(char16_t(cp)));
        } else {
            out.append(QChar::highSurrogate(cp));
            out.append(QChar::lowSurrogate(cp));
        }
        i += len;
    }
    return out;
}

QByteArray utf8Encode(const QString& text) {
    return text.toUtf8();
}

} // namespace kartello
