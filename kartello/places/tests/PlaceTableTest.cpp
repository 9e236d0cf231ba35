#include "PlaceFixture.h"
#include "form/ControlNames.h"

#include "places/KmlReader.h"
#include "places/TextReader.h"

using namespace kartello;
using namespace kartello::test;

namespace {

class PlaceTable : public PlaceFixture {
protected:
    void loadCities() {
        set.currentFile = writeFile("cities.txt", kThreeCities);
        carrega(ctx);
        ASSERT_EQ(set.lastPlace, 2);
    }
    // Header row 0 is 300 twips high in a fresh grid; y = 100 is on it.
    void clickHeader(double x) { gridMouseDown(ctx, x, 100); }
    void typeCell(int row, int col, const QString& text) {
        grid.setCurrentCell(row, col);
        grid.setTextMatrix(row, col, text);
        gridCellEdited(ctx);
    }
};

} // namespace

TEST_F(PlaceTable, LayoutHasHeaderAndOneEmptyRow) {
    EXPECT_EQ(grid.Rows(), 2);
    EXPECT_EQ(grid.Cols(), 4);
    EXPECT_EQ(grid.FixedRows(), 1);
    EXPECT_EQ(grid.FixedCols(), 0);
    EXPECT_EQ(tableRow(0), "Latitude|Longitude|Place/WP name|Value");
    EXPECT_EQ(tableRow(1), "|||");
    EXPECT_GE(grid.ColWidth(2), 1590);
}

TEST_F(PlaceTable, ThreePlacesGiveFourRowsAndCount) {
    loadCities();
    EXPECT_EQ(grid.Rows(), 4);
    EXPECT_EQ(form.caption(ctl::lblNPlaces), "N.places: 3");
    EXPECT_TRUE(form.isVisible(ctl::Label6_1));
    EXPECT_TRUE(form.isEnabled(ctl::txtVal_0));
    EXPECT_TRUE(form.isEnabled(ctl::comRow_1));
    EXPECT_EQ(backupRow(1), storeRow(1));
}

TEST_F(PlaceTable, HeaderClicksSortByValueDescendingThenAscending) {
    loadCities();
    struct Step {
        double x;
        const char* valueHeader;
        const char* latitudeHeader;
        const char* firstName;
        const char* lastName;
    } steps[] = {
        {3700, "> Value", "Latitude", "Lisbon", "Faro"}, // 547, 237.5, 64
        {3700, "< Value", "Latitude", "Faro", "Lisbon"}, // ascending
        {500, "Value", "> Latitude", "Porto", "Faro"},   // 41.15, 38.7167, 37.0167
    };
    for (const Step& s : steps) {
        clickHeader(s.x);
        EXPECT_EQ(grid.TextMatrix(0, 3), QString::fromUtf8(s.valueHeader));
        EXPECT_EQ(grid.TextMatrix(0, 0), QString::fromUtf8(s.latitudeHeader));
        EXPECT_EQ(grid.TextMatrix(1, 2), QString::fromUtf8(s.firstName));
        EXPECT_EQ(grid.TextMatrix(3, 2), QString::fromUtf8(s.lastName));
    }
    // The refill writes six decimals.
    EXPECT_EQ(tableRow(1), "41.150000|-8.616700|Porto|237.5");
}

TEST_F(PlaceTable, ColumnThresholdsAreFixedTwipPositions) {
    loadCities();
    struct Case {
        double x;
        int column;
    } cases[] = {{1015, 0}, {1016, 1}, {2029, 1}, {2030, 2}, {3634, 2}, {3635, 3}};
    for (const Case& c : cases) {
        for (int col = 0; col < 4; ++col)
            grid.setTextMatrix(0, col, QStringLiteral("H"));
        clickHeader(c.x);
        EXPECT_EQ(grid.TextMatrix(0, c.column), "> H") << c.x;
    }
}

TEST_F(PlaceTable, ClickBelowHeaderOrInShapeModeDoesNotSort) {
    loadCities();
    gridMouseDown(ctx, 3700, grid.RowHeight(0) + 1);
    EXPECT_EQ(grid.TextMatrix(0, 3), "Value");
    set.shapeMode = true;
    clickHeader(3700);
    EXPECT_EQ(grid.TextMatrix(0, 3), "Value");
}

TEST_F(PlaceTable, NumbersSortAsNumbersWhetherReadTypedOrFromKml) {
    set.currentFile = writeFile("n.txt", "a,1,1,9\r\nb,1,1,10\r\nc,1,1,100\r\n");
    carrega(ctx);
    const auto values = [&] {
        return grid.TextMatrix(1, 3) + u' ' + grid.TextMatrix(2, 3) + u' ' + grid.TextMatrix(3, 3);
    };
    clickHeader(3700);
    clickHeader(3700);
    EXPECT_EQ(values(), "9 10 100");

    typeCell(1, 3, "9");
    typeCell(2, 3, "10");
    typeCell(3, 3, "100");
    clickHeader(3700); // "< Value" -> descending
    EXPECT_EQ(values(), "100 10 9");
    clickHeader(3700); // ascending
    EXPECT_EQ(values(), "9 10 100");

    // Latitudes from KML are kept as the file's texts.
    readKmlText(ctx,
                QStringLiteral(
                    "<kml><Document>"
                    "<Placemark><name>A</name><Point><coordinates>1,19.4,0</coordinates></Point></Placemark>"
                    "<Placemark><name>B</name><Point><coordinates>1,-41.3,0</coordinates></Point></Placemark>"
                    "<Placemark><name>C</name><Point><coordinates>1,35.7,0</coordinates></Point></Placemark>"
                    "<Placemark><name>D</name><Point><coordinates>1,-18.1,0</coordinates></Point></Placemark>"
                    "<Placemark><name>E</name><Point><coordinates>1,21.3,0</coordinates></Point></Placemark>"
                    "</Document></kml>"));
    ASSERT_EQ(set.lastPlace, 4) << ui.lastMessage().toStdString();
    clickHeader(10); // "> Latitude": largest first
    QString names;
    for (int r = 1; r <= 5; ++r)
        names += grid.TextMatrix(r, 2);
    EXPECT_EQ(names, "CEADB"); // 35.7, 21.3, 19.4, -18.1, -41.3
}

TEST_F(PlaceTable, ColumnsFitTheirTextsAfterEveryFillAndSortAndCanBeResized) {
    // 100 twips a character; the grid adds a margin of 100.
    grid.setTextMeasure([](const QString& t) { return 100.0 * t.size(); });
    set.currentFile = writeFile("nz.txt", "Wellington Harbour Lighthouse,-41.2865,174.7762,5\r\nB,1,2,3\r\n");
    carrega(ctx);
    EXPECT_EQ(grid.AllowUserResizing(), 1);
    struct Widths {
        int latitude, longitude, name, value;
    };
    const auto widths = [&] {
        return Widths{grid.ColWidth(0), grid.ColWidth(1), grid.ColWidth(2), grid.ColWidth(3)};
    };
    // Read with four decimals: "174.7762" is 8 characters, under the laid-out 1000;
    // the name is 29 characters: 2900 + 100.
    Widths w = widths();
    EXPECT_EQ(w.latitude, 1000);
    EXPECT_EQ(w.longitude, 1000);
    EXPECT_EQ(w.name, 3000);
    EXPECT_EQ(w.value, 1000);

    grid.setCurrentCell(2, 3);
    clickHeader(3700); // sorting refills with six decimals: "-41.286500", "174.776200"
    w = widths();
    EXPECT_EQ(w.latitude, 1100);
    EXPECT_EQ(w.longitude, 1100);
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.Col(), 3);

    typeCell(2, 3, "123456789012345"); // typed text widens its column too
    EXPECT_EQ(grid.ColWidth(3), 1600);
}

TEST_F(PlaceTable, SelChangeRemovesLatitudeMark) {
    loadCities();
    clickHeader(10);
    EXPECT_EQ(grid.TextMatrix(0, 0), "> Latitude");
    gridSelChange(ctx);
    EXPECT_EQ(grid.TextMatrix(0, 0), "Latitude");
}

TEST_F(PlaceTable, FilterOnValueAndRemoveRestoresReadOrder) {
    loadCities();
    form.setText(ctl::txtVal_0, "50");
    form.setText(ctl::txtVal_1, "300");
    comFilterClick(ctx, 0);
    EXPECT_EQ(set.lastPlace, 1);
    EXPECT_EQ(set.fullLastPlace, 2);
    EXPECT_EQ(grid.Rows(), 3);
    EXPECT_EQ(tableRow(1), "41.1500|-8.6167|Porto|237.5");
    EXPECT_EQ(tableRow(2), "37.0167|-7.9333|Faro|64");
    EXPECT_EQ(form.caption(ctl::lblNPlaces), "N.places: 2");

    clickHeader(3700); // sort the filtered set; the backup keeps the read order
    comFilterClick(ctx, 1);
    EXPECT_EQ(set.lastPlace, 2);
    EXPECT_EQ(form.text(ctl::txtVal_0), "");
    EXPECT_EQ(tableRow(1), "38.7167|-9.1333|Lisbon|547");
    EXPECT_EQ(tableRow(3), "37.0167|-7.9333|Faro|64");
}

TEST_F(PlaceTable, FilterBoundsAreInclusiveAndNonNumbersAreOpen) {
    loadCities();
    form.setText(ctl::txtLat_0, "37.0167");
    form.setText(ctl::txtLat_1, "abc");
    form.setText(ctl::txtLon_1, "-8.6167");
    comFilterClick(ctx, 0);
    EXPECT_EQ(set.lastPlace, 1); // Lisbon (-9.1333) and Porto (-8.6167)
    EXPECT_EQ(grid.TextMatrix(2, 2), "Porto");
}

TEST_F(PlaceTable, NewGoesBackToOneEmptyRow) {
    loadCities();
    form.setText(ctl::Text1_0, "Title");
    menuNew(ctx);
    EXPECT_EQ(set.lastPlace, 0);
    EXPECT_EQ(set.fullLastPlace, 0);
    EXPECT_EQ(grid.Rows(), 2);
    EXPECT_EQ(tableRow(1), "|||");
    EXPECT_EQ(storeRow(2), "|||");
    EXPECT_EQ(backupRow(1), "|||");
    EXPECT_EQ(form.text(ctl::Text1_0), "");
    EXPECT_EQ(form.value(ctl::chkSTitle), 0);
    EXPECT_EQ(form.caption(ctl::Label4), "Current file: New File");
    EXPECT_FALSE(set.dataLoaded);
}

TEST_F(PlaceTable, RowButtons) {
    loadCities();
    grid.setRow(3);
    comRowClick(ctx, 0); // insert with the third row current appends at the end
    EXPECT_EQ(grid.Rows(), 5);
    EXPECT_EQ(grid.Row(), 4);
    EXPECT_EQ(set.lastPlace, 3);
    EXPECT_EQ(tableRow(3), "37.0167|-7.9333|Faro|64");
    EXPECT_EQ(form.caption(ctl::lblNPlaces), "N.places: 4");

    grid.setRow(0);
    comRowClick(ctx, 1); // header row current: nothing happens to the table
    EXPECT_EQ(grid.Rows(), 5);

    grid.setRow(2);
    comRowClick(ctx, 1);
    EXPECT_EQ(grid.Rows(), 4);
    EXPECT_EQ(set.lastPlace, 2);
    EXPECT_EQ(grid.TextMatrix(2, 2), "Faro");
    EXPECT_EQ(form.caption(ctl::lblNPlaces), "N.places: 3");
}

TEST_F(PlaceTable, InsertAndDeleteKeepStoreAndBackupInStep) {
    loadCities();
    grid.setRow(1);
    comRowClick(ctx, 1); // delete Lisbon
    EXPECT_EQ(storeRow(0), "41.15|-8.6167|237.5|Porto");
    EXPECT_EQ(backupRow(0), "41.15|-8.6167|237.5|Porto");
    EXPECT_EQ(set.backupLast, 1);
    comRowClick(ctx, 0); // a new empty row, then typed in
    typeCell(3, 2, "Sagres");
    typeCell(3, 0, "37");
    typeCell(3, 1, "-8.9");
    typeCell(3, 3, "5");
    EXPECT_EQ(storeRow(2), "37|-8.9|5|Sagres");
    EXPECT_EQ(backupRow(2), "37|-8.9|5|Sagres");
    form.setText(ctl::txtVal_1, "100");
    comFilterClick(ctx, 0); // the filter sees the set the table shows
    EXPECT_EQ(set.lastPlace, 1);
    EXPECT_EQ(grid.TextMatrix(1, 2), "Faro");
    EXPECT_EQ(grid.TextMatrix(2, 2), "Sagres");
}

TEST_F(PlaceTable, EditsWhileFilteredReachTheRightBackupRow) {
    loadCities();
    form.setText(ctl::txtVal_1, "300"); // Porto and Faro
    comFilterClick(ctx, 0);
    typeCell(2, 2, "Faro (Algarve)");
    grid.setRow(1);
    comRowClick(ctx, 1); // delete Porto from the filtered view
    comFilterClick(ctx, 1);
    EXPECT_EQ(set.lastPlace, 1);
    EXPECT_EQ(tableRow(1), "38.7167|-9.1333|Lisbon|547");
    EXPECT_EQ(tableRow(2), "37.0167|-7.9333|Faro (Algarve)|64");
}

TEST_F(PlaceTable, CellEditCopiesToStoreUnlessShapeMode) {
    loadCities();
    set.dataLoaded = false;
    typeCell(2, 3, "250");
    EXPECT_EQ(set.placeData.at(1, ColValue), Cell("250"));
    EXPECT_TRUE(set.dataLoaded);
    set.shapeMode = true;
    typeCell(2, 3, "99");
    EXPECT_EQ(set.placeData.at(1, ColValue), Cell("250"));
}

TEST_F(PlaceTable, RandomValuesAreWholeNumbersFrom0To99) {
    loadCities();
    comRowClick(ctx, 4);
    for (int r = 1; r <= 3; ++r) {
        bool ok = false;
        const int v = grid.TextMatrix(r, 3).toInt(&ok);
        EXPECT_TRUE(ok);
        EXPECT_GE(v, 0);
        EXPECT_LE(v, 99);
        EXPECT_EQ(set.placeData.at(r - 1, ColValue).toNumber(), v);
    }
}

TEST_F(PlaceTable, FormatCellShowsTextThatIsNoNumberUnchanged) {
    EXPECT_EQ(formatCell(Cell(0.5), u"###.0000"), ".5000");
    EXPECT_EQ(formatCell(Cell("38.5"), u"###.0000"), "38.5000");
    EXPECT_EQ(formatCell(Cell("north"), u"###.0000"), "north");
    EXPECT_EQ(formatCell(Cell(), u"###.0000"), "");
}

TEST_F(PlaceTable, StoreIndexBeyond5000IsError9) {
    EXPECT_THROW(set.placeData.at(5001, 0), RuntimeError);
    EXPECT_THROW(set.placeData.at(0, 4), RuntimeError);
    EXPECT_NO_THROW(set.placeData.at(5000, 3));
}
