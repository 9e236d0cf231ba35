#include "Fakes.h"
#include "GuiTestApp.h"
#include "TempStore.h"
#include "gui/QtWindows.h"
#include "gui/frmDisplay.h"
#include "gui/frmMain.h"
#include "gui/frmProgress.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include <filesystem>

namespace sigillo {
namespace {

using test::FakeUi;
using test::ScriptedDialog;
using test::TempStore;

class MainWindowTest : public testing::Test {
protected:
    MainWindowTest()
        : registrator(ui), activeX(ui), form(ui, dialog, registrator, activeX, store.dir()),
          window(form, gridInfo, gridComparison, display) {
        gridInfo.Init();
        gridComparison.Init();
        activeX.Init(gridInfo, gridComparison);
        window.Load(QStringLiteral("Sigillo v2.2 Build 2"));
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    void Click(Command* button) {
        QTest::mouseMove(&window, QPoint(1, 1));
        QTest::mouseMove(button, button->rect().center());
        QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    }

    QApplication& app = test::TestApp(); // before any widget
    TempStore store;
    FakeUi ui;
    ScriptedDialog dialog;
    clsRegistrator registrator;
    clsGrid gridInfo;
    clsGrid gridComparison;
    clsActiveX activeX;
    MainWindowModel form;
    frmDisplay display;
    frmMain window;
};

TEST_F(MainWindowTest, TabsCarryTheirCaptionsAndControls) {
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Sigillo v2.2 Build 2"));
    ASSERT_EQ(window.XTab1->count(), 3);
    EXPECT_EQ(window.XTab1->tabText(0), QStringLiteral("Sigillo && File Info"));
    EXPECT_EQ(window.XTab1->tabText(1), QStringLiteral("File Comparison"));
    EXPECT_EQ(window.XTab1->tabText(2), QStringLiteral("Options && Help"));
    const std::pair<const char*, const char*> buttons[] = {
        // Every button with a letter carries an access key of its own.
        {"cmdBrowse", "&Browse"},     {"cmdReg", "&Register ActiveX"}, {"cmdUnReg", "&Unregister ActiveX"},
        {"cmdSelectOne", "..."},      {"cmdSelectTwo", "..."},         {"cmdReadme", "Rea&dme.txt"},
        {"cmdWeb", "&Visit Website"}, {"cmdShellEX", "&Enable"},
    };
    for (const auto& [name, caption] : buttons) {
        auto* button = window.findChild<Command*>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        EXPECT_EQ(button->Caption(), QString::fromLatin1(caption)) << name;
        EXPECT_TRUE(button->mouseTimer().isActive()) << name;
    }
    for (const char* name : {"frmFile", "Frame1", "frmFileOne", "frmFileTwo", "frmComparison"})
        EXPECT_NE(window.findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
    EXPECT_EQ(window.picTabIcon.size(), 9u);
    EXPECT_EQ(window.lblShell->text(), QString::fromLatin1(kShellLabelAtLoad));
    EXPECT_EQ(window.gridinfo->toolTip(), QStringLiteral("Double Click for more info"));
    EXPECT_EQ(window.gridcomparison->toolTip(), QStringLiteral("Double Click for more info"));
}

TEST_F(MainWindowTest, BrowseButtonFillsFileBoxAndGrid) {
    const std::string file = store.write("plain.dll");
    dialog.choices.push_back(file);
    Click(window.cmdBrowse);
    EXPECT_EQ(window.txtFile->text(), QString::fromStdString(file));
    const QAbstractItemModel* model = window.gridinfo->model();
    ASSERT_EQ(model->rowCount(), 18);
    EXPECT_EQ(model->index(0, 0).data().toString(), QStringLiteral("File Info"));
    EXPECT_EQ(model->index(1, 0).data().toString(), QStringLiteral("CompanyName: "));
    // Header rows alternate: the system colour first, then the orange one.
    EXPECT_EQ(model->index(0, 0).data(Qt::BackgroundRole).value<QColor>(), GridColour(0x80000001u));
    EXPECT_EQ(model->index(10, 1).data(Qt::BackgroundRole).value<QColor>(), QColor(0xFC, 0x9C, 0x1B));
    EXPECT_EQ(model->index(10, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::white));
    EXPECT_FALSE(model->index(1, 0).data(Qt::BackgroundRole).isValid());
    EXPECT_EQ(window.gridinfo->columnWidth(0), 133); // 2000 twips
    EXPECT_GE(window.gridinfo->columnWidth(1), 280); // 4200 twips at least
}

TEST_F(MainWindowTest, TypedFileBoxReachesTheModel) {
    QTest::keyClicks(window.txtFile, "typed.dll");
    EXPECT_EQ(form.txtFile, "typed.dll");
}

TEST_F(MainWindowTest, DoubleClickedCellOpensDetailWindowModally) {
    dialog.choices.push_back(store.write("plain.dll"));
    Click(window.cmdBrowse);
    QString shown;
    bool wasModal = false;
    QTimer::singleShot(0, [&] {
        shown = display.txtinfo->toPlainText();
        wasModal = display.isModal() && display.isVisible();
        display.accept();
    });
    const QRect cell = window.gridinfo->visualRect(window.gridinfo->model()->index(1, 0));
    QTest::mouseDClick(window.gridinfo->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_TRUE(wasModal);
    EXPECT_EQ(shown, QStringLiteral("CompanyName: "));
    EXPECT_EQ(display.windowTitle(), QStringLiteral("selection info"));
}

TEST_F(MainWindowTest, EmptyAreaDoubleClickNamesNearestCell) {
    dialog.choices.push_back(store.write("plain.dll"));
    Click(window.cmdBrowse);
    const auto [row, col] = window.gridinfo->CellAt(QPoint(5, 100000));
    EXPECT_EQ(row, 17);
    EXPECT_EQ(col, 0);
    EXPECT_EQ(window.gridinfo->CellText(row, col), QStringLiteral("Flags: "));
}

TEST_F(MainWindowTest, ShellButtonCaptionAndLabelFollowEnableAndDisable) {
    window.XTab1->setCurrentIndex(2);
    EXPECT_EQ(window.cmdShellEX->Caption(), QStringLiteral("&Enable"));
    EXPECT_EQ(window.lblShell->text(),
              QStringLiteral("Extensions are Disabled. Click Enable to create Shell Extensions"));
    Click(window.cmdShellEX);
    EXPECT_EQ(window.cmdShellEX->Caption(), QStringLiteral("&Disable"));
    EXPECT_EQ(window.lblShell->text(),
              QStringLiteral("Extensions are Enabled. Click Disable to remove Shell Extensions"));
    window.XTab1->setCurrentIndex(0);
    window.XTab1->setCurrentIndex(2);
    EXPECT_EQ(window.cmdShellEX->Caption(), QStringLiteral("&Disable"));
    Click(window.cmdShellEX);
    EXPECT_EQ(window.cmdShellEX->Caption(), QStringLiteral("&Enable"));
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].text, "Shell Extensions Disabled!");
}

TEST_F(MainWindowTest, FocusedButtonIsPressedWithSpaceOrEnterAndAccessKeys) {
    for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) {
        dialog.choices.push_back(store.write("plain.dll"));
        window.cmdBrowse->setFocus();
        QTest::keyClick(window.cmdBrowse, key);
        EXPECT_EQ(dialog.opened, 1) << key;
        dialog.opened = 0;
    }
    QTest::keyClick(&window, Qt::Key_B, Qt::AltModifier);
    EXPECT_EQ(dialog.opened, 1);
}

TEST_F(MainWindowTest, ComparisonVerdictIsShownWhole) {
    dialog.choices = {std::string(SIGILLO_FIXTURES) + "/demo32.dll",
                      std::string(SIGILLO_FIXTURES) + "/demo64.dll"};
    window.XTab1->setCurrentIndex(1);
    Click(window.cmdSelectOne);
    Click(window.cmdSelectTwo);
    const QAbstractItemModel* model = window.gridcomparison->model();
    ASSERT_GT(model->rowCount(), 1);
    const QString verdict = model->index(1, 0).data().toString();
    EXPECT_EQ(verdict, QStringLiteral("The Files Are Diferent!"));
    EXPECT_GE(window.gridcomparison->columnWidth(0),
              window.gridcomparison->fontMetrics().horizontalAdvance(verdict));
}

TEST_F(MainWindowTest, PictureButtonSwitchesTab) {
    TabIcon* toOptions = window.picTabIcon[2]; // index 3 on the first page
    ASSERT_EQ(toOptions->index(), 3);
    QTest::mouseClick(toOptions, Qt::LeftButton, {}, toOptions->rect().center());
    EXPECT_EQ(window.XTab1->currentIndex(), 2);
    EXPECT_EQ(form.XTab1, 2);
}

TEST(DetailWindow, TextBoxFillsTheWindowWhenResized) {
    test::TestApp();
    frmDisplay display;
    display.show();
    display.resize(500, 300);
    QCoreApplication::processEvents();
    EXPECT_EQ(display.txtinfo->geometry(), display.rect());
}

TEST(ProgressWindow, RefusesCloseAndCancelSetsFlag) {
    test::TestApp();
    std::atomic<bool> cancel{false};
    frmProgress progress(cancel);
    ReportProgressView& view = progress;
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&progress));
    EXPECT_FALSE(progress.close());
    EXPECT_TRUE(progress.isVisible());
    QTest::keyClick(&progress, Qt::Key_Escape);
    EXPECT_TRUE(progress.isVisible());
    view.progressBar().setMax(4);
    view.progressBar().setValue(2);
    view.setCurrentFile("a.dll");
    EXPECT_EQ(progress.ProgressBar1->value(), 2);
    EXPECT_EQ(progress.lblFile->text(), QStringLiteral("a.dll"));
    QTest::mouseMove(progress.cmdCancel, progress.cmdCancel->rect().center());
    QTest::mouseClick(progress.cmdCancel, Qt::LeftButton, {}, progress.cmdCancel->rect().center());
    EXPECT_TRUE(cancel);
    view.hide();
}

// The program with its real windows, as started from a desktop, on a store of its own.
struct WindowProgram {
    bool appStarted = (test::TestApp(), true); // before any widget
    TempStore store;
    QtUi ui;
    QtOpenFileDialog dialog;
    QtWindows windows{ui, dialog, {2, 2, 2}};
    Program program{ui, dialog, windows, store.dir()};
    WindowProgram() {
        program.sleep = [](int) {
        };
        windows.attach(program);
    }
};

TEST(OneShotWindows, ShellSwitchLeavesNoWindow) {
    WindowProgram p;
    EXPECT_EQ(p.program.Main("-s"), kExitDone);
    ASSERT_NE(p.windows.main(), nullptr);
    EXPECT_EQ(p.windows.main()->windowTitle(), QStringLiteral("Sigillo v2.2 Build 2"));
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
}

TEST(WindowRun, EndsWhenMainWindowCloses) {
    WindowProgram p;
    EXPECT_FALSE(p.program.Main("").has_value());
    ASSERT_TRUE(p.windows.main()->isVisible());
    EXPECT_EQ(p.windows.main()->XTab1->currentIndex(), 0);
    QTimer::singleShot(0, p.windows.main(), [&] { p.windows.main()->close(); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(p.windows.main()->isVisible());
}

TEST(FolderReport, RunsBehindProgressWindowAndHidesIt) {
    test::TestApp();
    TempStore store;
    store.write("components/sub/a.dll");
    store.write("components/b.ocx");
    QtUi owner;
    QtOpenFileDialog dialog;
    QtWindows windows(owner, dialog, {2, 2, 2});
    FakeUi ui;
    Program program(ui, dialog, windows, store.dir());
    windows.attach(program);
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(store.dir());
    const ReportOutcome outcome = program.CreateReport(store.dir() + "components");
    std::filesystem::current_path(previous);
    EXPECT_EQ(outcome, ReportOutcome::Completed);
    auto* progress = dynamic_cast<frmProgress*>(windows.Progress());
    ASSERT_NE(progress, nullptr);
    EXPECT_FALSE(progress->isVisible());
    EXPECT_EQ(progress->ProgressBar1->maximum(), 2);
    EXPECT_EQ(progress->ProgressBar1->value(), 2);
    EXPECT_EQ(progress->lblFile->text(), QStringLiteral("b.ocx"));
    ASSERT_EQ(ui.shellCalls.size(), 1u);
    EXPECT_EQ(ui.shellCalls[0].file, store.dir() + "output.txt");
}

TEST(OneShotProcess, ShellSwitchEndsProcessWithStatusZero) {
    test::TestApp();
    TempStore store;
    QProcess sigillo;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("SIGILLO_REGISTRY"), QString::fromStdString(store.storePath()));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    sigillo.setProcessEnvironment(env);
    sigillo.start(QStringLiteral(SIGILLO_PROGRAM), {QStringLiteral("-s")});
    ASSERT_TRUE(sigillo.waitForFinished(20000));
    EXPECT_EQ(sigillo.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(sigillo.exitCode(), 0);
    clsRegistry registry;
    registry.setClassKey(kClassesRoot);
    registry.setSectionKey("dllfile\\shell\\Register");
    EXPECT_TRUE(registry.KeyExists());
    // The file managers' entries too, calling this very program.
    std::ifstream entry(store.dir() + "data/applications/sigillo-component.desktop");
    std::string text((std::istreambuf_iterator<char>(entry)), std::istreambuf_iterator<char>());
    EXPECT_NE(
        text.find("\nExec=" + QFileInfo(QStringLiteral(SIGILLO_PROGRAM)).absoluteFilePath().toStdString() +
                  " -r %f\n"),
        std::string::npos)
        << text;
}

} // namespace
} // namespace sigillo
