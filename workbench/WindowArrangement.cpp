#include "workbench/WindowArrangement.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <optional>
#include <tuple>

namespace {

// The free part of an area as the largest rectangles that fit in it, overlapping one another:
// wherever a window could stand clear, it lies wholly within one of them.
class FreeSpace {
  public:
    explicit FreeSpace(const QRect& area) : free_{area} {}

    void Occupy(const QRect& taken) {
        std::vector<QRect> parts;
        for (const QRect& free : free_) {
            if (free.intersects(taken)) {
                AddPartsAround(free, taken, parts);
            } else {
                parts.push_back(free);
            }
        }
        free_.clear();
        for (size_t i = 0; i < parts.size(); ++i) {
            if (!WithinAnother(parts, i)) {
                free_.push_back(parts[i]);
            }
        }
    }

    // The free place nearest the top, then the left; none when the window fits nowhere.
    std::optional<QPoint> Fit(QSize size) const {
        std::optional<QPoint> best;
        for (const QRect& free : free_) {
            if (free.width() >= size.width() && free.height() >= size.height() &&
                (!best || std::pair(free.y(), free.x()) < std::pair(best->y(), best->x()))) {
                best = free.topLeft();
            }
        }
        return best;
    }

  private:
    // What is left of a free rectangle to the left, right, top and bottom of what is taken.
    static void AddPartsAround(const QRect& free, const QRect& taken, std::vector<QRect>& parts) {
        if (taken.left() > free.left()) {
            parts.emplace_back(free.left(), free.top(), taken.left() - free.left(), free.height());
        }
        if (taken.right() < free.right()) {
            parts.emplace_back(taken.right() + 1, free.top(), free.right() - taken.right(),
                               free.height());
        }
        if (taken.top() > free.top()) {
            parts.emplace_back(free.left(), free.top(), free.width(), taken.top() - free.top());
        }
        if (taken.bottom() < free.bottom()) {
            parts.emplace_back(free.left(), taken.bottom() + 1, free.width(),
                               free.bottom() - taken.bottom());
        }
    }

    // Of two equal rectangles the first is kept.
    static bool WithinAnother(const std::vector<QRect>& parts, size_t index) {
        for (size_t other = 0; other < parts.size(); ++other) {
            if (other != index && parts[other].contains(parts[index]) &&
                (parts[other] != parts[index] || other < index)) {
                return true;
            }
        }
        return false;
    }

    std::vector<QRect> free_;
};

// Where a span starts so that it lies within the area's span, or at its start when longer.
int Within(int start, int length, int areaStart, int areaLength) {
    return std::max(areaStart, std::min(start, areaStart + areaLength - length));
}

QPoint WithinArea(QPoint corner, QSize size, const QRect& area) {
    return {Within(corner.x(), size.width(), area.x(), area.width()),
            Within(corner.y(), size.height(), area.y(), area.height())};
}

// The corners a window that cannot stand clear may take: the area's, and against each
// standing window's sides and on top of it.
std::vector<QPoint> CoveringCandidates(const QRect& area, std::span<const QRect> standing,
                                       QSize size) {
    std::vector<QPoint> corners = {area.topLeft(), area.topRight(), area.bottomLeft(),
                                   area.bottomRight()};
    for (const QRect& rect : standing) {
        corners.insert(corners.end(), {rect.topLeft(),
                                       {rect.right() + 1, rect.top()},
                                       {rect.left(), rect.bottom() + 1},
                                       {rect.left() - size.width(), rect.top()},
                                       {rect.left(), rect.top() - size.height()}});
    }
    for (QPoint& corner : corners) {
        corner = WithinArea(corner, size, area);
    }
    return corners;
}

// The windows standing and which of them overlap another. The main window comes first and
// counts as overlapping already: windows may cover it below its buttons without hiding it.
struct Standing {
    std::vector<QRect> Frames; // the main window first
    std::vector<bool> Counted; // overlaps another window, or is the main window
};

void Add(Standing& standing, const QRect& frame) {
    bool covers = false;
    for (size_t index = 0; index < standing.Frames.size(); ++index) {
        if (standing.Frames[index].intersects(frame)) {
            standing.Counted[index] = true;
            covers = true;
        }
    }
    standing.Frames.push_back(frame);
    standing.Counted.push_back(covers || standing.Frames.size() == 1);
}

Standing StandingOf(std::span<const QRect> frames) {
    Standing standing;
    for (const QRect& frame : frames) {
        Add(standing, frame);
    }
    return standing;
}

// What a window at a place costs: covering the buttons first, then how many windows newly
// overlap (itself and the clear windows it covers), then how much it covers; the place nearer
// the top left wins a tie.
auto Cost(const QRect& place, const Standing& standing, const QRect& buttons) {
    int newlyOverlapping = 1;
    int64_t area = 0;
    for (size_t index = 0; index < standing.Frames.size(); ++index) {
        const QRect common = place.intersected(standing.Frames[index]);
        if (!common.isEmpty()) {
            newlyOverlapping += standing.Counted[index] ? 0 : 1;
            area += int64_t{common.width()} * common.height();
        }
    }
    return std::tuple(place.intersects(buttons), newlyOverlapping, area, place.y(), place.x());
}

QPoint CoveringFewest(const QRect& area, const Standing& standing, const QRect& buttons,
                      QSize size) {
    const std::vector<QPoint> candidates = CoveringCandidates(area, standing.Frames, size);
    return *std::min_element(candidates.begin(), candidates.end(), [&](QPoint a, QPoint b) {
        return Cost(QRect(a, size), standing, buttons) < Cost(QRect(b, size), standing, buttons);
    });
}

QRect ButtonsBand(const QRect& main, int buttonsHeight) {
    return {main.topLeft(), QSize(main.width(), buttonsHeight)};
}

// The windows that stand clear; none for those left over.
struct Packing {
    QRect Main;
    std::vector<std::optional<QPoint>> Corners;
};

Packing Pack(const QRect& area, const QRect& main, std::span<const QSize> windows,
             const std::vector<size_t>& order) {
    Packing packing{main, std::vector<std::optional<QPoint>>(windows.size())};
    FreeSpace space(area);
    space.Occupy(main);
    for (size_t index : order) {
        packing.Corners[index] = space.Fit(windows[index]);
        if (packing.Corners[index]) {
            space.Occupy(QRect(*packing.Corners[index], windows[index]));
        }
    }
    return packing;
}

// The orders the windows are tried in, the order they came first: one packs best with the
// tall windows first, another with the small ones, so that as many as possible stand clear.
std::vector<std::vector<size_t>> Orders(std::span<const QSize> windows) {
    std::vector<size_t> given(windows.size());
    std::iota(given.begin(), given.end(), size_t{0});
    const auto sorted = [&](auto key) {
        std::vector<size_t> order = given;
        std::stable_sort(order.begin(), order.end(),
                         [&](size_t a, size_t b) { return key(windows[a]) < key(windows[b]); });
        return order;
    };
    return {given, sorted([](QSize size) { return -size.height(); }),
            sorted([](QSize size) { return -size.width(); }),
            sorted([](QSize size) { return int64_t{size.width()} * size.height(); })};
}

// The main window as it is, and as small as it may be when that is smaller.
std::vector<QRect> MainWindowFrames(const QRect& area, const MainWindowShape& main) {
    const QSize now = main.Size.boundedTo(area.size());
    const QSize smallest = main.Smallest.boundedTo(now);
    std::vector<QRect> frames = {QRect(area.topLeft(), now)};
    if (smallest != now) {
        frames.emplace_back(area.topLeft(), smallest);
    }
    return frames;
}

// The windows left over by a packing go where they make the fewest windows overlap.
Arrangement Complete(const QRect& area, const Packing& packing, int buttonsHeight,
                     std::span<const QSize> windows) {
    std::vector<QRect> clear = {packing.Main};
    for (size_t index = 0; index < windows.size(); ++index) {
        if (packing.Corners[index]) {
            clear.emplace_back(*packing.Corners[index], windows[index]);
        }
    }
    Standing standing = StandingOf(clear);
    const QRect buttons = ButtonsBand(packing.Main, buttonsHeight);
    Arrangement arrangement{packing.Main, {}, 0};
    for (size_t index = 0; index < windows.size(); ++index) {
        QPoint corner;
        if (packing.Corners[index]) {
            corner = *packing.Corners[index];
        } else {
            corner = CoveringFewest(area, standing, buttons, windows[index]);
            Add(standing, QRect(corner, windows[index]));
        }
        arrangement.Corners.push_back(corner);
    }
    arrangement.Overlapping =
        static_cast<int>(std::count(standing.Counted.begin() + 1, standing.Counted.end(), true));
    return arrangement;
}

} // namespace

Arrangement Arrange(const QRect& area, const MainWindowShape& main,
                    std::span<const QSize> windows) {
    std::optional<Arrangement> best;
    for (const QRect& frame : MainWindowFrames(area, main)) {
        for (const std::vector<size_t>& order : Orders(windows)) {
            Arrangement arrangement =
                Complete(area, Pack(area, frame, windows, order), main.ButtonsHeight, windows);
            if (!best || arrangement.Overlapping < best->Overlapping) {
                best = std::move(arrangement);
            }
        }
    }
    return *best;
}

QPoint PlaceBeside(const QRect& area, std::span<const QRect> standing, int buttonsHeight,
                   QSize window) {
    FreeSpace space(area);
    for (const QRect& rect : standing) {
        space.Occupy(rect);
    }
    if (const std::optional<QPoint> corner = space.Fit(window)) {
        return *corner;
    }
    const QRect buttons = standing.empty() ? QRect() : ButtonsBand(standing.front(), buttonsHeight);
    return CoveringFewest(area, StandingOf(standing), buttons, window);
}
