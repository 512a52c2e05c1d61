#include "devices/OnScreenKeyMap.h"

#include <vector>

namespace {

struct Key {
    int Left;
    int Right;
    std::string_view Name;
    uint8_t Code;
};

struct KeyRow {
    int Top;
    int Bottom;
    std::vector<Key> Keys;
};

// Typed row by row as the picture lays them out; tall keys (backspace, tab, the enters,
// the space bar) are rows of their own.
std::vector<KeyRegion> MakeKeyMap() {
    const std::vector<KeyRow> rows{
        {0,
         12,
         {{36, 60, "!", 0x21},
          {61, 88, "\"", 0x22},
          {89, 116, "£", 0xA3},
          {117, 144, "$", 0x24},
          {145, 172, "%", 0x25},
          {173, 201, "^", 0x5E},
          {202, 229, "&", 0x26},
          {230, 258, "*", 0x2A},
          {259, 285, "(", 0x28},
          {286, 313, ")", 0x29},
          {314, 342, "_", 0x5F},
          {343, 370, "+", 0x2B}}},
        {0, 25, {{371, 424, "BkSp", 0x08}}},
        {13,
         25,
         {{36, 60, "1", 0x31},
          {61, 88, "2", 0x32},
          {89, 116, "3", 0x33},
          {117, 144, "4", 0x34},
          {145, 172, "5", 0x35},
          {173, 201, "6", 0x36},
          {202, 229, "7", 0x37},
          {230, 258, "8", 0x38},
          {259, 285, "9", 0x39},
          {286, 313, "0", 0x30},
          {314, 342, "-", 0x2D},
          {343, 370, "=", 0x3D}}},
        {26,
         42,
         {{47, 60, "Ctrl+Q", 0x11},   {61, 74, "Q", 0x51},        {75, 88, "Ctrl+W", 0x17},
          {89, 103, "W", 0x57},       {104, 116, "Ctrl+E", 0x05}, {117, 131, "E", 0x45},
          {132, 144, "Ctrl+R", 0x12}, {145, 159, "R", 0x52},      {160, 172, "Ctrl+T", 0x14},
          {173, 187, "T", 0x54},      {188, 200, "Ctrl+Y", 0x19}, {201, 215, "Y", 0x59},
          {216, 229, "Ctrl+U", 0x15}, {230, 243, "U", 0x55},      {244, 256, "Ctrl+I", 0x09},
          {257, 271, "I", 0x49},      {272, 285, "Ctrl+O", 0x0F}, {286, 300, "O", 0x4F},
          {301, 313, "Ctrl+P", 0x10}, {314, 328, "P", 0x50},      {329, 341, "Ctrl+(", 0x1B},
          {342, 355, "{", 0x7B},      {356, 369, "Ctrl+)", 0x1D}, {370, 384, "}", 0x7D}}},
        {26, 55, {{7, 46, "Tab", 0x09}, {385, 402, "Ctrl+Enter", 0x0A}, {403, 424, "Enter", 0x0D}}},
        {43,
         55,
         {{47, 74, "q", 0x71},
          {75, 103, "w", 0x77},
          {104, 131, "e", 0x65},
          {132, 159, "r", 0x72},
          {160, 187, "t", 0x74},
          {188, 215, "y", 0x79},
          {216, 243, "u", 0x75},
          {244, 271, "i", 0x69},
          {272, 300, "o", 0x6F},
          {301, 328, "p", 0x70},
          {329, 355, "[", 0x5B},
          {356, 384, "]", 0x5D}}},
        {56,
         69,
         {{57, 67, "Ctrl+A", 0x01},   {68, 81, "A", 0x41},        {82, 94, "Ctrl+S", 0x13},
          {95, 110, "S", 0x53},       {111, 122, "Ctrl+D", 0x04}, {123, 136, "D", 0x44},
          {137, 151, "Ctrl+F", 0x06}, {152, 165, "F", 0x46},      {166, 180, "Ctrl+G", 0x07},
          {181, 194, "G", 0x47},      {195, 207, "Ctrl+H", 0x08}, {208, 222, "H", 0x48},
          {223, 235, "Ctrl+J", 0x0A}, {236, 250, "J", 0x4A},      {251, 263, "Ctrl+K", 0x0B},
          {264, 278, "K", 0x4B},      {279, 291, "Ctrl+L", 0x0C}, {292, 306, "L", 0x4C},
          {307, 334, ":", 0x3A},      {335, 363, "@", 0x40},      {364, 376, "Ctrl+~", 0x1C},
          {377, 390, "~", 0x7E}}},
        {56, 83, {{391, 424, "Enter", 0x0D}}},
        {70,
         83,
         {{57, 81, "a", 0x61},
          {82, 110, "s", 0x73},
          {111, 136, "d", 0x64},
          {137, 165, "f", 0x66},
          {166, 194, "g", 0x67},
          {195, 222, "h", 0x68},
          {223, 250, "j", 0x6A},
          {251, 278, "k", 0x6B},
          {279, 306, "l", 0x6C},
          {307, 334, ";", 0x3B},
          {335, 363, "'", 0x27},
          {364, 390, "#", 0x23}}},
        {84,
         97,
         {{43, 53, "Ctrl+|", 0x1C},
          {54, 66, "|", 0x7C},
          {67, 82, "Ctrl+Z", 0x1A},
          {83, 95, "Z", 0x5A},
          {96, 109, "Ctrl+X", 0x18},
          {110, 123, "X", 0x58},
          {124, 137, "Ctrl+C", 0x03},
          {138, 152, "C", 0x43},
          {153, 166, "Ctrl+V", 0x16},
          {167, 179, "V", 0x56},
          {180, 194, "Ctrl+B", 0x02},
          {195, 208, "B", 0x42},
          {209, 222, "Ctrl+N", 0x0E},
          {223, 236, "N", 0x4E},
          {237, 249, "Ctrl+M", 0x0D},
          {250, 264, "M", 0x4D},
          {265, 292, "<", 0x3C},
          {293, 320, ">", 0x3E},
          {321, 349, "?", 0x3F}}},
        {98,
         111,
         {{43, 66, "\\", 0x5C},
          {67, 95, "z", 0x7A},
          {96, 123, "x", 0x78},
          {124, 152, "c", 0x63},
          {153, 179, "v", 0x76},
          {180, 208, "b", 0x62},
          {209, 236, "n", 0x6E},
          {237, 264, "m", 0x6D},
          {265, 292, ",", 0x2C},
          {293, 320, ".", 0x2E},
          {321, 349, "/", 0x2F}}},
        {112, 149, {{114, 278, "Space", 0x20}}},
    };
    std::vector<KeyRegion> map;
    for (const KeyRow& row : rows) {
        for (const Key& key : row.Keys) {
            map.push_back({key.Left, row.Top, key.Right, row.Bottom, key.Name, key.Code});
        }
    }
    return map;
}

} // namespace

std::span<const KeyRegion> OnScreenKeyMap() {
    static const std::vector<KeyRegion> map = MakeKeyMap();
    return map;
}

const KeyRegion* FindKeyByCode(uint8_t code) {
    for (const KeyRegion& key : OnScreenKeyMap()) {
        if (key.Code == code) {
            return &key;
        }
    }
    return nullptr;
}

const KeyRegion* FindKey(int x, int y) {
    for (const KeyRegion& key : OnScreenKeyMap()) {
        if (key.Contains(x, y)) {
            return &key;
        }
    }
    return nullptr;
}
