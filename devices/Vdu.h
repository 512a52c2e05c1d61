#pragma once

#include <cstdint>

class MachineState;

// The text screen: RAM C0..FF shown as 4 rows of 16 characters, C0..CF the top row. It
// keeps no copy of the screen; it reads RAM each time it is drawn.
inline constexpr int VduRows = 4;
inline constexpr int VduColumns = 16;

// The character code drawn at row, column, unchanged (no control characters): the low byte
// of the cell's value, or a space where RAM has no cell yet.
uint8_t VduCharacter(const MachineState& machine, int row, int column);

// Codes 00-1F and 7F-9F have no glyph to draw: they show as blanks.
uint8_t ShownCode(uint8_t code);
