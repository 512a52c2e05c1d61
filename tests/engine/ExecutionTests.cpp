#include <ostream>

#include "EngineFixture.h"
#include "core/InstructionTable.h"

namespace {

constexpr int AllFlags = FlagI | FlagS | FlagO | FlagZ;

struct ComputeCase {
    std::string Source; // one instruction at 00; the cell at 20 holds FE
    int Al;
    int Bl;
    int Result; // AL afterwards, held
    int Flags;  // besides I
    friend void PrintTo(const ComputeCase& c, std::ostream* out) { *out << c.Source; }
};

class Compute : public testing::TestWithParam<ComputeCase> {};

// SR starts with every flag set, so each case shows which flags the instruction replaces.
TEST_P(Compute, StoresTheFoldedResultWithItsFlags) {
    LoggedMachine m;
    m.Build("ORG 20\nDB FE\nORG 00\n" + GetParam().Source + "\nEND\n");
    m.Set(AL, GetParam().Al);
    m.Set(BL, GetParam().Bl);
    m.Set(SR, AllFlags);
    const int length = FindInstruction(static_cast<uint8_t>(m.Cell(0)))->Length;
    m.Step();
    ASSERT_TRUE(m.NoError()) << m.ui.LastError();
    EXPECT_EQ(m.Reg(AL), GetParam().Result);
    EXPECT_EQ(m.Reg(SR), FlagI | GetParam().Flags);
    EXPECT_EQ(m.Reg(BL), FoldByte(GetParam().Bl));
    EXPECT_EQ(m.Reg(IP), length);
}

const ComputeCase ComputeCases[] = {
    // arithmetic: O is signed overflow, Z only for an unfolded 0
    {"ADD AL,BL", 0x7F, 0x01, -128, FlagO | FlagS},
    {"ADD AL,BL", 0x80, 0x80, 0, FlagO},
    {"ADD AL,BL", 0x01, 0xFF, 0, FlagZ},
    {"ADD AL,FF", 0x05, 0, 4, 0},
    {"SUB AL,01", 0x80, 0, 127, FlagO},
    {"SUB AL,BL", 0x05, 0x05, 0, FlagZ},
    {"SUB AL,BL", 0x00, 0x01, -1, FlagS},
    {"SUB AL,BL", 0x7F, 0xFF, -128, FlagO | FlagS},
    {"MUL AL,10", 0x10, 0, 0, FlagO},
    {"MUL AL,BL", 0x80, 0x80, 0, FlagO},
    {"MUL AL,FF", 0x05, 0, -5, FlagS},
    {"MUL AL,BL", 0x0B, 0x0B, 121, 0},
    {"DIV AL,02", 0xF9, 0, -3, FlagS},
    {"DIV AL,BL", 0x80, 0xFF, -128, FlagO | FlagS},
    {"DIV AL,BL", 0x03, 0x04, 0, FlagZ},
    {"MOD AL,02", 0xF9, 0, -1, FlagS},
    {"MOD AL,BL", 0x07, 0xFE, 1, 0},
    {"MOD AL,BL", 0x80, 0xFF, 0, FlagZ},
    // logic on the sign-extended values
    {"AND AL,BL", 0xF0, 0x0F, 0, FlagZ},
    {"AND AL,F0", 0xF5, 0, -16, FlagS},
    {"OR AL,80", 0x01, 0, -127, FlagS},
    {"OR AL,BL", 0x01, 0x02, 3, 0},
    {"XOR AL,BL", 0xFF, 0x0F, -16, FlagS},
    {"XOR AL,AL", 0x5A, 0, 0, FlagZ},
    // one register; rotates, shifts and NOT never set O
    {"INC AL", 0x7F, 0, -128, FlagO | FlagS},
    {"INC AL", 0xFF, 0, 0, FlagZ},
    {"DEC AL", 0x80, 0, 127, FlagO},
    {"DEC AL", 0x01, 0, 0, FlagZ},
    {"DEC AL", 0x00, 0, -1, FlagS},
    {"NOT AL", 0x00, 0, -1, FlagS},
    {"NOT AL", 0xFF, 0, 0, FlagZ},
    {"NOT AL", 0x80, 0, 127, 0},
    {"ROL AL", 0x80, 0, 1, 0},
    {"ROL AL", 0xC0, 0, -127, FlagS},
    {"ROR AL", 0x01, 0, -128, FlagS},
    {"ROR AL", 0x02, 0, 1, 0},
    {"SHL AL", 0x40, 0, -128, FlagS},
    {"SHL AL", 0x80, 0, 0, FlagZ},
    {"SHR AL", 0x80, 0, 64, 0},
    {"SHR AL", 0xFF, 0, 127, 0},
    {"SHR AL", 0x01, 0, 0, FlagZ},
    // compare: signed, O cleared, registers kept
    {"CMP AL,BL", 0x05, 0xFE, 5, 0},
    {"CMP AL,BL", 0x05, 0x05, 5, FlagZ},
    {"CMP AL,BL", 0xFE, 0x05, -2, FlagS},
    {"CMP AL,80", 0x7F, 0, 127, 0},
    {"CMP AL,7F", 0x80, 0, -128, FlagS},
    {"CMP AL,FF", 0xFF, 0, -1, FlagZ},
    {"CMP AL,[20]", 0xFE, 0, -2, FlagZ},
    {"CMP AL,[20]", 0x00, 0, 0, 0},
    {"CMP AL,[20]", 0x80, 0, -128, FlagS}};

INSTANTIATE_TEST_SUITE_P(Instructions, Compute, testing::ValuesIn(ComputeCases));

TEST(Move, FiveFormsAndNoFlags) {
    LoggedMachine m;
    m.Build("ORG 20\nDB 9C\nORG 00\n"
            "MOV AL,FF\nMOV CL,[20]\nMOV [C0],AL\nMOV DL,[BL]\nMOV [BL],CL\nEND\n");
    m.Set(BL, 0x20);
    m.Set(SR, FlagO);
    m.Step();
    EXPECT_EQ(m.Reg(AL), -1);
    m.Step();
    EXPECT_EQ(m.Reg(CL), FoldByte(0x9C));
    m.Step();
    EXPECT_EQ(m.CellNode(0xC0).Value, -1);
    EXPECT_EQ(m.CellNode(0xC0).Text, "FF");
    EXPECT_TRUE(m.ui.IsPeripheralVisible(Peripheral::Vdu));
    m.Step();
    EXPECT_EQ(m.Reg(DL), FoldByte(0x9C));
    m.Set(CL, 0x33);
    m.Step();
    EXPECT_EQ(m.Cell(0x20), 0x33);
    EXPECT_EQ(m.Reg(IP), 15);
    EXPECT_EQ(m.Reg(SR), FlagO);
}

class InvalidRegister : public testing::TestWithParam<std::vector<int>> {};

// Checked before anything else: nothing logged, nothing changed, IP stays.
TEST_P(InvalidRegister, StopsWithIpOnTheInstruction) {
    LoggedMachine m;
    m.BuildCode(GetParam());
    m.Set(AL, 7);
    m.Step();
    EXPECT_EQ(m.ui.LastError(), "Invalid register in machine code.");
    EXPECT_FALSE(m.NoError());
    EXPECT_EQ(m.Reg(IP), 0);
    EXPECT_EQ(m.Reg(AL), 7);
    EXPECT_EQ(m.Cell(0x20), 0);
    EXPECT_TRUE(m.Log.empty());
}

const std::vector<int> InvalidRegisterCodes[] = {
    {0xA0, 0x04, 0x00}, {0xA0, 0x00, 0x04}, {0xB0, 0xFF, 0x00}, {0xA4, 0x04},
    {0xAD, 0x80},       {0xD0, 0x04, 0x00}, {0xD1, 0x04, 0x00}, {0xD2, 0x20, 0x04},
    {0xD3, 0x00, 0x04}, {0xD4, 0x04, 0x00}};

INSTANTIATE_TEST_SUITE_P(Bytes, InvalidRegister, testing::ValuesIn(InvalidRegisterCodes));

TEST(InvalidRegister, ImmediateAndAddressBytesAreNotRegisters) {
    LoggedMachine m;
    m.BuildCode({0xB0, 0x00, 0x04, 0xD1, 0x01, 0x04});
    m.Step(2);
    EXPECT_TRUE(m.NoError()) << m.ui.LastError();
    EXPECT_EQ(m.Reg(AL), 4);
}

// CMP reports the error without its fetch block, then still moves on by three.
TEST(InvalidRegister, CompareAdvancesWithItsBlock) {
    for (const std::vector<int>& code :
         {std::vector<int>{0xDA, 0x00, 0x05}, std::vector<int>{0xDB, 0x05, 0x00}}) {
        LoggedMachine m;
        m.BuildCode(code);
        m.Step();
        EXPECT_EQ(m.ui.LastError(), "Invalid register in machine code.");
        EXPECT_EQ(m.Reg(IP), 3);
        ASSERT_EQ(m.Log.size(), 4u);
        EXPECT_EQ(m.Log[0], "INSTRUCTION POINTER");
        EXPECT_EQ(m.Log[1], "\tAdd 3 to IP");
        m.Step();
        EXPECT_EQ(m.Reg(IP), 3) << "nothing runs after an execution error";
    }
}

class DivideByZero : public testing::TestWithParam<std::string> {};

TEST_P(DivideByZero, StopsWithAMessageBoxAndKeepsNoError) {
    LoggedMachine m;
    m.Build(GetParam() + "\nEND\n");
    m.Set(AL, 9);
    m.control.ButtonContinuousClick();
    ASSERT_TRUE(m.Running());
    m.control.TimerCPUTimer();
    EXPECT_EQ(m.ui.MessageBoxes(), std::vector<std::string>{"Divide by zero error."});
    EXPECT_FALSE(m.Running());
    EXPECT_TRUE(m.NoError());
    EXPECT_EQ(m.Reg(AL), 9);
    EXPECT_EQ(m.Reg(IP), 0);
    ASSERT_GE(m.Log.size(), 2u);
    EXPECT_EQ(m.Log[m.Log.size() - 2], "\tDivide by zero error. Processor halted.");
    EXPECT_EQ(m.Log.back(), Dashes(85));
    m.Step();
    EXPECT_EQ(m.ui.MessageBoxes().size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(Forms, DivideByZero,
                         testing::Values("DIV AL,00", "MOD AL,00", "DIV AL,BL", "MOD AL,BL"));

struct EndOfMemoryCase {
    std::vector<int> Code;
    int At;
    std::string Message; // empty when the instruction runs
};

class EndOfMemory : public testing::TestWithParam<EndOfMemoryCase> {};

TEST_P(EndOfMemory, NoInstructionRunsIntoTheLastCell) {
    LoggedMachine m;
    m.BuildCode(GetParam().Code, GetParam().At);
    m.Step();
    if (GetParam().Message.empty()) {
        EXPECT_TRUE(m.NoError()) << m.ui.LastError();
        EXPECT_EQ(m.RegLow(IP), 0xFF);
    } else {
        EXPECT_EQ(m.Status(), " " + GetParam().Message);
        EXPECT_EQ(m.ui.CurrentStatusStyle(), StatusStyle::Error);
        EXPECT_EQ(m.RegLow(IP), GetParam().At);
        EXPECT_TRUE(m.Log.empty());
    }
}

const std::string Beyond = "Can not execute code beyond the end of memory.";
const std::string Illegal = "Illegal op code not recognised by CPU.";

const EndOfMemoryCase EndOfMemoryCases[] = {
    // three-byte, two-byte and one-byte instructions at the last addresses
    {{0xD0, 0x00, 0x01}, 0xFD, Beyond},
    {{0xD0, 0x00, 0x01}, 0xFC, ""},
    {{0xDA, 0x00, 0x01}, 0xFD, Beyond},
    {{0xA0, 0x00}, 0xFE, Beyond},
    {{0xA4, 0x00}, 0xFE, Beyond},
    {{0xA4, 0x00}, 0xFD, ""},
    {{0xE0, 0x00}, 0xFE, Beyond},
    {{0xCA, 0x10}, 0xFE, Beyond},
    {{0xC0, 0x00}, 0xFE, Beyond},
    {{0xF1, 0x01}, 0xFE, Beyond},
    {{0xC0, 0x02}, 0xFD, ""},
    {{0xFF}, 0xFF, Beyond},
    {{0xFF}, 0xFE, ""},
    {{0x00}, 0xFF, Beyond},
    {{0xCB}, 0xFF, Beyond},
    {{0x01}, 0xFF, Illegal},
    {{0x20}, 0xFF, Illegal},
    {{0x01}, 0x10, Illegal}};

INSTANTIATE_TEST_SUITE_P(Edges, EndOfMemory, testing::ValuesIn(EndOfMemoryCases));

struct FailingStepCase {
    std::string Name;
    std::string Source;
    int Ip;
    int Sp;
    std::string Message;
    std::string Selected; // the failing instruction's source text
    friend void PrintTo(const FailingStepCase& c, std::ostream* out) { *out << c.Name; }
};

class FailingStep : public testing::TestWithParam<FailingStepCase> {};

// Wherever the failing step left IP, its own instruction ends up selected: the place
// corvane-cli gives the error. The status line keeps the message.
TEST_P(FailingStep, SelectsTheInstructionThatFailed) {
    const FailingStepCase& c = GetParam();
    LoggedMachine m;
    m.Build(c.Source);
    m.Set(IP, c.Ip);
    m.Set(SP, c.Sp);
    m.Step();
    ASSERT_FALSE(m.machine.Errors.empty());
    const ErrorReport& error = m.machine.Errors.back();
    EXPECT_EQ(error.Message, c.Message);
    const std::string editor = m.ui.Source().EditorText();
    EXPECT_EQ(editor.substr(m.ui.SelectionStart(), m.ui.SelectionLength()), c.Selected);
    EXPECT_EQ(error.SourceStart, m.ui.SelectionStart());
    if (m.NoError()) { // divide by zero: a box, and the status line shows the instruction
        EXPECT_EQ(m.Status(), " " + c.Selected);
    } else {
        EXPECT_EQ(m.Status(), " " + c.Message);
    }
}

const std::string Underflow = "Stack underflow.";
const std::string Overflow = "Stack overflow.";
const std::string BadRegister = "Invalid register in machine code.";

// A DB byte's source text is its number. Pushes start at 10, clear of the cell at 00
// that a push with SP at 00 overwrites.
const FailingStepCase FailingSteps[] = {
    {"PopUnderflow", "POP BL\nEND\n", 0, 0xBF, Underflow, "POP BL"},
    {"RetUnderflow", "RET\nNOP\nEND\n", 0, 0xBF, Underflow, "RET"},
    {"PushOverflow", "ORG 10\nPUSH AL\nNOP\nORG 00\nEND\n", 0x10, 0x00, Overflow, "PUSH AL"},
    // CALL has already moved IP to a NOP with source text of its own.
    {"CallOverflow", "ORG 10\nCALL 13\nNOP\nNOP\nORG 00\nEND\n", 0x10, 0x00, Overflow, "CALL 13"},
    {"IllegalOpcode", "DB 01\nEND\n", 0, 0xBF, "Illegal op code not recognised by CPU.", "01"},
    {"BeyondEndOfMemory", "ORG FF\nNOP\nORG 00\nEND\n", 0xFF, 0xBF,
     "Can not execute code beyond the end of memory.", "NOP"},
    {"JumpBeyondMemory", "DB C0\nDB 80\nEND\n", 0, 0xBF, "Can not jump beyond end of memory.",
     "C0"},
    {"PopInvalidRegister", "DB E1\nDB 04\nEND\n", 0, 0xBE, BadRegister, "E1"},
    {"CompareInvalidRegister", "DB DA\nDB 00\nDB 07\nEND\n", 0, 0xBF, BadRegister, "DA"},
    {"PortAboveF", "OUT 10\nEND\n", 0, 0xBF, "I/O Ports 0..F are available.", "OUT 10"},
    {"DivideByZero", "DIV AL,00\nEND\n", 0, 0xBF, "Divide by zero error.", "DIV AL,00"},
};

INSTANTIATE_TEST_SUITE_P(Errors, FailingStep, testing::ValuesIn(FailingSteps),
                         [](const auto& info) { return info.param.Name; });

TEST(Step, AfterAnExecutionErrorNothingRunsUntilAssembly) {
    LoggedMachine m;
    m.BuildCode({0x01});
    m.Step();
    ASSERT_FALSE(m.NoError());
    m.Step();
    EXPECT_TRUE(m.ui.EditorReadOnly());
    EXPECT_TRUE(m.ui.EditorGrey());
    m.control.ButtonResetClick();
    m.Step();
    EXPECT_FALSE(m.NoError());
    EXPECT_EQ(m.ui.ErrorCount(), 1);
    ASSERT_TRUE(m.Assemble());
    EXPECT_TRUE(m.NoError());
}

TEST(Step, AssemblesFirstWhenTheSourceChanged) {
    LoggedMachine m;
    m.Build("INC AL\nEND\n");
    m.Step(2);
    m.Load("DEC AL\nEND\n");
    m.Step();
    EXPECT_EQ(m.Reg(AL), -1);
    EXPECT_EQ(m.Reg(IP), 2);
}

TEST(Step, EmptySourceRunsNothing) {
    LoggedMachine m("");
    m.Step();
    EXPECT_EQ(m.ui.LastError(), "Nothing to assemble.");
    EXPECT_TRUE(m.Log.empty());
    EXPECT_FALSE(m.ui.EditorReadOnly());
}

TEST(Step, WithTheSwitchOffLogsNothingButStillRuns) {
    LoggedMachine m;
    m.Build("INC AL\nEND\n");
    m.machine.Settings.RunLog = false;
    m.Step();
    EXPECT_TRUE(m.Log.empty());
    EXPECT_EQ(m.Reg(AL), 1);
}

} // namespace
