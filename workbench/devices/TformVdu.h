#pragma once

#include <QRect>
#include <array>

#include "core/MachineState.h"
#include "devices/Vdu.h"
#include "workbench/ToolWindow.h"

class QPainter;
class QRegion;
class StateWords;

// The text screen: RAM C0..FF as four rows of sixteen characters, white on black, painted
// from the screen's picture at the window's size and the font's measures. It reads RAM each
// time it draws; the codes it last drew only tell a refresh which cells are stale.
// Its accessible description reads the rows as words.
class TformVdu : public ToolWindow {
    Q_OBJECT
  public:
    TformVdu(QWidget* owner, const MachineState& machine);

    // After a step, a CPU reset or an assembly: draws again the cells whose character
    // changed since they were drawn. A hidden screen is brought up to date when shown.
    void Refresh();
    void ApplyZoom(double factor) override;

    int CellWidth() const { return cellWidth_; }
    int CellHeight() const { return cellHeight_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    static constexpr int NotDrawn = -1;

    void UseFont(int pixels);
    void VduLayout();
    void VduPaint(QPainter& painter, const QRegion& area);
    void Record(int cell, uint8_t code, bool whole);
    // The opaque box that a character is drawn in, at its cell's top left corner.
    QRect TextBox(int row, int column) const;

    const MachineState& machine_;
    int fontPixels_ = 0;
    int textWidth_ = 0;
    int textHeight_ = 0;
    int cellWidth_ = 0;
    int cellHeight_ = 0;
    std::array<int, VduRows * VduColumns> drawn_;
    StateWords* words_;
};
