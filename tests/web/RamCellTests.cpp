#include <gtest/gtest.h>

#include <string>

#include "web/session/BrowserSession.h"

namespace {

struct ShownCell {
    std::string Hex;
    std::string Text;
};

std::optional<ShownCell> Shown(const BrowserSession& session, int address) {
    const std::optional<CellShown> cell = session.Cell(address);
    if (!cell) {
        return std::nullopt;
    }
    return ShownCell{std::string(cell->HexText), std::string(cell->Text)};
}

// The RAM view's source view shows nothing before an assembly, the tokens an assembly put
// in the cells (END after the program), and the byte a program wrote over one.
TEST(RamCellTest, CellsShowNothingThenTheirTokensThenTheirWrittenBytes) {
    BrowserSession session;
    EXPECT_FALSE(Shown(session, 0));
    session.SetSource("MOV AL,41\nMOV [80],AL\nEND\n");
    session.ButtonAssembleClick();
    ASSERT_TRUE(Shown(session, 0));
    EXPECT_EQ(Shown(session, 0)->Text, "MOV");
    EXPECT_EQ(Shown(session, 2)->Text, "41");
    EXPECT_EQ(Shown(session, 2)->Hex, "41");
    ASSERT_TRUE(Shown(session, 0x80));
    EXPECT_EQ(Shown(session, 0x80)->Text, "END");
    session.ButtonStepClick();
    session.ButtonStepClick();
    EXPECT_EQ(Shown(session, 0x80)->Hex, "41");
    EXPECT_EQ(Shown(session, 0x80)->Text, "41");
    EXPECT_EQ(Shown(session, 0x81)->Text, "END");
}

} // namespace
