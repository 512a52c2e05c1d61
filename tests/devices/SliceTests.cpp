// Simulated time cut into slices of any length, with single steps among them while the
// program runs, gives what one long run gives: the same port trace, registers, RAM, devices
// and timers. Over every example program, with every device plugged in and clicked on the way.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <variant>
#include <vector>

#include "DeviceMachine.h"
#include "core/Scheduler.h"
#include "marking/DeviceReport.h"
#include "marking/Events.h"
#include "marking/PortTrace.h"
#include "marking/QueuedKeys.h"

namespace {

constexpr int64_t TotalMs = 20000;

const char* const Clicks[] = {"150:keypad:5",         "400:lift:call-top", "900:thermometer:30",
                              "1200:keyboard:A",      "2600:keypad:E",     "3000:lift:repair",
                              "7000:lift:call-bottom"};

std::vector<std::filesystem::path> ExamplePrograms() {
    std::vector<std::filesystem::path> programs;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(CORVANE_EXAMPLES)) {
        if (entry.path().extension() == ".asm") {
            programs.push_back(entry.path());
        }
    }
    std::sort(programs.begin(), programs.end());
    return programs;
}

std::string SourceOf(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

struct Outcome {
    std::vector<std::string> Trace;
    std::vector<int> Registers;
    std::vector<int> Ram;
    std::vector<std::string> Devices;
    int64_t Steps = 0;
    bool Running = false;
    ClockPhases Phases;
};

// Chooses the next move: a slice of so many ms, or a single step (nullopt).
using Slicer = std::function<std::optional<int64_t>(int64_t leftMs)>;

// Runs the program for TotalMs of simulated time at a 7 ms clock and a 140 ms hardware timer,
// so that the hardware timer's ticks fall on those of the clock.
Outcome Drive(const std::string& source, const Slicer& next) {
    DeviceMachine m(source);
    EXPECT_TRUE(m.Assemble());
    m.ui.QueueKeys("HELLO\r");
    m.control.SetIntervalsExactly(7, 140);
    Outcome outcome;
    int64_t now = 0;
    ClockHooks hooks;
    hooks.NowMs = &now;
    for (const char* click : Clicks) {
        hooks.Actions.push_back(
            InputAction(std::get<DeviceEvent>(ParseDeviceEvent(click)), m.devices));
    }
    const PortTrace trace(m.machine, now, [&outcome](const PortAccess& access) {
        outcome.Trace.push_back(PortAccessLine(access));
    });
    hooks.KeyAwaited = [&m, &trace] { SupplyQueuedKey(m.machine, m.ui, &trace); };
    Scheduler clock(m.machine, m.control, m.devices.Timers(), std::move(hooks));
    m.Start();
    while (clock.NowMs() < TotalMs) {
        const int64_t left = TotalMs - clock.NowMs();
        const std::optional<int64_t> slice = next(left);
        const bool step = !slice && m.Running() && clock.Phases().CpuDueMs <= TotalMs;
        outcome.Steps +=
            (step ? clock.Step() : clock.RunFor(std::min(slice.value_or(1), left))).Steps;
    }
    for (int index = 0; index < RegisterCount; ++index) {
        outcome.Registers.push_back(m.Reg(index));
    }
    for (int address = 0; address < 256; ++address) {
        outcome.Ram.push_back(m.Cell(address));
    }
    outcome.Devices = DeviceLines(m.devices);
    outcome.Running = m.Running();
    outcome.Phases = clock.Phases();
    return outcome;
}

// Random slices, mostly short as the workbench's, now and then long, and single steps.
Slicer RandomSlices(unsigned seed) {
    return [random = std::mt19937(seed)](int64_t) mutable -> std::optional<int64_t> {
        const unsigned dice = random() % 10;
        if (dice == 0) {
            return std::nullopt;
        }
        return dice == 1 ? static_cast<int64_t>(random() % 1000)
                         : static_cast<int64_t>(random() % 40);
    };
}

TEST(Slices, OfAnySizeGiveWhatOneLongRunGives) {
    const std::vector<std::filesystem::path> programs = ExamplePrograms();
    ASSERT_GE(programs.size(), 5u);
    for (const std::filesystem::path& program : programs) {
        SCOPED_TRACE(program.string());
        const std::string source = SourceOf(program);
        const Outcome whole = Drive(source, [](int64_t left) { return left; });
        EXPECT_GT(whole.Steps, 0);
        for (unsigned seed = 1; seed <= 4; ++seed) {
            SCOPED_TRACE(seed);
            const Outcome sliced = Drive(source, RandomSlices(seed));
            EXPECT_EQ(sliced.Trace, whole.Trace);
            EXPECT_EQ(sliced.Registers, whole.Registers);
            EXPECT_EQ(sliced.Ram, whole.Ram);
            EXPECT_EQ(sliced.Devices, whole.Devices);
            EXPECT_EQ(sliced.Steps, whole.Steps);
            EXPECT_EQ(sliced.Running, whole.Running);
            EXPECT_TRUE(sliced.Phases == whole.Phases);
        }
    }
}

} // namespace
