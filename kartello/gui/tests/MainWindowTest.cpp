#include "gui/MainWindow.h"
#include "GuiTestMain.h"
#include "form/ControlNames.h"
#include "form/FormModel.h"
#include "form/RunChecks.h"
#include "gui/ColorSwatch.h"
#include "gui/DecimalGuard.h"
#include "gui/ScaleStrip.h"
#include "gui/TitlePreview.h"
#include "runtime/testing/FakeUi.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <clocale>
#include <gtest/gtest.h>
#include <tessara/Tessara.h>

using namespace kartello;
using namespace kartello::gui;

namespace {

// A window on a fresh form model, started as the program starts it, with the
// "Run" command doing its option checks.
struct Window {
    FakeUi ui;
    FormModel form{ui};
    int runsPassed = 0;
    MainWindow window{form, ui, commands(), new tessara::Tessara};

    Window() {
        form.startUp();
        window.resize(1366, 740);
        window.show();
    }

    MainCommands commands() {
        MainCommands c;
        c.run = [this] {
            if (runChecks(form, ui))
                ++runsPassed;
        };
        c.helpPath = QStringLiteral("/opt/kartello/help/kartello-help.html");
        // Preset n: every entry n * 1000; the title: a box the size of its text.
        c.presetScale = [](int preset) {
            return QVector<Rgb>(256, Rgb(preset * 1000));
        };
        c.titleImage = [this] {
            QImage image(10 * int(form.text(ctl::Text1_0).size()) + 10, 30, QImage::Format_RGB32);
            image.fill(Qt::white);
            return image;
        };
        return c;
    }

    template <typename T> T* get(const char* name) {
        T* widget = qobject_cast<T*>(window.controlWidget(QString::fromLatin1(name)));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    void click(const char* name) { QTest::mouseClick(get<QWidget>(name), Qt::LeftButton, {}, QPoint(4, 4)); }
    void run() { window.menuAction("menuRun")->trigger(); }
    bool shown(const char* name) { return !get<QWidget>(name)->isHidden(); }
};

} // namespace

TEST(MainWindow, StartsWithNoGraphTypeAndTheListsFilled) {
    test::app();
    Window w;
    EXPECT_FALSE(w.get<QRadioButton>("Option1_0")->isChecked());
    EXPECT_FALSE(w.get<QRadioButton>("Option1_1")->isChecked());
    EXPECT_TRUE(w.get<QRadioButton>("Option3_0")->isChecked());
    EXPECT_TRUE(w.get<QRadioButton>("Option4_0")->isChecked());
    EXPECT_TRUE(w.get<QRadioButton>("Option5_0")->isChecked());
    EXPECT_EQ(w.get<QLabel>("lblSelected")->text(), "Selected: 1");
    EXPECT_EQ(w.get<QComboBox>("Combo1")->currentText(), "4");
    EXPECT_EQ(w.get<QComboBox>("Combo1")->count(), 9);
    EXPECT_EQ(w.get<QComboBox>("Combo2")->currentText(), "2");
    EXPECT_EQ(w.get<QComboBox>("Combo2")->count(), 9);
    EXPECT_EQ(w.get<QComboBox>("Combo3")->currentText(), "Unit");
    EXPECT_EQ(w.get<QComboBox>("Combo3")->itemText(0), "Centimers");
    EXPECT_EQ(w.get<QComboBox>("Combo4")->itemText(7), "Nautical miles");
    EXPECT_EQ(w.get<QGroupBox>("Frame8")->title(), "Size");
    EXPECT_EQ(w.get<QLabel>("Label4")->text(), "Current file: New File");
    EXPECT_TRUE(w.shown("chkOpen"));
    EXPECT_FALSE(w.shown("Picture2"));
    EXPECT_EQ(w.window.controlWidget("Grid1")->objectName(), "Grid1");
}

TEST(MainWindow, EveryControlHasItsWidgetUnderItsName) {
    test::app();
    Window w;
    for (const QString& name : w.form.controlNames()) {
        QWidget* widget = w.window.controlWidget(name);
        ASSERT_NE(widget, nullptr) << name.toStdString();
        EXPECT_EQ(widget->objectName(), name);
        const Control& c = w.form.control(name);
        EXPECT_EQ(!widget->isHidden(), c.visible) << name.toStdString();
        EXPECT_EQ(widget->isEnabled(), c.enabled) << name.toStdString();
    }
}

TEST(MainWindow, OptionClicksShowAndHideFramesThroughTheModel) {
    test::app();
    struct Case {
        std::vector<const char*> clicks;
        std::vector<const char*> shown;
        std::vector<const char*> hidden;
    } cases[] = {
        {{"Option1_0"}, {"Frame1", "Frame2", "Frame3"}, {"Frame12", "Frame13"}},
        {{"Option1_0", "Option1_1"}, {"Frame11", "Frame12", "Frame13"}, {}},
        {{"Option3_1"}, {"Label1_7", "txtRaio", "Label1_8", "Combo3"}, {"chKAutoCircleSize", "TxtCircRaio"}},
        {{"Option3_1", "Option3_0"}, {"chKAutoCircleSize", "TxtCircRaio"}, {"txtRaio", "Combo3"}},
        {{"Option5_1"}, {"txtHeight", "Combo4"}, {"chkAutom", "txtHeightPoly", "txtHeightFixed"}},
        {{"Option4_1"}, {"chkFillCS", "Picture1_6", "Frame6"}, {"Frame7"}},
        {{"chkNothing"}, {}, {"Option1_0", "Option1_1", "Frame7", "Frame8", "Frame13", "Combo1"}},
        {{"chKCScale"}, {"Option7_0", "Option7_1"}, {}},
    };
    for (const Case& c : cases) {
        Window w;
        for (const char* name : c.clicks)
            w.click(name);
        for (const char* name : c.shown)
            EXPECT_TRUE(w.shown(name)) << name << " after " << c.clicks.back();
        for (const char* name : c.hidden)
            EXPECT_FALSE(w.shown(name)) << name << " after " << c.clicks.back();
    }
}

TEST(MainWindow, CheckBoxesFollowTheirRules) {
    test::app();
    Window w;
    w.click("chkLog");
    w.click("chkSqr");
    EXPECT_FALSE(w.get<QCheckBox>("chkLog")->isChecked());
    EXPECT_TRUE(w.get<QCheckBox>("chkSqr")->isChecked());
    w.click("autoColoScale");
    EXPECT_FALSE(w.get<QLineEdit>("txtcsMIN")->isEnabled());
    EXPECT_FALSE(w.get<QLineEdit>("txtcsMAX")->isEnabled());
    // "Outline" cleared ticks "Fill" again: one of the two is always on.
    w.click("chkOutlineCS");
    EXPECT_FALSE(w.get<QCheckBox>("chkOutlineCS")->isChecked());
    EXPECT_TRUE(w.get<QCheckBox>("chkFillCS")->isChecked());
    EXPECT_FALSE(w.shown("Picture1_7"));
}

TEST(MainWindow, RunChecksReachThePersonAsWarnings) {
    test::app();
    struct Case {
        std::vector<const char*> clicks;
        const char* message;
        const char* focus;
    } cases[] = {
        {{}, "Please choose an option (flat or 3D)", ""},
        {{"Option1_1", "Option3_1"}, "Please choose an scale option for polygon size", "Combo3"},
        {{"Option1_1", "Option5_1"}, "Please choose an scale option for height", "Combo4"},
    };
    for (const Case& c : cases) {
        Window w;
        QApplication::setActiveWindow(&w.window);
        for (const char* name : c.clicks)
            w.click(name);
        w.run();
        ASSERT_FALSE(w.ui.messages.empty());
        EXPECT_EQ(w.ui.messages.back().text, c.message);
        EXPECT_EQ(w.ui.messages.back().title, "Warning");
        EXPECT_EQ(w.ui.messages.back().icon, MsgIcon::Exclamation);
        EXPECT_EQ(w.runsPassed, 0);
        if (*c.focus) {
            EXPECT_EQ(QApplication::focusWidget(), w.window.controlWidget(c.focus)) << c.focus;
        }
    }
}

TEST(MainWindow, RunPassesWithAllOptionsChosen) {
    test::app();
    Window w;
    w.click("Option1_1");
    w.run();
    EXPECT_EQ(w.runsPassed, 1);
    EXPECT_TRUE(w.ui.messages.empty());
    // The hourglass for the whole command.
    EXPECT_EQ(w.ui.busyChanges, (std::vector<bool>{true, false}));
    // Picking a unit from the list sets its factor.
    w.click("Option5_1");
    w.get<QComboBox>("Combo4")->activated(2);
    EXPECT_NEAR(w.form.heightUnitFactor(), 999.9976, 1e-4);
    w.get<QLineEdit>("txtHeight")->setText("0");
    w.get<QLineEdit>("txtHeight")->textEdited("0");
    w.run();
    EXPECT_EQ(w.runsPassed, 2);
}

TEST(MainWindow, PassingRunLeavesTheFocusWhereItIs) {
    test::app();
    Window w;
    QApplication::setActiveWindow(&w.window);
    w.click("Option1_1");
    w.click("Option3_1");
    w.run(); // no unit: the focus goes to the unit list
    EXPECT_EQ(QApplication::focusWidget(), w.window.controlWidget("Combo3"));
    w.get<QComboBox>("Combo3")->activated(1);
    w.get<QLineEdit>("txtRaio")->setText("2");
    w.get<QLineEdit>("txtRaio")->textEdited("2");
    w.get<QLineEdit>("Text1_0")->setFocus();
    w.run();
    EXPECT_EQ(w.runsPassed, 1);
    EXPECT_EQ(QApplication::focusWidget(), w.window.controlWidget("Text1_0"));
}

TEST(MainWindow, SidesListWarnsAboutOneSegmentAndResetsLetters) {
    test::app();
    struct Case {
        const char* typed;
        const char* textAfter;
        bool warned;
    } cases[] = {{"1", "1", true}, {"ab", "20", false}, {"10", "10", false}};
    for (const Case& c : cases) {
        Window w;
        QLineEdit* edit = w.get<QComboBox>("Combo1")->lineEdit();
        edit->selectAll();
        QTest::keyClicks(edit, c.typed);
        QTest::keyClick(edit, Qt::Key_Return);
        EXPECT_EQ(w.get<QComboBox>("Combo1")->currentText(), c.textAfter) << c.typed;
        EXPECT_EQ(w.form.text(ctl::Combo1), c.textAfter) << c.typed;
        ASSERT_EQ(w.ui.messages.size(), c.warned ? 1u : 0u) << c.typed;
        if (c.warned) {
            EXPECT_EQ(w.ui.messages[0].title, "Segments");
            EXPECT_TRUE(
                w.ui.messages[0].text.startsWith("Number of sides invalid.\r\n\r\n1 segment => nothing"));
        }
    }
}

TEST(MainWindow, SwatchTakesTheColourDialogResult) {
    test::app();
    Window w;
    auto* swatch = w.get<ColorSwatch>("Picture1_1");
    const QColor before = swatch->color();
    w.ui.colorAnswers.push_back(std::nullopt); // cancelled: nothing changes
    w.click("Picture1_1");
    EXPECT_EQ(swatch->color(), before);
    w.ui.colorAnswers.push_back(Rgb(255)); // pure red
    w.click("Picture1_1");
    EXPECT_EQ(swatch->color(), QColor(255, 0, 0));
    EXPECT_EQ(w.form.backColor(ctl::Picture1_1), 255u);
}

TEST(MainWindow, PresetScaleClickMovesTheBorder) {
    test::app();
    Window w;
    w.click("Image2_3");
    EXPECT_EQ(w.get<QLabel>("lblSelected")->text(), "Selected: 4");
    EXPECT_TRUE(w.get<ScaleStrip>("Image2_3")->isSelected());
    EXPECT_FALSE(w.get<ScaleStrip>("Image2_0")->isSelected());
    EXPECT_EQ(w.form.colorScaleChoice(), 4);
    // Image2(i) shows preset i + 1.
    EXPECT_EQ(QColor(w.get<ScaleStrip>("Image2_0")->colors().front()), colorFromValue(1000));
    EXPECT_EQ(QColor(w.get<ScaleStrip>("Image2_4")->colors().back()), colorFromValue(5000));
    w.click("Picture4");
    EXPECT_EQ(w.get<QLabel>("lblSelected")->text(), "Selected: 8");
}

TEST(MainWindow, TitlePreviewAsksForATitleThenShowsIt) {
    test::app();
    Window w;
    w.click("comPreviewTitle");
    ASSERT_EQ(w.ui.messages.size(), 1u);
    EXPECT_EQ(w.ui.messages[0].text, "Enter the title of the graph ");
    EXPECT_EQ(w.ui.messages[0].title, "Pilastro");
    EXPECT_EQ(w.ui.messages[0].icon, MsgIcon::Information);
    EXPECT_FALSE(w.shown("Picture2"));

    QTest::keyClicks(w.get<QLineEdit>("Text1_0"), "Rainfall");
    w.click("comPreviewTitle");
    EXPECT_TRUE(w.shown("Picture2"));
    EXPECT_EQ(w.get<TitlePreview>("Picture2")->pixmap().width(), 90);
    w.click("Label8");
    EXPECT_FALSE(w.shown("Picture2"));
    EXPECT_FALSE(w.form.isVisible(ctl::Picture2));
}

TEST(MainWindow, MenusCarryTheirCaptionsAndShortcuts) {
    test::app();
    Window w;
    struct Case {
        const char* action;
        const char* caption;
        QKeySequence key;
    } cases[] = {
        {"menuNew", "New", QKeySequence(Qt::CTRL | Qt::Key_N)},
        {"menuOpen", "Open file", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"menuSaveTxt", "Save txt  (csv)", {}},
        {"menuExport", "Export Grid to Excel", {}},
        {"menuLoadOptions", "Load options", {}},
        {"menuSaveOptions", "Save options", {}},
        {"menuExit", "Exit", QKeySequence(Qt::CTRL | Qt::Key_Q)},
        {"menuRun", "Run", QKeySequence(Qt::Key_F5)},
        {"menuHelpItem", "Help", QKeySequence(Qt::Key_F1)},
        {"menuAbout", "About", {}},
    };
    for (const Case& c : cases) {
        QAction* a = w.window.menuAction(c.action);
        ASSERT_NE(a, nullptr) << c.action;
        EXPECT_EQ(a->text(), c.caption);
        EXPECT_EQ(a->shortcut(), c.key) << c.action;
    }
    w.window.menuAction("menuHelpItem")->trigger();
    EXPECT_EQ(w.ui.opened, std::vector<QString>{"/opt/kartello/help/kartello-help.html"});
}

TEST(MainWindow, FitsTheSmallScreenAndRendersToAnImage) {
    test::app();
    Window w;
    const QSize minimum = w.window.minimumSizeHint();
    EXPECT_LE(minimum.width(), 1366);
    EXPECT_LE(minimum.height(), 768);
    // At the usual font every frame is in view at 1366 x 768 without scrolling.
    EXPECT_LE(w.window.sizeHint().width(), 1366);
    EXPECT_LE(w.window.sizeHint().height(), 768);
    const QImage shot = w.window.grab().toImage();
    ASSERT_FALSE(shot.isNull());
    EXPECT_EQ(shot.size(), w.window.size());
    const QString path = QDir::temp().filePath("kartello-main-window.png");
    EXPECT_TRUE(shot.save(path, "PNG"));
    EXPECT_FALSE(QImage(path).isNull());
}

TEST(MainWindow, ExitRestoresTheNumberSettingsAndClosesTheOtherWindows) {
    test::app();
    const std::string before = std::setlocale(LC_NUMERIC, nullptr);
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        GTEST_SKIP() << "de_DE.UTF-8 is not generated on this machine";
    Window w;
    DecimalGuard guard;
    guard.setMDSettings();
    w.window.setGuard(&guard);
    QWidget other;
    other.show();
    w.window.menuAction("menuExit")->trigger();
    EXPECT_FALSE(w.window.isVisible());
    EXPECT_FALSE(other.isVisible());
    EXPECT_EQ(std::string(std::setlocale(LC_NUMERIC, nullptr)), "de_DE.UTF-8");
    std::setlocale(LC_NUMERIC, before.c_str());
    QLocale::setDefault(QLocale::c());
}

TEST(MainWindow, TabOrderFollowsTheFrames) {
    test::app();
    Window w;
    w.click("Option1_1"); // every frame shown
    // Walk the focus chain from the table and note where each control comes.
    QStringList chain;
    QWidget* start = w.window.controlWidget("Grid1");
    for (QWidget* next = start->nextInFocusChain(); next && next != start; next = next->nextInFocusChain())
        if (!next->objectName().isEmpty())
            chain << next->objectName();
    const QStringList expected = {"comRow_0",  "txtLat_0",        "ComFilter_1", "Option1_0",      "Combo1",
                                  "Option3_0", "TxtCircRaio",     "Option5_1",   "txtHeightFixed", "chkLog",
                                  "Option4_0", "chkOutlineCS",    "Picture1_7",  "Image2_0",       "Image2_6",
                                  "Image1_1",  "txtcsMAX",        "Option2_0",   "Combo2",         "chkGrid",
                                  "Text1_0",   "comPreviewTitle", "chkOpen",     "chkNothing"};
    qsizetype last = -1;
    for (const QString& name : expected) {
        const qsizetype at = chain.indexOf(name);
        EXPECT_GT(at, last) << name.toStdString();
        last = at;
    }
}

TEST(MainWindow, LargerFontStillFitsTheSmallScreen) {
    test::app();
    const QFont normal = QApplication::font();
    QFont large = normal;
    large.setPointSizeF(normal.pointSizeF() * 1.5);
    QApplication::setFont(large);
    {
        Window w;
        const QSize minimum = w.window.minimumSizeHint();
        EXPECT_LE(minimum.width(), 1366);
        EXPECT_LE(minimum.height(), 768);
        // The frames keep their size: the option panel scrolls instead.
        EXPECT_GE(w.window.controlWidget("Frame7")->height(),
                  w.window.controlWidget("Frame7")->minimumSizeHint().height());
    }
    QApplication::setFont(normal);
}
