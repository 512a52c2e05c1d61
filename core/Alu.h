#pragma once

// What the CPU computes, apart from where its operands come from and where the results go:
// an ordinary step and a run that nobody watches share these.

#include "core/MachineState.h"

// ROL, ROR, SHL, SHR, INC, DEC and NOT of a register's value. INC and DEC leave their result
// unfolded, so that its flags show an overflow; the others make a byte.
inline int ShiftOrCountResult(int opcode, int value) {
    const unsigned byte = static_cast<unsigned>(value) & 0xFFu;
    switch (opcode) {
    case 0x9A:
        return FoldByte(static_cast<int>(((byte << 1) | (byte >> 7)) & 0xFF));
    case 0x9B:
        return FoldByte(static_cast<int>(((byte >> 1) | ((byte & 1) << 7)) & 0xFF));
    case 0x9C:
        return FoldByte(static_cast<int>((byte << 1) & 0xFF));
    case 0x9D:
        return FoldByte(static_cast<int>(byte >> 1));
    case 0xA4:
        return value + 1;
    case 0xA5:
        return value - 1;
    default:
        return FoldByte(static_cast<int>(~byte & 0xFF));
    }
}

// DIV and MOD, of either form, stop the CPU on a zero divisor instead of computing.
inline bool DividesByZero(int opcode, int second) {
    const int operation = opcode & 0x0F;
    return (operation == 0x3 || operation == 0x6) && second == 0;
}

// ADD, SUB, MUL, DIV, MOD, AND, OR and XOR, register or number form, unfolded. Never asked
// to divide by zero.
inline int ArithmeticResult(int opcode, int first, int second) {
    switch (opcode & 0x0F) {
    case 0x0:
        return first + second;
    case 0x1:
        return first - second;
    case 0x2:
        return first * second;
    case 0x3:
        return first / second;
    case 0x6:
        return first % second;
    case 0xA:
        return first & second;
    case 0xB:
        return first | second;
    default:
        return first ^ second;
    }
}

// Whether JMP, JZ, JNZ, JS, JNS, JO or JNO jumps with these flags.
inline bool JumpTaken(int opcode, int sr) {
    switch (opcode) {
    case 0xC1:
        return sr & FlagZ;
    case 0xC2:
        return !(sr & FlagZ);
    case 0xC3:
        return sr & FlagS;
    case 0xC4:
        return !(sr & FlagS);
    case 0xC5:
        return sr & FlagO;
    case 0xC6:
        return !(sr & FlagO);
    default:
        return true;
    }
}

// CMP's flags: Z when the values are equal, S when the first is less.
inline int CompareFlags(int first, int second) {
    return first == second ? FlagZ : (first < second ? FlagS : 0);
}
