#pragma once

#include "devices/Maze.h"
#include "devices/Picture.h"

// The snake's maze: the walls and the legend, the last byte written over the legend's third
// line, a part for each place of the trail in the order first drawn, and the head on top.
Picture MazePicture(const Maze& maze);
