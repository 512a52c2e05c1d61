// Step Back in the real main window: a run of K steps stepped back K-J times stands where a
// fresh run of J steps stands, over the examples and a program that drives every device and
// takes both kinds of interrupt.
#include <QCheckBox>
#include <QLabel>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "WorkbenchFixture.h"
#include "core/RunControl.h"
#include "core/Scheduler.h"
#include "devices/Peripherals.h"
#include "devices/WholeMachine.h"
#include "support/EveryDeviceProgram.h"
#include "workbench/RunLogPane.h"
#include "workbench/StepBack.h"
#include "workbench/TFormKeybIn.h"

namespace {

// What the window shows and the machine holds at one moment.
struct Seen {
    MachineSnapshot Machine;
    std::string Status;
    QRgb StatusColour = 0;
    std::string RunLog;
    std::vector<bool> Visible;
    std::vector<std::string> Registers;
    std::string Selected;
};

void ExpectSame(const Seen& stepped, const Seen& fresh) {
    EXPECT_TRUE(stepped.Machine == fresh.Machine);
    EXPECT_EQ(stepped.Machine.Reg, fresh.Machine.Reg);
    EXPECT_EQ(stepped.Status, fresh.Status);
    EXPECT_EQ(stepped.StatusColour, fresh.StatusColour);
    EXPECT_EQ(stepped.RunLog, fresh.RunLog);
    EXPECT_EQ(stepped.Visible, fresh.Visible);
    EXPECT_EQ(stepped.Registers, fresh.Registers);
    EXPECT_EQ(stepped.Selected, fresh.Selected);
}

// A device clicked after a step, as its window would be.
struct Click {
    int64_t AfterStep;
    void (*Act)(Peripherals&);
};
constexpr Click Clicks[] = {
    {30, [](Peripherals& devices) { devices.Car.CallLift(Lift::Floor::Top); }},
    {40, [](Peripherals& devices) { devices.Pad.Press(0x35); }},
    {100, [](Peripherals& devices) { devices.Keyboard.Press('A'); }},
    {120, [](Peripherals& devices) { devices.Heating.SetRoomTemperature(25); }},
};
constexpr char Keys[] = "STEPBACK";

class StepBackTest : public WorkbenchTest {
  protected:
    void SetUp() override {
        WorkbenchTest::SetUp();
        form->TimerClock->stop(); // only the test moves time
    }
    // A window of its own, so that simulated time starts again at 0.
    void NewWindow() {
        form.reset();
        form = std::make_unique<TFormMain>(dialogs);
        form->StartUp({});
        form->TimerClock->stop();
    }
    void Load(const QByteArray& source) {
        Open("program.asm", source);
        form->CheckBoxRunLog->setChecked(true);
    }
    // Runs the program from its start one step a slice, typing a key whenever IN 00 waits
    // and clicking the devices after their steps; the steps made, fewer where the run ended.
    int64_t Run(int64_t steps) {
        form->ButtonRunClick();
        EXPECT_TRUE(form->Machine().Machine.Running);
        int64_t made = 0;
        size_t typed = 0;
        while (made < steps) {
            for (const Click& click : Clicks) {
                if (click.AfterStep == made) {
                    click.Act(form->Devices());
                }
            }
            made += form->Clock().RunFor(1000, 1).Steps;
            form->ApplyReport();
            if (form->KeyboardInputWindow->Waiting()) {
                QTest::keyClick(form->KeyboardInputWindow, Keys[typed++ % (sizeof Keys - 1)]);
            } else if (!form->Machine().Machine.Running) {
                break;
            }
        }
        return made;
    }
    void StepBack(int64_t times) {
        for (int64_t i = 0; i < times; ++i) {
            form->ButtonStepBackClick();
        }
    }
    Seen Look() {
        form->FlushPanes();
        Seen seen{form->Whole().Snapshot(),
                  form->LabelCurrInstr->text().toStdString(),
                  form->LabelCurrInstr->palette().color(QPalette::Window).rgb(),
                  form->RichEdit1->toPlainText().toStdString(),
                  {},
                  {},
                  Selected().toStdString()};
        for (size_t window = 0; window < PeripheralCount; ++window) {
            seen.Visible.push_back(form->IsPeripheralVisible(static_cast<Peripheral>(window)));
        }
        for (const QLabel* label : form->RegisterLabels) {
            seen.Registers.push_back(label->text().toStdString());
        }
        return seen;
    }
    std::string Status() const { return form->LabelCurrInstr->text().toStdString(); }
};

struct ProgramCase {
    std::string Name;
    QByteArray Source;
    friend void PrintTo(const ProgramCase& c, std::ostream* out) { *out << c.Name; }
};

std::vector<ProgramCase> Programs() {
    std::vector<ProgramCase> programs;
    for (const auto& entry : std::filesystem::directory_iterator(CORVANE_EXAMPLES)) {
        if (entry.path().extension() == ".asm") {
            QFile file(QString::fromStdString(entry.path().string()));
            EXPECT_TRUE(file.open(QIODevice::ReadOnly));
            programs.push_back({entry.path().stem().string(), file.readAll()});
        }
    }
    std::sort(programs.begin(), programs.end(),
              [](const ProgramCase& a, const ProgramCase& b) { return a.Name < b.Name; });
    programs.push_back({"every_device", EveryDeviceProgram});
    return programs;
}

class SteppedBack : public StepBackTest, public testing::WithParamInterface<ProgramCase> {};

// The run log passes its 1001 lines, IN 00 takes keys, the timer and the devices interrupt,
// and the every-device program ends at the maze's edge: K is where the run got to.
TEST_P(SteppedBack, StandsWhereAFreshRunOfThatManyStepsStands) {
    constexpr int64_t Steps = 300;
    Load(GetParam().Source);
    const int64_t made = Run(Steps);
    ASSERT_GT(made, 2);
    for (const int64_t kept : {made - 1, made / 2, int64_t{1}, int64_t{0}}) {
        SCOPED_TRACE(kept);
        NewWindow();
        Load(GetParam().Source);
        Run(made);
        StepBack(made - kept);
        const Seen stepped = Look();
        NewWindow();
        Load(GetParam().Source);
        ASSERT_EQ(Run(kept), kept);
        Seen fresh = Look(); // as the run left it, stopped as Step Back stops it
        fresh.Machine.Running = false;
        fresh.Machine.ResumeAfterInput = false;
        ExpectSame(stepped, fresh);
    }
}

INSTANTIATE_TEST_SUITE_P(Programs, SteppedBack, testing::ValuesIn(Programs()),
                         [](const testing::TestParamInfo<ProgramCase>& info) {
                             return info.param.Name;
                         });

// Going back over IN 00 gives its key back: stepping on asks for a key again.
TEST_F(StepBackTest, SteppingOnAfterGoingBackOverInAsksForTheKeyAgain) {
    Open("in.asm", "MOV AL,01\nIN 00\nMOV [80],AL\nHALT\nEND\n");
    form->ButtonStepClick();
    form->ButtonStepClick();
    ASSERT_TRUE(form->KeyboardInputWindow->Waiting());
    QTest::keyClick(form->KeyboardInputWindow, 'x');
    form->ButtonStepClick();
    EXPECT_EQ(form->Machine().Machine.Ram[0x80], 'x');

    form->ButtonStepBackClick();
    form->ButtonStepBackClick();
    EXPECT_EQ(Reg(AL), 0x01);
    EXPECT_EQ(Reg(IP), 0x03);
    EXPECT_FALSE(form->KeyboardInputWindow->isVisible());
    EXPECT_EQ(form->Machine().Machine.Ram[0x80], 0x00);
    form->ButtonStepClick();
    ASSERT_TRUE(form->KeyboardInputWindow->Waiting());
    QTest::keyClick(form->KeyboardInputWindow, 'y');
    form->ButtonStepClick();
    EXPECT_EQ(form->Machine().Machine.Ram[0x80], 'y');
}

// A keypad press interrupts the idle loop; going back over the step that took the interrupt
// leaves the loop, the stack and the keypad as they were before the press.
TEST_F(StepBackTest, GoingBackOverAnInterruptLeavesTheProgramAsBeforeIt) {
    Open("keys.asm", EveryDeviceProgram);
    Run(3);
    const MachineSnapshot before = form->Whole().Snapshot();
    form->Devices().Pad.Press(0x35);
    form->Clock().RunFor(1000, 1);
    ASSERT_EQ(Reg(IP), 0x92); // IN 08 done in the keypad's handler
    ASSERT_EQ(Reg(SP), 0xBE);
    form->ButtonStepBackClick();
    MachineSnapshot stopped = before;
    stopped.Running = false;
    EXPECT_TRUE(form->Whole().Snapshot() == stopped);
}

// Where nothing is left to undo, Step Back says why and changes nothing.
TEST_F(StepBackTest, RefusesWithTheReasonWhereNothingIsLeftToUndo) {
    form->ButtonStepBackClick();
    EXPECT_EQ(Status(), " Nothing to step back to.");
    Open("count.asm", "INC AL\nINC AL\nINC AL\nHALT\nEND\n");
    struct Case {
        void (TFormMain::*Command)();
        const char* Status;
    };
    for (const Case& c :
         {Case{&TFormMain::ButtonAssembleClick, " No steps to undo since the last Assemble."},
          Case{&TFormMain::ButtonResetClick, " No steps to undo since the last CPU Reset."},
          Case{&TFormMain::ButtonRunClick,
               " No steps to undo since Run started the program again."}}) {
        form->ButtonStepClick();
        (form.get()->*c.Command)();
        form->ButtonStopClick();
        const MachineSnapshot start = form->Whole().Snapshot();
        form->ButtonStepBackClick();
        EXPECT_EQ(Status(), c.Status);
        EXPECT_TRUE(form->Whole().Snapshot() == start);
    }
    form->ButtonStepClick();
    form->memoSource->appendPlainText("; edited");
    form->ButtonStepBackClick();
    EXPECT_EQ(Status(), " No steps to undo: the source has changed since it was assembled.");
    EXPECT_EQ(Reg(AL), 1);
}

} // namespace

namespace {

// Driven by the window's own clock at 2 ms a step, a run keeps its last 10000 steps, each of
// which Step Back undoes; beyond them it says how far it reaches.
TEST_F(StepBackTest, GoesBackTenThousandStepsOfARunDrivenByTheClock) {
    Open("count.asm", "Again:\nINC AL\nJMP Again\nEND\n");
    while (form->Control().CpuClockInterval() > RunControl::FastestClock) {
        form->ButtonFastClick();
    }
    form->ButtonRunClick();
    while (form->StepsRun() < 10050) {
        form->TimerClockTimer(100);
    }
    const int64_t made = form->StepsRun();
    ASSERT_EQ(form->StepsToUndo(), static_cast<size_t>(StepBackDepth));
    StepBack(StepBackDepth);
    EXPECT_FALSE(form->Machine().Machine.Running);
    EXPECT_EQ(Reg(AL), ((made - StepBackDepth + 1) / 2) & 0xFF);
    form->ButtonStepBackClick();
    EXPECT_EQ(Status(), " Nothing earlier to step back to: Step Back keeps the last 10000 steps.");
    EXPECT_EQ(Reg(AL), ((made - StepBackDepth + 1) / 2) & 0xFF);
}

} // namespace
