// The user's keys and mouse on the control: clicks, drags, a disabled control,
// an empty grid, and the keyboard commands of a spreadsheet-like table.
#include <QClipboard>
#include <QScrollBar>
#include <QSignalSpy>

#include "ControlFixture.h"
#include "GridView.h"

using namespace tessara;
using tessara::test::ControlTest;

namespace {

using UserInput = ControlTest;

// At 96 dpi: column 0 is 69 px wide, the others 64; rows are 20 px high.
QPoint cellCentre(int r, int c) {
    const int x = c == 0 ? 34 : 69 + (c - 1) * 64 + 32;
    return QPoint(x, r * 20 + 10);
}

} // namespace

TEST_F(UserInput, ADoubleClickIsOneClick) {
    QSignalSpy clicks(control.get(), &Tessara::Click);
    QTest::mouseClick(viewport(), Qt::LeftButton, Qt::NoModifier, cellCentre(2, 1));
    QTest::mouseDClick(viewport(), Qt::LeftButton, Qt::NoModifier, cellCentre(2, 1));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_TRUE(edt()->isVisible());
}

TEST_F(UserInput, DraggingPastTheBottomEdgeScrollsAndExtendsTheSelection) {
    fill(60, 3);
    QSignalSpy scrolls(control.get(), &Tessara::Scroll);
    QTest::mousePress(viewport(), Qt::LeftButton, Qt::NoModifier, cellCentre(2, 1));
    QTest::mouseMove(viewport(), QPoint(cellCentre(2, 1).x(), viewport()->height() + 15));
    QTest::qWait(200); // the view keeps scrolling while the button is held past the edge
    QTest::mouseRelease(viewport(), Qt::LeftButton, Qt::NoModifier,
                        QPoint(cellCentre(2, 1).x(), viewport()->height() + 15));
    const int rowsShown = viewport()->height() / 20;
    EXPECT_GT(control->RowSel(), rowsShown);
    EXPECT_GE(scrolls.count(), 1);
    EXPECT_EQ(control->Row(), 2);
}

TEST_F(UserInput, ADisabledControlShowsItsTextsGreyed) {
    const QColor text = control->palette().color(QPalette::Active, QPalette::Text);
    const auto textPixels = [&] {
        const QImage shot = viewport()->grab().toImage();
        int count = 0;
        for (int y = 20; y < 100; ++y)
            for (int x = 0; x < shot.width(); ++x)
                count += shot.pixelColor(x, y) == text;
        return count;
    };
    EXPECT_GT(textPixels(), 0);
    control->setEnabled(false);
    EXPECT_EQ(textPixels(), 0);
}

TEST_F(UserInput, KeysOnAGridWithoutRowsReportNothing) {
    control->setRows(0);
    for (const Qt::Key key : {Qt::Key_X, Qt::Key_Delete, Qt::Key_F2, Qt::Key_Return, Qt::Key_Down,
                              Qt::Key_Space, Qt::Key_Backspace, Qt::Key_Tab})
        QTest::keyClick(grid(), key);
    QTest::keyClick(grid(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_TRUE(errors.isEmpty()) << errors.join(QLatin1Char(' ')).toStdString();
    EXPECT_FALSE(edt()->isVisible());
}

TEST_F(UserInput, PasteKeepsItsStartColumnInSixteenBits) {
    control->setCols(32770);
    goTo(1, 32768);
    QGuiApplication::clipboard()->setText(QStringLiteral("a\tb"));
    QTest::keyClick(grid(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(errors, QStringList({"Error 6 has occured in Tessara.ocx, Paste"}));
    EXPECT_EQ(control->TextMatrix(1, 32768), QString());
    EXPECT_TRUE(control->Redraw());
}

TEST_F(UserInput, AKeyBeyondAsciiStartsAnEditWithItsCharacter) {
    QTest::sendKeyEvent(QTest::Click, grid(), Qt::Key_Eacute, QStringLiteral("é"), Qt::NoModifier);
    ASSERT_TRUE(edt()->isVisible());
    EXPECT_EQ(edt()->text(), QStringLiteral("é"));
    QTest::keyClick(edt(), Qt::Key_Return);
    EXPECT_EQ(control->TextMatrix(1, 1), QStringLiteral("é"));
}

TEST_F(UserInput, F2EditsTheCellsTextWithTheCaretAtItsEnd) {
    QTest::keyClick(grid(), Qt::Key_F2);
    ASSERT_TRUE(edt()->isVisible());
    EXPECT_EQ(edt()->text(), QStringLiteral("1,1"));
    EXPECT_EQ(edt()->cursorPosition(), 3);
}

TEST_F(UserInput, TabAndShiftTabWalkTheCellsRowByRow) {
    const struct {
        const char* what;
        int row, col;
        Qt::KeyboardModifiers mods;
        bool editing;
        int endRow, endCol;
    } cases[] = {
        {"next column", 1, 1, Qt::NoModifier, false, 1, 2},
        {"wraps to the next row", 1, 2, Qt::NoModifier, false, 2, 0},
        {"stays on the last cell", 7, 2, Qt::NoModifier, false, 7, 2},
        {"back a column", 2, 1, Qt::ShiftModifier, false, 2, 0},
        {"back to the previous row", 2, 0, Qt::ShiftModifier, false, 1, 2},
        {"stays on the first data row", 1, 0, Qt::ShiftModifier, false, 1, 0},
        {"ends an edit in its cell", 3, 1, Qt::NoModifier, true, 3, 2},
    };
    for (const auto& c : cases) {
        goTo(c.row, c.col);
        edits.clear();
        if (c.editing)
            QTest::keyClick(grid(), 't');
        QTest::keyClick(c.editing ? static_cast<QWidget*>(edt()) : grid(), Qt::Key_Tab, c.mods);
        EXPECT_EQ(control->Row(), c.endRow) << c.what;
        EXPECT_EQ(control->Col(), c.endCol) << c.what;
        EXPECT_FALSE(edt()->isVisible()) << c.what;
        EXPECT_TRUE(grid()->hasFocus()) << c.what;
        if (c.editing) {
            EXPECT_EQ(edits, QStringList({"3,1=t"})) << c.what;
        }
    }
}

TEST_F(UserInput, CtrlCCopiesTheSelectionAsTabSeparatedLines) {
    goTo(2, 0);
    control->setRowSel(3);
    control->setColSel(1);
    QTest::keyClick(grid(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("2,0\t2,1\n3,0\t3,1"));
}

TEST_F(UserInput, CtrlAThenCtrlVAndCtrlZ) {
    QTest::keyClick(grid(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(control->Row(), 1);
    EXPECT_EQ(control->Col(), 0);
    EXPECT_EQ(control->RowSel(), 7);
    EXPECT_EQ(control->ColSel(), 2);

    goTo(2, 1);
    QGuiApplication::clipboard()->setText(QStringLiteral("p\tq\nr"));
    QTest::keyClick(grid(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(control->TextMatrix(2, 1), QStringLiteral("p"));
    EXPECT_EQ(control->TextMatrix(2, 2), QStringLiteral("q"));
    EXPECT_EQ(control->TextMatrix(3, 1), QStringLiteral("r"));
    QTest::keyClick(grid(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(control->TextMatrix(2, 1), QStringLiteral("2,1"));
    EXPECT_EQ(control->TextMatrix(2, 2), QStringLiteral("2,2"));
    EXPECT_EQ(control->TextMatrix(3, 1), QStringLiteral("3,1"));
}

TEST_F(UserInput, CtrlZUndoesTheLastEditOrDelete) {
    QTest::keyClick(grid(), 'n');
    QTest::keyClick(edt(), Qt::Key_Return);
    EXPECT_EQ(control->TextMatrix(1, 1), QStringLiteral("n"));
    QTest::keyClick(grid(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(control->TextMatrix(1, 1), QStringLiteral("1,1"));
    // One level only: a second undo changes nothing.
    QTest::keyClick(grid(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(control->TextMatrix(1, 1), QStringLiteral("1,1"));

    goTo(4, 0);
    control->setColSel(2);
    QTest::keyClick(grid(), Qt::Key_Delete);
    EXPECT_EQ(control->TextMatrix(4, 2), QString());
    QTest::keyClick(grid(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(control->TextMatrix(4, 0), QStringLiteral("4,0"));
    EXPECT_EQ(control->TextMatrix(4, 2), QStringLiteral("4,2"));
}
