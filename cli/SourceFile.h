#pragma once

#include <istream>
#include <string>

struct SourceRead {
    std::string Bytes;
    std::string Error; // one line; empty when the source was read
};

// Reads a source file, or standard input when the path is "-".
SourceRead ReadSourceBytes(const std::string& path, std::istream& standardInput);

// Reads only as much of a source file as the assembler takes, and one byte more so that a
// longer file still reads as longer; a file over 16 MiB is refused all the same.
SourceRead ReadAssembledPart(const std::string& path);
