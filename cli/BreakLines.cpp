#include "cli/BreakLines.h"

std::variant<std::bitset<256>, std::string>
BreakAddresses(const std::vector<int64_t>& lines, const CodeLines& code, const SourceText& source) {
    std::bitset<256> addresses;
    const auto lineCount = static_cast<int64_t>(source.Lines.size());
    for (const int64_t line : lines) {
        const std::string option = "--break " + std::to_string(line) + ": ";
        if (line > lineCount) {
            return option + "the source has " + std::to_string(lineCount) + " lines";
        }
        const auto bound = code.Bind(line);
        if (!bound) {
            return option + "there is no code on that line or after it";
        }
        addresses.set(static_cast<size_t>(bound->Address));
    }
    return addresses;
}
