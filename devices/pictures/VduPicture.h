#pragma once

#include "devices/Picture.h"

class MachineState;

// How the screen lays its characters out: the cells fill the picture sixteen by four, and
// each character is drawn in a box at its cell's top left corner that is as large as the
// front end's font draws it, which may be larger than the cell.
struct VduGrid {
    int Width = 200;
    int Height = 64;
    int FontPixels = 13;
    int TextWidth = 8;
    int TextHeight = 15;
    int CellWidth() const;
    int CellHeight() const;
};

// The text screen: RAM C0..FF as white characters on black, a part for each cell, column by
// column, so that a box drawn again covers the overhang of the character left of it.
Picture VduPicture(const MachineState& machine, const VduGrid& grid);
