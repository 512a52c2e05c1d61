#pragma once

#include <vector>

#include "devices/Lift.h"
#include "devices/Picture.h"

// The lift in its building: the shaft with the car where the model has it, the motor room,
// the floor contacts and the wires to the port's pins, the state and the byte above and
// below them, the call buttons at the floors (their arrows lit while a call is pending) and
// the repair button under the building. The buttons are the hot areas.
Picture LiftPicture(const Lift& lift);

enum LiftActions : int {
    LiftCallTop = 1,
    LiftCallBottom = 2,
    LiftRepair = 3,
};
// Works an action on the lift as its button does; false for an action it does not know.
bool LiftAction(Lift& lift, int action);

// A call button's arrow in a 16 by 16 box from a corner: outlined while the call may be
// made, red while it is pending.
std::vector<Shape> CallArrowShapes(PicturePoint corner, bool up, bool lit);

// The car at its top edge, the buttons and the labels of the state and the byte, in
// picture pixels.
PixelRect LiftCarPlace(int top);
inline constexpr PixelRect TopCallPlace{8, 104, 32, 128};
inline constexpr PixelRect BottomCallPlace{8, 264, 32, 288};
inline constexpr PixelRect RepairPlace{8, 384, 192, 416};
inline constexpr PixelRect LiftStatePlace{4, 4, 85, 19};
inline constexpr PixelRect LiftDataPlace{31, 361, 158, 376};
