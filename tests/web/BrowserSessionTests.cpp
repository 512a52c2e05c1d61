#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

#include "devices/pictures/VduPicture.h"
#include "support/CliRunner.h"
#include "web/session/BrowserSession.h"

namespace {

class BrowserSessionTest : public testing::Test {
  protected:
    // Assembled, with the report of the assembly taken.
    SessionReport Assembled(const std::string& text) {
        session.SetSource(text);
        session.ButtonAssembleClick();
        return session.TakeReport();
    }
    SessionReport Step() {
        session.ButtonStepClick();
        return session.TakeReport();
    }
    // Runs at the fastest clock until the run ends, at most a simulated minute.
    SessionReport RunToEnd() {
        session.SetCpuClockInterval(RunControl::FastestClock);
        session.ButtonRunClick();
        SessionReport last = session.TakeReport();
        for (int frame = 0; frame < 600 && last.Running && !last.KeyAwaited; ++frame) {
            session.RunFor(100);
            last = session.TakeReport();
        }
        return last;
    }

    BrowserSession session;
};

TEST_F(BrowserSessionTest, TheFirstReportShowsTheWholeMachine) {
    const SessionReport report = session.TakeReport();
    EXPECT_EQ(report.CellsChanged.size(), 256u);
    EXPECT_EQ(report.RegisterTexts[AL], "AL 00000000 00 +000");
    EXPECT_EQ(report.RegisterTexts[SP], "SP 10111111 BF -065");
    EXPECT_EQ(std::count(report.RegistersMarked.begin(), report.RegistersMarked.end(), true), 0);
}

TEST_F(BrowserSessionTest, AStepReportsRegistersMarksStatusAndSelectionInThePagesText) {
    const SessionReport assembled = Assembled("MOV AL,5\nMOV BL,7\nEND\n");
    EXPECT_EQ(assembled.CellsChanged.size(), 256u);
    ASSERT_TRUE(assembled.Errors.has_value());
    EXPECT_TRUE(assembled.Errors->empty());

    const SessionReport first = Step();
    EXPECT_EQ(first.Registers[AL], 5);
    EXPECT_EQ(first.RegisterTexts[AL], "AL 00000101 05 +005");
    EXPECT_TRUE(first.RegistersMarked[AL]);
    ASSERT_TRUE(first.Selection.has_value());
    EXPECT_EQ(first.Selection->Start, 9); // "MOV BL,7" begins after "MOV AL,5\n"
    EXPECT_EQ(first.Selection->Length, 8);
    ASSERT_TRUE(first.Status.has_value());
    EXPECT_EQ(first.Status->Text, " MOV BL,7");
    EXPECT_EQ(first.Status->Style, StatusStyle::Instruction);
    EXPECT_NE(std::find(first.Editor.begin(), first.Editor.end(), EditorCommand::Lock),
              first.Editor.end());

    const SessionReport second = Step();
    EXPECT_EQ(second.Registers[BL], 7);
    EXPECT_FALSE(second.RegistersMarked[AL]) << "the next step paints the mark back";
    EXPECT_TRUE(second.RegistersMarked[BL]);
}

TEST_F(BrowserSessionTest, SelectionsCountCrLfAsTheTextHasThem) {
    Assembled("MOV AL,5\r\nMOV BL,7\r\nEND\r\n");
    const SessionReport first = Step();
    ASSERT_TRUE(first.Selection.has_value());
    EXPECT_EQ(first.Selection->Start, 10);
    EXPECT_EQ(first.Selection->Length, 8);
}

TEST_F(BrowserSessionTest, ErrorsAreMarkedOnTheirLines) {
    const SessionReport report = Assembled("MOV AL,5\nFOO\nEND\n");
    ASSERT_TRUE(report.Errors.has_value());
    ASSERT_FALSE(report.Errors->empty());
    EXPECT_EQ(report.Errors->front().Line, 2);
    EXPECT_FALSE(session.TakeReport().Errors.has_value()) << "marks come once an assembly";
}

TEST_F(BrowserSessionTest, InZeroAwaitsAKeyWithoutBlockingAndTheKeyGoesOn) {
    Assembled("IN 00\nMOV BL,7\nEND\n");
    const SessionReport waiting = RunToEnd();
    EXPECT_TRUE(waiting.KeyAwaited);
    EXPECT_TRUE(waiting.Running);
    session.SupplyKey('A');
    session.RunFor(100);
    const SessionReport ended = session.TakeReport();
    EXPECT_EQ(ended.Registers[AL], 'A');
    EXPECT_EQ(ended.Registers[BL], 7);
    EXPECT_FALSE(ended.Running);
    EXPECT_EQ(ended.Ended, RunEnd::Halt);
    ASSERT_TRUE(ended.Status.has_value());
    EXPECT_EQ(ended.Status->Text, " END  Program has halted.");
}

TEST_F(BrowserSessionTest, EscapeAtInZeroEndsTheRunAsTheDesktopSays) {
    Assembled("IN 00\nEND\n");
    RunToEnd();
    session.SupplyKey(EscapeKey);
    const SessionReport ended = session.TakeReport();
    EXPECT_FALSE(ended.Running);
    ASSERT_TRUE(ended.Status.has_value());
    EXPECT_EQ(ended.Status->Text, " ESCAPE  Keyboard input cancelled.");
}

TEST_F(BrowserSessionTest, StepBackGivesBackTheStepBeforeAndSaysWhenNothingIsLeft) {
    Assembled("MOV AL,5\nINC AL\nEND\n");
    EXPECT_FALSE(session.CanStepBack());
    Step();
    Step();
    ASSERT_EQ(session.TakeReport().Registers[AL], 6);
    EXPECT_TRUE(session.CanStepBack());
    session.ButtonStepBackClick();
    EXPECT_EQ(session.TakeReport().Registers[AL], 5);
    session.ButtonStepBackClick();
    EXPECT_EQ(session.TakeReport().Registers[AL], 0);
    session.ButtonStepBackClick();
    const SessionReport refused = session.TakeReport();
    ASSERT_TRUE(refused.Status.has_value());
    EXPECT_EQ(refused.Status->Text, " No steps to undo since the last Assemble.");
    EXPECT_EQ(refused.Status->Style, StatusStyle::Error);
}

TEST_F(BrowserSessionTest, StepBackTakesTheRunLogBackToItsLength) {
    session.SetRunLog(true);
    Assembled("MOV AL,5\nINC AL\nEND\n");
    const size_t afterOne = Step().RunLog.size();
    const size_t afterTwo = Step().RunLog.size();
    ASSERT_GT(afterOne, 0u);
    ASSERT_GT(afterTwo, 0u);
    session.ButtonStepBackClick();
    const SessionReport back = session.TakeReport();
    ASSERT_TRUE(back.RunLogKept.has_value());
    EXPECT_EQ(*back.RunLogKept, afterOne);
}

// The last command for a window in a report, or none.
std::optional<WindowCommandKind> LastFor(const SessionReport& report, Peripheral window) {
    std::optional<WindowCommandKind> last;
    for (const WindowCommand& command : report.Windows) {
        if (command.Window == window || command.Kind == WindowCommandKind::HideAllDevices) {
            last = command.Kind;
        }
    }
    return last;
}

TEST_F(BrowserSessionTest, StepBackGivesTheWindowsBackAsTheyWereAfterTheStep) {
    Assembled("MOV AL,84\nOUT 01\nMOV AL,0\nEND\n");
    Step();
    EXPECT_EQ(LastFor(Step(), Peripheral::TrafficLights), WindowCommandKind::Show);
    session.SetWindowVisible(Peripheral::TrafficLights, false); // closed on the page
    Step();
    session.ButtonStepBackClick();
    EXPECT_EQ(LastFor(session.TakeReport(), Peripheral::TrafficLights), WindowCommandKind::Show)
        << "the step that showed the lights is back";
    session.ButtonStepBackClick();
    EXPECT_EQ(LastFor(session.TakeReport(), Peripheral::TrafficLights), WindowCommandKind::Hide)
        << "before OUT 01 the lights were not open";
}

TEST_F(BrowserSessionTest, HeldClocksStopTheRunsStepsUntilTheyAreLetGo) {
    Assembled("Start:\nINC AL\nJMP Start\nEND\n");
    session.SetCpuClockInterval(RunControl::FastestClock);
    session.ButtonRunClick();
    session.RunFor(20);
    const uint8_t before = session.TakeReport().Registers[AL];
    EXPECT_GT(before, 0);

    session.HoldClocks(true);
    session.RunFor(100);
    const SessionReport held = session.TakeReport();
    EXPECT_TRUE(held.Running);
    EXPECT_EQ(held.Registers[AL], before);

    session.HoldClocks(false);
    session.RunFor(20);
    EXPECT_NE(session.TakeReport().Registers[AL], before);
}

TEST_F(BrowserSessionTest, ABreakpointLineStopsTheRunAndSaysWhere) {
    Assembled("MOV AL,1\nINC AL\nINC AL\nEND\n");
    session.SetBreakpointLines({3});
    const SessionReport stopped = RunToEnd();
    EXPECT_EQ(stopped.Registers[AL], 2);
    EXPECT_EQ(stopped.Ended, RunEnd::Breakpoint);
    ASSERT_TRUE(stopped.Status.has_value());
    EXPECT_EQ(stopped.Status->Text, " Breakpoint at line 3");
    EXPECT_EQ(session.AddressOfLine(3), 5); // MOV AL,1 takes three cells, INC AL two
    EXPECT_EQ(session.SourceLineOfAddress(5), 3);
}

TEST_F(BrowserSessionTest, DevicesAreListedWithTheirCaptionsAndChangesReported) {
    const std::vector<DeviceListing> devices = BrowserSession::Devices();
    ASSERT_EQ(devices.size(), DeviceWindowCount);
    EXPECT_EQ(devices[1].Caption, "Traffic Lights on Port One");
    EXPECT_EQ(devices[1].Port, 1);
    Assembled("MOV AL,84\nOUT 01\nEND\n");
    RunToEnd();
    const SessionReport after = session.TakeReport();
    (void)after;
    EXPECT_EQ(session.DeviceWords(Peripheral::TrafficLights).rfind("left lights: red on", 0), 0u)
        << session.DeviceWords(Peripheral::TrafficLights);
}

// The engine in the page and corvane-cli give the same run: same registers, status, steps,
// end and RAM, for each example and a step limit that stops it mid-way.
TEST(BrowserSessionCli, RunReportTextIsWhatCorvaneCliPrints) {
    for (const char* name : {"arithmetic", "demo", "lift", "loops", "text"}) {
        for (const int steps : {7, 1000}) {
            SCOPED_TRACE(std::string(name) + " " + std::to_string(steps));
            const std::string file = std::string(CORVANE_EXAMPLES) + "/" + name + ".asm";
            std::ifstream in(file, std::ios::binary);
            const std::string text((std::istreambuf_iterator<char>(in)), {});
            BrowserSession session;
            session.SetSource(text);
            const CliResult cli =
                RunCli({"run", file, "--ram", "--max-steps", std::to_string(steps), "--clock",
                        std::to_string(session.CpuClockInterval()), "--hw-timer",
                        std::to_string(session.HwTimerInterval())});
            ASSERT_NE(cli.Out.find("STEPS "), std::string::npos) << cli.Err;
            EXPECT_EQ(session.RunReportText(steps), cli.Out);
        }
    }
}

} // namespace

// The clock's caption is made without floating-point to_chars, which the browser's C++ library
// lacks; it rounds as that did, a tie to even.
TEST(BrowserSessionClock, CaptionsGiveTheStepsASecondToThreeFigures) {
    const std::vector<std::pair<int, std::string>> cases = {
        {2, "2 ms \xC2\xB7 500 steps/s"},     {3, "3 ms \xC2\xB7 333 steps/s"},
        {32, "32 ms \xC2\xB7 31.2 steps/s"},  {128, "128 ms \xC2\xB7 7.81 steps/s"},
        {1000, "1000 ms \xC2\xB7 1 step/s"},  {4096, "4096 ms \xC2\xB7 0.244 steps/s"},
        {800, "800 ms \xC2\xB7 1.25 steps/s"}};
    BrowserSession session;
    for (const auto& [interval, caption] : cases) {
        session.SetCpuClockInterval(interval);
        EXPECT_EQ(session.CpuClockCaption(), caption);
    }
}

// A click on a picture's hot area works the device as the desktop's click does, and the page
// hears that the device changed.
namespace {

TEST(BrowserSessionPictures, AHotAreasActionChangesTheDeviceAndItsPicture) {
    BrowserSession session;
    session.TakeReport();
    const Picture before = session.DevicePicture(Peripheral::Heater);
    const int action = ActionAt(before, {170, 74});
    ASSERT_NE(action, NoAction);
    EXPECT_TRUE(session.DeviceAction(Peripheral::Heater, action));
    EXPECT_EQ(session.DeviceModels().Heating.Temperature(), 25.0);
    EXPECT_NE(session.DevicePicture(Peripheral::Heater), before);
    const SessionReport report = session.TakeReport();
    EXPECT_NE(std::ranges::find(report.DevicesChanged, Peripheral::Heater),
              report.DevicesChanged.end());
    EXPECT_FALSE(session.DeviceAction(Peripheral::TrafficLights, action));
}

// The screen's picture comes from RAM, in the desktop's cells at 100 %: C0 at the top left,
// C1 in the next column.
TEST(BrowserSessionPictures, TheScreenShowsTheCharactersInRam) {
    BrowserSession session;
    session.SetSource("MOV AL,48\nMOV [C1],AL\nEND\n");
    session.ButtonAssembleClick();
    session.ButtonStepClick();
    session.ButtonStepClick();
    const Picture picture = session.DevicePicture(Peripheral::Vdu);
    ASSERT_EQ(picture.Parts.size(), 64u);
    const PicturePart& c1 = picture.Parts[4];
    EXPECT_EQ(c1.Area.Left, VduGrid{}.CellWidth());
    EXPECT_EQ(c1.Area.Top, 0);
    ASSERT_EQ(c1.Shapes.size(), 2u);
    EXPECT_EQ(c1.Shapes[1].Text, "H");
    EXPECT_EQ(picture.Parts[0].Shapes[1].Text, " ");
}

} // namespace
