// How the control looks beside Qt's own tables, with the host's appearance
// properties still in force.
#include "ControlFixture.h"

using namespace tessara;
using tessara::test::ControlTest;

namespace {

using Appearance = ControlTest;

QColor pixelAt(QWidget* widget, const QPoint& at) {
    return widget->grab().toImage().pixelColor(at);
}

} // namespace

TEST_F(Appearance, PastTheLastColumnIsTheBaseColourUnlessTheHostChoseOne) {
    // Three columns end at 69 + 64 + 64 = 197 pixels.
    const QPoint beyond(300, 50);
    EXPECT_EQ(pixelAt(viewport(), beyond), control->palette().color(QPalette::Base));
    control->setBackColorBkg(Qt::red);
    EXPECT_EQ(pixelAt(viewport(), beyond), QColor(Qt::red));
}

TEST_F(Appearance, HeaderCellsTakeTheHostsFixedColour) {
    const QPoint header(100, 10);
    control->setBackColorFixed(QColor(0, 0, 200));
    EXPECT_EQ(pixelAt(viewport(), header + QPoint(20, 0)), QColor(0, 0, 200));
}

TEST_F(Appearance, RowsGrowWithALargerFontButNotBelowTheClassicHeight) {
    EXPECT_EQ(control->RowHeight(1), kDefaultRowHeight);
    QFont large = control->Font();
    large.setPixelSize(40);
    control->setFont(large);
    EXPECT_GE(control->RowHeight(1), 40 * 15);
    control->setRowHeight(2, 500);
    EXPECT_EQ(control->RowHeight(2), 500); // a height of the row's own stays
}
