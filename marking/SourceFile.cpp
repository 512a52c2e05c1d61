#include "marking/SourceFile.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "assembler/ByteOrderMark.h"
#include "assembler/SourceText.h"

namespace {

SourceRead Failed(const std::string& path, const char* why) {
    return {{}, "cannot read " + path + ": " + why};
}

// Reads up to `keep` bytes.
SourceRead ReadStream(const std::string& path, std::istream& stream, size_t keep) {
    SourceRead read;
    char buffer[65536];
    while (read.Bytes.size() < keep) {
        const size_t wanted = std::min(sizeof buffer, keep - read.Bytes.size());
        stream.read(buffer, static_cast<std::streamsize>(wanted));
        if (stream.gcount() == 0) {
            break;
        }
        read.Bytes.append(buffer, static_cast<size_t>(stream.gcount()));
        if (read.Bytes.size() > MaxSourceFileBytes) {
            return Failed(path, "larger than 16 MiB");
        }
    }
    if (stream.bad()) {
        return Failed(path, "read error");
    }
    read.SkippedByteOrderMark = read.Bytes.starts_with(ByteOrderMark);
    if (read.SkippedByteOrderMark) {
        read.Bytes.erase(0, ByteOrderMark.size());
    }
    return read;
}

// Reads at most `keep` bytes of a regular file; its size is known before it is read.
SourceRead ReadFile(const std::string& path, size_t keep) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error || !std::filesystem::exists(status)) {
        return Failed(path, std::filesystem::is_symlink(path, error) ? "a link to nothing"
                                                                     : "no such file");
    }
    if (!std::filesystem::is_regular_file(status)) {
        return Failed(path, "not a file");
    }
    if (std::filesystem::file_size(path, error) > MaxSourceFileBytes) {
        return Failed(path, "larger than 16 MiB");
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return Failed(path, "access denied");
    }
    return ReadStream(path, file, keep);
}

} // namespace

SourceRead ReadSourceBytes(const std::string& path, std::istream& standardInput) {
    if (path == "-") {
        return ReadStream("standard input", standardInput, MaxSourceFileBytes + 1);
    }
    return ReadFile(path, MaxSourceFileBytes + 1);
}

SourceRead ReadAssembledPart(const std::string& path) {
    return ReadFile(path, AssembledSourceBytes + 1);
}
