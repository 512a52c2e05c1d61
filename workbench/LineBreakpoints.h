#pragma once

#include <set>

// The breakpoints of the source editor, one per line (counted from 0). They stay on their
// lines while the text is edited: lines inserted above move them down, and a breakpoint goes
// with its line when the line is deleted.
class LineBreakpoints {
  public:
    const std::set<int>& Lines() const { return lines_; }
    bool Has(int line) const { return lines_.contains(line); }
    void Toggle(int line);
    void Clear() { lines_.clear(); }
    // An edit that began on `line` changed the number of lines by `delta`. Begun at the line's
    // start, it inserted lines before that line or removed the line with those after it;
    // begun later in the line, the line stays and the change is below it.
    void FollowEdit(int line, bool atLineStart, int delta);

  private:
    std::set<int> lines_;
};
