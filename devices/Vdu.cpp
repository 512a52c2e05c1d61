#include "devices/Vdu.h"

#include "core/MachineState.h"

uint8_t VduCharacter(const MachineState& machine, int row, int column) {
    const int address = VduStart + row * VduColumns + column;
    return machine.Cell(address) ? static_cast<uint8_t>(machine.CellValue(address) & 0xFF) : ' ';
}

uint8_t ShownCode(uint8_t code) {
    const bool blank = code < 0x20 || (code >= 0x7F && code <= 0x9F);
    return blank ? ' ' : code;
}
