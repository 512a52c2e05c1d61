#include "core/Assem.h"
#include "core/InstructionTable.h"

namespace {

const char* const ExpectedRegister = "Expected AL, BL, CL or DL.  Got ";
const char* const ExpectedNumberOrRegister =
    "Expected a hexadecimal number, AL, BL, CL or DL.  Got ";
const char* const ExpectedNumber = "Expected a hexadecimal number.  Got ";

std::string OperandText(const std::vector<tokNode*>& operands) {
    std::string text;
    for (size_t i = 0; i < operands.size(); ++i) {
        if (i > 0) {
            text += ',';
        }
        text += operands[i]->Text;
    }
    return text;
}

} // namespace

void Taaa::Bracket(tokNode& token) {
    token.Text = "[" + token.Text + "]";
}

void Taaa::PlaceInstruction(tokNode& mnemonic, uint8_t opcode, std::vector<tokNode*> operands,
                            bool endsWithBracket) {
    mnemonic.SetValue(opcode);
    EmitByte(mnemonic);
    for (tokNode* operand : operands) {
        EmitByte(*operand);
    }
    if (!operands.empty()) {
        const tokNode& last = *operands.back();
        mnemonic.SrcLength =
            last.SrcStart + last.SrcLength - mnemonic.SrcStart + (endsWithBracket ? 1 : 0);
    }
    std::vector<std::string_view> bytes{mnemonic.HexText};
    for (const tokNode* operand : operands) {
        bytes.push_back(operand->HexText);
    }
    const int length = static_cast<int>(bytes.size());
    AddListLine(ListLines::Instruction(mnemonic.Text, OperandText(operands),
                                       (CodeAddress - length) & 0xFF, bytes));
}

void Taaa::ParseOneRegister(tokNode& mnemonic) {
    if (!MightHaveRegister()) {
        ReportError(ExpectedRegister + CurrentText(), CurrentToken());
        return;
    }
    PlaceInstruction(mnemonic, OpcodeOf(mnemonic.Text, OperandLayout::Register), {PreviousToken()});
}

tokNode* Taaa::RegisterAndComma() {
    if (!MightHaveRegister()) {
        ReportError(ExpectedRegister + CurrentText(), CurrentToken());
        return nullptr;
    }
    tokNode* first = PreviousToken();
    return MustHave(",") ? first : nullptr;
}

void Taaa::ParseTwoOperand(tokNode& mnemonic) {
    tokNode* first = RegisterAndComma();
    if (!first) {
        return;
    }
    OperandLayout layout;
    if (MightHaveHexNumber()) {
        layout = OperandLayout::RegisterNumber;
    } else if (MightHaveRegister()) {
        layout = OperandLayout::RegisterPair;
    } else {
        ReportError(ExpectedNumberOrRegister + CurrentText(), CurrentToken());
        return;
    }
    PlaceInstruction(mnemonic, OpcodeOf(mnemonic.Text, layout), {first, PreviousToken()});
}

void Taaa::ParseMove(tokNode& mnemonic) {
    if (MightHaveRegister()) {
        tokNode* first = PreviousToken();
        if (!MustHave(",")) {
            return;
        }
        if (MightHaveRegister()) {
            tokNode* second = PreviousToken();
            ReportError("Command not available.  Use PUSH " + second->Text + " POP " + first->Text +
                            " instead of MOV " + first->Text + "," + second->Text,
                        second);
            return;
        }
        if (MightHaveHexNumber()) {
            PlaceInstruction(mnemonic, 0xD0, {first, PreviousToken()});
            return;
        }
        if (MightHave("[")) {
            uint8_t opcode;
            if (MightHaveHexNumber()) {
                opcode = 0xD1;
            } else if (MightHaveRegister()) {
                opcode = 0xD3;
            } else {
                ReportError(ExpectedNumberOrRegister + CurrentText(), CurrentToken());
                return;
            }
            tokNode* inside = PreviousToken();
            if (!MustHave("]")) {
                return;
            }
            Bracket(*inside);
            PlaceInstruction(mnemonic, opcode, {first, inside}, true);
            return;
        }
        ReportError("Expected a hexadecimal number or '['  Got " + CurrentText(), CurrentToken());
        return;
    }
    if (MightHave("[")) {
        uint8_t opcode;
        const char* noRegister;
        if (MightHaveHexNumber()) {
            opcode = 0xD2;
            noRegister = ExpectedRegister;
        } else if (MightHaveRegister()) {
            opcode = 0xD4;
            noRegister = "Expected AL, BL, CL or DL  Got ";
        } else {
            ReportError("Expected a hexadecimal number, AL, BL, CL or DL  Got " + CurrentText(),
                        CurrentToken());
            return;
        }
        tokNode* inside = PreviousToken();
        if (!MustHave("]") || !MustHave(",")) {
            return;
        }
        if (!MightHaveRegister()) {
            ReportError(noRegister + CurrentText(), CurrentToken());
            return;
        }
        tokNode* source = PreviousToken();
        Bracket(*inside);
        PlaceInstruction(mnemonic, opcode, {inside, source});
        return;
    }
    ReportError("Expected AL, BL, CL, DL or '['  Got " + CurrentText(), CurrentToken());
}

void Taaa::ParseCompare(tokNode& mnemonic) {
    tokNode* first = RegisterAndComma();
    if (!first) {
        return;
    }
    if (MightHaveRegister()) {
        PlaceInstruction(mnemonic, 0xDA, {first, PreviousToken()});
    } else if (MightHaveHexNumber()) {
        PlaceInstruction(mnemonic, 0xDB, {first, PreviousToken()});
    } else if (MightHave("[")) {
        if (!MightHaveHexNumber()) {
            ReportError(ExpectedNumber + CurrentText(), CurrentToken());
            return;
        }
        tokNode* address = PreviousToken();
        if (!MustHave("]")) {
            return;
        }
        Bracket(*address);
        PlaceInstruction(mnemonic, 0xDC, {first, address}, true);
    } else {
        ReportError(ExpectedRegister + CurrentText(), CurrentToken());
    }
}

void Taaa::ParsePort(tokNode& mnemonic) {
    const uint8_t opcode = OpcodeOf(mnemonic.Text, OperandLayout::Port);
    mnemonic.SetValue(opcode);
    if (!MightHaveHexNumber()) {
        ReportError(ExpectedNumber + CurrentText(), CurrentToken());
        return;
    }
    PlaceInstruction(mnemonic, opcode, {PreviousToken()});
}

void Taaa::ParseOneNumber(tokNode& mnemonic) {
    if (!MightHaveHexNumber()) {
        ReportError(ExpectedNumber + CurrentText(), CurrentToken());
        return;
    }
    PlaceInstruction(mnemonic, OpcodeOf(mnemonic.Text, OperandLayout::Address), {PreviousToken()});
}

void Taaa::ParseOrigin(tokNode&) {
    if (!MightHaveHexNumber()) {
        ReportError(ExpectedNumber + CurrentText(), CurrentToken());
        return;
    }
    const tokNode* number = PreviousToken();
    CodeAddress = number->Value & 0xFF;
    AddListLine(ListLines::Origin(number->Text));
}

void Taaa::ParseData(tokNode& mnemonic) {
    if (MightHaveHexNumber()) {
        tokNode& number = *PreviousToken();
        EmitByte(number);
        AddListLine(
            ListLines::Instruction("DB", number.Text, (CodeAddress - 1) & 0xFF, {number.HexText}));
        return;
    }
    const std::string& text = CurrentText();
    if (!text.empty() && text[0] == '"') {
        ParseDataString(mnemonic);
        return;
    }
    ReportError("Expected a hexadecimal number or \"text string\".  Got " + text, CurrentToken());
}

void Taaa::ParseDataString(tokNode&) {
    tokNode& string = *CurrentToken();
    const std::string text = string.Text;
    if (text.size() < 2 || text.back() != '"') {
        ReportError("Missing closing quote.  " + text, &string);
        return;
    }
    string.SrcLength += 1;
    for (size_t i = 1; i + 1 < text.size(); ++i) {
        tokNode& character = Tokens.Make();
        character.Text = std::string(1, text[i]);
        character.SrcStart = string.SrcStart;
        character.SrcLength = string.SrcLength;
        character.SetValue(static_cast<unsigned char>(text[i]));
        EmitByte(character);
        const int address = (CodeAddress - 1) & 0xFF;
        AddListLine(
            i == 1 ? ListLines::Instruction("DB", character.Text, address, {character.HexText})
                   : ListLines::StringContinuation(character.Text, address, character.HexText));
    }
    Advance();
}

void Taaa::ParseNoOperand(tokNode& mnemonic) {
    PlaceInstruction(mnemonic, OpcodeOf(mnemonic.Text, OperandLayout::None), {});
}
