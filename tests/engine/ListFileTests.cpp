#include <algorithm>
#include <ostream>

#include "EngineFixture.h"

namespace {

using Lines = std::vector<std::string>;

const Lines Header = {"; LIST FILE", ";", "; This shows the machine code that was generated and",
                      "; the addresses at which the codes were stored.", ";"};

// The list lines after the header.
Lines Body(const TestMachine& m) {
    const Lines& lines = m.machine.List.Lines();
    return Lines(lines.begin() + static_cast<std::ptrdiff_t>(Header.size()), lines.end());
}

TEST(ListFile, SixLineDemoProgram) {
    TestMachine m("; demo\n    MOV AL,15 ; load\nLOOP:\nINC AL\nJMP LOOP\nEND\n");
    ASSERT_TRUE(m.Assemble()) << m.ui.LastError();
    EXPECT_EQ(m.machine.List.Text(), "; LIST FILE : SUCCESS : No errors found.\r\n"
                                     ";\r\n"
                                     "; This shows the machine code that was generated and\r\n"
                                     "; the addresses at which the codes were stored.\r\n"
                                     ";\r\n"
                                     "; demo\r\n"
                                     "\tMOV\tAL,15\t; [00]  D0 00 15\t; load\r\n"
                                     "LOOP:\t\t\t;\t\t\r\n"
                                     "\tINC\tAL\t; [03]  A4 00\t\r\n"
                                     "\tJMP\tLOOP\t; [05]  C0 FE\t\r\n"
                                     "\tEND\t\t; [07]  00\t\r\n"
                                     ";\r\n"
                                     "; SUCCESS : No errors found.");
}

struct LineCase {
    std::string Source; // END follows on the next line
    Lines Expected;     // the lines before END's
    friend void PrintTo(const LineCase& c, std::ostream* out) { *out << c.Source; }
};

class ListLine : public testing::TestWithParam<LineCase> {};

TEST_P(ListLine, IsLaidOutWithTabs) {
    TestMachine m(GetParam().Source + "\nEND\n");
    ASSERT_TRUE(m.Assemble()) << m.ui.LastError();
    Lines body = Body(m);
    ASSERT_GE(body.size(), 3u);
    body.resize(body.size() - 3); // END and the success lines
    EXPECT_EQ(body, GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, ListLine,
    testing::Values(LineCase{"ORG 10\nIN 07", {"\tORG\t10\t;\t\t", "\tIN\t07\t; [10]  F0 07\t"}},
                    LineCase{"MOV AL,[15]", {"\tMOV\tAL,[15]\t; [00]  D1 00 15"}},
                    LineCase{"MOV [AL],BL", {"\tMOV\t[AL],BL\t; [00]  D4 00 01"}},
                    LineCase{"CMP CL,[5]", {"\tCMP\tCL,[5]\t; [00]  DC 02 05"}},
                    LineCase{"ADD AL,BL", {"\tADD\tAL,BL\t; [00]  A0 00 01"}},
                    LineCase{"CALL 30", {"\tCALL\t30\t; [00]  CA 30\t"}},
                    LineCase{"RET", {"\tRET\t\t; [00]  CB\t"}},
                    LineCase{"DB 41", {"\tDB\t41\t; [00]  41\t"}}, LineCase{"DB \"\"", {}},
                    LineCase{"ORG 40\nDB \"abc\"",
                             {"\tORG\t40\t;\t\t", "\tDB\tA\t; [40]  41\t", "\t\tB\t; [41]  42\t",
                              "\t\tC\t; [42]  43\t"}},
                    LineCase{"NOP\n\nNOP",
                             {"\tNOP\t\t; [00]  FF\t", "\t\t\t;\t\t", "\tNOP\t\t; [01]  FF\t"}},
                    LineCase{"INC AL ; a\n  ; b\n;c",
                             {"\tINC\tAL\t; [00]  A4 00\t\t; a", "\t\t\t;\t\t\t; b", ";c"}},
                    LineCase{"Start:", {"START:\t\t\t;\t\t"}}));

TEST(ListFile, ErrorKeepsTheStatementsSoFarAndEndsWithTheMessage) {
    TestMachine m("NOP\nFOO\nNOP\nEND\n");
    EXPECT_FALSE(m.Assemble());
    EXPECT_EQ(m.machine.List.Lines().front(), "; LIST FILE");
    EXPECT_EQ(Body(m), (Lines{"\tNOP\t\t; [00]  FF\t", ";",
                              "; Expected a comment, label or machine instruction.  Got FOO."}));
}

// The address of a line whose bytes did not all fit is counted back from the address after
// the last attempt.
TEST(ListFile, FailedPlacementListsItsLineAfterTheError) {
    TestMachine m("ORG FF\nINC AL\nEND\n");
    EXPECT_FALSE(m.Assemble());
    const std::string beyond = "; Can not generate code beyond the end of RAM.";
    EXPECT_EQ(Body(m), (Lines{"\tORG\tFF\t;\t\t", ";", beyond, "\tINC\tAL\t; [FE]  A4 00\t", ";",
                              beyond, "\tEND\t\t; [FF]  00\t"}));
    EXPECT_EQ(m.Cell(0xFF), 0xA4);
}

TEST(JumpPatching, FindsItsOwnMarkAfterQuestionMarksInEarlierLines) {
    TestMachine m("; what?\nDB \"?\"\nL: JMP L ; why?\nJMP L\nEND\n");
    ASSERT_TRUE(m.Assemble()) << m.ui.LastError();
    EXPECT_EQ(Body(m), (Lines{"; what?", "\tDB\t?\t; [00]  3F\t", "L:\t\t\t;\t\t",
                              "\tJMP\tL\t; [01]  C0 00\t\t; why?", "\tJMP\tL\t; [03]  C0 FE\t",
                              "\tEND\t\t; [05]  00\t", ";", "; SUCCESS : No errors found."}));
}

TEST(JumpPatching, ResolvesInSourceOrderAndStopsAtTheFirstFailure) {
    TestMachine m("JMP A\nJMP B\nJMP A\nA:\nEND\n");
    EXPECT_FALSE(m.Assemble());
    EXPECT_EQ(m.ui.LastError(), "Jump without a destination.  B");
    EXPECT_EQ(m.machine.List.Lines().front(), "; LIST FILE"); // no success claimed
    EXPECT_EQ(m.Cell(1), 0x06);
    EXPECT_EQ(Body(m), (Lines{"\tJMP\tA\t; [00]  C0 06\t", "\tJMP\tB\t; [02]  C0 ??\t",
                              "\tJMP\tA\t; [04]  C0 ??\t", "A:\t\t\t;\t\t", "\tEND\t\t; [06]  00\t",
                              ";", "; Jump without a destination.  B"}));
}

struct RangeCase {
    std::string Source;
    int JumpAddress;
    int Distance; // -1000 when the jump is refused
    friend void PrintTo(const RangeCase& c, std::ostream* out) { *out << c.Source; }
};

class JumpRange : public testing::TestWithParam<RangeCase> {};

TEST_P(JumpRange, AllowsMinus128To127) {
    TestMachine m(GetParam().Source);
    const bool refused = GetParam().Distance == -1000;
    EXPECT_EQ(m.Assemble(), !refused) << m.ui.LastError();
    if (refused) {
        EXPECT_EQ(m.ui.LastError(), "Jump can not exceed -128..127  L");
        EXPECT_NE(m.ListText().find("C0 ??"), std::string::npos);
    } else {
        EXPECT_EQ(m.Cell(GetParam().JumpAddress + 1), GetParam().Distance & 0xFF);
    }
}

INSTANTIATE_TEST_SUITE_P(Edges, JumpRange,
                         testing::Values(RangeCase{"L:\nORG 80\nJMP L\nEND\n", 0x80, -128},
                                         RangeCase{"L:\nORG 81\nJMP L\nEND\n", 0x81, -1000},
                                         RangeCase{"JMP L\nORG 7F\nL:\nEND\n", 0x00, 127},
                                         RangeCase{"JMP L\nORG 80\nL:\nEND\n", 0x00, -1000},
                                         RangeCase{"loop: JMP LOOP\nEND\n", 0x00, 0},
                                         RangeCase{"_1ST: NOP\nJMP _1ST\nEND\n", 0x01, -1},
                                         RangeCase{"AL: NOP\nJNZ AL\nEND\n", 0x01, -1}));

TEST(AssemblerLog, NarratesTheParseOfIncAl) {
    TestMachine m("INC AL\nEND\n");
    m.machine.Settings.AsmLog = true;
    ASSERT_TRUE(m.Assemble());
    Lines expected = {"Convert source to tokens.", "Might have comment"};
    for (const char* mnemonic : {"MOV", "ADD", "SUB", "MUL", "DIV", "MOD", "AND", "OR", "XOR",
                                 "ROL", "ROR", "SHL", "SHR", "INC"}) {
        expected.push_back(std::string("Might have ") + mnemonic);
    }
    expected.insert(expected.end(), {"Might have register", "Generate machine code: INC\tA4",
                                     "Generate machine code: AL\t00", "Might have comment"});
    const Lines& log = m.ui.AsmLogLines();
    ASSERT_GE(log.size(), expected.size());
    EXPECT_EQ(Lines(log.begin(), log.begin() + static_cast<std::ptrdiff_t>(expected.size())),
              expected);
    EXPECT_EQ(Lines(log.end() - 5, log.end()),
              (Lines{"Might have OUT", "Might have END", "Generate machine code: END\t00",
                     "FINISHED - SUCCESS", "Calculate jumps"}));
}

TEST(AssemblerLog, LabelsAndJumpDistances) {
    TestMachine m("LOOP: INC AL\nJMP LOOP\nEND\n");
    m.machine.Settings.AsmLog = true;
    ASSERT_TRUE(m.Assemble());
    const Lines& log = m.ui.AsmLogLines();
    EXPECT_EQ(log.back(), "LOOP distance = -2");
    EXPECT_NE(std::find(log.begin(), log.end(), "Search for duplicate label"), log.end());
    EXPECT_EQ(m.Cell(3), 0xFE);
}

} // namespace
