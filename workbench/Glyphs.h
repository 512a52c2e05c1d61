#pragma once

#include <QChar>
#include <cstdint>

// Codes 00-1F and 7F-9F have no glyph to draw: they show as blanks.
inline QChar ShownGlyph(uint8_t code) {
    const bool blank = code < 0x20 || (code >= 0x7F && code <= 0x9F);
    return QChar(blank ? u' ' : static_cast<char16_t>(code));
}
