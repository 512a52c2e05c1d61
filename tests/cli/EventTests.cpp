#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/Assem.h"
#include "devices/DeviceTable.h"
#include "devices/OnScreenKeyMap.h"
#include "devices/Peripherals.h"
#include "marking/Events.h"
#include "marking/HeadlessUi.h"
#include "support/CliRunner.h"

namespace {

// A keypad handler at 20 that reads the key and halts; I is set by the second step.
const char* const KeypadProgram = "JMP Start\nDB 00\nDB 00\nDB 20\nStart:\nSTI\nIdle:\nJMP Idle\n"
                                  "ORG 20\nIN 08\nHALT\nEND\n";

std::string WriteSource(const std::string& name, const std::string& text) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("corvane-events-" + std::to_string(::getpid()) + "-" + name + ".asm");
    std::ofstream(path, std::ios::binary) << text;
    return path.string();
}

CliResult RunWithEvents(const std::string& file, std::vector<std::string> extra) {
    std::vector<std::string> words{"run", file,         "--trace-ports", "--max-steps",
                                   "10",  "--hw-timer", "86400000"};
    words.insert(words.end(), extra.begin(), extra.end());
    return RunCli(words);
}

// At a 1000 ms clock the steps fall at 1000, 2000, 3000 ms; a click due with a step comes
// first. STI runs at 2000, so only a click after it interrupts, and the handler's first
// instruction runs at the next step.
TEST(EventTest, KeypadClickInterruptsExactlyAtItsTimeAndOnlyWithIFlagSet) {
    struct Case {
        const char* Event;
        const char* Trace; // "" when the click interrupts nothing
    };
    const std::string file = WriteSource("keypad", KeypadProgram);
    for (const Case& c : {Case{"1500:keypad:7", ""}, Case{"2000:keypad:7", ""},
                          Case{"2001:keypad:7", "PORT 3000 IN 08 37\n"},
                          Case{"2999:keypad:C", "PORT 3000 IN 08 43\n"},
                          Case{"3000:keypad:enter", "PORT 3000 IN 08 0D\n"},
                          Case{"4000:keypad:back", "PORT 4000 IN 08 08\n"}}) {
        SCOPED_TRACE(c.Event);
        const auto result = RunWithEvents(file, {"--event", c.Event});
        EXPECT_EQ(result.Out.substr(0, result.Out.find("AL ")), c.Trace);
        EXPECT_NE(result.Out.find(*c.Trace ? "ENDED HALT" : "ENDED STEP-LIMIT"), std::string::npos);
    }
    std::filesystem::remove(file);
}

TEST(EventTest, EveryKeyNameClicksItsKey) {
    HeadlessUi ui;
    Taaa machine(ui);
    Peripherals devices(machine, ui, machine.Ports);
    const std::string pad = "0123456789ABCDEF";
    for (const char key : pad) {
        const auto event = ParseDeviceEvent(std::string("0:keypad:") + key);
        InputAction(std::get<DeviceEvent>(event), devices).Act();
        EXPECT_EQ(devices.Pad.PadCode(), static_cast<uint8_t>(key)) << key;
    }
    for (const KeyRegion& key : OnScreenKeyMap()) {
        const auto event = ParseDeviceEvent("0:keyboard:" + std::string(key.Name));
        InputAction(std::get<DeviceEvent>(event), devices).Act();
        EXPECT_EQ(devices.Keyboard.KeyCode(),
                  FindKey((key.Left + key.Right) / 2, (key.Top + key.Bottom) / 2)->Code)
            << key.Name;
    }
    for (int degrees = 0; degrees <= 40; ++degrees) {
        const auto event = ParseDeviceEvent("0:thermometer:" + std::to_string(degrees));
        InputAction(std::get<DeviceEvent>(event), devices).Act();
        EXPECT_EQ(devices.Heating.Temperature(), degrees);
    }
}

// The call buttons stay down while their call is pending; repair only works on a crash.
TEST(EventTest, LiftButtonsActAsTheWindowsButtons) {
    struct Case {
        std::vector<std::string> Events;
        const char* Lift;
    };
    const std::string idle = WriteSource("idle", "Idle:\nJMP Idle\nEND\n");
    const std::string crash = WriteSource("crash", "MOV AL,01\nOUT 06\nIdle:\nJMP Idle\nEND\n");
    for (const auto& [file, c] :
         {std::pair{idle, Case{{"500:lift:call-top"}, "LIFT 232 28 OK"}},
          std::pair{idle, Case{{"500:lift:call-bottom", "600:lift:call-top"}, "LIFT 232 38 OK"}},
          std::pair{idle, Case{{"500:lift:repair"}, "LIFT 232 08 OK"}},
          std::pair{crash, Case{{}, "CRASHED"}},
          std::pair{crash, Case{{"39500:lift:repair"}, " OK"}}}) {
        std::vector<std::string> words{"--devices", "--clock", "4000"};
        for (const std::string& event : c.Events) {
            words.insert(words.end(), {"--event", event});
        }
        const auto result = RunWithEvents(file, words);
        const size_t lift = result.Out.find("LIFT ");
        ASSERT_NE(lift, std::string::npos);
        EXPECT_NE(result.Out.substr(lift, result.Out.find('\n', lift) - lift).find(c.Lift),
                  std::string::npos)
            << c.Events.size() << ' ' << result.Out.substr(lift);
    }
    std::filesystem::remove(idle);
    std::filesystem::remove(crash);
}

// Every device the table gives events is found by its name, whose own forms then judge
// the WHAT, and --event's help shows its forms.
TEST(EventTest, EveryEventDeviceOfTheTableIsFoundByNameAndShownInTheHelp) {
    const std::string help = RunCli({"run", "--help"}).Out;
    for (const DeviceRow& row : DeviceTable) {
        if (!row.EventName) {
            continue;
        }
        const std::string name = row.EventName;
        const auto event = ParseDeviceEvent("0:" + name + ":nonsense");
        ASSERT_TRUE(std::holds_alternative<std::string>(event)) << name;
        EXPECT_EQ(std::get<std::string>(event).find("devices that take events"), std::string::npos)
            << name;
        EXPECT_NE(help.find("TIME:" + name + ":" + row.EventForms), std::string::npos) << name;
    }
}

TEST(EventTest, BadEventsAreUsageErrorsThatSayWhatIsWrong) {
    struct Case {
        const char* Event;
        const char* Says;
    };
    const std::string file = WriteSource("bad", "HALT\nEND\n");
    for (const Case& c :
         {Case{"100", "TIME:DEVICE:WHAT"}, Case{"-5:keypad:1", "from 0, not '-5'"},
          Case{"x:keypad:1", "not 'x'"}, Case{"100:keypad:G", "no keypad key is called 'G'"},
          Case{"100:keyboard:Nope", "no on-screen keyboard key is called 'Nope'"},
          Case{"100:lift:up", "call-top, call-bottom and repair, not 'up'"},
          Case{"100:thermometer:41", "0 to 40, not '41'"}, Case{"100:oven:on", "not 'oven'"}}) {
        const auto result = RunCli({"run", file, "--event", c.Event});
        EXPECT_EQ(result.Exit, 2) << c.Event;
        EXPECT_NE(result.Err.find(c.Says), std::string::npos) << result.Err;
        EXPECT_EQ(result.Out, "");
    }
    std::filesystem::remove(file);
}

// IN 00 shows the key it took; OUT to a port without a device is seen too.
TEST(EventTest, TracePortsPrintsEveryInAndOutAsItHappens) {
    const std::string file =
        WriteSource("trace", "IN 00\nOUT 01\nIN 03\nMOV AL,7F\nOUT 0F\nIN 00\nHALT\nEND\n");
    const auto result = RunCli({"run", file, "--trace-ports", "--keys", "A", "--clock", "10"});
    EXPECT_EQ(result.Out.substr(0, result.Out.find("AL ")),
              "PORT 10 IN 00 41\nPORT 20 OUT 01 41\nPORT 30 IN 03 00\nPORT 50 OUT 0F 7F\n");
    EXPECT_NE(result.Out.find("ENDED ESCAPE"), std::string::npos);
    std::filesystem::remove(file);
}

} // namespace
