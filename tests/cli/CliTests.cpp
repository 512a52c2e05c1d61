#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "marking/KeyText.h"
#include "support/CliRunner.h"

namespace {

class CliTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("corvane-cli-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string Write(const std::string& bytes) {
        const auto path = folder_ / ("source" + std::to_string(files_++) + ".asm");
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }

    std::filesystem::path folder_;
    int files_ = 0;
};

TEST_F(CliTest, AssemblePrintsTheListFileWithLineFeeds) {
    const auto result = RunCli({"assemble", Write("HALT\r\nEND\r\n")});
    EXPECT_EQ(result.Exit, 0);
    EXPECT_EQ(result.Err, "");
    EXPECT_EQ(result.Out, "; LIST FILE : SUCCESS : No errors found.\n;\n"
                          "; This shows the machine code that was generated and\n"
                          "; the addresses at which the codes were stored.\n;\n"
                          "\tHALT\t\t; [00]  00\t\n\tEND\t\t; [01]  00\t\n;\n"
                          "; SUCCESS : No errors found.\n");
}

TEST_F(CliTest, AssemblerErrorsExitOneWithEveryMessageAtItsPlace) {
    const std::string file = Write("INC\r\nEND\r\n");
    const auto result = RunCli({"assemble", file});
    EXPECT_EQ(result.Exit, 1);
    EXPECT_EQ(result.Err, file + ":2:1: Expected AL, BL, CL or DL.  Got END\n");
    EXPECT_NE(result.Out.find("; Expected AL, BL, CL or DL.  Got END\n"), std::string::npos);

    // Both errors, in the order reported; the second is at the last token.
    const std::string several = Write("ORG FF\r\nINC AL\r\n");
    EXPECT_EQ(RunCli({"assemble", several}).Err,
              several + ":2:5: Can not generate code beyond the end of RAM.\n" + several +
                  ":2:5: Expected  END  at the end of the source code.\n");
}

// Ruling 38: a blank line's marker, also the last token, has no length; its errors stand
// at its start, which is that of the token before it.
TEST_F(CliTest, ErrorsAtABlankLineStandAtTheTokenBeforeIt) {
    struct Case {
        const char* Source;
        std::vector<std::string> Errors; // each after the file name
    };
    for (const Case& c :
         {Case{"INC AL\r\n\r\n", {":1:5: Expected  END  at the end of the source code."}},
          Case{"MOV AL,[05\r\n\r\n]\r\nEND\r\n", {":1:9: Expected ]  Got #"}},
          Case{"ORG FF\r\nINC AL\r\n\r\nEND\r\n",
               {":2:5: Can not generate code beyond the end of RAM.",
                ":4:1: Can not generate code beyond the end of RAM."}}}) {
        const std::string file = Write(c.Source);
        std::string expected;
        for (const std::string& error : c.Errors) {
            expected += file + error + '\n';
        }
        EXPECT_EQ(RunCli({"assemble", file}).Err, expected);
    }
}

// Lines end at CR LF, LF or CR; a column counts bytes, a tab one.
TEST_F(CliTest, ErrorPositionsCountLinesOfEveryEndingAndColumnsInBytes) {
    struct Case {
        const char* Source;
        const char* Place;
    };
    for (const Case& c :
         {Case{"NOP\r\n\tMOV AL,\r\nEND\r\n", ":3:1:"}, Case{"NOP\n\tINC QL\nEND\n", ":2:6:"},
          Case{"NOP\r\tINC QL\rEND\r", ":2:6:"}, Case{"; \xE9\xE9\n  INC QL\nEND\n", ":2:7:"}}) {
        const std::string file = Write(c.Source);
        const auto result = RunCli({"assemble", file});
        EXPECT_EQ(result.Err.substr(0, file.size() + std::string(c.Place).size()), file + c.Place)
            << result.Err;
    }
}

// Ruling 13: a last line without a line break loses nothing, so there is no box.
TEST_F(CliTest, BlockReadErrorOnlyWhenBytesWereLost) {
    const auto unbroken = RunCli({"assemble", Write("END")});
    EXPECT_EQ(unbroken.Exit, 0);
    EXPECT_EQ(unbroken.Err, "");

    // 32767 bytes: the saved line break makes 32769, one more than the buffer holds.
    const auto full = RunCli({"tokens", Write(std::string(32767, 'A'))});
    EXPECT_EQ(full.Err, "Block read error\n");

    const auto large = RunCli({"tokens", Write(std::string(40000, 'A') + "\r\n")});
    EXPECT_EQ(large.Exit, 0);
    EXPECT_EQ(large.Err, "Block read error\n");
    EXPECT_EQ(large.Out, std::string(32768, 'A') + "\n");
}

TEST_F(CliTest, LineEndsOfEveryKindGiveTheSameListFile) {
    const auto crlf = RunCli({"assemble", Write("MOV AL,15\r\n\r\nEND\r\n")});
    EXPECT_EQ(RunCli({"assemble", Write("MOV AL,15\n\nEND\n")}).Out, crlf.Out);
    EXPECT_EQ(RunCli({"assemble", Write("MOV AL,15\r\rEND\r")}).Out, crlf.Out);
}

TEST_F(CliTest, EmptySources) {
    const std::string empty = Write("");
    const auto assembled = RunCli({"assemble", empty});
    EXPECT_EQ(assembled.Exit, 1);
    EXPECT_EQ(assembled.Out, "");
    EXPECT_EQ(assembled.Err, "Nothing to assemble.\n");

    const auto tokens = RunCli({"tokens", empty});
    EXPECT_EQ(tokens.Exit, 0);
    EXPECT_EQ(tokens.Out, "");

    const auto run = RunCli({"run", empty});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_EQ(run.Err, "Nothing to assemble.\n");

    // No token to point at: the file alone.
    const std::string blanks = Write("  \r\n\t\r\n");
    const auto blank = RunCli({"assemble", blanks});
    EXPECT_EQ(blank.Exit, 1);
    EXPECT_EQ(blank.Err, blanks + ": Expected  END  at the end of the source code.\n");
}

TEST_F(CliTest, TokensPrintsOneTokenALine) {
    const auto result = RunCli({"tokens", Write("; Demo\r\nmov al,15 ; load\r\n\r\nEND\r\n")});
    EXPECT_EQ(result.Exit, 0);
    EXPECT_EQ(result.Out, "# Demo\nMOV\nAL\n,\n15\n; load\n#\nEND\n");
}

// Each bad argument on an existing file, so that only the argument can be refused.
TEST_F(CliTest, BadArgumentsExitTwoWithOneLineThatNamesTheFault) {
    const std::string file = Write("HALT\r\nEND\r\n");
    struct Case {
        std::vector<std::string> Words;
        std::string Says;
    };
    const std::vector<Case> cases = {
        {{}, "A subcommand is required"},
        {{"assemble"}, "FILE is required"},
        {{"frobnicate", file}, "unknown command: frobnicate"},
        {{"assemble", (folder_ / "missing.asm").string()}, "no such file"},
        {{"assemble", folder_.string()}, "not a file"},
        {{"assemble", file, file}, "not expected: " + file},
        {{"run", file, "--clock"}, "--clock"},
        {{"run", file, "--clock", "0"},
         "--clock: expects a whole number of milliseconds "
         "from 1 to 60000, not '0'"},
        {{"run", file, "--clock", "60001"}, "from 1 to 60000, not '60001'"},
        {{"run", file, "--hw-timer", "86400001"}, "from 1 to 86400000, not '86400001'"},
        {{"run", file, "--hw-timer", "0"}, "from 1 to 86400000, not '0'"},
        {{"run", file, "--hw-timer=-5"}, "not '-5'"},
        {{"run", file, "--max-steps", "0"}, "from 1 to 1000000000000, not '0'"},
        {{"run", file, "--max-steps", "12x"}, "--max-steps: expects a whole number of steps"},
        {{"run", file, "--max-steps", "1000000000001"}, "from 1 to 1000000000000"},
        {{"run", file, "--max-steps", "99999999999999999999"}, "not '99999999999999999999'"},
        {{"run", file, "--keys", "\\q"}, "--keys: '\\q' has an escape other than"},
        {{"run", file, "--keys", "\\x4"}, "'\\x4' has an escape"},
        {{"run", file, "--colour"}, "not expected: --colour"},
        {{"assemble", file, "--ram"}, "not expected: --ram"},
    };
    for (const Case& c : cases) {
        const auto result = RunCli(c.Words);
        const std::string shown = testing::PrintToString(c.Words);
        EXPECT_EQ(result.Exit, 2) << shown;
        EXPECT_EQ(result.Out, "") << shown;
        EXPECT_EQ(std::count(result.Err.begin(), result.Err.end(), '\n'), 1) << shown;
        EXPECT_NE(result.Err.find(c.Says), std::string::npos) << shown << ": " << result.Err;
    }
}

// Option forms and limits: each accepted form runs the same halting program.
TEST_F(CliTest, OptionFormsAndLimits) {
    const std::string file = Write("MOV AL,07\r\nHALT\r\nEND\r\n");
    const std::string source = "MOV AL,07\r\nHALT\r\nEND\r\n";
    struct Case {
        std::vector<std::string> Words;
        std::string Input;
    };
    const std::vector<Case> cases = {
        {{"run", file, "--max-steps", "5"}, ""},
        {{"run", "--max-steps", "5", file}, ""},
        {{"run", "--max-steps=5", file, "--clock=2"}, ""},
        {{"run", "--ram", "--", file}, ""},
        {{"run", "-"}, source},
        {{"run", "--clock", "1", "--hw-timer", "1", file}, ""},
        {{"run", "--clock", "60000", "--hw-timer", "86400000", file}, ""},
        {{"run", "--max-steps", "1000000000000", file}, ""},
    };
    for (const Case& c : cases) {
        const auto result = RunCli(c.Words, c.Input);
        const std::string shown = testing::PrintToString(c.Words);
        EXPECT_EQ(result.Exit, 0) << shown << result.Err;
        EXPECT_EQ(Line(result, "AL"), "AL 00000111 07 +007") << shown;
        EXPECT_EQ(Line(result, "ENDED"), "ENDED HALT") << shown;
    }
    // The lowest step limit stops before the HALT.
    EXPECT_EQ(Line(RunCli({"run", file, "--max-steps", "1"}), "ENDED"), "ENDED STEP-LIMIT");
    // After --, a word that looks like an option is a file name.
    EXPECT_NE(RunCli({"assemble", "--", "--ram"}).Err.find("cannot read --ram"), std::string::npos);
}

TEST_F(CliTest, HelpAndVersionGoToStdoutWithExitZero) {
    const auto help = RunCli({"--help"});
    EXPECT_EQ(help.Exit, 0);
    EXPECT_EQ(help.Err, "");
    for (const char* word : {"assemble", "tokens", "run", "--clock", "--hw-timer", "--max-steps",
                             "--keys", "--run-log", "--ram", "--vdu", "--devices", "--version"}) {
        EXPECT_NE(help.Out.find(word), std::string::npos) << word;
    }
    const auto runHelp = RunCli({"run", "--help"});
    EXPECT_EQ(runHelp.Exit, 0);
    EXPECT_NE(runHelp.Out.find("corvane-cli run"), std::string::npos);
    EXPECT_NE(runHelp.Out.find("--max-steps"), std::string::npos);
    EXPECT_EQ(RunCli({"tokens", "--help"}).Out.find("--max-steps"), std::string::npos);

    const auto version = RunCli({"--version"});
    EXPECT_EQ(version.Exit, 0);
    EXPECT_EQ(version.Out, std::string("corvane-cli ") + CORVANE_VERSION + "\n");
}

TEST_F(CliTest, StandardInputIsNamedDashInErrors) {
    const auto result = RunCli({"assemble", "-"}, "NOP\nINC QL\nEND\n");
    EXPECT_EQ(result.Exit, 1);
    EXPECT_EQ(result.Err, "-:2:5: Expected AL, BL, CL or DL.  Got QL\n");
}

// A stream that refuses every byte, as a full disk does.
class FullDisk : public std::streambuf {
  protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
};

TEST_F(CliTest, OutputThatCannotBeWrittenIsExitTwo) {
    const std::string file = Write("HALT\r\nEND\r\n");
    FullDisk disk;
    std::ostream out(&disk);
    std::istringstream in;
    std::ostringstream err;
    const std::vector<std::string_view> words = {"assemble", file};
    EXPECT_EQ(RunCorvaneCli(words, in, out, err), 2);
    EXPECT_EQ(err.str(), "corvane-cli: cannot write the output\n");
}

TEST(KeyEscapes, EachEscapeStandsForOneByte) {
    EXPECT_EQ(DecodeKeys("a\\r\\n\\t\\e\\\\\\x41\\xfF"), std::string("a\r\n\t\x1B\\A\xFF"));
    EXPECT_EQ(DecodeKeys(""), std::string());
    EXPECT_FALSE(DecodeKeys("\\"));
    EXPECT_FALSE(DecodeKeys("\\xG1"));
}

TEST_F(CliTest, RunPrintsRegistersStatusStepsAndHowTheRunEnded) {
    const auto result =
        RunCli({"run", Write("MOV AL,C8\r\nMOV BL,FF\r\nSTI\r\nHALT\r\nEND\r\n"), "--ram"});
    EXPECT_EQ(result.Exit, 0);
    const std::string expected = "AL 11001000 C8 -056\n"
                                 "BL 11111111 FF -001\n"
                                 "CL 00000000 00 +000\n"
                                 "DL 00000000 00 +000\n"
                                 "IP 00000111 07 +007\n"
                                 "SP 10111111 BF -065\n"
                                 "SR 00010000 10 +016\n"
                                 "STATUS END  Program has halted.\n"
                                 "STEPS 4\n"
                                 "ENDED HALT\n"
                                 "00: D0 00 C8 D0 01 FF FC 00 00 00 00 00 00 00 00 00\n";
    EXPECT_EQ(result.Out.substr(0, expected.size()), expected);
    EXPECT_EQ(Line(result, "C0:"), "C0: 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20");
}

// Ruling 14: nothing claims a save; a HALT in a cell without source text leaves the
// assembler's progress in the status line.
TEST_F(CliTest, StatusStartsEmptyBeforeTheAssembly) {
    const auto result = RunCli({"run", Write("ORG 10\r\nEND\r\n")});
    EXPECT_EQ(Line(result, "STATUS"),
              "STATUS Make tokens.  Parse tokens.  Calculate jumps.  Success.");
    EXPECT_EQ(Line(result, "ENDED"), "ENDED HALT");
}

TEST_F(CliTest, StepLimitStopsAnEndlessLoop) {
    const auto result =
        RunCli({"run", Write("L:\r\nINC AL\r\nJMP L\r\nEND\r\n"), "--max-steps", "7"});
    EXPECT_EQ(result.Exit, 0);
    EXPECT_EQ(Line(result, "STEPS"), "STEPS 7");
    EXPECT_EQ(Line(result, "AL"), "AL 00000100 04 +004");
    EXPECT_EQ(Line(result, "STATUS"), "STATUS JMP L");
}

// Ruling 16: every way a run ends, its ENDED line, exit code and error line.
TEST_F(CliTest, EveryEndOfARunIsNamed) {
    struct Case {
        const char* Name;
        const char* Source;
        const char* Ended;
        int Exit;
        const char* Error; // after the file name
    };
    const std::vector<Case> cases = {
        {"halt", "NOP\r\nHALT\r\nEND\r\n", "ENDED HALT", 0, ""},
        {"step limit", "L:\r\nJMP L\r\nEND\r\n", "ENDED STEP-LIMIT", 0, ""},
        {"escape", "IN 00\r\nIN 00\r\nEND\r\n", "ENDED ESCAPE", 0, ""},
        {"maze edge", "MOV AL,8F\r\nOUT 04\r\nL:\r\nJMP L\r\nEND\r\n", "ENDED MAZE-EDGE", 0, ""},
        {"illegal opcode", "DB 01\r\nEND\r\n", "ENDED ERROR", 3,
         ":1:4: Illegal op code not recognised by CPU.\n"},
        // CALL has moved IP before the stack overflows: the error is still the CALL's.
        {"stack overflow",
         "JMP T\r\nORG 70\r\nT:\r\nJMP S\r\nORG C0\r\nS:\r\n  CALL D0\r\nORG D0\r\nJMP S\r\n"
         "END\r\n",
         "ENDED ERROR", 3, ":7:3: Stack overflow.\n"},
        {"divide by zero", "MOV AL,05\r\n\tDIV AL,00\r\nEND\r\n", "ENDED DIVIDE-BY-ZERO", 3,
         ":2:2: Divide by zero error.\n"},
        // The program stores 01 over its own END: that cell has no source text.
        {"error in a stored cell", "MOV AL,01\r\nMOV [06],AL\r\nEND\r\n", "ENDED ERROR", 3,
         ": Illegal op code not recognised by CPU.\n"},
    };
    for (const Case& c : cases) {
        const std::string file = Write(c.Source);
        const auto result = RunCli({"run", file, "--max-steps", "1000"});
        EXPECT_EQ(Line(result, "ENDED"), c.Ended) << c.Name;
        EXPECT_EQ(result.Exit, c.Exit) << c.Name;
        EXPECT_EQ(result.Err, *c.Error ? file + c.Error : "") << c.Name;
    }
}

TEST_F(CliTest, ExecutionErrorsCountTheFailingStep) {
    const auto illegal = RunCli({"run", Write("DB 01\r\nEND\r\n")});
    EXPECT_EQ(Line(illegal, "STEPS"), "STEPS 1");
    EXPECT_EQ(Line(illegal, "STATUS"), "STATUS Illegal op code not recognised by CPU.");
    const auto divide = RunCli({"run", Write("MOV AL,05\r\nDIV AL,00\r\nEND\r\n")});
    EXPECT_EQ(Line(divide, "STEPS"), "STEPS 2");
}

// Ruling 17: the longest clock with the devices' timers still ends quickly.
TEST_F(CliTest, TheLongestClockStaysBounded) {
    const auto result = RunCli({"run", Write("L:\r\nJMP L\r\nEND\r\n"), "--clock", "60000",
                                "--hw-timer", "86400000", "--max-steps", "2000"});
    EXPECT_EQ(Line(result, "STEPS"), "STEPS 2000");
}

TEST_F(CliTest, KeysReachInZeroAndEscapeEndsTheRun) {
    const auto result = RunCli(
        {"run", Write("MOV BL,80\r\nL:\r\nIN 00\r\nMOV [BL],AL\r\nINC BL\r\nJMP L\r\nEND\r\n"),
         "--keys", "Hi\\x01", "--ram"});
    EXPECT_EQ(result.Exit, 0);
    EXPECT_EQ(Line(result, "80:").substr(0, 12), "80: 48 69 01");
    EXPECT_EQ(Line(result, "STEPS"), "STEPS 14");
    EXPECT_EQ(Line(result, "ENDED"), "ENDED ESCAPE");
}

TEST_F(CliTest, VduRowsStayOnOneLine) {
    const auto result =
        RunCli({"run",
                Write("MOV AL,41\r\nMOV [C0],AL\r\nMOV AL,0A\r\nMOV [C1],AL\r\n"
                      "MOV AL,7F\r\nMOV [C2],AL\r\nMOV AL,E9\r\nMOV [C3],AL\r\nEND\r\n"),
                "--vdu"});
    EXPECT_EQ(result.Exit, 0);
    EXPECT_NE(result.Out.find("A..\xE9            \n" + std::string(16, ' ') + "\n"),
              std::string::npos);
}

TEST_F(CliTest, RunLogIsPrintedAsItIsWritten) {
    const auto result = RunCli({"run", Write("NOP\r\nHALT\r\nEND\r\n"), "--run-log"});
    const std::string registers = "\tAL = 00\tBL = 00\tCL = 00\tDL = 00\tIP = 00\tSP = BF\tSR = "
                                  "........\n";
    const std::string block = registers + "FETCH\n\tFetch NOP\n\nEXECUTE\n\tNOP\n\n";
    EXPECT_EQ(result.Out.substr(0, block.size()), block);
}

struct PipeRun {
    std::optional<int> Exit; // none when it had to be killed
    std::string Err;
};

// corvane-cli as `trap '' PIPE; corvane-cli ... | head -c 0` runs it: SIGPIPE ignored and
// its output into a pipe whose reader has gone. A run that never stops by itself is
// killed after half a minute.
PipeRun RunIntoClosedPipe(const std::vector<std::string>& words) {
    int out[2];
    int err[2];
    if (::pipe(out) != 0 || ::pipe(err) != 0) {
        return {std::nullopt, "no pipe"};
    }
    ::close(out[0]);
    const pid_t child = ::fork();
    if (child == 0) {
        ::signal(SIGPIPE, SIG_IGN);
        ::dup2(out[1], STDOUT_FILENO);
        ::dup2(err[1], STDERR_FILENO);
        std::vector<char*> argv{const_cast<char*>(CORVANE_CLI)};
        for (const std::string& word : words) {
            argv.push_back(const_cast<char*>(word.c_str()));
        }
        argv.push_back(nullptr);
        ::execv(CORVANE_CLI, argv.data());
        ::_exit(127);
    }
    ::close(out[1]);
    ::close(err[1]);
    int status = 0;
    bool ended = false;
    for (int tries = 0; tries < 3000 && !ended; ++tries) {
        ended = ::waitpid(child, &status, WNOHANG) == child;
        if (!ended) {
            ::usleep(10000);
        }
    }
    if (!ended) {
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
    }
    std::string text;
    char buffer[256];
    for (ssize_t got; (got = ::read(err[0], buffer, sizeof buffer)) > 0;) {
        text.append(buffer, static_cast<size_t>(got));
    }
    ::close(err[0]);
    return {ended ? std::optional<int>(WEXITSTATUS(status)) : std::nullopt, text};
}

// An endless loop with the largest step limit ends only by stopping at the first output
// that cannot be written.
TEST_F(CliTest, ARunStopsWhenNobodyReadsWhatItPrintsAsItGoes) {
    const std::string file = Write("L:\r\nOUT 01\r\nJMP L\r\nEND\r\n");
    for (const char* option : {"--trace-ports", "--run-log"}) {
        const PipeRun run =
            RunIntoClosedPipe({"run", file, option, "--max-steps", "1000000000000"});
        EXPECT_EQ(run.Exit, 2) << option;
        EXPECT_EQ(run.Err, "corvane-cli: cannot write the output\n") << option;
    }
}

TEST_F(CliTest, BinarySourcesGiveMessagesNotCrashes) {
    std::string binary;
    for (int i = 0; i < 4096; ++i) {
        binary += static_cast<char>(i * 37);
    }
    const auto garbage = RunCli({"run", Write(binary)});
    EXPECT_EQ(garbage.Exit, 1);
    EXPECT_FALSE(garbage.Err.empty());
}

} // namespace

namespace {

// Everything of the run log but the interrupts' entries.
std::string WithoutInterruptEntries(std::string text) {
    const std::string dashes = std::string(91, '-') + "\n";
    for (size_t entry; (entry = text.find("INTERRUPT\n")) != std::string::npos;) {
        text.erase(entry, text.find(dashes, entry) + dashes.size() - entry);
    }
    return text;
}

// The hardware timer's vector at 02 sends the loop at 04 to the handler at 50.
const char* const TimerProgram = "JMP start\r\nDB 50\r\nstart:\r\nSTI\r\nloop:\r\nJMP loop\r\n"
                                 "ORG 50\r\nIRET\r\nEND\r\n";

TEST_F(CliTest, InterruptsHaveRunLogEntriesOnlyWhenAskedFor) {
    const std::string file = Write(TimerProgram);
    const std::vector<std::string> run = {"run",        file,   "--run-log",   "--clock", "100",
                                          "--hw-timer", "1000", "--max-steps", "40"};
    std::vector<std::string> withEntries = run;
    withEntries.push_back("--interrupts");
    const CliResult plain = RunCli(run);
    const CliResult entries = RunCli(withEntries);
    EXPECT_EQ(plain.Exit, 0);
    EXPECT_EQ(entries.Exit, 0);
    EXPECT_EQ(plain.Out.find("INTERRUPT"), std::string::npos);
    const std::string entry =
        "INTERRUPT\n\tHardware timer interrupt 02\n"
        "\tRead the vector at [02]: 50\n"
        "\tPush IP 04 to the stack at [BF]\n\tIP = 50\n"
        "\tAL = 00\tBL = 00\tCL = 00\tDL = 00\tIP = 50\tSP = BE\tSR = ...I....\n" +
        std::string(91, '-') + "\n";
    EXPECT_NE(entries.Out.find(entry), std::string::npos) << entries.Out;
    EXPECT_EQ(WithoutInterruptEntries(entries.Out), plain.Out);

    const CliResult alone = RunCli({"run", file, "--interrupts"});
    EXPECT_EQ(alone.Exit, UsageErrorExit);
    EXPECT_NE(alone.Err.find("--run-log"), std::string::npos) << alone.Err;
}

} // namespace
