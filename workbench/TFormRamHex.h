#pragma once

#include <QBrush>
#include <QFont>
#include <QFontMetrics>
#include <QPen>
#include <QRect>
#include <QSize>
#include <QString>

#include "workbench/ToolWindow.h"

struct ColourPair;
class MachineState;
class QButtonGroup;
class QPainter;

// The 256 RAM cells as a 16 x 16 table in hexadecimal, as characters or as the source words
// that the assembler placed there, with the IP and SP cells highlighted. It keeps no copy of
// RAM: every paint reads the machine's cells. The machine core repaints single cells while a
// program runs, so only changed cells are ever redrawn then.
class TFormRamHex : public ToolWindow {
    Q_OBJECT
  public:
    enum class View { Hexadecimal, Ascii, Source };

    explicit TFormRamHex(QWidget* owner);

    // The machine core is created after this window; until then every cell shows two spaces.
    void SetMachine(const MachineState* machine);
    void PaintAll();
    // One cell, after the machine wrote it.
    void PaintCell(int address);
    // After IP or SP was set: repaints the cells that lose and gain a highlight.
    void UpdateHighlights();
    // Cell size from the client size, then everything.
    void Relayout();
    QString CellText(int address) const;
    // The register holds the cell's address: the cell is highlighted for it.
    bool PointsAt(int reg, int address) const;
    // Where the cell of an address lies in the window.
    QRect AddressBox(int address) const;
    // Ticks the matching radio button; caption and Relayout follow.
    void SetView(View view);
    View CurrentView() const;
    // The cells, headings and button row in the colours of the theme shown.
    void ApplyTheme();
    void ApplyZoom(double factor) override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    // Text colour and the background of the text's own box.
    struct TextStyle {
        QPen pen;
        QBrush background;
    };

    static TextStyle StyleOf(const ColourPair& colours);
    void BuildPanel();
    void ApplyView();
    void MoveHighlight(int reg, int& lastCell);
    QRect CellBox(int column, int row) const;
    void FillCellText(int address, View view, QString& text) const;
    const TextStyle& StyleFor(int address) const;
    void PaintHeadings(QPainter& painter, const QRegion& dirty) const;
    void PaintCells(QPainter& painter, const QRegion& dirty) const;
    void DrawText(QPainter& painter, const QRect& cell, QPoint offset, const QString& text,
                  const TextStyle& style) const;

    const MachineState* machine_ = nullptr;
    QSize cellSize_;
    // The cells last painted with the IP and SP highlights; -1 for none.
    int lastIpCell_ = -1;
    int lastSpCell_ = -1;
    QWidget* panel_;
    QButtonGroup* buttons_;
    QFont font_;
    QFontMetrics metrics_;
    TextStyle plain_;
    TextStyle ip_;
    TextStyle sp_;
    TextStyle heading_;
};
