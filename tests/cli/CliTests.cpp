#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Arguments.h"
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

std::string Line(const CliResult& result, const std::string& prefix) {
    std::istringstream lines(result.Out);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(prefix, 0) == 0) {
            return line;
        }
    }
    return {};
}

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

TEST_F(CliTest, AssemblerErrorsExitOneWithTheLastMessageOnStderr) {
    const auto result = RunCli({"assemble", Write("INC\r\nEND\r\n")});
    EXPECT_EQ(result.Exit, 1);
    EXPECT_EQ(result.Err, "Expected AL, BL, CL or DL.  Got END\n");
    EXPECT_NE(result.Out.find("; Expected AL, BL, CL or DL.  Got END\n"), std::string::npos);

    const auto several = RunCli({"assemble", Write("ORG FF\r\nINC AL\r\n")});
    EXPECT_EQ(several.Exit, 1);
    EXPECT_EQ(several.Err, "Expected  END  at the end of the source code.\n");
}

TEST_F(CliTest, AMissingFinalLineBreakRaisesBlockReadErrorOnly) {
    const auto result = RunCli({"assemble", Write("END")});
    EXPECT_EQ(result.Exit, 0);
    EXPECT_EQ(result.Err, "Block read error\n");
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

    const auto blanks = RunCli({"assemble", Write("  \r\n\t\r\n")});
    EXPECT_EQ(blanks.Exit, 1);
    EXPECT_EQ(blanks.Err, "Expected  END  at the end of the source code.\n");
}

TEST_F(CliTest, TokensPrintsOneTokenALine) {
    const auto result = RunCli({"tokens", Write("; Demo\r\nmov al,15 ; load\r\n\r\nEND\r\n")});
    EXPECT_EQ(result.Exit, 0);
    EXPECT_EQ(result.Out, "# Demo\nMOV\nAL\n,\n15\n; load\n#\nEND\n");
}

TEST_F(CliTest, UnreadableFilesAndBadArgumentsExitTwo) {
    const std::vector<std::vector<std::string>> calls = {
        {},
        {"assemble"},
        {"frobnicate", "x.asm"},
        {"assemble", (folder_ / "missing.asm").string()},
        {"assemble", folder_.string()},
        {"assemble", "a.asm", "b.asm"},
        {"run", "x.asm", "--clock"},
        {"run", "x.asm", "--clock", "0"},
        {"run", "x.asm", "--max-steps", "12x"},
        {"run", "x.asm", "--keys", "\\q"},
        {"run", "x.asm", "--keys", "\\x4"},
        {"run", "x.asm", "--colour"},
    };
    for (const auto& words : calls) {
        const auto result = RunCli(words);
        EXPECT_EQ(result.Exit, 2) << testing::PrintToString(words);
        EXPECT_EQ(result.Out, "");
        EXPECT_EQ(std::count(result.Err.begin(), result.Err.end(), '\n'), 1);
    }
}

TEST(KeyEscapes, EachEscapeStandsForOneByte) {
    EXPECT_EQ(DecodeKeys("a\\r\\n\\t\\e\\\\\\x41\\xfF"), std::string("a\r\n\t\x1B\\A\xFF"));
    EXPECT_EQ(DecodeKeys(""), std::string());
    EXPECT_FALSE(DecodeKeys("\\"));
    EXPECT_FALSE(DecodeKeys("\\xG1"));
}

TEST_F(CliTest, RunPrintsRegistersStatusAndSteps) {
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
                                 "00: D0 00 C8 D0 01 FF FC 00 00 00 00 00 00 00 00 00\n";
    EXPECT_EQ(result.Out.substr(0, expected.size()), expected);
    EXPECT_EQ(Line(result, "C0:"), "C0: 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20");
}

TEST_F(CliTest, StepLimitStopsAnEndlessLoop) {
    const auto result =
        RunCli({"run", Write("L:\r\nINC AL\r\nJMP L\r\nEND\r\n"), "--max-steps", "7"});
    EXPECT_EQ(result.Exit, 0);
    EXPECT_EQ(Line(result, "STEPS"), "STEPS 7");
    EXPECT_EQ(Line(result, "AL"), "AL 00000100 04 +004");
    EXPECT_EQ(Line(result, "STATUS"), "STATUS JMP L");
}

TEST_F(CliTest, ExecutionErrorsExitThreeAndCountTheFailingStep) {
    const auto illegal = RunCli({"run", Write("DB 01\r\nEND\r\n")});
    EXPECT_EQ(illegal.Exit, 3);
    EXPECT_EQ(illegal.Err, "Illegal op code not recognised by CPU.\n");
    EXPECT_EQ(Line(illegal, "STEPS"), "STEPS 1");
    EXPECT_EQ(Line(illegal, "STATUS"), "STATUS Illegal op code not recognised by CPU.");

    const auto divide = RunCli({"run", Write("MOV AL,05\r\nDIV AL,00\r\nEND\r\n")});
    EXPECT_EQ(divide.Exit, 3);
    EXPECT_EQ(divide.Err, "Divide by zero error.\n");
    EXPECT_EQ(Line(divide, "STEPS"), "STEPS 2");
}

TEST_F(CliTest, KeysReachInZeroAndEscapeEndsTheRun) {
    const auto result = RunCli(
        {"run", Write("MOV BL,80\r\nL:\r\nIN 00\r\nMOV [BL],AL\r\nINC BL\r\nJMP L\r\nEND\r\n"),
         "--keys", "Hi\\x01", "--ram"});
    EXPECT_EQ(result.Exit, 0);
    EXPECT_EQ(Line(result, "80:").substr(0, 12), "80: 48 69 01");
    EXPECT_EQ(Line(result, "STEPS"), "STEPS 14");
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

TEST_F(CliTest, BinaryAndOversizedSourcesGiveMessagesNotCrashes) {
    std::string binary;
    for (int i = 0; i < 4096; ++i) {
        binary += static_cast<char>(i * 37);
    }
    const auto garbage = RunCli({"run", Write(binary)});
    EXPECT_EQ(garbage.Exit, 1);
    EXPECT_FALSE(garbage.Err.empty());

    const auto large = RunCli({"tokens", Write(std::string(40000, 'A') + "\r\n")});
    EXPECT_EQ(large.Exit, 0);
    EXPECT_EQ(large.Err, "Block read error\n");
    EXPECT_EQ(large.Out, std::string(32768, 'A') + "\n");
}

} // namespace
