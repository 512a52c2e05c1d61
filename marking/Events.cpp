#include "marking/Events.h"

#include <ranges>
#include <vector>

#include "devices/DeviceTable.h"
#include "marking/DeviceReport.h"

namespace {

// The devices that take events, from the last row of the table up, as the option's help has
// always named them.
std::vector<const DeviceRow*> EventDevices() {
    std::vector<const DeviceRow*> rows;
    for (const DeviceRow& row : DeviceTable | std::views::reverse) {
        if (row.EventName) {
            rows.push_back(&row);
        }
    }
    return rows;
}

std::string UnknownDevice(std::string_view device) {
    std::vector<std::string_view> names;
    for (const DeviceRow* row : EventDevices()) {
        names.emplace_back(row->EventName);
    }
    return "the devices that take events are " + ListedNames(names) + ", not '" +
           std::string(device) + "'";
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
    const std::string_view device = text.substr(timeEnd + 1, deviceEnd - timeEnd - 1);
    for (const DeviceRow* row : EventDevices()) {
        if (device == row->EventName) {
            ParsedInput input = row->ParseEvent(text.substr(deviceEnd + 1));
            if (auto* problem = std::get_if<std::string>(&input)) {
                return std::move(*problem);
            }
            return DeviceEvent{*time, std::get<DeviceInput>(std::move(input)),
                               std::string(text.substr(timeEnd + 1))};
        }
    }
    return UnknownDevice(device);
}

std::string EventForms() {
    std::string forms;
    for (const DeviceRow* row : EventDevices()) {
        forms += (forms.empty() ? "TIME:" : ", TIME:") + std::string(row->EventName) + ':' +
                 row->EventForms;
    }
    return forms;
}

TimedAction InputAction(const DeviceEvent& event, Peripherals& devices) {
    return {event.AtMs, [input = event.Input, &devices] { input(devices); }};
}
