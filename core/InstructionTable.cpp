#include "core/InstructionTable.h"

#include <array>
#include <cstdlib>

namespace {

using L = OperandLayout;
using F = Family;

constexpr Instruction Table[] = {
    {0x00, "HALT", 1, L::None, F::OneByte},
    {0x9A, "ROL", 2, L::Register, F::OneRegister},
    {0x9B, "ROR", 2, L::Register, F::OneRegister},
    {0x9C, "SHL", 2, L::Register, F::OneRegister},
    {0x9D, "SHR", 2, L::Register, F::OneRegister},
    {0xA0, "ADD", 3, L::RegisterPair, F::Arithmetic},
    {0xA1, "SUB", 3, L::RegisterPair, F::Arithmetic},
    {0xA2, "MUL", 3, L::RegisterPair, F::Arithmetic},
    {0xA3, "DIV", 3, L::RegisterPair, F::Arithmetic},
    {0xA4, "INC", 2, L::Register, F::OneRegister},
    {0xA5, "DEC", 2, L::Register, F::OneRegister},
    {0xA6, "MOD", 3, L::RegisterPair, F::Arithmetic},
    {0xAA, "AND", 3, L::RegisterPair, F::Arithmetic},
    {0xAB, "OR", 3, L::RegisterPair, F::Arithmetic},
    {0xAC, "XOR", 3, L::RegisterPair, F::Arithmetic},
    {0xAD, "NOT", 2, L::Register, F::OneRegister},
    {0xB0, "ADD", 3, L::RegisterNumber, F::Arithmetic},
    {0xB1, "SUB", 3, L::RegisterNumber, F::Arithmetic},
    {0xB2, "MUL", 3, L::RegisterNumber, F::Arithmetic},
    {0xB3, "DIV", 3, L::RegisterNumber, F::Arithmetic},
    {0xB6, "MOD", 3, L::RegisterNumber, F::Arithmetic},
    {0xBA, "AND", 3, L::RegisterNumber, F::Arithmetic},
    {0xBB, "OR", 3, L::RegisterNumber, F::Arithmetic},
    {0xBC, "XOR", 3, L::RegisterNumber, F::Arithmetic},
    {0xC0, "JMP", 2, L::Distance, F::Jump},
    {0xC1, "JZ", 2, L::Distance, F::Jump},
    {0xC2, "JNZ", 2, L::Distance, F::Jump},
    {0xC3, "JS", 2, L::Distance, F::Jump},
    {0xC4, "JNS", 2, L::Distance, F::Jump},
    {0xC5, "JO", 2, L::Distance, F::Jump},
    {0xC6, "JNO", 2, L::Distance, F::Jump},
    {0xCA, "CALL", 2, L::Address, F::OneRegister},
    {0xCB, "RET", 1, L::None, F::OneByte},
    {0xCC, "INT", 2, L::Address, F::OneRegister},
    {0xCD, "IRET", 1, L::None, F::OneByte},
    {0xD0, "MOV", 3, L::RegisterNumber, F::Move},
    {0xD1, "MOV", 3, L::RegisterMemory, F::Move},
    {0xD2, "MOV", 3, L::MemoryRegister, F::Move},
    {0xD3, "MOV", 3, L::RegisterDeref, F::Move},
    {0xD4, "MOV", 3, L::DerefRegister, F::Move},
    {0xDA, "CMP", 3, L::RegisterPair, F::Compare},
    {0xDB, "CMP", 3, L::RegisterNumber, F::Compare},
    {0xDC, "CMP", 3, L::RegisterMemory, F::Compare},
    {0xE0, "PUSH", 2, L::Register, F::OneRegister},
    {0xE1, "POP", 2, L::Register, F::OneRegister},
    {0xEA, "PUSHF", 1, L::None, F::OneByte},
    {0xEB, "POPF", 1, L::None, F::OneByte},
    {0xF0, "IN", 2, L::Port, F::InOut},
    {0xF1, "OUT", 2, L::Port, F::InOut},
    {0xFC, "STI", 1, L::None, F::OneByte},
    {0xFD, "CLI", 1, L::None, F::OneByte},
    {0xFE, "CLO", 1, L::None, F::OneByte},
    {0xFF, "NOP", 1, L::None, F::OneByte},
};

constexpr std::array<const Instruction*, 256> BuildIndex() {
    std::array<const Instruction*, 256> index{};
    for (const Instruction& instruction : Table) {
        index[instruction.Opcode] = &instruction;
    }
    return index;
}

constexpr std::array<const Instruction*, 256> ByOpcode = BuildIndex();

} // namespace

std::span<const Instruction> InstructionTable() {
    return Table;
}

const Instruction* FindInstruction(uint8_t opcode) {
    return ByOpcode[opcode];
}

uint8_t OpcodeOf(std::string_view mnemonic, OperandLayout layout) {
    for (const Instruction& instruction : Table) {
        if (instruction.Mnemonic == mnemonic && instruction.Layout == layout) {
            return instruction.Opcode;
        }
    }
    std::abort(); // a mnemonic and layout the assembler never asks for
}
