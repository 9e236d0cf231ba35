// The window on the real session: a place file opened through the scripted
// open dialog, a header click on the table, "Run" and the scripted save dialog.
#include "gui/Desktop.h"
#include "GuiTestMain.h"
#include "graph/GraphState.h"
#include "runtime/testing/FakeUi.h"
#include "session/Main.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <tessara/Tessara.h>

using namespace kartello;
using namespace kartello::gui;

namespace {

struct Desktop {
    FakeUi ui;
    tessara::Tessara* table = new tessara::Tessara;
    Main main{ui, table->model()};
    GraphState state;
    MainWindow window{main.form, ui, sessionCommands(main, state), table};

    Desktop() {
        connectTable(*table, main);
        main.formLoad();
        window.resize(1366, 740);
        window.show();
    }

    QString label(const char* name) {
        return qobject_cast<QLabel*>(window.controlWidget(QString::fromLatin1(name)))->text();
    }
    void click(const char* name) {
        QTest::mouseClick(window.controlWidget(QString::fromLatin1(name)), Qt::LeftButton, {}, QPoint(4, 4));
    }
    // A click on the header row of the table, x pixels from its left edge; the
    // grid draws its cells on the viewport of a scroll area.
    void clickHeader(int x) {
        auto* area = qobject_cast<QAbstractScrollArea*>(table->grid());
        QTest::mouseClick(area ? area->viewport() : table->grid(), Qt::LeftButton, {}, QPoint(x, 4));
    }
};

} // namespace

TEST(Desktop, OpenSortRunAndSaveThroughTheWindow) {
    test::app();
    QTemporaryDir dir;
    Desktop d;
    const QString places = test::writePlaces(dir);

    d.ui.fileAnswers.push_back(places);
    d.window.menuAction("menuOpen")->trigger();
    ASSERT_EQ(d.ui.dialogs.size(), 1u);
    EXPECT_EQ(d.ui.dialogs[0].title, "Open");
    EXPECT_EQ(d.ui.dialogs[0].filter, "kml(*.kml)|*.kml|txt(*.txt)|*.txt|All files(*.*)|*.*|");
    EXPECT_EQ(d.label("Label4"), "Current file: " + places);
    EXPECT_EQ(d.label("lblNPlaces"), "N.places: 3");
    EXPECT_EQ(d.table->model().Rows(), 4);
    EXPECT_EQ(d.table->model().TextMatrix(1, 0), "38.7167");
    // The hourglass came and went around the command.
    ASSERT_FALSE(d.ui.busyChanges.empty());
    EXPECT_TRUE(d.ui.busyChanges.front());
    EXPECT_FALSE(d.ui.busy);

    // The "Value" header lies beyond 3635 twips (243 pixels at 96 dpi):
    // first click sorts largest first, the second smallest first.
    d.clickHeader(250);
    EXPECT_EQ(d.table->model().TextMatrix(0, 3), "> Value");
    EXPECT_EQ(d.table->model().TextMatrix(1, 2), "Lisbon");
    d.clickHeader(250);
    EXPECT_EQ(d.table->model().TextMatrix(0, 3), "< Value");
    EXPECT_EQ(d.table->model().TextMatrix(1, 2), "Faro");

    d.click("Option1_0");
    const QString graph = dir.filePath("portugal-graph.kml");
    d.ui.fileAnswers.push_back(graph);
    d.window.menuAction("menuRun")->trigger();
    ASSERT_EQ(d.ui.dialogs.size(), 2u) << d.ui.lastMessage().toStdString();
    EXPECT_EQ(d.ui.dialogs[1].title, "Save");
    EXPECT_EQ(d.ui.dialogs[1].filter, "kml (*.kml)|*.kml|kmz (*.kmz)|*.kmz");
    QFile saved(graph);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly)) << d.ui.lastMessage().toStdString();
    const QByteArray kml = saved.readAll();
    EXPECT_EQ(kml.count("<Placemark>"), 3);
    EXPECT_TRUE(kml.contains("<name>portugal-graph</name>"));
    EXPECT_TRUE(kml.contains("<altitudeMode>clampedToGround</altitudeMode>"));
}

TEST(Desktop, CancelledOpenChangesNothing) {
    test::app();
    Desktop d;
    d.ui.fileAnswers.push_back(std::nullopt);
    d.window.menuAction("menuOpen")->trigger();
    EXPECT_EQ(d.label("Label4"), "Current file: New File");
    EXPECT_TRUE(d.ui.messages.empty());
}
