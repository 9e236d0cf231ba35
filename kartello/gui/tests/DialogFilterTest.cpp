#include "gui/DialogFilter.h"

#include <gtest/gtest.h>

using kartello::gui::qtDefaultSuffix;
using kartello::gui::qtNameFilters;
using kartello::gui::suffixOfNameFilter;

TEST(DialogFilter, ClassicFiltersBecomeQtNameFilters) {
    struct Case {
        const char* classic;
        const char* qt;
    } cases[] = {
        // Descriptions that already show their patterns stay as they are.
        {"kml(*.kml)|*.kml|txt(*.txt)|*.txt|All files(*.*)|*.*|", "kml(*.kml);;txt(*.txt);;All files(*.*)"},
        {"Kartello options (*.ggo)|*.ggo|All files(*.*)|*.*|", "Kartello options (*.ggo);;All files(*.*)"},
        {"kml (*.kml)|*.kml|kmz (*.kmz)|*.kmz", "kml (*.kml);;kmz (*.kmz)"},
        // A description without its patterns gets them in brackets.
        {"Places|*.txt;*.csv|", "Places (*.txt *.csv)"},
        {"Anything|", "Anything (*)"},
        {"", ""},
        {"|*.kml", "(*.kml)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(qtNameFilters(QString::fromUtf8(c.classic)), QString::fromUtf8(c.qt)) << c.classic;
}

TEST(DialogFilter, DefaultExtensionBecomesBareSuffix) {
    struct Case {
        const char* given;
        const char* suffix;
    } cases[] = {{"*.ggo", "ggo"}, {"*.kml", "kml"}, {".txt", "txt"}, {"kmz", "kmz"}, {"", ""}, {"*.*", ""}};
    for (const Case& c : cases)
        EXPECT_EQ(qtDefaultSuffix(QString::fromUtf8(c.given)), QString::fromUtf8(c.suffix)) << c.given;
}

TEST(DialogFilter, NameFilterGivesItsOneExtension) {
    struct Case {
        const char* filter;
        const char* suffix;
    } cases[] = {{"kml (*.kml)", "kml"},
                 {"kmz (*.kmz)", "kmz"},
                 {"Kartello options (*.ggo)", "ggo"},
                 {"All files(*.*)", ""},
                 {"Places (*.txt *.csv)", ""},
                 {"(*)", ""},
                 {"no brackets", ""},
                 {"", ""}};
    for (const Case& c : cases)
        EXPECT_EQ(suffixOfNameFilter(QString::fromUtf8(c.filter)), QString::fromUtf8(c.suffix)) << c.filter;
}
