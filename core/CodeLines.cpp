#include "core/CodeLines.h"

#include "core/MachineState.h"

CodeLines::CodeLines(const MachineState& machine, const SourceText& source) {
    std::map<int64_t, int32_t> leftmost; // line -> source offset of its first cell's token
    for (int address = 0; address < 256; ++address) {
        const tokNode* token = machine.SourceToken(address);
        if (!token || token->SrcLength == 0) {
            continue; // a filler the assembler put in a cell no code reached
        }
        const int64_t line = source.PositionOf(token->SrcStart).Line;
        cellLines_[static_cast<size_t>(address)] = line;
        const auto [known, added] = leftmost.try_emplace(line, token->SrcStart);
        if (added || token->SrcStart < known->second) {
            known->second = token->SrcStart;
            firstCells_[line] = address;
        }
    }
}

std::optional<LineAddress> CodeLines::Bind(int64_t line) const {
    const auto next = firstCells_.lower_bound(line);
    if (next == firstCells_.end()) {
        return std::nullopt;
    }
    return LineAddress{next->first, next->second};
}

std::optional<int64_t> CodeLines::LineOf(int address) const {
    const int64_t line = cellLines_[static_cast<size_t>(address & 0xFF)];
    return line == NoLine ? std::nullopt : std::optional<int64_t>(line);
}

std::string CodeLines::BreakpointStopText(int address) const {
    const auto line = LineOf(address);
    return "Breakpoint at line " + (line ? std::to_string(*line) : std::string("?"));
}
