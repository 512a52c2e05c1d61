#include <gtest/gtest.h>

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

} // namespace
