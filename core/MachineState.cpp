#include "core/MachineState.h"

#include "assembler/RegisterText.h"

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
        report_.ShowWindow(WindowCommandKind::Show, Peripheral::Vdu);
    }
    report_.CellWritten(at);
}

void MachineState::CpuReset() {
    for (int index : {AL, BL, CL, DL, IP, SR}) {
        SetRegister(index, 0, false);
    }
    SetRegister(SP, StackBottom, false);
}
