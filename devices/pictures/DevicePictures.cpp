#include "devices/pictures/DevicePictures.h"

#include <algorithm>
#include <array>

#include "devices/OnScreenKeyMap.h"
#include "devices/pictures/HeaterPicture.h"
#include "devices/pictures/KeyboardPicture.h"
#include "devices/pictures/KeypadPicture.h"
#include "devices/pictures/LiftPicture.h"
#include "devices/pictures/MazePicture.h"
#include "devices/pictures/SevenSegmentPicture.h"
#include "devices/pictures/StepperPicture.h"
#include "devices/pictures/TrafficLightsPicture.h"

namespace {

struct PictureRow {
    Peripheral Window;
    Picture (*Draw)(const Peripherals& devices) = nullptr;
    // Null for a device that takes no clicks.
    bool (*Act)(Peripherals& devices, int action) = nullptr;
    // The action of the hot area a typed character stands for; null for a device that takes
    // no typed keys.
    int (*Typed)(uint8_t code) = nullptr;
};

constexpr std::array PictureTable = {
    PictureRow{
        .Window = Peripheral::TrafficLights,
        .Draw = [](const Peripherals& d) { return TrafficLightsPicture(d.Lights); },
    },
    PictureRow{
        .Window = Peripheral::SevenSegment,
        .Draw = [](const Peripherals& d) { return SevenSegmentPicture(d.Digits); },
    },
    PictureRow{
        .Window = Peripheral::Heater,
        .Draw = [](const Peripherals& d) { return HeaterPicture(d.Heating); },
        .Act = [](Peripherals& d, int action) { return HeaterAction(d.Heating, action); },
    },
    PictureRow{
        .Window = Peripheral::Maze,
        .Draw = [](const Peripherals& d) { return MazePicture(d.Snake); },
    },
    PictureRow{
        .Window = Peripheral::Stepper,
        .Draw = [](const Peripherals& d) { return StepperPicture(d.Motor); },
    },
    PictureRow{
        .Window = Peripheral::Lift,
        .Draw = [](const Peripherals& d) { return LiftPicture(d.Car); },
        .Act = [](Peripherals& d, int action) { return LiftAction(d.Car, action); },
    },
    PictureRow{
        .Window = Peripheral::Keyboard,
        .Draw = [](const Peripherals&) { return KeyboardPicture(); },
        .Act = [](Peripherals& d, int action) { return KeyboardAction(d.Keyboard, action); },
        .Typed =
            [](uint8_t code) {
                const KeyRegion* key = FindKeyByCode(code);
                return key ? static_cast<int>(key - OnScreenKeyMap().data()) : NoAction;
            },
    },
    PictureRow{
        .Window = Peripheral::Keypad,
        .Draw = [](const Peripherals&) { return KeypadPicture(); },
        .Act = [](Peripherals& d, int action) { return KeypadAction(d.Pad, action); },
        // Typed in lower case, a to f press the hexadecimal keys too.
        .Typed =
            [](uint8_t code) {
                return static_cast<int>(code >= 'a' && code <= 'f' ? code - 'a' + 'A' : code);
            },
    },
};

const PictureRow* RowOf(Peripheral window) {
    // Emscripten's standard library has no ranges algorithms.
    const auto* row = std::find_if(PictureTable.begin(), PictureTable.end(),
                                   [window](const PictureRow& r) { return r.Window == window; });
    return row == PictureTable.end() ? nullptr : row;
}

bool Contains(const PixelRect& box, PixelPoint at) {
    return at.X >= box.Left && at.X <= box.Right && at.Y >= box.Top && at.Y <= box.Bottom;
}

} // namespace

Picture DevicePicture(Peripheral window, const Peripherals& devices) {
    const PictureRow* row = RowOf(window);
    return row ? row->Draw(devices) : Picture{};
}

bool DeviceAction(Peripheral window, Peripherals& devices, int action) {
    const PictureRow* row = RowOf(window);
    return row && row->Act && row->Act(devices, action);
}

int TypedKeyAction(Peripheral window, uint8_t code) {
    const PictureRow* row = RowOf(window);
    return row && row->Typed ? row->Typed(code) : NoAction;
}

int ActionAt(const Picture& picture, PixelPoint at) {
    const auto area = std::find_if(picture.Areas.begin(), picture.Areas.end(),
                                   [at](const HotArea& a) { return Contains(a.Box, at); });
    return area == picture.Areas.end() ? NoAction : area->Action;
}
