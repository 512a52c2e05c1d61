// A snapshot gives back the whole machine: run N steps, take it, run M more, restore it and
// run M again, and every report and every state along the way is the same. Over every
// example program and programs that drive every device.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "DeviceMachine.h"
#include "InterruptProgram.h"
#include "devices/WholeMachine.h"
#include "marking/DeviceReport.h"
#include "marking/Events.h"

namespace {

const char* const Clicks[] = {"150:keypad:5", "400:lift:call-top", "900:thermometer:30",
                              "1200:keyboard:A", "3000:lift:repair"};

// What one move of the front end saw.
struct Frame {
    SliceReport Report;
    MachineSnapshot State;
    std::vector<std::string> Devices; // as corvane-cli reports them

    bool operator==(const Frame& other) const {
        return Report.How == other.Report.How && Report.Ended == other.Report.Ended &&
               Report.Steps == other.Report.Steps && State == other.State &&
               Devices == other.Devices;
    }
};

// A machine with every device, its clock at 7 ms and the hardware timer at 140 ms, and the
// device clicks at their times.
struct Rig {
    DeviceMachine m;
    std::unique_ptr<Scheduler> clock;
    std::unique_ptr<WholeMachine> whole;

    explicit Rig(const std::string& source) : m(source) {
        EXPECT_TRUE(m.Assemble()) << m.ui.LastError();
        m.control.SetIntervalsExactly(7, 140);
        ClockHooks hooks;
        for (const char* click : Clicks) {
            hooks.Actions.push_back(
                InputAction(std::get<DeviceEvent>(ParseDeviceEvent(click)), m.devices));
        }
        clock =
            std::make_unique<Scheduler>(m.machine, m.control, m.devices.Timers(), std::move(hooks));
        whole = std::make_unique<WholeMachine>(m.machine, m.control, m.devices, *clock);
        m.Start();
    }

    // A step while the program runs, else 23 ms of time; an awaited key gets one.
    Frame Move() {
        Frame frame;
        frame.Report = m.Running() ? clock->Step() : clock->RunFor(23);
        if (m.machine.AwaitingKey()) {
            m.machine.SupplyKey('7');
        }
        frame.State = whole->Snapshot();
        frame.Devices = DeviceLines(m.devices);
        return frame;
    }
    std::vector<Frame> Moves(int count) {
        std::vector<Frame> frames;
        for (int i = 0; i < count; ++i) {
            frames.push_back(Move());
        }
        return frames;
    }
};

std::string SourceOf(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

struct ProgramCase {
    std::string Name;
    std::string Source;
    friend void PrintTo(const ProgramCase& c, std::ostream* out) { *out << c.Name; }
};

std::vector<ProgramCase> Programs() {
    std::vector<ProgramCase> programs;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(CORVANE_EXAMPLES)) {
        if (entry.path().extension() == ".asm") {
            programs.push_back({entry.path().lexically_relative(CORVANE_EXAMPLES).string(),
                                SourceOf(entry.path())});
        }
    }
    std::sort(programs.begin(), programs.end(),
              [](const ProgramCase& a, const ProgramCase& b) { return a.Name < b.Name; });
    const auto loop = [](const std::string& body) {
        return "Again:\n" + body + "JMP Again\nEND\n";
    };
    programs.push_back({"lights", loop("MOV AL,84\nOUT 01\nMOV AL,48\nOUT 01\n")});
    programs.push_back({"digits", loop("MOV AL,FA\nOUT 02\nMOV AL,0B\nOUT 02\n")});
    programs.push_back({"heater", loop("IN 03\nAND AL,01\nXOR AL,01\nMUL AL,80\nOUT 03\n")});
    programs.push_back({"maze", loop("MOV AL,4F\nOUT 04\nMOV AL,1F\nOUT 04\nMOV AL,FF\nOUT 04\n")});
    programs.push_back(
        {"motor", loop("MOV AL,01\nOUT 05\nMOV AL,03\nOUT 05\nMOV AL,02\nOUT 05\n")});
    programs.push_back({"lift", loop("IN 06\nAND AL,20\nJZ Again\nMOV AL,01\nOUT 06\n")});
    programs.push_back({"keys", InterruptProgram});
    programs.push_back({"vdu", loop("IN 00\nMOV [C0],AL\nINC AL\nMOV [C1],AL\n")});
    return programs;
}

class Restored : public testing::TestWithParam<ProgramCase> {};

TEST_P(Restored, RunsOnAsItDidFromTheSnapshot) {
    for (const int before : {0, 37, 400}) {
        SCOPED_TRACE(before);
        Rig rig(GetParam().Source);
        rig.Moves(before);
        const MachineSnapshot snapshot = rig.whole->Snapshot();
        const std::vector<Frame> first = rig.Moves(300);
        rig.whole->Restore(snapshot);
        EXPECT_TRUE(rig.whole->Snapshot() == snapshot);
        const std::vector<Frame> again = rig.Moves(300);
        ASSERT_EQ(first.size(), again.size());
        for (size_t i = 0; i < first.size(); ++i) {
            ASSERT_TRUE(first[i] == again[i]) << "move " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Programs, Restored, testing::ValuesIn(Programs()),
                         [](const testing::TestParamInfo<ProgramCase>& info) {
                             std::string name = info.param.Name;
                             std::replace_if(
                                 name.begin(), name.end(), [](char c) { return !isalnum(c); }, '_');
                             return name;
                         });

struct EndCase {
    const char* Name;
    const char* Source;
    RunEnd Ended;
};

// Taken before the end and after it, a snapshot gives the run back, and it ends again the
// same way; restored after the end, the machine stands as it stood.
TEST(RestoredEnd, EndsTheSameWayAgain) {
    const EndCase cases[] = {
        {"halt", "INC AL\nINC AL\nHALT\nEND\n", RunEnd::Halt},
        {"divide", "MOV AL,05\nMOV BL,00\nDIV AL,BL\nEND\n", RunEnd::DivideByZero},
        {"illegal", "NOP\nDB 01\nEND\n", RunEnd::Error},
        {"maze", "MOV AL,8F\nOUT 04\nOUT 04\nOUT 04\nEND\n", RunEnd::MazeEdge},
    };
    for (const EndCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Rig rig(c.Source);
        const MachineSnapshot start = rig.whole->Snapshot();
        const std::vector<Frame> first = rig.Moves(500);
        const MachineSnapshot ended = rig.whole->Snapshot();
        EXPECT_EQ(ended.Ended, c.Ended);
        EXPECT_FALSE(ended.Running);
        rig.whole->Restore(start);
        EXPECT_TRUE(rig.whole->Snapshot() == start);
        EXPECT_TRUE(rig.Moves(500) == first);
        rig.whole->Restore(ended);
        EXPECT_TRUE(rig.whole->Snapshot() == ended);
    }
}

// IN 00 awaits its key across a restore, and a snapshot taken before it leaves no key awaited.
TEST(RestoredKeyWait, AwaitsTheKeyAgain) {
    DeviceMachine m("MOV AL,01\nIN 00\nMOV [80],AL\nHALT\nEND\n");
    ASSERT_TRUE(m.Assemble());
    Scheduler clock(m.machine, m.control, m.devices.Timers());
    WholeMachine whole(m.machine, m.control, m.devices, clock);
    m.Start();
    clock.Step();
    const MachineSnapshot beforeIn = whole.Snapshot();
    EXPECT_EQ(clock.Step().How, SliceEnd::AwaitingKey);
    const MachineSnapshot waiting = whole.Snapshot();
    m.machine.SupplyKey('x');
    EXPECT_EQ(clock.RunFor(10000).Ended, RunEnd::Halt);
    EXPECT_EQ(m.Cell(0x80), 'x');

    whole.Restore(waiting);
    EXPECT_TRUE(m.machine.AwaitingKey());
    EXPECT_EQ(clock.RunFor(10000).How, SliceEnd::AwaitingKey);
    m.machine.SupplyKey('y');
    EXPECT_EQ(clock.RunFor(10000).Ended, RunEnd::Halt);
    EXPECT_EQ(m.Cell(0x80), 'y');

    whole.Restore(waiting);
    whole.Restore(beforeIn);
    EXPECT_FALSE(m.machine.AwaitingKey());
    EXPECT_EQ(clock.Step().How, SliceEnd::AwaitingKey);
}

struct TimerCase {
    const char* Name;
    const char* Source;
    int64_t BeforeMs;
    std::function<int(const Peripherals&)> Reading;
};

// A device's own timer ticks at the same phase after a restore: the heater warms and the lift
// climbs (and crashes) exactly as before.
TEST(RestoredTimers, TickAsTheyDidBefore) {
    const TimerCase cases[] = {
        {"heater", "MOV AL,80\nOUT 03\nHALT\nEND\n", 3500,
         [](const Peripherals& d) { return static_cast<int>(d.Heating.Temperature() * 1000); }},
        {"lift", "MOV AL,01\nOUT 06\nHALT\nEND\n", 750,
         [](const Peripherals& d) { return d.Car.CarTop() * 2 + (d.Car.Crashed() ? 1 : 0); }},
    };
    for (const TimerCase& c : cases) {
        SCOPED_TRACE(c.Name);
        DeviceMachine m(c.Source);
        ASSERT_TRUE(m.Assemble());
        Scheduler clock(m.machine, m.control, m.devices.Timers());
        WholeMachine whole(m.machine, m.control, m.devices, clock);
        m.Start();
        clock.RunFor(c.BeforeMs);
        const MachineSnapshot snapshot = whole.Snapshot();
        std::vector<int> first;
        for (int slice = 0; slice < 40; ++slice) {
            clock.RunFor(250);
            first.push_back(c.Reading(m.devices));
        }
        EXPECT_NE(first.front(), first.back());
        whole.Restore(snapshot);
        std::vector<int> again;
        for (int slice = 0; slice < 40; ++slice) {
            clock.RunFor(250);
            again.push_back(c.Reading(m.devices));
        }
        EXPECT_EQ(again, first);
    }
}

// The status line shows the instruction a restored cell holds, and nothing for a cell the
// restored program had written over.
TEST(RestoredCells, ShowTheirInstructionWhileTheyHoldIt) {
    Rig rig("MOV AL,FF\nMOV [00],AL\nNOP\nEND\n");
    const MachineSnapshot held = rig.whole->Snapshot();
    rig.clock->Step();
    rig.clock->Step();
    const MachineSnapshot written = rig.whole->Snapshot();
    const struct {
        const MachineSnapshot& State;
        bool Shown;
    } cases[] = {{held, true}, {written, false}, {held, true}};
    for (const auto& c : cases) {
        rig.whole->Restore(c.State);
        rig.m.machine.Report.Clear();
        rig.m.control.ButtonResetClick(); // shows the instruction at 00
        EXPECT_EQ(rig.m.machine.Report.SelectionChanged, c.Shown);
        EXPECT_EQ(rig.m.machine.Report.StatusChanged, c.Shown);
    }
}

// A case run in the workbench starts its devices from the empty state, as new devices are.
TEST(DeviceStateTest, NewDevicesHoldTheEmptyState) {
    DeviceMachine rig;
    EXPECT_TRUE(rig.devices.CurrentState() == Peripherals::State{});
}

} // namespace
