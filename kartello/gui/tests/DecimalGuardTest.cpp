#include "gui/DecimalGuard.h"

#include <clocale>
#include <gtest/gtest.h>
#include <string>

using kartello::gui::DecimalGuard;

TEST(DecimalGuard, AsksOnlyForAnotherDecimalSeparatorWithoutTheFlag) {
    struct Case {
        QLocale locale;
        int flag;
        bool asks;
    } cases[] = {
        {QLocale(QLocale::German, QLocale::Germany), 0, true},
        {QLocale(QLocale::German, QLocale::Germany), 1, false},
        {QLocale(QLocale::French, QLocale::France), 0, true},
        {QLocale(QLocale::English, QLocale::UnitedStates), 0, false},
        {QLocale(QLocale::English, QLocale::UnitedStates), 1, false},
        // Period decimal with another group mark: no question.
        {QLocale(QLocale::German, QLocale::Switzerland), 0, false},
        {QLocale::c(), 0, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecimalGuard::needsWarning(c.locale, c.flag), c.asks) << c.locale.name().toStdString();
}

TEST(DecimalGuard, SwitchesProcessNumbersToPeriodAndRestoresThem) {
    const std::string before = std::setlocale(LC_NUMERIC, nullptr);
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        GTEST_SKIP() << "de_DE.UTF-8 is not generated on this machine";
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));

    DecimalGuard guard;
    guard.setMDSettings();
    EXPECT_TRUE(guard.settingsChanged());
    EXPECT_EQ(std::string(std::setlocale(LC_NUMERIC, nullptr)), "C");
    char printed[32];
    std::snprintf(printed, sizeof printed, "%.1f", 1.5);
    EXPECT_STREQ(printed, "1.5");
    EXPECT_EQ(QLocale().decimalPoint(), QStringLiteral("."));
    EXPECT_EQ(QLocale().groupSeparator(), QStringLiteral(","));

    guard.restoreSettings();
    EXPECT_FALSE(guard.settingsChanged());
    EXPECT_EQ(std::string(std::setlocale(LC_NUMERIC, nullptr)), "de_DE.UTF-8");
    EXPECT_EQ(QLocale().decimalPoint(), QStringLiteral(","));

    std::setlocale(LC_NUMERIC, before.c_str());
    QLocale::setDefault(QLocale::c());
}

TEST(DecimalGuard, ChangesNothingWhenPeriodAndCommaAreInForce) {
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale::c());
    DecimalGuard guard;
    guard.setMDSettings();
    EXPECT_FALSE(guard.settingsChanged());
    guard.restoreSettings();
    EXPECT_EQ(std::string(std::setlocale(LC_NUMERIC, nullptr)), "C");
}
