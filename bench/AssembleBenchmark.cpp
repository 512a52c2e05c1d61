#include <benchmark/benchmark.h>

#include "assembler/SourceText.h"
#include "bench/GeneratedPrograms.h"
#include "core/Assem.h"
#include "marking/HeadlessUi.h"

// One assembly of a 32 KB source; the node count shows that memory does not grow.
static void AssembleLargeSource(benchmark::State& state) {
    const std::string source = LargeSource();
    HeadlessUi ui(SourceText::FromBytes(source));
    Taaa machine(ui);
    for (auto _ : state) {
        machine.ButtonAssembleClick();
        if (!machine.Machine.NoError) {
            state.SkipWithError(ui.LastError().c_str());
            break;
        }
    }
    state.counters["source_bytes"] = static_cast<double>(source.size());
    state.counters["nodes_after"] = static_cast<double>(machine.Tokens.Count());
}
BENCHMARK(AssembleLargeSource)->Unit(benchmark::kMillisecond);
