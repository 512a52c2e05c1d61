#include "cli/Events.h"

#include <charconv>

#include "devices/OnScreenKeyMap.h"
#include "devices/Peripherals.h"

namespace {

using Target = DeviceEvent::Target;

std::optional<int64_t> WholeNumber(std::string_view text) {
    int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// The middle of the first keypad key that stores `code`.
std::optional<std::pair<int, int>> KeypadSpot(uint8_t code) {
    for (size_t row = 0; row < Keypad::RowEnds.size(); ++row) {
        for (size_t column = 0; column < Keypad::ColumnEnds.size(); ++column) {
            if (Keypad::Codes[row][column] == code) {
                const int left = column == 0 ? 0 : Keypad::ColumnEnds[column - 1];
                const int top = row == 0 ? 0 : Keypad::RowEnds[row - 1];
                return std::pair{(left + Keypad::ColumnEnds[column]) / 2,
                                 (top + Keypad::RowEnds[row]) / 2};
            }
        }
    }
    return std::nullopt;
}

std::variant<DeviceEvent, std::string> KeypadEvent(DeviceEvent event, std::string_view key) {
    std::optional<std::pair<int, int>> spot;
    if (key == "back") {
        spot = KeypadSpot(0x08);
    } else if (key == "enter") {
        spot = KeypadSpot(0x0D);
    } else if (key.size() == 1 && key[0] != 0x08 && key[0] != 0x0D) {
        spot = KeypadSpot(static_cast<uint8_t>(key[0]));
    }
    if (!spot) {
        return "no keypad key is called '" + std::string(key) +
               "'; the keys are 0-9, A-F, back and enter";
    }
    event.X = spot->first;
    event.Y = spot->second;
    return event;
}

std::variant<DeviceEvent, std::string> KeyboardEvent(DeviceEvent event, std::string_view name) {
    for (const KeyRegion& key : OnScreenKeyMap()) {
        if (key.Name == name) {
            event.X = (key.Left + key.Right) / 2;
            event.Y = (key.Top + key.Bottom) / 2;
            return event;
        }
    }
    return "no on-screen keyboard key is called '" + std::string(name) +
           "'; give the name the keyboard shows, such as A, a, Ctrl+A, 1 or BkSp";
}

// The first height whose click sets the thermometer to `degrees`.
std::variant<DeviceEvent, std::string> ThermometerEvent(DeviceEvent event,
                                                        std::string_view degrees) {
    const auto wanted = WholeNumber(degrees);
    for (int y = Heater::ColumnBottom + 10; wanted && y >= 0; --y) {
        Heater probe;
        probe.Image1MouseDown(y);
        if (probe.Temperature() == static_cast<double>(*wanted)) {
            event.Y = y;
            return event;
        }
    }
    return "the thermometer takes whole degrees from 0 to 40, not '" + std::string(degrees) + "'";
}

std::variant<DeviceEvent, std::string> LiftEvent(DeviceEvent event, std::string_view button) {
    if (button == "call-top") {
        event.Where = Target::LiftCallTop;
    } else if (button == "call-bottom") {
        event.Where = Target::LiftCallBottom;
    } else if (button == "repair") {
        event.Where = Target::LiftRepair;
    } else {
        return "the lift's buttons are call-top, call-bottom and repair, not '" +
               std::string(button) + "'";
    }
    return event;
}

} // namespace

std::variant<DeviceEvent, std::string> ParseDeviceEvent(std::string_view text) {
    const size_t timeEnd = text.find(':');
    const size_t deviceEnd = text.find(':', timeEnd == std::string_view::npos ? 0 : timeEnd + 1);
    if (deviceEnd == std::string_view::npos) {
        return "an event is TIME:DEVICE:WHAT, such as 2500:keypad:7, not '" + std::string(text) +
               "'";
    }
    const auto time = WholeNumber(text.substr(0, timeEnd));
    if (!time || *time < 0) {
        return "an event's time is a whole number of milliseconds from 0, not '" +
               std::string(text.substr(0, timeEnd)) + "'";
    }
    DeviceEvent event;
    event.AtMs = *time;
    const std::string_view device = text.substr(timeEnd + 1, deviceEnd - timeEnd - 1);
    const std::string_view what = text.substr(deviceEnd + 1);
    if (device == "keypad") {
        return KeypadEvent(event, what);
    }
    if (device == "keyboard") {
        event.Where = Target::Keyboard;
        return KeyboardEvent(event, what);
    }
    if (device == "lift") {
        return LiftEvent(event, what);
    }
    if (device == "thermometer") {
        event.Where = Target::Thermometer;
        return ThermometerEvent(event, what);
    }
    return "the devices that take events are keypad, keyboard, lift and thermometer, not '" +
           std::string(device) + "'";
}

TimedAction ClickAction(const DeviceEvent& event, Peripherals& devices) {
    const auto click = [event, &devices] {
        switch (event.Where) {
        case Target::Keypad:
            devices.Pad.ImageKeyPadMouseDown(event.X, event.Y);
            break;
        case Target::Keyboard:
            devices.Keyboard.Image1MouseDown(event.X, event.Y);
            break;
        // A button the window shows disabled takes no click.
        case Target::LiftCallTop:
            if (devices.Car.SpeedButtonUpEnabled()) {
                devices.Car.SpeedButtonUpClick();
            }
            break;
        case Target::LiftCallBottom:
            if (devices.Car.SpeedButtonDownEnabled()) {
                devices.Car.SpeedButtonDownClick();
            }
            break;
        case Target::LiftRepair:
            if (devices.Car.ButtonEngineerEnabled()) {
                devices.Car.ButtonEngineerClick();
            }
            break;
        case Target::Thermometer:
            devices.Heating.Image1MouseDown(event.Y);
            break;
        }
    };
    return {event.AtMs, click};
}
