#pragma once

#include <Qt>

class QKeyEvent;

// Translation of Qt input events into the codes the old Windows runtime hands
// to its event procedures, so handlers written against those codes keep working.

// Windows virtual-key code of a key press.
//  - letters A-Z: 65-90 whatever the shift state; digits 0-9: 48-57;
//    shifted digit symbols on a US layout (!@#$%^&*()) give their digit's code
//  - Backspace 8, Tab/Backtab 9, Clear 12, Return/Enter 13, Shift 16,
//    Control 17, Alt/AltGr 18, Pause 19, CapsLock 20, Escape 27, Space 32,
//    PageUp 33, PageDown 34, End 35, Home 36, Left 37, Up 38, Right 39,
//    Down 40, Print 44, Insert 45, Delete 46, Help 47, Meta 91, Menu 93,
//    F1-F24 112-135, NumLock 144, ScrollLock 145
//  - keypad (KeypadModifier): 0-9 96-105, * 106, + 107, - 109, . 110, / 111
//  - US punctuation keys, either shift state: ;: 186, =+ 187, ,< 188,
//    -_ 189, .> 190, /? 191, `~ 192, [{ 219, \| 220, ]} 221, '" 222
//  - anything else: 0
// For an event, a key that types "," is the comma key (188) and a key that types "." the
// period key (190) on any layout, with any modifier and on the keypad; the rest goes by the
// key code as above.
int windowsKeyCode(const QKeyEvent* event);
int windowsKeyCode(int qtKey, Qt::KeyboardModifiers modifiers);

// Shift argument of key and mouse events: 1 Shift, 2 Ctrl, 4 Alt (summed).
int windowsShiftState(Qt::KeyboardModifiers modifiers);

// Button argument of mouse events: 1 left, 2 right, 4 middle, 0 others.
int windowsMouseButton(Qt::MouseButton button);
