#pragma once

#include <QRect>

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
    // The empty maze with the head where the model has it.
    void ResetMaze();
    // Adds what the model's last output drew.
    void ShowOutput();
    // The legend beside the maze, black on the maze's ground.
    static void WriteLegend(QPainter& painter);
    // One head circle; the area it covers.
    static QRect DrawHead(QPainter& painter, PixelPoint head);

    Maze& model_;
};
