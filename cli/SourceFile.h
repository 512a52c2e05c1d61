#pragma once

#include <string>

struct SourceRead {
    std::string Bytes;
    std::string Error; // one line; empty when the file was read
};

SourceRead ReadSourceBytes(const std::string& path);
