#pragma once

#include <istream>
#include <string>

struct SourceRead {
    std::string Bytes;
    std::string Error; // one line; empty when the source was read
    // The UTF-8 byte-order mark some editors write first was there, and is not in Bytes.
    bool SkippedByteOrderMark = false;
};

// Reads a source file, or standard input when the path is "-". A byte-order mark at the
// start is skipped: the assembler would read its three bytes as a word of Latin-1 letters.
SourceRead ReadSourceBytes(const std::string& path, std::istream& standardInput);

// Reads only as much of a source file as the assembler takes, and one byte more so that a
// longer file still reads as longer; a file over 16 MiB is refused all the same.
SourceRead ReadAssembledPart(const std::string& path);
