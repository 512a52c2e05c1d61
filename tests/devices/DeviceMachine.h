#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "assembler/RegisterText.h"
#include "core/VirtualClock.h"
#include "devices/Peripherals.h"
#include "support/TestMachine.h"

// A headless machine with every device plugged in.
struct DeviceMachine : TestMachine {
    Peripherals devices{machine, ui, machine.Ports};

    explicit DeviceMachine(std::string_view source = {}) : TestMachine(source) {}

    // Starts the program as the Run command does.
    void Start() { control.ButtonRunClick(); }
    // One tick of the CPU clock while running.
    void Tick(int count = 1) {
        for (int i = 0; i < count; ++i) {
            control.TimerCPUTimer();
        }
    }
    // Runs in virtual time with the device timers until the run stops; the step count.
    int64_t RunToStop(int64_t clockMs = 100, int64_t maxSteps = 10000) {
        Start();
        return RunInVirtualTime(machine, control, devices.Timers(), {clockMs, 5000, maxSteps})
            .Steps;
    }
    bool Running() const { return machine.Machine.Running; }
    bool NoError() const { return machine.Machine.NoError; }
};

// A program that writes each byte to the port in turn, MOV AL and OUT for each (five bytes
// a byte), then halts.
inline std::string OutProgram(int port, std::initializer_list<int> bytes) {
    std::string source;
    for (int byte : bytes) {
        source += "MOV AL," + HexByte(byte) + "\nOUT " + HexByte(port) + "\n";
    }
    return source + "HALT\nEND\n";
}
