#include "cli/Events.h"

#include <charconv>
#include <optional>

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

std::variant<DeviceEvent, std::string> KeypadEvent(DeviceEvent event, std::string_view key) {
    std::optional<uint8_t> code;
    if (key == "back") {
        code = 0x08;
    } else if (key == "enter") {
        code = 0x0D;
    } else if (key.size() == 1 && key[0] != 0x08 && key[0] != 0x0D) {
        code = static_cast<uint8_t>(key[0]);
    }
    if (!code || !Keypad::HasKey(*code)) {
        return "no keypad key is called '" + std::string(key) +
               "'; the keys are 0-9, A-F, back and enter";
    }
    event.KeyCode = *code;
    return event;
}

std::variant<DeviceEvent, std::string> KeyboardEvent(DeviceEvent event, std::string_view name) {
    for (const KeyRegion& key : OnScreenKeyMap()) {
        if (key.Name == name) {
            event.KeyCode = key.Code;
            return event;
        }
    }
    return "no on-screen keyboard key is called '" + std::string(name) +
           "'; give the name the keyboard shows, such as A, a, Ctrl+A, 1 or BkSp";
}

std::variant<DeviceEvent, std::string> ThermometerEvent(DeviceEvent event,
                                                        std::string_view degrees) {
    const auto wanted = WholeNumber(degrees);
    if (!wanted || *wanted < 0 || *wanted > Heater::Hottest) {
        return "the thermometer takes whole degrees from 0 to 40, not '" + std::string(degrees) +
               "'";
    }
    event.Degrees = static_cast<int>(*wanted);
    return event;
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

TimedAction InputAction(const DeviceEvent& event, Peripherals& devices) {
    const auto input = [event, &devices] {
        switch (event.Where) {
        case Target::Keypad:
            devices.Pad.Press(event.KeyCode);
            break;
        case Target::Keyboard:
            devices.Keyboard.Press(event.KeyCode);
            break;
        case Target::LiftCallTop:
            devices.Car.CallLift(Lift::Floor::Top);
            break;
        case Target::LiftCallBottom:
            devices.Car.CallLift(Lift::Floor::Bottom);
            break;
        case Target::LiftRepair:
            devices.Car.RepairLift();
            break;
        case Target::Thermometer:
            devices.Heating.SetRoomTemperature(event.Degrees);
            break;
        }
    };
    return {event.AtMs, input};
}
