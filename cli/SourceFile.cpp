#include "cli/SourceFile.h"

#include <filesystem>
#include <fstream>

#include "assembler/ByteOrderMark.h"
#include "assembler/SourceText.h"

namespace {

SourceRead Failed(const std::string& path, const char* why) {
    return {{}, "cannot read " + path + ": " + why};
}

SourceRead ReadStream(const std::string& path, std::istream& stream) {
    SourceRead read;
    char buffer[65536];
    while (stream.read(buffer, sizeof buffer) || stream.gcount() > 0) {
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

} // namespace

SourceRead ReadSourceBytes(const std::string& path, std::istream& standardInput) {
    if (path == "-") {
        return ReadStream("standard input", standardInput);
    }
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error || !std::filesystem::exists(status)) {
        return Failed(path, "no such file");
    }
    if (!std::filesystem::is_regular_file(status)) {
        return Failed(path, "not a file");
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return Failed(path, "access denied");
    }
    return ReadStream(path, file);
}
