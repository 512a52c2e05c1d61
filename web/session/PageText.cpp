#include "web/session/PageText.h"

#include <algorithm>

namespace {

// The width of the line break at `at`, or 0 where none is.
int32_t BreakWidth(std::string_view text, size_t at) {
    if (at >= text.size()) {
        return 0;
    }
    if (text[at] == '\r') {
        return at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1;
    }
    return text[at] == '\n' ? 1 : 0;
}

} // namespace

PageText::PageText(std::string_view text)
    : source_(SourceText::FromBytes(text)), size_(static_cast<int32_t>(text.size())) {
    int32_t start = 0;
    for (const std::string& line : source_.Lines) {
        const auto width = BreakWidth(text, static_cast<size_t>(start) + line.size());
        lineStarts_.push_back(start);
        breakWidths_.push_back(width);
        start += static_cast<int32_t>(line.size()) + width;
    }
}

int32_t PageText::PageOffset(int32_t engineOffset) const {
    if (source_.Lines.empty() || engineOffset <= 0) {
        return std::clamp(engineOffset, 0, size_);
    }
    const SourcePosition place = source_.PositionOf(engineOffset);
    const auto line = static_cast<size_t>(place.Line - 1);
    const auto widest = static_cast<int64_t>(source_.Lines[line].size()) + breakWidths_[line];
    const int64_t column = std::min(place.Column - 1, widest);
    return static_cast<int32_t>(std::min<int64_t>(lineStarts_[line] + column, size_));
}
