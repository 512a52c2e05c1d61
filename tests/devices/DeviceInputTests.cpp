#include <gtest/gtest.h>

#include <vector>

#include "devices/Keypad.h"
#include "devices/Lift.h"
#include "devices/Maze.h"
#include "devices/OnScreenKeyboard.h"

namespace {

// Stands for the machine and records what the devices ask of it.
struct RecordingLink : MachineLink {
    std::vector<int> Interrupts;
    std::vector<RunEnd> Ends;

    RunEnd RaiseInterrupt(int vectorAddress) override {
        Interrupts.push_back(vectorAddress);
        return RunEnd::None;
    }
    void EndRun(RunEnd why) override { Ends.push_back(why); }
};

struct LinkedDevices {
    RecordingLink link;
    Keypad pad{link};
    OnScreenKeyboard keyboard{link};
    Maze snake{link};
};

// A press asks for the device's own vector; a click beside the keys asks for nothing and
// leaves the device's mark for "no key"; the snake ends the run only at the edge.
TEST(DeviceInput, EachInputAsksTheMachineForWhatItMeans) {
    struct Case {
        const char* What;
        void (*Input)(LinkedDevices&);
        std::vector<int> Interrupts;
        std::vector<RunEnd> Ends;
        int KeypadCode;
        int KeyboardCode;
    };
    const Case cases[] = {
        {"keypad 7", [](LinkedDevices& d) { d.pad.Press(0x37); }, {0x04}, {}, 0x37, 0x00},
        {"beside the keypad", [](LinkedDevices& d) { d.pad.PressBeside(); }, {}, {}, 0xFF, 0x00},
        {"keyboard A", [](LinkedDevices& d) { d.keyboard.Press(0x41); }, {0x03}, {}, 0x00, 0x41},
        {"beside the keyboard",
         [](LinkedDevices& d) {
             d.keyboard.Press(0x41);
             d.keyboard.PressBeside();
         },
         {0x03},
         {},
         0x00,
         0x00},
        {"snake short of the edge",
         [](LinkedDevices& d) { d.snake.PortWrite(0x8D); },
         {},
         {},
         0,
         0},
        {"snake at the edge",
         [](LinkedDevices& d) { d.snake.PortWrite(0x8E); },
         {},
         {RunEnd::MazeEdge},
         0,
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        LinkedDevices devices;
        c.Input(devices);
        EXPECT_EQ(devices.link.Interrupts, c.Interrupts);
        EXPECT_EQ(devices.link.Ends, c.Ends);
        EXPECT_EQ(devices.pad.PortRead(), c.KeypadCode);
        EXPECT_EQ(devices.keyboard.PortRead(), c.KeyboardCode);
    }
}

// A lit call button and a repair the lift does not offer take no press, as the window's
// disabled buttons take no click.
TEST(DeviceInput, TheLiftTakesCallsAndRepairsAsItsButtonsOfferThem) {
    struct Case {
        const char* What;
        uint8_t Out;
        int Ticks;
        void (*Input)(Lift&);
        int Bits;
        bool Crashed;
    };
    const auto callTop = [](Lift& lift) { lift.CallLift(Lift::Floor::Top); };
    const auto callBottom = [](Lift& lift) { lift.CallLift(Lift::Floor::Bottom); };
    const auto repair = [](Lift& lift) { lift.RepairLift(); };
    const Case cases[] = {
        {"a call at the top", 0x00, 1, callTop, 0x28, false},
        {"a call at the bottom", 0x00, 1, callBottom, 0x18, false},
        {"a repair of a sound lift", 0x01, 1, repair, 0x09, false},
        {"a repair before it is offered", 0x03, 1, repair, 0x03, true},
        {"a repair once offered", 0x03, 2, repair, 0x00, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        Lift lift;
        lift.PortWrite(c.Out);
        for (int tick = 0; tick < c.Ticks; ++tick) {
            lift.Timer1Timer();
        }
        c.Input(lift);
        EXPECT_EQ(lift.LiftBits(), c.Bits);
        EXPECT_EQ(lift.Crashed(), c.Crashed);
    }
}

} // namespace
