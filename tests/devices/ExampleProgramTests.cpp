#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "DeviceMachine.h"
#include "support/CliRunner.h"

// The five programs of the Examples menu, run as a student would run them.
namespace {

const std::string Examples = CORVANE_EXAMPLES;

std::string PathOf(const std::string& example) {
    return Examples + "/" + example;
}

std::string SourceOf(const std::string& example) {
    std::ifstream file(PathOf(example), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

// The report lines of a run by their first word: "LIFT" gives "232 08 OK".
std::map<std::string, std::string> Report(const CliResult& result) {
    std::map<std::string, std::string> report;
    for (const std::string& line : LinesOf(result.Out)) {
        const size_t space = line.find(' ');
        if (space != std::string::npos) {
            report.emplace(line.substr(0, space), line.substr(space + 1));
        }
    }
    return report;
}

// The four screen rows that --vdu prints after the ENDED line.
std::vector<std::string> ScreenOf(const CliResult& result) {
    const std::vector<std::string> lines = LinesOf(result.Out);
    const auto ended = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
        return line.starts_with("ENDED ");
    });
    if (lines.end() - ended < 5) {
        return {};
    }
    return {ended + 1, ended + 5};
}

const char* const Halted = "END  Program has halted.";

struct ExampleRun {
    const char* File;
    const char* ClockMs;
    const char* MaxSteps;
    const char* Keys;
    bool Halts; // the others run until the step limit
};

class EveryExample : public ::testing::TestWithParam<ExampleRun> {};

TEST_P(EveryExample, AssemblesAndRunsHeadlessWithoutAnError) {
    const ExampleRun& run = GetParam();
    const auto assembled = RunCli({"assemble", PathOf(run.File)});
    EXPECT_EQ(assembled.Exit, 0);
    EXPECT_EQ(assembled.Err, "");
    EXPECT_TRUE(assembled.Out.ends_with("; SUCCESS : No errors found.\n"));

    const auto result = RunCli({"run", PathOf(run.File), "--clock", run.ClockMs, "--max-steps",
                                run.MaxSteps, "--keys", run.Keys});
    EXPECT_EQ(result.Exit, 0);
    EXPECT_EQ(result.Err, "");
    const auto report = Report(result);
    EXPECT_EQ(report.at("STATUS") == Halted, run.Halts) << report.at("STATUS");
    EXPECT_EQ(report.at("ENDED"), run.Halts ? "HALT" : "STEP-LIMIT");
    if (!run.Halts) {
        EXPECT_EQ(report.at("STEPS"), run.MaxSteps);
    }
}

INSTANTIATE_TEST_SUITE_P(Examples, EveryExample,
                         ::testing::Values(ExampleRun{"arithmetic.asm", "1000", "1000", "", true},
                                           ExampleRun{"loops.asm", "1000", "1000", "", true},
                                           ExampleRun{"lift.asm", "62", "3000", "", false},
                                           ExampleRun{"text.asm", "1000", "1000", "Hi\\r", true},
                                           ExampleRun{"demo.asm", "1000", "5000", "", false}));

TEST(ArithmeticExample, EndsWithTheResultsItsLastCommentNames) {
    const auto result = RunCli({"run", PathOf("arithmetic.asm")});
    EXPECT_TRUE(result.Out.starts_with("AL 01111111 7F +127\n"
                                       "BL 01101010 6A +106\n"
                                       "CL 10101000 A8 -088\n"
                                       "DL 11111111 FF -001\n"
                                       "IP 01001100 4C +076\n"
                                       "SP 10111111 BF -065\n"
                                       "SR 00000100 04 +004\n"
                                       "STATUS END  Program has halted.\n"
                                       "STEPS 28\n"))
        << result.Out;
}

// Every instruction of the arithmetic example, stepped as the student steps it: the
// register its comment talks about and the flags the comment promises.
TEST(ArithmeticExample, EachStepSetsTheValueAndTheFlagsItsCommentGives) {
    constexpr int S = FlagS, O = FlagO, Z = FlagZ;
    struct After {
        int Reg, Value, Flags;
    };
    const After steps[] = {
        {AL, 0x15, 0},     {BL, 0x07, 0},     {AL, 0x1C, 0},     {AL, 0xFC, S}, {AL, 0x00, Z},
        {BL, 0x64, Z},     {BL, 0x96, S | O}, {BL, 0x9C, S | O}, {BL, 0x6A, O}, {CL, 0x0C, O},
        {CL, 0x54, 0},     {CL, 0xA8, S | O}, {DL, 0x11, S | O}, {DL, 0x03, 0}, {DL, 0x11, 0},
        {DL, 0x02, 0},     {DL, 0xF9, 0},     {DL, 0xFD, S},     {DL, 0xF9, S}, {DL, 0xFF, S},
        {AL, 0xFE, S},     {AL, 0xFF, S},     {AL, 0x00, Z},     {AL, 0x01, 0}, {AL, 0x7F, 0},
        {AL, 0x80, S | O}, {AL, 0x7F, O},
    };
    TestMachine m(SourceOf("arithmetic.asm"));
    ASSERT_TRUE(m.Assemble());
    int step = 0;
    for (const After& after : steps) {
        m.Step();
        SCOPED_TRACE(++step);
        EXPECT_EQ(m.RegLow(after.Reg), after.Value);
        EXPECT_EQ(m.Reg(SR), after.Flags);
    }
    EXPECT_EQ(m.Cell(m.RegLow(IP)), 0x00); // the END
}

TEST(LoopsExample, FillsTheScreenWithItsFourLoopsAndBalancesTheStack) {
    const auto result = RunCli({"run", PathOf("loops.asm"), "--clock", "10", "--vdu"});
    EXPECT_EQ(result.Exit, 0);
    EXPECT_EQ(ScreenOf(result), (std::vector<std::string>{"0123456789      ", "----------------",
                                                          "ABCDEFGHIJKLMNOP", "================"}));
    const auto report = Report(result);
    EXPECT_EQ(report.at("STATUS"), Halted);
    EXPECT_EQ(report.at("SP"), "10111111 BF -065"); // every CALL and PUSH taken back
    EXPECT_EQ(report.at("CL"), "00000000 00 +000"); // the procedure kept the caller's CL
}

struct Typing {
    const char* Keys;
    std::vector<std::string> Screen;
    bool Halts; // Enter or a full screen; otherwise the keys ran out, which is Escape
};

class TextExample : public ::testing::TestWithParam<Typing> {};

TEST_P(TextExample, EchoesTheKeysAndShowsTheLastCode) {
    const Typing& typing = GetParam();
    const auto result =
        RunCli({"run", PathOf("text.asm"), "--clock", "10", "--keys", typing.Keys, "--vdu"});
    EXPECT_EQ(result.Exit, 0);
    EXPECT_EQ(ScreenOf(result), typing.Screen);
    EXPECT_EQ(Report(result).at("STATUS") == Halted, typing.Halts);
    EXPECT_EQ(Report(result).at("ENDED"), typing.Halts ? "HALT" : "ESCAPE");
}

const std::string Blank(16, ' ');
const std::string Crosses(16, 'x');

INSTANTIATE_TEST_SUITE_P(
    Keys, TextExample,
    ::testing::Values(
        Typing{"Hello, world!\\r", {"Hello, world!   ", Blank, Blank, "KEY CODE: 0D    "}, true},
        Typing{"\\x08Hellp\\x08o\\r", {"Hello           ", Blank, Blank, "KEY CODE: 0D    "}, true},
        Typing{"Az~", {"Az~             ", Blank, Blank, "KEY CODE: 7E    "}, false},
        Typing{"abc\\e", {"abc             ", Blank, Blank, "KEY CODE: 63    "}, false},
        Typing{"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxZ",
               {Crosses, Crosses, Crosses, "KEY CODE: 78    "},
               true}));

// A passenger at the lift, a timer of its own among the devices': now and then it presses
// a call button, at random but repeatably, and it counts the calls answered, a call being
// answered when its button goes out with the car stopped at that floor.
class Passenger : public TimedDevice {
  public:
    explicit Passenger(Lift& lift) : lift_(lift) {}

    int TimerInterval() const override { return 350; }
    void Timer1Timer() override {
        const int bits = lift_.LiftBits();
        CountAnswer(bits, Lift::CalledUp, Lift::AtTop, answeredAtTop_);
        CountAnswer(bits, Lift::CalledDown, Lift::AtBottom, answeredAtBottom_);
        lastBits_ = bits;
        if (random_() % 12 == 0) {
            lift_.CallLift(Lift::Floor::Top);
        }
        if (random_() % 12 == 0) {
            lift_.CallLift(Lift::Floor::Bottom);
        }
    }

    int AnsweredAtTop() const { return answeredAtTop_; }
    int AnsweredAtBottom() const { return answeredAtBottom_; }

  private:
    void CountAnswer(int bits, int call, int floor, int& answered) const {
        const bool stopped = (bits & (Lift::MotorUp | Lift::MotorDown)) == 0;
        if ((lastBits_ & call) && !(bits & call) && (bits & floor) && stopped) {
            ++answered;
        }
    }

    Lift& lift_;
    std::mt19937 random_{6};
    int lastBits_ = 0;
    int answeredAtTop_ = 0;
    int answeredAtBottom_ = 0;
};

// The clock the lift example's opening comment asks for.
constexpr int LiftClockMs = 62;

TEST(LiftExample, ItsOpeningCommentAsksForTheClockTheTestsUse) {
    const std::string source = SourceOf("lift.asm");
    EXPECT_NE(source.find("Run it with the CPU clock at 62 ms"), std::string::npos);
    EXPECT_NE(source.find("press Faster four\r\n; times (500, 250, 125, 62)"), std::string::npos);
}

TEST(LiftExample, AnswersCallsAtBothFloorsForAnHourWithoutACrash) {
    DeviceMachine m(SourceOf("lift.asm"));
    ASSERT_TRUE(m.Assemble());
    Passenger passenger(m.devices.Car);
    std::vector<TimedDevice*> timers = m.devices.Timers();
    timers.push_back(&passenger);
    constexpr int64_t HourMs = 60 * 60 * 1000;
    m.Start();
    const RunOutcome run =
        RunInVirtualTime(m.machine, m.control, timers, {LiftClockMs, 5000, HourMs / LiftClockMs});
    EXPECT_EQ(run.Steps, HourMs / LiftClockMs);
    EXPECT_EQ(run.Ended, RunEnd::StepLimit);
    EXPECT_TRUE(m.Running());
    EXPECT_TRUE(m.NoError());
    EXPECT_FALSE(m.devices.Car.Crashed());
    EXPECT_GE(passenger.AnsweredAtTop(), 100);
    EXPECT_GE(passenger.AnsweredAtBottom(), 100);
}

// Without any button pressed, the program answers the call it makes itself at the start.
TEST(LiftExample, StopsAtTheTopFloorAtItsClockAndCrashesThereAtSlowerOnes) {
    struct Clock {
        int Ms;
        bool Crashes;
    };
    for (const Clock clock :
         {Clock{LiftClockMs, false}, Clock{31, false}, Clock{250, true}, Clock{1000, true}}) {
        SCOPED_TRACE(clock.Ms);
        DeviceMachine m(SourceOf("lift.asm"));
        ASSERT_TRUE(m.Assemble());
        m.RunToStop(clock.Ms, 60 * 1000 / clock.Ms);
        const Lift& lift = m.devices.Car;
        EXPECT_EQ(lift.Crashed(), clock.Crashes);
        // Level with the top floor, or past it; the motor off and the call answered either
        // way, too late when the lift has crashed.
        EXPECT_GE(lift.CarTop(), clock.Crashes ? 73 : 74);
        EXPECT_LE(lift.CarTop(), clock.Crashes ? 73 : 75);
        EXPECT_EQ(lift.LiftBits(), Lift::AtTop);
    }
}

// What the demonstration's devices show after a while: one of the traffic lights' four
// phases, the count of timer ticks in decimal on the two displays, the stepper motor at
// one of its half steps, and the greeting on the screen.
struct DemoState {
    std::string Lights;
    int Count;
    std::string Motor;
};

int DigitOf(int pattern) {
    const int patterns[] = {0xFA, 0x0A, 0xB6, 0x9E, 0x4E, 0xDC, 0xFC, 0x8A, 0xFE, 0xDE};
    const auto found = std::find(std::begin(patterns), std::end(patterns), pattern & 0xFE);
    return found == std::end(patterns) ? -1 : static_cast<int>(found - std::begin(patterns));
}

DemoState RunDemo(const char* maxSteps) {
    const auto result =
        RunCli({"run", PathOf("demo.asm"), "--max-steps", maxSteps, "--vdu", "--devices"});
    EXPECT_EQ(result.Exit, 0);
    EXPECT_EQ(result.Err, "");
    EXPECT_EQ(ScreenOf(result),
              (std::vector<std::string>{"  CORVANE DEMO  ", "HELLO, STUDENTS!", Blank, Blank}));
    const auto report = Report(result);
    EXPECT_NE(report.at("STATUS"), Halted);
    const std::string digits = report.at("SEVSEG");
    const int left = std::stoi(digits.substr(0, 8), nullptr, 2);
    const int right = std::stoi(digits.substr(9, 8), nullptr, 2);
    EXPECT_EQ(left & 1, 0);
    EXPECT_EQ(right & 1, 1);
    EXPECT_NE(DigitOf(left), -1) << digits;
    EXPECT_NE(DigitOf(right), -1) << digits;
    return {report.at("TLIGHT"), 10 * DigitOf(left) + DigitOf(right), report.at("STEPPER")};
}

TEST(DemoExample, TheTimerMovesTheLightsOnAndCountsWhileTheMotorTurns) {
    const std::vector<std::string> phases = {"10000100", "11001000", "00110000", "01011000"};
    const std::vector<std::string> halfSteps = {"01", "03", "02", "06", "04", "0C", "08", "09"};
    int lastCount = 0;
    for (const char* maxSteps : {"400", "1000", "3000"}) {
        SCOPED_TRACE(maxSteps);
        const DemoState state = RunDemo(maxSteps);
        const auto phase = std::find(phases.begin(), phases.end(), state.Lights);
        ASSERT_NE(phase, phases.end()) << state.Lights;
        // One phase a tick; a run may stop inside the handler, between the lights and
        // the displays.
        const int lightsAhead = (phase - phases.begin() - state.Count % 4 + 4) % 4;
        EXPECT_LE(lightsAhead, 1);
        EXPECT_GT(state.Count, lastCount);
        EXPECT_NE(std::find(halfSteps.begin(), halfSteps.end(), state.Motor), halfSteps.end());
        lastCount = state.Count;
    }
}

} // namespace
