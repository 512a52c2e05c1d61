#include "marking/KeyText.h"

#include "assembler/RegisterText.h"

std::optional<std::string> DecodeKeys(std::string_view text) {
    std::string keys;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            keys += text[i];
            continue;
        }
        if (++i >= text.size()) {
            return std::nullopt;
        }
        switch (text[i]) {
        case 'r':
            keys += '\r';
            break;
        case 'n':
            keys += '\n';
            break;
        case 't':
            keys += '\t';
            break;
        case 'e':
            keys += '\x1B';
            break;
        case '\\':
            keys += '\\';
            break;
        case 'x': {
            if (i + 2 >= text.size()) {
                return std::nullopt;
            }
            const int high = HexDigitValue(text[i + 1]);
            const int low = HexDigitValue(text[i + 2]);
            if (high < 0 || low < 0) {
                return std::nullopt;
            }
            keys += static_cast<char>(high * 16 + low);
            i += 2;
            break;
        }
        default:
            return std::nullopt;
        }
    }
    return keys;
}
