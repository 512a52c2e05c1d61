#pragma once

#include <cstdint>

#include "core/Peripheral.h"
#include "devices/Peripherals.h"
#include "devices/Picture.h"

// Each device's picture as its state stands, and what a click on one of its hot areas (or
// the key that stands for it) does, for every front end. A device without a picture here
// gives an empty one and takes no actions.
Picture DevicePicture(Peripheral window, const Peripherals& devices);
// Works a hot area's action on the device; false when the device has no such action.
bool DeviceAction(Peripheral window, Peripherals& devices, int action);

// The action of the hot area under a picture point, or NoAction.
inline constexpr int NoAction = -1;
int ActionAt(const Picture& picture, PixelPoint at);
// The action a character typed in the device's window works, as the desktop's keypad and
// on-screen keyboard take keys (the keypad's actions are the characters themselves), or
// NoAction.
int TypedKeyAction(Peripheral window, uint8_t code);
