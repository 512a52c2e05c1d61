#include "devices/pictures/KeypadPicture.h"

#include <string>
#include <vector>

#include "devices/pictures/KeyCapShapes.h"
#include "devices/pictures/Shapes.h"
#include "devices/pictures/SharedPieces.h"
#include "devices/pictures/WindowFace.h"

namespace {

constexpr int Width = 152;
constexpr int Height = 139;
constexpr uint8_t Backspace = 0x08;
constexpr uint8_t Enter = 0x0D;

struct PadKey {
    PixelRect Box;
    uint8_t Code;
};

template <size_t N> int Start(const std::array<int, N>& ends, size_t index) {
    return index == 0 ? 0 : ends[index - 1];
}

// The cells of the code table, merged down a column where the code repeats: the backspace
// and enter keys are two rows tall.
std::vector<PadKey> PadKeys() {
    std::vector<PadKey> keys;
    for (size_t column = 0; column < KeypadColumnEnds.size(); ++column) {
        for (size_t row = 0; row < KeypadRowEnds.size(); ++row) {
            const PixelRect cell{Start(KeypadColumnEnds, column), Start(KeypadRowEnds, row),
                                 KeypadColumnEnds[column] - 1, KeypadRowEnds[row] - 1};
            const uint8_t code = Keypad::Codes[row][column];
            if (row > 0 && Keypad::Codes[row - 1][column] == code) {
                keys.back().Box.Bottom = cell.Bottom;
            } else {
                keys.push_back({cell, code});
            }
        }
    }
    return keys;
}

PicturePoint Centre(const PixelRect& box) {
    return {(box.Left + box.Right + 1) / 2.0, (box.Top + box.Bottom + 1) / 2.0};
}

// The tall keys show their short name above an arrow.
void AddTallLegend(std::vector<Shape>& shapes, const PixelRect& face, const std::string& name,
                   const std::vector<PicturePoint>& arrow) {
    const PixelRect nameBox{face.Left, face.Top + 5, face.Right, face.Top + 20};
    shapes.push_back(TextShape(nameBox, name, SansFont(14), KeyInk, TextAlign::Centre));
    AddKeyArrow(shapes, arrow);
}

void AddLegend(std::vector<Shape>& shapes, const PadKey& key, const PixelRect& face) {
    const auto [x, middle] = Centre(face);
    const double y = middle + 8;
    if (key.Code == Backspace) {
        AddTallLegend(shapes, face, "Bk", {{x + 7, y}, {x - 8, y}});
    } else if (key.Code == Enter) {
        AddTallLegend(shapes, face, "En", {{x + 6, y - 9}, {x + 6, y}, {x - 8, y}});
    } else {
        shapes.push_back(TextShape(face, std::string(1, static_cast<char>(key.Code)), SansFont(16),
                                   KeyInk, TextAlign::Centre));
    }
}

} // namespace

Picture KeypadPicture() {
    std::vector<Shape> shapes;
    Picture picture{.Width = Width, .Height = Height, .Background = WindowFace};
    for (const PadKey& key : PadKeys()) {
        KeyCap cap = KeyCapOn({key.Box});
        shapes.insert(shapes.end(), cap.Shapes.begin(), cap.Shapes.end());
        AddLegend(shapes, key, cap.Face.Bounds());
        picture.Areas.push_back({key.Box, key.Code});
    }
    const int below = KeypadRowEnds.back();
    shapes.push_back(TextShape({0, below, KeypadColumnEnds.back() - 1, Height - 1},
                               "INT 04 / Port 08", SansFont(13), KeyInk, TextAlign::Centre));
    picture.Parts.push_back(Part(0, 0, Width, Height, std::move(shapes)));
    picture.Areas.push_back({{0, 0, Width - 1, Height - 1}, KeypadBeside});
    return picture;
}

bool KeypadAction(Keypad& pad, int action) {
    if (action == KeypadBeside) {
        pad.PressBeside();
        return true;
    }
    if (action < 0 || action > 0xFF || !Keypad::HasKey(static_cast<uint8_t>(action))) {
        return false;
    }
    pad.Press(static_cast<uint8_t>(action));
    return true;
}
