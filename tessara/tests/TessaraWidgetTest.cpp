// The control on the offscreen platform, driven by real key and mouse events.
#include <QAbstractScrollArea>
#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

#include "tessara/Tessara.h"

using namespace tessara;

namespace {

// At 96 dpi a twip is 1/15 pixel: column 0 is 1030 twips (69 px), others 960
// (64 px), rows 300 twips (20 px).
constexpr int kCol0Px = 69;
constexpr int kColPx = 64;
constexpr int kRowPx = 20;

class TessaraWidget : public ::testing::Test {
protected:
    void SetUp() override {
        control = std::make_unique<Tessara>();
        control->resize(400, 200);
        control->setRows(5);
        control->setCols(3);
        control->setFixedCols(0);
        control->setFixedRows(1);
        for (int r = 0; r < 5; ++r)
            for (int c = 0; c < 3; ++c)
                control->setTextMatrix(r, c, QString::number(r) + QLatin1Char(',') + QString::number(c));
        control->setMessageHook([this](const QString& text) { messages << text; });
        QObject::connect(control.get(), &Tessara::CellEdited, [this] { ++edited; });
        control->show();
        QApplication::setActiveWindow(control.get());
        (void)QTest::qWaitForWindowActive(control.get());
        control->SetFocus();
        goTo(1, 1);
    }

    void goTo(int r, int c) {
        control->setRow(r);
        control->setCol(c);
    }
    QWidget* grid() { return control->grid(); }
    QWidget* viewport() { return static_cast<QAbstractScrollArea*>(control->grid())->viewport(); }
    QLineEdit* edt() { return control->editor(); }
    static QPoint cellCentre(int r, int c) {
        const int x = c == 0 ? kCol0Px / 2 : kCol0Px + (c - 1) * kColPx + kColPx / 2;
        return QPoint(x, r * kRowPx + kRowPx / 2);
    }
    // The platform delivers a double click as a click followed by the double-click event.
    void doubleClick(const QPoint& at, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::mouseClick(viewport(), Qt::LeftButton, mods, at);
        QTest::mouseDClick(viewport(), Qt::LeftButton, mods, at);
    }
    void type(QWidget* target, char character) { QTest::keyClick(target, character); }
    void key(QWidget* target, Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(target, k, mods);
    }

    std::unique_ptr<Tessara> control;
    QStringList messages;
    int edited = 0;
};

} // namespace

TEST_F(TessaraWidget, StartsWithTheEditorHiddenAndTheGridFillingTheControl) {
    EXPECT_FALSE(edt()->isVisible());
    EXPECT_TRUE(grid()->hasFocus());
    EXPECT_EQ(grid()->geometry(), control->rect());
    control->resize(321, 123);
    EXPECT_EQ(grid()->geometry(), QRect(0, 0, 321, 123));
    EXPECT_EQ(control->Version(), QStringLiteral("1.01"));
    EXPECT_EQ(control->ColWidth(0), 1030);
}

TEST_F(TessaraWidget, PrintableKeyStartsAnEditWithThatCharacterAndEnterWritesItAndMovesDown) {
    control->setTextMatrix(1, 1, QStringLiteral("abc"));
    type(grid(), 'x');
    ASSERT_TRUE(edt()->isVisible());
    EXPECT_TRUE(edt()->hasFocus());
    EXPECT_EQ(edt()->text(), QStringLiteral("x"));
    EXPECT_EQ(edt()->cursorPosition(), 1);
    type(edt(), 'y');
    key(edt(), Qt::Key_Return);
    EXPECT_EQ(control->TextMatrix(1, 1), QStringLiteral("xy"));
    EXPECT_EQ(edited, 1);
    EXPECT_EQ(control->Row(), 2);
    EXPECT_FALSE(edt()->isVisible());
}

TEST_F(TessaraWidget, BackspaceStartsAnEmptyEdit) {
    key(grid(), Qt::Key_Backspace);
    ASSERT_TRUE(edt()->isVisible());
    EXPECT_EQ(edt()->text(), QString());
    EXPECT_EQ(edt()->cursorPosition(), 0);
    key(edt(), Qt::Key_Return);
    EXPECT_EQ(control->TextMatrix(1, 1), QString());
    EXPECT_EQ(edited, 1);
}

TEST_F(TessaraWidget, SpaceAndDoubleClickEditTheCellsTextWithTheCaretAtItsEnd) {
    key(grid(), Qt::Key_Space);
    ASSERT_TRUE(edt()->isVisible());
    EXPECT_EQ(edt()->text(), QStringLiteral("1,1"));
    EXPECT_EQ(edt()->cursorPosition(), 3);
    key(edt(), Qt::Key_Escape);

    doubleClick(cellCentre(3, 2));
    EXPECT_EQ(control->Row(), 3);
    EXPECT_EQ(control->Col(), 2);
    ASSERT_TRUE(edt()->isVisible());
    EXPECT_EQ(edt()->text(), QStringLiteral("3,2"));
    EXPECT_EQ(edt()->cursorPosition(), 3);
}

TEST_F(TessaraWidget, TheEditorLiesOverTheCurrentCell) {
    goTo(2, 1);
    type(grid(), 'k');
    ASSERT_TRUE(edt()->isVisible());
    // 2 twips less than the cell each way, which rounds to the whole pixels.
    EXPECT_EQ(edt()->geometry(), QRect(kCol0Px, 2 * kRowPx, kColPx, kRowPx));
}

TEST_F(TessaraWidget, EscCancelsTheEdit) {
    type(grid(), 'x');
    key(edt(), Qt::Key_Escape);
    EXPECT_FALSE(edt()->isVisible());
    EXPECT_EQ(control->TextMatrix(1, 1), QStringLiteral("1,1"));
    EXPECT_EQ(edited, 0);
    EXPECT_EQ(control->Row(), 1);
}

TEST_F(TessaraWidget, ACaseOnlyChangeIsWrittenWithoutCellEdited) {
    control->setTextMatrix(1, 1, QStringLiteral("abc"));
    key(grid(), Qt::Key_Space);
    edt()->setText(QStringLiteral("ABC"));
    key(edt(), Qt::Key_Return);
    EXPECT_EQ(control->TextMatrix(1, 1), QStringLiteral("ABC"));
    EXPECT_EQ(edited, 0);
}

TEST_F(TessaraWidget, UpAndDownInTheEditorWriteBackAndMoveWithinTheDataRows) {
    const struct {
        const char* what;
        int startRow;
        Qt::Key arrow;
        int endRow;
    } cases[] = {
        {"Up on the first data row stays", 1, Qt::Key_Up, 1},
        {"Down on the last row stays", 4, Qt::Key_Down, 4},
        {"Up in the middle", 3, Qt::Key_Up, 2},
        {"Down in the middle", 2, Qt::Key_Down, 3},
    };
    for (const auto& c : cases) {
        goTo(c.startRow, 1);
        edited = 0;
        type(grid(), 'z');
        ASSERT_TRUE(edt()->isVisible()) << c.what;
        key(edt(), c.arrow);
        EXPECT_EQ(control->TextMatrix(c.startRow, 1), QStringLiteral("z")) << c.what;
        EXPECT_EQ(control->Row(), c.endRow) << c.what;
        EXPECT_EQ(edited, 1) << c.what;
        EXPECT_FALSE(edt()->isVisible()) << c.what;
    }
}

TEST_F(TessaraWidget, EnterInTheEditorOnTheLastRowWritesAndStays) {
    goTo(4, 0);
    type(grid(), 'e');
    key(edt(), Qt::Key_Enter);
    EXPECT_EQ(control->TextMatrix(4, 0), QStringLiteral("e"));
    EXPECT_EQ(control->Row(), 4);
    EXPECT_EQ(edited, 1);
}

TEST_F(TessaraWidget, EnterOnTheGridMovesDownEvenOnACellThatMayNotBeEdited) {
    control->setCellBackColor(control->CellNoEdit());
    key(grid(), Qt::Key_Return);
    EXPECT_EQ(control->Row(), 2);
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_FALSE(edt()->isVisible());
}

TEST_F(TessaraWidget, EnterOnTheGridKeepsLeaveCellBeforeEnterCell) {
    QStringList order;
    QObject::connect(&control->model(), &GridModel::LeaveCell,
                     [&] { order << QStringLiteral("Leave") + QString::number(control->Row()); });
    QObject::connect(control.get(), &Tessara::EnterCell,
                     [&] { order << QStringLiteral("Enter") + QString::number(control->Row()); });
    key(grid(), Qt::Key_Return);
    EXPECT_EQ(order, QStringList({"Leave1", "Enter2"}));
}

TEST_F(TessaraWidget, ACellThatMayNotBeEditedShowsTheCantEditTextUnlessEmptyOrEsc) {
    control->setCellBackColor(control->CellNoEdit());
    type(grid(), 'x');
    EXPECT_EQ(messages, QStringList({"Can't edit that cell"}));
    EXPECT_FALSE(edt()->isVisible());
    key(grid(), Qt::Key_Escape);
    EXPECT_EQ(messages.size(), 1);
    control->setCantEdit(QString());
    type(grid(), 'x');
    key(grid(), Qt::Key_Space);
    EXPECT_EQ(messages.size(), 1);
    EXPECT_FALSE(edt()->isVisible());
    EXPECT_EQ(control->TextMatrix(1, 1), QStringLiteral("1,1"));
}

TEST_F(TessaraWidget, ASelectionOfSeveralCellsIgnoresTypingAndDoubleClicks) {
    control->setRowSel(2);
    type(grid(), 'x');
    EXPECT_FALSE(edt()->isVisible());
    // Shift keeps the selection extended through the double click.
    doubleClick(cellCentre(3, 2), Qt::ShiftModifier);
    EXPECT_EQ(control->RowSel(), 3);
    EXPECT_FALSE(edt()->isVisible());
    EXPECT_EQ(control->TextMatrix(1, 1), QStringLiteral("1,1"));
}

TEST_F(TessaraWidget, DeleteClearsTheSelectionBeforeTheHostsKeyDown) {
    goTo(1, 0);
    control->setRowSel(2);
    control->setColSel(1);
    QString seen;
    short code = 0;
    QObject::connect(control.get(), &Tessara::KeyDown, [&](short keyCode, short) {
        code = keyCode;
        seen = control->TextMatrix(2, 1);
    });
    key(grid(), Qt::Key_Delete);
    EXPECT_EQ(code, 46);
    EXPECT_EQ(seen, QString());
    EXPECT_EQ(control->TextMatrix(1, 0), QString());
    EXPECT_EQ(control->TextMatrix(1, 2), QStringLiteral("1,2"));
    EXPECT_FALSE(edt()->isVisible());
}

TEST_F(TessaraWidget, ClickingAnotherCellEndsTheEditThere) {
    type(grid(), 'q');
    QTest::mouseClick(viewport(), Qt::LeftButton, Qt::NoModifier, cellCentre(3, 2));
    EXPECT_EQ(control->TextMatrix(1, 1), QStringLiteral("q"));
    EXPECT_EQ(edited, 1);
    EXPECT_EQ(control->Row(), 3);
    EXPECT_EQ(control->Col(), 2);
    EXPECT_FALSE(edt()->isVisible());
}

TEST_F(TessaraWidget, MouseDownReportsTwipsAfterTheSelectionHasChanged) {
    QStringList order;
    float x = 0, y = 0;
    short button = 0;
    QObject::connect(control.get(), &Tessara::SelChange, [&] { order << QStringLiteral("Sel"); });
    QObject::connect(control.get(), &Tessara::MouseDown, [&](short b, short, float mx, float my) {
        order << QStringLiteral("Down");
        button = b;
        x = mx;
        y = my;
    });
    QTest::mouseClick(viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 5));
    EXPECT_EQ(order, QStringList({"Sel", "Down"}));
    EXPECT_EQ(button, 1);
    EXPECT_FLOAT_EQ(x, 1500.0f);
    EXPECT_FLOAT_EQ(y, 75.0f);
    EXPECT_LE(y, control->RowHeight(0)); // a header click as the host tells it
    // A header click selects the whole column.
    EXPECT_EQ(control->Col(), 1);
    EXPECT_EQ(control->Row(), 1);
    EXPECT_EQ(control->RowSel(), 4);
}

TEST_F(TessaraWidget, ArrowKeysMoveTheCurrentCellAndShiftExtends) {
    key(grid(), Qt::Key_Down);
    key(grid(), Qt::Key_Right);
    EXPECT_EQ(control->Row(), 2);
    EXPECT_EQ(control->Col(), 2);
    key(grid(), Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(control->Row(), 2);
    EXPECT_EQ(control->RowSel(), 1);
}

TEST_F(TessaraWidget, TrappedErrorsReachTheHostOnlyAsErrorMsg) {
    QSignalSpy spy(control.get(), &Tessara::ErrorMsg);
    int w = 100;
    control->SetColWidth(9, w, 0, 0);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy[0][0].toString(), QStringLiteral("Error 381 has occured in Tessara.ocx, SetColWidth"));
    EXPECT_EQ(spy[0][1].toString(), QStringLiteral("Subscript out of range"));
}

TEST_F(TessaraWidget, PaintsALargeGridScrolledToItsEnd) {
    control->setRows(5000);
    control->setRow(4999);
    const QImage shot = control->grab().toImage();
    EXPECT_FALSE(shot.isNull());
    EXPECT_EQ(control->Row(), 4999);
}

TEST_F(TessaraWidget, AHostMovingTheCurrentCellEndsTheEditInTheCellLeft) {
    type(grid(), 'h');
    control->setRow(3);
    EXPECT_EQ(control->TextMatrix(1, 1), QStringLiteral("h"));
    EXPECT_EQ(control->TextMatrix(3, 1), QStringLiteral("3,1"));
    EXPECT_EQ(edited, 1);
    EXPECT_FALSE(edt()->isVisible());
}

TEST_F(TessaraWidget, FocusBackOnTheGridWritesTheEditWithoutCellEdited) {
    type(grid(), 'f');
    // The grid's own focus arriving while the editor is still shown (as after a
    // window switch) writes the text back but tells the host nothing.
    QFocusEvent focusIn(QEvent::FocusIn, Qt::MouseFocusReason);
    QApplication::sendEvent(grid(), &focusIn);
    EXPECT_EQ(control->TextMatrix(1, 1), QStringLiteral("f"));
    EXPECT_FALSE(edt()->isVisible());
    EXPECT_EQ(edited, 0);
    EXPECT_EQ(edt()->text(), QStringLiteral("f")); // not cleared on this path
}

TEST_F(TessaraWidget, EditingARowFarDownScrollsItIntoView) {
    control->setRows(5000);
    QSignalSpy scrolled(control.get(), &Tessara::Scroll);
    goTo(4999, 1);
    type(grid(), 'w');
    ASSERT_TRUE(edt()->isVisible());
    EXPECT_GE(scrolled.count(), 1);
    EXPECT_TRUE(control->rect().contains(edt()->geometry())) << edt()->geometry().y();
    key(edt(), Qt::Key_Return);
    EXPECT_EQ(control->TextMatrix(4999, 1), QStringLiteral("w"));
}

TEST_F(TessaraWidget, RowOperationsLeaveTheFocusOnTheGrid) {
    type(grid(), 'r');
    control->InsertRows(2, 1);
    EXPECT_TRUE(grid()->hasFocus());
    EXPECT_EQ(control->TextMatrix(1, 1), QStringLiteral("r"));
    EXPECT_EQ(control->Rows(), 6);
    EXPECT_EQ(control->TextMatrix(2, 0), QString());
}

TEST_F(TessaraWidget, AllowUserResizingLetsTheUserDragColumnAndRowEdges) {
    const QPoint columnEdge(kCol0Px + kColPx, kRowPx / 2);
    QTest::mousePress(viewport(), Qt::LeftButton, Qt::NoModifier, columnEdge);
    QTest::mouseMove(viewport(), columnEdge + QPoint(30, 0));
    QTest::mouseRelease(viewport(), Qt::LeftButton, Qt::NoModifier, columnEdge + QPoint(30, 0));
    EXPECT_EQ(control->ColWidth(1), 960); // resizing is off by default

    control->setAllowUserResizing(3);
    QTest::mousePress(viewport(), Qt::LeftButton, Qt::NoModifier, columnEdge);
    QTest::mouseMove(viewport(), columnEdge + QPoint(30, 0));
    QTest::mouseRelease(viewport(), Qt::LeftButton, Qt::NoModifier, columnEdge + QPoint(30, 0));
    EXPECT_EQ(control->ColWidth(1), (kColPx + 30) * 15);

    control->setFixedCols(1);
    const QPoint rowEdge(kCol0Px / 2, 2 * kRowPx);
    QTest::mousePress(viewport(), Qt::LeftButton, Qt::NoModifier, rowEdge);
    QTest::mouseMove(viewport(), rowEdge + QPoint(0, 10));
    QTest::mouseRelease(viewport(), Qt::LeftButton, Qt::NoModifier, rowEdge + QPoint(0, 10));
    EXPECT_EQ(control->RowHeight(1), (kRowPx + 10) * 15);
}

TEST_F(TessaraWidget, SelectionModeMakesTheUsersSelectionsSpanRowsOrColumns) {
    control->setSelectionMode(1);
    QTest::mouseClick(viewport(), Qt::LeftButton, Qt::NoModifier, cellCentre(2, 1));
    EXPECT_EQ(control->Row(), 2);
    EXPECT_EQ(control->RowSel(), 2);
    EXPECT_EQ(control->Col(), 0);
    EXPECT_EQ(control->ColSel(), 2);
    key(grid(), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(control->RowSel(), 3);
    EXPECT_EQ(control->ColSel(), 2);

    control->setSelectionMode(2);
    QTest::mouseClick(viewport(), Qt::LeftButton, Qt::NoModifier, cellCentre(3, 2));
    EXPECT_EQ(control->Row(), 1);
    EXPECT_EQ(control->RowSel(), 4);
    EXPECT_EQ(control->Col(), 2);
    EXPECT_EQ(control->ColSel(), 2);
}
