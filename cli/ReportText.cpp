#include "cli/ReportText.h"

#include <algorithm>
#include <cstdio>

namespace {

// The length of the UTF-8 sequence at `at`, or 0 where there is none.
size_t Utf8Sequence(std::string_view text, size_t at) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    const size_t length = lead < 0x80           ? 1
                          : (lead >> 5) == 0x06 ? 2
                          : (lead >> 4) == 0x0E ? 3
                          : (lead >> 3) == 0x1E ? 4
                                                : 0;
    if (length == 0 || at + length > text.size()) {
        return 0;
    }
    for (size_t i = at + 1; i < at + length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

// The byte length of the first `count` characters.
size_t BytesOfCharacters(std::string_view text, size_t count) {
    size_t at = 0;
    for (size_t i = 0; i < count && at < text.size(); ++i) {
        at += std::max<size_t>(1, Utf8Sequence(text, at));
    }
    return at;
}

} // namespace

std::string Utf8(std::string_view text) {
    bool valid = true;
    for (size_t at = 0; valid && at < text.size();) {
        const size_t length = Utf8Sequence(text, at);
        valid = length > 0;
        at += length;
    }
    if (valid) {
        return std::string(text);
    }
    std::string latin;
    for (const char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 0x80) {
            latin += c;
        } else {
            latin += static_cast<char>(0xC0 | (code >> 6));
            latin += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return latin;
}

size_t CharacterCount(std::string_view text) {
    size_t count = 0;
    for (size_t at = 0; at < text.size(); at += std::max<size_t>(1, Utf8Sequence(text, at))) {
        ++count;
    }
    return count;
}

std::string ControlsEscaped(std::string_view text) {
    std::string shown;
    for (const char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 0x20 || code == 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", code);
            shown += escape;
        } else {
            shown += c;
        }
    }
    return shown;
}

std::vector<std::string> Wrapped(std::string_view text, size_t width) {
    std::vector<std::string> lines;
    while (CharacterCount(text) > width) {
        const size_t limit = BytesOfCharacters(text, width);
        const size_t space = text.rfind(' ', limit);
        const size_t end = space != std::string_view::npos && space > 0 ? space : limit;
        lines.emplace_back(text.substr(0, end));
        text.remove_prefix(end);
        if (!text.empty() && text.front() == ' ') {
            text.remove_prefix(1);
        }
    }
    lines.emplace_back(text);
    return lines;
}

std::string JsonString(std::string_view text) {
    std::string json = "\"";
    for (const char c : Utf8(text)) {
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
            json += escape;
        } else {
            json += c;
        }
    }
    return json + '"';
}

std::string XmlText(std::string_view text) {
    std::string xml;
    for (const char c : Utf8(text)) {
        switch (c) {
        case '&':
            xml += "&amp;";
            break;
        case '<':
            xml += "&lt;";
            break;
        case '>':
            xml += "&gt;";
            break;
        case '"':
            xml += "&quot;";
            break;
        default:
            xml += (static_cast<unsigned char>(c) < 0x20 && c != '\t') ? ' ' : c;
        }
    }
    return xml;
}

std::string CsvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(text);
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return quoted + '"';
}
