#include <gtest/gtest.h>

#include <optional>

#include "core/CodeLines.h"
#include "support/TestMachine.h"

namespace {

// Lines: 1 comment, 2 MOV (00), 3 blank, 4 label, 5 INC (03), 6 JMP (05), 7 ORG, 8 DB string
// (40), 9 label and comment, 10 END (43), 11 blank.
const char* const Program = "; counts\n"
                            "  MOV AL,0\n"
                            "\n"
                            "L:\n"
                            "  INC AL ; one more\n"
                            "  JMP L\n"
                            "ORG 40\n"
                            "DB \"Hi!\"\n"
                            "E: ; the end\n"
                            "END\n"
                            "\n";

struct BindCase {
    int64_t Line;
    std::optional<LineAddress> Bound;
};

class BindsLines : public ::testing::TestWithParam<BindCase> {};

// A line with code binds to its first cell; one without binds to the next line with code.
TEST_P(BindsLines, ToTheFirstCellOfTheLineOrOfTheNextLineWithCode) {
    TestMachine m(Program);
    ASSERT_TRUE(m.Assemble());
    const CodeLines lines(m.machine.Machine, SourceText::FromBytes(Program));
    EXPECT_EQ(lines.Bind(GetParam().Line), GetParam().Bound);
}

INSTANTIATE_TEST_SUITE_P(
    CodeLines, BindsLines,
    ::testing::Values(BindCase{1, LineAddress{2, 0x00}}, BindCase{2, LineAddress{2, 0x00}},
                      BindCase{3, LineAddress{5, 0x03}}, BindCase{4, LineAddress{5, 0x03}},
                      BindCase{5, LineAddress{5, 0x03}}, BindCase{6, LineAddress{6, 0x05}},
                      BindCase{7, LineAddress{8, 0x40}}, BindCase{8, LineAddress{8, 0x40}},
                      BindCase{9, LineAddress{10, 0x43}}, BindCase{10, LineAddress{10, 0x43}},
                      BindCase{11, std::nullopt}, BindCase{99, std::nullopt}));

// Every byte of a line's code names the line; the cells filled after END name none.
TEST(CodeLines, EachPlacedCellKnowsItsLine) {
    TestMachine m(Program);
    ASSERT_TRUE(m.Assemble());
    const CodeLines lines(m.machine.Machine, SourceText::FromBytes(Program));
    for (const auto& [address, line] : {std::pair{0x01, 2}, {0x04, 5}, {0x06, 6}, {0x42, 8}}) {
        EXPECT_EQ(lines.LineOf(address), line) << address;
    }
    for (int address : {0x08, 0x3F, 0x44, 0xFF}) {
        EXPECT_EQ(lines.LineOf(address), std::nullopt) << address;
    }
}

// An ORG that goes back places a later line below an earlier one: each line still binds to
// its own opcode, not to the lowest address.
TEST(CodeLines, ALineBindsToItsOwnOpcodeWhereverOrgPutIt) {
    const char* const source = "ORG 20\nINC AL\nORG 10\nINC BL\nEND\n";
    TestMachine m(source);
    ASSERT_TRUE(m.Assemble());
    const CodeLines lines(m.machine.Machine, SourceText::FromBytes(source));
    EXPECT_EQ(lines.Bind(1), (LineAddress{2, 0x20}));
    EXPECT_EQ(lines.Bind(3), (LineAddress{4, 0x10}));
}

} // namespace
