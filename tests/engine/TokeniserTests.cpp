#include <ostream>

#include "EngineFixture.h"

namespace {

struct Token {
    std::string Text;
    int32_t Start;
    int32_t Length;
    bool operator==(const Token&) const = default;
};

[[maybe_unused]] std::ostream& operator<<(std::ostream& out, const Token& token) {
    return out << '{' << testing::PrintToString(token.Text) << ", " << token.Start << ", "
               << token.Length << '}';
}

std::vector<Token> Tokenise(TestMachine& m) {
    m.machine.MakeTokens();
    std::vector<Token> tokens;
    for (const tokNode* node : m.machine.TokenList) {
        tokens.push_back({node->Text, node->SrcStart, node->SrcLength});
    }
    return tokens;
}

std::vector<Token> Tokenise(std::string_view source) {
    TestMachine m(source);
    return Tokenise(m);
}

struct TokeniserCase {
    const char* Name;
    std::string Source; // '\n' line ends; tokenised with CR LF
    std::vector<Token> Expected;
};

class Tokeniser : public testing::TestWithParam<TokeniserCase> {};

TEST_P(Tokeniser, MakesTokensWithTheirSpans) {
    EXPECT_EQ(Tokenise(GetParam().Source), GetParam().Expected);
}

const TokeniserCase TokeniserCases[] = {
    {"LowerCaseIsRaised", "mov al,15\n", {{"MOV", 0, 3}, {"AL", 4, 2}, {",", 6, 1}, {"15", 7, 2}}},
    {"SignsStandAlone",
     "MOV [AL],BL\n",
     {{"MOV", 0, 3}, {"[", 4, 1}, {"AL", 5, 2}, {"]", 7, 1}, {",", 8, 1}, {"BL", 9, 2}}},
    {"TabsSeparate", "\tINC\tAL\n", {{"INC", 1, 3}, {"AL", 5, 2}}},
    {"CommentAtLineStartKeepsCase", "; MiXed\n", {{"# MiXed", 0, 7}}},
    {"IndentedComment", "  ; Hello\n", {{"; Hello", 2, 7}}},
    {"CommentAfterCode", "INC AL ; Hello\n", {{"INC", 0, 3}, {"AL", 4, 2}, {"; Hello", 7, 7}}},
    {"CommentRightAfterWord", "INC AL;x\n", {{"INC", 0, 3}, {"AL", 4, 2}, {";x", 6, 2}}},
    {"CommentOnSecondLine", "NOP\n;c\n", {{"NOP", 0, 3}, {"#c", 5, 2}}},
    {"LoneSemicolonLooksLikeBlankLine", ";\nEND\n", {{"#", 0, 1}, {"END", 3, 3}}},
    {"CommentKeepsQuotesAndSigns",
     "NOP ; say \"hi\", [x]\n",
     {{"NOP", 0, 3}, {"; say \"hi\", [x]", 4, 15}}},
    {"BlankLineMarkerButNotOnFirstLine",
     "\nINC AL\n\nEND\n",
     {{"INC", 2, 3}, {"AL", 6, 2}, {"#", 6, 0}, {"END", 12, 3}}},
    {"BlankLineAfterString", "DB \"a\"\n\n", {{"DB", 0, 2}, {"\"A\"", 3, 2}, {"#", 3, 0}}},
    {"LineOfBlanksMakesNothing",
     "INC AL\n   \n\tEND\n",
     {{"INC", 0, 3}, {"AL", 4, 2}, {"END", 14, 3}}},
    {"OnlyBlanksAndLineBreaks", "  \n \n\n\n", {{"#", 0, 0}, {"#", 0, 0}}},
    {"StringHoldsCommaSemicolonAndSpaces", "DB \"a,b; c\"\n", {{"DB", 0, 2}, {"\"A,B; C\"", 3, 7}}},
    {"UnterminatedStringEndsAtLineBreak",
     "DB \"abc\nEND\n",
     {{"DB", 0, 2}, {"\"ABC", 3, 4}, {"END", 9, 3}}},
    {"WordThenStringWithoutSpace", "ab\"cd\"\n", {{"AB", 0, 2}, {"\"CD\"", 2, 3}}},
    {"StringThenWordWithoutSpace", "\"ab\"cd\n", {{"\"AB\"", 0, 3}, {"CD", 4, 2}}},
    {"NulAndHighBytesAreWordCharacters",
     std::string("a\0b \xE9z\xC9\n", 8),
     {{std::string("A\0B", 3), 0, 3}, {"\xE9Z\xC9", 4, 3}}},
    {"NulInsideString",
     std::string("DB \"\0\"\n", 7),
     {{"DB", 0, 2}, {std::string("\"\0\"", 3), 3, 2}}},
};

INSTANTIATE_TEST_SUITE_P(Cases, Tokeniser, testing::ValuesIn(TokeniserCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(TokenList, ShowsEachTokenAsItWasMade) {
    TestMachine m("MOV AL,[15]\nEND\n");
    ASSERT_TRUE(m.Assemble());
    EXPECT_EQ(m.ui.TokenLines(),
              (std::vector<std::string>{"MOV", "AL", ",", "[", "15", "]", "END"}));
    EXPECT_EQ(m.machine.TokenList[4]->Text, "[15]"); // the cell text, bracketed later
}

TEST(BlockRead, NoErrorWhenTheSavedTextMatchesTheEditor) {
    TestMachine m("NOP\nEND\n");
    Tokenise(m);
    EXPECT_TRUE(m.ui.MessageBoxes().empty());
}

// Saving writes the last line's line break, so a source without one loses nothing.
TEST(BlockRead, MissingFinalLineBreakLosesNothing) {
    TestMachine m("NOP\nEND");
    EXPECT_EQ(Tokenise(m), Tokenise("NOP\nEND\n"));
    EXPECT_TRUE(m.ui.MessageBoxes().empty());
}

std::string Repeated(std::string_view line, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += line;
    }
    return text;
}

TEST(BlockRead, ExactlyTheBufferSizeIsReadWhole) {
    // 6552 lines of five bytes and one of eight, CR LF included: 32768 bytes.
    TestMachine m(Repeated("NOP\n", 6552) + "INC AL\n");
    const std::vector<Token> tokens = Tokenise(m);
    ASSERT_EQ(tokens.size(), 6554u);
    EXPECT_EQ(tokens.back(), (Token{"AL", 32764, 2}));
    EXPECT_TRUE(m.ui.MessageBoxes().empty());
}

TEST(BlockRead, OnlyTheFirst32768BytesAreTokenised) {
    TestMachine m(Repeated("NOP\n", 6553) + "INC AL\n");
    const std::vector<Token> tokens = Tokenise(m);
    ASSERT_EQ(tokens.size(), 6554u);
    EXPECT_EQ(tokens.back(), (Token{"INC", 32765, 3}));
    EXPECT_EQ(m.ui.MessageBoxes(), std::vector<std::string>{"Block read error"});
}

} // namespace
