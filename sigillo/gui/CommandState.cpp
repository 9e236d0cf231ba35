#include "gui/CommandState.h"

namespace sigillo {

CommandLook CommandState::Repaint() {
    if (!enabled_) {
        state_ = StateDisabled;
        return CommandLook::Disable;
    }
    if (state_ == StateDisabled)
        state_ = StateNormal;
    return CommandLook::Normal;
}

CommandState::Reaction CommandState::MouseMove() {
    if (!enabled_)
        return {};
    if (state_ == StateNormal) {
        state_ = StateHighlighted;
        return {CommandLook::HighLight, false};
    }
    if (state_ == StateSelected && !pressed_) {
        state_ = StateHighlightedSelected;
        return {CommandLook::HighLightSelect, false};
    }
    return {};
}

CommandState::Reaction CommandState::MousePress(CommandMouseButton button) {
    if (!enabled_ || button != CommandMouseButton::Left)
        return {};
    pressed_ = true;
    return {CommandLook::Pressed, false};
}

// Any button released over the control clicks it unless the control only has
// the focus without the mouse over it; the right button therefore clicks too.
CommandState::Reaction CommandState::MouseRelease(CommandMouseButton button) {
    if (!enabled_)
        return {};
    Reaction reaction;
    if (button == CommandMouseButton::Left) {
        pressed_ = false;
        if (state_ == StateHighlighted)
            reaction.look = CommandLook::Normal;
        else if (state_ == StateHighlightedSelected)
            reaction.look = CommandLook::HighLightSelect;
    }
    reaction.click = state_ != StateSelected;
    return reaction;
}

CommandState::Reaction CommandState::FocusIn() {
    if (!enabled_)
        return {};
    if (state_ == StateHighlighted) {
        state_ = StateHighlightedSelected;
        return {CommandLook::Pressed, false};
    }
    state_ = StateSelected;
    return {CommandLook::Selected, false};
}

CommandState::Reaction CommandState::FocusOut() {
    if (!enabled_ || state_ == StateNormal)
        return {};
    state_ = StateNormal;
    return {CommandLook::Normal, false};
}

CommandState::Reaction CommandState::AccessKey() {
    if (!enabled_)
        return {};
    state_ = StateHighlighted;
    Reaction focus = FocusIn();
    Reaction release = MouseRelease(CommandMouseButton::Left);
    if (!release.look)
        release.look = focus.look;
    return release;
}

CommandState::Reaction CommandState::TimerTick(bool pointerOverControl) {
    if (pointerOverControl)
        return {};
    if (!enabled_) {
        if (state_ == StateDisabled)
            return {};
        state_ = StateDisabled;
        return {CommandLook::Disable, false};
    }
    if (state_ == StateHighlighted) {
        state_ = StateNormal;
        return {CommandLook::Normal, false};
    }
    if (state_ == StateHighlightedSelected) {
        state_ = StateSelected;
        return {CommandLook::Selected, false};
    }
    return {};
}

bool CommandState::ReversedForPaint() {
    if (state_ == StateNormal || state_ == StateSelected)
        reversed_ = false;
    else if (state_ == StateHighlighted)
        reversed_ = true;
    return reversed_;
}

} // namespace sigillo
