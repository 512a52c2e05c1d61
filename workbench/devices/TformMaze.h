#pragma once

#include "devices/Maze.h"
#include "workbench/devices/PictureWindow.h"

// A snake in a maze on port 04, drawn from the model's picture: the maze and its legend, the
// last byte written and the snake's trail, which grows with each output until the maze is
// reset.
class TformMaze : public PictureWindow {
    Q_OBJECT
  public:
    TformMaze(QWidget* owner, Maze& model);

  private:
    Maze& model_;
};
