#include "core/Assem.h"
#include "core/InstructionTable.h"

namespace {

// CALL, INT, PUSH and POP.
bool IsStackFrameOpcode(int opcode) {
    return opcode == 0xCA || opcode == 0xCC || opcode == 0xE0 || opcode == 0xE1;
}

} // namespace

// Plain functions rather than member pointers: a step's call is then one indirect jump,
// and each executor is inlined into its own entry.
std::array<Taaa::Executor, 256> Taaa::BuildDispatch() {
    std::array<Executor, 256> executors{};
    executors.fill([](Taaa& m) { m.ExecuteIllegal(); });
    for (const Instruction& instruction : InstructionTable()) {
        Executor executor = nullptr;
        switch (instruction.Kind) {
        case Family::OneByte:
            executor = [](Taaa& m) { m.ExecuteOneByte(); };
            break;
        case Family::OneRegister:
            if (IsStackFrameOpcode(instruction.Opcode)) {
                executor = [](Taaa& m) { m.ExecuteOneRegister(); };
            } else {
                executor = [](Taaa& m) { m.ExecuteShiftOrCount(); };
            }
            break;
        case Family::Arithmetic:
            executor = [](Taaa& m) { m.ExecuteArithmetic(); };
            break;
        case Family::Jump:
            executor = [](Taaa& m) { m.ExecuteJump(); };
            break;
        case Family::Move:
            executor = [](Taaa& m) { m.ExecuteMove(); };
            break;
        case Family::Compare:
            executor = [](Taaa& m) { m.ExecuteCompare(); };
            break;
        case Family::InOut:
            executor = [](Taaa& m) { m.ExecuteInOut(); };
            break;
        }
        executors[instruction.Opcode] = executor;
    }
    return executors;
}

const std::array<Taaa::Executor, 256> Taaa::Dispatch = BuildDispatch();

// Inline in the step; SupplyKey ends an IN 00's step with it too.
[[gnu::always_inline]] inline void Taaa::FinishStep() {
    ShowInstructionAtIp();
    EndStep();
}

std::optional<RunEnd> Taaa::RefuseStep() {
    if (Assembling || awaitingKey_) {
        return RunEnd::None;
    }
    Ended = RunEnd::None;
    if (Machine.NeedsAssembly) {
        ButtonAssembleClick();
    }
    if (!Head()) {
        return Ended;
    }
    if (!Machine.NoError) {
        Report.BeginStep();
        return RunEnd::Error;
    }
    return std::nullopt;
}

RunEnd Taaa::ButtonStepClick() {
    if (StepRefused()) [[unlikely]] {
        if (const std::optional<RunEnd> refused = RefuseStep()) {
            return *refused;
        }
    }
    Ended = RunEnd::None;
    Report.BeginStep();
    Log.BeginStep(Settings.RunLog);
    stepIp_ = Machine.Reg[IP] & 0xFF;
    const int opcode = Machine.CellValue(stepIp_) & 0xFF;
    Dispatch[opcode](*this);
    if (!awaitingKey_) [[likely]] {
        FinishStep();
    }
    return Ended;
}

RunEnd Taaa::SupplyKey(uint8_t code) {
    if (!awaitingKey_) {
        return RunEnd::None;
    }
    awaitingKey_ = false;
    Report.KeyAwaited = false;
    Ended = RunEnd::None;
    if (code == EscapeKey) {
        EndRun(RunEnd::Escape);
    } else {
        Report.PortAccessed(true, 0, code);
        Machine.SetRegister(AL, code, false);
        Machine.Running = ResumeAfterInput;
    }
    AdvanceIp(2);
    FinishStep();
    return Ended;
}

void Taaa::ShowCurrentInstruction() {
    ShowInstructionAtIp();
}

void Taaa::LogIpAdvance(int length) {
    Log.IpAdvance(std::to_string(length));
}

bool Taaa::RefuseBeyondEnd() {
    ReportError("Can not execute code beyond the end of memory.", CurrentToken());
    return true;
}

bool Taaa::RefuseRegister() {
    ReportError("Invalid register in machine code.", CurrentToken());
    return false;
}

std::string Taaa::ExplanationPrefix(int ip) const {
    return "\t" + Log.CellText(ip) + "\t" + Log.CellText(ip + 1) + "\t";
}

void Taaa::ExecuteIllegal() {
    ReportError("Illegal op code not recognised by CPU.", CurrentToken());
}
