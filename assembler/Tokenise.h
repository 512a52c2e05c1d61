#pragma once

// The tokeniser as a pure function: source bytes in, tokens with their places out. The
// assembler makes its token list from it, and a syntax highlighter can call it on every
// keystroke, as it touches nothing but its argument.
//
//     for (const Token& token : Tokenise("mov al,15 ; load\r\n")) {
//         Paint(token.Start, token.Length, ColourOf(token.Kind));
//     }
//
// Offsets count bytes, so a CR LF line break is two.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class TokenKind {
    Word,      // mnemonics, registers, numbers, labels: upper-cased
    Sign,      // , [ ]
    String,    // "text" with its quotes, as written
    Comment,   // ; to the line's end as written; "#" instead of ";" at a line's start
    BlankLine, // "#" of length 0 at the start of the token before a blank line
};

struct Token {
    std::string Text;
    int32_t Start = 0;
    int32_t Length = 0;
    TokenKind Kind = TokenKind::Word;
    bool operator==(const Token&) const = default;
};

std::vector<Token> Tokenise(std::string_view bytes);
