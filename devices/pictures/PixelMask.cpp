#include "devices/pictures/PixelMask.h"

#include <algorithm>
#include <utility>

namespace {

PixelRect BoundsOf(const std::vector<PixelRect>& boxes) {
    if (boxes.empty()) {
        return {0, 0, -1, -1};
    }
    PixelRect bounds = boxes.front();
    for (const PixelRect& box : boxes) {
        bounds = {std::min(bounds.Left, box.Left), std::min(bounds.Top, box.Top),
                  std::max(bounds.Right, box.Right), std::max(bounds.Bottom, box.Bottom)};
    }
    return bounds;
}

bool Inside(const PixelRect& box, int x, int y) {
    return x >= box.Left && x <= box.Right && y >= box.Top && y <= box.Bottom;
}

} // namespace

PixelMask::PixelMask(PixelRect frame, std::vector<bool> pixels)
    : frame_(frame), pixels_(std::move(pixels)) {}

PixelMask::PixelMask(const std::vector<PixelRect>& boxes)
    : frame_(BoundsOf(boxes)), pixels_(static_cast<size_t>(Width() * Height())) {
    for (int y = frame_.Top; y <= frame_.Bottom; ++y) {
        for (int x = frame_.Left; x <= frame_.Right; ++x) {
            pixels_[static_cast<size_t>((y - frame_.Top) * Width() + x - frame_.Left)] =
                std::any_of(boxes.begin(), boxes.end(),
                            [x, y](const PixelRect& box) { return Inside(box, x, y); });
        }
    }
}

bool PixelMask::Has(int x, int y) const {
    return Inside(frame_, x, y) &&
           pixels_[static_cast<size_t>((y - frame_.Top) * Width() + x - frame_.Left)];
}

bool PixelMask::Empty() const {
    return std::none_of(pixels_.begin(), pixels_.end(), [](bool pixel) { return pixel; });
}

PixelMask PixelMask::Moved(int dx, int dy) const {
    std::vector<bool> moved(pixels_.size());
    for (int y = frame_.Top; y <= frame_.Bottom; ++y) {
        for (int x = frame_.Left; x <= frame_.Right; ++x) {
            moved[static_cast<size_t>((y - frame_.Top) * Width() + x - frame_.Left)] =
                Has(x - dx, y - dy);
        }
    }
    return {frame_, std::move(moved)};
}

template <typename Combine>
PixelMask PixelMask::Combined(const PixelMask& other, Combine combine) const {
    std::vector<bool> pixels(pixels_.size());
    for (size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = combine(pixels_[i], other.pixels_[i]);
    }
    return {frame_, std::move(pixels)};
}

PixelMask PixelMask::Intersected(const PixelMask& other) const {
    return Combined(other, [](bool a, bool b) { return a && b; });
}

PixelMask PixelMask::United(const PixelMask& other) const {
    return Combined(other, [](bool a, bool b) { return a || b; });
}

PixelMask PixelMask::AndMoved(int dx, int dy) const {
    return Intersected(Moved(dx, dy));
}

PixelMask PixelMask::Inner(int dx, int dy) const {
    return AndMoved(dx, dy).AndMoved(-dx, -dy);
}

PixelMask PixelMask::Within(const PixelRect& box) const {
    std::vector<bool> pixels = pixels_;
    for (int y = frame_.Top; y <= frame_.Bottom; ++y) {
        for (int x = frame_.Left; x <= frame_.Right; ++x) {
            if (!Inside(box, x, y)) {
                pixels[static_cast<size_t>((y - frame_.Top) * Width() + x - frame_.Left)] = false;
            }
        }
    }
    return {frame_, std::move(pixels)};
}

std::vector<PixelRect> PixelMask::Boxes() const {
    std::vector<PixelRect> boxes;
    std::vector<PixelRect> open; // boxes that reach the row above
    for (int y = frame_.Top; y <= frame_.Bottom; ++y) {
        std::vector<PixelRect> row;
        for (int x = frame_.Left; x <= frame_.Right; ++x) {
            if (!Has(x, y)) {
                continue;
            }
            const int left = x;
            while (Has(x + 1, y)) {
                ++x;
            }
            const auto above = std::find_if(open.begin(), open.end(), [&](const PixelRect& box) {
                return box.Left == left && box.Right == x;
            });
            row.push_back(above == open.end() ? PixelRect{left, y, x, y}
                                              : PixelRect{left, above->Top, x, y});
            if (above != open.end()) {
                open.erase(above);
            }
        }
        boxes.insert(boxes.end(), open.begin(), open.end());
        open = std::move(row);
    }
    boxes.insert(boxes.end(), open.begin(), open.end());
    return boxes;
}

PixelRect PixelMask::Bounds() const {
    return BoundsOf(Boxes());
}
