#include "assembler/RegisterText.h"

#include <array>
#include <cstdlib>

namespace {

// The texts of all 256 bytes, made once: the CPU writes them on every store.
using ByteTexts = std::array<std::string, 256>;

ByteTexts MakeHexTexts() {
    static const char digits[] = "0123456789ABCDEF";
    ByteTexts texts;
    for (unsigned byte = 0; byte < 256; ++byte) {
        texts[byte] = {digits[byte >> 4], digits[byte & 0x0F]};
    }
    return texts;
}

ByteTexts MakeBinaryTexts() {
    ByteTexts texts;
    for (unsigned byte = 0; byte < 256; ++byte) {
        texts[byte] = std::string(8, '0');
        for (int bit = 0; bit < 8; ++bit) {
            if (byte & (1u << bit)) {
                texts[byte][7 - bit] = '1';
            }
        }
    }
    return texts;
}

const ByteTexts HexTexts = MakeHexTexts();
const ByteTexts BinaryTexts = MakeBinaryTexts();

} // namespace

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

const std::string& HexByte(int value) {
    return HexTexts[static_cast<unsigned>(value) & 0xFFu];
}

const std::string& BinaryText(int value) {
    return BinaryTexts[static_cast<unsigned>(value) & 0xFFu];
}

std::string SignedText(int value) {
    const int magnitude = std::abs(value);
    std::string digits = std::to_string(magnitude);
    if (digits.size() < 3) {
        digits.insert(0, 3 - digits.size(), '0');
    }
    return (value < 0 ? "-" : "+") + digits;
}

std::string RegisterText(int value) {
    return BinaryText(value) + ' ' + HexByte(value) + ' ' + SignedText(value);
}

std::string FlagsText(int sr) {
    static const char names[8] = {'?', '?', '?', 'I', 'S', 'O', 'Z', '?'};
    std::string text(8, '.');
    for (int position = 0; position < 8; ++position) {
        const int bit = 7 - position;
        if (sr & (1 << bit)) {
            text[position] = names[position];
        }
    }
    return text;
}
