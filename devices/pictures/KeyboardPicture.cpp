#include "devices/pictures/KeyboardPicture.h"

#include <array>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "devices/OnScreenKeyMap.h"
#include "devices/pictures/KeyCapShapes.h"
#include "devices/pictures/Shapes.h"
#include "devices/pictures/SharedPieces.h"
#include "devices/pictures/WindowFace.h"

namespace {

constexpr int Width = 430;
constexpr int Height = 155;
// The upper left of a key, where a click gives Ctrl with the key.
constexpr Rgb CtrlTint = 0xC6D9F1;

Shape ClipShape(const PixelRect& box) {
    Shape clip = RectShape(box.Left, box.Top, box.Right - box.Left + 1, box.Bottom - box.Top + 1);
    clip.Kind = ShapeKind::ClipTo;
    return clip;
}

Shape UnclipShape() {
    Shape unclip = RectShape(0, 0, 0, 0);
    unclip.Kind = ShapeKind::ClipOff;
    return unclip;
}

PixelRect Box(const KeyRegion& part) {
    return {part.Left, part.Top, part.Right, part.Bottom};
}

bool IsCtrl(const KeyRegion& part) {
    return part.Name.starts_with("Ctrl+");
}

// A name of one character, in UTF-8; its code is that character's.
bool OneCharacter(std::string_view name) {
    return name.size() == 1 || (name.size() == 2 && (static_cast<uint8_t>(name[0]) & 0xE0) == 0xC0);
}

// What a part of a key belongs with: a Ctrl part with the capital or sign right of it, an
// upper part with the part under it that ends at the same right edge. The lowest part, which
// belongs with nothing, holds the key together.
const KeyRegion* Holder(const KeyRegion& part) {
    for (const KeyRegion& other : OnScreenKeyMap()) {
        const bool besideCtrl =
            IsCtrl(part) && other.Top == part.Top && other.Left == part.Right + 1;
        const bool under =
            other.Top == part.Bottom + 1 && other.Right == part.Right && other.Left <= part.Left;
        if (besideCtrl || under) {
            return &other;
        }
    }
    return nullptr;
}

// The keys of the picture: every part of the key map under the lowest part of its key.
std::map<const KeyRegion*, std::vector<const KeyRegion*>> Keys() {
    std::map<const KeyRegion*, std::vector<const KeyRegion*>> keys;
    for (const KeyRegion& part : OnScreenKeyMap()) {
        const KeyRegion* base = &part;
        while (const KeyRegion* holder = Holder(*base)) {
            base = holder;
        }
        keys[base].push_back(&part);
    }
    return keys;
}

// The box a face's pixels span, as far as its right and bottom edges.
struct FaceBox {
    double Left, Top, Right, Bottom;
    double MiddleX() const { return (Left + Right) / 2; }
    double MiddleY() const { return (Top + Bottom) / 2; }
};

FaceBox FaceBoxOf(const PixelMask& face) {
    const PixelRect box = face.Bounds();
    return {static_cast<double>(box.Left), static_cast<double>(box.Top), box.Right + 1.0,
            box.Bottom + 1.0};
}

void AddCentred(std::vector<Shape>& shapes, const PixelMask& area, const std::string& text) {
    shapes.push_back(TextShape(area.Bounds(), text, SansFont(10), KeyInk, TextAlign::Centre));
}

// A part shows its character; a Ctrl part is tinted. The named keys draw symbols instead.
void AddPart(std::vector<Shape>& shapes, const KeyRegion& part, const PixelMask& face) {
    const PixelMask area = face.Within(Box(part));
    if (IsCtrl(part)) {
        AddMask(shapes, area, CtrlTint);
    } else if (OneCharacter(part.Name)) {
        AddCentred(shapes, area, std::string(1, static_cast<char>(part.Code)));
    }
}

// An arrow with a stop bar across its head.
void AddBarredArrow(std::vector<Shape>& shapes, PicturePoint from, PicturePoint to) {
    AddKeyArrow(shapes, {from, to});
    shapes.push_back(Block(to.X + (to.X < from.X ? -1.5 : 0.5), to.Y - 4, 1, 8, KeyInk));
}

void AddBackspace(std::vector<Shape>& shapes, const FaceBox& face) {
    const double y = face.MiddleY();
    AddKeyArrow(shapes, {{face.Right - 10, y}, {face.Left + 10, y}});
}

void AddTab(std::vector<Shape>& shapes, const FaceBox& face) {
    const double third = (face.Bottom - face.Top) / 3;
    const double upper = face.Top + third;
    const double lower = face.Bottom - third;
    AddBarredArrow(shapes, {face.Right - 8, upper}, {face.Left + 8, upper});
    AddBarredArrow(shapes, {face.Left + 8, lower}, {face.Right - 8, lower});
}

void AddReturn(std::vector<Shape>& shapes, const FaceBox& face) {
    const PicturePoint corner{face.Right - 9, face.MiddleY() + 3};
    AddKeyArrow(shapes, {{corner.X, face.Top + 5}, corner, {face.Left + 8, corner.Y}});
}

struct Symbol {
    std::string_view Name;
    void (*Add)(std::vector<Shape>&, const FaceBox&);
};

// Drawn on the lowest part of their keys; the space bar is plain.
constexpr std::array<Symbol, 3> Symbols{{
    {"BkSp", AddBackspace},
    {"Tab", AddTab},
    {"Enter", AddReturn},
}};

void AddKey(std::vector<Shape>& shapes, const KeyRegion& base,
            const std::vector<const KeyRegion*>& parts) {
    std::vector<PixelRect> area;
    for (const KeyRegion* part : parts) {
        area.push_back(Box(*part));
    }
    KeyCap cap = KeyCapOn(area);
    shapes.insert(shapes.end(), cap.Shapes.begin(), cap.Shapes.end());
    shapes.push_back(ClipShape(cap.Inside));
    for (const KeyRegion* part : parts) {
        AddPart(shapes, *part, cap.Face);
    }
    for (const Symbol& symbol : Symbols) {
        if (symbol.Name == base.Name) {
            symbol.Add(shapes, FaceBoxOf(cap.Face.Within(Box(base))));
        }
    }
    shapes.push_back(UnclipShape());
}

struct LegendPart {
    PixelRect Box;
    const char* Text;
    bool Ctrl;
};

// A key at the bottom right that names its parts.
void AddLegend(std::vector<Shape>& shapes) {
    const std::array<LegendPart, 3> parts{{
        {{356, 88, 384, 103}, "Ctrl", true},
        {{385, 88, 424, 103}, "Shift", false},
        {{356, 104, 424, 118}, "Normal", false},
    }};
    KeyCap cap = KeyCapOn({parts[0].Box, parts[1].Box, parts[2].Box});
    shapes.insert(shapes.end(), cap.Shapes.begin(), cap.Shapes.end());
    shapes.push_back(ClipShape(cap.Inside));
    for (const LegendPart& part : parts) {
        if (part.Ctrl) {
            AddMask(shapes, cap.Face.Within(part.Box), CtrlTint);
        }
        AddCentred(shapes, cap.Face.Within(part.Box), part.Text);
    }
    shapes.push_back(UnclipShape());
}

// Two lines, centred together on the left of the space bar.
void AddPortWords(std::vector<Shape>& shapes) {
    shapes.push_back(TextShape({8, 117, 107, 132}, "INT 03", SansFont(14), KeyInk));
    shapes.push_back(TextShape({8, 133, 107, 148}, "Port 07", SansFont(14), KeyInk));
}

} // namespace

Picture KeyboardPicture() {
    std::vector<Shape> shapes;
    for (const auto& [base, parts] : Keys()) {
        AddKey(shapes, *base, parts);
    }
    AddLegend(shapes);
    AddPortWords(shapes);
    Picture picture{.Width = Width,
                    .Height = Height,
                    .Background = WindowFace,
                    .Parts = {Part(0, 0, Width, Height, std::move(shapes))}};
    const std::span<const KeyRegion> map = OnScreenKeyMap();
    for (size_t index = 0; index < map.size(); ++index) {
        picture.Areas.push_back({Box(map[index]), static_cast<int>(index)});
    }
    picture.Areas.push_back({{0, 0, Width - 1, Height - 1}, KeyboardBeside});
    return picture;
}

bool KeyboardAction(OnScreenKeyboard& keyboard, int action) {
    const std::span<const KeyRegion> map = OnScreenKeyMap();
    if (action == KeyboardBeside) {
        keyboard.PressBeside();
        return true;
    }
    if (action < 0 || static_cast<size_t>(action) >= map.size()) {
        return false;
    }
    keyboard.Press(map[static_cast<size_t>(action)].Code);
    return true;
}
