#include <ostream>

#include "EngineFixture.h"

namespace {

std::vector<int> Bytes(const TestMachine& m, int from, size_t count) {
    std::vector<int> bytes;
    for (size_t i = 0; i < count; ++i) {
        bytes.push_back(m.Cell(from + static_cast<int>(i)));
    }
    return bytes;
}

// One program of every operand form; the bytes follow each other from 00.
TEST(Placement, EveryFormPlacesItsBytes) {
    TestMachine m("mov al,0f\nMOV AL,F\nMOV AL,\n15\nMOV DL,[15]\nMOV [C0],CL\nMOV AL,[BL]\n"
                  "MOV [AL],BL\nADD AL,BL\nADD CL,FF\nSUB DL,AL\nSUB AL,1\nMUL AL,CL\nMUL AL,2\n"
                  "DIV BL,DL\nDIV BL,3\nMOD BL,CL\nMOD AL,7\nAND AL,BL\nAND AL,F0\nOR AL,BL\n"
                  "OR AL,80\nXOR AL,BL\nXOR AL,DB\nROL AL\nROR BL\nSHL CL\nSHR DL\nINC AL\n"
                  "DEC AL\nNOT AL\nPUSH BL\nPOP CL\nCMP AL,BL\nCMP AL,5\nCMP AL,[5]\nIN 07\n"
                  "OUT 1\nOUT 10\nCALL 30\nINT 2\nRET\nIRET\nPUSHF\nPOPF\nHALT\nNOP\nCLI\nSTI\n"
                  "CLO\nDB 41\nDB \"Hello\"\nDB \"\"\nL: JMP L\nJZ L\nJNZ L\nJS L\nJNS L\nJO L\n"
                  "JNO L\nINC AL END\n");
    ASSERT_TRUE(m.Assemble()) << m.ui.LastError();
    const std::vector<int> expected = {
        0xD0, 0x00, 0x0F, 0xD0, 0x00, 0x0F, 0xD0, 0x00, 0x15, 0xD1, 0x03, 0x15, 0xD2,
        0xC0, 0x02, 0xD3, 0x00, 0x01, 0xD4, 0x00, 0x01, // MOV
        0xA0, 0x00, 0x01, 0xB0, 0x02, 0xFF, 0xA1, 0x03, 0x00, 0xB1, 0x00, 0x01, 0xA2,
        0x00, 0x02, 0xB2, 0x00, 0x02, 0xA3, 0x01, 0x03, 0xB3, 0x01, 0x03, 0xA6, 0x01,
        0x02, 0xB6, 0x00, 0x07, 0xAA, 0x00, 0x01, 0xBA, 0x00, 0xF0, 0xAB, 0x00, 0x01,
        0xBB, 0x00, 0x80, 0xAC, 0x00, 0x01, 0xBC, 0x00, 0xDB, // arithmetic and logic
        0x9A, 0x00, 0x9B, 0x01, 0x9C, 0x02, 0x9D, 0x03, 0xA4, 0x00, 0xA5, 0x00, 0xAD,
        0x00, 0xE0, 0x01, 0xE1, 0x02,                               // one register
        0xDA, 0x00, 0x01, 0xDB, 0x00, 0x05, 0xDC, 0x00, 0x05,       // CMP
        0xF0, 0x07, 0xF1, 0x01, 0xF1, 0x10, 0xCA, 0x30, 0xCC, 0x02, // ports, CALL, INT
        0xCB, 0xCD, 0xEA, 0xEB, 0x00, 0xFF, 0xFD, 0xFC, 0xFE,       // no operand
        0x41, 0x48, 0x45, 0x4C, 0x4C, 0x4F,                         // DB
        0xC0, 0x00, 0xC1, 0xFE, 0xC2, 0xFC, 0xC3, 0xFA, 0xC4, 0xF8, 0xC5, 0xF6, 0xC6,
        0xF4, 0xA4, 0x00, 0x00};
    EXPECT_EQ(Bytes(m, 0, expected.size()), expected);
}

TEST(Placement, OriginMovesTheCodeAddressBothWays) {
    TestMachine m("ORG 50\nNOP\nORG 10\nSTI\nEND\n");
    ASSERT_TRUE(m.Assemble());
    EXPECT_EQ(m.Cell(0x50), 0xFF);
    EXPECT_EQ(m.Cell(0x10), 0xFC);
    EXPECT_EQ(m.Cell(0x11), 0x00);
}

struct SpanCase {
    std::string Source;
    int Address;
    int32_t Start;
    int32_t Length;
    friend void PrintTo(const SpanCase& c, std::ostream* out) { *out << c.Source; }
};

class SourceSpan : public testing::TestWithParam<SpanCase> {};

TEST_P(SourceSpan, CoversTheWholeInstruction) {
    TestMachine m(GetParam().Source);
    ASSERT_TRUE(m.Assemble()) << m.ui.LastError();
    const std::optional<CellShown> cell = m.machine.Machine.Cell(GetParam().Address);
    ASSERT_TRUE(cell);
    EXPECT_EQ(cell->SrcStart, GetParam().Start);
    EXPECT_EQ(cell->SrcLength, GetParam().Length);
}

INSTANTIATE_TEST_SUITE_P(
    Spans, SourceSpan,
    testing::Values(
        SpanCase{"INC AL\nEND\n", 0, 0, 6}, SpanCase{"HALT\nEND\n", 0, 0, 4},
        SpanCase{"MOV AL,[15]\nEND\n", 0, 0, 11}, SpanCase{"MOV AL,[BL]\nEND\n", 0, 0, 11},
        SpanCase{"CMP AL,[15]\nEND\n", 0, 0, 11}, SpanCase{"MOV [15],AL\nEND\n", 0, 0, 11},
        SpanCase{"MOV AL,\n15\nEND\n", 0, 0, 11}, SpanCase{"NOP\nJMP L\nL:\nEND\n", 1, 5, 5},
        // each character of a string selects the string, closing quote included
        SpanCase{"DB \"ab\"\nEND\n", 1, 3, 4}));

TEST(Assembly, FirstInstructionIsSelectedAndTheStatusEndsInSuccess) {
    TestMachine m("  INC AL\nEND\n");
    ASSERT_TRUE(m.Assemble());
    EXPECT_EQ(m.ui.SelectionStart(), 2);
    EXPECT_EQ(m.ui.SelectionLength(), 6);
    EXPECT_EQ(m.ui.StatusText(), " Make tokens.  Parse tokens.  Calculate jumps.  Success.");
    EXPECT_FALSE(m.machine.Machine.NeedsAssembly);
}

TEST(Assembly, EmptyCellsAreFilledAfterEnd) {
    TestMachine m("ORG C1\nDB 41\nORG 00\nINC AL\nEND\n");
    ASSERT_TRUE(m.Assemble());
    EXPECT_EQ(m.Cell(0xC1), 0x41);
    for (int address = 3; address < 0x100; ++address) {
        const std::optional<CellShown> cell = m.machine.Machine.Cell(address);
        if (address == 0xC1) {
            continue;
        }
        ASSERT_TRUE(cell);
        const bool screen = address >= 0xC0;
        EXPECT_EQ(cell->Value, screen ? 0x20 : 0) << address;
        EXPECT_EQ(cell->Text, screen ? " " : "END") << address;
        EXPECT_EQ(cell->BinText, screen ? "00100000" : "00000000") << address;
        EXPECT_EQ(cell->SrcLength, 0) << address;
    }
    EXPECT_EQ(m.machine.Machine.Cell(2)->Text, "END");
    EXPECT_EQ(m.machine.Machine.Cell(2)->SrcLength, 3);
}

TEST(Assembly, CodeAfterEndIsIgnoredEvenWhenInvalid) {
    TestMachine m("NOP\nEND\nFOO BAR ,,, MOV AL,BL\n");
    ASSERT_TRUE(m.Assemble()) << m.ui.LastError();
    EXPECT_EQ(m.Cell(1), 0x00);
}

TEST(Assembly, AssemblingTwiceGivesTheSameResult) {
    TestMachine m("MOV AL,[15]\nL: JMP L\nDB \"X\"\nEND\n");
    ASSERT_TRUE(m.Assemble());
    const std::string list = m.ListText();
    const std::vector<int> ram = Bytes(m, 0, 256);
    ASSERT_TRUE(m.Assemble());
    EXPECT_EQ(m.ListText(), list);
    EXPECT_EQ(Bytes(m, 0, 256), ram);
}

struct ErrorCase {
    std::string Source;
    std::string Message;
    friend void PrintTo(const ErrorCase& c, std::ostream* out) { *out << c.Source; }
};

class AssemblerError : public testing::TestWithParam<ErrorCase> {};

// The message of the first error pair in the list file, after its five header lines.
std::string FirstError(const std::vector<std::string>& lines) {
    for (size_t i = 6; i < lines.size(); ++i) {
        if (lines[i - 1] == ";" && lines[i].starts_with("; ")) {
            return lines[i].substr(2);
        }
    }
    return {};
}

TEST_P(AssemblerError, ReportsTheMessage) {
    TestMachine m(GetParam().Source);
    EXPECT_FALSE(m.Assemble());
    const std::vector<std::string>& lines = m.machine.List.Lines();
    EXPECT_EQ(FirstError(lines), GetParam().Message);
    EXPECT_EQ(lines.front(), "; LIST FILE");
    EXPECT_TRUE(m.machine.Machine.NeedsAssembly);
}

const ErrorCase ErrorCases[] = {
    {"FOO\nEND\n", "Expected a comment, label or machine instruction.  Got FOO."},
    {"START :\nEND\n", "Expected a comment, label or machine instruction.  Got START."},
    {"INC AL\n", "Expected  END  at the end of the source code."},
    {"INC BX\nEND\n", "Expected AL, BL, CL or DL.  Got BX"},
    {"ADD AL BL\nEND\n", "Expected ,  Got BL"},
    {"ADD AL,100\nEND\n", "Expected a hexadecimal number, AL, BL, CL or DL.  Got 100"},
    {"ADD AL,", "Expected a hexadecimal number, AL, BL, CL or DL.  Got ,"},
    {"MOV AL,BL\nEND\n", "Command not available.  Use PUSH BL POP AL instead of MOV AL,BL"},
    {"MOV AL,100\nEND\n", "Expected a hexadecimal number or '['  Got 100"},
    {"MOV AL,[X]\nEND\n", "Expected a hexadecimal number, AL, BL, CL or DL.  Got X"},
    {"MOV AL,[15\nEND\n", "Expected ]  Got END"},
    // brackets are added only once the whole operand has been read
    {"MOV AL,[15", "Expected ]  Got 15"},
    {"MOV [15", "Expected ]  Got 15"},
    {"CMP AL,[15", "Expected ]  Got 15"},
    {"MOV [15],X\nEND\n", "Expected AL, BL, CL or DL.  Got X"},
    {"MOV [AL],X\nEND\n", "Expected AL, BL, CL or DL  Got X"},
    {"MOV [X],AL\nEND\n", "Expected a hexadecimal number, AL, BL, CL or DL  Got X"},
    {"MOV [15]AL\nEND\n", "Expected ,  Got AL"},
    {"MOV 15,AL\nEND\n", "Expected AL, BL, CL, DL or '['  Got 15"},
    {"CMP X,AL\nEND\n", "Expected AL, BL, CL or DL.  Got X"},
    {"CMP AL,X\nEND\n", "Expected AL, BL, CL or DL.  Got X"},
    {"CMP AL,[BL]\nEND\n", "Expected a hexadecimal number.  Got BL"},
    {"IN X\nEND\n", "Expected a hexadecimal number.  Got X"},
    {"CALL START\nEND\n", "Expected a hexadecimal number.  Got START"},
    {"ORG 100\nEND\n", "Expected a hexadecimal number.  Got 100"},
    {"DB X\nEND\n", "Expected a hexadecimal number or \"text string\".  Got X"},
    {"DB \"abc\nEND\n", "Missing closing quote.  \"ABC"},
    {"DB \"\nEND\n", "Missing closing quote.  \""},
    {"ORG 10\nNOP\nORG 10\nNOP\nEND\n", "Can not overwrite code already generated."},
    {"ORG FF\nNOP\nNOP\nEND\n", "Can not generate code beyond the end of RAM."},
    {"1ST:\nEND\n", "Labels should begin with a character and contain A..Z, a..z, 0..9 or _."},
    {"JMP 05\nEND\n", "Labels should begin with a character and contain A..Z, a..z, 0..9 or _."},
    {"L:\nNOP\nL:\nEND\n", "Duplicate destination labels are not allowed."},
    {"JMP X\nEND\n", "Jump without a destination.  X"},
    {"JMP L\nEND\nL:\n", "Jump without a destination.  L"}};

INSTANTIATE_TEST_SUITE_P(Messages, AssemblerError, testing::ValuesIn(ErrorCases));

struct SelectionCase {
    std::string Source;
    int32_t Start;
    int32_t Length;
    friend void PrintTo(const SelectionCase& c, std::ostream* out) { *out << c.Source; }
};

class ErrorSelection : public testing::TestWithParam<SelectionCase> {};

// The error is placed where the token is selected, also a token of no length.
TEST_P(ErrorSelection, SelectsTheOffendingToken) {
    TestMachine m(GetParam().Source);
    EXPECT_FALSE(m.Assemble());
    EXPECT_EQ(m.ui.SelectionStart(), GetParam().Start);
    EXPECT_EQ(m.ui.SelectionLength(), GetParam().Length);
    ASSERT_EQ(m.machine.Errors.size(), 1u);
    EXPECT_EQ(m.machine.Errors[0].SourceStart, GetParam().Start);
}

// A blank line's marker starts where the token before it starts.
INSTANTIATE_TEST_SUITE_P(Tokens, ErrorSelection,
                         testing::Values(SelectionCase{"MOV AL,BL\nEND\n", 7, 2},
                                         SelectionCase{"NOP\nINC AL\n", 9, 2},
                                         SelectionCase{"L:\nL:\nEND\n", 4, 2},
                                         SelectionCase{"NOP\nJMP X\nEND\n", 9, 1},
                                         SelectionCase{"MOV AL,[05\n\n]\nEND\n", 8, 0},
                                         SelectionCase{"NOP\nINC AL\n\n", 9, 0}));

TEST(AssemblerErrors, ParsingGoesOnWhenTheOffendingTokenBeginsAStatement) {
    TestMachine m("INC\nEND\n");
    EXPECT_FALSE(m.Assemble());
    EXPECT_EQ(m.ui.ErrorCount(), 1);
    EXPECT_EQ(m.ui.LastError(), "Expected AL, BL, CL or DL.  Got END");
    const std::vector<std::string>& lines = m.machine.List.Lines();
    EXPECT_EQ(lines.back(), "\tEND\t\t; [00]  00\t");
    EXPECT_EQ(lines.front(), "; LIST FILE");
}

TEST(AssemblerErrors, NothingToAssembleLeavesTheListAlone) {
    TestMachine m("NOP\nEND\n");
    ASSERT_TRUE(m.Assemble());
    const std::string list = m.ListText();
    m.Load("");
    m.Assemble();
    EXPECT_EQ(m.ui.LastError(), "Nothing to assemble.");
    EXPECT_EQ(m.ListText(), list);
    EXPECT_FALSE(m.machine.Machine.Cell(0));
}

TEST(AssemblerErrors, BlanksOnlyMissEndAndSelectNothing) {
    TestMachine m("   \n\t\n");
    EXPECT_FALSE(m.Assemble());
    EXPECT_EQ(m.ui.LastError(), "Expected  END  at the end of the source code.");
    EXPECT_EQ(m.ui.SelectionLength(), 0);
}

// Past the last token the current token is the last one: a lone final JMP is its own
// operand and a lone final DB is read as the number DB.
TEST(AssemblerErrors, LoneFinalJumpIsItsOwnOperand) {
    TestMachine m("INC AL\nJMP");
    EXPECT_FALSE(m.Assemble());
    EXPECT_EQ(m.ui.LastError(), "Expected  END  at the end of the source code.");
    EXPECT_EQ(m.ui.ErrorCount(), 1);
    EXPECT_EQ(m.machine.Machine.SourceToken(2), m.machine.Machine.SourceToken(3));
    EXPECT_EQ(m.Cell(2), 0xC0);
}

TEST(AssemblerErrors, LoneFinalDataIsReadAsANumber) {
    TestMachine m("DB");
    EXPECT_FALSE(m.Assemble());
    EXPECT_EQ(m.ui.LastError(), "Expected  END  at the end of the source code.");
    EXPECT_EQ(m.Cell(0), 0xDB);
    EXPECT_EQ(m.machine.List.Lines()[5], "\tDB\tDB\t; [00]  DB\t");
}

} // namespace
