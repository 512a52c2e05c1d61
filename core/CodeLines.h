#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "assembler/SourceText.h"

class MachineState;

// A source line and the first cell its code went to.
struct LineAddress {
    int64_t Line = 0; // from 1
    int Address = 0;
    bool operator==(const LineAddress&) const = default;
};

// Where the last assembly put each line's code, for breakpoints on source lines. A line has
// code when the assembler placed a byte from it (DB too: a program may jump into its bytes);
// its first cell is the one placed from the line's leftmost token, the opcode of an
// instruction.
class CodeLines {
  public:
    CodeLines() = default;
    // `source` is the text that was assembled: the cells' token spans are offsets into it.
    CodeLines(const MachineState& machine, const SourceText& source);

    // Where a breakpoint on `line` stops: its own first cell, or where the line has no code,
    // the first cell of the next line that has some; none when no line from `line` on has
    // code.
    std::optional<LineAddress> Bind(int64_t line) const;
    // The line the code at `address` was assembled from; none for a cell nothing was placed
    // in from the source.
    std::optional<int64_t> LineOf(int address) const;
    // What the status line says when a run stops before the code at `address`: "Breakpoint
    // at line 12", with "?" for a cell of no line.
    std::string BreakpointStopText(int address) const;

  private:
    static constexpr int64_t NoLine = 0;
    std::map<int64_t, int> firstCells_; // line -> address
    std::array<int64_t, 256> cellLines_{};
};
