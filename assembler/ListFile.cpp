#include "assembler/ListFile.h"

#include <algorithm>

#include "assembler/RegisterText.h"

void ListFile::Clear() {
    lines_.clear();
    starts_.clear();
    length_ = 0;
}

void ListFile::AddLine(std::string line) {
    if (!lines_.empty()) {
        length_ += 2;
    }
    starts_.push_back(length_);
    length_ += static_cast<int32_t>(line.size());
    lines_.push_back(std::move(line));
}

void ListFile::AppendToLastLine(std::string_view text) {
    if (lines_.empty()) {
        AddLine(std::string(text));
        return;
    }
    lines_.back() += text;
    length_ += static_cast<int32_t>(text.size());
}

void ListFile::AppendToFirstLine(std::string_view text) {
    if (lines_.empty()) {
        return;
    }
    lines_.front() += text;
    length_ += static_cast<int32_t>(text.size());
}

void ListFile::PatchJump(int32_t lineStart, std::string_view hex) {
    const auto found = std::lower_bound(starts_.begin(), starts_.end(), lineStart);
    if (found == starts_.end() || *found != lineStart) {
        return;
    }
    std::string& line = lines_[found - starts_.begin()];
    const size_t mark = line.find('?');
    if (mark != std::string::npos && mark + hex.size() <= line.size()) {
        line.replace(mark, hex.size(), hex);
    }
}

std::string ListFile::Text() const {
    std::string text;
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (i > 0) {
            text += "\r\n";
        }
        text += lines_[i];
    }
    return text;
}

namespace ListLines {

namespace {
std::string AddressField(int address) {
    return "; [" + HexByte(address) + "]  ";
}
} // namespace

std::string Instruction(std::string_view mnemonic, std::string_view operands, int address,
                        const std::vector<std::string_view>& bytes) {
    std::string line = "\t";
    line += mnemonic;
    line += '\t';
    line += operands;
    line += '\t';
    line += AddressField(address);
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0) {
            line += ' ';
        }
        line += bytes[i];
    }
    if (bytes.size() < 3) {
        line += '\t';
    }
    return line;
}

std::string StringContinuation(std::string_view character, int address, std::string_view byte) {
    std::string line = "\t\t";
    line += character;
    line += '\t';
    line += AddressField(address);
    line += byte;
    line += '\t';
    return line;
}

std::string Origin(std::string_view number) {
    return "\tORG\t" + std::string(number) + "\t;\t\t";
}

std::string Label(std::string_view label) {
    return std::string(label) + "\t\t\t;\t\t";
}

std::string Blank() {
    return "\t\t\t;\t\t";
}

std::string OwnTrailingComment(std::string_view comment) {
    return "\t\t\t;\t\t\t" + std::string(comment);
}

} // namespace ListLines
