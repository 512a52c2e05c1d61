#include "assembler/SourceText.h"

SourceText SourceText::FromBytes(std::string_view bytes) {
    SourceText source;
    std::string line;
    bool lineOpen = false;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
                ++i;
            }
            source.Lines.push_back(std::move(line));
            line.clear();
            lineOpen = false;
        } else {
            line += c;
            lineOpen = true;
        }
    }
    if (lineOpen) {
        source.Lines.push_back(std::move(line));
    }
    source.EndsWithLineBreak = !bytes.empty() && !lineOpen;
    return source;
}

std::string SourceText::EditorText() const {
    std::string text;
    for (size_t i = 0; i < Lines.size(); ++i) {
        if (i > 0) {
            text += "\r\n";
        }
        text += Lines[i];
    }
    if (EndsWithLineBreak) {
        text += "\r\n";
    }
    return text;
}

std::string SourceText::SavedText() const {
    std::string text;
    for (const std::string& line : Lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

SourcePosition SourceText::PositionOf(int32_t offset) const {
    int64_t lineStart = 0;
    for (size_t line = 0; line < Lines.size(); ++line) {
        const int64_t next = lineStart + static_cast<int64_t>(Lines[line].size()) + 2;
        if (offset < next || line + 1 == Lines.size()) {
            return {static_cast<int64_t>(line) + 1, offset - lineStart + 1};
        }
        lineStart = next;
    }
    return {1, offset + 1};
}
