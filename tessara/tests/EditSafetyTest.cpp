// An edit never lands in the wrong cell, whatever the host or the user does while
// it is open; no failure leaves the control as an exception.
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QWheelEvent>
#include <climits>
#include <functional>

#include "ControlFixture.h"
#include "GridView.h"

using namespace tessara;
using tessara::test::ControlTest;

namespace {

using EditSafety = ControlTest;

void wheel(QWidget* target, const QPoint& at, int notches) {
    QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, -120 * notches), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
}

} // namespace

// A toolbar button takes no focus: the editor is still open when the host acts.
TEST_F(EditSafety, AnOpenEditEndsInItsOwnCellBeforeAnyRowOrColumnOperation) {
    const struct {
        const char* what;
        std::function<void(Tessara&)> operation;
        int rowOfEdit; // where the typed text is afterwards (-1: gone with its row or cleared)
    } cases[] = {
        {"DeleteRows", [](Tessara& t) { t.DeleteRows(t.Row(), 1); }, -1},
        {"InsertRows", [](Tessara& t) { t.InsertRows(t.Row(), 1); }, 4},
        {"RemoveItem", [](Tessara& t) { t.RemoveItem(t.Row()); }, -1},
        {"AddItem", [](Tessara& t) { t.AddItem(QString(), t.Row()); }, 4},
        {"MoveRows", [](Tessara& t) { t.MoveRows(3, 3, 2); }, 2},
        {"SwapRows", [](Tessara& t) { t.SwapRows(3, 5); }, 5},
        {"setRows", [](Tessara& t) { t.setRows(3); }, -1},
        {"setCols", [](Tessara& t) { t.setCols(1); }, -1},
        {"Clear", [](Tessara& t) { t.Clear(); }, -1},
        {"Paste", [](Tessara& t) { t.Paste(QStringLiteral("\tp")); }, -1},
    };
    for (const auto& c : cases) {
        fill(8, 3);
        goTo(3, 1);
        edits.clear();
        QTest::keyClick(grid(), 'x');
        QTest::keyClick(edt(), 'y');
        ASSERT_TRUE(edt()->isVisible()) << c.what;
        c.operation(*control);
        EXPECT_EQ(edits, QStringList({"3,1=xy"})) << c.what;
        EXPECT_FALSE(edt()->isVisible()) << c.what;
        EXPECT_EQ(rowHolding(1, QStringLiteral("xy")), c.rowOfEdit) << c.what;
        EXPECT_TRUE(errors.isEmpty()) << c.what << ": " << errors.join(QLatin1Char(' ')).toStdString();
    }
}

TEST_F(EditSafety, ShrinkingTheRowsUnderAnEditLeavesNoEditorOverAMissingRow) {
    fill(8, 3);
    goTo(6, 1);
    QTest::keyClick(grid(), 'z');
    control->setRows(4);
    EXPECT_FALSE(edt()->isVisible());
    QTest::keyClick(grid(), Qt::Key_Return);
    EXPECT_TRUE(errors.isEmpty()) << errors.join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(edits, QStringList({"6,1=z"}));
    EXPECT_EQ(rowHolding(1, QStringLiteral("z")), -1);
}

TEST_F(EditSafety, TheEditorFollowsItsCellOnTheWheelOrTheEditEnds) {
    control->resize(400, 400);
    fill(60, 3);
    auto* view = static_cast<GridView*>(grid());

    // Row 10 stays in view after three rows of scrolling: the editor moves with it.
    goTo(10, 1);
    QTest::keyClick(grid(), 'a');
    wheel(viewport(), QPoint(100, 100), 1);
    const QRect cell = view->cellRectInView(10, 1);
    ASSERT_FALSE(cell.isEmpty());
    ASSERT_TRUE(edt()->isVisible());
    EXPECT_EQ(edt()->pos(), view->viewport()->mapTo(control.get(), cell.topLeft()));
    QTest::keyClick(edt(), Qt::Key_Return);
    EXPECT_EQ(control->TextMatrix(10, 1), QStringLiteral("a"));

    // Row 2 scrolls out of view: the edit ends there.
    view->verticalScrollBar()->setValue(0);
    goTo(2, 1);
    edits.clear();
    QTest::keyClick(grid(), 'b');
    wheel(viewport(), QPoint(100, 100), 2);
    EXPECT_FALSE(edt()->isVisible());
    EXPECT_EQ(edits, QStringList({"2,1=b"}));
}

TEST_F(EditSafety, NoExceptionLeavesTheControlEvenFromAHostsSlot) {
    const struct {
        const char* what;
        std::function<void(Tessara&)> call;
        QString source;
    } cases[] = {
        {"Row past the end", [](Tessara& t) { t.setRow(t.Rows()); },
         "Error 30009 has occured in Tessara.ocx, Row"},
        {"Row by name", [](Tessara& t) { t.setProperty("Row", 99); },
         "Error 30009 has occured in Tessara.ocx, Row"},
        {"Col negative", [](Tessara& t) { t.setCol(-1); }, "Error 30010 has occured in Tessara.ocx, Col"},
        {"read outside", [](Tessara& t) { EXPECT_EQ(t.TextMatrix(99, 0), QString()); },
         "Error 381 has occured in Tessara.ocx, TextMatrix"},
        {"write outside", [](Tessara& t) { t.setTextMatrix(0, 9, QStringLiteral("x")); },
         "Error 381 has occured in Tessara.ocx, TextMatrix"},
        {"RemoveItem", [](Tessara& t) { t.RemoveItem(99); },
         "Error 381 has occured in Tessara.ocx, RemoveItem"},
        {"AddItem", [](Tessara& t) { t.AddItem(QString(), 99); },
         "Error 381 has occured in Tessara.ocx, AddItem"},
        {"Cols negative", [](Tessara& t) { t.setCols(-1); }, "Error 380 has occured in Tessara.ocx, Cols"},
        {"RowHeight", [](Tessara& t) { EXPECT_EQ(t.RowHeight(99), 0); },
         "Error 381 has occured in Tessara.ocx, RowHeight"},
        {"GridLineWidth", [](Tessara& t) { t.setGridLineWidth(0); },
         "Error 380 has occured in Tessara.ocx, GridLineWidth"},
    };
    QPushButton button(QStringLiteral("host"));
    button.show();
    for (const auto& c : cases) {
        errors.clear();
        const auto connection = QObject::connect(&button, &QPushButton::clicked, [&] { c.call(*control); });
        QTest::mouseClick(&button, Qt::LeftButton);
        QObject::disconnect(connection);
        EXPECT_EQ(errors, QStringList({c.source})) << c.what;
    }
}

TEST_F(EditSafety, MoveRowsChecksItsBlockBeforeMovingAnything) {
    const struct { int r1, r2, r3; } cases[] = {{2, INT_MAX, 1}, {0, 2, 5}, {INT_MIN, 3, 6}};
    for (const auto& c : cases) {
        fill(8, 3);
        errors.clear();
        control->MoveRows(c.r1, c.r2, c.r3);
        EXPECT_EQ(errors, QStringList({"Error 30009 has occured in Tessara.ocx, MoveRows"}))
            << c.r1 << " " << c.r2;
        for (int r = 0; r < 8; ++r)
            EXPECT_EQ(control->TextMatrix(r, 0), QString::number(r) + QStringLiteral(",0"));
    }
}

TEST_F(EditSafety, AutoColWidthNeitherFloodsTheHostNorMovesTheView) {
    fill(500, 3);
    goTo(1, 1);
    QSignalSpy moves(control.get(), &Tessara::RowColChange);
    QSignalSpy scrolls(control.get(), &Tessara::Scroll);
    control->AutoColWidth(2, 0, 0);
    QApplication::processEvents();
    EXPECT_LE(moves.count(), 1);
    EXPECT_EQ(scrolls.count(), 0);
    EXPECT_EQ(control->Row(), 1);
    EXPECT_EQ(control->Col(), 2);
}
