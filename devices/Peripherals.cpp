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

Peripherals::State Peripherals::CurrentState() const {
    return {Heating.CurrentState(),  Car.CurrentState(),   Snake.CurrentState(),
            Digits.CurrentState(),   Motor.CurrentState(), Lights.CurrentState(),
            Keyboard.CurrentState(), Pad.CurrentState()};
}

void Peripherals::Restore(const State& state) {
    Heating.Restore(state.Heating);
    Car.Restore(state.Car);
    Snake.Restore(state.Snake);
    Digits.Restore(state.Digits);
    Motor.Restore(state.Motor);
    Lights.Restore(state.Lights);
    Keyboard.Restore(state.Keyboard);
    Pad.Restore(state.Pad);
}
