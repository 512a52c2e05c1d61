#include "devices/Peripherals.h"

#include "devices/DeviceTable.h"

Peripherals::Peripherals(MachineLink& machine, UserInterface& ui, PortMap& ports)
    : Snake(machine), Motor(ui), Keyboard(machine), Pad(machine) {
    for (const DeviceRow& row : DeviceTable) {
        if (row.Port != NoPort) {
            const DeviceModel model = row.Model(*this);
            ports.Plug(row.Port, row.Window, model.Input, model.Output);
        }
    }
}

std::vector<TimedDevice*> Peripherals::Timers() {
    std::vector<TimedDevice*> timers;
    for (const DeviceRow& row : DeviceTable) {
        if (TimedDevice* timer = row.Model(*this).Timer) {
            timers.push_back(timer);
        }
    }
    return timers;
}
