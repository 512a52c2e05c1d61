// A run that nobody watches (no run log, no breakpoints) makes the steps that only compute
// without reporting each one; the machine, the report and simulated time must end exactly as
// ordinary steps leave them.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "DeviceMachine.h"
#include "core/Scheduler.h"
#include "marking/Events.h"
#include "marking/PortTrace.h"
#include "marking/QueuedKeys.h"

namespace {

// Everything a report holds, as text, so that a difference shows where it is.
std::string Describe(const StepReport& r) {
    std::ostringstream out;
    out << "changed " << int(StepReport::Mask(r.RegisterChanged)) << " marked "
        << int(StepReport::Mask(r.RegisterMarked)) << " clears " << r.ClearsMarks << " cells "
        << r.CellsChanged.to_string() << " vdu " << r.VduChanged << " ports " << r.PortAccessCount
        << ':';
    for (size_t i = 0; i < std::min(r.PortAccessCount, StepReport::PortAccessCapacity); ++i) {
        const PortAccessReport& a = r.PortAccesses[i];
        out << ' ' << a.Input << '/' << int(a.Port) << '/' << int(a.Byte);
    }
    out << " editor";
    for (EditorCommand command : r.Editor) {
        out << ' ' << int(command);
    }
    out << " windows";
    for (const WindowCommand& command : r.Windows) {
        out << ' ' << int(command.Kind) << '/' << int(command.Window);
    }
    out << " key " << r.KeyAwaited << " status " << r.StatusChanged << '/' << int(r.Status.Style)
        << '/' << r.Status.FromSource << '/' << r.Status.Message << '/' << r.Status.SourceStart
        << '/' << r.Status.SourceLength << " errors " << r.ErrorsShown << '/' << r.LastError
        << " selection " << r.SelectionChanged << '/' << r.Selection.Start << '/'
        << r.Selection.Length << " ended " << int(r.Ended);
    return out.str();
}

// The machine apart from its report.
std::string DescribeMachine(const DeviceMachine& m) {
    std::ostringstream out;
    for (int index = 0; index < RegisterCount; ++index) {
        out << m.Reg(index) << ' ';
    }
    for (int address = 0; address < 256; ++address) {
        out << m.Cell(address) << (m.machine.Machine.Overwritten[address] ? "w " : " ");
    }
    out << "shown " << m.machine.LastShownIP << " ended " << int(m.machine.Ended) << " running "
        << m.machine.Machine.Running << " errors " << m.machine.Errors.size();
    return out.str();
}

// Programs whose loops only compute, and how they end: an error, a division by zero, a
// write to the VDU, running off the end of RAM, a jump out of it, a program that changes
// its own code.
const char* const EdgePrograms[] = {
    "\tMOV AL,05\n\tMOV BL,00\nL:\n\tINC CL\n\tCMP CL,10\n\tJNZ L\n\tDIV AL,BL\n\tHALT\nEND\n",
    "\tMOV AL,03\n\tINC AL\n\tDB A4\n\tDB 07\n\tHALT\nEND\n",
    "\tJMP A\n\tORG 70\nA:\n\tINC AL\n\tJMP B\n\tORG F0\nB:\n\tINC BL\n\tDB C0\n\tDB 7F\nEND\n",
    "\tJMP A\n\tORG 78\nA:\n\tJMP B\n\tORG F0\nB:\n\tINC AL\n\tINC AL\n\tINC AL\n\tINC AL\n"
    "\tINC AL\n\tINC AL\n\tINC AL\n\tDB A4\nEND\n",
    "\tMOV AL,41\n\tMOV BL,B8\nL:\n\tMOV [BL],AL\n\tINC AL\n\tINC BL\n\tMOV [50],AL\n"
    "\tMOV CL,[50]\n\tMOV DL,[BL]\n\tCMP BL,D0\n\tJNZ L\n\tCMP AL,[50]\n\tCMP AL,BL\n"
    "\tADD AL,BL\n\tSUB AL,BL\n\tMUL AL,BL\n\tMOD AL,BL\n\tAND AL,BL\n\tOR AL,BL\n"
    "\tXOR AL,BL\n\tROL AL\n\tROR AL\n\tSHL AL\n\tSHR AL\n\tNOT AL\n\tDEC AL\n\tSUB CL,7F\n"
    "\tMUL DL,7F\n\tDIV CL,03\n\tMOD DL,05\n\tAND AL,0F\n\tOR AL,80\n\tXOR AL,FF\n\tJS S\n"
    "S:\n\tJNS T\nT:\n\tJO U\nU:\n\tJNO V\nV:\n\tJZ W\nW:\n\tMOV [E0],AL\n\tHALT\nEND\n",
    "\tMOV AL,FF\n\tMOV [03],AL\n\tMOV BL,01\n\tINC BL\n\tMOV AL,00\n\tMOV [0B],AL\n"
    "\tINC CL\n\tHALT\nEND\n",
    "L:\n\tADD AL,7F\n\tJO O\n\tJMP L\nO:\n\tSUB AL,80\n\tMUL AL,AL\n\tCMP AL,00\n\tJZ Z\n"
    "\tDIV BL,CL\nZ:\n\tHALT\nEND\n",
    "\tMOV AL,10\nL:\n\tPUSH AL\n\tPOP BL\n\tCALL 40\n\tDEC AL\n\tJNZ L\n\tHALT\n\tORG 40\n"
    "\tADD CL,03\n\tMOV [80],CL\n\tRET\nEND\n",
};

std::vector<std::string> Programs() {
    std::vector<std::string> sources(std::begin(EdgePrograms), std::end(EdgePrograms));
    std::vector<std::filesystem::path> examples;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(CORVANE_EXAMPLES)) {
        if (entry.path().extension() == ".asm") {
            examples.push_back(entry.path());
        }
    }
    std::sort(examples.begin(), examples.end());
    for (const std::filesystem::path& path : examples) {
        std::ifstream file(path, std::ios::binary);
        sources.emplace_back(std::istreambuf_iterator<char>(file),
                             std::istreambuf_iterator<char>());
    }
    return sources;
}

// What a front end sees of a run in random slices: each slice's report (applied and cleared
// after it), the port trace with its times, and at the end the machine and the clocks.
std::vector<std::string> Drive(const std::string& source, bool watched, unsigned seed) {
    DeviceMachine m(source);
    EXPECT_TRUE(m.Assemble());
    m.machine.Settings.RunLog = watched; // the run log's lines are dropped
    m.ui.QueueKeys("HI\r");
    m.control.SetIntervalsExactly(3, 50);
    std::vector<std::string> seen;
    int64_t now = 0;
    ClockHooks hooks;
    hooks.NowMs = &now;
    for (const char* click : {"150:keypad:5", "400:lift:call-top", "900:thermometer:30"}) {
        hooks.Actions.push_back(
            InputAction(std::get<DeviceEvent>(ParseDeviceEvent(click)), m.devices));
    }
    const PortTrace trace(m.machine, now, [&seen](const PortAccess& access) {
        seen.push_back(PortAccessLine(access));
    });
    hooks.KeyAwaited = [&m, &trace] { SupplyQueuedKey(m.machine, m.ui, &trace); };
    hooks.AfterDeviceTick = [&seen, &now] { seen.push_back("tick " + std::to_string(now)); };
    Scheduler clock(m.machine, m.control, m.devices.Timers(), std::move(hooks));
    std::mt19937 random(seed);
    // Twice, so that the second run begins where the first one's END was shown.
    for (int run = 0; run < 2; ++run) {
        m.Start();
        for (int slice = 0; slice < 30; ++slice) {
            const int64_t ms = random() % 200;
            const SliceReport report = clock.RunFor(ms, 1 + random() % 400);
            seen.push_back(std::to_string(report.Steps) + " steps, now " + std::to_string(now));
            seen.push_back(Describe(m.machine.Report));
            m.machine.Report.Clear();
        }
    }
    seen.push_back(DescribeMachine(m));
    return seen;
}

TEST(UnwatchedRun, EndsAsOrdinaryStepsEnd) {
    for (const std::string& source : Programs()) {
        SCOPED_TRACE(source);
        for (unsigned seed = 1; seed <= 3; ++seed) {
            SCOPED_TRACE(seed);
            EXPECT_EQ(Drive(source, false, seed), Drive(source, true, seed));
        }
    }
}

// Steps that only compute run together until an instruction needs an ordinary step; the
// report and the machine then stand as after as many ordinary steps.
struct QuietCase {
    const char* Name;
    const char* Source;
    int64_t Most;
    int64_t Made;
    int LastShownIp = 0; // as a previous run left it
};

class StepUnwatched : public ::testing::TestWithParam<QuietCase> {};

TEST_P(StepUnwatched, StopsWhereAnOrdinaryStepIsNeeded) {
    const QuietCase& c = GetParam();
    DeviceMachine quiet(c.Source);
    DeviceMachine ordinary(c.Source);
    for (DeviceMachine* m : {&quiet, &ordinary}) {
        ASSERT_TRUE(m->Assemble());
        m->Start();
        m->machine.LastShownIP = c.LastShownIp;
        m->machine.Report.Clear();
    }
    EXPECT_EQ(quiet.machine.StepUnwatched(c.Most), c.Made);
    ordinary.Step(static_cast<int>(c.Made));
    EXPECT_EQ(Describe(quiet.machine.Report), Describe(ordinary.machine.Report));
    EXPECT_EQ(DescribeMachine(quiet), DescribeMachine(ordinary));
}

INSTANTIATE_TEST_SUITE_P(
    Instructions, StepUnwatched,
    ::testing::Values(
        QuietCase{"UpToTheMost", "L:\n\tINC AL\n\tADD BL,01\n\tCMP AL,00\n\tJNZ L\n\tJMP L\nEND\n",
                  1000, 1000},
        QuietCase{"BeforeAnOut", "\tMOV AL,01\n\tINC AL\n\tOUT 01\nEND\n", 10, 2},
        QuietCase{"BeforeTheStack", "\tMOV AL,01\n\tPUSH AL\nEND\n", 10, 1},
        QuietCase{"BeforeHalt", "\tNOT AL\n\tROL AL\n\tHALT\nEND\n", 10, 2},
        QuietCase{"BeforeADivisionByZero", "\tMOV BL,03\n\tDIV AL,BL\n\tMOD BL,00\nEND\n", 10, 2},
        QuietCase{"BeforeAWriteToTheVdu",
                  "\tMOV AL,41\n\tMOV BL,BF\n\tMOV [BL],AL\n\tMOV [C0],AL\nEND\n", 10, 3},
        QuietCase{"BeforeAnInvalidRegister", "\tMOV AL,01\n\tDB D0\n\tDB 04\n\tDB 00\nEND\n", 10,
                  1},
        QuietCase{"BeforeAJumpOutOfRam", "\tMOV AL,01\n\tDB C0\n\tDB FC\nEND\n", 10, 1},
        // A jump onto the END marker that a previous run showed shows that the program
        // halted, and ends the quiet steps there.
        QuietCase{"AtTheEndShownBefore", "\tJMP E\n\tINC AL\nE:\nEND\n", 10, 1, 4}),
    [](const auto& info) { return std::string(info.param.Name); });

} // namespace
