#pragma once

#include <string>
#include <string_view>
#include <vector>

// Texts read from sources are Latin-1; a text that is not UTF-8 already is taken as Latin-1
// and written as UTF-8.
std::string Utf8(std::string_view text);

// How many characters a text shows: UTF-8 sequences count one each, other bytes one each.
size_t CharacterCount(std::string_view text);

// Control characters as \xHH, so nothing a student wrote can move a terminal's cursor.
std::string ControlsEscaped(std::string_view text);

// Lines of at most `width` characters, broken at spaces where there are any.
std::vector<std::string> Wrapped(std::string_view text, size_t width);

std::string JsonString(std::string_view text);
// XML 1.0 takes no control characters but tab, so they become spaces.
std::string XmlText(std::string_view text);
std::string CsvField(std::string_view text);
