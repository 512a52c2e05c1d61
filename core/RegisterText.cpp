#include "core/RegisterText.h"

#include <cstdlib>

std::string HexByte(int value) {
    static const char digits[] = "0123456789ABCDEF";
    const unsigned byte = static_cast<unsigned>(value) & 0xFFu;
    return {digits[byte >> 4], digits[byte & 0x0F]};
}

std::string BinaryText(int value) {
    std::string text(8, '0');
    for (int bit = 0; bit < 8; ++bit) {
        if (value & (1 << bit)) {
            text[7 - bit] = '1';
        }
    }
    return text;
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
