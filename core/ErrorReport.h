#pragma once

#include <cstdint>
#include <optional>
#include <string>

// An error as the engine reported it, kept in order for front ends that list errors rather
// than show them one at a time.
struct ErrorReport {
    std::string Message;
    // True for an error of the program (ReportError, divide by zero); false for a box that
    // has no place in the source, such as "Block read error".
    bool OfProgram = false;
    // Offset in the editor's text where the erring token or instruction begins, also for a
    // token of no length such as a blank line's marker; none when the instruction has no
    // source text (an empty cell filled after END, a cell the program wrote).
    std::optional<int32_t> SourceStart;
    // How long that token or instruction is in the editor's text; 0 for a token of no length.
    int32_t SourceLength = 0;
};
