#pragma once

#include <QRect>
#include <vector>

// How many windows overlap another, of frames with the main window's first: the main window
// is not counted, since windows may cover it below its buttons.
inline int WindowsOverlapping(const std::vector<QRect>& frames) {
    int overlapping = 0;
    for (size_t index = 1; index < frames.size(); ++index) {
        for (size_t other = 0; other < frames.size(); ++other) {
            if (other != index && frames[index].intersects(frames[other])) {
                ++overlapping;
                break;
            }
        }
    }
    return overlapping;
}
