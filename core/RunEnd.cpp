#include "core/RunEnd.h"

std::string_view RunEndName(RunEnd end) {
    switch (end) {
    case RunEnd::None:
        break;
    case RunEnd::Halt:
        return "HALT";
    case RunEnd::StepLimit:
        return "STEP-LIMIT";
    case RunEnd::Escape:
        return "ESCAPE";
    case RunEnd::MazeEdge:
        return "MAZE-EDGE";
    case RunEnd::Error:
        return "ERROR";
    case RunEnd::DivideByZero:
        return "DIVIDE-BY-ZERO";
    case RunEnd::Breakpoint:
        return "BREAKPOINT";
    }
    return "";
}
