// The pure tokeniser, as a syntax highlighter calls it: kinds and places without a machine.
// A string's length leaves out its closing quote, as the editor's selection always has.
#include <gtest/gtest.h>

#include "assembler/Tokenise.h"

namespace {

TEST(Tokenise, GivesEachTokenItsKind) {
    const std::vector<Token> expected = {
        {"MOV", 0, 3, TokenKind::Word},        {"[", 4, 1, TokenKind::Sign},
        {"C0", 5, 2, TokenKind::Word},         {"]", 7, 1, TokenKind::Sign},
        {",", 8, 1, TokenKind::Sign},          {"\"HI\"", 9, 3, TokenKind::String},
        {"; Note", 14, 6, TokenKind::Comment}, {"#", 14, 0, TokenKind::BlankLine},
        {"# Top", 24, 5, TokenKind::Comment},
    };
    EXPECT_EQ(Tokenise("mov [c0],\"hi\" ; Note\r\n\r\n; Top"), expected);
}

// A word's byte does not close a line end, so a CR after "A CR LF B CR" marks a blank line,
// while the same CR after "A CR B CR" does not.
TEST(Tokenise, MixedLineEndsMarkBlankLinesAsTheAssemblerAlwaysHas) {
    const auto markers = [](std::string_view source) {
        int count = 0;
        for (const Token& token : Tokenise(source)) {
            count += token.Kind == TokenKind::BlankLine;
        }
        return count;
    };
    EXPECT_EQ(markers("A\r\nB\r\rC"), 1);
    EXPECT_EQ(markers("A\rB\r\rC"), 0);
    EXPECT_EQ(markers("A\n\nB"), 0);
    EXPECT_EQ(markers(""), 0);
}

} // namespace
