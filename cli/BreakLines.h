#pragma once

#include <bitset>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "assembler/SourceText.h"
#include "core/CodeLines.h"

// The addresses a run stops before for the lines of --break, bound as the workbench binds its
// breakpoints; or, for a line past the end of the source or with no code on it or after it,
// the usage error that says so.
std::variant<std::bitset<256>, std::string>
BreakAddresses(const std::vector<int64_t>& lines, const CodeLines& code, const SourceText& source);
