#include <algorithm>
#include <ostream>

#include "EngineFixture.h"

namespace {

using Lines = std::vector<std::string>;

std::string Registers(const char* al, const char* ip, const char* sp, const char* flags) {
    return std::string("\tAL = ") + al + "\tBL = 00\tCL = 00\tDL = 00\tIP = " + ip +
           "\tSP = " + sp + "\tSR = " + flags;
}

TEST(RunLog, WholeProgram) {
    LoggedMachine m;
    m.Build("MOV AL,05\nNOT AL\nCALL 10\nHALT\nORG 10\nRET\nEND\n");
    m.control.ButtonRunClick();
    for (int tick = 0; tick < 10 && m.Running(); ++tick) {
        m.control.TimerCPUTimer();
    }
    const Lines expected = {
        // MOV AL,05
        Registers("00", "00", "BF", "........"), "FETCH", "\tFetch MOV", "\tFetch AL", "\tFetch 05",
        "", "EXECUTE", "\tMOV\tAL,05\t; Copy 05 into AL", "", "INSTRUCTION POINTER",
        "\tAdd 3 to IP", Registers("05", "03", "BF", "........"), Dashes(91),
        // NOT AL
        Registers("05", "03", "BF", "........"), "FETCH", "\tFetch NOT", "\tFetch AL", "",
        "EXECUTE", "\tNOT\tAL\t", "", "INSTRUCTION POINTER", "\tAdd 2 to IP",
        Registers("FA", "05", "BF", "....S..."), Dashes(91),
        // CALL 10
        Registers("FA", "05", "BF", "....S..."), "FETCH", "\tFetch CALL", "\tFetch 10", "",
        "EXECUTE", "\tCALL\t10\t; Call the procedure at address 10",
        "\t\t\t; Save IP + 2 onto the stack and decrement SP.", "\t\t\t; Set IP to 10",
        Registers("FA", "10", "BE", "....S..."), Dashes(91),
        // RET
        Registers("FA", "10", "BE", "....S..."), "FETCH", "\tFetch RET", "", "EXECUTE", "\tRET", "",
        "INSTRUCTION POINTER", "\tSet IP to the value popped off the stack: 07",
        Registers("FA", "07", "BF", "....S..."), Dashes(91),
        // HALT
        Registers("FA", "07", "BF", "....S..."), "FETCH", "\tFetch HALT", "", "EXECUTE", "\tHALT",
        ""};
    EXPECT_EQ(m.Log, expected);
    EXPECT_FALSE(m.Running());
}

// The lines between EXECUTE and the closing lines.
Lines ExecuteLines(const Lines& log) {
    const auto execute = std::find(log.begin(), log.end(), "EXECUTE");
    const auto closing = std::find(execute, log.end(), "INSTRUCTION POINTER");
    return execute == log.end() ? Lines{} : Lines(execute + 1, closing);
}

struct ExplanationCase {
    std::string Source;
    Lines Expected;
    friend void PrintTo(const ExplanationCase& c, std::ostream* out) { *out << c.Source; }
};

class Explanation : public testing::TestWithParam<ExplanationCase> {};

TEST_P(Explanation, FollowsTheFetchBlock) {
    LoggedMachine m;
    m.Build(GetParam().Source + "\nEND\n");
    m.Set(SP, 0xBE);
    m.Step();
    ASSERT_TRUE(m.NoError()) << m.ui.LastError();
    EXPECT_EQ(ExecuteLines(m.Log), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Instructions, Explanation,
    testing::Values(
        ExplanationCase{"ROL AL",
                        {"\tROL\tAL\t; Rotate the bits in AL one place to the left.",
                         "\t\t\t; The most significant bit is moved to the least significant "
                         "bit position.",
                         ""}},
        ExplanationCase{"ROR BL",
                        {"\tROR\tBL\t; Rotate the bits in BL one place to the right.",
                         "\t\t\t; The least significant bit is moved to the most significant "
                         "bit position.",
                         ""}},
        ExplanationCase{"SHL CL",
                        {"\tSHL\tCL\t; Shift the bits in CL one place to the left.",
                         "\t\t\t; The most significant bit is discarded.", ""}},
        ExplanationCase{"SHR DL",
                        {"\tSHR\tDL\t; Shift the bits in DL one place to the right.",
                         "\t\t\t; The least significant bit is discarded.", ""}},
        ExplanationCase{"INC AL", {"\tINC\tAL\t; Add 1 to AL", ""}},
        ExplanationCase{"DEC AL", {"\tDEC\tAL\t; Subtract 1 from AL", ""}},
        ExplanationCase{"NOT AL", {"\tNOT\tAL\t", ""}},
        ExplanationCase{"PUSH AL", {"\tPUSH\tAL\t; Save AL onto the stack and decrement SP.", ""}},
        ExplanationCase{"POP BL", {"\tPOP\tBL\t; Increment SP and restore BL from the stack.", ""}},
        ExplanationCase{"ADD AL,BL", {"\tADD\tAL,BL", ""}},
        ExplanationCase{"MOV AL,15", {"\tMOV\tAL,15\t; Copy 15 into AL", ""}},
        ExplanationCase{"MOV AL,[15]", {"\tMOV\tAL,[15]", ""}},
        ExplanationCase{"MOV [AL],BL", {"\tMOV\t[AL],BL", ""}},
        ExplanationCase{"CMP AL,[15]", {"\tCMP\tAL,[15]", ""}},
        ExplanationCase{"OUT 09", {"\tOUT\t09", ""}}, ExplanationCase{"JZ L\nL:", {"\tJZ\tL", ""}},
        ExplanationCase{"NOP", {"\tNOP", ""}}, ExplanationCase{"PUSHF", {"\tPUSHF", ""}}));

TEST(RunLog, IntNamesItsVector) {
    LoggedMachine m;
    m.Build("INT 02\nEND\n");
    m.Step();
    const Lines expected = {
        "\tINT\t02\t; Call the interrupt routine at the address stored in RAM location 02",
        "\t\t\t; Save IP + 2 onto the stack and decrement SP.",
        "\t\t\t; Set IP to the address fetched from RAM address 02",
        Registers("00", "00", "BE", "........"), Dashes(91)};
    EXPECT_EQ(ExecuteLines(m.Log), expected);
}

TEST(RunLog, AdvanceBlockShowsTheNewRegisters) {
    LoggedMachine m;
    m.Build("STI\nEND\n");
    m.Step();
    EXPECT_EQ(Lines(m.Log.end() - 4, m.Log.end()),
              (Lines{"INSTRUCTION POINTER", "\tAdd 1 to IP",
                     Registers("00", "01", "BF", "...I...."), Dashes(91)}));
}

} // namespace
