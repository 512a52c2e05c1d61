#pragma once

#include <QObject>
#include <QString>
#include <QTextCursor>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/CodeLines.h"
#include "workbench/LineBreakpoints.h"

class EditorText;
class QListWidget;
class Scheduler;
class SourceEditor;
class Taaa;
struct ErrorReport;
struct GutterMarks;

// What the source editor marks for debugging: breakpoints on lines, bound after every
// assembly to the addresses the scheduler stops before; the line of the instruction at IP;
// and the errors of the last assembly or run, underlined in the text, marked in the gutter
// and listed under the editor, each a click away.
class SourceMarks : public QObject {
    Q_OBJECT
  public:
    SourceMarks(SourceEditor& editor, const EditorText& text, Taaa& machine, Scheduler& clock,
                QListWidget& errorList);

    const LineBreakpoints& Breakpoints() const { return breakpoints_; }
    void Toggle(int line);
    void ToggleAtCursor();
    void ClearBreakpoints();
    // A new or opened file starts with no breakpoints and no marks.
    void Forget();
    // The run under way stops once before the code of `line` (from 0), or of the next line
    // with code; false when no line from there on has code.
    bool RunTo(int line);
    // The status line's text for a run that stopped at a breakpoint.
    std::string BreakpointStopText() const;
    // Catches up with the machine after a command, a step or a turn of the clock.
    void Follow();
    // The underlines and gutter marks again, in the colours of the theme shown.
    void Recolour();

  private:
    struct ErrorMark {
        QTextCursor Place;
        QString Message;
        QString LineText; // the line as it was; the mark goes once the line changes
    };

    void FollowEdit(int position);
    ErrorMark MarkError(const ErrorReport& error) const;
    void TakeNewErrors();
    void ShowErrors();
    void FitErrorList();
    void Bind();
    void ShowMarks();
    void MarkBreakpoints(GutterMarks& marks) const;
    std::optional<int> IpLine() const;
    void SelectError(int row);

    SourceEditor& editor_;
    const EditorText& text_;
    Taaa& machine_;
    Scheduler& clock_;
    QListWidget& errorList_;
    LineBreakpoints breakpoints_;
    CodeLines code_;       // of the last assembly
    int64_t assembly_ = 0; // the machine's count of assemblies when code_ was made
    size_t errorsTaken_ = 0;
    std::vector<ErrorMark> errors_;
    std::optional<int> runToAddress_;
    int lineCount_ = 1; // the editor's lines before the last edit
};
