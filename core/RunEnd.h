#pragma once

#include <string_view>

// How a run, or a single step, came to an end. None: it goes on.
enum class RunEnd {
    None,
    Halt,         // a HALT or END byte executed
    StepLimit,    // the front end's step limit was reached
    Escape,       // Escape typed while IN 00 waited for a key
    MazeEdge,     // the snake ran into the maze's edge
    Error,        // an error reported through ReportError
    DivideByZero, // DIV or MOD by zero
    Breakpoint,   // the run stopped before the instruction at a breakpoint
};

// The ends that are errors of the program: those through ReportError and divide by zero.
constexpr bool IsProgramError(RunEnd end) {
    return end == RunEnd::Error || end == RunEnd::DivideByZero;
}

// "HALT", "STEP-LIMIT", "ESCAPE", "MAZE-EDGE", "ERROR", "DIVIDE-BY-ZERO", "BREAKPOINT"; "" for
// None.
std::string_view RunEndName(RunEnd end);
