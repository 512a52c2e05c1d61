#include "workbench/LineBreakpoints.h"

void LineBreakpoints::Toggle(int line) {
    if (!lines_.erase(line)) {
        lines_.insert(line);
    }
}

void LineBreakpoints::FollowEdit(int line, bool atLineStart, int delta) {
    if (delta == 0) {
        return;
    }
    // The first line the edit moves or removes.
    const int first = atLineStart ? line : line + 1;
    const int removedEnd = delta < 0 ? first - delta : first; // lines [first, removedEnd) go
    std::set<int> kept;
    for (const int at : lines_) {
        if (at < first) {
            kept.insert(at);
        } else if (at >= removedEnd) {
            kept.insert(at + delta);
        }
    }
    lines_ = std::move(kept);
}
