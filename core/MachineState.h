#pragma once

#include <array>
#include <cstdint>

#include "assembler/TokNode.h"
#include "core/StepReport.h"

enum Register : int { AL = 0, BL = 1, CL = 2, DL = 3, IP = 4, SP = 5, SR = 6 };

inline constexpr int RegisterCount = 7;
inline constexpr const char* RegisterNames[RegisterCount] = {"AL", "BL", "CL", "DL",
                                                             "IP", "SP", "SR"};

// Flag masks of SR.
inline constexpr int FlagI = 0x10;
inline constexpr int FlagS = 0x08;
inline constexpr int FlagO = 0x04;
inline constexpr int FlagZ = 0x02;

inline constexpr int StackBottom = 0xBF;
inline constexpr int VduStart = 0xC0;

// A byte above 127 or below -128 becomes its low byte read as a signed byte.
inline int16_t FoldByte(int value) {
    if (value > 127 || value < -128) {
        value = (value & 0x80) ? (value | ~0x7F) : (value & 0x7F);
    }
    return static_cast<int16_t>(value);
}

// Z, S and O for an unfolded result.
inline int ResultFlags(int value) {
    if (value == 0) {
        return FlagZ;
    }
    if (value > 127 || value < -128) {
        return (value & 0x80) ? (FlagO | FlagS) : FlagO;
    }
    return value < 0 ? FlagS : 0;
}

// RAM cells, registers and the flags that say whether the machine may run.
class MachineState {
  public:
    MachineState(StepReport& report, TokenStore& tokens) : report_(report), tokens_(tokens) {}

    std::array<tokNode*, 256> Cells{};
    std::array<int16_t, RegisterCount> Reg{};
    bool NeedsAssembly = true;
    bool NoError = false;
    bool Running = false;

    // The only way registers change. With updateFlags, SR gets Z, S and O of the unfolded
    // value and keeps its I bit. Inline: every step makes one or two of these.
    [[gnu::always_inline]] void SetRegister(int index, int value, bool updateFlags) {
        if (updateFlags) {
            Reg[SR] = static_cast<int16_t>((Reg[SR] & FlagI) | ResultFlags(value));
            report_.RegisterWritten(SR);
        }
        Reg[index] = FoldByte(value);
        report_.RegisterWritten(index);
    }
    // The CPU's store into RAM; value is already a held byte.
    void WriteCell(int address, int value);
    void CpuReset();
    void ClearCells() { Cells.fill(nullptr); }

    tokNode* Cell(int address) const { return Cells[address & 0xFF]; }
    // The held value of a cell; an absent cell reads 0.
    int16_t CellValue(int address) const {
        const tokNode* cell = Cell(address);
        return cell ? cell->Value : 0;
    }
    int RegisterLow(int index) const { return Reg[index] & 0xFF; }

  private:
    StepReport& report_;
    TokenStore& tokens_;
};
