#pragma once
// Keyboard and mouse values as the control's events carry them: Windows virtual
// key codes, shift masks (1 Shift, 2 Ctrl, 4 Alt), button masks (1 left, 2 right,
// 4 middle) and character codes.
#include <QKeyEvent>
#include <QMouseEvent>
#include <optional>

namespace tessara {

inline constexpr int kKeyBack = 8;
inline constexpr int kKeyReturn = 13;
inline constexpr int kKeyEscape = 27;
inline constexpr int kKeySpace = 32;
inline constexpr int kKeyUp = 38;
inline constexpr int kKeyDown = 40;
inline constexpr int kKeyDelete = 46;

int virtualKeyCode(const QKeyEvent& event);
int shiftMask(Qt::KeyboardModifiers modifiers);
// The character code a key types, or -1 when it types none (arrows, Delete, F-keys).
int characterCode(const QKeyEvent& event);
int buttonMask(Qt::MouseButtons buttons);
// For a Tab (true) or Shift+Tab (false) key press, the direction it moves in.
std::optional<bool> tabDirection(const QEvent& event);

} // namespace tessara
