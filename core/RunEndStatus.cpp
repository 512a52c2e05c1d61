#include "core/RunEndStatus.h"

std::optional<EndStatus> RunEndStatus(RunEnd end, bool wasRunning, std::string_view lastError) {
    switch (end) {
    case RunEnd::Halt:
        return EndStatus{"END  Program has halted.", StatusStyle::Halted};
    case RunEnd::Escape:
        return EndStatus{"ESCAPE  Keyboard input cancelled.", StatusStyle::Halted};
    case RunEnd::MazeEdge:
        return EndStatus{"EDGE  The snake has reached the edge of the maze.", StatusStyle::Halted};
    case RunEnd::DivideByZero:
        return EndStatus{"Divide by zero error.  Program has halted.", StatusStyle::Error};
    case RunEnd::Error:
        if (wasRunning) {
            return EndStatus{std::string(lastError) + "  Assemble the program again.",
                             StatusStyle::Error};
        }
        break;
    default:
        break;
    }
    return std::nullopt;
}
