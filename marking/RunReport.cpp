#include "marking/RunReport.h"

#include "assembler/RegisterText.h"
#include "core/MachineState.h"
#include "devices/Vdu.h"

void PrintRegisters(std::ostream& out, const MachineState& machine) {
    for (int index = 0; index < RegisterCount; ++index) {
        out << RegisterNames[index] << ' ' << RegisterText(machine.Reg[index]) << '\n';
    }
}

void PrintRam(std::ostream& out, const MachineState& machine) {
    for (int row = 0; row < 16; ++row) {
        out << HexByte(row * 16) << ':';
        for (int column = 0; column < 16; ++column) {
            out << ' ' << HexByte(machine.CellValue(row * 16 + column));
        }
        out << '\n';
    }
}

std::string VduRowText(const MachineState& machine, int row) {
    std::string line;
    for (int column = 0; column < VduColumns; ++column) {
        const uint8_t code = VduCharacter(machine, row, column);
        line += (code < 0x20 || code == 0x7F) ? '.' : static_cast<char>(code);
    }
    return line;
}

void PrintVdu(std::ostream& out, const MachineState& machine) {
    for (int row = 0; row < VduRows; ++row) {
        out << VduRowText(machine, row) << '\n';
    }
}
