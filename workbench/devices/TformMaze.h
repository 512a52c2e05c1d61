#pragma once

#include <QRect>
#include <vector>

#include "devices/Maze.h"
#include "workbench/devices/PictureWindow.h"

class QPainter;

// A snake in a maze on port 04. The device draws all of the picture: the maze and its
// legend, the last byte written and the snake's trail, which grows with each output until
// the maze is reset.
class TformMaze : public PictureWindow {
    Q_OBJECT
  public:
    TformMaze(QWidget* owner, Maze& model);

  private:
    void DrawWhole() override;
    // The empty maze with the head where the model has it.
    void ResetMaze();
    void DrawEmptyMaze();
    // Adds what the model's last output drew.
    void ShowOutput();
    // The legend beside the maze, black on the maze's ground.
    static void WriteLegend(QPainter& painter);
    // One head circle; the area it covers.
    static QRect DrawHead(QPainter& painter, PixelPoint head);

    Maze& model_;
    // The heads drawn since the maze was last reset, each place once, for drawing it again.
    std::vector<PixelPoint> trail_;
};
