#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <type_traits>

#include "core/MachineState.h"
#include "core/RunEnd.h"
#include "core/Scheduler.h"
#include "devices/Peripherals.h"

// The whole machine at one moment, as plain values: RAM, registers, the run state, the
// clocks and every device. It holds no pointers, but it belongs to one assembly: the texts
// of the cells not yet written come from that assembly's tokens, so a snapshot is only
// restored while the program it was taken from stays assembled.
struct MachineSnapshot {
    std::array<uint8_t, 256> Ram{};
    std::bitset<256> Overwritten;
    std::array<int16_t, RegisterCount> Reg{};
    bool NeedsAssembly = true;
    bool NoError = false;
    bool Running = false;
    bool AwaitingKey = false;
    bool ResumeAfterInput = false;
    int LastShownIP = 0;
    RunEnd Ended = RunEnd::None;
    int CpuClockInterval = 0;
    int HwTimerInterval = 0;
    ClockPhases Phases;
    Peripherals::State Devices;

    bool operator==(const MachineSnapshot&) const = default;
};

static_assert(std::is_trivially_copyable_v<MachineSnapshot>);
static_assert(sizeof(MachineSnapshot) <= 1024, "a snapshot stays small enough to copy in no time");
