#include "graph/Overlays.h"
#include "GuiEnvironment.h"

#include "ParamName.h"
#include <QFontMetricsF>
#include <cmath>

#include <gtest/gtest.h>

using namespace kartello;

namespace {

const testing::Environment* const gui = testing::AddGlobalTestEnvironment(new GuiEnvironment);

TEST(Overlays, OneLineTitleIsATenthLargerThanItsText) {
    TitleSpec spec{QStringLiteral("Rainfall"),
                   QString(),
                   {QStringLiteral("Arial"), 20, true, false, false},
                   0,
                   0xFFFFFF};
    const QImage img = Titulo(spec);
    const QFontMetricsF fm(titleFont(spec.font));
    EXPECT_EQ(img.width(), int(std::ceil(1.1 * fm.horizontalAdvance(spec.line1))));
    EXPECT_EQ(img.height(), int(std::ceil(1.1 * fm.height())));
    EXPECT_EQ(img.pixelColor(0, 0), QColor(Qt::white));
}

TEST(Overlays, SecondLineDoublesTheHeightAndWidensToTheWiderLine) {
    TitleSpec spec{QStringLiteral("Rain"),
                   QStringLiteral("Millimetres per year"),
                   {QStringLiteral("Arial"), 20, true, false, false},
                   0,
                   0xFFFFFF};
    const QImage img = Titulo(spec);
    const QFontMetricsF fm(titleFont(spec.font));
    EXPECT_EQ(img.width(), int(std::ceil(1.1 * fm.horizontalAdvance(spec.line2))));
    EXPECT_EQ(img.height(), int(std::ceil(2.2 * fm.height())));
}

TEST(Overlays, TitleFontArialResolvesToAnInstalledFace) {
    const QFont f = titleFont({QStringLiteral("Arial"), 20, true, false, false});
    EXPECT_TRUE(f.bold());
    EXPECT_DOUBLE_EQ(f.pointSizeF(), 20);
    EXPECT_GT(QFontMetricsF(f).height(), 10);
}

struct LabelCase {
    const char* name;
    double min, max;
    bool log, sqr;
    QStringList labels;
};

class ScaleLabelTest : public testing::TestWithParam<LabelCase> {};

TEST_P(ScaleLabelTest, SixLabelsAcrossTheRange) {
    const LabelCase& c = GetParam();
    ColorTable t{};
    EXPECT_EQ(scaleLabels({&t, c.min, c.max, c.log, c.sqr}), c.labels) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScaleLabelTest,
    testing::Values(
        // Bar 0 has the colour of the largest value, so its label is b; bar k
        // shows b - (b - a) k / 255. 10 < 50 <= 100: no decimals.
        LabelCase{"0 to 50", 0, 50, false, false, {"50", "40", "30", "20", "10", "0"}},
        // Two decimals below 1, each rounded up: 0.5 x 51 / 255 = 0.1.
        LabelCase{"0 to 0.5", 0, 0.5, false, false, {"0.5", "0.4", "0.3", "0.2", "0.1", "0"}},
        // One decimal from 1 to 10, rounded up: 2.23 shows as 2.3.
        LabelCase{"1 to 2.23", 1, 2.23, false, false, {"2.3", "2", "1.8", "1.5", "1.3", "1"}},
        // A square-root scale shows t squared, the value plus 1.
        LabelCase{"sqrt 0 to 99", 0, 99, false, true, {"100", "68", "41", "22", "8", "1"}}),
    indexName);

TEST(Overlays, ScaleImageHasTheBarsInScaleOrderAcrossTheUpperHalf) {
    ColorTable t{};
    InicolorScale(7, t);
    const QImage img = ColorScale({&t, 0, 10, false, false});
    EXPECT_EQ(img.size(), QSize(kScaleWidth, kScaleHeight));
    const int y = kScaleHeight / 4;
    const QColor left = img.pixelColor(20, y), right = img.pixelColor(kScaleWidth - 20, y);
    EXPECT_LT(left.red(), 10);   // index 0: the largest value, black
    EXPECT_GT(right.red(), 245); // index 255: the smallest value, white
}

TEST(Overlays, LargeNumbersAreNotCutOffAtTheImageEdges) {
    ColorTable t{};
    InicolorScale(1, t);
    for (const double max : {100.0, 123456789.0, 98765432109876.0}) {
        const QImage img = ColorScale({&t, -max, max, false, false});
        for (const int x : {0, 1, img.width() - 2, img.width() - 1})
            for (int y = kScaleHeight / 2 + 1; y < kScaleHeight; ++y)
                ASSERT_EQ(img.pixelColor(x, y), QColor(Qt::white)) << max << " at " << x << "," << y;
    }
}

} // namespace
