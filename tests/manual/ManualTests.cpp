#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "assembler/RegisterText.h"
#include "core/InstructionTable.h"
#include "support/TestMachine.h"

// The manual teaches the language, so it must keep step with the assembler: every
// instruction documented, every example program assembling, every device window's anchor
// in place.

namespace {

const std::string& Manual() {
    static const std::string text = [] {
        std::ifstream file(CORVANE_MANUAL, std::ios::binary);
        std::ostringstream bytes;
        bytes << file.rdbuf();
        return bytes.str();
    }();
    return text;
}

// The text between each opening tag and the closing tag after it.
std::vector<std::string> Contents(std::string_view open, std::string_view close) {
    const std::string& html = Manual();
    std::vector<std::string> found;
    for (size_t at = html.find(open); at != std::string::npos; at = html.find(open, at)) {
        at += open.size();
        const size_t end = html.find(close, at);
        found.push_back(html.substr(at, end - at));
        at = end;
    }
    return found;
}

// &amp; goes last, so an escaped entity such as &amp;lt; stays the text &lt;.
std::string Unescape(std::string text) {
    static constexpr std::pair<std::string_view, std::string_view> Entities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&#39;", "'"}, {"&amp;", "&"}};
    for (const auto& [entity, character] : Entities) {
        for (size_t at = text.find(entity); at != std::string::npos;
             at = text.find(entity, at + character.size())) {
            text.replace(at, entity.size(), character);
        }
    }
    return text;
}

const std::vector<std::string>& Examples() {
    static const std::vector<std::string> sources = [] {
        std::vector<std::string> found;
        for (const std::string& block : Contents("<pre class=\"example\">", "</pre>")) {
            found.push_back(Unescape(block));
        }
        return found;
    }();
    return sources;
}

// A whole word: ADD in "ADD AL,BL" but not in "PADDING".
bool HasWord(std::string_view text, std::string_view word) {
    const auto inWord = [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
    };
    for (size_t at = text.find(word); at != std::string_view::npos; at = text.find(word, at + 1)) {
        const size_t after = at + word.size();
        if ((at == 0 || !inWord(text[at - 1])) && (after == text.size() || !inWord(text[after]))) {
            return true;
        }
    }
    return false;
}

// The reference row of an opcode: <tr id="op-B0"> up to its </tr>.
std::string ReferenceRow(uint8_t opcode) {
    const std::string open = "<tr id=\"op-" + HexByte(opcode) + "\">";
    const size_t at = Manual().find(open);
    if (at == std::string::npos) {
        return {};
    }
    return Manual().substr(at, Manual().find("</tr>", at) - at);
}

bool InSomeExample(std::string_view mnemonic) {
    for (const std::string& source : Examples()) {
        if (HasWord(source, mnemonic)) {
            return true;
        }
    }
    return false;
}

TEST(Manual, IsSelfContained) {
    ASSERT_FALSE(Manual().empty()) << "cannot read " << CORVANE_MANUAL;
    for (const char* outside : {"<script", "<link", "<iframe", "src=\"http", "url(http"}) {
        EXPECT_EQ(Manual().find(outside), std::string::npos) << outside;
    }
}

TEST(Manual, DocumentsEveryInstructionWithItsCodeAndAnExample) {
    for (const Instruction& instruction : InstructionTable()) {
        SCOPED_TRACE(std::string(instruction.Mnemonic) + " " + HexByte(instruction.Opcode));
        EXPECT_TRUE(HasWord(ReferenceRow(instruction.Opcode), instruction.Mnemonic));
        EXPECT_TRUE(InSomeExample(instruction.Mnemonic));
    }
}

constexpr std::string_view DeviceAnchors[] = {
    "vdu",           "traffic-lights", "seven-segment", "heater", "maze",
    "stepper-motor", "lift",           "keyboard",      "keypad", "keyboard-input"};

class DeviceAnchor : public testing::TestWithParam<std::string_view> {};

TEST_P(DeviceAnchor, Exists) {
    const std::string anchor = "id=\"" + std::string(GetParam()) + "\"";
    EXPECT_NE(Manual().find(anchor), std::string::npos) << "no " << anchor;
}

INSTANTIATE_TEST_SUITE_P(Windows, DeviceAnchor, testing::ValuesIn(DeviceAnchors));

TEST(Manual, HasExamples) {
    EXPECT_GE(Examples().size(), 40u);
}

class Example : public testing::TestWithParam<std::string> {};

TEST_P(Example, Assembles) {
    TestMachine tm(GetParam());
    EXPECT_TRUE(tm.Assemble()) << GetParam() << "\n" << tm.ListText();
}

INSTANTIATE_TEST_SUITE_P(Manual, Example, testing::ValuesIn(Examples()));

} // namespace
