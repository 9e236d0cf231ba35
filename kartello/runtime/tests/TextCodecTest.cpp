#include "runtime/TextCodec.h"

#include <gtest/gtest.h>

using namespace kartello;

TEST(TextCodec, DecodesUtf8AndTakesStrayBytesAsWindows1252) {
    struct Case {
        QByteArray bytes;
        QString expected;
    } cases[] = {
        {"Lisbon", "Lisbon"},
        {"", ""},
        {"S\xC3\xA3o Paulo", QString::fromUtf8("São Paulo")},
        {"S\xE3o Paulo", QString::fromUtf8("São Paulo")},            // Latin-1 byte, not UTF-8
        {"\x80 \x93x\x94", QString::fromUtf8("€ “x”")},              // Windows-1252 punctuation
        {"\xC3", QString::fromUtf8("Ã")},                            // truncated sequence
        {"\xE2\x82", QString::fromUtf8("â‚")},                       // truncated three-byte sequence
        {"\xC0\xAF", QString::fromUtf8("À¯")},                       // overlong form is not UTF-8
        {"\xED\xA0\x80", QString::fromUtf8("í\u00A0€")},             // a surrogate is not UTF-8
        {"\xF0\x9F\x8C\x8D", QString::fromUtf8("\xF0\x9F\x8C\x8D")}, // four-byte sequence
        {QByteArray("a\0b", 3), QString::fromUtf16(u"a\u0000b", 3)},
        // the byte-order mark goes, also when a Windows-1252 byte follows
        {"\xEF\xBB\xBFS\xC3\xA3o", QString::fromUtf8("São")},
        {"\xEF\xBB\xBF[ShapeFile]\r\nS\xE3o", QString::fromUtf8("[ShapeFile]\r\nSão")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(decodeText(c.bytes), c.expected) << c.bytes.toHex().toStdString();
}

TEST(TextCodec, EncodesNamesAsUtf8) {
    EXPECT_EQ(utf8Encode(QString::fromUtf8("é")), QByteArray("\xC3\xA9"));
    EXPECT_EQ(utf8Encode("Porto"), QByteArray("Porto"));
    EXPECT_EQ(utf8Encode(""), QByteArray());
}
