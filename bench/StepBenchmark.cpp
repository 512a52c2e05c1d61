#include <benchmark/benchmark.h>

#include "assembler/SourceText.h"
#include "bench/GeneratedPrograms.h"
#include "core/Assem.h"
#include "core/RunControl.h"
#include "marking/HeadlessUi.h"

// Steps a never-ending loop; with the run log on, every line is built and then dropped.
static void StepBusyLoop(benchmark::State& state) {
    HeadlessUi ui(SourceText::FromBytes(BusyLoopSource()));
    Taaa machine(ui);
    machine.Settings.RunLog = state.range(0) != 0;
    RunControl control(machine);
    control.ButtonRunClick();
    for (auto _ : state) {
        machine.ButtonStepClick();
    }
    if (!machine.Machine.Running) {
        state.SkipWithError("the loop stopped");
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(StepBusyLoop)->ArgName("run_log")->Arg(0)->Arg(1);
