#include "assembler/Tokenise.h"

namespace {

// Comments keep their case, and so does anything else that begins like one.
void UpperCaseUnlessComment(std::string& text) {
    if (text[0] == ';' || text[0] == '#') {
        return;
    }
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
}

// One pass over the bytes; a token ends at a space, a line break, a sign, a quote or a
// semicolon, as its kind says.
class Scanner {
  public:
    std::vector<Token> Run(std::string_view bytes) {
        const int32_t size = static_cast<int32_t>(bytes.size());
        for (int32_t p = 0; p < size; ++p) {
            Take(bytes[p], p);
            ++column_;
            ++length_;
        }
        Finish();
        return std::move(tokens_);
    }

  private:
    // Every byte but a line break or a word's own closes a line end; a word's byte does not,
    // so a CR after "A CR LF B CR" still counts as a blank line.
    void Take(char b, int32_t p) {
        if (b == '\t' || b == ' ' || b == '"' || b == ',' || b == '[' || b == ']' || b == ';') {
            lineEnd_ = false;
        }
        switch (b) {
        case '\t':
        case ' ':
            if (kind_ == TokenKind::String || kind_ == TokenKind::Comment) {
                text_ += b;
            } else {
                Finish();
            }
            break;
        case '\n':
        case '\r':
            LineBreak(b);
            break;
        case '"':
            Quote(b, p);
            break;
        case ',':
        case '[':
        case ']':
            if (InTextOrComment()) {
                text_ += b;
            } else {
                Finish();
                tokens_.push_back({std::string(1, b), p, 1, TokenKind::Sign});
                length_ = 0;
            }
            break;
        case ';':
            if (InTextOrComment()) {
                text_ += b;
            } else {
                Finish();
                Begin(column_ == 0 ? "#" : ";", p, TokenKind::Comment);
            }
            break;
        default:
            if (text_.empty()) {
                Begin("", p, TokenKind::Word);
            }
            text_ += b;
            break;
        }
    }

    bool InTextOrComment() const {
        return !text_.empty() && (kind_ == TokenKind::String || kind_ == TokenKind::Comment);
    }

    void LineBreak(char b) {
        column_ = -1;
        if (!text_.empty()) {
            Finish();
        } else if (lineEnd_) {
            // A CR after a line that ended already marks a blank line.
            if (b == '\r') {
                tokens_.push_back({"#", start_, 0, TokenKind::BlankLine});
                length_ = 0;
            }
        } else {
            lineEnd_ = true;
        }
    }

    void Quote(char b, int32_t p) {
        if (InTextOrComment() && kind_ == TokenKind::Comment) {
            text_ += b;
        } else if (InTextOrComment()) {
            text_ += b;
            Finish();
        } else {
            Finish();
            Begin("\"", p, TokenKind::String);
        }
    }

    void Begin(std::string text, int32_t p, TokenKind kind) {
        text_ = std::move(text);
        start_ = p;
        length_ = 0;
        kind_ = kind;
    }

    void Finish() {
        if (text_.empty()) {
            return;
        }
        UpperCaseUnlessComment(text_);
        tokens_.push_back({std::move(text_), start_, length_, kind_});
        text_.clear();
        length_ = 0;
        kind_ = TokenKind::Word;
    }

    std::vector<Token> tokens_;
    std::string text_;
    TokenKind kind_ = TokenKind::Word;
    int32_t start_ = 0;
    int32_t length_ = 0;
    int32_t column_ = 0;
    bool lineEnd_ = false;
};

} // namespace

std::vector<Token> Tokenise(std::string_view bytes) {
    return Scanner().Run(bytes);
}
