#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "DeviceMachine.h"
#include "InterruptProgram.h"
#include "devices/OnScreenKeyMap.h"

namespace {

struct Hit {
    int X;
    int Y;
    int Code;
    const char* Name;
};

// The first and last key of every row at its top and bottom edge, the points just
// outside them, and a few keys in between.
// clang-format off
const Hit Hits[] = {
    {36, 0, 0x21, "!"},            {370, 12, 0x2B, "+"},          {35, 0, 0, ""},
    {100, 5, 0xA3, "£"},           {424, 25, 0x08, "BkSp"},       {425, 25, 0, ""},
    {36, 13, 0x31, "1"},           {370, 25, 0x3D, "="},          {47, 26, 0x11, "Ctrl+Q"},
    {61, 42, 0x51, "Q"},           {384, 42, 0x7D, "}"},          {6, 30, 0, ""},
    {7, 26, 0x09, "Tab"},          {402, 55, 0x0A, "Ctrl+Enter"}, {403, 26, 0x0D, "Enter"},
    {47, 43, 0x71, "q"},           {384, 55, 0x5D, "]"},          {56, 60, 0, ""},
    {57, 56, 0x01, "Ctrl+A"},      {390, 69, 0x7E, "~"},          {424, 83, 0x0D, "Enter"},
    {57, 70, 0x61, "a"},           {390, 83, 0x23, "#"},          {42, 90, 0, ""},
    {43, 84, 0x1C, "Ctrl+|"},      {349, 97, 0x3F, "?"},          {43, 98, 0x5C, "\\"},
    {349, 111, 0x2F, "/"},         {113, 120, 0, ""},             {114, 112, 0x20, "Space"},
    {278, 149, 0x20, "Space"},     {200, 150, 0, ""},
};
// clang-format on

TEST(OnScreenKeyMap, KeysSitWhereThePictureDrawsThem) {
    for (const Hit& hit : Hits) {
        SCOPED_TRACE(std::to_string(hit.X) + "," + std::to_string(hit.Y));
        const KeyRegion* key = FindKey(hit.X, hit.Y);
        EXPECT_EQ(key ? key->Code : 0, hit.Code);
        EXPECT_EQ(key ? key->Name : "", hit.Name);
    }
}

TEST(OnScreenKeyMap, NoTwoKeysOverlap) {
    const auto map = OnScreenKeyMap();
    for (size_t i = 0; i < map.size(); ++i) {
        for (size_t j = i + 1; j < map.size(); ++j) {
            const bool apart = map[i].Right < map[j].Left || map[j].Right < map[i].Left ||
                               map[i].Bottom < map[j].Top || map[j].Bottom < map[i].Top;
            EXPECT_TRUE(apart) << map[i].Name << " and " << map[j].Name;
        }
    }
}

// Letters, digits and signs store their own character code; Ctrl with a letter stores the
// letter's place in the alphabet.
TEST(OnScreenKeyMap, CodesFollowTheCharacterSet) {
    int letters = 0;
    for (const KeyRegion& key : OnScreenKeyMap()) {
        const std::string_view name = key.Name;
        if (name.size() == 1) {
            EXPECT_EQ(key.Code, static_cast<uint8_t>(name[0])) << name;
        } else if (name.size() == 6 && name.starts_with("Ctrl+") && std::isalpha(name[5])) {
            EXPECT_EQ(key.Code, name[5] - 'A' + 1) << name;
            ++letters;
        }
    }
    EXPECT_EQ(letters, 26);
}

struct OnScreenKeyboardTest : ::testing::Test {
    DeviceMachine m{InterruptProgram};
    OnScreenKeyboard& keyboard = m.devices.Keyboard;
    void SetUp() override { ASSERT_TRUE(m.Assemble()); }
};

TEST_F(OnScreenKeyboardTest, AClickInterruptsARunningProgramThatReadsTheKey) {
    m.Start();
    m.Tick(3);
    ASSERT_EQ(m.RegLow(IP), IdleLoop);
    keyboard.Press(0x41);
    EXPECT_EQ(m.RegLow(IP), 0x50);
    EXPECT_EQ(m.RegLow(SP), 0xBE);
    EXPECT_EQ(m.Cell(0xBF), IdleLoop);
    m.Tick();
    EXPECT_EQ(m.RegLow(AL), 0x41);
    m.Tick();
    EXPECT_EQ(m.RegLow(IP), IdleLoop);
    EXPECT_EQ(m.RegLow(SP), 0xBF);
}

} // namespace
