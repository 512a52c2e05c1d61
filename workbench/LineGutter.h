#pragma once

#include <QString>
#include <QWidget>
#include <map>
#include <optional>

class SourceEditor;

// What the gutter shows beside one line of the source.
struct LineMark {
    bool Breakpoint = false; // a breakpoint stands on the line
    bool Stops = false;      // a run stops before the line's code: the marker is filled
    bool Error = false;      // the last assembly or run reported an error here
    QString Tip;             // shown when the mouse rests on the line's marker
    bool operator==(const LineMark&) const = default;
};

struct GutterMarks {
    std::map<int, LineMark> Lines; // by line, from 0
    std::optional<int> IpLine;     // the line of the instruction at IP
    bool operator==(const GutterMarks&) const = default;
};

// The strip left of the source editor: the line numbers in the editor's font, a breakpoint
// marker (hollow where the breakpoint binds to a later line), an arrow at the instruction at
// IP, and the number on red where an error was reported. A click on a line asks for its
// breakpoint to be toggled.
class LineGutter : public QWidget {
    Q_OBJECT
  public:
    explicit LineGutter(SourceEditor& editor);

    void SetMarks(GutterMarks marks);
    const GutterMarks& Marks() const { return marks_; }
    // Wide enough for the marker and the largest line number.
    int WidthWanted() const;

  signals:
    void LineClicked(int line);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

  private:
    int MarkerWidth() const;
    void PaintMarker(QPainter& painter, const LineMark& mark, QRect box) const;
    void PaintIpArrow(QPainter& painter, QRect box) const;

    SourceEditor& editor_;
    GutterMarks marks_;
};
