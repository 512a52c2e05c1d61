#include "assembler/SourceText.h"
#include "assembler/Tokenise.h"
#include "core/Assem.h"

void Taaa::SelectTokenLine(int32_t index) {
    if (Settings.AsmLog && !TokenList.empty()) {
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

bool Taaa::MakeTokens() {
    AsmLog("Convert source to tokens.");
    TokenList.clear();
    Ui.ClearTokenList();

    std::string bytes;
    if (!Ui.ReadSourceFile(bytes, AssembledSourceBytes)) {
        return false;
    }
    if (bytes.size() > AssembledSourceBytes) {
        bytes.resize(AssembledSourceBytes);
    }
    if (static_cast<int64_t>(bytes.size()) != Ui.SourceTextLength()) {
        ReportBox("Block read error");
    }
    for (Token& token : Tokenise(bytes)) {
        tokNode& node = Tokens.Make();
        node.SrcStart = token.Start;
        node.SrcLength = token.Length;
        node.Text = std::move(token.Text);
        TokenList.push_back(&node);
        Ui.TokenAdded(node.Text);
        SelectTokenLine(static_cast<int32_t>(TokenList.size()) - 1);
    }
    Report.Select(0, 0);
    return true;
}
