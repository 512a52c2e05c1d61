#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>

#include "assembler/SourceText.h"
#include "core/Assem.h"
#include "core/RunControl.h"
#include "devices/Peripherals.h"
#include "devices/WholeMachine.h"
#include "marking/HeadlessUi.h"

namespace {

std::string LiftExample() {
    std::ifstream file(CORVANE_EXAMPLES "/lift.asm", std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The lift example after 5 s of simulated time, its car called and moving.
struct LiftRun {
    HeadlessUi ui{SourceText::FromBytes(LiftExample())};
    Taaa machine{ui};
    RunControl control{machine};
    Peripherals devices{machine, ui, machine.Ports};
    Scheduler clock{machine, control, devices.Timers()};
    WholeMachine whole{machine, control, devices, clock};

    LiftRun() {
        control.SetIntervalsExactly(10, 5000);
        control.ButtonRunClick();
        clock.RunFor(2000);
        devices.Car.CallLift(Lift::Floor::Top);
        clock.RunFor(3000);
    }
};

void TakeSnapshot(benchmark::State& state) {
    LiftRun run;
    for (auto _ : state) {
        MachineSnapshot snapshot = run.whole.Snapshot();
        benchmark::DoNotOptimize(snapshot);
    }
    state.counters["bytes"] = sizeof(MachineSnapshot);
}
BENCHMARK(TakeSnapshot);

// Two snapshots a second apart, restored in turn, so every restore changes RAM, registers,
// devices and phases.
void RestoreSnapshot(benchmark::State& state) {
    LiftRun run;
    const MachineSnapshot earlier = run.whole.Snapshot();
    run.clock.RunFor(1000);
    const MachineSnapshot later = run.whole.Snapshot();
    bool toEarlier = true;
    for (auto _ : state) {
        run.whole.Restore(toEarlier ? earlier : later);
        toEarlier = !toEarlier;
    }
    if (!run.machine.Machine.Running) {
        state.SkipWithError("the lift example stopped");
    }
}
BENCHMARK(RestoreSnapshot);

} // namespace
