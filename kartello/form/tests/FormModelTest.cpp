#include "form/FormModel.h"
#include "form/RunChecks.h"
#include "runtime/testing/FakeUi.h"

#include <gtest/gtest.h>

using namespace kartello;

namespace {

struct StartedForm : ::testing::Test {
    FakeUi ui;
    FormModel form{ui};
    void SetUp() override { form.startUp(); }
};

} // namespace

TEST_F(StartedForm, StartUpFillsListsAndSelectsAccordingToValue) {
    EXPECT_EQ(form.text(u"Combo1"), "4");
    EXPECT_EQ(form.control(u"Combo1").list, QStringList({"3", "4", "5", "6", "10", "20", "30", "40", "50"}));
    EXPECT_EQ(form.text(u"Combo2"), "2");
    EXPECT_EQ(form.control(u"Combo2").list.size(), 9);
    EXPECT_EQ(form.text(u"Combo3"), "Unit");
    EXPECT_EQ(form.control(u"Combo4").list.at(0), "Centimers");
    EXPECT_EQ(form.caption(u"lblSelected"), "Selected: 1");
    EXPECT_EQ(form.colorScaleChoice(), 1);
    EXPECT_TRUE(form.isSet(u"Option3_0"));
    EXPECT_TRUE(form.isSet(u"Option4_0"));
    EXPECT_TRUE(form.isSet(u"Option5_0"));
    EXPECT_FALSE(form.isSet(u"Option1_0"));
    EXPECT_FALSE(form.isSet(u"Option1_1"));
    EXPECT_TRUE(form.isVisible(u"chkOpen"));
    EXPECT_EQ(form.titleFont(), (FontChoice{"Arial", 20, true, false, false}));
    EXPECT_EQ(form.sizeUnitFactor(), 0);
    EXPECT_EQ(form.heightUnitFactor(), 0);
    // Colour according to value hides and clears "Fill", which ticks "Outline".
    EXPECT_FALSE(form.isVisible(u"chkFillCS"));
    EXPECT_EQ(form.value(u"chkFillCS"), 0);
    EXPECT_EQ(form.value(u"chkOutlineCS"), 1);
    EXPECT_EQ(form.text(u"txtcsMAX"), "100");
    EXPECT_EQ(form.text(u"txtcsMIN"), "");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(StartedForm, OptionHandlersShowAndHideTheirControls) {
    struct Step {
        const char* option;
        std::vector<const char*> shown;
        std::vector<const char*> hidden;
    } steps[] = {
        {"Option1_0", {"Frame1", "Frame2", "Frame3", "chkOpen"}, {"Frame12", "Frame13"}},
        {"Option1_1", {"Frame11", "Frame12", "Frame13", "Frame1"}, {}},
        {"Option3_1",
         {"Label1_7", "txtRaio", "Label1_8", "Combo3", "Label5", "Combo1", "Frame10"},
         {"chKAutoCircleSize", "Label1_5", "TxtCircRaio"}},
        {"Option3_0",
         {"chKAutoCircleSize", "Label1_5", "TxtCircRaio", "Frame10"},
         {"Label1_7", "txtRaio", "Label1_8", "Combo3"}},
        {"Option5_1",
         {"Label1_12", "txtHeight", "Label1_11", "Combo4", "Frame12"},
         {"chkAutom", "Label1_13", "txtHeightPoly", "Label1_0", "txtHeightFixed"}},
        {"Option5_0",
         {"chkAutom", "Label1_13", "txtHeightPoly", "Label1_0", "txtHeightFixed"},
         {"Label1_12", "txtHeight", "Label1_11", "Combo4"}},
        {"Option4_1", {"chkFillCS", "Label1_4", "Picture1_6", "Frame6"}, {"Frame7"}},
        {"Option4_0", {"Frame7", "Frame6"}, {"chkFillCS", "Label1_4", "Picture1_6"}},
    };
    for (const Step& s : steps) {
        form.clickOption(QString::fromLatin1(s.option));
        for (const char* n : s.shown)
            EXPECT_TRUE(form.isVisible(QString::fromLatin1(n))) << s.option << " shows " << n;
        for (const char* n : s.hidden)
            EXPECT_FALSE(form.isVisible(QString::fromLatin1(n))) << s.option << " hides " << n;
    }
}

TEST_F(StartedForm, OptionButtonsOfOneGroupExcludeEachOther) {
    form.clickOption(u"Option2_1");
    form.clickOption(u"Option2_3");
    EXPECT_FALSE(form.isSet(u"Option2_1"));
    EXPECT_TRUE(form.isSet(u"Option2_3"));
    EXPECT_TRUE(form.isSet(u"Option3_0")); // another group stays
}

TEST_F(StartedForm, ConstantSizeClearsAutomaticScale) {
    form.setCheck(u"chKAutoCircleSize", 1);
    EXPECT_FALSE(form.isEnabled(u"TxtCircRaio"));
    form.clickOption(u"Option3_1");
    EXPECT_EQ(form.value(u"chKAutoCircleSize"), 0);
    EXPECT_TRUE(form.isEnabled(u"TxtCircRaio"));
}

TEST_F(StartedForm, CheckBoxRules) {
    form.setCheck(u"chkLog", 1);
    form.setCheck(u"chkSqr", 1);
    EXPECT_EQ(form.value(u"chkLog"), 0);
    form.setCheck(u"chkLog", 1);
    EXPECT_EQ(form.value(u"chkSqr"), 0);

    form.setCheck(u"chkAutom", 1);
    for (auto box : {u"txtHeightPoly", u"txtHeightFixed", u"TxtCircRaio"})
        EXPECT_FALSE(form.isEnabled(box));
    form.setCheck(u"chkAutom", 0);
    for (auto box : {u"txtHeightPoly", u"txtHeightFixed", u"TxtCircRaio"})
        EXPECT_TRUE(form.isEnabled(box));

    form.setCheck(u"autoColoScale", 1);
    EXPECT_FALSE(form.isEnabled(u"txtcsMIN"));
    EXPECT_FALSE(form.isEnabled(u"txtcsMAX"));

    form.setCheck(u"chKCScale", 1);
    EXPECT_TRUE(form.isVisible(u"Option7_0"));
    EXPECT_TRUE(form.isVisible(u"Option7_1"));
    form.setCheck(u"chKCScale", 0);
    EXPECT_FALSE(form.isVisible(u"Option7_1"));
}

TEST_F(StartedForm, ClearingFillWhileOutlineIsClearTicksOutline) {
    form.clickOption(u"Option4_1");
    form.setCheck(u"chkFillCS", 1);
    form.setCheck(u"chkOutlineCS", 0);
    EXPECT_FALSE(form.isVisible(u"Picture1_7"));
    form.setCheck(u"chkFillCS", 0);
    EXPECT_EQ(form.value(u"chkOutlineCS"), 1);
    EXPECT_TRUE(form.isVisible(u"Picture1_7"));
    EXPECT_FALSE(form.isVisible(u"Picture1_6"));
}

TEST_F(StartedForm, EmptyTitleRefusesShowTitle) {
    int built = 0;
    form.buildTitle = [&] {
        ++built;
    };
    form.setCheck(u"chkSTitle", 1);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "You title is empty!");
    EXPECT_EQ(ui.messages[0].title, "Warning");
    EXPECT_EQ(form.value(u"chkSTitle"), 0);
    EXPECT_FALSE(form.isVisible(u"Option6_0"));
    EXPECT_EQ(built, 0);

    form.setText(u"Text1_1", "Population");
    form.setCheck(u"chkSTitle", 1);
    EXPECT_EQ(built, 1);
    EXPECT_TRUE(form.isVisible(u"Option6_0"));
}

TEST_F(StartedForm, DoNothingHidesOptionsAndClearingBringsThemBack) {
    form.clickOption(u"Option1_0");
    form.setCheck(u"chkNothing", 1);
    for (auto n : {u"Option1_0", u"Frame1", u"Frame8", u"Frame13", u"Label5", u"Combo1"})
        EXPECT_FALSE(form.isVisible(n));
    // A control inside a hidden frame keeps its own visible flag.
    EXPECT_TRUE(form.isVisible(u"Option3_0"));
    form.setCheck(u"chkNothing", 0);
    for (auto n : {u"Option1_0", u"Frame1", u"Frame8", u"Frame9", u"Label5", u"Combo1"})
        EXPECT_TRUE(form.isVisible(n));
    EXPECT_FALSE(form.isVisible(u"Frame12")); // "Flat" is set
    EXPECT_FALSE(form.isVisible(u"Frame13"));
}

TEST_F(StartedForm, DoNothingClearedInShapeModeKeepsShapeLayout) {
    bool shapes = true;
    form.isShapeMode = [&] {
        return shapes;
    };
    form.setCheck(u"chkNothing", 1);
    form.setCheck(u"chkNothing", 0);
    EXPECT_FALSE(form.isVisible(u"Frame8"));
    EXPECT_FALSE(form.isVisible(u"Combo1"));
    EXPECT_TRUE(form.isVisible(u"lblShape"));
}

TEST_F(StartedForm, SidesAndDecimalsListsCorrectTypedText) {
    form.editText(u"Combo1", "abc");
    EXPECT_EQ(form.text(u"Combo1"), "20");
    EXPECT_TRUE(ui.messages.empty());
    form.editText(u"Combo1", "1");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, "Segments");
    EXPECT_TRUE(ui.messages[0].text.startsWith("Number of sides invalid.\r\n\r\n1 segment => nothing\r\n"));
    EXPECT_TRUE(ui.messages[0].text.endsWith("....\r\n50 segments => almost a circle"));
    EXPECT_EQ(form.text(u"Combo1"), "1");
    form.editText(u"Combo2", "x");
    EXPECT_EQ(form.text(u"Combo2"), "2");
}

TEST_F(StartedForm, UnitPicksSetFactors) {
    form.pickListItem(u"Combo4", 2);
    EXPECT_NEAR(form.heightUnitFactor(), 999.9976, 5e-5);
    form.pickListItem(u"Combo3", 7);
    EXPECT_EQ(form.sizeUnitFactor(), 1.0);
    EXPECT_EQ(form.text(u"Combo3"), "Nautical miles");
    form.pickListItem(u"Combo4", 1);
    EXPECT_EQ(form.heightUnitFactor(), 1.0);
}

TEST_F(StartedForm, ColourScaleAndSwatchClicks) {
    form.clickControl(u"Image2_4");
    EXPECT_EQ(form.colorScaleChoice(), 5);
    EXPECT_EQ(form.caption(u"lblSelected"), "Selected: 5");
    EXPECT_EQ(form.control(u"Image2_4").borderStyle, 1);
    EXPECT_EQ(form.control(u"Image2_0").borderStyle, 0);
    form.clickControl(u"Picture4");
    EXPECT_EQ(form.colorScaleChoice(), 0);
    EXPECT_EQ(form.caption(u"lblSelected"), "Selected: 8");

    ui.colorAnswers.push_back(0x00FF00);
    ui.colorAnswers.push_back(std::nullopt);
    form.clickControl(u"Picture1_1");
    EXPECT_EQ(form.backColor(u"Picture1_1"), 0x00FF00u);
    form.clickControl(u"Picture1_1"); // cancelled: unchanged
    EXPECT_EQ(form.backColor(u"Picture1_1"), 0x00FF00u);

    ui.fontAnswers.push_back(FontChoice{"DejaVu Sans", 14, false, true, true});
    form.clickFont();
    EXPECT_EQ(form.titleFont().name, "DejaVu Sans");
    EXPECT_TRUE(form.titleFont().underline);
}

TEST_F(StartedForm, ShapeLayoutAndBack) {
    form.setVisible(u"Frame10", false);
    form.showPolygon();
    for (auto n : {u"Label5", u"Combo1", u"Frame8", u"txtVal_1", u"ComFilter_0", u"Label6_1", u"comRow_2"})
        EXPECT_FALSE(form.isVisible(n));
    EXPECT_EQ(form.caption(u"Label6_0"), "Shape File");
    EXPECT_TRUE(form.isVisible(u"lblShape"));
    EXPECT_TRUE(form.isVisible(u"comRow_3"));
    form.showNormal();
    for (auto n : {u"Label5", u"Combo1", u"Frame8", u"txtVal_1", u"ComFilter_0", u"Label6_1", u"comRow_2"})
        EXPECT_TRUE(form.isVisible(n));
    EXPECT_FALSE(form.isVisible(u"Frame10")); // left as it was
    EXPECT_EQ(form.caption(u"Label6_0"), "Filter input file");
    EXPECT_FALSE(form.isVisible(u"chkFix"));
}

TEST_F(StartedForm, ListenersHearEveryChange) {
    QStringList heard;
    form.subscribe([&](const QString& n) { heard << n; });
    form.setCheck(u"chkLog", 1);
    EXPECT_TRUE(heard.contains("chkLog"));
}

TEST(FormModel, UnknownControlIsSubscriptError) {
    FakeUi ui;
    FormModel form(ui);
    EXPECT_FALSE(form.has(u"Nope"));
    EXPECT_THROW(form.control(u"Nope"), std::exception);
}

// --- Run command checks -------------------------------------------------------

TEST_F(StartedForm, RunChecksInOrder) {
    struct Case {
        std::function<void(FormModel&)> setup;
        const char* message; // nullptr: passes
        const char* focus;
    } cases[] = {
        {[](FormModel&) {}, "Please choose an option (flat or 3D)", ""},
        {[](FormModel& f) { f.setCheck(u"chkNothing", 1); }, nullptr, ""},
        {[](FormModel& f) { f.clickOption(u"Option1_1"); }, nullptr, ""},
        {[](FormModel& f) {
             f.clickOption(u"Option1_1");
             f.clearOption(u"Option4_0");
         },
         "Please choose an option for polygon color", ""},
        {[](FormModel& f) {
             f.clickOption(u"Option1_1");
             f.clearOption(u"Option3_0");
         },
         "Please choose an option for polygon size", ""},
        {[](FormModel& f) {
             f.clickOption(u"Option1_1");
             f.clickOption(u"Option3_1");
         },
         "Please choose an scale option for polygon size", "Combo3"},
        {[](FormModel& f) {
             f.clickOption(u"Option1_1");
             f.clickOption(u"Option3_1");
             f.pickListItem(u"Combo3", 1);
             f.setText(u"txtRaio", "0");
         },
         "Please enter the polygon size", "txtRaio"},
        {[](FormModel& f) {
             f.clickOption(u"Option1_1");
             f.clickOption(u"Option3_1");
             f.pickListItem(u"Combo3", 1);
             f.setText(u"txtRaio", "12");
         },
         nullptr, ""},
        {[](FormModel& f) {
             f.clickOption(u"Option1_1");
             f.clearOption(u"Option5_0");
         },
         "Please choose an option for polygon height", ""},
        {[](FormModel& f) {
             f.clickOption(u"Option1_1");
             f.clickOption(u"Option5_1");
         },
         "Please choose an scale option for height", "Combo4"},
        {[](FormModel& f) {
             f.clickOption(u"Option1_1");
             f.clickOption(u"Option5_1");
             f.pickListItem(u"Combo4", 1);
             f.setText(u"txtHeight", "-1");
         },
         "Please enter the polygon height", "txtHeight"},
        {[](FormModel& f) { // a constant height of 0 is accepted
             f.clickOption(u"Option1_1");
             f.clickOption(u"Option5_1");
             f.pickListItem(u"Combo4", 1);
             f.setText(u"txtHeight", "0");
         },
         nullptr, ""},
        {[](FormModel& f) { // flat: height frames hidden, their checks skipped
             f.clickOption(u"Option1_0");
             f.clearOption(u"Option5_0");
             f.clickOption(u"Option5_1");
             f.clickOption(u"Option1_0");
         },
         nullptr, ""},
    };
    int i = 0;
    for (const Case& c : cases) {
        FakeUi caseUi;
        FormModel f(caseUi);
        f.startUp();
        c.setup(f);
        const bool ok = runChecks(f, caseUi);
        EXPECT_EQ(ok, c.message == nullptr) << "case " << i;
        if (c.message) {
            ASSERT_FALSE(caseUi.messages.empty()) << "case " << i;
            EXPECT_EQ(caseUi.messages.back().text, QString::fromUtf8(c.message)) << "case " << i;
            EXPECT_EQ(caseUi.messages.back().title, "Warning");
            EXPECT_EQ(caseUi.messages.back().icon, MsgIcon::Exclamation);
        }
        EXPECT_EQ(f.focusRequest(), QString::fromLatin1(c.focus)) << "case " << i;
        ++i;
    }
}
