#pragma once

#include <istream>
#include <string>

struct SourceRead {
    std::string Bytes;
    std::string Error; // one line; empty when the source was read
};

// Reads a source file, or standard input when the path is "-".
SourceRead ReadSourceBytes(const std::string& path, std::istream& standardInput);
