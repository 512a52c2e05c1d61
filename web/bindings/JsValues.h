#pragma once

// Plain values into JavaScript, for every file of glue. Strings are Latin-1 (see
// SessionBindings.cpp); a text the engine keeps in UTF-8 goes through Utf8Text.
#include <emscripten/val.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

inline emscripten::val Text(std::string_view text) {
    return emscripten::val(std::string(text));
}

// A UTF-8 text as the JS string it spells.
inline emscripten::val Utf8Text(std::string_view text) {
    const emscripten::val bytes(
        emscripten::typed_memory_view(text.size(), reinterpret_cast<const uint8_t*>(text.data())));
    return emscripten::val::global("TextDecoder").new_().call<emscripten::val>("decode", bytes);
}

template <typename Items, typename Convert>
emscripten::val ArrayOf(const Items& items, Convert convert) {
    emscripten::val array = emscripten::val::array();
    for (const auto& item : items) {
        array.call<void>("push", convert(item));
    }
    return array;
}

inline emscripten::val Lines(const std::vector<std::string>& lines) {
    return ArrayOf(lines, [](const std::string& line) { return emscripten::val(line); });
}
