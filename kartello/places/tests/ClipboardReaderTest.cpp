#include "PlaceFixture.h"
#include "form/ControlNames.h"

#include "places/ClipboardReader.h"
#include "places/TextReader.h"

using namespace kartello;
using namespace kartello::test;

namespace {

class Clipboard : public PlaceFixture {
protected:
    void loadCities() {
        set.currentFile = writeFile("cities.txt", kThreeCities);
        carrega(ctx);
    }
    void pasteBlock(const QString& text) {
        ui.clipboard = text;
        comRowClick(ctx, 2);
    }
};

const char* const kInvalid =
    "Invalid Data. Your data shall be:\r\n\r\nCol 1 => Place Name\r\nCol 2 => Latitude\r\n"
    "Col 3 => Longitude\r\nCol 4 => Value   ";

} // namespace

TEST(ClipboardRows, RowsEndAtLineBreaksAndAnUnendedLastRowIsKept) {
    struct Case {
        const char* text;
        QStringList rows;
    } cases[] = {
        {"a\r\nb\r\n", {"a", "b"}}, {"a\r\nb", {"a", "b"}}, {"a\nb\n", {"a", "b"}},
        {"\r\n\r\n", {"", ""}},     {"x", {"x"}},           {"", {}},
        {"a\r\n \t", {"a"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(clipboardRows(QString::fromUtf8(c.text), 100), c.rows) << c.text;
}

TEST_F(Clipboard, ThreeRowsOfFourColumns) {
    pasteBlock("Lisbon\t38.7167\t-9.1333\t1,234\r\nPorto\t41.15\t-8.6167\t237.5\r\nFaro, "
               "Algarve\t37.0167\t-7.9333\t64\r\n");
    EXPECT_EQ(set.lastPlace, 2);
    EXPECT_EQ(grid.Rows(), 4);
    EXPECT_EQ(tableRow(1), "38.7167|-9.1333|Lisbon|1234"); // commas removed, written unformatted
    EXPECT_EQ(tableRow(3), "37.0167|-7.9333|Faro Algarve|64");
    EXPECT_EQ(form.caption(ctl::Label4), "Current file: Clipboard");
    EXPECT_EQ(form.caption(ctl::lblNPlaces), "N.places: 3");
    EXPECT_EQ(storeRow(0), "38.7167|-9.1333|1234|Lisbon");
    EXPECT_TRUE(set.placeData.at(0, ColLatitude).isText()); // pasted cells are text
    EXPECT_EQ(backupRow(2), "37.0167|-7.9333|64|Faro Algarve");
    EXPECT_TRUE(set.dataLoaded);
    EXPECT_EQ(grid.Row(), 0);
    EXPECT_FALSE(ui.busy);
}

TEST_F(Clipboard, WithoutLastLineBreakTheLastRowIsKept) {
    pasteBlock("A\t1\t2\t3\r\nB\t4\t5\t6\r\nC\t7\t8\t9");
    EXPECT_EQ(set.lastPlace, 2);
    EXPECT_EQ(tableRow(3), "7|8|C|9");
}

TEST_F(Clipboard, ThreeColumnsLeaveValueEmptyAndMoreColumnsStayInLongitude) {
    pasteBlock("A\t1\t2\r\nB\t3\t4\r\n");
    EXPECT_EQ(tableRow(1), "1|2|A|");
    pasteBlock("A\t1\t2\t3\t4\r\nB\t5\t6\t7\t8\r\n");
    EXPECT_EQ(tableRow(1), "1|2\t3\t4|A|3\t4");
}

TEST_F(Clipboard, BadBlocksAreRefusedAndTheSetStays) {
    loadCities();
    QString tooMany;
    for (int i = 0; i < 4999; ++i)
        tooMany += QStringLiteral("P\t1\t2\t3\r\n");
    struct Case {
        QString text;
        QString message;
        QString title;
    } cases[] = {
        {"A\t1\t2\t3\r\nB\t1\t2\r\n", kInvalid, "Invalid Data"}, // fewer tabs than the first row
        {"just some words\r\n", kInvalid, "Invalid Data"},
        {"", kInvalid, "Invalid Data"},
        {tooMany, "Sorry, the file is too large (> 5000 lines). You can split it in smaller parts.",
         "Kartello"},
    };
    for (const Case& c : cases) {
        ui.messages.clear();
        pasteBlock(c.text);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, c.message);
        EXPECT_EQ(ui.messages[0].title, c.title);
        EXPECT_EQ(set.lastPlace, 2);
        EXPECT_EQ(tableRow(1), "38.7167|-9.1333|Lisbon|547");
        EXPECT_FALSE(ui.busy);
    }
}

TEST_F(Clipboard, PasteValuesFillsTheValueColumnKeepingCommas) {
    loadCities();
    ui.clipboard = "1,234\r\n5\r\n";
    comRowClick(ctx, 3);
    EXPECT_EQ(grid.TextMatrix(1, 3), "1,234");
    EXPECT_EQ(grid.TextMatrix(2, 3), "5");
    EXPECT_EQ(grid.TextMatrix(3, 3), "64");
    EXPECT_EQ(set.placeData.at(1, ColValue), Cell("5"));
    EXPECT_EQ(set.placeBackup.at(1, ColValue), Cell("5"));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Clipboard, MoreValuesThanRowsWritesWhatFitsThenReportsCola) {
    loadCities();
    ui.clipboard = "1\r\n2\r\n3\r\n4\r\n5\r\n";
    comRowClick(ctx, 3);
    EXPECT_EQ(grid.TextMatrix(1, 3) + grid.TextMatrix(2, 3) + grid.TextMatrix(3, 3), "123");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              "Error 9 (Subscript out of range) in procedure cola of form Main. It seems there "
              "is a problem with the data. Review the data that you have copied");
    EXPECT_EQ(grid.Rows(), 4);
}

TEST_F(Clipboard, RandomTextNeverCrashes) {
    loadCities();
    QString noise;
    for (int i = 0; i < 20000; ++i)
        noise += QChar(char16_t((i * 7919) % 0xD000 + 1));
    pasteBlock(noise);
    ui.clipboard = noise;
    comRowClick(ctx, 3);
    EXPECT_EQ(grid.Rows(), set.lastPlace + 2);
}
