#include "devices/pictures/VduPicture.h"

#include <string>

#include "devices/Vdu.h"
#include "devices/pictures/Shapes.h"
#include "devices/pictures/SharedPieces.h"

int VduGrid::CellWidth() const {
    return Width / VduColumns;
}

int VduGrid::CellHeight() const {
    return Height / VduRows;
}

Picture VduPicture(const MachineState& machine, const VduGrid& grid) {
    Picture picture{.Width = grid.Width, .Height = grid.Height, .Background = Black};
    for (int column = 0; column < VduColumns; ++column) {
        for (int row = 0; row < VduRows; ++row) {
            const int x = column * grid.CellWidth();
            const int y = row * grid.CellHeight();
            const PixelRect box{x, y, x + grid.TextWidth - 1, y + grid.TextHeight - 1};
            const char glyph = static_cast<char>(ShownCode(VduCharacter(machine, row, column)));
            picture.Parts.push_back(
                {.Area = box,
                 .Shapes = {Block(x, y, grid.TextWidth, grid.TextHeight, Black),
                            TextShape(box, std::string(1, glyph), MonoFont(grid.FontPixels, false),
                                      White)}});
        }
    }
    return picture;
}
