#include "workbench/SourceMarks.h"

#include <QListWidget>
#include <QTextBlock>
#include <algorithm>
#include <bitset>

#include "core/Assem.h"
#include "core/Scheduler.h"
#include "workbench/EditorText.h"
#include "workbench/LineGutter.h"
#include "workbench/SourceEditor.h"
#include "workbench/Themes.h"

namespace {

constexpr int MostErrorRowsShown = 4;

void AddTip(LineMark& mark, const QString& tip) {
    mark.Tip += (mark.Tip.isEmpty() ? "" : "\n") + tip;
}

// A token of no length (a blank line's mark) is underlined as far as the word it stands on.
int WordEnd(const QTextDocument& document, int position) {
    while (!document.characterAt(position).isSpace() && !document.characterAt(position).isNull()) {
        ++position;
    }
    return position;
}

} // namespace

SourceMarks::SourceMarks(SourceEditor& editor, const EditorText& text, Taaa& machine,
                         Scheduler& clock, QListWidget& errorList)
    : QObject(&editor), editor_(editor), text_(text), machine_(machine), clock_(clock),
      errorList_(errorList), assembly_(machine.Assemblies), errorsTaken_(machine.Errors.size()),
      lineCount_(editor.blockCount()) {
    connect(editor.document(), &QTextDocument::contentsChange, this,
            [this](int position, int, int) { FollowEdit(position); });
    connect(&errorList, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { SelectError(errorList_.row(item)); });
    connect(&errorList, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { SelectError(errorList_.row(item)); });
    errorList.hide();
}

void SourceMarks::Toggle(int line) {
    breakpoints_.Toggle(line);
    Bind();
}

void SourceMarks::ToggleAtCursor() {
    Toggle(editor_.textCursor().blockNumber());
}

void SourceMarks::ClearBreakpoints() {
    breakpoints_.Clear();
    Bind();
}

void SourceMarks::Forget() {
    breakpoints_.Clear();
    errors_.clear();
    lineCount_ = editor_.blockCount();
    ShowErrors();
    Bind();
}

bool SourceMarks::RunTo(int line) {
    const auto bound = code_.Bind(line + 1);
    if (!bound) {
        return false;
    }
    runToAddress_ = bound->Address;
    Bind();
    return true;
}

std::string SourceMarks::BreakpointStopText() const {
    return code_.BreakpointStopText(machine_.Machine.RegisterLow(IP));
}

void SourceMarks::Follow() {
    if (machine_.Assemblies != assembly_) {
        assembly_ = machine_.Assemblies;
        code_ = CodeLines(machine_.Machine, text_.Source());
        errors_.clear();
        errorsTaken_ = 0;
        ShowErrors();
        Bind();
    }
    if (errorsTaken_ != machine_.Errors.size()) {
        TakeNewErrors();
    }
    if (runToAddress_ && !machine_.Machine.Running && !machine_.AwaitingKey()) {
        runToAddress_.reset(); // a run to the cursor ends with its run, wherever it stopped
        Bind();
    }
    ShowMarks();
}

// Breakpoints move with their lines; an error mark goes once its line is changed.
void SourceMarks::FollowEdit(int position) {
    const int count = editor_.blockCount();
    const QTextBlock block = editor_.document()->findBlock(position);
    breakpoints_.FollowEdit(block.blockNumber(), block.position() == position, count - lineCount_);
    lineCount_ = count;
    const auto changed = std::erase_if(
        errors_, [](const ErrorMark& mark) { return mark.Place.block().text() != mark.LineText; });
    if (changed > 0 || !errors_.empty()) {
        ShowErrors(); // the list names each error's line as it stands now
    }
    ShowMarks();
}

SourceMarks::ErrorMark SourceMarks::MarkError(const ErrorReport& error) const {
    const int start = text_.EditorPosition(*error.SourceStart);
    int end = text_.EditorPosition(int64_t{*error.SourceStart} + error.SourceLength);
    if (end == start) {
        end = WordEnd(*editor_.document(), start);
    }
    QTextCursor place(editor_.document());
    place.setPosition(start);
    place.setPosition(end, QTextCursor::KeepAnchor);
    return {place, QString::fromLatin1(error.Message.data(), qsizetype(error.Message.size())),
            place.block().text()};
}

void SourceMarks::TakeNewErrors() {
    for (; errorsTaken_ < machine_.Errors.size(); ++errorsTaken_) {
        const ErrorReport& error = machine_.Errors[errorsTaken_];
        if (error.OfProgram && error.SourceStart) {
            errors_.push_back(MarkError(error));
        }
    }
    ShowErrors();
}

void SourceMarks::Recolour() {
    ShowErrors();
    editor_.Gutter().update();
}

void SourceMarks::ShowErrors() {
    QList<QTextEdit::ExtraSelection> underlines;
    errorList_.clear();
    for (const ErrorMark& mark : errors_) {
        QTextEdit::ExtraSelection underline;
        underline.cursor = mark.Place;
        underline.format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
        underline.format.setUnderlineColor(ShownTheme().ErrorUnderline);
        underlines.append(underline);
        errorList_.addItem(
            QString("Line %1: %2").arg(mark.Place.blockNumber() + 1).arg(mark.Message));
    }
    editor_.setExtraSelections(underlines);
    errorList_.setVisible(!errors_.empty());
    FitErrorList();
}

// As high as its errors, up to four rows; more scroll.
void SourceMarks::FitErrorList() {
    const int rows = std::min(errorList_.count(), MostErrorRowsShown);
    if (rows > 0) {
        errorList_.setFixedHeight(rows * errorList_.sizeHintForRow(0) +
                                  2 * errorList_.frameWidth());
    }
}

void SourceMarks::SelectError(int row) {
    if (row >= 0 && row < static_cast<int>(errors_.size())) {
        editor_.setTextCursor(errors_[static_cast<size_t>(row)].Place);
        editor_.setFocus();
    }
}

// The scheduler stops before the code each breakpoint binds to, and before the cursor's line
// during a run to it.
void SourceMarks::Bind() {
    std::bitset<256> stops;
    for (const int line : breakpoints_.Lines()) {
        if (const auto bound = code_.Bind(line + 1)) {
            stops.set(static_cast<size_t>(bound->Address));
        }
    }
    if (runToAddress_) {
        stops.set(static_cast<size_t>(*runToAddress_));
    }
    clock_.Breakpoints = stops;
    ShowMarks();
}

void SourceMarks::ShowMarks() {
    GutterMarks marks;
    MarkBreakpoints(marks);
    for (const ErrorMark& error : errors_) {
        LineMark& mark = marks.Lines[error.Place.blockNumber()];
        mark.Error = true;
        AddTip(mark, error.Message);
    }
    marks.IpLine = IpLine();
    editor_.Gutter().SetMarks(std::move(marks));
}

// Where a breakpoint binds is known only while the editor holds the text that was assembled;
// until then every breakpoint shows filled.
void SourceMarks::MarkBreakpoints(GutterMarks& marks) const {
    const bool assembled = !machine_.Machine.NeedsAssembly;
    for (const int line : breakpoints_.Lines()) {
        LineMark& mark = marks.Lines[line];
        mark.Breakpoint = true;
        const auto bound = assembled ? code_.Bind(line + 1) : std::nullopt;
        if (!assembled || (bound && bound->Line == line + 1)) {
            mark.Stops = true;
            AddTip(mark, "Breakpoint");
        } else if (!bound) {
            AddTip(mark, "Breakpoint: no code on this line or after it");
        } else {
            AddTip(mark, QString("Breakpoint: stops at line %1").arg(bound->Line));
            LineMark& target = marks.Lines[static_cast<int>(bound->Line - 1)];
            target.Stops = true;
            AddTip(target, QString("Breakpoint of line %1 stops here").arg(line + 1));
        }
    }
}

std::optional<int> SourceMarks::IpLine() const {
    if (machine_.Machine.NeedsAssembly) {
        return std::nullopt;
    }
    const HeldSpan& span = machine_.Machine.HeldSource(machine_.Machine.RegisterLow(IP));
    if (span.Length == 0) {
        return std::nullopt;
    }
    return editor_.document()->findBlock(text_.EditorPosition(span.Start)).blockNumber();
}
