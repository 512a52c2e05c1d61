#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
#include <string_view>

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

// A value becomes its low byte read as a signed byte, as a register holds it.
inline int16_t FoldByte(int value) {
    return static_cast<int8_t>(value);
}

// Z, S and O for an unfolded result: O where folding changes it, S where the fold is
// negative. Without branches: a run steps through this at every instruction.
inline int ResultFlags(int value) {
    const int folded = FoldByte(value);
    return (value == 0 ? FlagZ : 0) | (folded != value ? FlagO : 0) | (folded < 0 ? FlagS : 0);
}

using Registers = std::array<int16_t, RegisterCount>;

// A register takes a value as a byte. With updateFlags, SR gets Z, S and O of the unfolded
// value and keeps its I bit.
[[gnu::always_inline]] inline void SetRegisterIn(Registers& reg, int index, int value,
                                                 bool updateFlags) {
    if (updateFlags) {
        reg[SR] = static_cast<int16_t>((reg[SR] & FlagI) | ResultFlags(value));
    }
    reg[index] = FoldByte(value);
}

// IP passes `length` bytes, or a jump's distance.
[[gnu::always_inline]] inline void AdvanceIpIn(Registers& reg, int length) {
    SetRegisterIn(reg, IP, reg[IP] + length, false);
}

// What a view shows of a cell: the texts of the token assembled there while the cell still
// holds it, the hexadecimal byte once the CPU has written the cell.
struct CellShown {
    int16_t Value = 0;
    std::string_view HexText;
    std::string_view Text;
    std::string_view BinText;
    int32_t SrcStart = 0;
    int32_t SrcLength = 0;
};

// Where the editor shows the instruction a cell still holds; Length 0 where the cell holds
// none: nothing was assembled there, or the CPU has written it since.
struct HeldSpan {
    int32_t Start = 0;
    int32_t Length = 0;
    bool ValueIsZero = false; // the END marker's cell, where a program halts
};

// RAM, registers and the flags that say whether the machine may run. RAM is plain bytes; the
// assembler's map from each cell to its source token stays fixed until the next assembly and
// gives the texts of the cells the CPU has not written since.
class MachineState {
  public:
    explicit MachineState(StepReport& report) : report_(report) {}

    std::array<uint8_t, 256> Ram{};
    // The cells written since the assembly: they show their byte, not their source.
    std::bitset<256> Overwritten;
    Registers Reg{};
    bool NeedsAssembly = true;
    bool NoError = false;
    bool Running = false;

    // The only way registers change but a run that nobody watches, which tells the report
    // once at its end. Inline: every step makes one or two of these.
    [[gnu::always_inline]] void SetRegister(int index, int value, bool updateFlags) {
        SetRegisterIn(Reg, index, value, updateFlags);
        if (updateFlags) {
            report_.RegisterWritten(SR);
        }
        report_.RegisterWritten(index);
    }
    // The CPU's store into RAM; value is already a held byte.
    void WriteCell(int address, int value);
    void CpuReset();
    // No program: every cell absent and 0.
    void ClearCells();
    // The assembler places a token in a cell; its value reaches RAM with TakeAssembledBytes,
    // once the jumps are known.
    void PlaceToken(int address, const tokNode& token) { sources_[address & 0xFF] = &token; }
    void TakeAssembledBytes();

    // The token assembled into a cell, written since or not; none where nothing was placed.
    const tokNode* SourceToken(int address) const { return sources_[address & 0xFF]; }
    // The token a cell still holds: none once the CPU has written it.
    const tokNode* HeldToken(int address) const {
        const int at = address & 0xFF;
        return Overwritten[at] ? nullptr : sources_[at];
    }
    // The span of HeldToken(address), kept beside the token map so that every step can show
    // the instruction at IP without following a pointer.
    const HeldSpan& HeldSource(int address) const { return held_[address & 0xFF]; }
    // Puts a cell back as a snapshot had it.
    void RestoreCell(int address, uint8_t byte, bool overwritten);
    // What a view shows of a cell; none for a cell that has neither source nor a write.
    std::optional<CellShown> Cell(int address) const;
    // The held value of a cell, sign-extended; an absent cell reads 0.
    int16_t CellValue(int address) const {
        return static_cast<int8_t>(Ram[static_cast<size_t>(address & 0xFF)]);
    }
    int RegisterLow(int index) const { return Reg[index] & 0xFF; }

  private:
    StepReport& report_;
    std::array<const tokNode*, 256> sources_{};
    std::array<HeldSpan, 256> held_{};
    void HoldSource(size_t at);
};
