#include "cli/Commands.h"

#include <filesystem>
#include <optional>
#include <string>
#include <variant>

#include "cli/Arguments.h"
#include "cli/BreakLines.h"
#include "cli/CheckCommand.h"
#include "cli/RecordCommand.h"
#include "core/Assem.h"
#include "core/RunControl.h"
#include "core/VirtualClock.h"
#include "devices/Peripherals.h"
#include "marking/CheckRun.h"
#include "marking/DeviceReport.h"
#include "marking/ErrorLine.h"
#include "marking/Exercise.h"
#include "marking/HeadlessUi.h"
#include "marking/PortTrace.h"
#include "marking/QueuedKeys.h"
#include "marking/RunReport.h"
#include "marking/SourceFile.h"

namespace {

enum ExitCode { Success = 0, AssemblyFailed = 1, BadArguments = 2, ExecutionFailed = 3 };

const char* const NothingToAssemble = "Nothing to assemble.";

// One command's machine, and the errors it has printed so far.
class Session {
  public:
    Session(SourceText source, const Arguments& args, std::ostream& out, std::ostream& err,
            const ExerciseCase* from)
        : ui_(std::move(source)), args_(args), out_(out), err_(err), from_(from) {
        ui_.Follow(machine_.Report);
    }

    int Execute() {
        switch (args_.Action) {
        case Command::Assemble:
            return AssembleCommand();
        case Command::Tokens:
            return TokensCommand();
        case Command::Run:
            return RunCommand();
        case Command::Check:
        case Command::Record:
            break;
        }
        return BadArguments;
    }

  private:
    // Every error reported since the last call, in order.
    void PrintNewErrors() {
        for (; printed_ < machine_.Errors.size(); ++printed_) {
            err_ << ErrorLine(machine_.Errors[printed_], ui_.Source(), args_.File) << '\n';
        }
    }

    // Assembles and prints what went wrong; true when the program is ready to run.
    bool Assemble() {
        machine_.ButtonAssembleClick();
        if (ui_.SourceHasNoLines()) {
            err_ << NothingToAssemble << '\n';
            return false;
        }
        PrintNewErrors();
        return machine_.Machine.NoError;
    }

    int AssembleCommand() {
        const bool assembled = Assemble();
        if (!ui_.SourceHasNoLines()) {
            for (const std::string& line : machine_.List.Lines()) {
                out_ << line << '\n';
            }
        }
        return assembled ? Success : AssemblyFailed;
    }

    int TokensCommand() {
        if (ui_.SourceHasNoLines()) {
            return Success;
        }
        machine_.ClearProgram();
        machine_.MakeTokens();
        PrintNewErrors();
        for (const std::string& line : ui_.TokenLines()) {
            out_ << line << '\n';
        }
        return Success;
    }

    // A line printed as the run goes. Once the output fails (its reader has gone) nobody
    // sees the rest, so the run stops there; the failed output decides the exit code.
    void PrintWhileRunning(std::string_view line, RunControl& control) {
        if (!(out_ << line << '\n')) {
            control.ButtonStopClick();
        }
    }

    int RunCommand() {
        Peripherals devices(machine_, machine_.Ui, machine_.Ports);
        if (!Assemble()) {
            return AssemblyFailed;
        }
        const auto breakpoints = BreakAddresses(
            args_.BreakLines, CodeLines(machine_.Machine, ui_.Source()), ui_.Source());
        if (const auto* problem = std::get_if<std::string>(&breakpoints)) {
            err_ << UsageError(*problem).Text;
            return BadArguments;
        }
        ui_.QueueKeys(args_.Keys);
        RunControl control(machine_);
        if (args_.RunLog) {
            machine_.Settings.RunLog = true;
            machine_.Settings.LogInterrupts = args_.Interrupts;
            ui_.OnRunLogLine = [this, &control](std::string_view line) {
                PrintWhileRunning(line, control);
            };
        }
        control.ButtonRunClick();
        if (from_) {
            PresetCase(machine_, *from_);
        }
        int64_t now = 0;
        std::optional<PortTrace> trace;
        if (args_.TracePorts) {
            trace.emplace(machine_, now, [this, &control](const PortAccess& access) {
                PrintWhileRunning(PortAccessLine(access), control);
            });
        }
        ClockHooks hooks;
        hooks.NowMs = &now;
        for (const DeviceEvent& event : args_.Events) {
            hooks.Actions.push_back(InputAction(event, devices));
        }
        hooks.KeyAwaited = [this, &trace] {
            SupplyQueuedKey(machine_, ui_, trace ? &*trace : nullptr);
        };
        const RunOutcome run = RunInVirtualTime(
            machine_, control, devices.Timers(), {args_.ClockMs, args_.HwTimerMs, args_.MaxSteps},
            std::move(hooks), {}, std::get<std::bitset<256>>(breakpoints));

        PrintRegisters(out_, machine_.Machine);
        out_ << "STATUS " << ui_.StatusText().substr(1) << '\n';
        out_ << "STEPS " << run.Steps << '\n';
        out_ << "ENDED " << RunEndName(run.Ended) << '\n';
        if (args_.Ram) {
            PrintRam(out_, machine_.Machine);
        }
        if (args_.Vdu) {
            PrintVdu(out_, machine_.Machine);
        }
        if (args_.Devices) {
            PrintDevices(out_, devices);
        }
        PrintNewErrors();
        return IsProgramError(run.Ended) ? ExecutionFailed : Success;
    }

    HeadlessUi ui_;
    Taaa machine_{ui_};
    const Arguments& args_;
    std::ostream& out_;
    std::ostream& err_;
    const ExerciseCase* from_;
    size_t printed_ = 0;
};

// EXERCISE:CASE, split at the first colon after which the exercise file exists, for a
// path may hold colons too.
std::variant<ExerciseCase, std::string> CaseFrom(const std::string& from) {
    std::error_code error;
    for (size_t colon = from.find(':'); colon != std::string::npos;
         colon = from.find(':', colon + 1)) {
        const std::string file = from.substr(0, colon);
        if (!std::filesystem::is_regular_file(file, error)) {
            continue;
        }
        auto exercise = ReadExercise(file);
        if (auto* problem = std::get_if<std::string>(&exercise)) {
            return std::move(*problem);
        }
        const auto found = CaseNamed(std::get<Exercise>(exercise), from.substr(colon + 1));
        if (const auto* problem = std::get_if<std::string>(&found)) {
            return "corvane-cli: " + *problem;
        }
        return *std::get<const ExerciseCase*>(found);
    }
    return "corvane-cli: --from takes EXERCISE:CASE, an exercise file and a case's name, not '" +
           from + "'";
}

// The run's settings are the case's, but for those the command line gives; its events
// come after the case's.
Arguments RunAsCase(Arguments args, const ExerciseCase& exerciseCase) {
    if (!args.Given.Clock) {
        args.ClockMs = exerciseCase.Clock.CpuClockMs;
    }
    if (!args.Given.HwTimer) {
        args.HwTimerMs = exerciseCase.Clock.HwTimerMs;
    }
    if (!args.Given.MaxSteps) {
        args.MaxSteps = exerciseCase.Clock.MaxSteps;
    }
    if (!args.Given.Keys) {
        args.Keys = exerciseCase.Keys;
    }
    args.Events.insert(args.Events.begin(), exerciseCase.Events.begin(), exerciseCase.Events.end());
    return args;
}

int Execute(const Arguments& args, std::istream& in, std::ostream& out, std::ostream& err) {
    if (args.Action == Command::Check) {
        return CheckCommand(args, out, err);
    }
    if (args.Action == Command::Record) {
        return RecordCommand(args, out, err);
    }
    std::optional<ExerciseCase> from;
    if (!args.From.empty()) {
        auto found = CaseFrom(args.From);
        if (const auto* problem = std::get_if<std::string>(&found)) {
            err << *problem << '\n';
            return BadArguments;
        }
        from = std::get<ExerciseCase>(std::move(found));
    }
    const SourceRead read = ReadSourceBytes(args.File, in);
    if (!read.Error.empty()) {
        err << read.Error << '\n';
        return BadArguments;
    }
    const Arguments settings = from ? RunAsCase(args, *from) : args;
    return Session(SourceText::FromBytes(read.Bytes), settings, out, err, from ? &*from : nullptr)
        .Execute();
}

} // namespace

int RunCorvaneCli(const std::vector<std::string_view>& words, std::istream& in, std::ostream& out,
                  std::ostream& err) {
    const auto parsed = ParseArguments(words);
    int exit = BadArguments;
    if (const auto* reply = std::get_if<ArgumentReply>(&parsed)) {
        (reply->Exit == Success ? out : err) << reply->Text;
        exit = reply->Exit;
    } else {
        exit = Execute(std::get<Arguments>(parsed), in, out, err);
    }
    if (!out.flush()) {
        err << "corvane-cli: cannot write the output\n";
        return BadArguments;
    }
    return exit;
}
