#include "devices/Peripherals.h"

Peripherals::Peripherals(MachineLink& machine, UserInterface& ui, PortMap& ports)
    : Snake(machine), Motor(ui), Keyboard(machine), Pad(machine) {
    ports.PlugOutput(0x01, &Lights);
    ports.PlugOutput(0x02, &Digits);
    ports.PlugInput(0x03, &Heating);
    ports.PlugOutput(0x03, &Heating);
    ports.PlugOutput(0x04, &Snake);
    ports.PlugOutput(0x05, &Motor);
    ports.PlugInput(0x06, &Car);
    ports.PlugOutput(0x06, &Car);
    ports.PlugInput(0x07, &Keyboard);
    ports.PlugInput(0x08, &Pad);
}

std::vector<TimedDevice*> Peripherals::Timers() {
    return {&Heating, &Car};
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
