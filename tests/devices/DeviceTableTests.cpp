#include <gtest/gtest.h>

#include <set>
#include <string>

#include "DeviceMachine.h"
#include "devices/DeviceTable.h"

namespace {

// The device windows the headless interface shows.
std::set<Peripheral> VisibleDevices(const HeadlessUi& ui) {
    std::set<Peripheral> shown;
    for (const DeviceRow& row : DeviceTable) {
        if (ui.IsPeripheralVisible(row.Window)) {
            shown.insert(row.Window);
        }
    }
    return shown;
}

const DeviceRow* RowOnPort(int port) {
    for (const DeviceRow& row : DeviceTable) {
        if (row.Port == port) {
            return &row;
        }
    }
    return nullptr;
}

// Through the CPU: OUT to a device's port shows its window and no other, and CLO closes it;
// IN and OUT reach the parts of the model the row names. A port without a row has nothing.
TEST(DeviceTable, EveryPortDoesWhatItsRowSays) {
    for (int port = 1; port < PortCount; ++port) {
        SCOPED_TRACE("port " + HexByte(port));
        DeviceMachine m("OUT " + HexByte(port) + "\nCLO\nEND\n");
        const PortEntry& entry = m.machine.Ports.Port(port);
        const DeviceRow* row = RowOnPort(port);
        const DeviceModel model = row ? row->Model(m.devices) : DeviceModel{};
        EXPECT_EQ(entry.Input, model.Input);
        EXPECT_EQ(entry.Output, model.Output);
        m.Step();
        EXPECT_EQ(VisibleDevices(m.ui),
                  row ? std::set<Peripheral>{row->Window} : std::set<Peripheral>{});
        m.Step();
        EXPECT_TRUE(VisibleDevices(m.ui).empty());
    }
}

TEST(DeviceTable, CloseListHoldsEveryDeviceWindowOnceAtItsRank) {
    ASSERT_EQ(DeviceCloseList.size(), DeviceTable.size());
    for (const DeviceRow& row : DeviceTable) {
        EXPECT_EQ(DeviceCloseList[row.CloseRank], row.Window) << row.SettingsSection;
    }
    HeadlessUi ui;
    for (const DeviceRow& row : DeviceTable) {
        ui.ShowPeripheral(row.Window);
    }
    ui.ShowPeripheral(Peripheral::RamView);
    ui.HideAllPeripherals();
    EXPECT_TRUE(VisibleDevices(ui).empty());
    EXPECT_TRUE(ui.IsPeripheralVisible(Peripheral::RamView));
}

// The heater's timer ticks before the lift's at the same instant.
TEST(DeviceTable, TimersAreTheRowsTimersInTableOrder) {
    DeviceMachine m;
    std::vector<TimedDevice*> expected;
    for (const DeviceRow& row : DeviceTable) {
        if (TimedDevice* timer = row.Model(m.devices).Timer) {
            expected.push_back(timer);
        }
    }
    EXPECT_EQ(m.devices.Timers(), expected);
    EXPECT_EQ(expected, (std::vector<TimedDevice*>{&m.devices.Heating, &m.devices.Car}));
}

// Each row names its settings section and corvane-cli's line once, and a device with a
// line has a way to make it.
TEST(DeviceTable, SectionsAndLineNamesAreDistinct) {
    std::set<std::string> sections;
    std::set<std::string> names;
    for (const DeviceRow& row : DeviceTable) {
        EXPECT_TRUE(sections.insert(row.SettingsSection).second) << row.SettingsSection;
        if (row.ReportName) {
            EXPECT_TRUE(names.insert(row.ReportName).second) << row.ReportName;
            EXPECT_NE(row.Report, nullptr) << row.ReportName;
        }
        EXPECT_EQ(row.EventName == nullptr, row.ParseEvent == nullptr) << row.SettingsSection;
    }
}

} // namespace
