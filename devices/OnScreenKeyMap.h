#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// A key of the on-screen keyboard: a rectangle of its picture, both bounds included, the
// name shown while the mouse is over it (UTF-8) and the character code it stores.
struct KeyRegion {
    int Left;
    int Top;
    int Right;
    int Bottom;
    std::string_view Name;
    uint8_t Code;

    bool Contains(int x, int y) const { return x >= Left && x <= Right && y >= Top && y <= Bottom; }
};

// Every key region of the picture; no two overlap. Letter keys have three regions: Ctrl
// with the letter at the upper left, the capital at the upper right, the small letter below.
std::span<const KeyRegion> OnScreenKeyMap();

// The region that holds x,y, or none.
const KeyRegion* FindKey(int x, int y);
// The first region that stores a code, or none.
const KeyRegion* FindKeyByCode(uint8_t code);
