#include "marking/DeviceReport.h"

#include "devices/DeviceTable.h"

std::vector<std::string> DeviceLines(const Peripherals& devices) {
    std::vector<std::string> lines;
    for (const DeviceRow& row : DeviceTable) {
        if (row.ReportName) {
            lines.push_back(row.ReportName + (' ' + row.Report(devices)));
        }
    }
    return lines;
}

std::string DeviceLine(const Peripherals& devices, std::string_view device) {
    for (std::string& line : DeviceLines(devices)) {
        if (line.starts_with(device) && line.size() > device.size() && line[device.size()] == ' ') {
            return line;
        }
    }
    return {};
}

void PrintDevices(std::ostream& out, const Peripherals& devices) {
    for (const std::string& line : DeviceLines(devices)) {
        out << line << '\n';
    }
}

std::vector<std::string_view> ReportedDeviceNames() {
    std::vector<std::string_view> names;
    for (const DeviceRow& row : DeviceTable) {
        if (row.ReportName) {
            names.emplace_back(row.ReportName);
        }
    }
    return names;
}

std::string ListedNames(const std::vector<std::string_view>& names) {
    std::string text;
    for (size_t i = 0; i < names.size(); ++i) {
        if (i > 0) {
            text += i + 1 == names.size() ? " and " : ", ";
        }
        text += names[i];
    }
    return text;
}
