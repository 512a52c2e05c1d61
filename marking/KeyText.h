#pragma once

#include <optional>
#include <string>
#include <string_view>

// Decodes keys as --keys and an exercise's cases give them: one byte per character; \r \n \t
// \e \\ and \xHH stand for one byte.
std::optional<std::string> DecodeKeys(std::string_view text);
