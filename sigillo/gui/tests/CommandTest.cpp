#include "gui/Command.h"
#include "GuiTestApp.h"

#include <QHBoxLayout>
#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace sigillo {
namespace {

// A window with the button under test beside a plain area the pointer can
// move to.
class CommandWidget : public testing::Test {
protected:
    void SetUp() override {
        test::TestApp();
        window = std::make_unique<QWidget>();
        window->resize(320, 80);
        auto* layout = new QHBoxLayout(window.get());
        // Created first, so that the window hands its first focus here and
        // the button starts without it.
        elsewhere = new QWidget(window.get());
        elsewhere->setFocusPolicy(Qt::StrongFocus);
        button = new Command(window.get());
        button->SetCaption(QStringLiteral("&Browse"));
        button->setMinimumSize(120, 40);
        elsewhere->setMinimumSize(120, 40);
        layout->addWidget(button);
        layout->addWidget(elsewhere);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        ASSERT_FALSE(button->hasFocus());
        button->Initialize();
        // The pointer stays where the last test left it; start it away.
        QTest::mouseMove(elsewhere, elsewhere->rect().topLeft() + QPoint(2, 2));
    }

    void HoverButton() { QTest::mouseMove(button, button->rect().center()); }

    std::unique_ptr<QWidget> window;
    Command* button = nullptr;
    QWidget* elsewhere = nullptr;
};

TEST_F(CommandWidget, AccessKeyAfterAmpersandClicksTheButton) {
    QSignalSpy clicks(button, &Command::Click);
    QTest::keyClick(window.get(), Qt::Key_B, Qt::AltModifier);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_TRUE(button->hasFocus());
    EXPECT_EQ(button->state(), CommandState::StateHighlightedSelected);
}

TEST_F(CommandWidget, OtherAltKeyDoesNotClick) {
    QSignalSpy clicks(button, &Command::Click);
    QTest::keyClick(window.get(), Qt::Key_X, Qt::AltModifier);
    EXPECT_EQ(clicks.count(), 0);
}

TEST_F(CommandWidget, LeftClickClicksOnceAndFocuses) {
    QSignalSpy clicks(button, &Command::Click);
    const QPoint centre = button->rect().center();
    HoverButton();
    EXPECT_EQ(button->state(), CommandState::StateHighlighted);
    QTest::mouseClick(button, Qt::LeftButton, {}, centre);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(button->state(), CommandState::StateHighlightedSelected);
    EXPECT_EQ(button->look(), CommandLook::HighLightSelect);
}

TEST_F(CommandWidget, RightButtonReleaseOverUnfocusedButtonClicks) {
    QSignalSpy clicks(button, &Command::Click);
    const QPoint centre = button->rect().center();
    HoverButton();
    ASSERT_FALSE(button->hasFocus());
    QTest::mouseRelease(button, Qt::RightButton, {}, centre);
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(CommandWidget, DisabledButtonIgnoresMouseAndDrawsGreyText) {
    QSignalSpy clicks(button, &Command::Click);
    const QImage enabledLook = button->grab().toImage();
    button->SetEnabled(false);
    const QPoint centre = button->rect().center();
    HoverButton();
    QTest::mouseClick(button, Qt::LeftButton, {}, centre);
    QTest::mouseRelease(button, Qt::RightButton, {}, centre);
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(button->state(), CommandState::StateDisabled);
    EXPECT_EQ(button->look(), CommandLook::Disable);

    // Black caption pixels exist only while enabled; the disabled caption is
    // drawn in the grey 0xC0C0C0, so nothing darker than it remains inside.
    const QImage disabledLook = button->grab().toImage();
    const auto darkest = [](const QImage& image) {
        int least = 255;
        for (int y = 8; y < image.height() - 8; ++y)
            for (int x = 8; x < image.width() - 8; ++x)
                least = std::min(least, qGray(image.pixel(x, y)));
        return least;
    };
    EXPECT_LT(darkest(enabledLook), 0x40);
    EXPECT_GE(darkest(disabledLook), 0xB0);
}

TEST_F(CommandWidget, DisabledButtonIgnoresAccessKey) {
    QSignalSpy clicks(button, &Command::Click);
    button->SetEnabled(false);
    QTest::keyClick(window.get(), Qt::Key_B, Qt::AltModifier);
    EXPECT_EQ(clicks.count(), 0);
}

// The 100 ms timer notices the pointer is gone; a loaded machine may run the
// tick late, so the test waits for it rather than for a fixed time.
TEST_F(CommandWidget, HoverEndsOnTimerTickAfterPointerLeaves) {
    HoverButton();
    ASSERT_EQ(button->state(), CommandState::StateHighlighted);
    QTest::mouseMove(elsewhere, elsewhere->rect().center());
    EXPECT_TRUE(QTest::qWaitFor([&] { return button->state() == CommandState::StateNormal; }, 2000));
    EXPECT_EQ(button->look(), CommandLook::Normal);
}

TEST_F(CommandWidget, HoverStaysWhilePointerRemains) {
    HoverButton();
    QTest::qWait(250);
    EXPECT_EQ(button->state(), CommandState::StateHighlighted);
}

TEST_F(CommandWidget, FocusByTabSelectsAndLosingItReturnsToNormal) {
    button->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(button->state(), CommandState::StateSelected);
    EXPECT_EQ(button->look(), CommandLook::Selected);
    button->clearFocus();
    EXPECT_EQ(button->state(), CommandState::StateNormal);
}

TEST_F(CommandWidget, InitializeRunsTheHoverTimerEvery100Ms) {
    EXPECT_TRUE(button->mouseTimer().isActive());
    EXPECT_EQ(button->mouseTimer().interval(), 100);
}

TEST(CommandProperties, EveryLetReportsItsKey) {
    test::TestApp();
    QWidget parent;
    Command button(&parent);
    QSignalSpy changed(&button, &Command::PropertyChanged);
    button.SetCaption(QStringLiteral("Go"));
    button.SetEnabled(false);
    button.SetFontColour(0xFF);
    button.SetFont(QFont(QStringLiteral("DejaVu Sans"), 11));
    button.SetVisible(0);
    ASSERT_EQ(changed.count(), 5);
    const QStringList keys = {"Caption", "Enabled", "FontColour", "Font", "Visible"};
    for (int i = 0; i < keys.size(); ++i)
        EXPECT_EQ(changed.at(i).at(0).toString(), keys.at(i));
}

TEST(CommandProperties, AbsentKeysReadAsTheirDefaults) {
    test::TestApp();
    QWidget parent;
    Command button(&parent);
    button.ReadProperties({});
    EXPECT_EQ(button.Caption(), QStringLiteral("Command1"));
    EXPECT_TRUE(button.Enabled());
    EXPECT_EQ(button.firstRun(), 1);
    EXPECT_EQ(button.FontColour(), 0u);
    EXPECT_EQ(button.Visible(), 1);
}

TEST(CommandProperties, NewControlWritesNothingButChangedValues) {
    test::TestApp();
    QWidget parent;
    Command button(&parent);
    EXPECT_EQ(button.Caption(), QStringLiteral("Command"));
    button.Enabled(); // the first read of Enabled ends the first run
    EXPECT_TRUE(button.WriteProperties().isEmpty());
    button.SetCaption(QStringLiteral("Register ActiveX"));
    button.SetFontColour(0x123456);
    const QVariantMap bag = button.WriteProperties();
    EXPECT_EQ(bag.size(), 2);
    EXPECT_EQ(bag.value(QStringLiteral("Caption")).toString(), QStringLiteral("Register ActiveX"));
    EXPECT_EQ(bag.value(QStringLiteral("FontColour")).toUInt(), 0x123456u);
}

TEST(CommandProperties, WrittenPropertiesReadBack) {
    test::TestApp();
    QWidget parent;
    Command first(&parent);
    first.SetCaption(QStringLiteral("&Cancel"));
    first.SetEnabled(false);
    first.SetFontColour(0xFF0000);
    Command second(&parent);
    second.ReadProperties(first.WriteProperties());
    EXPECT_EQ(second.Caption(), QStringLiteral("&Cancel"));
    EXPECT_FALSE(second.Enabled());
    EXPECT_EQ(second.FontColour(), 0xFF0000u);
}

} // namespace
} // namespace sigillo
