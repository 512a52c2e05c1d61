#include "core/Assem.h"
#include "core/InstructionTable.h"

namespace {

bool IsLetterOrUnderscore(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

const char* const BadLabel =
    "Labels should begin with a character and contain A..Z, a..z, 0..9 or _.";

} // namespace

bool Taaa::IsLabelName(std::string_view text, bool colon) const {
    if (colon && !text.empty()) {
        text.remove_suffix(1);
    }
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (!IsLetterOrUnderscore(c) && (i == 0 || !IsDigit(c))) {
            return false;
        }
    }
    return true;
}

bool Taaa::MightHaveDestLabel() {
    AsmLog("Might have dest' label");
    AsmLog("Search for duplicate label");
    const std::string text = CurrentText();
    if (text.empty() || text.back() != ':') {
        return false;
    }
    if (!IsLabelName(text, true)) {
        ReportError(BadLabel, CurrentToken());
        return false;
    }
    const auto count = static_cast<int32_t>(TokenList.size());
    for (int32_t i = 0; i < count; ++i) {
        const tokNode* token = TokenAt(i);
        if (token->IsDestLabel && token->Text == text) {
            ReportError("Duplicate destination labels are not allowed.", CurrentToken());
            return false;
        }
    }
    tokNode* label = CurrentToken();
    label->Address = static_cast<int16_t>(CodeAddress);
    label->IsDestLabel = true;
    Advance();
    return true;
}

void Taaa::ParseJump(tokNode& mnemonic) {
    if (!IsLabelName(CurrentText(), false)) {
        ReportError(BadLabel, CurrentToken());
        return;
    }
    tokNode& operand = *CurrentToken();
    operand.IsJumpRef = true;
    operand.Address = static_cast<int16_t>(CodeAddress);
    operand.Value = 0;
    operand.HexText = "??";
    operand.BinText = "00000000";
    mnemonic.SetValue(OpcodeOf(mnemonic.Text, OperandLayout::Distance));
    EmitByte(mnemonic);
    EmitByte(operand);
    mnemonic.SrcLength = operand.SrcStart + operand.SrcLength - mnemonic.SrcStart;
    operand.ListPos = List.Length() + (List.Lines().empty() ? 0 : 2);
    AddListLine(ListLines::Instruction(mnemonic.Text, operand.Text, (CodeAddress - 2) & 0xFF,
                                       {mnemonic.HexText, operand.HexText}));
    Advance();
}

void Taaa::CalculateJumps() {
    AsmLog("Calculate jumps");
    const auto count = static_cast<int32_t>(TokenList.size());
    for (int32_t j = 0; j < count; ++j) {
        tokNode* jump = TokenAt(j);
        if (!jump->IsJumpRef) {
            continue;
        }
        bool found = false;
        for (int32_t i = 0; i < count && !found; ++i) {
            tokNode* label = TokenAt(i);
            if (!label->IsDestLabel ||
                std::string_view(label->Text).substr(0, label->Text.size() - 1) != jump->Text) {
                continue;
            }
            found = true;
            const int distance = label->Address - jump->Address;
            if (distance >= 128 || distance < -128) {
                ReportError("Jump can not exceed -128..127  " + jump->Text, jump);
                return;
            }
            if (Settings.AsmLog) {
                AsmLog(jump->Text + " distance = " + std::to_string(distance));
            }
            jump->Address = static_cast<int16_t>(distance);
            jump->SetValue(distance);
            List.PatchJump(jump->ListPos, jump->HexText);
            Ui.ListFileChanged();
        }
        if (!found) {
            ReportError("Jump without a destination.  " + jump->Text, jump);
            return;
        }
    }
}
