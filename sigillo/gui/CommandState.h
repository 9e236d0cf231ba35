#pragma once

// The states and transitions of the Command button, apart from any painting,
// so that the table of reactions can be read (and tested) in one place.

#include <cstdint>
#include <optional>

namespace sigillo {

// One bitmap per look of the button.
enum class CommandLook { Normal, HighLight, Selected, HighLightSelect, Pressed, Disable };

enum class CommandMouseButton { Left, Right, Middle };

class CommandState {
public:
    enum State : std::uint8_t {
        StateDisabled = 0,
        StateNormal = 1,
        StateHighlighted = 2,
        StateSelected = 3,
        StateHighlightedSelected = 4,
    };

    // What one trigger asks of the control: a look to paint (if any) and
    // whether the Click event is raised.
    struct Reaction {
        std::optional<CommandLook> look;
        bool click = false;
    };

    State state() const { return state_; }
    bool enabled() const { return enabled_; }
    bool pressed() const { return pressed_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }

    void Initialize() { state_ = StateNormal; }
    CommandLook Repaint();

    Reaction MouseMove();
    Reaction MousePress(CommandMouseButton button);
    Reaction MouseRelease(CommandMouseButton button);
    Reaction FocusIn();
    Reaction FocusOut();
    Reaction AccessKey();
    Reaction TimerTick(bool pointerOverControl);

    // The gradient turns upside down while the mouse is over a button that has
    // no focus, and keeps its direction in the disabled and the
    // highlighted-and-selected states; painting asks for it each time.
    bool ReversedForPaint();

    // The four focus lines are shown only while the button has the focus.
    bool ShowsFocusLines() const { return state_ == StateSelected || state_ == StateHighlightedSelected; }

private:
    bool enabled_ = true;
    bool pressed_ = false;
    bool reversed_ = false;
    State state_ = StateDisabled;
};

} // namespace sigillo
