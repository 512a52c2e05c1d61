#pragma once

// Plain values into JavaScript, for every file of glue. Strings are Latin-1 (see
// SessionBindings.cpp); a text the engine keeps in UTF-8 goes through Utf8Text.
#include <emscripten/val.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
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

// A plain object from its fields in order: ObjectOf({{"start", val(7)}, {"length", val(2)}}).
inline emscripten::val
ObjectOf(std::initializer_list<std::pair<const char*, emscripten::val>> fields) {
    emscripten::val object = emscripten::val::object();
    for (const auto& [name, value] : fields) {
        object.set(name, value);
    }
    return object;
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
