#pragma once

#include "devices/OnScreenKeyboard.h"
#include "devices/Picture.h"

// The on-screen keyboard: a British keyboard drawn on the regions of the key map, a legend
// key at the bottom right and the port's words at the bottom left. Each region of the key
// map is a hot area whose action is its place in the map; the rest of the picture is one
// more, KeyboardBeside, where a click stores 00.
Picture KeyboardPicture();

inline constexpr int KeyboardBeside = 0x1000;
// Presses the key of the region the action names, or stores 00 for KeyboardBeside; false
// for an action that is neither.
bool KeyboardAction(OnScreenKeyboard& keyboard, int action);
