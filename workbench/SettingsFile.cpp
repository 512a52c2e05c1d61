#include "workbench/SettingsFile.h"

#include <charconv>
#include <limits>

namespace {

std::string_view Trim(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::optional<int> WholeNumber(std::string_view text) {
    int base = 10;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
        base = 16;
    } else if (text.starts_with('$')) {
        text.remove_prefix(1);
        base = 16;
    }
    if (text.empty() || (base == 16 && text.starts_with('-'))) {
        return std::nullopt;
    }
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    if (base == 16 && value <= 0xFFFFFFFFLL) {
        return static_cast<int>(static_cast<unsigned>(value)); // "$FFFFFFFF" reads as -1
    }
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

// Section and key names are matched without regard to case.
std::string Folded(std::string_view text) {
    std::string folded(text);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return folded;
}

} // namespace

SettingsFile SettingsFile::Parse(std::string_view text) {
    SettingsFile file;
    std::string section;
    // Editors that save UTF-8 may put a byte-order mark before the first section.
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view line = Trim(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.starts_with('[') && line.ends_with(']')) {
            section = Folded(Trim(line.substr(1, line.size() - 2)));
        } else if (const size_t equals = line.find('='); equals != std::string_view::npos) {
            file.values_[{section, Folded(Trim(line.substr(0, equals)))}] =
                Trim(line.substr(equals + 1));
        }
    }
    return file;
}

std::optional<int> SettingsFile::Integer(std::string_view section, std::string_view key) const {
    const auto found = values_.find({Folded(section), Folded(key)});
    return found == values_.end() ? std::nullopt : WholeNumber(found->second);
}

std::optional<std::string> SettingsFile::String(std::string_view section,
                                                std::string_view key) const {
    const auto found = values_.find({Folded(section), Folded(key)});
    return found == values_.end() ? std::nullopt : std::optional(found->second);
}

std::string SettingsFile::Text(const std::vector<Entry>& entries) {
    std::string text;
    const std::string* section = nullptr;
    for (const Entry& entry : entries) {
        if (!section || *section != entry.Section) {
            text += (section ? "\n[" : "[") + entry.Section + "]\n";
            section = &entry.Section;
        }
        text += entry.Key + "=" + entry.Value + "\n";
    }
    return text;
}
