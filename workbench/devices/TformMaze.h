#pragma once

#include "devices/Maze.h"
#include "workbench/ToolWindow.h"

// A snake in a maze on port 04.
class TformMaze : public ToolWindow {
    Q_OBJECT
  public:
    TformMaze(QWidget* owner, Maze& model);

  private:
    Maze& model_;
};
