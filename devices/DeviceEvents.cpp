#include "devices/DeviceEvents.h"

#include <charconv>

#include "devices/OnScreenKeyMap.h"
#include "devices/Peripherals.h"

std::optional<int64_t> WholeNumber(std::string_view text) {
    int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

ParsedInput KeypadEvent(std::string_view key) {
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
    return [code = *code](Peripherals& devices) { devices.Pad.Press(code); };
}

ParsedInput KeyboardEvent(std::string_view name) {
    for (const KeyRegion& key : OnScreenKeyMap()) {
        if (key.Name == name) {
            return [code = key.Code](Peripherals& devices) { devices.Keyboard.Press(code); };
        }
    }
    return "no on-screen keyboard key is called '" + std::string(name) +
           "'; give the name the keyboard shows, such as A, a, Ctrl+A, 1 or BkSp";
}

ParsedInput LiftEvent(std::string_view button) {
    if (button == "call-top") {
        return [](Peripherals& devices) { devices.Car.CallLift(Lift::Floor::Top); };
    }
    if (button == "call-bottom") {
        return [](Peripherals& devices) { devices.Car.CallLift(Lift::Floor::Bottom); };
    }
    if (button == "repair") {
        return [](Peripherals& devices) { devices.Car.RepairLift(); };
    }
    return "the lift's buttons are call-top, call-bottom and repair, not '" + std::string(button) +
           "'";
}

ParsedInput ThermometerEvent(std::string_view degrees) {
    const auto wanted = WholeNumber(degrees);
    if (!wanted || *wanted < 0 || *wanted > Heater::Hottest) {
        return "the thermometer takes whole degrees from 0 to 40, not '" + std::string(degrees) +
               "'";
    }
    return [degrees = static_cast<int>(*wanted)](Peripherals& devices) {
        devices.Heating.SetRoomTemperature(degrees);
    };
}
