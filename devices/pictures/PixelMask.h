#pragma once

#include <vector>

#include "devices/Drawing.h"

// A set of picture pixels within a frame, for shapes that are unions of boxes worked pixel
// by pixel (a key cap's rim, shade and face). Masks combined with each other share the
// frame of the one they were made from.
class PixelMask {
  public:
    // The pixels of the boxes, both corners included; the frame is their bounds.
    explicit PixelMask(const std::vector<PixelRect>& boxes);

    bool Has(int x, int y) const;
    bool Empty() const;
    // The pixels whose neighbours dx,dy away on both sides are in the mask too.
    PixelMask Inner(int dx, int dy) const;
    // The mask less its outermost ring of pixels.
    PixelMask Shrunk() const { return Inner(1, 0).Intersected(Inner(0, 1)); }
    // The pixels that are in the mask and in it again moved by dx,dy.
    PixelMask AndMoved(int dx, int dy) const;
    PixelMask Intersected(const PixelMask& other) const;
    PixelMask United(const PixelMask& other) const;
    // The mask's pixels within a box.
    PixelMask Within(const PixelRect& box) const;
    // The mask as boxes: runs of a row, joined with the same runs of the rows below.
    std::vector<PixelRect> Boxes() const;
    // The smallest box around the mask's pixels; one with Right below Left when empty.
    PixelRect Bounds() const;

  private:
    PixelMask(PixelRect frame, std::vector<bool> pixels);
    int Width() const { return frame_.Right - frame_.Left + 1; }
    int Height() const { return frame_.Bottom - frame_.Top + 1; }
    // The mask moved by dx,dy, cut to the frame.
    PixelMask Moved(int dx, int dy) const;
    template <typename Combine> PixelMask Combined(const PixelMask& other, Combine combine) const;

    PixelRect frame_;
    std::vector<bool> pixels_; // row by row
};
