#include "workbench/devices/TformMaze.h"

TformMaze::TformMaze(QWidget* owner, Maze& model)
    : ToolWindow(owner, "Snake and Maze", QSize(200, 271), Frame::Fixed, QColor(0x00, 0xFF, 0x00)),
      model_(model) {}
