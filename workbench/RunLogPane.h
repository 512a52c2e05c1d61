#pragma once

#include "workbench/TextPane.h"
#include <QStringList>
#include <string_view>

// The run log: at most 1001 lines, the oldest dropped first, always scrolled to its end.
// A running program writes a dozen lines a step; they wait here until the event loop comes
// round and then go into the pane in one append, so logging does not slow the clock.
class RunLogPane : public TextPane {
    Q_OBJECT
  public:
    static constexpr int MaxLines = 1001;

    explicit RunLogPane(QWidget* parent = nullptr);

    void AppendLine(std::string_view line);
    void ClearLog();
    // Puts the waiting lines into the pane now.
    void Flush();

  private:
    QStringList pending_;
    bool flushQueued_ = false;
};
