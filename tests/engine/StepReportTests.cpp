// What a step, and a run of many steps, reports to the front end.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/RunControl.h"
#include "core/VirtualClock.h"
#include "devices/Peripherals.h"
#include "support/TestMachine.h"

namespace {

using Windows = std::vector<WindowCommand>;
using Editor = std::vector<EditorCommand>;
using Ports = std::vector<PortAccessReport>;

constexpr uint8_t Bit(int index) {
    return static_cast<uint8_t>(1u << index);
}

// OUT shows the window of the device plugged into its port.
struct PluggedMachine : TestMachine {
    Peripherals devices{machine, ui, machine.Ports};
    using TestMachine::TestMachine;
};

const WindowCommand RamViewIfHidden{WindowCommandKind::ShowIfHidden, Peripheral::RamView};

std::vector<int> SetCells(const StepReport& report) {
    std::vector<int> cells;
    for (int address = 0; address < 256; ++address) {
        if (report.CellsChanged.test(static_cast<size_t>(address))) {
            cells.push_back(address);
        }
    }
    return cells;
}

// The report of the last of `steps` steps, the earlier steps' changes applied and gone.
struct StepCase {
    const char* Name;
    const char* Source;
    int Steps;
    uint8_t Registers; // changed, and marked
    std::vector<int> Cells;
    bool VduChanged;
    Ports PortAccesses;
    Windows WindowCommands;
    Editor EditorCommands;
    StatusStyle Style;
    std::string StatusText;
    RunEnd Ended;
};

class ReportOfAStep : public ::testing::TestWithParam<StepCase> {};

TEST_P(ReportOfAStep, SaysWhatTheStepChanged) {
    const StepCase& c = GetParam();
    PluggedMachine m(c.Source);
    ASSERT_TRUE(m.Assemble());
    m.Step(c.Steps - 1);
    m.machine.Report.Clear();
    m.Step();
    const StepReport& report = m.machine.Report;

    EXPECT_EQ(StepReport::Mask(report.RegisterChanged), c.Registers);
    EXPECT_EQ(StepReport::Mask(report.RegisterMarked), c.Registers);
    EXPECT_TRUE(report.ClearsMarks);
    EXPECT_EQ(SetCells(report), c.Cells);
    EXPECT_EQ(report.VduChanged, c.VduChanged);
    EXPECT_EQ(Ports(report.PortAccesses.begin(),
                    report.PortAccesses.begin() + static_cast<ptrdiff_t>(report.PortAccessCount)),
              c.PortAccesses);
    EXPECT_EQ(Windows(report.Windows.begin(), report.Windows.end()), c.WindowCommands);
    EXPECT_EQ(Editor(report.Editor.begin(), report.Editor.end()), c.EditorCommands);
    EXPECT_TRUE(report.StatusChanged);
    EXPECT_EQ(report.Status.Style, c.Style);
    EXPECT_EQ(m.machine.StatusText(), c.StatusText);
    EXPECT_EQ(report.Ended, c.Ended);
}

constexpr uint8_t IpSr = Bit(IP) | Bit(SR);

INSTANTIATE_TEST_SUITE_P(
    Steps, ReportOfAStep,
    ::testing::Values(
        StepCase{"RegisterWrite",
                 "MOV AL,5\nNOP\nEND\n",
                 1,
                 Bit(AL) | Bit(IP),
                 {},
                 false,
                 {},
                 {RamViewIfHidden},
                 {EditorCommand::Lock},
                 StatusStyle::Instruction,
                 " NOP",
                 RunEnd::None},
        StepCase{"ArithmeticSetsTheFlags",
                 "INC BL\nNOP\nEND\n",
                 1,
                 Bit(BL) | IpSr,
                 {},
                 false,
                 {},
                 {RamViewIfHidden},
                 {EditorCommand::Lock},
                 StatusStyle::Instruction,
                 " NOP",
                 RunEnd::None},
        StepCase{"RamWriteIntoTheVdu",
                 "MOV AL,41\nMOV [C0],AL\nNOP\nEND\n",
                 2,
                 Bit(IP),
                 {0xC0},
                 true,
                 {},
                 {RamViewIfHidden, {WindowCommandKind::Show, Peripheral::Vdu}},
                 {EditorCommand::Lock},
                 StatusStyle::Instruction,
                 " NOP",
                 RunEnd::None},
        StepCase{"RamWriteBelowTheVdu",
                 "MOV AL,41\nMOV [80],AL\nNOP\nEND\n",
                 2,
                 Bit(IP),
                 {0x80},
                 false,
                 {},
                 {RamViewIfHidden},
                 {EditorCommand::Lock},
                 StatusStyle::Instruction,
                 " NOP",
                 RunEnd::None},
        StepCase{"OutShowsTheDeviceWindow",
                 "MOV AL,84\nOUT 01\nNOP\nEND\n",
                 2,
                 Bit(IP),
                 {},
                 false,
                 {{false, 1, 0x84}},
                 {RamViewIfHidden, {WindowCommandKind::Show, Peripheral::TrafficLights}},
                 {EditorCommand::Lock},
                 StatusStyle::Instruction,
                 " NOP",
                 RunEnd::None},
        StepCase{"PushWritesTheStack",
                 "MOV AL,7\nPUSH AL\nNOP\nEND\n",
                 2,
                 Bit(IP) | Bit(SP),
                 {0xBF},
                 false,
                 {},
                 {RamViewIfHidden},
                 {EditorCommand::Lock},
                 StatusStyle::Instruction,
                 " NOP",
                 RunEnd::None},
        StepCase{"ErrorGivesTheEditorBack",
                 "POP AL\nEND\n",
                 1,
                 Bit(IP),
                 {},
                 false,
                 {},
                 {RamViewIfHidden},
                 {EditorCommand::Lock, EditorCommand::EditMode, EditorCommand::SourceTab,
                  EditorCommand::Unlock, EditorCommand::Focus},
                 StatusStyle::Error,
                 " Stack underflow.",
                 RunEnd::Error},
        StepCase{"Halt",
                 "HALT\nEND\n",
                 1,
                 0,
                 {},
                 false,
                 {},
                 {RamViewIfHidden},
                 {EditorCommand::Lock, EditorCommand::EditMode},
                 StatusStyle::Halted,
                 " END  Program has halted.",
                 RunEnd::Halt}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(ReportOfAStep, AnErrorSelectsTheFailingInstruction) {
    TestMachine m("NOP\nPOP AL\nEND\n");
    ASSERT_TRUE(m.Assemble());
    m.Step(2);
    const StepReport& report = m.machine.Report;
    ASSERT_TRUE(report.SelectionChanged);
    EXPECT_EQ(report.Selection.Start, 5); // "NOP\r\n" before it
    EXPECT_EQ(report.Selection.Length, 6);
    EXPECT_EQ(report.ErrorsShown, 1);
    EXPECT_EQ(report.LastError, "Stack underflow.");
}

// A run merges its steps: the changes of every step, the last status, the marks of the
// last step only.
TEST(ReportOfARun, MergesTheStepsOfTheRun) {
    PluggedMachine m("MOV [C0],AL\nMOV [81],AL\nOUT 01\nOUT 02\nINC BL\nHALT\nEND\n");
    ASSERT_TRUE(m.Assemble());
    m.control.ButtonRunClick();
    m.machine.Report.Clear();
    const RunOutcome run = RunInVirtualTime(m.machine, m.control, {}, {1, 5000, 100});
    ASSERT_EQ(run.Ended, RunEnd::Halt);
    const StepReport& report = m.machine.Report;

    EXPECT_EQ(StepReport::Mask(report.RegisterChanged), Bit(BL) | IpSr);
    EXPECT_EQ(StepReport::Mask(report.RegisterMarked), 0); // HALT writes nothing
    EXPECT_EQ(SetCells(report), (std::vector<int>{0x81, 0xC0}));
    EXPECT_TRUE(report.VduChanged);
    EXPECT_EQ(report.PortAccessCount, 2u);
    EXPECT_EQ(Windows(report.Windows.begin(), report.Windows.end()),
              (Windows{{WindowCommandKind::Show, Peripheral::Vdu},
                       {WindowCommandKind::Show, Peripheral::TrafficLights},
                       {WindowCommandKind::Show, Peripheral::SevenSegment},
                       RamViewIfHidden})); // every step began with it, the last one too
    EXPECT_EQ(Editor(report.Editor.begin(), report.Editor.end()),
              (Editor{EditorCommand::Lock, EditorCommand::EditMode}));
    EXPECT_EQ(report.Status.Style, StatusStyle::Halted);
    EXPECT_EQ(report.Ended, RunEnd::Halt);
}

TEST(ReportOfARun, CountsEveryPortAccessButKeepsTheFirstOnes) {
    TestMachine m("L:\nOUT 01\nJMP L\nEND\n");
    ASSERT_TRUE(m.Assemble());
    m.control.ButtonRunClick();
    m.machine.Report.Clear();
    RunInVirtualTime(m.machine, m.control, {}, {1, 5000, 100});
    EXPECT_EQ(m.machine.Report.PortAccessCount, 50u);
    for (const PortAccessReport& access : m.machine.Report.PortAccesses) {
        EXPECT_EQ(access, (PortAccessReport{false, 1, 0}));
    }
}

// Commands are kept in the order of their last occurrence; applying them gives what
// applying every one of them in turn would.
struct CommandCase {
    const char* Name;
    std::vector<WindowCommand> Made;
    Windows Kept;
};

class WindowCommands : public ::testing::TestWithParam<CommandCase> {};

TEST_P(WindowCommands, KeepTheLastOccurrenceOfEach) {
    StepReport report;
    for (const WindowCommand& command : GetParam().Made) {
        if (command.Kind == WindowCommandKind::HideAllDevices) {
            report.HideAllDevices();
        } else {
            report.ShowWindow(command.Kind, command.Window);
        }
    }
    EXPECT_EQ(Windows(report.Windows.begin(), report.Windows.end()), GetParam().Kept);
}

const WindowCommand ShowLights{WindowCommandKind::Show, Peripheral::TrafficLights};
const WindowCommand ShowLift{WindowCommandKind::Show, Peripheral::Lift};
const WindowCommand HideLift{WindowCommandKind::Hide, Peripheral::Lift};
const WindowCommand HideAll{WindowCommandKind::HideAllDevices, Peripheral::RamView};

INSTANTIATE_TEST_SUITE_P(
    Reports, WindowCommands,
    ::testing::Values(
        CommandCase{"RepeatedOnce", {ShowLights, ShowLights, ShowLights}, {ShowLights}},
        CommandCase{
            "MadeAgainMovesToTheEnd", {ShowLights, ShowLift, ShowLights}, {ShowLift, ShowLights}},
        CommandCase{
            "ShowAndHideKeepTheirOrder", {ShowLift, HideLift, ShowLift}, {HideLift, ShowLift}},
        CommandCase{"HidingAllDevicesDropsTheDeviceCommandsBefore",
                    {RamViewIfHidden, ShowLights, ShowLift, HideAll, ShowLift},
                    {RamViewIfHidden, HideAll, ShowLift}}),
    [](const auto& info) { return std::string(info.param.Name); });

// Whatever comes between two steps, the second step's own commands end both lists.
TEST(StepCommands, EndBothListsAfterAnyCommandBetweenSteps) {
    const std::function<void(StepReport&)> between[] = {
        [](StepReport&) {},
        [](StepReport& r) { r.ShowWindow(WindowCommandKind::Show, Peripheral::Vdu); },
        [](StepReport& r) { r.ShowWindow(WindowCommandKind::ShowRegardless, Peripheral::RamView); },
        [](StepReport& r) { r.HideAllDevices(); },
        [](StepReport& r) { r.SetEditor(EditorCommand::Unlock); },
        [](StepReport& r) { r.Clear(); },
    };
    for (size_t i = 0; i < std::size(between); ++i) {
        SCOPED_TRACE(i);
        StepReport report;
        report.BeginStep();
        between[i](report);
        report.BeginStep();
        EXPECT_EQ(report.Windows.end()[-1], RamViewIfHidden);
        EXPECT_EQ(report.Editor.end()[-1], EditorCommand::Lock);
    }
}

TEST(EditorCommands, EditModeEmptiesASelectionMadeBeforeIt) {
    StepReport report;
    report.Select(12, 5);
    report.SetEditor(EditorCommand::EditMode);
    EXPECT_EQ(report.Selection.Start, 12);
    EXPECT_EQ(report.Selection.Length, 0);
    report.Select(20, 3);
    EXPECT_EQ(report.Selection.Length, 3);
}

TEST(StepReport, ClearingKeepsTheStatusLineAsLastSet) {
    StepReport report;
    report.ShowMessage("Stack underflow.", StatusStyle::Error);
    report.CellWritten(0xC3);
    report.Clear();
    EXPECT_FALSE(report.StatusChanged);
    EXPECT_EQ(report.Status.Message, "Stack underflow.");
    EXPECT_EQ(report.Status.Style, StatusStyle::Error);
    EXPECT_TRUE(report.CellsChanged.none());
    EXPECT_FALSE(report.VduChanged);
    EXPECT_EQ(report.ErrorsShown, 0);
}

// The assembler's progress goes on from the status line the engine last set, a message of
// the window's own ("Saved ...") included.
TEST(StatusLine, AssemblyProgressFollowsTheLastMessage) {
    TestMachine m("NOP\nEND\n");
    m.machine.ShowStatus("Saved a.asm", StatusStyle::Progress);
    ASSERT_TRUE(m.Assemble());
    EXPECT_EQ(m.ui.StatusText(),
              " Saved a.asm  Make tokens.  Parse tokens.  Calculate jumps.  Success.");
}

// An interface that only counts what it is asked, with a fixed source.
class CountingUi : public UserInterface {
  public:
    explicit CountingUi(std::string source) : source_(std::move(source)) {}
    int Calls = 0;

    std::string EditorSpan(int32_t, int32_t) const override { return Count(std::string()); }
    int64_t SourceTextLength() const override {
        return Count(static_cast<int64_t>(source_.size()));
    }
    bool SourceHasNoLines() const override { return Count(false); }
    bool SaveSource() override { return Count(true); }
    bool ReadSourceFile(std::string& bytes, size_t) override {
        bytes = source_;
        return Count(true);
    }
    void ListFileChanged() override { Count(0); }
    void ClearAsmLog() override { Count(0); }
    void AsmLogLine(std::string_view) override { Count(0); }
    void ClearTokenList() override { Count(0); }
    void TokenAdded(std::string_view) override { Count(0); }
    void WatchToken(int) override { Count(0); }
    void ClearRunLog() override { Count(0); }
    void RunLogLine(std::string_view) override { Count(0); }
    void MessageBox(std::string_view, MessageIcon) override { Count(0); }
    void Beep() override { Count(0); }

  private:
    template <typename T> T Count(T answer) const {
        ++const_cast<CountingUi*>(this)->Calls;
        return answer;
    }
    std::string source_;
};

// Nobody watches a run with the log off: its steps call nothing outside the engine.
TEST(ReportOfARun, WithTheLogOffAStepCallsNoInterface) {
    CountingUi ui("L:\r\nMOV [C0],AL\r\nINC AL\r\nPUSH AL\r\nPOP BL\r\nJMP L\r\nEND\r\n");
    Taaa machine(ui);
    machine.ButtonAssembleClick();
    ASSERT_TRUE(machine.Machine.NoError);
    RunControl control(machine);
    control.ButtonRunClick();
    const int before = ui.Calls;
    const RunOutcome run = RunInVirtualTime(machine, control, {}, {1, 5000, 10000});
    EXPECT_EQ(run.Steps, 10000);
    EXPECT_EQ(ui.Calls, before);
}

} // namespace
