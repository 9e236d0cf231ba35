#include "form/FormModel.h"
#include "form/ControlNames.h"
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
    EXPECT_EQ(form.text(ctl::Combo1), "4");
    EXPECT_EQ(form.control(ctl::Combo1).list,
              QStringList({"3", "4", "5", "6", "10", "20", "30", "40", "50"}));
    EXPECT_EQ(form.text(ctl::Combo2), "2");
    EXPECT_EQ(form.control(ctl::Combo2).list.size(), 9);
    EXPECT_EQ(form.text(ctl::Combo3), "Unit");
    EXPECT_EQ(form.control(ctl::Combo4).list.at(0), "Centimers");
    EXPECT_EQ(form.caption(ctl::lblSelected), "Selected: 1");
    EXPECT_EQ(form.colorScaleChoice(), 1);
    EXPECT_TRUE(form.isSet(ctl::Option3_0));
    EXPECT_TRUE(form.isSet(ctl::Option4_0));
    EXPECT_TRUE(form.isSet(ctl::Option5_0));
    EXPECT_FALSE(form.isSet(ctl::Option1_0));
    EXPECT_FALSE(form.isSet(ctl::Option1_1));
    EXPECT_TRUE(form.isVisible(ctl::chkOpen));
    EXPECT_EQ(form.titleFont(), (FontChoice{"Arial", 20, true, false, false}));
    EXPECT_EQ(form.sizeUnitFactor(), 0);
    EXPECT_EQ(form.heightUnitFactor(), 0);
    // Colour according to value hides and clears "Fill", which ticks "Outline".
    EXPECT_FALSE(form.isVisible(ctl::chkFillCS));
    EXPECT_EQ(form.value(ctl::chkFillCS), 0);
    EXPECT_EQ(form.value(ctl::chkOutlineCS), 1);
    EXPECT_EQ(form.text(ctl::txtcsMAX), "100");
    EXPECT_EQ(form.text(ctl::txtcsMIN), "");
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
    form.clickOption(ctl::Option2_1);
    form.clickOption(ctl::Option2_3);
    EXPECT_FALSE(form.isSet(ctl::Option2_1));
    EXPECT_TRUE(form.isSet(ctl::Option2_3));
    EXPECT_TRUE(form.isSet(ctl::Option3_0)); // another group stays
}

TEST_F(StartedForm, ConstantSizeClearsAutomaticScale) {
    form.setCheck(ctl::chKAutoCircleSize, 1);
    EXPECT_FALSE(form.isEnabled(ctl::TxtCircRaio));
    form.clickOption(ctl::Option3_1);
    EXPECT_EQ(form.value(ctl::chKAutoCircleSize), 0);
    EXPECT_TRUE(form.isEnabled(ctl::TxtCircRaio));
}

TEST_F(StartedForm, CheckBoxRules) {
    form.setCheck(ctl::chkLog, 1);
    form.setCheck(ctl::chkSqr, 1);
    EXPECT_EQ(form.value(ctl::chkLog), 0);
    form.setCheck(ctl::chkLog, 1);
    EXPECT_EQ(form.value(ctl::chkSqr), 0);

    form.setCheck(ctl::chkAutom, 1);
    for (auto box : {ctl::txtHeightPoly, ctl::txtHeightFixed, ctl::TxtCircRaio})
        EXPECT_FALSE(form.isEnabled(box));
    form.setCheck(ctl::chkAutom, 0);
    for (auto box : {ctl::txtHeightPoly, ctl::txtHeightFixed, ctl::TxtCircRaio})
        EXPECT_TRUE(form.isEnabled(box));

    form.setCheck(ctl::autoColoScale, 1);
    EXPECT_FALSE(form.isEnabled(ctl::txtcsMIN));
    EXPECT_FALSE(form.isEnabled(ctl::txtcsMAX));

    form.setCheck(ctl::chKCScale, 1);
    EXPECT_TRUE(form.isVisible(ctl::Option7_0));
    EXPECT_TRUE(form.isVisible(ctl::Option7_1));
    form.setCheck(ctl::chKCScale, 0);
    EXPECT_FALSE(form.isVisible(ctl::Option7_1));
}

TEST_F(StartedForm, ClearingFillWhileOutlineIsClearTicksOutline) {
    form.clickOption(ctl::Option4_1);
    form.setCheck(ctl::chkFillCS, 1);
    form.setCheck(ctl::chkOutlineCS, 0);
    EXPECT_FALSE(form.isVisible(ctl::Picture1_7));
    form.setCheck(ctl::chkFillCS, 0);
    EXPECT_EQ(form.value(ctl::chkOutlineCS), 1);
    EXPECT_TRUE(form.isVisible(ctl::Picture1_7));
    EXPECT_FALSE(form.isVisible(ctl::Picture1_6));
}

TEST_F(StartedForm, EmptyTitleRefusesShowTitle) {
    int built = 0;
    form.buildTitle = [&] {
        ++built;
    };
    form.setCheck(ctl::chkSTitle, 1);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "You title is empty!");
    EXPECT_EQ(ui.messages[0].title, "Warning");
    EXPECT_EQ(form.value(ctl::chkSTitle), 0);
    EXPECT_FALSE(form.isVisible(ctl::Option6_0));
    EXPECT_EQ(built, 0);

    form.setText(ctl::Text1_1, "Population");
    form.setCheck(ctl::chkSTitle, 1);
    EXPECT_EQ(built, 1);
    EXPECT_TRUE(form.isVisible(ctl::Option6_0));
}

TEST_F(StartedForm, DoNothingHidesOptionsAndClearingBringsThemBack) {
    form.clickOption(ctl::Option1_0);
    form.setCheck(ctl::chkNothing, 1);
    for (auto n : {ctl::Option1_0, ctl::Frame1, ctl::Frame8, ctl::Frame13, ctl::Label5, ctl::Combo1})
        EXPECT_FALSE(form.isVisible(n));
    // A control inside a hidden frame keeps its own visible flag.
    EXPECT_TRUE(form.isVisible(ctl::Option3_0));
    form.setCheck(ctl::chkNothing, 0);
    for (auto n : {ctl::Option1_0, ctl::Frame1, ctl::Frame8, ctl::Frame9, ctl::Label5, ctl::Combo1})
        EXPECT_TRUE(form.isVisible(n));
    EXPECT_FALSE(form.isVisible(ctl::Frame12)); // "Flat" is set
    EXPECT_FALSE(form.isVisible(ctl::Frame13));
}

TEST_F(StartedForm, DoNothingClearedInShapeModeKeepsShapeLayout) {
    bool shapes = true;
    form.isShapeMode = [&] {
        return shapes;
    };
    form.setCheck(ctl::chkNothing, 1);
    form.setCheck(ctl::chkNothing, 0);
    EXPECT_FALSE(form.isVisible(ctl::Frame8));
    EXPECT_FALSE(form.isVisible(ctl::Combo1));
    EXPECT_TRUE(form.isVisible(ctl::lblShape));
}

TEST_F(StartedForm, SidesAndDecimalsListsCorrectTypedText) {
    form.editText(ctl::Combo1, "abc");
    EXPECT_EQ(form.text(ctl::Combo1), "20");
    EXPECT_TRUE(ui.messages.empty());
    form.editText(ctl::Combo1, "1");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, "Segments");
    EXPECT_TRUE(ui.messages[0].text.startsWith("Number of sides invalid.\r\n\r\n1 segment => nothing\r\n"));
    EXPECT_TRUE(ui.messages[0].text.endsWith("....\r\n50 segments => almost a circle"));
    EXPECT_EQ(form.text(ctl::Combo1), "1");
    form.editText(ctl::Combo2, "x");
    EXPECT_EQ(form.text(ctl::Combo2), "2");
}

TEST_F(StartedForm, UnitPicksSetFactors) {
    form.pickListItem(ctl::Combo4, 2);
    EXPECT_NEAR(form.heightUnitFactor(), 999.9976, 5e-5);
    form.pickListItem(ctl::Combo3, 7);
    EXPECT_EQ(form.sizeUnitFactor(), 1.0);
    EXPECT_EQ(form.text(ctl::Combo3), "Nautical miles");
    form.pickListItem(ctl::Combo4, 1);
    EXPECT_EQ(form.heightUnitFactor(), 1.0);
}

TEST_F(StartedForm, ColourScaleAndSwatchClicks) {
    form.clickControl(ctl::Image2_4);
    EXPECT_EQ(form.colorScaleChoice(), 5);
    EXPECT_EQ(form.caption(ctl::lblSelected), "Selected: 5");
    EXPECT_EQ(form.control(ctl::Image2_4).borderStyle, 1);
    EXPECT_EQ(form.control(ctl::Image2_0).borderStyle, 0);
    form.clickControl(ctl::Picture4);
    EXPECT_EQ(form.colorScaleChoice(), 0);
    EXPECT_EQ(form.caption(ctl::lblSelected), "Selected: 8");

    ui.colorAnswers.push_back(0x00FF00);
    ui.colorAnswers.push_back(std::nullopt);
    form.clickControl(ctl::Picture1_1);
    EXPECT_EQ(form.backColor(ctl::Picture1_1), 0x00FF00u);
    form.clickControl(ctl::Picture1_1); // cancelled: unchanged
    EXPECT_EQ(form.backColor(ctl::Picture1_1), 0x00FF00u);

    ui.fontAnswers.push_back(FontChoice{"DejaVu Sans", 14, false, true, true});
    form.clickFont();
    EXPECT_EQ(form.titleFont().name, "DejaVu Sans");
    EXPECT_TRUE(form.titleFont().underline);
}

TEST_F(StartedForm, ShapeLayoutAndBack) {
    form.setVisible(ctl::Frame10, false);
    form.showPolygon();
    for (auto n : {ctl::Label5, ctl::Combo1, ctl::Frame8, ctl::txtVal_1, ctl::ComFilter_0, ctl::Label6_1,
                   ctl::comRow_2})
        EXPECT_FALSE(form.isVisible(n));
    EXPECT_EQ(form.caption(ctl::Label6_0), "Shape File");
    EXPECT_TRUE(form.isVisible(ctl::lblShape));
    EXPECT_TRUE(form.isVisible(ctl::comRow_3));
    form.showNormal();
    for (auto n : {ctl::Label5, ctl::Combo1, ctl::Frame8, ctl::txtVal_1, ctl::ComFilter_0, ctl::Label6_1,
                   ctl::comRow_2})
        EXPECT_TRUE(form.isVisible(n));
    EXPECT_FALSE(form.isVisible(ctl::Frame10)); // left as it was
    EXPECT_EQ(form.caption(ctl::Label6_0), "Filter input file");
    EXPECT_FALSE(form.isVisible(ctl::chkFix));
}

TEST_F(StartedForm, ListenersHearEveryChange) {
    QStringList heard;
    form.subscribe([&](const QString& n) { heard << n; });
    form.setCheck(ctl::chkLog, 1);
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
        {[](FormModel& f) { f.setCheck(ctl::chkNothing, 1); }, nullptr, ""},
        {[](FormModel& f) { f.clickOption(ctl::Option1_1); }, nullptr, ""},
        {[](FormModel& f) {
             f.clickOption(ctl::Option1_1);
             f.clearOption(ctl::Option4_0);
         },
         "Please choose an option for polygon color", ""},
        {[](FormModel& f) {
             f.clickOption(ctl::Option1_1);
             f.clearOption(ctl::Option3_0);
         },
         "Please choose an option for polygon size", ""},
        {[](FormModel& f) {
             f.clickOption(ctl::Option1_1);
             f.clickOption(ctl::Option3_1);
         },
         "Please choose an scale option for polygon size", "Combo3"},
        {[](FormModel& f) {
             f.clickOption(ctl::Option1_1);
             f.clickOption(ctl::Option3_1);
             f.pickListItem(ctl::Combo3, 1);
             f.setText(ctl::txtRaio, "0");
         },
         "Please enter the polygon size", "txtRaio"},
        {[](FormModel& f) {
             f.clickOption(ctl::Option1_1);
             f.clickOption(ctl::Option3_1);
             f.pickListItem(ctl::Combo3, 1);
             f.setText(ctl::txtRaio, "12");
         },
         nullptr, ""},
        {[](FormModel& f) {
             f.clickOption(ctl::Option1_1);
             f.clearOption(ctl::Option5_0);
         },
         "Please choose an option for polygon height", ""},
        {[](FormModel& f) {
             f.clickOption(ctl::Option1_1);
             f.clickOption(ctl::Option5_1);
         },
         "Please choose an scale option for height", "Combo4"},
        {[](FormModel& f) {
             f.clickOption(ctl::Option1_1);
             f.clickOption(ctl::Option5_1);
             f.pickListItem(ctl::Combo4, 1);
             f.setText(ctl::txtHeight, "-1");
         },
         "Please enter the polygon height", "txtHeight"},
        {[](FormModel& f) { // a constant height of 0 is accepted
             f.clickOption(ctl::Option1_1);
             f.clickOption(ctl::Option5_1);
             f.pickListItem(ctl::Combo4, 1);
             f.setText(ctl::txtHeight, "0");
         },
         nullptr, ""},
        {[](FormModel& f) { // flat: height frames hidden, their checks skipped
             f.clickOption(ctl::Option1_0);
             f.clearOption(ctl::Option5_0);
             f.clickOption(ctl::Option5_1);
             f.clickOption(ctl::Option1_0);
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
