#include "core/MachineState.h"

#include "assembler/RegisterText.h"

void MachineState::WriteCell(int address, int value) {
    const int at = address & 0xFF;
    Ram[static_cast<size_t>(at)] = static_cast<uint8_t>(value);
    Overwritten.set(static_cast<size_t>(at));
    held_[static_cast<size_t>(at)].Length = 0;
    if (at >= VduStart) {
        report_.ShowWindow(WindowCommandKind::Show, Peripheral::Vdu);
    }
    report_.CellWritten(at);
}

void MachineState::ClearCells() {
    sources_.fill(nullptr);
    Ram.fill(0);
    Overwritten.reset();
    held_.fill({});
}

void MachineState::TakeAssembledBytes() {
    Overwritten.reset();
    for (size_t at = 0; at < Ram.size(); ++at) {
        Ram[at] = sources_[at] ? static_cast<uint8_t>(sources_[at]->Value) : 0;
        HoldSource(at);
    }
}

void MachineState::RestoreCell(int address, uint8_t byte, bool overwritten) {
    const auto at = static_cast<size_t>(address & 0xFF);
    Ram[at] = byte;
    Overwritten[at] = overwritten;
    HoldSource(at);
}

void MachineState::HoldSource(size_t at) {
    const tokNode* token = HeldToken(static_cast<int>(at));
    held_[at] = token ? HeldSpan{token->SrcStart, token->SrcLength, token->Value == 0} : HeldSpan{};
}

std::optional<CellShown> MachineState::Cell(int address) const {
    const int at = address & 0xFF;
    if (const tokNode* token = HeldToken(at)) {
        return CellShown{token->Value,   token->HexText,  token->Text,
                         token->BinText, token->SrcStart, token->SrcLength};
    }
    if (!Overwritten[static_cast<size_t>(at)]) {
        return std::nullopt;
    }
    const int value = CellValue(at);
    return CellShown{
        static_cast<int16_t>(value), HexByte(value), HexByte(value), BinaryText(value), 0, 0};
}

void MachineState::CpuReset() {
    for (int index : {AL, BL, CL, DL, IP, SR}) {
        SetRegister(index, 0, false);
    }
    SetRegister(SP, StackBottom, false);
}
