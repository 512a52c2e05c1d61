#include "EngineFixture.h"

namespace {

struct FlagCase {
    int Value;  // unfolded
    int Stored; // held
    int Flags;
};

class FlagUpdate : public testing::TestWithParam<FlagCase> {};

// SR starts with every flag set: a flag update keeps I and replaces S, O and Z.
TEST_P(FlagUpdate, FollowsTheUnfoldedValue) {
    TestMachine m;
    m.machine.Machine.SetRegister(SR, 0xFF, false);
    m.machine.Machine.SetRegister(BL, GetParam().Value, true);
    EXPECT_EQ(m.Reg(BL), GetParam().Stored);
    EXPECT_EQ(m.Reg(SR), FlagI | GetParam().Flags);
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, FlagUpdate,
    testing::Values(FlagCase{0, 0, FlagZ}, FlagCase{1, 1, 0}, FlagCase{127, 127, 0},
                    FlagCase{128, -128, FlagO | FlagS}, FlagCase{200, -56, FlagO | FlagS},
                    FlagCase{255, -1, FlagO | FlagS}, FlagCase{256, 0, FlagO},
                    FlagCase{383, 127, FlagO}, FlagCase{384, -128, FlagO | FlagS},
                    FlagCase{16384, 0, FlagO}, FlagCase{-1, -1, FlagS}, FlagCase{-128, -128, FlagS},
                    FlagCase{-129, 127, FlagO}, FlagCase{-200, 56, FlagO}, FlagCase{-255, 1, FlagO},
                    FlagCase{-256, 0, FlagO}, FlagCase{-385, 127, FlagO},
                    FlagCase{-384, -128, FlagO | FlagS}));

TEST(CpuReset, SetsTheResetValues) {
    TestMachine m;
    for (int index = AL; index <= SR; ++index) {
        m.machine.Machine.SetRegister(index, 0x55, false);
    }
    m.machine.Machine.CpuReset();
    EXPECT_EQ(m.machine.Machine.Reg, (std::array<int16_t, RegisterCount>{0, 0, 0, 0, 0, -65, 0}));
    EXPECT_EQ(RegisterText(m.Reg(SP)), "10111111 BF -065");
}

// A stored cell no longer selects source text, so the status line keeps what it showed.
TEST(WriteCell, StoresTheByteAndForgetsTheSource) {
    TestMachine m("INC AL\nEND\n");
    ASSERT_TRUE(m.Assemble());
    m.machine.Machine.WriteCell(0x101, -56);
    const std::optional<CellShown> cell = m.machine.Machine.Cell(1);
    ASSERT_TRUE(cell);
    EXPECT_EQ(std::string(cell->Text) + " " + std::string(cell->HexText) + " " +
                  std::string(cell->BinText),
              "C8 C8 11001000");
    EXPECT_EQ(cell->SrcLength, 0);
    EXPECT_FALSE(m.ui.IsPeripheralVisible(Peripheral::Vdu));
}

// RAM holds bytes: a store makes no token and leaves the assembled one as it was, and the
// next assembly shows the source again.
TEST(WriteCell, MakesNoTokenAndKeepsTheSourceForTheNextAssembly) {
    TestMachine m("INC AL\nEND\n");
    ASSERT_TRUE(m.Assemble());
    const size_t tokens = m.machine.Tokens.Count();
    for (int address = 0; address < 0x300; ++address) {
        m.machine.Machine.WriteCell(address, 7);
    }
    EXPECT_EQ(m.machine.Tokens.Count(), tokens);
    EXPECT_EQ(m.machine.Machine.SourceToken(0)->Text, "INC");
    EXPECT_EQ(m.machine.Machine.Cell(0)->Text, "07");
    ASSERT_TRUE(m.Assemble());
    EXPECT_EQ(m.machine.Machine.Cell(0)->Text, "INC");
    EXPECT_EQ(m.Cell(0), 0xA4);
    EXPECT_EQ(m.machine.Machine.Cell(0xC0)->Text, " ");
}

TEST(RegisterTexts, SignedText) {
    const std::pair<int, const char*> cases[] = {
        {-128, "-128"}, {-100, "-100"}, {-99, "-099"}, {-65, "-065"}, {-10, "-010"},
        {-9, "-009"},   {-1, "-001"},   {0, "+000"},   {9, "+009"},   {10, "+010"},
        {99, "+099"},   {100, "+100"},  {127, "+127"}, {200, "+200"}};
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(SignedText(value), text) << value;
    }
}

TEST(RegisterTexts, RegisterText) {
    EXPECT_EQ(RegisterText(0), "00000000 00 +000");
    EXPECT_EQ(RegisterText(-1), "11111111 FF -001");
    EXPECT_EQ(RegisterText(-56), "11001000 C8 -056");
    EXPECT_EQ(RegisterText(0x12), "00010010 12 +018");
}

TEST(RegisterTexts, FlagsText) {
    EXPECT_EQ(FlagsText(0), "........");
    EXPECT_EQ(FlagsText(0x12), "...I..Z.");
    EXPECT_EQ(FlagsText(FlagS | FlagO), "....SO..");
    EXPECT_EQ(FlagsText(0xE1), "???....?");
    EXPECT_EQ(FlagsText(-1), "???ISOZ?");
}

} // namespace
