#pragma once

#include <string_view>

// The UTF-8 byte-order mark some editors write at the start of a file. Read as Latin-1 it
// would be a word of three odd letters, so a source file's is skipped when it is read.
inline constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
