#include "marking/CheckRun.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <sstream>

#include "assembler/RegisterText.h"
#include "core/Assem.h"
#include "core/RunControl.h"
#include "devices/Peripherals.h"
#include "devices/Vdu.h"
#include "marking/DeviceReport.h"
#include "marking/ErrorLine.h"
#include "marking/Exercise.h"
#include "marking/HeadlessUi.h"
#include "marking/PortTrace.h"
#include "marking/QueuedKeys.h"
#include "marking/RunReport.h"

namespace {

std::string TimedOut(const MarkingDeadline& deadline) {
    return "not marked: it took longer than " + std::to_string(deadline.Seconds) + " s";
}

std::string Quoted(std::string_view text) {
    return '"' + std::string(text) + '"';
}

// 19, 20.5: as short as the number allows.
std::string Number(double value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

bool Meets(const TextExpectation& expected, const std::string& text) {
    return expected.IsPattern ? std::regex_search(text, expected.Pattern) : text == expected.Text;
}

std::string Wanted(const TextExpectation& expected) {
    return expected.IsPattern ? "a match for " + Quoted(expected.Text) : Quoted(expected.Text);
}

// What a program wrote to one port, raw and with repeats collapsed, kept only as far as
// the expectations look (and one more byte, to see that nothing follows).
struct PortWrites {
    size_t Keep = 0;
    std::vector<uint8_t> Raw;
    std::vector<uint8_t> Collapsed;

    void Add(uint8_t byte) {
        if (Raw.size() < Keep) {
            Raw.push_back(byte);
        }
        if (Collapsed.size() < Keep && (Collapsed.empty() || Collapsed.back() != byte)) {
            Collapsed.push_back(byte);
        }
    }
};

std::optional<std::string> JudgeOutput(const OutputExpectation& expected,
                                       const PortWrites& writes) {
    const std::vector<uint8_t>& got = expected.Collapse ? writes.Collapsed : writes.Raw;
    const std::string port = "OUT " + HexByte(expected.Port);
    for (size_t i = 0; i < expected.Bytes.size(); ++i) {
        if (i >= got.size()) {
            return port + " wrote " + std::to_string(got.size()) + " bytes, expected " +
                   std::to_string(expected.Bytes.size()) + " (byte " + std::to_string(i + 1) +
                   " would be " + HexByte(expected.Bytes[i]) + ")";
        }
        if (got[i] != expected.Bytes[i]) {
            return port + " byte " + std::to_string(i + 1) + " is " + HexByte(got[i]) +
                   ", expected " + HexByte(expected.Bytes[i]);
        }
    }
    if (expected.Whole && got.size() > expected.Bytes.size()) {
        return port + " wrote " + HexByte(got[expected.Bytes.size()]) + " after the " +
               std::to_string(expected.Bytes.size()) + " bytes expected";
    }
    return std::nullopt;
}

std::optional<std::string> JudgeDevice(const DeviceExpectation& expected, const std::string& line) {
    const std::string when =
        expected.AtMs ? " at " + std::to_string(*expected.AtMs) + " ms" : std::string();
    if (expected.Between) {
        const double value = std::strtod(line.c_str() + expected.Device.size(), nullptr);
        const auto [least, most] = *expected.Between;
        if (value >= least && value <= most) {
            return std::nullopt;
        }
        return Quoted(line) + when + ", expected " + expected.Device + " between " + Number(least) +
               " and " + Number(most);
    }
    if (Meets(expected.Line, line)) {
        return std::nullopt;
    }
    return Quoted(line) + when + ", expected " + Wanted(expected.Line);
}

// One case's engine and what it saw while it ran.
class CaseRun {
  public:
    CaseRun(const SourceText& source, const std::string& file, const ExerciseCase& exerciseCase,
            const MarkingDeadline& deadline, const StoryTeller& tell)
        : ui_(source), file_(file), case_(exerciseCase), expect_(exerciseCase.Expect),
          deadline_(deadline), tell_(tell), samples_(expect_.Devices.size()) {
        for (const OutputExpectation& output : expect_.Outputs) {
            writes_[output.Port].Keep =
                std::max(writes_[output.Port].Keep, output.Bytes.size() + 1);
        }
    }

    // A model's run keeps every byte written, for its expectations to be written down.
    void KeepEveryWrite() {
        for (PortWrites& port : writes_) {
            port.Keep = SIZE_MAX;
        }
        keepEveryWrite_ = true;
    }

    ModelRun Model() const {
        ModelRun model;
        model.Ended = outcome_.Ended;
        const MachineState& state = machine_.Machine;
        for (int i = 0; i < RegisterCount; ++i) {
            model.Registers[static_cast<size_t>(i)] = static_cast<uint8_t>(state.RegisterLow(i));
        }
        for (int address = 0; address < 256; ++address) {
            model.Ram[static_cast<size_t>(address)] =
                static_cast<uint8_t>(state.CellValue(address) & 0xFF);
        }
        for (int row = 0; row < VduRows; ++row) {
            model.VduRows.push_back(VduRowText(state, row));
        }
        model.DeviceLines = DeviceLines(devices_);
        for (size_t port = 0; port < writes_.size(); ++port) {
            model.Written[port] = writes_[port].Raw;
            model.WrittenCollapsed[port] = writes_[port].Collapsed;
        }
        return model;
    }

    CaseOutcome Run() {
        machine_.ButtonAssembleClick();
        if (ui_.SourceHasNoLines()) {
            return Unmarked("Nothing to assemble.");
        }
        if (!machine_.Machine.NoError) {
            return Unmarked(machine_.Errors.empty()
                                ? std::string("does not assemble")
                                : ErrorLine(machine_.Errors.front(), ui_.Source(), file_));
        }
        ui_.QueueKeys(case_.Keys);
        RunControl control(machine_);
        if (tell_) {
            machine_.Settings.RunLog = true;
            ui_.OnRunLogLine = [this](std::string_view line) {
                tell_("LOG " + std::to_string(now_) + ' ' + std::string(line));
            };
        }
        control.ButtonRunClick();
        PresetCase(machine_, case_);
        std::optional<PortTrace> trace;
        if (!expect_.Outputs.empty() || tell_ || keepEveryWrite_) {
            trace.emplace(machine_, now_, [this](const PortAccess& access) { Record(access); });
        }
        const auto outOfTime = [this] { return std::chrono::steady_clock::now() > deadline_.At; };
        outcome_ = RunInVirtualTime(machine_, control, devices_.Timers(), case_.Clock,
                                    Hooks(trace ? &*trace : nullptr), outOfTime);
        if (machine_.Machine.Running && outcome_.Steps < case_.Clock.MaxSteps) {
            return Unmarked(TimedOut(deadline_));
        }
        if (tell_) {
            tell_("END " + std::to_string(now_) + " ms, " + std::to_string(outcome_.Steps) +
                  " steps, " + EndText());
            Look();
        }
        failedAtMs_ = now_;
        const std::optional<std::string> failure = Judge();
        CaseOutcome outcome = failure ? Failed(*failure) : CaseOutcome{};
        outcome.AtMs = failedAtMs_;
        return outcome;
    }

  private:
    void Record(const PortAccess& access) {
        if (!access.Input) {
            writes_[access.Port].Add(access.Byte);
        }
        if (tell_) {
            tell_(PortAccessLine(access));
        }
    }

    // Every device line as it is now.
    void Look() const {
        for (const std::string& line : DeviceLines(devices_)) {
            tell_("LOOK " + std::to_string(now_) + ' ' + line);
        }
    }

    TimedAction Told(const DeviceEvent& event) {
        TimedAction action = InputAction(event, devices_);
        if (tell_) {
            action.Act = [this, event, input = std::move(action.Act)] {
                tell_("EVENT " + std::to_string(event.AtMs) + ' ' + event.Text);
                input();
            };
        }
        return action;
    }

    ClockHooks Hooks(const PortTrace* trace) {
        ClockHooks hooks;
        hooks.NowMs = &now_;
        hooks.KeyAwaited = [this, trace] { SupplyQueuedKey(machine_, ui_, trace); };
        for (const DeviceEvent& event : case_.Events) {
            hooks.Actions.push_back(Told(event));
        }
        for (size_t i = 0; i < expect_.Devices.size(); ++i) {
            if (const auto at = expect_.Devices[i].AtMs) {
                hooks.Actions.push_back({*at, [this, i] {
                                             samples_[i] =
                                                 DeviceLine(devices_, expect_.Devices[i].Device);
                                             if (tell_) {
                                                 Look();
                                             }
                                         }});
            }
        }
        if (expect_.LiftNeverCrashes) {
            hooks.AfterDeviceTick = [this] {
                if (!crashedAt_ && devices_.Car.Crashed()) {
                    crashedAt_ = now_;
                }
            };
        }
        return hooks;
    }

    // The first execution error, where the program has one.
    const ErrorReport* ExecutionError() const {
        for (const ErrorReport& error : machine_.Errors) {
            if (error.OfProgram) {
                return &error;
            }
        }
        return nullptr;
    }

    // The error at its place in the source, and when: the run stopped at it. An instruction
    // no line put in RAM is named by its address.
    std::string ErrorText(const ErrorReport& error) const {
        const std::string address = error.SourceStart
                                        ? std::string()
                                        : ", at " + HexByte(machine_.Machine.RegisterLow(IP)) +
                                              ", which no line of the program put there";
        return ErrorLine(error, ui_.Source(), file_) + " (step " + std::to_string(outcome_.Steps) +
               ", " + std::to_string(now_) + " ms" + address + ")";
    }

    // How the run ended, with the error where it ended in one, or the keys it lacked.
    std::string EndText() const {
        std::string text(RunEndName(outcome_.Ended));
        const ErrorReport* error = ExecutionError();
        if (error && IsProgramError(outcome_.Ended)) {
            text += " (" + ErrorText(*error) + ")";
        } else if (outcome_.Ended == RunEnd::Escape && ui_.KeysRanOut()) {
            text += " (the program read a key after the " + std::to_string(case_.Keys.size()) +
                    " the case typed, and got Escape)";
        }
        return text;
    }

    std::optional<std::string> JudgeEnd() const {
        if (!expect_.Ended && !expect_.Error && IsProgramError(outcome_.Ended)) {
            const ErrorReport* error = ExecutionError();
            return error ? ErrorText(*error) : "ended " + EndText();
        }
        if (expect_.Ended && *expect_.Ended != outcome_.Ended) {
            return "ended " + EndText() + ", expected " + std::string(RunEndName(*expect_.Ended));
        }
        if (expect_.Error) {
            const ErrorReport* error = ExecutionError();
            if (!error) {
                return "no execution error, expected " + Quoted(*expect_.Error);
            }
            if (error->Message != *expect_.Error) {
                return "error " + Quoted(error->Message) + ", expected " + Quoted(*expect_.Error);
            }
        }
        if (expect_.AtMostSteps && outcome_.Steps > *expect_.AtMostSteps) {
            return "took " + std::to_string(outcome_.Steps) + " steps, more than " +
                   std::to_string(*expect_.AtMostSteps);
        }
        return std::nullopt;
    }

    std::optional<std::string> JudgeMachine() const {
        const MachineState& state = machine_.Machine;
        for (const RegisterValue& value : expect_.Registers) {
            const int got = state.RegisterLow(value.Index);
            if (got != value.Value) {
                return std::string(RegisterNames[value.Index]) + " is " + HexByte(got) +
                       ", expected " + HexByte(value.Value);
            }
        }
        for (const RamBytes& ram : expect_.Ram) {
            for (size_t i = 0; i < ram.Bytes.size(); ++i) {
                const int address = ram.At + static_cast<int>(i);
                const int got = state.CellValue(address) & 0xFF;
                if (got != ram.Bytes[i]) {
                    return "RAM " + HexByte(address) + " is " + HexByte(got) + ", expected " +
                           HexByte(ram.Bytes[i]);
                }
            }
        }
        for (const VduExpectation& row : expect_.Vdu) {
            const std::string text = VduRowText(state, row.Row);
            if (!Meets(row.Expected, text)) {
                return "VDU row " + std::to_string(row.Row) + " is " + Quoted(text) +
                       ", expected " + Wanted(row.Expected);
            }
        }
        return std::nullopt;
    }

    std::optional<std::string> JudgeDevices() const {
        for (size_t i = 0; i < expect_.Devices.size(); ++i) {
            const DeviceExpectation& expected = expect_.Devices[i];
            if (expected.AtMs && !samples_[i]) {
                return "the run ended at " + std::to_string(now_) + " ms, before " +
                       expected.Device + " was looked at, at " + std::to_string(*expected.AtMs) +
                       " ms";
            }
            const std::string line =
                expected.AtMs ? *samples_[i] : DeviceLine(devices_, expected.Device);
            if (auto failure = JudgeDevice(expected, line)) {
                failedAtMs_ = expected.AtMs.value_or(now_);
                return failure;
            }
        }
        for (const OutputExpectation& output : expect_.Outputs) {
            if (auto failure = JudgeOutput(output, writes_[output.Port])) {
                return failure;
            }
        }
        if (crashedAt_) {
            failedAtMs_ = *crashedAt_;
            return "the lift crashed at " + std::to_string(*crashedAt_) + " ms";
        }
        return std::nullopt;
    }

    std::optional<std::string> Judge() const {
        if (auto failure = JudgeEnd()) {
            return failure;
        }
        if (auto failure = JudgeMachine()) {
            return failure;
        }
        return JudgeDevices();
    }

    HeadlessUi ui_;
    Taaa machine_{ui_};
    Peripherals devices_{machine_, machine_.Ui, machine_.Ports};
    const std::string& file_;
    const ExerciseCase& case_;
    const CaseExpectations& expect_;
    const MarkingDeadline& deadline_;
    StoryTeller tell_;
    int64_t now_ = 0;
    RunOutcome outcome_;
    std::vector<std::optional<std::string>> samples_;
    std::array<PortWrites, PortCount> writes_;
    std::optional<int64_t> crashedAt_;
    mutable int64_t failedAtMs_ = 0;
    bool keepEveryWrite_ = false;
};

} // namespace

CaseOutcome Failed(std::string reason) {
    return {false, std::move(reason), false, 0};
}

CaseOutcome Unmarked(std::string reason) {
    return {false, std::move(reason), true, 0};
}

CaseOutcome RunCase(const SourceText& source, const std::string& file,
                    const ExerciseCase& exerciseCase, const MarkingDeadline& deadline,
                    const StoryTeller& tell) {
    if (std::chrono::steady_clock::now() > deadline.At) {
        return Unmarked(TimedOut(deadline));
    }
    const auto start = std::chrono::steady_clock::now();
    CaseOutcome outcome = CaseRun(source, file, exerciseCase, deadline, tell).Run();
    outcome.Seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return outcome;
}

ModelRun RunModel(const SourceText& source, const std::string& file,
                  const ExerciseCase& exerciseCase) {
    const MarkingDeadline none;
    CaseRun run(source, file, exerciseCase, none, {});
    run.KeepEveryWrite();
    const CaseOutcome outcome = run.Run();
    ModelRun model = run.Model();
    if (model.Ended == RunEnd::None) {
        model.Error = outcome.Reason;
    }
    return model;
}

void PresetCase(Taaa& machine, const ExerciseCase& exerciseCase) {
    for (const RamBytes& ram : exerciseCase.Ram) {
        for (size_t i = 0; i < ram.Bytes.size(); ++i) {
            machine.Machine.WriteCell(ram.At + static_cast<int>(i), ram.Bytes[i]);
        }
    }
    for (const RegisterValue& value : exerciseCase.Registers) {
        machine.Machine.SetRegister(value.Index, value.Value, false);
    }
}
