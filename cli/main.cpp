// corvane-cli: the engine without a screen, for scripts, marking and tests.

#include <algorithm>
#include <iostream>
#include <string>
#include <variant>
#include <vector>

#include "cli/Arguments.h"
#include "cli/HeadlessUi.h"
#include "cli/RunReport.h"
#include "cli/SourceFile.h"
#include "cli/VirtualClock.h"
#include "core/Assem.h"
#include "core/RunControl.h"

namespace {

enum ExitCode { Success = 0, AssemblyFailed = 1, BadArguments = 2, ExecutionFailed = 3 };

const char* const NothingToAssemble = "Nothing to assemble.";
const char* const DivideByZero = "Divide by zero error.";

// Assembles and prints what went wrong; true when the program is ready to run.
bool Assemble(Taaa& machine, HeadlessUi& ui) {
    machine.ButtonAssembleClick();
    if (ui.SourceHasNoLines()) {
        std::cerr << NothingToAssemble << '\n';
        return false;
    }
    if (!machine.Machine.NoError) {
        std::cerr << ui.LastError() << '\n';
        return false;
    }
    return true;
}

int AssembleCommand(Taaa& machine, HeadlessUi& ui) {
    const bool assembled = Assemble(machine, ui);
    if (!ui.SourceHasNoLines()) {
        for (const std::string& line : machine.List.Lines()) {
            std::cout << line << '\n';
        }
    }
    return assembled ? Success : AssemblyFailed;
}

int TokensCommand(Taaa& machine, HeadlessUi& ui) {
    if (ui.SourceHasNoLines()) {
        return Success;
    }
    machine.ClearProgram();
    machine.MakeTokens();
    for (const std::string& line : ui.TokenLines()) {
        std::cout << line << '\n';
    }
    return Success;
}

int RunCommand(Taaa& machine, HeadlessUi& ui, const Arguments& args) {
    if (!Assemble(machine, ui)) {
        return AssemblyFailed;
    }
    ui.QueueKeys(args.Keys);
    if (args.RunLog) {
        ui.RunLogSwitch = true;
        ui.OnRunLogLine = [](std::string_view line) { std::cout << line << '\n'; };
    }
    RunControl control(machine);
    control.ButtonRunClick();
    const ClockSettings clock{args.ClockMs, args.HwTimerMs, args.MaxSteps};
    const int64_t steps = RunInVirtualTime(machine, control, {}, clock);

    PrintRegisters(std::cout, machine.Machine);
    std::cout << "STATUS " << ui.StatusText().substr(1) << '\n';
    std::cout << "STEPS " << steps << '\n';
    if (args.Ram) {
        PrintRam(std::cout, machine.Machine);
    }
    if (args.Vdu) {
        PrintVdu(std::cout, machine.Machine);
    }
    if (!machine.Machine.NoError) {
        std::cerr << ui.LastError() << '\n';
        return ExecutionFailed;
    }
    const auto& boxes = ui.MessageBoxes();
    return std::find(boxes.begin(), boxes.end(), DivideByZero) != boxes.end() ? ExecutionFailed
                                                                              : Success;
}

} // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string_view> words(argv + 1, argv + argc);
    const auto parsed = ParseArguments(words);
    if (const auto* message = std::get_if<std::string>(&parsed)) {
        std::cerr << *message << '\n';
        return BadArguments;
    }
    const Arguments& args = std::get<Arguments>(parsed);
    const SourceRead read = ReadSourceBytes(args.File);
    if (!read.Error.empty()) {
        std::cerr << read.Error << '\n';
        return BadArguments;
    }

    HeadlessUi ui(SourceText::FromBytes(read.Bytes));
    ui.OnMessageBox = [](std::string_view text) { std::cerr << text << '\n'; };
    Taaa machine(ui);
    switch (args.Action) {
    case Command::Assemble:
        return AssembleCommand(machine, ui);
    case Command::Tokens:
        return TokensCommand(machine, ui);
    case Command::Run:
        return RunCommand(machine, ui, args);
    }
    return BadArguments;
}
