#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The list file text as a string model. Offsets count each line break as two characters,
// as the list pane does; jump patching addresses a line by the offset at which it began.
class ListFile {
  public:
    void Clear();
    void AddLine(std::string line);
    void AppendToLastLine(std::string_view text);
    void AppendToFirstLine(std::string_view text);
    // Offset at which the next added line will begin.
    int32_t Length() const { return length_; }
    // Replaces the first "??" of the line that began at offset lineStart.
    void PatchJump(int32_t lineStart, std::string_view hex);

    const std::vector<std::string>& Lines() const { return lines_; }
    std::string Text() const; // lines joined by CR LF

  private:
    std::vector<std::string> lines_;
    std::vector<int32_t> starts_; // offset of each line when it was added
    int32_t length_ = 0;
};

// Line builders; the tab layout is what the list pane's tab stops expect.
namespace ListLines {
std::string Instruction(std::string_view mnemonic, std::string_view operands, int address,
                        const std::vector<std::string_view>& bytes);
std::string StringContinuation(std::string_view character, int address, std::string_view byte);
std::string Origin(std::string_view number);
std::string Label(std::string_view label);
std::string Blank();
std::string OwnTrailingComment(std::string_view comment);
} // namespace ListLines
