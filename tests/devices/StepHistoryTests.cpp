// The ring Step Back keeps its moments in, and a moment taken after every step of a run and
// given back: the machine as a run stopped after that step leaves it, and it goes on alike.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "DeviceMachine.h"
#include "devices/StepHistory.h"
#include "devices/WholeMachine.h"
#include "support/EveryDeviceProgram.h"

namespace {

// "+" pushes the next number, "-" pops; the entries left, oldest first.
struct RingCase {
    const char* Moves;
    std::vector<int> Left;
    bool Dropped;
};

TEST(StepRing, KeepsTheNewestEntriesUpToItsDepth) {
    const RingCase cases[] = {
        {"", {}, false},           {"++", {1, 2}, false},
        {"+++", {1, 2, 3}, false}, {"+++++", {3, 4, 5}, true},
        {"+++++--", {3}, true},    {"+++++--++", {3, 6, 7}, true},
        {"++-+", {1, 3}, false},   {"+++-+++", {4, 5, 6}, true},
    };
    for (const RingCase& c : cases) {
        SCOPED_TRACE(c.Moves);
        StepRing<int> ring(3);
        int next = 0;
        for (const char move : std::string(c.Moves)) {
            if (move == '+') {
                ring.Push() = ++next;
            } else {
                ring.Pop();
            }
        }
        EXPECT_EQ(ring.Dropped(), c.Dropped);
        ASSERT_EQ(ring.Size(), c.Left.size());
        if (!c.Left.empty()) {
            EXPECT_EQ(ring.Oldest(), c.Left.front());
        }
        std::vector<int> left(c.Left.size());
        for (auto entry = left.rbegin(); entry != left.rend(); ++entry) {
            *entry = ring.Newest();
            ring.Pop();
        }
        EXPECT_EQ(left, c.Left);
        ring.Clear();
        EXPECT_FALSE(ring.Dropped());
    }
}

// The every-device program at a 7 ms clock with the hardware timer at 90 ms, a keypad press
// and a lift call at set steps, and keys for IN 00; a moment after every step.
struct Rig {
    DeviceMachine m{EveryDeviceProgram};
    std::unique_ptr<Scheduler> clock;
    std::unique_ptr<WholeMachine> whole;
    std::vector<MachineMoment> moments;

    Rig() {
        EXPECT_TRUE(m.Assemble()) << m.ui.LastError();
        m.control.SetIntervalsExactly(7, 90);
        ClockHooks hooks;
        hooks.KeyAwaited = [this] { m.machine.SupplyKey('k'); };
        hooks.AfterStep = [this] {
            const SelectionReport shown =
                moments.empty() ? SelectionReport{} : moments.back().Selection;
            TakeMoment(moments.emplace_back(), *whole, m.machine, shown);
        };
        clock =
            std::make_unique<Scheduler>(m.machine, m.control, m.devices.Timers(), std::move(hooks));
        whole = std::make_unique<WholeMachine>(m.machine, m.control, m.devices, *clock);
        m.Start();
    }
    // Slices end at the clicks' steps, and at the last step.
    void Run(int64_t steps) {
        for (int64_t made = 0; made < steps && m.Running();) {
            if (made == PressAt) {
                m.devices.Pad.Press(0x35);
            } else if (made == CallAt) {
                m.devices.Car.CallLift(Lift::Floor::Top);
            }
            const int64_t next = made < PressAt ? PressAt : made < CallAt ? CallAt : steps;
            made += clock->RunFor(1000, std::min(next, steps) - made).Steps;
        }
    }
    static constexpr int64_t PressAt = 50;
    static constexpr int64_t CallAt = 70;
};

TEST(MachineMoment, GivesBackTheMachineAsARunStoppedAfterItsStep) {
    Rig full;
    full.Run(240);
    ASSERT_EQ(full.moments.size(), 240u);
    for (const int64_t step : {1, 49, 50, 51, 120, 239}) {
        SCOPED_TRACE(step);
        Rig fresh;
        fresh.Run(step);
        fresh.m.control.ButtonStopClick();
        const MachineMoment& moment = full.moments[static_cast<size_t>(step - 1)];
        RestoreMoment(moment, *full.whole, full.m.machine);
        EXPECT_TRUE(full.whole->Snapshot() == fresh.whole->Snapshot());
        EXPECT_EQ(full.m.machine.StatusText(), fresh.m.machine.StatusText());
        EXPECT_EQ(full.m.machine.Report.Selection.Start, fresh.m.machine.Report.Selection.Start);

        full.m.control.ButtonContinuousClick();
        fresh.m.control.ButtonContinuousClick();
        full.clock->RunFor(2000);
        fresh.clock->RunFor(2000);
        EXPECT_TRUE(full.whole->Snapshot() == fresh.whole->Snapshot());
    }
}

// Errors reported after the moment go with it.
TEST(MachineMoment, ForgetsTheErrorsOfTheStepsUndone) {
    DeviceMachine m("MOV AL,05\nMOV BL,00\nDIV AL,BL\nEND\n");
    ASSERT_TRUE(m.Assemble());
    Scheduler clock(m.machine, m.control, m.devices.Timers());
    WholeMachine whole(m.machine, m.control, m.devices, clock);
    m.machine.ButtonStepClick();
    MachineMoment beforeDivide;
    m.machine.ButtonStepClick();
    TakeMoment(beforeDivide, whole, m.machine, {});
    ASSERT_EQ(m.machine.ButtonStepClick(), RunEnd::DivideByZero);
    ASSERT_EQ(m.machine.Errors.size(), 1u);
    RestoreMoment(beforeDivide, whole, m.machine);
    EXPECT_TRUE(m.machine.Errors.empty());
    EXPECT_EQ(m.machine.ButtonStepClick(), RunEnd::DivideByZero);
}

} // namespace
