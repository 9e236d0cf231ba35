#include "gui/CommandState.h"

#include <gtest/gtest.h>

#include <string>

namespace sigillo {
namespace {

// Triggers, one letter each: M mouse move over the control, P left press,
// R left release, r right release, F focus received, f focus lost, K access
// key, T timer tick with the pointer elsewhere, t timer tick with the pointer
// over the control, D the control becomes disabled (no repaint).
struct Outcome {
    CommandState::State state;
    CommandLook look;
    int clicks;
};

Outcome RunTriggers(bool enabled, const std::string& triggers) {
    CommandState s;
    s.setEnabled(enabled);
    s.Initialize();
    CommandLook look = s.Repaint();
    int clicks = 0;
    for (const char t : triggers) {
        CommandState::Reaction r;
        switch (t) {
        case 'M':
            r = s.MouseMove();
            break;
        case 'P':
            r = s.MousePress(CommandMouseButton::Left);
            break;
        case 'R':
            r = s.MouseRelease(CommandMouseButton::Left);
            break;
        case 'r':
            r = s.MouseRelease(CommandMouseButton::Right);
            break;
        case 'F':
            r = s.FocusIn();
            break;
        case 'f':
            r = s.FocusOut();
            break;
        case 'K':
            r = s.AccessKey();
            break;
        case 'T':
            r = s.TimerTick(false);
            break;
        case 't':
            r = s.TimerTick(true);
            break;
        case 'D':
            s.setEnabled(false);
            break;
        default:
            ADD_FAILURE() << "unknown trigger " << t;
        }
        if (r.look)
            look = *r.look;
        clicks += r.click ? 1 : 0;
    }
    return {s.state(), look, clicks};
}

struct TransitionCase {
    const char* name;
    bool enabled;
    const char* triggers;
    Outcome expected;
};

class CommandTransitions : public testing::TestWithParam<TransitionCase> {};

TEST_P(CommandTransitions, EndInStateWithLookAndClicks) {
    const TransitionCase& c = GetParam();
    const Outcome got = RunTriggers(c.enabled, c.triggers);
    EXPECT_EQ(got.state, c.expected.state);
    EXPECT_EQ(got.look, c.expected.look);
    EXPECT_EQ(got.clicks, c.expected.clicks);
}

using S = CommandState;
using L = CommandLook;

const TransitionCase kTransitions[] = {
    {"FreshControlIsNormal", true, "", {S::StateNormal, L::Normal, 0}},
    {"MoveHighlights", true, "M", {S::StateHighlighted, L::HighLight, 0}},
    {"SecondMoveChangesNothing", true, "MM", {S::StateHighlighted, L::HighLight, 0}},
    {"FocusSelects", true, "F", {S::StateSelected, L::Selected, 0}},
    {"FocusWhileHighlightedPaintsPressed", true, "MF", {S::StateHighlightedSelected, L::Pressed, 0}},
    {"MoveOverSelectedHighlightsIt", true, "FM", {S::StateHighlightedSelected, L::HighLightSelect, 0}},
    {"MoveWhilePressedKeepsSelected", true, "FPM", {S::StateSelected, L::Pressed, 0}},
    {"LeftClickWithFocusClicksOnce", true, "MFPR", {S::StateHighlightedSelected, L::HighLightSelect, 1}},
    {"LeftReleaseHighlightedPaintsNormal", true, "MR", {S::StateHighlighted, L::Normal, 1}},
    {"RightReleaseOverUnfocusedClicks", true, "Mr", {S::StateHighlighted, L::HighLight, 1}},
    {"RightReleaseInNormalStateClicks", true, "r", {S::StateNormal, L::Normal, 1}},
    {"ReleaseWhileOnlySelectedDoesNotClick", true, "Fr", {S::StateSelected, L::Selected, 0}},
    {"LeftReleaseWhileOnlySelectedDoesNotClick", true, "FPR", {S::StateSelected, L::Pressed, 0}},
    {"TickAwayUnhighlights", true, "MT", {S::StateNormal, L::Normal, 0}},
    {"TickOverKeepsHighlight", true, "Mt", {S::StateHighlighted, L::HighLight, 0}},
    {"TickAwayKeepsSelection", true, "FMT", {S::StateSelected, L::Selected, 0}},
    {"FocusLostReturnsToNormal", true, "Ff", {S::StateNormal, L::Normal, 0}},
    {"FocusLostFromHighlightSelected", true, "MFf", {S::StateNormal, L::Normal, 0}},
    {"FocusLostInNormalPaintsNothing", true, "f", {S::StateNormal, L::Normal, 0}},
    {"AccessKeyClicks", true, "K", {S::StateHighlightedSelected, L::HighLightSelect, 1}},
    {"AccessKeyThenTickAwayLeavesSelected", true, "KT", {S::StateSelected, L::Selected, 1}},
    {"DisabledIgnoresEverything", false, "MPRrFfK", {S::StateDisabled, L::Disable, 0}},
    {"DisabledTickAwayPaintsDisable", true, "MDT", {S::StateDisabled, L::Disable, 0}},
    {"DisabledTickOverWaits", true, "MDt", {S::StateHighlighted, L::HighLight, 0}},
    {"DisabledIgnoresMove", true, "DM", {S::StateNormal, L::Normal, 0}},
};

INSTANTIATE_TEST_SUITE_P(Table, CommandTransitions, testing::ValuesIn(kTransitions),
                         [](const testing::TestParamInfo<TransitionCase>& info) { return info.param.name; });

TEST(CommandState, NewControlStartsDisabledStateUntilInitialized) {
    CommandState s;
    EXPECT_EQ(s.state(), CommandState::StateDisabled);
    s.Initialize();
    EXPECT_EQ(s.state(), CommandState::StateNormal);
}

TEST(CommandState, RepaintOfEnabledControlLeavesStateZero) {
    CommandState s;
    EXPECT_EQ(s.Repaint(), CommandLook::Normal);
    EXPECT_EQ(s.state(), CommandState::StateNormal);
}

TEST(CommandState, GradientReversesOnlyWhileHighlightedWithoutFocus) {
    CommandState s;
    s.Initialize();
    EXPECT_FALSE(s.ReversedForPaint());
    s.MouseMove();
    EXPECT_TRUE(s.ReversedForPaint());
    s.FocusIn(); // state 4 keeps the direction it had
    EXPECT_TRUE(s.ReversedForPaint());
    s.TimerTick(false); // state 3
    EXPECT_FALSE(s.ReversedForPaint());
}

TEST(CommandState, FocusLinesShowInSelectedStatesOnly) {
    CommandState s;
    s.Initialize();
    EXPECT_FALSE(s.ShowsFocusLines());
    s.FocusIn();
    EXPECT_TRUE(s.ShowsFocusLines());
    s.MouseMove();
    EXPECT_TRUE(s.ShowsFocusLines());
    s.FocusOut();
    EXPECT_FALSE(s.ShowsFocusLines());
}

} // namespace
} // namespace sigillo
