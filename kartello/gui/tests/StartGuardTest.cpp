#include "gui/StartGuard.h"
#include "GuiTestMain.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTest>
#include <clocale>
#include <gtest/gtest.h>

using namespace kartello::gui;

namespace {

const QLocale german(QLocale::German, QLocale::Germany);
const QLocale english(QLocale::English, QLocale::UnitedStates);

// Answers Form2 like a person: optionally ticks the box, then clicks a button.
std::function<void(WarningWindow&)> answer(const char* button, bool tick, int* shown) {
    return [=](WarningWindow& form2) {
        ++*shown;
        form2.show();
        if (tick)
            QTest::mouseClick(form2.findChild<QCheckBox*>("Check1"), Qt::LeftButton);
        QTest::mouseClick(form2.findChild<QPushButton*>(button), Qt::LeftButton);
    };
}

} // namespace

TEST(StartGuard, CommaLocaleAsksAndProceedGoesOn) {
    test::app();
    struct Case {
        const char* button;
        bool tick;
        bool goesOn;
        int flagWritten;
    } cases[] = {{"Command1", false, true, 0},
                 {"Command1", true, true, 1},
                 {"Command2", false, false, 0},
                 {"Command2", true, false, 1}};
    for (const Case& c : cases) {
        int shown = 0;
        QList<int> written;
        StartGuard start;
        start.writeFlag = [&](int flag) {
            written << flag;
        };
        start.showWindow = answer(c.button, c.tick, &shown);
        DecimalGuard guard;
        EXPECT_EQ(start.run(guard, german), c.goesOn) << c.button;
        EXPECT_EQ(shown, 1);
        EXPECT_EQ(written, QList<int>{c.flagWritten}) << c.button;
        guard.restoreSettings();
    }
}

TEST(StartGuard, NoQuestionWithTheFlagOrAPeriodLocale) {
    test::app();
    struct Case {
        QLocale locale;
        int flag;
    } cases[] = {{german, 1}, {english, 0}, {QLocale::c(), 0}};
    for (const Case& c : cases) {
        int shown = 0, writes = 0;
        StartGuard start;
        start.doNotAskFlag = c.flag;
        start.writeFlag = [&](int) {
            ++writes;
        };
        start.showWindow = answer("Command2", false, &shown);
        DecimalGuard guard;
        EXPECT_TRUE(start.run(guard, c.locale));
        EXPECT_EQ(shown, 0);
        EXPECT_EQ(writes, 0);
        guard.restoreSettings();
    }
}

TEST(StartGuard, ExitLeavesTheProcessNumbersAlone) {
    test::app();
    const std::string before = std::setlocale(LC_NUMERIC, nullptr);
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        GTEST_SKIP() << "de_DE.UTF-8 is not generated on this machine";
    int shown = 0;
    StartGuard start;
    start.showWindow = answer("Command2", false, &shown);
    DecimalGuard guard;
    EXPECT_FALSE(start.run(guard, german));
    EXPECT_FALSE(guard.settingsChanged());
    EXPECT_EQ(std::string(std::setlocale(LC_NUMERIC, nullptr)), "de_DE.UTF-8");

    start.showWindow = answer("Command1", false, &shown);
    EXPECT_TRUE(start.run(guard, german));
    EXPECT_EQ(std::string(std::setlocale(LC_NUMERIC, nullptr)), "C");
    guard.restoreSettings();
    EXPECT_EQ(std::string(std::setlocale(LC_NUMERIC, nullptr)), "de_DE.UTF-8");
    std::setlocale(LC_NUMERIC, before.c_str());
    QLocale::setDefault(QLocale::c());
}

// The guard as the person meets it: the locale of the session decides. The
// test program is run under LC_ALL=de_DE.UTF-8 and under LC_ALL=C by CTest.
TEST(StartGuard, SystemLocaleOfTheSessionDecides) {
    test::app();
    const QByteArray lcAll = qgetenv("LC_ALL");
    int shown = 0;
    StartGuard start;
    start.showWindow = answer("Command1", false, &shown);
    DecimalGuard guard;
    EXPECT_TRUE(start.run(guard, QLocale::system()));
    if (lcAll.startsWith("de_DE")) {
        EXPECT_EQ(shown, 1);
    } else if (lcAll == "C") {
        EXPECT_EQ(shown, 0);
    }
    guard.restoreSettings();
}
