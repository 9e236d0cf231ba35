#include "PlaceFixture.h"
#include "form/ControlNames.h"

#include "places/TextReader.h"

using namespace kartello;
using namespace kartello::test;

namespace {

class TextReader : public PlaceFixture {
protected:
    void read(const QByteArray& bytes, const char* name = "places.txt") {
        set.currentFile = writeFile(QString::fromLatin1(name), bytes);
        carrega(ctx);
    }
};

QString cells(const StoreRow& r) {
    return r[ColName].toText() + u'|' + r[ColLatitude].toText() + u'|' + r[ColLongitude].toText() + u'|' +
           r[ColValue].toText();
}

} // namespace

TEST(PlaceTextParse, FieldsAndRecords) {
    struct Case {
        const char* text;
        std::vector<const char*> places; // name|lat|lon|value
    } cases[] = {
        {"\"Lisbon\",38.7167,-9.1333,547\r\nPorto,41.15,-8.6167,237.5\r\n",
         {"Lisbon|38.7167|-9.1333|547", "Porto|41.15|-8.6167|237.5"}},
        // line breaks are not record boundaries
        {"A,1,2\r\n3,B,4\r\n5,6\r\n", {"A|1|2|3", "B|4|5|6"}},
        // a quoted name keeps its comma; blanks before a field are skipped
        {"\"Funchal, Madeira\",  32.6,-16.9, 111\r\nX,1,2,3\r\n",
         {"Funchal, Madeira|32.6|-16.9|111", "X|1|2|3"}},
        // bare LF line ends and a last line without a break
        {"A,1,2,3\nB,4,5,6", {"A|1|2|3", "B|4|5|6"}},
        // empty lines between records are skipped; a comma before the break gives an empty field
        {"A,1,2,\r\n\r\nB,4,5,6\r\n", {"A|1|2|", "B|4|5|6"}},
        // a spreadsheet export with an empty last column
        {"A,1,2,3,\r\nB,4,5,6, \r\nC,7,8,9,", {"A|1|2|3", "B|4|5|6", "C|7|8|9"}},
        {"\"A\",1,2,3,\n\"B, b\",4,5,6,\n", {"A|1|2|3", "B, b|4|5|6"}},
        // "[Options]" ends the list
        {"A,1,2,3\r\nB,4,5,6\r\nC,7,8,9\r\n[Options],x,y\r\nD,1,1,1\r\n", {"A|1|2|3", "B|4|5|6", "C|7|8|9"}},
        {"", {}},
    };
    for (const Case& c : cases) {
        const PlaceTextParse p = parsePlaceText(QString::fromUtf8(c.text));
        EXPECT_EQ(p.outcome, PlaceTextParse::Places) << c.text;
        ASSERT_EQ(p.rows.size(), c.places.size()) << c.text;
        for (size_t i = 0; i < p.rows.size(); ++i)
            EXPECT_EQ(cells(p.rows[i]), QString::fromUtf8(c.places[i])) << c.text;
    }
}

TEST(PlaceTextParse, NumbersAreNumbersAndOtherFieldsText) {
    const PlaceTextParse p = parsePlaceText(u"9,1e2,-.5,12abc\r\n");
    ASSERT_EQ(p.rows.size(), 1u);
    EXPECT_TRUE(p.rows[0][ColName].isNumber());
    EXPECT_EQ(p.rows[0][ColLatitude], Cell(100.0));
    EXPECT_EQ(p.rows[0][ColLongitude], Cell(-0.5));
    EXPECT_EQ(p.rows[0][ColValue], Cell("12abc"));
}

TEST(PlaceTextParse, OutcomesOtherThanPlaces) {
    EXPECT_EQ(parsePlaceText(u"[ShapeFile]\r\nA\r\n1,2,3\r\n").outcome, PlaceTextParse::ShapeFile);
    EXPECT_EQ(parsePlaceText(u"A,1,2,3\r\nB,4,5").outcome, PlaceTextParse::Truncated);
    QString many;
    for (int i = 0; i < 4998; ++i)
        many += QStringLiteral("P%1,1,2,3\r\n").arg(i);
    EXPECT_EQ(parsePlaceText(many).outcome, PlaceTextParse::Places);
    EXPECT_EQ(parsePlaceText(many).rows.size(), 4998u);
    EXPECT_EQ(parsePlaceText(many + "Q,1,2,3\r\n").outcome, PlaceTextParse::TooLarge);
}

TEST(ParseArq, FileNameWithoutFolderAndExtension) {
    struct Case {
        const char* path;
        const char* base;
    } cases[] = {{"C:\\data\\Cities.txt", "Cities"},
                 {"/home/u/places.v2.txt", "places.v2"},
                 {"/tmp/noext", "noext"},
                 {"/tmp/my.dir/noext", "noext"},
                 {"Cities.kml", "Cities"},
                 {"", ""}};
    for (const Case& c : cases)
        EXPECT_EQ(parseArq(QString::fromUtf8(c.path)), QString::fromUtf8(c.base)) << c.path;
}

TEST_F(TextReader, LoadsThreePlacesWithFourDecimals) {
    read("Lisbon,38.7167,-9.1333,547\r\nEquator,0.5,-0.25,1\r\nPorto,41.15,-8.6167,237.5\r\n", "Cities.txt");
    EXPECT_EQ(set.lastPlace, 2);
    EXPECT_EQ(tableRow(1), "38.7167|-9.1333|Lisbon|547");
    EXPECT_EQ(tableRow(2), ".5000|-.2500|Equator|1");
    EXPECT_EQ(tableRow(3), "41.1500|-8.6167|Porto|237.5");
    EXPECT_EQ(set.graphBaseName, "Cities");
    EXPECT_EQ(form.caption(ctl::Label4), "Current file: " + set.currentFile);
    EXPECT_EQ(form.caption(ctl::lblNPlaces), "N.places: 3");
    EXPECT_EQ(form.caption(ctl::lblProg), "");
    EXPECT_TRUE(set.dataLoaded);
    EXPECT_FALSE(set.shapeMode);
    EXPECT_TRUE(form.isVisible(ctl::chkOpen));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(TextReader, TextLatitudeIsShownUnchanged) {
    read("A,north,-9,1\r\nB,1,2,3\r\n");
    EXPECT_EQ(grid.TextMatrix(1, 0), "north");
}

TEST_F(TextReader, RefusalsLeaveThePreviousSetExactlyAsItWas) {
    read(kThreeCities);
    const QString rows = tableRow(1) + tableRow(2) + tableRow(3);
    QString tooMany;
    for (int i = 0; i < 4999; ++i)
        tooMany += QStringLiteral("P%1,1,2,3\r\n").arg(i);
    struct Case {
        QByteArray bytes;
        const char* message;
    } cases[] = {
        {"Only,1,2,3\r\n", "Invalid File. Review your input data"},
        {"", "Invalid File. Review your input data"},
        {"[Options]\r\nA,1,2,3\r\n", "Invalid File. Review your input data"},
        {tooMany.toUtf8(), "Sorry, the file is too large (> 5000 lines). You can split it in smaller parts."},
        {"A,1,2,3\r\nB,4,5\r\n",
         "Error 62 (Input past end of file) in procedure Carrega of form Main. Review your input data"},
    };
    for (const Case& c : cases) {
        ui.messages.clear();
        read(c.bytes);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, QString::fromUtf8(c.message));
        EXPECT_EQ(ui.messages[0].title, "Kartello");
        EXPECT_EQ(set.lastPlace, 2);
        EXPECT_EQ(grid.Rows(), 4);
        EXPECT_EQ(tableRow(1) + tableRow(2) + tableRow(3), rows);
        EXPECT_EQ(storeRow(2), "37.0167|-7.9333|64|Faro");
        EXPECT_EQ(backupRow(0), "38.7167|-9.1333|547|Lisbon");
    }
    EXPECT_EQ(ui.messages[0].icon, MsgIcon::None); // the trapped error is a plain box
}

TEST_F(TextReader, MissingFileIsError53) {
    set.currentFile = scratch.filePath("absent.txt");
    carrega(ctx);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              "Error 53 (File not found) in procedure Carrega of form Main. Review your input data");
}

TEST_F(TextReader, InvalidUtf8AndLongLinesAndBinaryNeverCrash) {
    read("S\xE3o Paulo,-23.55,-46.63,22\r\nK\xC3\xB6ln,50.94,6.96,1\r\n");
    EXPECT_EQ(grid.TextMatrix(1, 2), QString::fromUtf8("São Paulo"));
    EXPECT_EQ(grid.TextMatrix(2, 2), QString::fromUtf8("Köln"));

    QByteArray longLine = "Long," + QByteArray(3 << 20, '7') + ",2,3\r\nB,1,2,3\r\n";
    read(longLine);
    EXPECT_EQ(set.lastPlace, 1);

    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary += char((i * 131 + 7) % 256);
    read(binary);
    EXPECT_LE(set.lastPlace, PlaceStore::kRows - 1);
}

TEST_F(TextReader, ShapeFileRecordHandsOverToTheShapeReader) {
    read("[ShapeFile]\r\nA\r\n-9,38,0 -8,38,0 -8,39,0\r\n5\r\nB\r\n1,2,3 4,5,6\r\n7\r\n", "shapes.txt");
    EXPECT_TRUE(set.shapeMode);
    EXPECT_EQ(set.lastPlace, 1);
    EXPECT_EQ(tableRow(1), "Shape|Shape|A|5");
}
