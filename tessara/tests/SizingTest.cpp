// Column widths set, clamped and fitted; pictures loaded; the error report.
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

#include "GridFixture.h"
#include "tessara/GridModel.h"

using namespace tessara;
using tessara::test::ErrorLog;
using tessara::test::fillNamed;

namespace {

// 3780 dots per metre is the screen's 96 dots per inch (96.012 exactly).
QImage picture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::red);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    return image;
}

} // namespace

TEST(SetColWidth, ClampsToTheBoundsAndHandsTheWidthBack) {
    const struct {
        int w, minWidth, maxWidth, result;
    } cases[] = {
        {500, 1000, 0, 1000},     {5000, 0, 3000, 3000}, {200, 1590, 1000, 1000}, {5000, 1590, 1000, 1000},
        {1200, 1000, 3000, 1200}, {700, 0, 0, 700},      {700, -5, -5, 700},
    };
    for (const auto& c : cases) {
        GridModel grid;
        int w = c.w;
        grid.SetColWidth(1, w, c.minWidth, c.maxWidth);
        EXPECT_EQ(w, c.result) << c.w << " " << c.minWidth << " " << c.maxWidth;
        EXPECT_EQ(grid.ColWidth(1), c.result);
    }
}

TEST(SetColWidth, ReportsAColumnOutOfRangeThroughErrorMsgOnly) {
    GridModel grid;
    ErrorLog log(grid);
    int w = 500;
    EXPECT_NO_THROW(grid.SetColWidth(7, w, 0, 0));
    ASSERT_EQ(log.reports.size(), 1u);
    EXPECT_EQ(log.reports[0].first, QStringLiteral("Error 381 has occured in Tessara.ocx, SetColWidth"));
    EXPECT_EQ(log.reports[0].second, QStringLiteral("Subscript out of range"));
}

TEST(SetColWidth, ReportsAnInvalidWidthWithItsNumber) {
    GridModel grid;
    ErrorLog log(grid);
    int w = -20;
    grid.SetColWidth(1, w, 0, 0);
    ASSERT_EQ(log.reports.size(), 1u);
    EXPECT_EQ(log.reports[0].first, QStringLiteral("Error 380 has occured in Tessara.ocx, SetColWidth"));
    EXPECT_EQ(log.reports[0].second, QStringLiteral("Invalid property value"));
}

TEST(ErrorReport, SwallowsInvalidUseOfNull) {
    GridModel grid;
    ErrorLog log(grid);
    grid.reportError(GridError(94), QStringLiteral("Paste"));
    EXPECT_TRUE(log.reports.empty());
    grid.reportError(GridError(5, QStringLiteral("Invalid procedure call or argument")),
                     QStringLiteral("AlignSel"));
    ASSERT_EQ(log.reports.size(), 1u);
    EXPECT_EQ(log.reports[0].first, QStringLiteral("Error 5 has occured in Tessara.ocx, AlignSel"));
}

TEST(AutoColWidth, FitsTheWidestTextPlusAHundredWithinTheBounds) {
    const struct {
        int minWidth, maxWidth, result;
    } cases[] = {{1000, 0, 2100}, {3000, 0, 3000}, {0, 1500, 1500}, {0, 0, 2100}};
    for (const auto& c : cases) {
        GridModel grid;
        fillNamed(grid, 4, 3);
        grid.setTextMatrix(2, 1, QStringLiteral("long"));
        // Every character is 500 twips wide: "long" is 2000, "r,c" 1500.
        grid.setTextMeasure([](const QString& text) { return 500.0 * double(text.size()); });
        grid.AutoColWidth(1, c.minWidth, c.maxWidth);
        EXPECT_EQ(grid.ColWidth(1), c.result) << c.minWidth << " " << c.maxWidth;
        EXPECT_EQ(grid.Row(), 0); // the current row stays where it was
        EXPECT_EQ(grid.Col(), 1);
    }
}

TEST(AutoColWidth, MeasuresWithTheControlFontInTwips) {
    const int id =
        QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"));
    if (id < 0)
        GTEST_SKIP() << "DejaVu Sans is not installed";
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(13);
    GridModel grid;
    grid.setMeasureFont(font);
    fillNamed(grid, 3, 2);
    const QString text = QStringLiteral("Place/WP name of some length");
    grid.setTextMatrix(1, 1, text);
    grid.AutoColWidth(1, 0, 0);
    // 15 twips per pixel at 96 dpi, plus the 100-twip margin, rounded half to even.
    const double pixels = QFontMetricsF(font).horizontalAdvance(text);
    EXPECT_EQ(grid.ColWidth(1), int(std::nearbyint(pixels * 15 + 100)));
}

TEST(AutoColWidth, MakesRoomForACellPicture) {
    GridModel grid;
    fillNamed(grid, 3, 2);
    grid.setTextMeasure([](const QString&) { return 0.0; });
    grid.setRow(1);
    grid.setCol(1);
    grid.setCellPicture(picture(64, 10));
    grid.AutoColWidth(1, 0, 0);
    // 64 pixels at 96.012 dpi are 959.88 twips; 10 more rounds to 970.
    EXPECT_EQ(grid.ColWidth(1), 970);
}

TEST(AutoColWidth, TextWiderThanA16BitWidthIsAnOverflow) {
    GridModel grid;
    ErrorLog log(grid);
    fillNamed(grid, 3, 2);
    grid.setTextMeasure([](const QString&) { return 40000.0; });
    grid.AutoColWidth(1, 0, 0);
    ASSERT_EQ(log.reports.size(), 1u);
    EXPECT_EQ(log.reports[0].first, QStringLiteral("Error 6 has occured in Tessara.ocx, AutoColWidth"));
}

TEST(LoadCellPic, PutsThePictureIntoTheCellAndMakesRoomForIt) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("pic.png"));
    ASSERT_TRUE(picture(30, 45).save(file));
    GridModel grid;
    fillNamed(grid, 3, 3);
    grid.setTextMeasure([](const QString&) { return 0.0; });
    grid.LoadCellPic(file, 1, 2);
    EXPECT_FALSE(grid.cellPictureAt(1, 2).isNull());
    // 45 pixels are 674.92 twips; with 10 more the row grows to 685.
    EXPECT_EQ(grid.RowHeight(1), 685);
    // 30 pixels are 449.94 twips; with 10 more the column fits 460.
    EXPECT_EQ(grid.ColWidth(2), 460);
}

TEST(LoadCellPic, AMissingFileStopsWithTheReport) {
    GridModel grid;
    ErrorLog log(grid);
    grid.LoadCellPic(QStringLiteral("/nonexistent/picture.bmp"), 1, 1);
    ASSERT_EQ(log.reports.size(), 1u);
    EXPECT_EQ(log.reports[0].first, QStringLiteral("Error 53 has occured in Tessara.ocx, LoadCellPic"));
    EXPECT_EQ(log.reports[0].second, QStringLiteral("File not found"));
}
