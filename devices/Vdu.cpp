#include "devices/Vdu.h"

#include "core/MachineState.h"

uint8_t VduCharacter(const MachineState& machine, int row, int column) {
    const tokNode* cell = machine.Cell(VduStart + row * VduColumns + column);
    return cell ? static_cast<uint8_t>(cell->Value & 0xFF) : ' ';
}
