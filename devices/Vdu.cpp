#include "devices/Vdu.h"

#include "core/MachineState.h"

uint8_t VduCharacter(const MachineState& machine, int row, int column) {
    const int address = VduStart + row * VduColumns + column;
    return machine.Cell(address) ? static_cast<uint8_t>(machine.CellValue(address) & 0xFF) : ' ';
}
