// corvane-cli run --break: the run stops before a source line's first instruction.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/CliRunner.h"

namespace {

// Lines: 1 MOV (00), 2 blank, 3 label, 4 INC (03), 5 CMP (05), 6 JNZ (08), 7 HALT (0A),
// 8 END (0B), 9 comment.
const std::string Loop = "MOV AL,0\n"
                         "\n"
                         "L:\n"
                         "INC AL\n"
                         "CMP AL,3\n"
                         "JNZ L\n"
                         "HALT\n"
                         "END\n"
                         "; done\n";

struct BreakCase {
    const char* Name;
    std::vector<std::string> Breaks;
    const char* Ip;
    const char* Al;
    const char* Steps;
    const char* Status;
    const char* Ended = "ENDED BREAKPOINT";
};

// Each case's registers, steps and status are those before the instruction it stops at.
TEST(CliBreak, StopsBeforeTheFirstInstructionOfTheLineAndEndsWithBreakpoint) {
    const std::vector<BreakCase> cases = {
        // No step was made, so no instruction was shown.
        {"first line",
         {"1"},
         "IP 00000000 00 +000",
         "AL 00000000 00 +000",
         "STEPS 0",
         "STATUS Make tokens.  Parse tokens.  Calculate jumps.  Success."},
        {"a line with code",
         {"5"},
         "IP 00000101 05 +005",
         "AL 00000001 01 +001",
         "STEPS 2",
         "STATUS CMP AL,3"},
        {"a blank line binds to the next code",
         {"2"},
         "IP 00000011 03 +003",
         "AL 00000000 00 +000",
         "STEPS 1",
         "STATUS INC AL"},
        {"a label binds to its instruction",
         {"3"},
         "IP 00000011 03 +003",
         "AL 00000000 00 +000",
         "STEPS 1",
         "STATUS INC AL"},
        {"the earliest of several",
         {"7", "--break=6"},
         "IP 00001000 08 +008",
         "AL 00000001 01 +001",
         "STEPS 3",
         "STATUS JNZ L"},
        {"never reached: the run ends as it would",
         {"8"},
         "IP 00001010 0A +010",
         "AL 00000011 03 +003",
         "STEPS 11",
         "STATUS END  Program has halted.",
         "ENDED HALT"},
    };
    for (const BreakCase& c : cases) {
        std::vector<std::string> words = {"run", "-"};
        for (const std::string& line : c.Breaks) {
            if (line.starts_with("--")) {
                words.push_back(line);
            } else {
                words.insert(words.end(), {"--break", line});
            }
        }
        const CliResult result = RunCli(words, Loop);
        EXPECT_EQ(result.Exit, 0) << c.Name;
        EXPECT_EQ(Line(result, "ENDED"), c.Ended) << c.Name;
        EXPECT_EQ(Line(result, "IP"), c.Ip) << c.Name;
        EXPECT_EQ(Line(result, "AL"), c.Al) << c.Name;
        EXPECT_EQ(Line(result, "STEPS"), c.Steps) << c.Name;
        EXPECT_EQ(Line(result, "STATUS"), c.Status) << c.Name;
        EXPECT_EQ(result.Err, "") << c.Name;
    }
}

// A line past the end, or with no code on it or after it, is a usage error, not a run.
TEST(CliBreak, ALineWithNothingToStopAtIsAUsageError) {
    struct Case {
        std::string Line;
        std::string Error;
    };
    for (const Case& c :
         {Case{"9", "corvane-cli: --break 9: there is no code on that line or after it"},
          Case{"10", "corvane-cli: --break 10: the source has 9 lines"}, Case{"0", ""},
          Case{"x", ""}}) {
        const CliResult result = RunCli({"run", "-", "--break", c.Line}, Loop);
        EXPECT_EQ(result.Exit, 2) << c.Line;
        EXPECT_EQ(result.Out, "") << c.Line;
        if (!c.Error.empty()) {
            EXPECT_EQ(result.Err, c.Error + " (see corvane-cli --help)\n");
        }
    }
}

// An assembler error is reported as such before any line is bound.
TEST(CliBreak, AnAssemblerErrorComesFirst) {
    const CliResult result = RunCli({"run", "-", "--break", "50"}, "FOO\nEND\n");
    EXPECT_EQ(result.Exit, 1);
}

} // namespace
