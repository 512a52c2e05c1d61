#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "CheckFixture.h"
#include "support/CliRunner.h"

namespace {

const std::string Examples = CORVANE_EXAMPLES;

// Every exercise passes its correct solution and fails its wrong one in every case.
TEST_F(CheckTest, ExamplesPassTheirCorrectSolutionsAndFailTheWrongOnes) {
    for (const char* name : {"traffic-lights", "keypad", "thermostat"}) {
        SCOPED_TRACE(name);
        const std::string exercise = Examples + "/exercises/" + name + ".toml";
        const std::string folder = Examples + "/exercises/" + name;
        const auto correct = RunCli({"check", exercise, folder + "/correct.asm"});
        EXPECT_EQ(correct.Exit, 0) << correct.Out << correct.Err;
        const auto wrong = RunCli({"check", exercise, folder + "/wrong.asm", "--format", "csv"});
        EXPECT_EQ(wrong.Exit, 4);
        const auto rows = Lines(wrong.Out);
        ASSERT_EQ(rows.size(), 2U);
        EXPECT_EQ(rows[1].find("pass"), std::string::npos) << rows[1];
        EXPECT_TRUE(std::regex_search(rows[1], std::regex(",0,0,[0-9]+\r$"))) << rows[1];
    }
}

// The blocks of docs/exercises.md fenced as `language`, one after the other.
std::vector<std::string> DocumentedBlocks(const std::string& language) {
    std::ifstream doc(Examples + "/../docs/exercises.md");
    std::vector<std::string> blocks;
    bool inside = false;
    for (std::string line; std::getline(doc, line);) {
        if (line.starts_with("```")) {
            inside = line == "```" + language;
            if (inside) {
                blocks.emplace_back();
            }
        } else if (inside) {
            blocks.back() += line + '\n';
        }
    }
    return blocks;
}

// The complete example of docs/exercises.md reads, and the keypad's correct solution passes it.
TEST_F(CheckTest, TheDocumentedExampleIsAWorkingExercise) {
    const auto blocks = DocumentedBlocks("toml");
    ASSERT_EQ(blocks.size(), 1U);
    ASSERT_NE(blocks[0].find("[case.expect]"), std::string::npos);
    const auto result =
        RunCli({"check", Write("doc.toml", blocks[0]), Examples + "/exercises/keypad/correct.asm"});
    EXPECT_EQ(result.Exit, 0) << result.Out << result.Err;
}

// The feedback file shown in docs/exercises.md is the one the complete example writes.
TEST_F(CheckTest, TheDocumentedFeedbackFileIsWhatIsWritten) {
    const auto texts = DocumentedBlocks("text");
    const auto shown = std::find_if(texts.begin(), texts.end(), [](const std::string& text) {
        return text.find("\nSubmission: keypad/wrong.asm\n") != std::string::npos;
    });
    ASSERT_NE(shown, texts.end());
    const std::string exercise = Write("doc.toml", DocumentedBlocks("toml").at(0));
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(Examples + "/exercises");
    RunCli({"check", exercise, "keypad/wrong.asm", "--feedback-dir", (folder_ / "fb").string()});
    std::filesystem::current_path(before);
    std::ifstream written(folder_ / "fb" / "wrong.asm.txt");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(written), {}), *shown);
}

// What `run` printed, as an exercise: the registers, RAM and device lines at the end.
std::string ExerciseFromRun(const std::string& runOut, const std::string& caseHead) {
    std::string registers;
    std::string ram;
    std::string devices;
    for (const std::string& line : Lines(runOut)) {
        const std::string word = line.substr(0, line.find(' '));
        if (line.size() == 3 + 16 * 3 && line[2] == ':') {
            std::string bytes;
            for (size_t at = 4; at < line.size(); at += 3) {
                bytes += (bytes.empty() ? "0x" : ", 0x") + line.substr(at, 2);
            }
            ram += "{ at = 0x" + line.substr(0, 2) + ", bytes = [" + bytes + "] },\n";
        } else if (word.size() == 2 && line.size() > 12 && word != "IP" &&
                   std::string("ALBLCLDLSPSR").find(word) != std::string::npos) {
            registers += (registers.empty() ? "" : ", ") + word + " = 0x" + line.substr(12, 2);
        } else if (std::string(" TLIGHT SEVSEG HEATER MAZE STEPPER LIFT KEYB KEYPAD ")
                       .find(' ' + word + ' ') != std::string::npos) {
            devices += "\"" + line + "\",\n";
        }
    }
    return "title = \"from run\"\n[[case]]\n" + caseHead + "[case.expect]\nregisters = { " +
           registers + " }\nram = [\n" + ram + "]\ndevices = [\n" + devices + "]\n";
}

// The checker sees the very machine `run` shows: expectations copied from run's output pass,
// and one byte changed fails with a reason that names that byte.
TEST_F(CheckTest, ExpectationsTakenFromRunPassAndOneChangedByteFails) {
    struct Case {
        std::string File;
        std::vector<std::string> Options; // the same for run and the exercise
        std::string CaseHead;
    };
    const std::string ex = Examples + "/exercises/";
    for (const Case& c : std::vector<Case>{
             {Examples + "/demo.asm", {"--clock", "100"}, "clock = 100\n"},
             {Examples + "/arithmetic.asm", {}, ""},
             {Examples + "/loops.asm", {}, ""},
             {Examples + "/lift.asm", {"--max-steps", "3000"}, "max_steps = 3000\n"},
             {Examples + "/text.asm", {"--keys", "Hi\\r"}, "keys = 'Hi\\r'\n"},
             {ex + "traffic-lights/correct.asm", {"--clock", "10"}, "clock = 10\n"},
             {ex + "keypad/correct.asm",
              {"--clock", "10", "--max-steps", "400", "--event", "1000:keypad:9", "--event",
               "2000:keypad:D"},
              "clock = 10\nmax_steps = 400\nevents = ['1000:keypad:9', '2000:keypad:D']\n"},
             {ex + "thermostat/correct.asm",
              {"--event", "3000:thermometer:30"},
              "events = ['3000:thermometer:30']\n"},
             {Write("hand.asm", "MOV AL,C0\nMOV [AL],AL\nMOV BL,AA\nPUSH BL\nHALT\nEND\n"), {}, ""},
         }) {
        SCOPED_TRACE(c.File);
        std::vector<std::string> words{"run", c.File, "--ram", "--devices"};
        words.insert(words.end(), c.Options.begin(), c.Options.end());
        const auto run = RunCli(words);
        ASSERT_LE(run.Exit, 3) << run.Err;
        const std::string exercise = ExerciseFromRun(run.Out, c.CaseHead);
        const auto passed = RunCli({"check", Write("same.toml", exercise), c.File});
        EXPECT_EQ(passed.Exit, 0) << exercise << passed.Out;

        // RAM C0 is one more than it was.
        const size_t row = exercise.find("{ at = 0xC0, bytes = [0x");
        ASSERT_NE(row, std::string::npos);
        const std::string was = exercise.substr(row + 24, 2);
        const int changed = (std::stoi(was, nullptr, 16) + 1) % 256;
        char text[3];
        std::snprintf(text, sizeof text, "%02X", changed);
        std::string wrong = exercise;
        wrong.replace(row + 24, 2, text);
        const auto failed =
            RunCli({"check", Write("changed.toml", wrong), c.File, "--format", "csv"});
        EXPECT_EQ(failed.Exit, 4);
        EXPECT_NE(failed.Out.find("RAM C0 is " + was + ", expected " + text), std::string::npos)
            << failed.Out;
    }
}

// One line, FILE:LINE:COL: the problem, and exit 2.
TEST_F(CheckTest, BadExerciseFilesGiveOneErrorNamingTheLine) {
    struct Case {
        const char* Toml;
        const char* Error; // after FILE:
    };
    for (const Case& c : {
             Case{"title = \"x\"\n[[case]\nname = 1\n", "2:8: Error while parsing table header"},
             Case{"title = \"x\"\n[[case]]\nnmae = \"a\"\n", "3:1: unknown key 'nmae' in a case"},
             Case{"[[case]]\nname = \"a\"\n[case.expect]\nregisters = { AX = 1 }\n",
                  "4:15: unknown register 'AX'"},
             Case{"[defaults]\nclock = \"fast\"\n[[case]]\n", "2:9: clock must be a whole number"},
             Case{"[[case]]\nmax_steps = 0\n", "2:13: max_steps must be from 1 to"},
             Case{"[[case]]\nevents = [\n  '-100:keypad:1',\n]\n",
                  "3:3: an event's time is a whole number of milliseconds from 0, not '-100'"},
             Case{"[[case]]\nevents = ['10:keypad:Z']\n", "2:11: no keypad key is called 'Z'"},
             Case{"[[case]]\n[case.expect]\nended = 'DONE'\n", "3:9: ended is HALT"},
             Case{"[[case]]\n[case.expect]\nvdu = [{ row = 4, text = '' }]\n",
                  "3:16: row must be from 0 to 3, not 4"},
             Case{"[[case]]\n[case.expect]\ndevices = [{ device = 'OVEN', text = '' }]\n",
                  "3:12: unknown device 'OVEN'"},
             Case{"[[case]]\n[case.expect]\nvdu = [{ row = 0, matches = '(' }]\n",
                  "3:29: the pattern '(' is not a regular expression"},
             Case{"title = 'no cases'\n", "1:1: an exercise needs at least one [[case]]"},
         }) {
        SCOPED_TRACE(c.Toml);
        const std::string exercise = Write("bad.toml", c.Toml);
        const auto result = RunCli({"check", exercise, Write("ok.asm", "HALT\nEND\n")});
        EXPECT_EQ(result.Exit, 2);
        EXPECT_EQ(result.Err.rfind(exercise + ":" + c.Error, 0), 0U) << result.Err;
        EXPECT_EQ(Lines(result.Err).size(), 1U) << result.Err;
        EXPECT_EQ(result.Out, "");
    }
}

const char* const TwoCases = R"(title = "Sum"
[defaults]
max_steps = 50
[[case]]
name = "adds"
registers = { AL = 2, BL = 3 }
[case.expect]
registers = { AL = 5 }
ended = "HALT"
[[case]]
name = "sum in RAM"
ram = [{ at = 0x80, bytes = [7] }]
[case.expect]
ram = [{ at = 0x81, bytes = [0x07] }]
vdu = [{ row = 0, matches = "^ +$" }]
at_most_steps = 4
)";

// AL = AL + BL, and the byte at 80 copied to 81.
const char* const SumProgram = "ADD AL,BL\nMOV CL,[80]\nMOV [81],CL\nHALT\nEND\n";

TEST_F(CheckTest, EveryFormatShowsEveryCaseOfEverySubmission) {
    const std::string exercise = Write("sum.toml", TwoCases);
    const std::string good = Write("good.asm", SumProgram);
    const std::string bad = Write("bad.asm", "SUB AL,BL\nHALT\nEND\n");
    const auto text = RunCli({"check", exercise, good, bad});
    EXPECT_EQ(text.Exit, 4);
    const auto rows = Lines(text.Out);
    ASSERT_EQ(rows.size(), 7U) << text.Out;
    EXPECT_EQ(rows[0], "Sum");
    EXPECT_EQ(rows[2].substr(0, good.size()), good);
    EXPECT_NE(rows[2].find("pass"), std::string::npos);
    EXPECT_TRUE(rows[3].ends_with("FAIL  FAIL        0/2    0/2")) << rows[3];
    EXPECT_EQ(rows[4], "    adds: AL is FF, expected 05");
    EXPECT_EQ(rows[5], "    sum in RAM: RAM 81 is 00, expected 07");
    EXPECT_EQ(rows[6], "1 of 2 submissions passed every case");

    EXPECT_EQ(RunCli({"check", exercise, good, bad, "--format", "json"}).Out,
              "{\"title\": \"Sum\", \"cases\": [\"adds\", \"sum in RAM\"], \"max_score\": 2,\n"
              " \"submissions\": [\n"
              "  {\"file\": \"" +
                  good +
                  "\", \"passed\": 2, \"score\": 2, \"max_score\": 2, \"results\": ["
                  "{\"case\": \"adds\", \"passed\": true, \"reason\": \"\", \"score\": 1, "
                  "\"max_score\": 1}, "
                  "{\"case\": \"sum in RAM\", \"passed\": true, \"reason\": \"\", \"score\": 1, "
                  "\"max_score\": 1}]},\n"
                  "  {\"file\": \"" +
                  bad +
                  "\", \"passed\": 0, \"score\": 0, \"max_score\": 2, \"results\": ["
                  "{\"case\": \"adds\", \"passed\": false, \"reason\": \"AL is FF, expected 05\", "
                  "\"score\": 0, \"max_score\": 1}, "
                  "{\"case\": \"sum in RAM\", \"passed\": false, \"reason\": \"RAM 81 is 00, "
                  "expected 07\", \"score\": 0, \"max_score\": 1}]}\n]}\n");
    // Times vary from run to run; everything else is fixed.
    const std::string junit =
        std::regex_replace(RunCli({"check", exercise, good, bad, "--format", "junit"}).Out,
                           std::regex(" time=\"[0-9]+\\.[0-9]{3}\""), "");
    const std::string properties = "    <properties><property name=\"score\" value=\"";
    EXPECT_EQ(junit,
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<testsuites name=\"Sum\" tests=\"4\" failures=\"2\" errors=\"0\">\n"
              "  <testsuite name=\"" +
                  good + "\" tests=\"2\" failures=\"0\" errors=\"0\">\n" + properties +
                  "2\"/><property name=\"max_score\" value=\"2\"/></properties>\n"
                  "    <testcase name=\"adds\" classname=\"" +
                  good +
                  "\"/>\n"
                  "    <testcase name=\"sum in RAM\" classname=\"" +
                  good +
                  "\"/>\n"
                  "  </testsuite>\n"
                  "  <testsuite name=\"" +
                  bad + "\" tests=\"2\" failures=\"2\" errors=\"0\">\n" + properties +
                  "0\"/><property name=\"max_score\" value=\"2\"/></properties>\n"
                  "    <testcase name=\"adds\" classname=\"" +
                  bad +
                  "\"><failure message=\"AL is FF, expected 05\" type=\"failure\">AL is FF, "
                  "expected 05</failure></testcase>\n"
                  "    <testcase name=\"sum in RAM\" classname=\"" +
                  bad +
                  "\"><failure message=\"RAM 81 is 00, expected 07\" type=\"failure\">RAM 81 is "
                  "00, expected 07</failure></testcase>\n"
                  "  </testsuite>\n</testsuites>\n");
    EXPECT_EQ(RunCli({"check", exercise, good, bad, "--format", "csv"}).Out,
              "submission,adds,sum in RAM,passed,score,max_score\r\n" + good +
                  ",pass,pass,2,2,2\r\n" + bad +
                  ",\"AL is FF, expected 05\",\"RAM 81 is 00, expected 07\",0,0,2\r\n");
}

// Exit 0 only when every submission passes every case; 2 for what cannot be marked at all.
TEST_F(CheckTest, ExitCodes) {
    const std::string exercise = Write("sum.toml", TwoCases);
    const std::string good = Write("good.asm", SumProgram);
    EXPECT_EQ(RunCli({"check", exercise, good}).Exit, 0);
    EXPECT_EQ(RunCli({"check", exercise, good, Write("halt.asm", "HALT\nEND\n")}).Exit, 4);
    const auto missing = RunCli({"check", (folder_ / "none.toml").string(), good});
    EXPECT_EQ(missing.Exit, 2);
    EXPECT_NE(missing.Err.find("none.toml: no such file"), std::string::npos);
    const auto empty = RunCli({"check", exercise, (folder_ / "empty").string() + "/"});
    std::filesystem::create_directories(folder_ / "empty");
    EXPECT_EQ(RunCli({"check", exercise, (folder_ / "empty").string()}).Exit, 2);
    EXPECT_EQ(RunCli({"check", exercise}).Exit, 2);
    EXPECT_EQ(RunCli({"check", exercise, good, "--format", "xml"}).Exit, 2);
    EXPECT_EQ(RunCli({"check", exercise, good, "-j", "0"}).Exit, 2);
}

// What goes wrong in one submission stays in its row: an assembler error, an endless loop,
// an execution error, a file too big or missing. Any -j gives the same report.
TEST_F(CheckTest, ASubmissionOnlyFailsItselfAndAnyJobCountGivesTheSameReport) {
    const std::string exercise = Write("sum.toml", TwoCases);
    Write("class/a.asm", SumProgram);
    Write("class/b.asm", "NOP\nINC QL\nEND\n");
    Write("class/c.asm", "Loop:\nJMP Loop\nEND\n");
    Write("class/d.asm", "MOV AL,00\nDIV AL,00\nHALT\nEND\n");
    Write("class/e.asm", std::string(16 * 1024 * 1024 + 1, ';'));
    Write("class/f.asm", "");
    Write("class/notes.txt", "not a submission");
    for (int i = 0; i < 12; ++i) {
        Write("class/z" + std::to_string(i) + ".asm", i % 2 ? SumProgram : "HALT\nEND\n");
    }
    const std::string missing = (folder_ / "gone.asm").string();
    const std::string folder = (folder_ / "class").string();
    const auto one = RunCli({"check", exercise, folder, missing, "-j", "1", "--format", "csv"});
    EXPECT_EQ(one.Exit, 4);
    const auto rows = Lines(one.Out);
    ASSERT_EQ(rows.size(), 1U + 6 + 12 + 1);
    EXPECT_EQ(rows[1], folder + "/a.asm,pass,pass,2,2,2\r");
    const std::string notAssembled =
        "\"" + folder + "/b.asm:2:5: Expected AL, BL, CL or DL.  Got QL\"";
    EXPECT_EQ(rows[2], folder + "/b.asm," + notAssembled + "," + notAssembled + ",0,0,2\r");
    EXPECT_EQ(
        rows[3],
        folder +
            "/c.asm,\"ended STEP-LIMIT, expected HALT\",\"took 50 steps, more than 4\",0,0,2\r");
    EXPECT_NE(rows[4].find(folder + "/d.asm:2:1: "), std::string::npos) << rows[4];
    EXPECT_EQ(rows[5], folder + "/e.asm,cannot read " + folder + "/e.asm: larger than 16 MiB," +
                           "cannot read " + folder + "/e.asm: larger than 16 MiB,0,0,2\r");
    EXPECT_EQ(rows[6], folder + "/f.asm,Nothing to assemble.,Nothing to assemble.,0,0,2\r");
    EXPECT_EQ(rows.back(), missing + ",cannot read " + missing + ": no such file,cannot read " +
                               missing + ": no such file,0,0,2\r");
    for (const char* jobs : {"2", "3", "8"}) {
        EXPECT_EQ(RunCli({"check", exercise, folder, missing, "-j", jobs, "--format", "csv"}).Out,
                  one.Out)
            << jobs;
    }
}

// Expectations over time: a device line at a time, the lift never crashing, bytes written
// whole or with repeats collapsed, and how the run ended with which error.
TEST_F(CheckTest, ExpectationsOverTimeAndAtTheEnd) {
    struct Case {
        const char* Program;
        const char* Expect;
        const char* Reason; // "" when it passes
    };
    for (const Case& c : {
             Case{"MOV AL,01\nOUT 06\nL:\nJMP L\nEND\n", "lift_never_crashes = true",
                  "the lift crashed at "},
             Case{"L:\nJMP L\nEND\n", "lift_never_crashes = true", ""},
             Case{"MOV AL,1\nOUT 1\nOUT 1\nMOV AL,2\nOUT 1\nHALT\nEND\n",
                  "outputs = [{ port = 1, bytes = [1, 2], collapse = true, whole = true }]", ""},
             Case{"MOV AL,1\nOUT 1\nOUT 1\nMOV AL,2\nOUT 1\nHALT\nEND\n",
                  "outputs = [{ port = 1, bytes = [1, 2] }]", "OUT 01 byte 2 is 01, expected 02"},
             Case{"MOV AL,1\nOUT 1\nOUT 1\nHALT\nEND\n",
                  "outputs = [{ port = 1, bytes = [1], whole = true }]",
                  "OUT 01 wrote 01 after the 1 bytes expected"},
             Case{"MOV AL,80\nOUT 3\nL:\nJMP L\nEND\n",
                  "devices = [{ device = 'HEATER', at = 5000, between = [2, 3] }]", ""},
             Case{"MOV AL,80\nOUT 3\nL:\nJMP L\nEND\n",
                  "devices = [{ device = 'HEATER', at = 5000, between = [0, 2] }]",
                  "\"HEATER 2.93 ON\" at 5000 ms, expected HEATER between 0 and 2"},
             Case{"HALT\nEND\n", "devices = [{ device = 'HEATER', at = 5000, text = '' }]",
                  "the run ended at 1000 ms, before HEATER was looked at, at 5000 ms"},
             Case{"MOV AL,00\nDIV AL,00\nEND\n", "ended = 'DIVIDE-BY-ZERO'", ""},
             Case{"MOV AL,00\nDIV AL,00\nEND\n", "ended = 'HALT'", "ended DIVIDE-BY-ZERO ("},
             Case{"POP AL\nHALT\nEND\n", "error = 'Nope'",
                  "error \"Stack underflow.\", expected \"Nope\""},
             Case{"POP AL\nHALT\nEND\n", "error = 'Stack underflow.'", ""},
             Case{"POP AL\nHALT\nEND\n", "ended = 'HALT'", "p.asm:1:1: Stack underflow."},
             Case{"HALT\nEND\n", "error = 'Nope'", "no execution error, expected \"Nope\""},
             Case{"NOP\nNOP\nHALT\nEND\n", "at_most_steps = 2", "took 3 steps, more than 2"},
             Case{"MOV AL,41\nMOV [C0],AL\nHALT\nEND\n", "vdu = [{ row = 0, text = 'B' }]",
                  "VDU row 0 is \"A               \", expected \"B\""},
         }) {
        SCOPED_TRACE(c.Expect);
        const std::string exercise =
            Write("time.toml",
                  std::string("[[case]]\nmax_steps = 20\n[case.expect]\n") + c.Expect + "\n");
        const auto result =
            RunCli({"check", exercise, Write("p.asm", c.Program), "--format", "json"});
        if (*c.Reason) {
            EXPECT_EQ(result.Exit, 4);
            const auto reason =
                nlohmann::json::parse(result.Out)["submissions"][0]["results"][0]["reason"]
                    .get<std::string>();
            EXPECT_NE(reason.find(c.Reason), std::string::npos) << reason;
        } else {
            EXPECT_EQ(result.Exit, 0) << result.Out << result.Err;
        }
    }
}

} // namespace
