#include "core/MachineState.h"

#include "core/RegisterText.h"

int16_t FoldByte(int value) {
    if (value > 127 || value < -128) {
        value = (value & 0x80) ? (value | ~0x7F) : (value & 0x7F);
    }
    return static_cast<int16_t>(value);
}

namespace {

int FlagsFor(int value) {
    if (value == 0) {
        return FlagZ;
    }
    if (value > 127 || value < -128) {
        return (value & 0x80) ? (FlagO | FlagS) : FlagO;
    }
    return value < 0 ? FlagS : 0;
}

} // namespace

void MachineState::SetRegister(int index, int value, bool updateFlags) {
    if (updateFlags) {
        Reg[SR] = static_cast<int16_t>((Reg[SR] & FlagI) | FlagsFor(value));
        ui_.RegisterChanged(SR);
    }
    Reg[index] = FoldByte(value);
    ui_.RegisterChanged(index);
}

void MachineState::WriteCell(int address, int value) {
    const int at = address & 0xFF;
    tokNode* cell = Cells[at];
    if (!cell) {
        cell = &tokens_.Make();
        Cells[at] = cell;
    }
    cell->Value = static_cast<int16_t>(value);
    cell->HexText = HexByte(value);
    cell->Text = cell->HexText;
    cell->BinText = BinaryText(value);
    cell->SrcStart = 0;
    cell->SrcLength = 0;
    if (at >= VduStart) {
        ui_.ShowPeripheral(Peripheral::Vdu);
    }
    ui_.CellChanged(static_cast<uint8_t>(at));
}

void MachineState::CpuReset() {
    for (int index : {AL, BL, CL, DL, IP, SR}) {
        SetRegister(index, 0, false);
    }
    SetRegister(SP, StackBottom, false);
}
