#include "core/Alu.h"
#include "core/Assem.h"

// CALL, INT, PUSH and POP share the two-byte frame of the one-register instructions.
void Taaa::ExecuteOneRegister() {
    if (BeyondEndOfMemory(2)) {
        return;
    }
    const int opcode = OperandByte(0) & 0xFF;
    switch (opcode) {
    case 0xCA:
    case 0xCC:
        ExecuteCallOrInt(opcode);
        break;
    case 0xE0:
        ExecutePush();
        break;
    default:
        ExecutePop();
        break;
    }
}

// INC, DEC, NOT, rotates and shifts: dispatched here directly, being the most frequent.
void Taaa::ExecuteShiftOrCount() {
    if (BeyondEndOfMemory(2) || !ValidRegister(1)) {
        return;
    }
    const int opcode = OperandByte(0) & 0xFF;
    const int ip = Machine.Reg[IP] & 0xFF;
    const int reg = OperandByte(1) & 0xFF;
    const int value = Machine.Reg[reg];
    Log.TwoByteHeader(ip);

    if (Log.Enabled()) {
        LogShiftOrCount(opcode, ip);
    }
    Machine.SetRegister(reg, ShiftOrCountResult(opcode, value), true);
    Log.Line("");
    AdvanceIp(2);
}

// Kept out of the step: with the log off, a step pays nothing for it.
void Taaa::LogShiftOrCount(int opcode, int ip) {
    const std::string prefix = ExplanationPrefix(ip);
    const std::string t1 = Log.CellText(ip + 1);
    switch (opcode) {
    case 0x9A:
        Log.Line(prefix + "; Rotate the bits in " + t1 + " one place to the left.");
        Log.Line("\t\t\t; The most significant bit is moved to the least significant bit "
                 "position.");
        break;
    case 0x9B:
        Log.Line(prefix + "; Rotate the bits in " + t1 + " one place to the right.");
        Log.Line("\t\t\t; The least significant bit is moved to the most significant bit "
                 "position.");
        break;
    case 0x9C:
        Log.Line(prefix + "; Shift the bits in " + t1 + " one place to the left.");
        Log.Line("\t\t\t; The most significant bit is discarded.");
        break;
    case 0x9D:
        Log.Line(prefix + "; Shift the bits in " + t1 + " one place to the right.");
        Log.Line("\t\t\t; The least significant bit is discarded.");
        break;
    case 0xA4:
        Log.Line(prefix + "; Add 1 to " + t1);
        break;
    case 0xA5:
        Log.Line(prefix + "; Subtract 1 from " + t1);
        break;
    default:
        Log.Line(prefix);
        break; // NOT explains nothing
    }
}

void Taaa::ExecuteArithmetic() {
    if (BeyondEndOfMemory(3)) {
        return;
    }
    const int opcode = OperandByte(0) & 0xFF;
    const bool registerForm = opcode < 0xB0;
    if (!ValidRegister(1) || (registerForm && !ValidRegister(2))) {
        return;
    }
    const int ip = Machine.Reg[IP] & 0xFF;
    Log.ThreeByteBlock(ip);
    const int destination = OperandByte(1) & 0xFF;
    const int first = Machine.Reg[destination];
    const int second = registerForm ? Machine.Reg[OperandByte(2) & 0xFF] : OperandByte(2);

    if (DividesByZero(opcode, second)) {
        DivideByZero();
        return;
    }
    Machine.SetRegister(destination, ArithmeticResult(opcode, first, second), true);
    AdvanceIp(3);
}

void Taaa::DivideByZero() {
    Log.Line("\tDivide by zero error. Processor halted.");
    Log.ShortDashes();
    const char* const message = "Divide by zero error.";
    RecordProgramError(message, FailingInstruction());
    EndRun(RunEnd::DivideByZero);
    Ui.MessageBox(message, MessageIcon::Error);
}

void Taaa::ExecuteMove() {
    if (BeyondEndOfMemory(3)) {
        return;
    }
    const int opcode = OperandByte(0) & 0xFF;
    const bool firstIsRegister = opcode != 0xD2;
    const bool secondIsRegister = opcode == 0xD2 || opcode == 0xD3 || opcode == 0xD4;
    if ((firstIsRegister && !ValidRegister(1)) || (secondIsRegister && !ValidRegister(2))) {
        return;
    }
    const int ip = Machine.Reg[IP] & 0xFF;
    if (opcode == 0xD0 && Log.Enabled()) {
        Log.ThreeByteBlock(ip,
                           "\t; Copy " + Log.CellText(ip + 2) + " into " + Log.CellText(ip + 1));
    } else {
        Log.ThreeByteBlock(ip);
    }
    const int first = OperandByte(1);
    const int second = OperandByte(2);
    switch (opcode) {
    case 0xD0:
        Machine.SetRegister(first & 0xFF, second, false);
        break;
    case 0xD1:
        Machine.SetRegister(first & 0xFF, Machine.CellValue(second), false);
        break;
    case 0xD2:
        Machine.WriteCell(first, Machine.Reg[second & 0xFF]);
        break;
    case 0xD3:
        Machine.SetRegister(first & 0xFF, Machine.CellValue(Machine.Reg[second & 0xFF]), false);
        break;
    default:
        Machine.WriteCell(Machine.Reg[first & 0xFF], Machine.Reg[second & 0xFF]);
        break;
    }
    AdvanceIp(3);
}

void Taaa::ExecuteCompare() {
    if (BeyondEndOfMemory(3)) {
        return;
    }
    const int opcode = OperandByte(0) & 0xFF;
    if (!ValidRegister(1) || (opcode == 0xDA && !ValidRegister(2))) {
        AdvanceIp(3);
        return;
    }
    Log.ThreeByteBlock(Machine.Reg[IP] & 0xFF);
    const int first = Machine.Reg[OperandByte(1) & 0xFF];
    int second = 0;
    switch (opcode) {
    case 0xDA:
        second = Machine.Reg[OperandByte(2) & 0xFF];
        break;
    case 0xDB:
        second = OperandByte(2);
        break;
    default:
        second = Machine.CellValue(OperandByte(2));
        break;
    }
    Machine.SetRegister(SR, (Machine.Reg[SR] & FlagI) | CompareFlags(first, second), false);
    AdvanceIp(3);
}
