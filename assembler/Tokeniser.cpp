#include "core/Assem.h"

namespace {

constexpr size_t SourceBufferSize = 32768;

bool IsCommentText(const std::string& text) {
    return !text.empty() && (text[0] == ';' || text[0] == '#');
}

void UpperCaseAscii(std::string& text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
}

} // namespace

void Taaa::SelectTokenLine(int32_t index) {
    if (Ui.AsmLogEnabled() && !TokenList.empty()) {
        Ui.WatchToken(index);
    }
}

tokNode* Taaa::CurrentToken() {
    if (TokenList.empty()) {
        return nullptr;
    }
    const int32_t last = static_cast<int32_t>(TokenList.size()) - 1;
    const int32_t index = TokenIndex < last ? TokenIndex : last;
    SelectTokenLine(index);
    return TokenList[index];
}

tokNode* Taaa::PreviousToken() {
    if (TokenList.empty()) {
        return nullptr;
    }
    const int32_t last = static_cast<int32_t>(TokenList.size()) - 1;
    SelectTokenLine(TokenIndex < last ? TokenIndex : last);
    const int32_t previous = TokenIndex - 1;
    return (previous >= 0 && previous <= last) ? TokenList[previous] : TokenList[last];
}

const std::string& Taaa::CurrentText() {
    static const std::string empty;
    const tokNode* token = CurrentToken();
    return token ? token->Text : empty;
}

tokNode* Taaa::TokenAt(int32_t i) {
    if (i < 0 || i >= static_cast<int32_t>(TokenList.size())) {
        return nullptr;
    }
    SelectTokenLine(i);
    return TokenList[i];
}

// Makes a token of text (nothing when it is empty) and resets the scan's text.
void Taaa::MakeToken(std::string& text, int32_t start, int32_t length) {
    if (text.empty()) {
        return;
    }
    tokNode& node = Tokens.Make();
    node.SrcStart = start;
    node.SrcLength = length;
    if (!IsCommentText(text)) {
        UpperCaseAscii(text);
    }
    node.Text = std::move(text);
    text.clear();
    TokenList.push_back(&node);
    Ui.TokenAdded(node.Text);
    SelectTokenLine(static_cast<int32_t>(TokenList.size()) - 1);
}

bool Taaa::MakeTokens() {
    AsmLog("Convert source to tokens.");
    TokenList.clear();
    Ui.ClearTokenList();

    std::string bytes;
    if (!Ui.ReadSourceFile(bytes, SourceBufferSize)) {
        return false;
    }
    if (bytes.size() > SourceBufferSize) {
        bytes.resize(SourceBufferSize);
    }
    if (static_cast<int64_t>(bytes.size()) != Ui.SourceTextLength()) {
        ReportBox("Block read error");
    }

    std::string t;
    int32_t s = 0;
    int32_t n = 0;
    int32_t c = 0;
    bool word = false;
    bool comment = false;
    bool string = false;
    bool lineEnd = false;
    auto finish = [&] {
        if (!t.empty()) {
            MakeToken(t, s, n);
            n = 0;
            word = comment = string = false;
        }
    };
    auto single = [&](char b, int32_t p) {
        std::string sign(1, b);
        MakeToken(sign, p, 1);
        n = 0;
        word = comment = string = false;
    };

    const int32_t size = static_cast<int32_t>(bytes.size());
    for (int32_t p = 0; p < size; ++p) {
        const char b = bytes[p];
        switch (b) {
        case '\t':
        case ' ':
            lineEnd = false;
            if (string || comment) {
                t += b;
            } else if (word) {
                finish();
            }
            break;
        case '\n':
        case '\r':
            c = -1;
            if (string || comment || word) {
                finish();
            } else if (lineEnd) {
                if (b == '\r') {
                    std::string marker = "#";
                    MakeToken(marker, s, 0);
                    n = 0;
                }
            } else {
                lineEnd = true;
            }
            break;
        case '"':
            lineEnd = false;
            if (comment) {
                t += b;
            } else if (string) {
                string = false;
                t += b;
                finish();
            } else {
                if (word) {
                    finish();
                }
                string = true;
                t = "\"";
                s = p;
                n = 0;
            }
            break;
        case ',':
        case '[':
        case ']':
            lineEnd = false;
            if (string || comment) {
                t += b;
            } else {
                if (word) {
                    finish();
                }
                single(b, p);
            }
            break;
        case ';':
            lineEnd = false;
            if (string || comment) {
                t += b;
            } else {
                if (word) {
                    finish();
                }
                t = (c == 0) ? "#" : ";";
                comment = true;
                s = p;
                n = 0;
            }
            break;
        default:
            t += b;
            if (!string && !comment && !word) {
                word = true;
                s = p;
                n = 0;
            }
            break;
        }
        ++c;
        ++n;
    }
    finish();
    Ui.SelectSource(0, 0);
    return true;
}
