#include <string_view>

#include "assembler/RegisterText.h"
#include "core/Assem.h"

namespace {

enum class FamilyParser {
    OneRegister,
    TwoOperand,
    Move,
    Compare,
    Port,
    OneNumber,
    Origin,
    Data,
    NoOperand,
    Jump
};

struct Mnemonic {
    std::string_view Text;
    FamilyParser Parser;
};

// Tried in this order; the first that equals the current token wins.
constexpr Mnemonic Mnemonics[] = {
    {"MOV", FamilyParser::Move},         {"ADD", FamilyParser::TwoOperand},
    {"SUB", FamilyParser::TwoOperand},   {"MUL", FamilyParser::TwoOperand},
    {"DIV", FamilyParser::TwoOperand},   {"MOD", FamilyParser::TwoOperand},
    {"AND", FamilyParser::TwoOperand},   {"OR", FamilyParser::TwoOperand},
    {"XOR", FamilyParser::TwoOperand},   {"ROL", FamilyParser::OneRegister},
    {"ROR", FamilyParser::OneRegister},  {"SHL", FamilyParser::OneRegister},
    {"SHR", FamilyParser::OneRegister},  {"INC", FamilyParser::OneRegister},
    {"DEC", FamilyParser::OneRegister},  {"NOT", FamilyParser::OneRegister},
    {"PUSH", FamilyParser::OneRegister}, {"POP", FamilyParser::OneRegister},
    {"CALL", FamilyParser::OneNumber},   {"INT", FamilyParser::OneNumber},
    {"ORG", FamilyParser::Origin},       {"DB", FamilyParser::Data},
    {"JMP", FamilyParser::Jump},         {"JZ", FamilyParser::Jump},
    {"JNZ", FamilyParser::Jump},         {"JO", FamilyParser::Jump},
    {"JNO", FamilyParser::Jump},         {"JS", FamilyParser::Jump},
    {"JNS", FamilyParser::Jump},         {"CMP", FamilyParser::Compare},
    {"RET", FamilyParser::NoOperand},    {"IRET", FamilyParser::NoOperand},
    {"PUSHF", FamilyParser::NoOperand},  {"POPF", FamilyParser::NoOperand},
    {"HALT", FamilyParser::NoOperand},   {"NOP", FamilyParser::NoOperand},
    {"CLI", FamilyParser::NoOperand},    {"STI", FamilyParser::NoOperand},
    {"CLO", FamilyParser::NoOperand},    {"IN", FamilyParser::Port},
    {"OUT", FamilyParser::Port},
};

} // namespace

void Taaa::AsmLog(std::string_view text) {
    if (Settings.AsmLog) {
        Ui.AsmLogLine(text);
    }
}

bool Taaa::MightHaveComment() {
    AsmLog("Might have comment");
    const std::string& text = CurrentText();
    if (!text.empty() && (text[0] == '#' || text[0] == ';')) {
        Advance();
        return true;
    }
    return false;
}

bool Taaa::MightHave(std::string_view keyword) {
    if (Settings.AsmLog) {
        AsmLog("Might have " + std::string(keyword));
    }
    if (CurrentText() == keyword) {
        Advance();
        return true;
    }
    return false;
}

bool Taaa::MustHave(std::string_view sign) {
    if (Settings.AsmLog) {
        AsmLog("Must have " + std::string(sign));
    }
    if (CurrentText() == sign) {
        Advance();
        return true;
    }
    ReportError("Expected " + std::string(sign) + "  Got " + CurrentText(), CurrentToken());
    return false;
}

bool Taaa::MightHaveRegister() {
    AsmLog("Might have register");
    static constexpr std::string_view Names[] = {"AL", "BL", "CL", "DL"};
    const std::string& text = CurrentText();
    for (int code = 0; code < 4; ++code) {
        if (text == Names[code]) {
            tokNode* token = CurrentToken();
            token->Value = static_cast<int16_t>(code);
            token->HexText = HexByte(code);
            token->BinText = BinaryText(code);
            Advance();
            return true;
        }
    }
    return false;
}

bool Taaa::MightHaveHexNumber() {
    AsmLog("Might have hex num");
    const std::string& text = CurrentText();
    if (text.empty() || text.size() > 2) {
        return false;
    }
    int value = 0;
    for (char c : text) {
        const int digit = HexDigitValue(c);
        if (digit < 0) {
            return false;
        }
        value = value * 16 + digit;
    }
    CurrentToken()->SetValue(value);
    Advance();
    return true;
}

void Taaa::EmitByte(tokNode& token) {
    if (CodeAddress >= 256) {
        ReportError("Can not generate code beyond the end of RAM.", CurrentToken());
        return;
    }
    if (Machine.SourceToken(CodeAddress)) {
        ReportError("Can not overwrite code already generated.", CurrentToken());
        return;
    }
    if (Settings.AsmLog) {
        AsmLog("Generate machine code: " + token.Text + "\t" + HexByte(token.Value));
    }
    Machine.PlaceToken(CodeAddress, token);
    ++CodeAddress;
}

void Taaa::ParseComment(const std::string& text) {
    if (text[0] == '#') {
        AddListLine(text.size() == 1 ? ListLines::Blank() : ";" + text.substr(1));
        return;
    }
    if (CommentAppended) {
        AddListLine(ListLines::OwnTrailingComment(text));
    } else {
        List.AppendToLastLine("\t" + text);
        Ui.ListFileChanged();
    }
    CommentAppended = true;
}

bool Taaa::ParseMnemonic() {
    for (const Mnemonic& mnemonic : Mnemonics) {
        if (!MightHave(mnemonic.Text)) {
            continue;
        }
        tokNode& token = *PreviousToken();
        switch (mnemonic.Parser) {
        case FamilyParser::OneRegister:
            ParseOneRegister(token);
            break;
        case FamilyParser::TwoOperand:
            ParseTwoOperand(token);
            break;
        case FamilyParser::Move:
            ParseMove(token);
            break;
        case FamilyParser::Compare:
            ParseCompare(token);
            break;
        case FamilyParser::Port:
            ParsePort(token);
            break;
        case FamilyParser::OneNumber:
            ParseOneNumber(token);
            break;
        case FamilyParser::Origin:
            ParseOrigin(token);
            break;
        case FamilyParser::Data:
            ParseData(token);
            break;
        case FamilyParser::NoOperand:
            ParseNoOperand(token);
            break;
        case FamilyParser::Jump:
            ParseJump(token);
            break;
        }
        return true;
    }
    return false;
}

void Taaa::ParseEnd(tokNode& token) {
    token.SetValue(0);
    EmitByte(token);
    EndSeen = true;
    AddListLine(ListLines::Instruction("END", "", (CodeAddress - 1) & 0xFF, {token.HexText}));
}

void Taaa::ParseTokens() {
    Machine.ClearCells();
    List.Clear();
    for (const char* line :
         {"; LIST FILE", ";", "; This shows the machine code that was generated and",
          "; the addresses at which the codes were stored.", ";"}) {
        AddListLine(line);
    }
    CodeAddress = 0;
    Machine.NoError = true;
    TokenIndex = 0;
    EndSeen = false;

    const auto count = static_cast<int32_t>(TokenList.size());
    while (TokenIndex < count && !EndSeen) {
        tokNode* remembered = CurrentToken();
        const std::string text = CurrentText();
        if (MightHaveComment()) {
            ParseComment(text);
            continue;
        }
        if (ParseMnemonic()) {
            continue;
        }
        if (MightHave("END")) {
            ParseEnd(*remembered);
            continue;
        }
        if (MightHaveDestLabel()) {
            AddListLine(ListLines::Label(PreviousToken()->Text));
            continue;
        }
        if (Machine.NoError) {
            ReportError("Expected a comment, label or machine instruction.  Got " + CurrentText() +
                            ".",
                        CurrentToken());
        }
        return;
    }
    FinishParse();
}

void Taaa::FinishParse() {
    if (!EndSeen) {
        ReportError("Expected  END  at the end of the source code.", CurrentToken());
        return;
    }
    if (Machine.NoError) {
        AsmLog("FINISHED - SUCCESS");
    }
    FillEmptyCells();
}

void Taaa::AddSuccessLines() {
    AddListLine(";");
    AddListLine("; SUCCESS : No errors found.");
    List.AppendToFirstLine(" : SUCCESS : No errors found.");
    Ui.ListFileChanged();
}

void Taaa::FillEmptyCells() {
    for (int address = 0; address < 256; ++address) {
        if (Machine.SourceToken(address)) {
            continue;
        }
        tokNode& filler = Tokens.Make();
        if (address >= VduStart) {
            filler.SetValue(0x20);
            filler.Text = " ";
        }
        Machine.PlaceToken(address, filler);
    }
}
