#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "assembler/SourceText.h"

// The page's editor text and the engine's view of it. The engine counts every line break as
// two characters (CR LF); the page's text has whatever breaks it was given, "\n" as a rule.
// This converts the engine's offsets into offsets of the text as the page gave it.
class PageText {
  public:
    explicit PageText(std::string_view text = {});

    const SourceText& Source() const { return source_; }
    // The offset in the page's text of an engine offset; offsets past the end go to the end.
    int32_t PageOffset(int32_t engineOffset) const;
    // The line, from 1, that an engine offset lies on.
    int64_t LineOf(int32_t engineOffset) const { return source_.PositionOf(engineOffset).Line; }

  private:
    SourceText source_;
    std::vector<int32_t> lineStarts_;  // in the page's text
    std::vector<int32_t> breakWidths_; // each line's break in the page's text: 0, 1 or 2
    int32_t size_ = 0;
};
