#pragma once

#include "workbench/TextPane.h"
#include <QStringList>
#include <string_view>

// The run log: at most 1001 lines, the oldest dropped first, always scrolled to its end.
// A running program writes a dozen lines a step; they wait here until the event loop comes
// round and then go into the pane in one append, so logging does not slow the clock. Lines
// are counted from the window's start; those Step Back may show again are kept.
class RunLogPane : public TextPane {
    Q_OBJECT
  public:
    static constexpr int MaxLines = 1001;

    explicit RunLogPane(QWidget* parent = nullptr);

    void AppendLine(std::string_view line);
    void ClearLog();
    // Puts the waiting lines into the pane now.
    void Flush();

    // The lines written since the window opened.
    qsizetype Written() const { return base_ + lines_.size(); }
    // Nothing will go back to before `line`: the lines the pane shows then are all that
    // must be kept of the older ones.
    void KeepFrom(qsizetype line) { keepFrom_ = line; }
    // Forgets every line written after the first `written`, and shows the log as it stood.
    void GoBackTo(qsizetype written);

  private:
    void DropUnneededLines();
    void ShowLinesUpTo(qsizetype end);

    QStringList lines_; // the lines from base_ on
    qsizetype base_ = 0;
    qsizetype shown_ = 0; // the lines written before these are in the pane
    qsizetype keepFrom_ = 0;
    bool flushQueued_ = false;
};
