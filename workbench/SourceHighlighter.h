#pragma once

#include <QColor>
#include <QSyntaxHighlighter>
#include <span>
#include <string_view>
#include <vector>

// What a piece of a source line is, as the assembler would read it.
enum class SourceClass {
    Plain, // signs, and words that are none of the others
    Mnemonic,
    Register,
    Number,
    Label,          // "name:" where a label is defined
    LabelReference, // the name a jump goes to
    Comment,
    String,
    Directive, // ORG, DB, END
};

struct ClassifiedSpan {
    int Start = 0; // characters from the line's start
    int Length = 0;
    SourceClass Class = SourceClass::Plain;
    bool operator==(const ClassifiedSpan&) const = default;
};

// The line's tokens, each with its class; plain signs are left out.
std::vector<ClassifiedSpan> ClassifyLine(std::string_view line);

struct SourceColour {
    SourceClass Class;
    QColor Colour;
};

// One colour for every class but Plain in the theme shown, each readable on the editor's
// backgrounds in that theme.
std::span<const SourceColour> SourceColours();

// Colours the source editor a line at a time with the engine's own tokeniser. Strings and
// comments end with their line, so no line's colours depend on another's and an edit
// colours only the lines it touched. Only the layout's formats change, never the text, so
// neither the undo stack nor the modified mark sees it.
class SourceHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
  public:
    explicit SourceHighlighter(QTextDocument* document);

  protected:
    void highlightBlock(const QString& text) override;
};
