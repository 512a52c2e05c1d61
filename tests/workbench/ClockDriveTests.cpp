// The one timer that drives the machine, turned by hand with made-up elapsed times.
#include <QTimer>

#include "WorkbenchFixture.h"
#include "core/RunControl.h"
#include "core/Scheduler.h"
#include "devices/Peripherals.h"
#include "workbench/TformAboutBox.h"

namespace {

class ClockDriveTest : public WorkbenchTest {
  protected:
    void SetUp() override {
        WorkbenchTest::SetUp();
        form->TimerClock->stop(); // only the test's turns move time
    }
    // A program whose AL counts its steps, running at the fastest clock.
    void RunCounter() {
        QByteArray source;
        for (int i = 0; i < 120; ++i) {
            source += "INC AL\n";
        }
        Open("count.asm", source + "HALT\nEND\n");
        RunAtFastestClock();
    }
    void RunAtFastestClock() {
        while (form->Control().CpuClockInterval() > RunControl::FastestClock) {
            form->ButtonFastClick();
        }
        form->ButtonRunClick();
        ASSERT_TRUE(form->Machine().Machine.Running);
    }
};

// Each turn runs the time that has passed: a late turn catches up, but by no more than 100 ms,
// and what it leaves out is not made up later. A new clock interval counts from its press.
TEST_F(ClockDriveTest, TurnsRunTheElapsedTimeAtTheClockCatchingUpAtMostATenthOfASecond) {
    RunCounter();
    struct Turn {
        int64_t ElapsedMs;
        int Steps; // AL after the turn
    };
    for (const Turn turn :
         {Turn{10, 5}, Turn{1, 5}, Turn{1, 6}, Turn{60, 36}, Turn{5000, 86}, Turn{10, 91}}) {
        form->TimerClockTimer(turn.ElapsedMs);
        EXPECT_EQ(Reg(AL), turn.Steps) << turn.ElapsedMs;
    }
    form->ButtonSlowClick(); // 4 ms
    form->TimerClockTimer(10);
    EXPECT_EQ(Reg(AL), 93);
}

// While one of our boxes waits for an answer the clocks make no step, but the device timers
// go on: the heater cools.
TEST_F(ClockDriveTest, AModalBoxHoldsTheClocksButNotTheDevices) {
    RunCounter();
    Heater& heater = form->Devices().Heating;
    heater.SetRoomTemperature(20);
    QTimer::singleShot(0, form->AboutBox, [this] {
        for (int turn = 0; turn < 11; ++turn) {
            form->TimerClockTimer(100);
        }
        form->AboutBox->reject();
    });
    form->MenuAboutClick();
    EXPECT_EQ(Reg(AL), 0);
    EXPECT_LT(heater.Temperature(), 20.0);
    form->TimerClockTimer(10);
    EXPECT_EQ(Reg(AL), 5);
}

// A box shown inside a step runs an event loop, where the timer turns again: that turn must
// leave time alone, and its time is run at the next turn.
TEST_F(ClockDriveTest, ATurnFromInsideAStepLeavesTimeToTheNextTurn) {
    Open("divide.asm", "MOV AL,5\nDIV AL,0\nEND\n");
    RunAtFastestClock();
    const int64_t start = form->Clock().NowMs();
    int64_t inside = -1;
    dialogs.WhileMessageShows = [&] {
        form->TimerClockTimer(100);
        inside = form->Clock().NowMs();
    };
    form->TimerClockTimer(10);
    EXPECT_EQ(dialogs.Messages, QStringList{"Divide by zero error."});
    EXPECT_EQ(inside, start + 4);
    EXPECT_EQ(form->Clock().NowMs(), start + 4);
    form->TimerClockTimer(0);
    EXPECT_EQ(form->Clock().NowMs(), start + 100);
}

} // namespace
