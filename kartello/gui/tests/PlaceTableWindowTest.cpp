// The window over the place procedures and the real table widget: what the
// person sees after opening, sorting, inserting, filtering and pasting.
#include "GuiTestMain.h"
#include "form/FormModel.h"
#include "gui/MainWindow.h"
#include "places/OpenCommand.h"
#include "places/PlaceContext.h"
#include "places/PlaceTable.h"
#include "runtime/testing/FakeUi.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <tessara/Tessara.h>

using namespace kartello;
using namespace kartello::gui;

namespace {

struct PlaceWindow {
    FakeUi ui;
    FormModel form{ui};
    tessara::Tessara* table = new tessara::Tessara;
    std::unique_ptr<PlaceSet> set = std::make_unique<PlaceSet>();
    PlaceContext ctx{*set, table->model(), form, ui};
    MainWindow window{form, ui, commands(), table};

    PlaceWindow() {
        form.isShapeMode = [this] {
            return set->shapeMode;
        };
        QObject::connect(table, &tessara::Tessara::MouseDown, table,
                         [this](short, short, float x, float y) { gridMouseDown(ctx, x, y); });
        form.startUp();
        formataGrid(table->model());
        window.resize(1366, 740);
        window.show();
    }

    MainCommands commands() {
        MainCommands c;
        c.openFile = [this] {
            carregaKML(ctx);
        };
        c.rowButton = [this](int i) {
            comRowClick(ctx, i);
        };
        c.filterButton = [this](int i) {
            comFilterClick(ctx, i);
        };
        return c;
    }

    QString label(const char* name) {
        return qobject_cast<QLabel*>(window.controlWidget(QString::fromLatin1(name)))->text();
    }
    QString cell(int r, int c) { return table->model().TextMatrix(r, c); }
    void click(const char* name) {
        QTest::mouseClick(window.controlWidget(QString::fromLatin1(name)), Qt::LeftButton);
    }
    // The grid draws its cells on the viewport of a scroll area.
    void clickHeader(int x) {
        auto* area = qobject_cast<QAbstractScrollArea*>(table->grid());
        QTest::mouseClick(area ? area->viewport() : table->grid(), Qt::LeftButton, {}, QPoint(x, 4));
    }
    void type(const char* box, const char* text) {
        auto* edit = qobject_cast<QLineEdit*>(window.controlWidget(QString::fromLatin1(box)));
        QTest::keyClicks(edit, text);
    }
};

} // namespace

TEST(PlaceTableWindow, OpenedFileShowsInTheTableAndTheLabels) {
    test::app();
    QTemporaryDir dir;
    PlaceWindow w;
    const QString path = test::writePlaces(dir);
    w.ui.fileAnswers.push_back(path);
    w.window.menuAction("menuOpen")->trigger();
    EXPECT_EQ(w.label("Label4"), "Current file: " + path);
    EXPECT_EQ(w.label("lblNPlaces"), "N.places: 3");
    EXPECT_TRUE(w.window.controlWidget("lblNPlaces")->isVisible());
    EXPECT_EQ(w.label("lblProg"), "");
    EXPECT_EQ(w.cell(1, 0), "38.7167");
    EXPECT_EQ(w.cell(3, 2), "Faro");
    // The filter and row buttons were enabled by the reader.
    for (const char* name : {"ComFilter_0", "txtVal_0", "comRow_0", "comRow_1"})
        EXPECT_TRUE(w.window.controlWidget(name)->isEnabled()) << name;
}

TEST(PlaceTableWindow, HeaderClicksSortThroughRealMouseEvents) {
    test::app();
    QTemporaryDir dir;
    PlaceWindow w;
    w.ui.fileAnswers.push_back(test::writePlaces(dir));
    w.window.menuAction("menuOpen")->trigger();
    struct Case {
        int x; // pixels at 96 dpi: 15 twips each
        int col;
        const char* header;
        const char* first;
    } cases[] = {
        {250, 3, "> Value", "Lisbon"}, // beyond 3635 twips: Value, largest first
        {250, 3, "< Value", "Faro"},   // again: smallest first
        {100, 1, "> Longitude", "Faro"},
        {20, 0, "> Latitude", "Porto"},
    };
    for (const Case& c : cases) {
        w.clickHeader(c.x);
        EXPECT_EQ(w.cell(0, c.col), c.header) << c.x;
        EXPECT_EQ(w.cell(1, 2), c.first) << c.x;
    }
    // Only the last sorted column keeps its mark.
    EXPECT_EQ(w.cell(0, 3), "Value");
}

TEST(PlaceTableWindow, RowButtonsAndFilterUpdateTheCount) {
    test::app();
    QTemporaryDir dir;
    PlaceWindow w;
    w.ui.fileAnswers.push_back(test::writePlaces(dir));
    w.window.menuAction("menuOpen")->trigger();

    w.type("txtVal_0", "200");
    w.click("ComFilter_0"); // values of at least 200: Lisbon and Porto
    EXPECT_EQ(w.label("lblNPlaces"), "N.places: 2");
    EXPECT_EQ(w.cell(1, 2), "Lisbon");
    EXPECT_EQ(w.cell(2, 2), "Porto");

    w.click("ComFilter_1"); // Remove: every place back, boxes emptied
    EXPECT_EQ(w.label("lblNPlaces"), "N.places: 3");
    EXPECT_EQ(qobject_cast<QLineEdit*>(w.window.controlWidget("txtVal_0"))->text(), "");

    w.click("comRow_0"); // Insert row: appended at the end
    EXPECT_EQ(w.label("lblNPlaces"), "N.places: 4");
    EXPECT_EQ(w.table->model().Rows(), 5);
}

TEST(PlaceTableWindow, PastedGridFromACommaDecimalSpreadsheet) {
    test::app();
    QTemporaryDir dir;
    PlaceWindow w;
    // The paste button is enabled once a place set was read.
    EXPECT_FALSE(w.window.controlWidget("comRow_2")->isEnabled());
    w.ui.fileAnswers.push_back(test::writePlaces(dir));
    w.window.menuAction("menuOpen")->trigger();
    // What QtUi hands over from a German spreadsheet after its rewrite.
    w.ui.clipboard = "Lisbon\t38.7167\t-9.1333\t547\r\nPorto\t41.15\t-8.6167\t237.5\r\n";
    w.click("comRow_2");
    EXPECT_EQ(w.label("Label4"), "Current file: Clipboard");
    EXPECT_EQ(w.label("lblNPlaces"), "N.places: 2");
    EXPECT_EQ(w.cell(2, 0), "41.15");
    EXPECT_EQ(w.cell(2, 3), "237.5");
}
