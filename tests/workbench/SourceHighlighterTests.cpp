#include <QApplication>
#include <QTextBlock>
#include <QTextLayout>

#include "WorkbenchFixture.h"
#include "workbench/ButtonFace.h"
#include "workbench/SourceHighlighter.h"
#include "workbench/Themes.h"

namespace {

using C = SourceClass;

struct LineCase {
    const char* Line;
    std::vector<ClassifiedSpan> Spans;
};

class ClassifyLineTest : public testing::TestWithParam<LineCase> {};

TEST_P(ClassifyLineTest, EachTokenGetsItsClass) {
    EXPECT_EQ(ClassifyLine(GetParam().Line), GetParam().Spans);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ClassifyLineTest,
    testing::Values(
        LineCase{
            "\tmov al,15 ; load",
            {{1, 3, C::Mnemonic}, {5, 2, C::Register}, {8, 2, C::Number}, {11, 6, C::Comment}}},
        LineCase{"start: JMP start",
                 {{0, 6, C::Label}, {7, 3, C::Mnemonic}, {11, 5, C::LabelReference}}},
        // A jump's operand names a label even where it looks like a number or a register.
        LineCase{"jz ff", {{0, 2, C::Mnemonic}, {3, 2, C::LabelReference}}},
        LineCase{"MOV [bl],CL", {{0, 3, C::Mnemonic}, {5, 2, C::Register}, {9, 2, C::Register}}},
        LineCase{"ORG 50", {{0, 3, C::Directive}, {4, 2, C::Number}}},
        LineCase{"DB \"Hi; there\"", {{0, 2, C::Directive}, {3, 11, C::String}}},
        LineCase{"end", {{0, 3, C::Directive}}},
        LineCase{"halt ; \"quoted\" in a comment", {{0, 4, C::Mnemonic}, {5, 23, C::Comment}}},
        // Three hex digits are no byte; a word the assembler would refuse stays plain.
        LineCase{"MOV AL,100", {{0, 3, C::Mnemonic}, {4, 2, C::Register}}}, LineCase{"", {}}));

TEST(SourceColours, EveryClassHasItsOwnReadableColour) {
    const QColor backgrounds[] = {QApplication::palette().color(QPalette::Base), ButtonFace()};
    std::vector<QRgb> colours;
    for (const SourceColour& entry : SourceColours()) {
        colours.push_back(entry.Colour.rgb());
        for (const QColor& background : backgrounds) {
            EXPECT_GE(ContrastRatio(entry.Colour, background), 4.5)
                << entry.Colour.name().toStdString() << " on " << background.name().toStdString();
        }
    }
    EXPECT_EQ(colours.size(), 8u); // every class but Plain
    std::sort(colours.begin(), colours.end());
    EXPECT_EQ(std::adjacent_find(colours.begin(), colours.end()), colours.end());
}

QColor ColourOf(C kind) {
    for (const SourceColour& entry : SourceColours()) {
        if (entry.Class == kind) {
            return entry.Colour;
        }
    }
    return {};
}

// The colour the editor paints at a character of a line.
QColor PaintedAt(const QPlainTextEdit& editor, int line, int column) {
    const QTextBlock block = editor.document()->findBlockByNumber(line);
    for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
        if (column >= range.start && column < range.start + range.length) {
            return range.format.foreground().color();
        }
    }
    return {};
}

using HighlightTest = WorkbenchTest;

// Latin-1 bytes stay as they were, and colouring is no edit: nothing to undo, nothing to save,
// nothing to assemble again.
TEST_F(HighlightTest, TheEditorIsColouredWithoutAnEdit) {
    Open("colours.asm", "MOV AL,15\t; \xE9t\xE9\r\nstart:\r\nJMP start\r\nEND\r\n");
    ASSERT_TRUE(Assemble());
    const QTextDocument* document = form->memoSource->document();
    EXPECT_EQ(PaintedAt(*form->memoSource, 0, 0), ColourOf(C::Mnemonic));
    EXPECT_EQ(PaintedAt(*form->memoSource, 0, 11), ColourOf(C::Comment));
    EXPECT_EQ(PaintedAt(*form->memoSource, 2, 4), ColourOf(C::LabelReference));
    EXPECT_EQ(PaintedAt(*form->memoSource, 3, 0), ColourOf(C::Directive));
    EXPECT_EQ(document->toPlainText().toLatin1(),
              "MOV AL,15\t; \xE9t\xE9\nstart:\nJMP start\nEND\n");
    EXPECT_FALSE(document->isUndoAvailable());
    EXPECT_FALSE(document->isModified());
    EXPECT_FALSE(form->Machine().Machine.NeedsAssembly);
}

} // namespace
