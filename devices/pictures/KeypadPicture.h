#pragma once

#include <array>

#include "devices/Keypad.h"
#include "devices/Picture.h"

// The hexadecimal keypad on the face of its window, with "INT 04 / Port 08" below the keys.
// Each key is a hot area whose action is its code; the rest of the picture is one more,
// KeypadBeside, where a click stores FF.
Picture KeypadPicture();

// A key's row is the first whose end lies below y, its column likewise for x.
inline constexpr std::array<int, 4> KeypadRowEnds{33, 61, 88, 113};
inline constexpr std::array<int, 5> KeypadColumnEnds{32, 60, 89, 118, 146};
static_assert(KeypadRowEnds.size() == Keypad::Codes.size() &&
              KeypadColumnEnds.size() == Keypad::Codes[0].size());

inline constexpr int KeypadBeside = 0x100;
// Presses the key with the action's code, or stores FF for KeypadBeside; false for an
// action that is neither.
bool KeypadAction(Keypad& pad, int action);
