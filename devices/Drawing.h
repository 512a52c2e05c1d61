#pragma once

#include <cstdint>

// Plain drawing data that the device windows paint from, in picture pixels.

struct PixelPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const PixelPoint&) const = default;
};

// Drawn from From to To, the last point itself left out, as lines are drawn on screen.
struct PixelLine {
    PixelPoint From;
    PixelPoint To;
    bool operator==(const PixelLine&) const = default;
};

// Both corners included, as a bounding box of a circle or a rectangle.
struct PixelRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool operator==(const PixelRect&) const = default;
};

// Colours as 0xRRGGBB.
using Rgb = uint32_t;
inline constexpr Rgb Black = 0x000000;
inline constexpr Rgb White = 0xFFFFFF;
inline constexpr Rgb Red = 0xFF0000;
inline constexpr Rgb Yellow = 0xFFFF00;
inline constexpr Rgb Lime = 0x00FF00;
inline constexpr Rgb Olive = 0x808000;
inline constexpr Rgb Teal = 0x008080;
inline constexpr Rgb Silver = 0xC0C0C0;
