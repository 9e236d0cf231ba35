#include "gui/ClipboardNumbers.h"

#include <gtest/gtest.h>

using kartello::gui::programClipboardText;

namespace {
const QLocale german(QLocale::German, QLocale::Germany);
const QLocale english(QLocale::English, QLocale::UnitedStates);
} // namespace

TEST(ClipboardNumbers, RowEndsBecomeCarriageReturnLineFeed) {
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"a\tb\n", "a\tb\r\n"},
        {"a\r\nb\r\n", "a\r\nb\r\n"},
        {"1\n2\n3", "1\r\n2\r\n3"},
        {"\n\n", "\r\n\r\n"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(programClipboardText(QString::fromUtf8(c.in), english), QString::fromUtf8(c.out)) << c.in;
}

TEST(ClipboardNumbers, CommaDecimalNumbersAreRewrittenWithPeriod) {
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"1,5", "1.5"},
        {"-9,1333", "-9.1333"},
        {"+2,25", "2.25"},
        {"1.234,5", "1234.5"},
        {"1.234.567", "1234567"},
        {"12", "12"},
        // Not numbers in the German way: left alone.
        {"38.7167", "38.7167"},
        {"1,2,3", "1,2,3"},
        {"Lisbon", "Lisbon"},
        {"1,5 km", "1,5 km"},
        {"1,", "1,"},
        {",5", ",5"},
        {"1.23,4", "1.23,4"},
        {"1e5", "1e5"},
        {"-", "-"},
        // Whole rows: every tab-separated field on its own.
        {"Lisbon\t38,7167\t-9,1333\t547\n", "Lisbon\t38.7167\t-9.1333\t547\r\n"},
        {"Porto, Norte\t41,15\t-8,6167\n", "Porto, Norte\t41.15\t-8.6167\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(programClipboardText(QString::fromUtf8(c.in), german), QString::fromUtf8(c.out)) << c.in;
}

TEST(ClipboardNumbers, PeriodDecimalLocaleLeavesFieldsAlone) {
    // Under a period locale "1,234" is a grouped thousand; the grid reader drops
    // the comma itself, so the text reaches it unchanged.
    for (const char* text : {"1,5", "1,234.5", "Lisbon\t38.7167\t-9.1333\t547"})
        EXPECT_EQ(programClipboardText(QString::fromUtf8(text), english), QString::fromUtf8(text)) << text;
}

// A block comes from one source: its numbers share one decimal separator, and
// a mark that could be either never makes a value a thousand times larger.
TEST(ClipboardNumbers, OneDecimalSeparatorPerBlock) {
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        // "37.0167" can only be a period decimal, so "41.150" is one too.
        {"41.150\n37.0167\n", "41.150\r\n37.0167\r\n"},
        {"Porto\t41.150\t-8.610\t237.5\n", "Porto\t41.150\t-8.610\t237.5\r\n"},
        // "-9,1333" can only be a comma decimal, so "1.234" groups a thousand.
        {"Lisbon\t38,7167\t-9,1333\t1.234\n", "Lisbon\t38.7167\t-9.1333\t1234\r\n"},
        // Period block: commas group thousands, as the grid reader drops them.
        {"A\t38.5\t-9.25\t1,234\n", "A\t38.5\t-9.25\t1234\r\n"},
        // Nothing decides: each mark is a decimal separator, never a group.
        {"41.150\n", "41.150\r\n"},
        {"1,234\n", "1.234\r\n"},
        {"41.150\t1,234\n", "41.150\t1.234\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(programClipboardText(QString::fromUtf8(c.in), german), QString::fromUtf8(c.out)) << c.in;
}
