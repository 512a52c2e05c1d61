#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "CheckFixture.h"

namespace {

// Mistakes that would fail (or pass) every submission are refused when the exercise is read.
TEST_F(CheckTest, ExerciseMistakesAreRefusedWithTheirLine) {
    struct Case {
        const char* Toml;
        const char* Error; // after FILE:
    };
    const std::string head = "[defaults]\nmax_steps = 10\nclock = 100\n[[case]]\n";
    for (const Case& c : {
             Case{"[case.expect]\nvdu = [{ row = 0, text = 'Hello' }]\n",
                  "6:26: a VDU row's text is 16 characters, not 5"},
             Case{"[case.expect]\ndevices = [{ device = 'HEATER', between = [5, 1] }]\n",
                  "6:43: between is [least, most]"},
             Case{"[case.expect]\ndevices = [{ device = 'SEVSEG', between = [0, 9] }]\n",
                  "6:43: SEVSEG's line starts with bits or a byte, not a number"},
             Case{"[case.expect]\ndevices = [{ device = 'KEYPAD', text = 'KEYPD 00' }]\n",
                  "6:40: a line of KEYPAD starts with 'KEYPAD ', not 'KEYPD 00'"},
             Case{"[case.expect]\ndevices = ['SEVEN 00000000 00000000']\n",
                  "6:12: unknown device 'SEVEN'"},
             Case{"events = ['1000:keypad:1', '1001:keypad:2']\n[case.expect]\nended = 'HALT'\n",
                  "5:28: an event at 1001 ms comes after the run's last step, at 1000 ms"},
             Case{"max_steps = 20\nevents = ['2000:keypad:1']\n[case.expect]\nended = 'HALT'\n",
                  ""},
             Case{"[case.expect]\ndevices = [{ device = 'LIFT', at = 1500, matches = 'OK' }]\n",
                  "6:36: a device looked at 1500 ms comes after the run's last step"},
             Case{"name = 'a'\n", "5:8: case 'a' expects nothing, so every program would pass it"},
             Case{"[case.expect]\n", "4:1: case 'case 1' expects nothing"},
             Case{"record = ['registers']\n",
                  "4:1: case 'case 1' expects nothing, so every program would pass it; "
                  "corvane-cli record fills in what it marks"},
             Case{"record = ['ram:0x90-0x80']\n[case.expect]\nended = 'HALT'\n",
                  "5:11: record takes registers"},
             Case{"name = 'a'\n[case.expect]\nended = 'HALT'\n[[case]]\nname = 'a'\n"
                  "[case.expect]\nended = 'HALT'\n",
                  "9:8: two cases are called 'a'"},
             Case{"[case.expect]\nended = 'HALT'\n[[case]]\nname = 'case 1'\n[case.expect]\n"
                  "ended = 'HALT'\n",
                  "8:8: two cases are called 'case 1'"},
         }) {
        SCOPED_TRACE(c.Toml);
        const std::string exercise = Write("mistake.toml", head + c.Toml);
        const auto result = RunCli({"check", exercise, Write("ok.asm", "HALT\nEND\n")});
        if (*c.Error) {
            EXPECT_EQ(result.Exit, 2);
            EXPECT_EQ(result.Err.rfind(exercise + ":" + c.Error, 0), 0U) << result.Err;
            EXPECT_EQ(result.Out, "");
        } else {
            EXPECT_EQ(result.Exit, 0) << result.Err;
        }
    }
}

// The row `check --format csv` gives a submission, without its name.
std::string CsvRow(const CliResult& result, const std::string& file) {
    for (const std::string& line : Lines(result.Out)) {
        if (line.starts_with(file + ",")) {
            return line.substr(file.size());
        }
    }
    return "no row for " + file + " in " + result.Out + result.Err;
}

// Recording from the correct solution keeps every comment, gives the same text when done
// again, passes the model, and fails the wrong solution for the reasons it failed before.
TEST_F(CheckTest, RecordThenCheckWithTheModelOnEveryExample) {
    for (const char* name : {"traffic-lights", "keypad", "thermostat"}) {
        SCOPED_TRACE(name);
        const std::string exercise = Examples + "/exercises/" + name + ".toml";
        const std::string correct = Examples + "/exercises/" + name + "/correct.asm";
        const std::string wrong = Examples + "/exercises/" + name + "/wrong.asm";
        const auto recorded = RunCli({"record", exercise, correct});
        ASSERT_EQ(recorded.Exit, 0) << recorded.Err;
        std::ifstream original(exercise);
        for (std::string line; std::getline(original, line);) {
            if (line.starts_with('#') || line.starts_with("record")) {
                EXPECT_NE(recorded.Out.find(line + '\n'), std::string::npos) << line;
            }
        }
        const std::string again = Write("recorded.toml", recorded.Out);
        EXPECT_EQ(RunCli({"record", again, correct}).Out, recorded.Out);
        const auto before = RunCli({"check", exercise, correct, wrong, "--format", "csv"});
        const auto after =
            RunCli({"check", again, correct, wrong, "--format", "csv", "--model", correct});
        EXPECT_EQ(after.Exit, 4) << after.Err;
        EXPECT_EQ(CsvRow(after, correct), CsvRow(before, correct));
        EXPECT_EQ(CsvRow(after, wrong), CsvRow(before, wrong));
    }
}

const char* const Marked = R"(# Sum, marked for recording
title = "Sum"

[[case]]
name = "adds"   # AL + BL
registers = { AL = 2, BL = 3 }
record = ["registers:AL", "ram:0x80-0x81", "ended", "devices:SEVSEG", "outputs:2:collapse",
          "vdu:0", "ram:0xC1"]
[case.expect]
ended = "STEP-LIMIT"   # replaced where it stands
at_most_steps = 10 # kept
# a comment after the expectations

[[case]]
name = "nothing expected yet"
record = ["registers"]

# the end)";

// AL + BL into 80, 8B twice to the display, 'A' at the top left of the VDU.
const char* const SumOut =
    "ADD AL,BL\nMOV [80],AL\nMOV AL,8B\nOUT 02\nOUT 02\nMOV BL,41\nMOV [C1],BL\nHALT\nEND\n";

TEST_F(CheckTest, RecordFillsInWhatIsMarkedAndKeepsTheRestOfTheText) {
    const std::string marked = Write("marked.toml", Marked);
    const std::string model = Write("sum.asm", SumOut);
    const auto recorded = RunCli({"record", marked, model});
    ASSERT_EQ(recorded.Exit, 0) << recorded.Err;
    const std::string written = (folder_ / "written.toml").string();
    EXPECT_EQ(RunCli({"record", marked, model, "-o", written}).Out, "");
    std::ifstream file(written, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), recorded.Out);
    EXPECT_EQ(recorded.Out, R"(# Sum, marked for recording
title = "Sum"

[[case]]
name = "adds"   # AL + BL
registers = { AL = 2, BL = 3 }
record = ["registers:AL", "ram:0x80-0x81", "ended", "devices:SEVSEG", "outputs:2:collapse",
          "vdu:0", "ram:0xC1"]
[case.expect]
ended = "HALT"   # replaced where it stands
at_most_steps = 10 # kept
registers = { AL = 0x8B }
ram = [
    { at = 0x80, bytes = [0x05, 0x00] },
    { at = 0xC1, bytes = [0x41] },
]
devices = [
    "SEVSEG 00000000 10001011",
]
outputs = [
    { port = 0x02, bytes = [0x8B], collapse = true, whole = true },
]
vdu = [
    { row = 0, text = " A              " },
]
# a comment after the expectations

[[case]]
name = "nothing expected yet"
record = ["registers"]
[case.expect]
registers = { AL = 0x8B, BL = 0x41, CL = 0x00, DL = 0x00, SP = 0xBF }

# the end)");
}

// What record cannot do is said, and nothing is written.
TEST_F(CheckTest, RecordRefusesWhatItCannotRecord) {
    struct Case {
        std::string Toml;
        std::string Model;
        std::string Error;
    };
    for (const Case& c : {
             Case{Marked, "INC QL\nEND\n", "the model solution cannot run case 'adds': "},
             Case{"[[case]]\nrecord = ['ended']\nexpect = { ended = 'HALT' }\n", "HALT\nEND\n",
                  "case 'case 1' has expect = { ... } on one line"},
             Case{"[[case]]\nrecord = ['vdu:4']\n", "HALT\nEND\n", "2:11: record takes"},
         }) {
        SCOPED_TRACE(c.Toml);
        const auto result =
            RunCli({"record", Write("r.toml", c.Toml), Write("model.asm", c.Model)});
        EXPECT_EQ(result.Exit, 2);
        EXPECT_NE(result.Err.find(c.Error), std::string::npos) << result.Err;
        EXPECT_EQ(result.Out, "");
    }
}

const char* const Keypad = R"(title = "Keypad"
[defaults]
clock = 10
max_steps = 500
[[case]]
name = "seven"
events = ["1000:keypad:7"]
[case.expect]
devices = [{ device = "SEVSEG", at = 1500, text = "SEVSEG 00000000 10001011" }]
[[case]]
name = "wrong at 1500"
events = ["1000:keypad:7"]
[case.expect]
devices = [{ device = "SEVSEG", at = 1500, text = "SEVSEG 00000000 11111011" }]
)";

// --model refuses an exercise its model fails; --case marks one case or names them all.
TEST_F(CheckTest, TheModelMustPassAndOneCaseCanBeMarked) {
    const std::string exercise = Write("keypad.toml", Keypad);
    const std::string correct = Examples + "/exercises/keypad/correct.asm";
    const auto refused = RunCli({"check", exercise, correct, "--model", correct});
    EXPECT_EQ(refused.Exit, 2);
    EXPECT_EQ(refused.Err, "corvane-cli: the model solution " + correct +
                               " fails case 'wrong at 1500': \"SEVSEG 00000000 10001011\" at "
                               "1500 ms, expected \"SEVSEG 00000000 11111011\"\n");
    EXPECT_EQ(refused.Out, "");

    const auto one = RunCli(
        {"check", exercise, correct, "--case", "seven", "--model", correct, "--format", "csv"});
    EXPECT_EQ(one.Exit, 0) << one.Err;
    EXPECT_EQ(one.Out, "submission,seven,passed,score,max_score\r\n" + correct + ",pass,1,1,1\r\n");
    const auto none = RunCli({"check", exercise, correct, "--case", "eight"});
    EXPECT_EQ(none.Exit, 2);
    EXPECT_EQ(none.Err, "corvane-cli: no case is called 'eight'; the cases are 'seven', "
                        "'wrong at 1500'\n");
}

// The story of a failed case: what happened when, and the expectation that failed at its time.
TEST_F(CheckTest, ExplainTellsTheRunAndNamesTheFailedExpectation) {
    const std::string exercise = Write("keypad.toml", Keypad);
    const std::string correct = Examples + "/exercises/keypad/correct.asm";
    const auto told = RunCli({"check", exercise, correct, "--case", "wrong at 1500", "--explain"});
    EXPECT_EQ(told.Exit, 4) << told.Err;
    const auto lines = Lines(told.Out);
    const auto at = [&](const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) - lines.begin();
    };
    ASSERT_GE(lines.size(), 2U);
    EXPECT_EQ(lines[0], "CASE wrong at 1500 of " + correct);
    EXPECT_EQ(lines[1], "SETTINGS clock 10 ms, hw_timer 5000 ms, max_steps 500, 0 keys typed");
    // In the order they happened.
    const std::vector<std::string> story{
        "EVENT 1000 keypad:7",
        "PORT 1030 IN 08 37",
        "PORT 1070 OUT 02 8B",
        "LOOK 1500 SEVSEG 00000000 10001011",
        "END 5000 ms, 500 steps, STEP-LIMIT",
        "LOOK 5000 KEYPAD 37",
        "FAILED at 1500 ms: \"SEVSEG 00000000 10001011\" at 1500 ms, expected \"SEVSEG "
        "00000000 11111011\""};
    for (size_t i = 0; i < story.size(); ++i) {
        EXPECT_LT(at(story[i]), static_cast<long>(lines.size())) << story[i] << '\n' << told.Out;
        if (i > 0) {
            EXPECT_LT(at(story[i - 1]), at(story[i])) << story[i];
        }
    }
    EXPECT_EQ(lines.back(), story.back());
    EXPECT_TRUE(std::ranges::any_of(
        lines, [](const std::string& l) { return l.starts_with("LOG 1030 "); }));

    const auto passed = RunCli({"check", exercise, correct, "--case", "seven", "--explain"});
    EXPECT_EQ(passed.Exit, 0);
    EXPECT_EQ(Lines(passed.Out).back(), "PASSED");
    const auto two = RunCli({"check", exercise, correct, "--explain"});
    EXPECT_EQ(two.Exit, 2);
    EXPECT_NE(two.Err.find("--explain tells of one submission in one case"), std::string::npos);
}

// Reasons say where and when: an execution error's line, step and time; keys the program
// wanted beyond those typed; a byte-order mark is skipped, and --explain says so.
TEST_F(CheckTest, ReasonsSayWhereAndWhen) {
    struct Case {
        std::string Program;
        const char* Expect;
        std::string Reason; // "pass" when it passes
    };
    for (const Case& c : {
             Case{"MOV AL,1\nPOP AL\nEND\n", "ended = 'HALT'",
                  "ended ERROR (FILE:2:1: Stack underflow. (step 2, 200 ms)), expected HALT"},
             Case{"NOP\nPOP AL\nEND\n", "registers = { AL = 0 }",
                  "FILE:2:1: Stack underflow. (step 2, 200 ms)"},
             Case{"MOV AL,F5\nMOV [20],AL\nJMP Here\nORG 20\nHere:\nEND\n", "ended = 'HALT'",
                  "ended ERROR (FILE: Illegal op code not recognised by CPU. (step 4, 400 ms, "
                  "at 20, which no line of the program put there)), expected HALT"},
             Case{"IN 00\nIN 00\nIN 00\nHALT\nEND\n", "ended = 'HALT'",
                  "ended ESCAPE (the program read a key after the 2 the case typed, and got "
                  "Escape), expected HALT"},
             Case{"IN 00\nIN 00\nHALT\nEND\n", "ended = 'HALT'", "pass"},
             Case{"\xEF\xBB\xBFMOV AL,5\nHALT\nEND\n", "registers = { AL = 5 }", "pass"},
         }) {
        SCOPED_TRACE(c.Program);
        const std::string exercise =
            Write("e.toml", std::string("[[case]]\nclock = 100\nmax_steps = 20\nkeys = 'ab'\n"
                                        "[case.expect]\n") +
                                c.Expect + "\n");
        const std::string file = Write("p.asm", c.Program);
        const auto result = RunCli({"check", exercise, file, "--format", "csv"});
        std::string reason = c.Reason;
        for (size_t at = reason.find("FILE"); at != std::string::npos; at = reason.find("FILE")) {
            reason.replace(at, 4, file);
        }
        const std::string row = CsvRow(result, file);
        EXPECT_EQ(row, reason == "pass" ? ",pass,1,1,1\r" : ",\"" + reason + "\",0,0,1\r");
    }
    const std::string bom = Write("bom.asm", "\xEF\xBB\xBFHALT\nEND\n");
    const auto told = RunCli(
        {"check", Write("h.toml", "[[case]]\n[case.expect]\nended = 'HALT'\n"), bom, "--explain"});
    EXPECT_EQ(told.Exit, 0);
    EXPECT_EQ(Lines(told.Out)[1],
              "NOTE the file begins with a UTF-8 byte-order mark, which was skipped");
}

// run --from runs as the case does, and every other option of run still applies.
TEST_F(CheckTest, RunFromACaseUsesItsKeysPresetsEventsAndLimits) {
    const std::string exercise =
        Write("sum.toml", "[[case]]\nname = 'adds'\nclock = 10\nmax_steps = 40\nkeys = 'x'\n"
                          "registers = { AL = 2, BL = 3 }\nram = [{ at = 0x80, bytes = [7] }]\n"
                          "events = ['50:keypad:7']\n[case.expect]\nended = 'HALT'\n");
    const std::string program =
        Write("p.asm", "ADD AL,BL\nMOV CL,[80]\nIN 00\nPUSH AL\nPOP DL\nIN 08\nL:\nJMP L\nEND\n");
    const auto from = RunCli({"run", "--from", exercise + ":adds", program, "--trace-ports"});
    const auto same = RunCli({"run", program, "--trace-ports", "--clock", "10", "--max-steps", "40",
                              "--keys", "x", "--event", "50:keypad:7"});
    EXPECT_EQ(from.Exit, 0) << from.Err;
    EXPECT_NE(from.Out.find("PORT 60 IN 08 37\n"), std::string::npos) << from.Out;
    EXPECT_NE(from.Out.find("BL 00000011 03"), std::string::npos) << from.Out;
    EXPECT_NE(from.Out.find("CL 00000111 07"), std::string::npos) << from.Out;
    EXPECT_NE(from.Out.find("DL 01111000 78"), std::string::npos) << from.Out;
    EXPECT_NE(from.Out.find("STEPS 40\n"), std::string::npos);
    EXPECT_NE(same.Out, from.Out); // the presets made the difference

    // Options given take the place of the case's.
    const auto longer = RunCli({"run", "--from", exercise + ":adds", program, "--max-steps", "50"});
    EXPECT_NE(longer.Out.find("STEPS 50\n"), std::string::npos) << longer.Out;
    for (const std::string& bad : {exercise + ":subtracts", exercise, std::string("none:adds")}) {
        const auto refused = RunCli({"run", "--from", bad, program});
        EXPECT_EQ(refused.Exit, 2) << bad;
        EXPECT_EQ(refused.Out, "");
    }
}

// The words of a command line, with '...' quoting.
std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    bool quoted = false;
    bool inWord = false;
    for (const char c : line) {
        if (c == ' ' && !quoted) {
            inWord = false;
            continue;
        }
        if (!inWord) {
            words.emplace_back();
            inWord = true;
        }
        if (c == '\'') {
            quoted = !quoted;
        } else {
            words.back() += c;
        }
    }
    return words;
}

// The documentation's record example writes what it shows, which the model passes; its
// --explain example prints the lines it shows, in that order.
TEST_F(CheckTest, TheDocumentedRecordAndExplainDoWhatTheyShow) {
    const std::string correct = Examples + "/exercises/keypad/correct.asm";
    const std::string before = Write("draft.toml", DocBlock("<!-- record: before -->"));
    const std::string after = DocBlock("<!-- record: after -->");
    ASSERT_NE(after.find("[case.expect]"), std::string::npos);
    EXPECT_EQ(RunCli({"record", before, correct}).Out, after);
    const auto model =
        RunCli({"check", Write("recorded.toml", after), correct, "--model", correct});
    EXPECT_EQ(model.Exit, 0) << model.Err;

    const auto shown = Lines(DocBlock("<!-- explain -->"));
    ASSERT_GE(shown.size(), 2U);
    std::vector<std::string> words = Words(shown[0]);
    ASSERT_EQ(words[0], "corvane-cli");
    words.erase(words.begin());
    const auto here = std::filesystem::current_path();
    std::filesystem::current_path(Examples + "/..");
    const auto told = Lines(RunCli(words).Out);
    std::filesystem::current_path(here);
    auto at = told.begin();
    for (size_t i = 1; i < shown.size(); ++i) {
        at = std::find(at, told.end(), shown[i]);
        EXPECT_NE(at, told.end()) << shown[i];
    }
}

} // namespace
