#include <algorithm>
#include <filesystem>
#include <string>
#include <variant>
#include <vector>

#include "cli/Commands.h"

#include "cli/Arguments.h"
#include "cli/DeviceReport.h"
#include "cli/HeadlessUi.h"
#include "cli/RunReport.h"
#include "cli/SourceFile.h"
#include "cli/VirtualClock.h"
#include "core/Assem.h"
#include "core/RunControl.h"
#include "devices/Peripherals.h"

namespace {

enum ExitCode { Success = 0, AssemblyFailed = 1, BadArguments = 2, ExecutionFailed = 3 };

const char* const NothingToAssemble = "Nothing to assemble.";
const char* const DivideByZero = "Divide by zero error.";

// Assembles and prints what went wrong; true when the program is ready to run.
bool Assemble(Taaa& machine, HeadlessUi& ui, std::ostream& err) {
    machine.ButtonAssembleClick();
    if (ui.SourceHasNoLines()) {
        err << NothingToAssemble << '\n';
        return false;
    }
    if (!machine.Machine.NoError) {
        err << ui.LastError() << '\n';
        return false;
    }
    return true;
}

int AssembleCommand(Taaa& machine, HeadlessUi& ui, std::ostream& out, std::ostream& err) {
    const bool assembled = Assemble(machine, ui, err);
    if (!ui.SourceHasNoLines()) {
        for (const std::string& line : machine.List.Lines()) {
            out << line << '\n';
        }
    }
    return assembled ? Success : AssemblyFailed;
}

int TokensCommand(Taaa& machine, HeadlessUi& ui, std::ostream& out) {
    if (ui.SourceHasNoLines()) {
        return Success;
    }
    machine.ClearProgram();
    machine.MakeTokens();
    for (const std::string& line : ui.TokenLines()) {
        out << line << '\n';
    }
    return Success;
}

int RunCommand(Taaa& machine, HeadlessUi& ui, const Arguments& args, std::ostream& out,
               std::ostream& err) {
    Peripherals devices(machine);
    if (!Assemble(machine, ui, err)) {
        return AssemblyFailed;
    }
    ui.QueueKeys(args.Keys);
    if (args.RunLog) {
        ui.RunLogSwitch = true;
        ui.OnRunLogLine = [&out](std::string_view line) { out << line << '\n'; };
    }
    RunControl control(machine);
    control.ButtonRunClick();
    const ClockSettings clock{args.ClockMs, args.HwTimerMs, args.MaxSteps};
    const int64_t steps = RunInVirtualTime(machine, control, devices.Timers(), clock);

    PrintRegisters(out, machine.Machine);
    out << "STATUS " << ui.StatusText().substr(1) << '\n';
    out << "STEPS " << steps << '\n';
    if (args.Ram) {
        PrintRam(out, machine.Machine);
    }
    if (args.Vdu) {
        PrintVdu(out, machine.Machine);
    }
    if (args.Devices) {
        PrintDevices(out, devices);
    }
    if (!machine.Machine.NoError) {
        err << ui.LastError() << '\n';
        return ExecutionFailed;
    }
    const auto& boxes = ui.MessageBoxes();
    return std::find(boxes.begin(), boxes.end(), DivideByZero) != boxes.end() ? ExecutionFailed
                                                                              : Success;
}

} // namespace

int RunCorvaneCli(const std::vector<std::string_view>& words, std::ostream& out,
                  std::ostream& err) {
    const auto parsed = ParseArguments(words);
    if (const auto* message = std::get_if<std::string>(&parsed)) {
        err << *message << '\n';
        return BadArguments;
    }
    const Arguments& args = std::get<Arguments>(parsed);
    const SourceRead read = ReadSourceBytes(args.File);
    if (!read.Error.empty()) {
        err << read.Error << '\n';
        return BadArguments;
    }

    HeadlessUi ui(SourceText::FromBytes(read.Bytes));
    ui.FileName = std::filesystem::path(args.File).filename().string();
    ui.OnMessageBox = [&err](std::string_view text) { err << text << '\n'; };
    Taaa machine(ui);
    switch (args.Action) {
    case Command::Assemble:
        return AssembleCommand(machine, ui, out, err);
    case Command::Tokens:
        return TokensCommand(machine, ui, out);
    case Command::Run:
        return RunCommand(machine, ui, args, out, err);
    }
    return BadArguments;
}
