#include "session/Main.h"
#include "form/ControlNames.h"
#include "runtime/testing/FakeUi.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kartello;

TEST(Main, FormLoadLaysOutAnEmptyTable) {
    FakeUi ui;
    Main m(ui);
    m.formLoad();
    EXPECT_EQ(m.grid.Rows(), 2);
    EXPECT_EQ(m.grid.TextMatrix(0, 2), "Place/WP name");
    EXPECT_FALSE(m.places.dataLoaded);
    EXPECT_EQ(m.form.caption(ctl::Frame8), "Size");
    EXPECT_TRUE(ui.messages.empty());
}

TEST(Main, OpenFileResetsSizeCaptionAndReadsTheChosenFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("cities.txt");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("A,1,2,3\r\nB,4,5,6\r\n");
    f.close();
    FakeUi ui;
    Main m(ui);
    m.formLoad();
    m.form.setCaption(ctl::Frame8, "Size (km)");
    ui.fileAnswers.push_back(path);
    m.menuOpenFile();
    EXPECT_EQ(m.form.caption(ctl::Frame8), "Size");
    EXPECT_EQ(m.places.lastPlace, 1);
    EXPECT_EQ(m.grid.TextMatrix(2, 2), "B");
}

TEST(Main, ShapeModeReachesTheFormHandlers) {
    FakeUi ui;
    Main m(ui);
    m.formLoad();
    m.places.shapeMode = true;
    m.form.setCheck(ctl::chkNothing, 1);
    m.form.setCheck(ctl::chkNothing, 0);
    EXPECT_FALSE(m.form.isVisible(ctl::Frame8)); // shape layout applied again
}

TEST(Main, RunChecksAskForAGraphTypeFirst) {
    FakeUi ui;
    Main m(ui);
    m.formLoad();
    EXPECT_FALSE(m.menuRunChecks());
    EXPECT_EQ(ui.lastMessage(), "Please choose an option (flat or 3D)");
}
