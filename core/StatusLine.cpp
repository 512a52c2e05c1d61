#include "core/StatusLine.h"

std::string StatusLineText(std::string_view text) {
    std::string line;
    line.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            line += ' ';
        } else {
            line += c;
        }
    }
    if (line.size() > StatusLineWidth) {
        line = line.substr(0, 37) + " ... " + line.substr(line.size() - 34);
    }
    return " " + line;
}
