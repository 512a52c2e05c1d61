#pragma once

#include <string>
#include <string_view>

inline constexpr size_t StatusLineWidth = 76;

// The status line's text as shown: one line (each line break a space), shortened to 76
// characters with " ... " in the middle, and one space in front.
std::string StatusLineText(std::string_view text);
