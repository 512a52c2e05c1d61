#include "EngineFixture.h"
#include "core/StatusLine.h"
#include "devices/Peripherals.h"

namespace {

struct JumpCase {
    int Opcode;
    int Flags;
    bool Taken;
};

class Jump : public testing::TestWithParam<JumpCase> {};

TEST_P(Jump, TestsItsFlag) {
    LoggedMachine m;
    m.BuildCode({GetParam().Opcode, 0x06}, 0x10);
    m.Set(SR, GetParam().Flags);
    m.Step();
    EXPECT_EQ(m.Reg(IP), GetParam().Taken ? 0x16 : 0x12);
    EXPECT_EQ(m.Log[m.Log.size() - 3],
              GetParam().Taken ? "\tAdd 6(decimal) to IP" : "\tAdd 2(decimal) to IP");
}

INSTANTIATE_TEST_SUITE_P(Conditions, Jump,
                         testing::Values(JumpCase{0xC0, 0, true}, JumpCase{0xC1, FlagZ, true},
                                         JumpCase{0xC1, FlagS | FlagO | FlagI, false},
                                         JumpCase{0xC2, FlagZ, false}, JumpCase{0xC2, 0, true},
                                         JumpCase{0xC3, FlagS, true}, JumpCase{0xC3, FlagZ, false},
                                         JumpCase{0xC4, FlagS, false}, JumpCase{0xC4, 0, true},
                                         JumpCase{0xC5, FlagO, true}, JumpCase{0xC5, FlagS, false},
                                         JumpCase{0xC6, FlagO, false}, JumpCase{0xC6, 0, true}));

TEST(Jump, BackwardsLogsANegativeDistance) {
    LoggedMachine m;
    m.BuildCode({0xC0, 0xFA}, 0x10);
    m.Step();
    EXPECT_EQ(m.Reg(IP), 0x0A);
    EXPECT_EQ(m.Log[m.Log.size() - 3], "\tAdd -6(decimal) to IP");
}

TEST(Jump, RefusedOutsideMemory) {
    for (const auto& [at, distance] : {std::pair{0xF0, 0x20}, std::pair{0x05, 0xF0}}) {
        LoggedMachine m;
        m.BuildCode({0xC0, distance}, at);
        m.Step();
        EXPECT_EQ(m.ui.LastError(), "Can not jump beyond end of memory.");
        EXPECT_EQ(m.RegLow(IP), at);
        ASSERT_EQ(m.Log.size(), 10u);
        EXPECT_EQ(m.Log[8], "\tCan not jump beyond end of memory.");
        EXPECT_EQ(m.Log[9], Dashes(85));
    }
}

TEST(Stack, PushAndPopRoundTrip) {
    LoggedMachine m;
    m.Build("PUSH AL\nPOP BL\nEND\n");
    m.Set(AL, 0x42);
    m.Step();
    EXPECT_EQ(m.Cell(0xBF), 0x42);
    EXPECT_EQ(m.RegLow(SP), 0xBE);
    m.Step();
    EXPECT_EQ(m.Reg(BL), 0x42);
    EXPECT_EQ(m.RegLow(SP), 0xBF);
    EXPECT_EQ(m.Reg(IP), 4);
}

struct StackEdgeCase {
    std::vector<int> Code;
    int Sp;
    std::string Message;
    int SpAfter;
    int IpAfter;
};

class StackEdge : public testing::TestWithParam<StackEdgeCase> {};

TEST_P(StackEdge, ReportsAndMovesOn) {
    LoggedMachine m;
    m.BuildCode(GetParam().Code, 0x10);
    m.Set(AL, 0x42);
    m.Set(SP, GetParam().Sp);
    m.Step();
    EXPECT_EQ(m.ui.LastError(), GetParam().Message);
    EXPECT_EQ(m.RegLow(SP), GetParam().SpAfter);
    EXPECT_EQ(m.RegLow(IP), GetParam().IpAfter);
}

const std::string Overflow = "Stack overflow.";
const std::string Underflow = "Stack underflow.";
const std::string BadRegister = "Invalid register in machine code.";

INSTANTIATE_TEST_SUITE_P(
    BothEnds, StackEdge,
    testing::Values(StackEdgeCase{{0xE0, 0x00}, 0x00, Overflow, 0x00, 0x12},
                    StackEdgeCase{{0xEA}, 0x00, Overflow, 0x00, 0x11},
                    StackEdgeCase{{0xCA, 0x30}, 0x00, Overflow, 0x00, 0x30},
                    StackEdgeCase{{0xE1, 0x00}, 0xBF, Underflow, 0xBF, 0x12},
                    StackEdgeCase{{0xE1, 0x00}, 0xC5, Underflow, 0xC5, 0x12},
                    StackEdgeCase{{0xEB}, 0xBF, Underflow, 0xBF, 0x11},
                    StackEdgeCase{{0xCB}, 0xBF, Underflow, 0xBF, 0x11},
                    StackEdgeCase{{0xCD}, 0xFF, Underflow, 0xFF, 0x11},
                    // PUSH tests its register after the fetch block, writing nothing
                    StackEdgeCase{{0xE0, 0x04}, 0xBF, BadRegister, 0xBF, 0x12},
                    // POP tests it after taking the cell off the stack
                    StackEdgeCase{{0xE1, 0x04}, 0xBE, BadRegister, 0xBF, 0x12}));

TEST(Stack, OverflowStillWritesCellZero) {
    LoggedMachine m;
    m.BuildCode({0xE0, 0x00, 0xEA}, 0x10);
    m.Set(AL, 0x42);
    m.Set(SP, 0);
    m.Step();
    EXPECT_EQ(m.Cell(0), 0x42);
}

TEST(Stack, InvalidPushLogsItsBlockAndWritesNothing) {
    LoggedMachine m;
    m.BuildCode({0xE0, 0x04});
    m.Step();
    EXPECT_EQ(m.Cell(0xBF), 0x00);
    ASSERT_GE(m.Log.size(), 2u);
    EXPECT_EQ(m.Log[1], "FETCH");
    EXPECT_EQ(m.Log[m.Log.size() - 3], "\tAdd 2 to IP");
}

TEST(Stack, PopfTakesAllEightBits) {
    LoggedMachine m;
    m.BuildCode({0xEB});
    m.machine.Machine.WriteCell(0xBF, -1);
    m.Set(SP, 0xBE);
    m.Step();
    EXPECT_EQ(FlagsText(m.Reg(SR)), "???ISOZ?");
}

// The return address is a byte like any other: 7E + 2 is held as -128.
TEST(CallAndReturn, ReturnAddressAbove7FIsFolded) {
    LoggedMachine m;
    m.Build("ORG 7E\nCALL 30\nORG 30\nRET\nORG 00\nEND\n");
    m.Set(IP, 0x7E);
    m.Step();
    EXPECT_EQ(m.CellNode(0xBF).Value, -128);
    EXPECT_EQ(m.CellNode(0xBF).HexText, "80");
    m.Step();
    EXPECT_EQ(m.Reg(IP), -128);
    EXPECT_EQ(RegisterText(m.Reg(IP)), "10000000 80 -128");
}

TEST(CallAndReturn, IntGoesThroughItsVectorAndIretReturns) {
    LoggedMachine m;
    m.Build("ORG 02\nDB 50\nORG 7F\nINT 02\nORG 50\nIRET\nORG 00\nEND\n");
    m.Set(IP, 0x7F);
    m.Step();
    EXPECT_EQ(m.Reg(IP), 0x50);
    EXPECT_EQ(m.CellNode(0xBF).Value, -127);
    m.Step();
    EXPECT_EQ(m.RegLow(IP), 0x81);
    EXPECT_EQ(m.RegLow(SP), 0xBF);
}

class Interrupt : public testing::Test {
  protected:
    void SetUp() override {
        m.Build("ORG 02\nDB 50\nORG 10\nNOP\nORG 00\nEND\n");
        m.Set(IP, 0x10);
        m.Log.clear();
    }
    void Run() {
        m.control.ButtonContinuousClick();
        ASSERT_TRUE(m.Running());
    }
    LoggedMachine m;
};

TEST_F(Interrupt, TakenWhileRunningWithIEnabled) {
    Run();
    m.Set(SR, FlagI);
    m.control.TimerHWTimer();
    EXPECT_EQ(m.Reg(IP), 0x50);
    EXPECT_EQ(m.Cell(0xBF), 0x10);
    EXPECT_EQ(m.RegLow(SP), 0xBE);
    EXPECT_TRUE(m.Log.empty());
}

TEST_F(Interrupt, IgnoredWithIClearOrWhileSingleStepping) {
    m.Set(SR, FlagI);
    m.control.TimerHWTimer();
    m.machine.RaiseInterrupt(0x03);
    Run();
    m.Set(SR, 0);
    m.control.TimerHWTimer();
    EXPECT_EQ(m.Reg(IP), 0x10);
    EXPECT_EQ(m.RegLow(SP), 0xBF);
    EXPECT_EQ(m.Cell(0xBF), 0x00);
}

TEST_F(Interrupt, OverflowAtCellZero) {
    Run();
    m.Set(SR, FlagI);
    m.Set(SP, 0);
    m.control.TimerHWTimer();
    EXPECT_EQ(m.ui.LastError(), "Stack overflow.");
    EXPECT_EQ(m.Reg(IP), 0x50);
    EXPECT_EQ(m.Reg(SP), 0);
    EXPECT_EQ(m.Cell(0), 0x10);
    EXPECT_FALSE(m.Running());
}

// The interrupted instruction is where the error belongs, not the routine IP went to.
TEST_F(Interrupt, OverflowSelectsTheInterruptedInstruction) {
    m.Build("ORG 02\nDB 50\nORG 10\nNOP\nORG 50\nIRET\nORG 00\nEND\n");
    m.Set(IP, 0x10);
    Run();
    m.Set(SR, FlagI);
    m.Set(SP, 0);
    m.control.TimerHWTimer();
    EXPECT_EQ(m.Reg(IP), 0x50);
    const std::string editor = m.ui.Source().EditorText();
    EXPECT_EQ(editor.substr(m.ui.SelectionStart(), m.ui.SelectionLength()), "NOP");
    EXPECT_EQ(m.machine.Errors.back().SourceStart, m.ui.SelectionStart());
}

// Jumping through a vector is no arithmetic: S, O and Z stay as they were, whether the
// address would read as zero, negative or neither.
TEST(Interrupts, LeaveTheFlagsAsTheyWere) {
    for (const int flags : {FlagI, FlagI | FlagS | FlagO | FlagZ}) {
        for (const int vector : {0x00, 0x50, 0x90}) {
            for (const bool hardware : {false, true}) {
                SCOPED_TRACE(testing::Message() << "SR " << flags << " vector " << vector
                                                << (hardware ? " hardware" : " INT 02"));
                LoggedMachine m;
                m.Build("ORG 02\nDB " + HexByte(vector) + "\nORG 10\nINT 02\nORG 00\nEND\n");
                m.Set(IP, 0x10);
                m.Set(SR, flags);
                if (hardware) {
                    m.control.ButtonContinuousClick();
                    m.control.TimerHWTimer();
                } else {
                    m.Step();
                }
                EXPECT_EQ(m.RegLow(IP), vector);
                EXPECT_EQ(m.Reg(SR), flags);
            }
        }
    }
}

TEST(Ports, OnlyZeroToFAreAvailable) {
    for (int opcode : {0xF0, 0xF1}) {
        LoggedMachine m;
        m.BuildCode({opcode, 0x10});
        m.Step();
        EXPECT_EQ(m.ui.LastError(), "I/O Ports 0..F are available.");
        EXPECT_EQ(m.Reg(IP), 2);
        m.Step();
        EXPECT_EQ(m.Reg(IP), 2);
    }
}

TEST(Ports, OutShowsTheDeviceAndCloClosesIt) {
    LoggedMachine m;
    Peripherals devices(m.machine, m.ui, m.machine.Ports);
    m.Build("OUT 01\nOUT 0F\nIN 09\nCLO\nEND\n");
    m.Step();
    EXPECT_TRUE(m.ui.IsPeripheralVisible(Peripheral::TrafficLights));
    m.Step(2);
    EXPECT_TRUE(m.NoError()) << m.ui.LastError();
    EXPECT_EQ(m.Reg(AL), 0);
    m.Step();
    EXPECT_FALSE(m.ui.IsPeripheralVisible(Peripheral::TrafficLights));
    EXPECT_TRUE(m.ui.IsPeripheralVisible(Peripheral::RamView));
    EXPECT_EQ(m.Reg(IP), 7);
}

TEST(OneByte, StiAndCliTouchOnlyI) {
    LoggedMachine m;
    m.Build("STI\nCLI\nEND\n");
    m.Set(SR, FlagZ | FlagS);
    m.Step();
    EXPECT_EQ(m.Reg(SR), FlagI | FlagZ | FlagS);
    m.Step();
    EXPECT_EQ(m.Reg(SR), FlagZ | FlagS);
}

TEST(Halt, ShowsTheHaltMessageWhenIpStaysOnIt) {
    LoggedMachine m;
    m.Build("INC AL\nHALT\nEND\n");
    m.control.ButtonRunClick();
    m.control.TimerCPUTimer();
    EXPECT_EQ(m.Status(), " HALT");
    EXPECT_EQ(m.ui.CurrentStatusStyle(), StatusStyle::Instruction);
    m.control.TimerCPUTimer();
    EXPECT_FALSE(m.Running());
    EXPECT_EQ(m.Reg(IP), 2);
    EXPECT_EQ(m.Status(), " END  Program has halted.");
    EXPECT_EQ(m.ui.CurrentStatusStyle(), StatusStyle::Halted);
    m.Step();
    EXPECT_EQ(m.Reg(IP), 2);
    EXPECT_EQ(m.Status(), " END  Program has halted.");
}

TEST(Halt, UnfilledCellStopsSilently) {
    LoggedMachine m;
    m.Build("NOP\nORG 10\nEND\n");
    m.control.ButtonRunClick();
    m.control.TimerCPUTimer();
    const std::string shown = m.Status();
    m.control.TimerCPUTimer();
    EXPECT_FALSE(m.Running());
    EXPECT_EQ(m.Reg(IP), 1);
    EXPECT_EQ(m.Status(), shown);
}

TEST(StatusLine, InstructionOverTwoLinesShowsOnOneLine) {
    LoggedMachine m;
    m.Build("MOV AL,\n15\nEND\n");
    m.control.ButtonResetClick();
    EXPECT_EQ(m.Status(), " MOV AL, 15");
    EXPECT_EQ(m.ui.SelectionStart(), 0);
    EXPECT_EQ(m.ui.SelectionLength(), 11);
}

TEST(StatusLine, LongInstructionIsShortenedTo76) {
    LoggedMachine m;
    m.Build("MOV AL," + std::string(80, ' ') + "15\nEND\n");
    m.control.ButtonResetClick();
    EXPECT_EQ(m.Status(),
              " MOV AL," + std::string(30, ' ') + " ... " + std::string(32, ' ') + "15");
}

TEST(StatusLine, ShortensOnlyAbove76) {
    const std::string exact(76, 'x');
    EXPECT_EQ(StatusLineText(exact), " " + exact);
    const std::string longer = std::string(37, 'a') + "bbb" + std::string(37, 'c');
    EXPECT_EQ(StatusLineText(longer), " " + std::string(37, 'a') + " ... " + std::string(34, 'c'));
    EXPECT_EQ(StatusLineText("A\r\nB\nC"), " A B C");
}

TEST(RunControl, ClockLimits) {
    TestMachine m;
    m.control.SetCpuClockInterval(1000);
    for (int i = 0; i < 10; ++i) {
        m.control.ButtonFastClick();
    }
    EXPECT_EQ(m.control.CpuClockInterval(), 2);
    std::vector<int> seen;
    for (int i = 0; i < 12; ++i) {
        m.control.ButtonSlowClick();
        seen.push_back(m.control.CpuClockInterval());
    }
    EXPECT_EQ(seen, (std::vector<int>{4, 8, 16, 32, 64, 128, 256, 512, 1024, 2048, 4096, 4096}));
    m.control.ButtonFastClick();
    EXPECT_EQ(m.control.CpuClockInterval(), 2048);
}

// However an interval is set, it stays where the buttons can reach, so one press of Slower or
// Faster never overflows or stops the clock.
TEST(RunControl, IntervalsStayWithinTheButtonsRange) {
    struct Case {
        int Given;
        int Clock;
        int HwTimer;
    };
    TestMachine m;
    for (const Case c :
         {Case{2000000000, 4096, 10000}, Case{-2000000000, 2, 1000}, Case{0, 2, 1000},
          Case{64, 64, 1000}, Case{2500, 2500, 2500}, Case{4097, 4096, 4097}}) {
        m.control.SetCpuClockInterval(c.Given);
        m.control.SetHwTimerInterval(c.Given);
        EXPECT_EQ(m.control.CpuClockInterval(), c.Clock) << c.Given;
        EXPECT_EQ(m.control.HwTimerInterval(), c.HwTimer) << c.Given;
    }
    m.control.SetCpuClockInterval(2000000000);
    m.control.ButtonSlowClick();
    EXPECT_EQ(m.control.CpuClockInterval(), 4096);
}

TEST(RunControl, HardwareTimerLimitsAndCaption) {
    TestMachine m;
    EXPECT_EQ(m.control.HwTimerCaption(), "Hardware Timer Interval = 5 Seconds");
    m.control.SetHwTimerInterval(1000);
    m.control.ButtonIntervalReduceClick();
    EXPECT_EQ(m.control.HwTimerInterval(), 1000);
    EXPECT_EQ(m.control.HwTimerCaption(), "Hardware Timer Interval = 1 Seconds");
    m.control.ButtonIntervalIncreaseClick();
    EXPECT_EQ(m.control.HwTimerInterval(), 2000);
    m.control.SetHwTimerInterval(10000);
    m.control.ButtonIntervalIncreaseClick();
    EXPECT_EQ(m.control.HwTimerInterval(), 10000);
    m.control.ButtonIntervalReduceClick();
    EXPECT_EQ(m.control.HwTimerCaption(), "Hardware Timer Interval = 9 Seconds");
}

TEST(RunControl, RunStartsFromZeroAndContinueResumes) {
    LoggedMachine m;
    m.Build("INC AL\nINC AL\nINC AL\nEND\n");
    m.control.ButtonRunClick();
    m.control.TimerCPUTimer();
    m.control.ButtonStopClick();
    EXPECT_FALSE(m.Running());
    m.control.TimerCPUTimer();
    EXPECT_EQ(m.Reg(IP), 2);
    m.control.ButtonContinuousClick();
    m.control.TimerCPUTimer();
    EXPECT_EQ(m.Reg(AL), 2);
    m.Step(); // a step while running changes nothing about the run
    EXPECT_TRUE(m.Running());
    EXPECT_EQ(m.Reg(AL), 3);
    m.control.ButtonRunClick();
    EXPECT_EQ(m.Reg(AL), 0);
    EXPECT_EQ(m.Reg(IP), 0);
    EXPECT_TRUE(m.Running());
}

TEST(RunControl, RunAfterAnExecutionErrorDoesNothing) {
    LoggedMachine m;
    m.BuildCode({0xFF, 0x01});
    m.control.ButtonRunClick();
    m.control.TimerCPUTimer();
    m.control.TimerCPUTimer();
    ASSERT_EQ(m.ui.LastError(), "Illegal op code not recognised by CPU.");
    m.control.ButtonRunClick();
    EXPECT_FALSE(m.Running());
    m.control.ButtonContinuousClick();
    EXPECT_FALSE(m.Running());
}

} // namespace
