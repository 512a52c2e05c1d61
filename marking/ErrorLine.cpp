#include "marking/ErrorLine.h"

std::string ErrorLine(const ErrorReport& error, const SourceText& source, std::string_view file) {
    if (!error.OfProgram) {
        return error.Message;
    }
    std::string line(file);
    if (error.SourceStart) {
        const SourcePosition at = source.PositionOf(*error.SourceStart);
        line += ':' + std::to_string(at.Line) + ':' + std::to_string(at.Column);
    }
    return line + ": " + error.Message;
}
