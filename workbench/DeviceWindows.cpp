#include "workbench/DeviceWindows.h"

#include "core/Assem.h"
#include "devices/DeviceTable.h"
#include "workbench/TFormMain.h"
#include "workbench/devices/TFormKeyPad.h"
#include "workbench/devices/TFormKeyb.h"
#include "workbench/devices/TFormLift.h"
#include "workbench/devices/TformHeat.h"
#include "workbench/devices/TformMaze.h"
#include "workbench/devices/TformSevenSeg.h"
#include "workbench/devices/TformStep.h"
#include "workbench/devices/TformTlight.h"
#include "workbench/devices/TformVdu.h"

namespace {

// A window that shows one of the device models.
template <class Window, auto Model> ToolWindow* Make(TFormMain& form) {
    return new Window(&form, form.Devices().*Model);
}

// Most device windows are fixed in size and stand at the main window's right edge.
FramePlace AtTheRight(const QWidget& window) {
    return EndingAt(window, 800, 30);
}

constexpr DeviceWindowRow Rows[] = {
    {Peripheral::Vdu,
     [](TFormMain& form) -> ToolWindow* { return new TformVdu(&form, form.Machine().Machine); },
     [](const QWidget&) { return Sized(600, 205, 200, 95); }, "vdu"},
    {Peripheral::TrafficLights, Make<TformTlight, &Peripherals::Lights>, AtTheRight,
     "traffic-lights"},
    {Peripheral::SevenSegment, Make<TformSevenSeg, &Peripherals::Digits>, AtTheRight,
     "seven-segment"},
    {Peripheral::Stepper, Make<TformStep, &Peripherals::Motor>, AtTheRight, "stepper-motor"},
    {Peripheral::Maze, Make<TformMaze, &Peripherals::Snake>,
     [](const QWidget& window) { return EndingAt(window, 775, 0); }, "maze"},
    {Peripheral::Heater, Make<TformHeat, &Peripherals::Heating>, AtTheRight, "heater"},
    {Peripheral::Lift, Make<TFormLift, &Peripherals::Car>, AtTheRight, "lift"},
    {Peripheral::Keyboard, Make<TFormKeyb, &Peripherals::Keyboard>,
     [](const QWidget& window) { return InTheCorner(window, 800, 600); }, "keyboard"},
    {Peripheral::Keypad, Make<TFormKeyPad, &Peripherals::Pad>, AtTheRight, "keypad"},
};

// Each device window id in exactly one row.
constexpr bool EachDeviceOnce() {
    std::array<int, DeviceWindowCount> seen{};
    for (const DeviceWindowRow& row : Rows) {
        if (static_cast<size_t>(row.Window) >= seen.size() ||
            seen[static_cast<size_t>(row.Window)]++ != 0) {
            return false;
        }
    }
    return true;
}

static_assert(std::size(Rows) == DeviceTable.size(), "one window row for each device row");
static_assert(EachDeviceOnce(), "every device window id in one window row");

} // namespace

std::span<const DeviceWindowRow> DeviceWindowTable() {
    return Rows;
}
