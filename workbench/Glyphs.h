#pragma once

#include <QChar>
#include <cstdint>

#include "devices/Vdu.h"

// The glyph a code shows as: blank where it has none.
inline QChar ShownGlyph(uint8_t code) {
    return QChar(static_cast<char16_t>(ShownCode(code)));
}
