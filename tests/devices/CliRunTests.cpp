#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "support/CliRunner.h"

namespace {

const std::string Examples = CORVANE_EXAMPLES;
const std::string TextExample = Examples + "/text.asm";
const std::string LiftExample = Examples + "/lift.asm";

const char* const QuietDevices = "TLIGHT 00000000\n"
                                 "SEVSEG 00000000 00000000\n"
                                 "HEATER 0.00 OFF\n"
                                 "MAZE 20 20\n"
                                 "STEPPER 01\n"
                                 "LIFT 232 08 OK\n"
                                 "KEYB 00\n"
                                 "KEYPAD 00\n";

TEST(CliRun, TextEchoesTheKeysUntilEnter) {
    const auto result =
        RunCli({"run", TextExample, "--keys", "Hello, world!\\r", "--vdu", "--devices"});
    EXPECT_EQ(result.Exit, 0);
    EXPECT_EQ(result.Err, "");
    EXPECT_EQ(result.Out, std::string("AL 00001101 0D +013\n"
                                      "BL 11001101 CD -051\n"
                                      "CL 11111001 F9 -007\n"
                                      "DL 00000000 00 +000\n"
                                      "IP 01000111 47 +071\n"
                                      "SP 10111111 BF -065\n"
                                      "SR 00000010 02 +002\n"
                                      "STATUS END  Program has halted.\n"
                                      "STEPS 550\n"
                                      "ENDED HALT\n"
                                      "Hello, world!   \n"
                                      "                \n"
                                      "                \n"
                                      "KEY CODE: 0D    \n") +
                              QuietDevices);
}

// The lift example never halts: it waits for the next call once it has answered its own.
TEST(CliRun, LiftServesTheTopCallAndStopsAtTheTopFloor) {
    const auto result =
        RunCli({"run", LiftExample, "--clock", "62", "--max-steps", "400", "--devices"});
    EXPECT_EQ(result.Exit, 0);
    EXPECT_EQ(result.Err, "");
    EXPECT_EQ(result.Out, "AL 00000000 00 +000\n"
                          "BL 00000100 04 +004\n"
                          "CL 00000001 01 +001\n"
                          "DL 00010000 10 +016\n"
                          "IP 00001010 0A +010\n"
                          "SP 10111111 BF -065\n"
                          "SR 00000010 02 +002\n"
                          "STATUS JZ\tBottom\n"
                          "STEPS 400\n"
                          "ENDED STEP-LIMIT\n"
                          "TLIGHT 00000000\n"
                          "SEVSEG 00000000 00000000\n"
                          "HEATER 0.00 OFF\n"
                          "MAZE 20 20\n"
                          "STEPPER 01\n"
                          "LIFT 75 04 OK\n"
                          "KEYB 00\n"
                          "KEYPAD 00\n");
}

TEST(CliRun, DevicesReportsEveryDevice) {
    const auto file = std::filesystem::temp_directory_path() / "corvane-every-device.asm";
    std::ofstream(file) << "MOV AL,84\nOUT 01\nMOV AL,0B\nOUT 02\nMOV AL,80\nOUT 03\n"
                           "MOV AL,45\nOUT 04\nMOV AL,03\nOUT 05\nMOV AL,C0\nOUT 06\nEND\n";
    const auto result = RunCli({"run", file.string(), "--devices"});
    std::filesystem::remove(file);
    EXPECT_EQ(result.Exit, 0);
    // Seven heater ticks from the OUT 03 at 6 s to the end at 13 s; the lift's sensor bit
    // from its first tick.
    EXPECT_TRUE(result.Out.ends_with("STEPS 13\n"
                                     "ENDED HALT\n"
                                     "TLIGHT 10000100\n"
                                     "SEVSEG 00000000 00001011\n"
                                     "HEATER 6.50 ON\n"
                                     "MAZE 20 25\n"
                                     "STEPPER 03\n"
                                     "LIFT 232 C8 OK\n"
                                     "KEYB 00\n"
                                     "KEYPAD 00\n"))
        << result.Out;
}

} // namespace
