#include "GuiTestMain.h"
#include "gui/AboutWindow.h"
#include "gui/ColorSwatch.h"
#include "gui/ScaleStrip.h"
#include "gui/TitlePreview.h"
#include "gui/WarningWindow.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace kartello::gui;

TEST(ColorSwatch, ClickReportsAndColourShows) {
    test::app();
    ColorSwatch swatch("Picture1_6");
    swatch.resize(40, 20);
    swatch.setColor(QColor(255, 0, 0));
    swatch.show();
    QSignalSpy clicked(&swatch, &ColorSwatch::clicked);
    QTest::mouseClick(&swatch, Qt::LeftButton);
    EXPECT_EQ(clicked.count(), 1);
    const QImage image = swatch.grab().toImage();
    EXPECT_EQ(image.pixelColor(20, 10), QColor(255, 0, 0));
    EXPECT_EQ(swatch.objectName(), "Picture1_6");
}

TEST(ColorSwatch, BorderOnlyWhileTheMouseIsOver) {
    test::app();
    ColorSwatch swatch("Picture1_1");
    swatch.resize(40, 20);
    swatch.setColor(QColor(0, 0, 255));
    swatch.show();
    const QColor edgeBefore = swatch.grab().toImage().pixelColor(1, 10);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(&swatch, &enter);
    const QColor edgeOver = swatch.grab().toImage().pixelColor(1, 10);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&swatch, &leave);
    const QColor edgeAfter = swatch.grab().toImage().pixelColor(1, 10);
    EXPECT_EQ(edgeBefore, QColor(0, 0, 255));
    EXPECT_NE(edgeOver, QColor(0, 0, 255));
    EXPECT_EQ(edgeAfter, QColor(0, 0, 255));
}

TEST(ColorValue, RedGreenBlueAsOneNumber) {
    struct Case {
        quint32 value;
        QColor color;
    } cases[] = {{255, QColor(255, 0, 0)},
                 {65280, QColor(0, 255, 0)},
                 {16711680, QColor(0, 0, 255)},
                 {197 + 256 * 112, QColor(197, 112, 0)},
                 {16777215, QColor(255, 255, 255)}};
    for (const Case& c : cases) {
        EXPECT_EQ(colorFromValue(c.value), c.color) << c.value;
        EXPECT_EQ(valueFromColor(c.color), c.value) << c.value;
    }
}

TEST(ScaleStrip, DrawsIndexZeroLeftAndReportsClicks) {
    test::app();
    ScaleStrip strip("Image2_0");
    strip.resize(260, 16);
    QVector<quint32> colors(256);
    for (int k = 0; k < 256; ++k)
        colors[k] = k < 128 ? 255u : 16711680u; // red half, then blue half
    strip.setColors(colors);
    strip.show();
    const QImage image = strip.grab().toImage();
    EXPECT_EQ(image.pixelColor(5, 8), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(254, 8), QColor(0, 0, 255));
    QSignalSpy clicked(&strip, &ScaleStrip::clicked);
    QTest::mouseClick(&strip, Qt::LeftButton);
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(strip.toolTip(), "Click to choose the color scale");
}

namespace {

// A window of the main window's shape: frames that accept the preview and one
// that does not.
struct DropScene {
    QWidget main;
    QGroupBox* frame2 = new QGroupBox("Title", &main);
    QGroupBox* frame9 = new QGroupBox("Color", &main);
    QLabel* inside = new QLabel("First line", frame2);
    TitlePreview* preview = new TitlePreview(&main);

    DropScene() {
        main.setObjectName("Main");
        frame2->setObjectName("Frame2");
        frame9->setObjectName("Frame9");
        inside->setObjectName("Label3");
        main.resize(600, 400);
        frame2->setGeometry(300, 10, 250, 150);
        frame9->setGeometry(300, 200, 250, 150);
        inside->setGeometry(20, 100, 100, 20);
        preview->setDropTargets({"Main", "Frame1", "Frame2", "Frame3", "Grid1"});
        QImage image(100, 40, QImage::Format_RGB32);
        image.fill(Qt::yellow);
        preview->setTitleImage(image);
        preview->move(10, 10);
        preview->show();
        main.show();
    }

    void drag(QPoint grab, QPoint dropInMain) {
        QTest::mousePress(preview, Qt::LeftButton, {}, grab);
        QMouseEvent move(QEvent::MouseMove, QPointF(preview->mapFromParent(dropInMain)),
                         QPointF(main.mapToGlobal(dropInMain)), Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(preview, &move);
        QTest::mouseRelease(preview, Qt::LeftButton, {}, preview->mapFromParent(dropInMain));
    }
};

} // namespace

TEST(TitlePreview, DropPlacesTheGrabPointWhereItWasDropped) {
    test::app();
    struct Case {
        QPoint drop;
        QPoint expectedTopLeft;
    } cases[] = {
        {{200, 300}, {195, 293}}, // the window itself
        {{320, 40}, {315, 33}},   // the title frame
        {{60, 110}, {55, 103}},   // the window again (left of the frames)
    };
    for (const Case& c : cases) {
        DropScene scene;
        scene.drag({5, 7}, c.drop);
        EXPECT_EQ(scene.preview->pos(), c.expectedTopLeft) << c.drop.x() << "," << c.drop.y();
    }
}

TEST(TitlePreview, DropOnAnotherControlGoesBack) {
    test::app();
    struct Case {
        QPoint drop;
    } cases[] = {{{320, 260}}, {{330, 115}}}; // the colour frame; a label inside the title frame
    for (const Case& c : cases) {
        DropScene scene;
        scene.drag({5, 7}, c.drop);
        EXPECT_EQ(scene.preview->pos(), QPoint(10, 10)) << c.drop.x() << "," << c.drop.y();
    }
}

TEST(TitlePreview, CloseLabelSitsTopRightAndReportsClicks) {
    test::app();
    DropScene scene;
    QLabel* label8 = scene.preview->closeLabel();
    EXPECT_EQ(label8->objectName(), "Label8");
    EXPECT_EQ(label8->geometry().right(), scene.preview->width() - 2);
    EXPECT_EQ(label8->y(), 1);
    QSignalSpy closed(scene.preview, &TitlePreview::closeClicked);
    QTest::mouseClick(label8, Qt::LeftButton);
    EXPECT_EQ(closed.count(), 1);
}

TEST(WarningWindow, ShowsTheTextsOfTheGuard) {
    test::app();
    WarningWindow form2;
    EXPECT_EQ(form2.objectName(), "Form2");
    EXPECT_EQ(form2.windowTitle(), "Vallora Warning Settings");
    const QString s = "\n\r\r";
    EXPECT_EQ(
        WarningWindow::messageText(),
        "Your system is not configured to use a period '.' as decimal separator." + s +
            "This is required to run Kartello." + s +
            "Click in <Proceed> to have Kartello automatically change your local settings. Your current "
            "settings will be restored when you exit the program." +
            s +
            "OR exit the program now; manually change the settings (Control Panel, Regional Settings, "
            "Numbers) and then open Kartello again." +
            s +
            "If you intend to copy data, into Kartello, from Excel or other application, open Kartello "
            "first and then open the other application.");
    auto* label = form2.findChild<QLabel*>("Label1");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
    EXPECT_TRUE(label->text().contains("<Proceed>"));
    EXPECT_EQ(form2.findChild<QPushButton*>("Command1")->text(), "Proceed");
    EXPECT_EQ(form2.findChild<QPushButton*>("Command2")->text(), "Exit Kartello");
    EXPECT_EQ(form2.findChild<QCheckBox*>("Check1")->text(), "Don't show this message  again");
    EXPECT_EQ(form2.findChild<QPushButton*>("Command2")->toolTip(),
              "Don't change the configuration and exit the program");
}

TEST(WarningWindow, ButtonsDecideAndTheBoxGivesTheFlag) {
    test::app();
    struct Case {
        const char* button;
        bool tick;
        WarningWindow::Choice choice;
        int flag;
    } cases[] = {{"Command1", false, WarningWindow::Choice::Proceed, 0},
                 {"Command1", true, WarningWindow::Choice::Proceed, 1},
                 {"Command2", true, WarningWindow::Choice::ExitProgram, 1},
                 {"Command2", false, WarningWindow::Choice::ExitProgram, 0}};
    for (const Case& c : cases) {
        WarningWindow form2;
        form2.show();
        if (c.tick)
            QTest::mouseClick(form2.findChild<QCheckBox*>("Check1"), Qt::LeftButton);
        QTest::mouseClick(form2.findChild<QPushButton*>(c.button), Qt::LeftButton);
        EXPECT_FALSE(form2.isVisible());
        EXPECT_EQ(form2.choice(), c.choice) << c.button;
        EXPECT_EQ(form2.doNotAskFlag(), c.flag) << c.button;
    }
}

TEST(AboutWindow, ShowsNameVersionAndOpensTheLink) {
    test::app();
    QStringList opened;
    AboutWindow about("/opt/kartello/help/kartello-help.html", [&](const QString& t) { opened << t; });
    EXPECT_EQ(about.windowTitle(), "About");
    EXPECT_EQ(about.findChild<QLabel*>("Label1")->text(), "Kartello");
    EXPECT_EQ(about.findChild<QLabel*>("Label2")->text(), "v 2.2.2");
    auto* link = about.findChild<QLabel*>("Label4");
    emit link->linkActivated("/opt/kartello/help/kartello-help.html");
    EXPECT_EQ(opened, QStringList{"/opt/kartello/help/kartello-help.html"});
    about.show();
    QTest::mouseClick(about.findChild<QPushButton*>("OKButton"), Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
}

TEST(ColorSwatch, SpaceOrEnterPressesItLikeAButton) {
    test::app();
    ColorSwatch swatch("Picture1_4");
    ScaleStrip strip("Image2_2");
    QSignalSpy swatchClicks(&swatch, &ColorSwatch::clicked);
    QSignalSpy stripClicks(&strip, &ScaleStrip::clicked);
    for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_A}) {
        QTest::keyClick(&swatch, key);
        QTest::keyClick(&strip, key);
    }
    EXPECT_EQ(swatchClicks.count(), 2);
    EXPECT_EQ(stripClicks.count(), 2);
    EXPECT_EQ(swatch.focusPolicy(), Qt::TabFocus);
}
