#include "core/Assem.h"
#include "core/InstructionTable.h"

std::array<Taaa::Executor, 256> Taaa::BuildDispatch() {
    std::array<Executor, 256> executors{};
    executors.fill(&Taaa::ExecuteIllegal);
    for (const Instruction& instruction : InstructionTable()) {
        Executor executor = nullptr;
        switch (instruction.Kind) {
        case Family::OneByte:
            executor = &Taaa::ExecuteOneByte;
            break;
        case Family::OneRegister:
            executor = &Taaa::ExecuteOneRegister;
            break;
        case Family::Arithmetic:
            executor = &Taaa::ExecuteArithmetic;
            break;
        case Family::Jump:
            executor = &Taaa::ExecuteJump;
            break;
        case Family::Move:
            executor = &Taaa::ExecuteMove;
            break;
        case Family::Compare:
            executor = &Taaa::ExecuteCompare;
            break;
        case Family::InOut:
            executor = &Taaa::ExecuteInOut;
            break;
        }
        executors[instruction.Opcode] = executor;
    }
    return executors;
}

const std::array<Taaa::Executor, 256> Taaa::Dispatch = BuildDispatch();

void Taaa::ButtonStepClick() {
    if (Assembling) {
        return;
    }
    if (Machine.NeedsAssembly) {
        ButtonAssembleClick();
    }
    if (!Head()) {
        return;
    }
    Ui.BeginStep();
    if (!Machine.NoError) {
        return;
    }
    Log.BeginStep();
    const int opcode = Machine.CellValue(Machine.Reg[IP]) & 0xFF;
    (this->*Dispatch[opcode])();
    ShowCurrentInstruction();
    if (Ui.IsPeripheralVisible(Peripheral::Vdu)) {
        Ui.RefreshVdu();
    }
}

void Taaa::ShowCurrentInstruction() {
    const bool needsAssembly = Machine.NeedsAssembly;
    const int ip = Machine.Reg[IP];
    const tokNode* cell = Machine.Cell(ip);
    if (cell && cell->SrcLength > 0) {
        Ui.SelectSource(cell->SrcStart, cell->SrcLength);
        if (cell->Value != 0 || ip != LastShownIP) {
            if (Machine.NoError) {
                Ui.ShowSourceStatus(cell->SrcStart, cell->SrcLength);
            }
        } else if (Machine.NoError) {
            Ui.ShowStatus("END  Program has halted.", StatusStyle::Halted);
        }
        LastShownIP = ip;
    }
    Machine.NeedsAssembly = needsAssembly;
}

bool Taaa::BeyondEndOfMemory(int length) {
    if ((Machine.Reg[IP] & 0xFF) + length > 0xFF) {
        ReportError("Can not execute code beyond the end of memory.", CurrentToken());
        return true;
    }
    return false;
}

int Taaa::OperandByte(int offset) const {
    return Machine.CellValue(Machine.Reg[IP] + offset);
}

bool Taaa::ValidRegister(int offset) {
    if ((OperandByte(offset) & 0xFF) > DL) {
        ReportError("Invalid register in machine code.", CurrentToken());
        return false;
    }
    return true;
}

void Taaa::AdvanceIp(int length) {
    Machine.SetRegister(IP, Machine.Reg[IP] + length, false);
    if (Log.Enabled()) {
        Log.IpAdvance(std::to_string(length));
    }
}

std::string Taaa::ExplanationPrefix(int ip) const {
    return "\t" + Log.CellText(ip) + "\t" + Log.CellText(ip + 1) + "\t";
}

void Taaa::ExecuteIllegal() {
    ReportError("Illegal op code not recognised by CPU.", CurrentToken());
}
