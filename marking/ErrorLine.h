#pragma once

#include <string>
#include <string_view>

#include "assembler/SourceText.h"
#include "core/ErrorReport.h"

// An error as corvane-cli prints it: "FILE:LINE:COL: MESSAGE" for an error of the program,
// "FILE: MESSAGE" when its place has no source text, the bare message for a box.
std::string ErrorLine(const ErrorReport& error, const SourceText& source, std::string_view file);
