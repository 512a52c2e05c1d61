#include "workbench/SourceHighlighter.h"

#include <algorithm>

#include "assembler/RegisterText.h"
#include "assembler/Tokenise.h"
#include "core/InstructionTable.h"
#include "workbench/Themes.h"

namespace {

const Instruction* FindMnemonic(std::string_view word) {
    const std::span<const Instruction> table = InstructionTable();
    const auto found = std::find_if(table.begin(), table.end(),
                                    [word](const Instruction& i) { return i.Mnemonic == word; });
    return found == table.end() ? nullptr : &*found;
}

bool IsHexNumber(std::string_view word) {
    return !word.empty() && word.size() <= 2 &&
           std::all_of(word.begin(), word.end(), [](char c) { return HexDigitValue(c) >= 0; });
}

// A word after a jump's mnemonic names a label, whatever it looks like.
SourceClass ClassOfWord(std::string_view word, bool afterJump) {
    if (word == "ORG" || word == "DB" || word == "END") {
        return SourceClass::Directive;
    }
    if (FindMnemonic(word)) {
        return SourceClass::Mnemonic;
    }
    if (afterJump) {
        return SourceClass::LabelReference;
    }
    if (word == "AL" || word == "BL" || word == "CL" || word == "DL") {
        return SourceClass::Register;
    }
    if (word.ends_with(':')) {
        return SourceClass::Label;
    }
    return IsHexNumber(word) ? SourceClass::Number : SourceClass::Plain;
}

SourceClass ClassOf(const Token& token, bool afterJump) {
    switch (token.Kind) {
    case TokenKind::Word:
        return ClassOfWord(token.Text, afterJump);
    case TokenKind::String:
        return SourceClass::String;
    case TokenKind::Comment:
        return SourceClass::Comment;
    case TokenKind::Sign:
    case TokenKind::BlankLine:
        break;
    }
    return SourceClass::Plain;
}

bool IsJump(const Token& token) {
    const Instruction* instruction =
        token.Kind == TokenKind::Word ? FindMnemonic(token.Text) : nullptr;
    return instruction && instruction->Layout == OperandLayout::Distance;
}

} // namespace

std::vector<ClassifiedSpan> ClassifyLine(std::string_view line) {
    std::vector<ClassifiedSpan> spans;
    bool afterJump = false;
    for (const Token& token : Tokenise(line)) {
        const SourceClass kind = ClassOf(token, afterJump);
        // A string's token stops before its closing quote; its text holds both quotes.
        const int32_t length =
            kind == SourceClass::String ? static_cast<int32_t>(token.Text.size()) : token.Length;
        if (kind != SourceClass::Plain) {
            spans.push_back({token.Start, length, kind});
        }
        afterJump = IsJump(token);
    }
    return spans;
}

std::span<const SourceColour> SourceColours() {
    return ShownTheme().Source;
}

SourceHighlighter::SourceHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {}

void SourceHighlighter::highlightBlock(const QString& text) {
    const QByteArray bytes = text.toLatin1();
    for (const ClassifiedSpan& span :
         ClassifyLine(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())))) {
        const std::span<const SourceColour> colours = SourceColours();
        const auto colour =
            std::find_if(colours.begin(), colours.end(),
                         [&](const SourceColour& c) { return c.Class == span.Class; });
        setFormat(span.Start, span.Length, colour->Colour);
    }
}
