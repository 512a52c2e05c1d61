#include "cli/SourceFile.h"

#include <filesystem>
#include <fstream>

#include "assembler/SourceText.h"

SourceRead ReadSourceBytes(const std::string& path) {
    SourceRead read;
    const auto fail = [&](const char* why) {
        read.Bytes.clear();
        read.Error = "cannot read " + path + ": " + why;
        return read;
    };
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error || !std::filesystem::exists(status)) {
        return fail("no such file");
    }
    if (!std::filesystem::is_regular_file(status)) {
        return fail("not a file");
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return fail("access denied");
    }
    char buffer[65536];
    while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
        read.Bytes.append(buffer, static_cast<size_t>(file.gcount()));
        if (read.Bytes.size() > MaxSourceFileBytes) {
            return fail("larger than 16 MiB");
        }
    }
    if (file.bad()) {
        return fail("read error");
    }
    return read;
}
