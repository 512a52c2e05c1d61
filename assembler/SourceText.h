#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A place in a source: line and column counted from 1, the column in bytes.
struct SourcePosition {
    int64_t Line;
    int64_t Column;
    bool operator==(const SourcePosition&) const = default;
};

// A source as the editor holds it. Bytes are Latin-1 characters, kept unchanged; CR LF, LF
// and CR each end a line, and a final line break does not start an extra empty line.
struct SourceText {
    std::vector<std::string> Lines;
    bool EndsWithLineBreak = false;

    static SourceText FromBytes(std::string_view bytes);
    // The editor's text: lines joined by CR LF, with the final line break if there was one.
    std::string EditorText() const;
    // What saving writes: every line followed by CR LF.
    std::string SavedText() const;
    // Where an offset of the editor's text lies; an offset past the end lies after the end.
    SourcePosition PositionOf(int32_t offset) const;
};

// Larger files are refused with a message rather than loaded.
inline constexpr size_t MaxSourceFileBytes = 16u * 1024u * 1024u;
// The assembler reads no more of the editor's text than this.
inline constexpr size_t AssembledSourceBytes = 32768;
