#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The settings file's text: "[Section]" lines, each followed by "Key=Value" lines. Values
// are whole numbers, switches too (any non-zero number is on), and file names.
class SettingsFile {
  public:
    struct Entry {
        std::string Section;
        std::string Key;
        std::string Value;
    };
    static Entry Number(std::string section, std::string key, int value) {
        return {std::move(section), std::move(key), std::to_string(value)};
    }

    static SettingsFile Parse(std::string_view text);
    // Decimal, or hexadecimal after "0x" or "$"; nothing when missing or not a whole number.
    std::optional<int> Integer(std::string_view section, std::string_view key) const;
    // The value as written, without the spaces around it; nothing when missing.
    std::optional<std::string> String(std::string_view section, std::string_view key) const;
    // The text that writes every entry in the given order, a section line wherever the
    // section changes.
    static std::string Text(const std::vector<Entry>& entries);

  private:
    std::map<std::pair<std::string, std::string>, std::string> values_;
};
