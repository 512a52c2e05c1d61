#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// The machine language: every legal opcode with its mnemonic, length, operand layout and
// executor family. The assembler picks opcodes from it, the engine dispatches on it.

enum class OperandLayout : uint8_t {
    None,           // HALT, RET, ...
    Register,       // INC r
    RegisterPair,   // ADD r1,r2
    RegisterNumber, // ADD r,n ; MOV r,n ; CMP r,n
    Distance,       // JMP label
    Address,        // CALL a ; INT a
    RegisterMemory, // MOV r,[a] ; CMP r,[a]
    MemoryRegister, // MOV [a],r
    RegisterDeref,  // MOV r1,[r2]
    DerefRegister,  // MOV [r1],r2
    Port,           // IN p ; OUT p
};

enum class Family : uint8_t {
    OneByte,
    OneRegister, // ROL ... NOT, and CALL, INT, PUSH, POP
    Arithmetic,
    Jump,
    Move,
    Compare,
    InOut,
};

struct Instruction {
    uint8_t Opcode;
    std::string_view Mnemonic;
    uint8_t Length;
    OperandLayout Layout;
    Family Kind;
};

std::span<const Instruction> InstructionTable();
// The instruction of an opcode byte, or none when the byte is illegal.
const Instruction* FindInstruction(uint8_t opcode);
// The opcode of a mnemonic in a layout; the pair must exist in the table.
uint8_t OpcodeOf(std::string_view mnemonic, OperandLayout layout);
