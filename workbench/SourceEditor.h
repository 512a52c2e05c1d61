#pragma once

#include <optional>
#include <vector>

#include "workbench/TextPane.h"

class LineGutter;

// The source editor: a text pane with a gutter of line numbers and markers on its left.
class SourceEditor : public TextPane {
    Q_OBJECT
  public:
    explicit SourceEditor(QWidget* parent = nullptr);

    LineGutter& Gutter() const { return *gutter_; }

    // A line shown in the viewport, its top and height in viewport pixels.
    struct ShownLine {
        int Line = 0;
        int Top = 0;
        int Height = 0;
    };
    // The lines that overlap [top, bottom) of the viewport, in order.
    std::vector<ShownLine> ShownLines(int top, int bottom) const;
    // The line at a height of the viewport; none below the last line.
    std::optional<int> LineAt(int y) const;

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void FitGutter();

    LineGutter* gutter_;
};
