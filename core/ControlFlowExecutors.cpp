#include "assembler/RegisterText.h"
#include "core/Alu.h"
#include "core/Assem.h"

void Taaa::DecrementStack() {
    if ((Machine.Reg[SP] & 0xFF) == 0) {
        ReportError("Stack overflow.", CurrentToken());
    } else {
        Machine.SetRegister(SP, Machine.Reg[SP] - 1, false);
    }
}

void Taaa::PushValue(int value) {
    Machine.WriteCell(Machine.Reg[SP], value);
    DecrementStack();
}

bool Taaa::PopUnderflows() {
    if ((Machine.Reg[SP] & 0xFF) >= StackBottom) {
        ReportError("Stack underflow.", CurrentToken());
        return true;
    }
    return false;
}

void Taaa::ExecuteOneByte() {
    if (BeyondEndOfMemory(1)) {
        return;
    }
    const int opcode = OperandByte(0) & 0xFF;
    Log.OneByteBlock(Machine.Reg[IP] & 0xFF);
    switch (opcode) {
    case 0x00:
        EndRun(RunEnd::Halt);
        return;
    case 0xCB:
    case 0xCD:
        ExecuteReturn();
        return;
    case 0xEA:
        PushValue(Machine.Reg[SR]);
        break;
    case 0xEB:
        if (!PopUnderflows()) {
            Machine.SetRegister(SP, Machine.Reg[SP] + 1, false);
            Machine.SetRegister(SR, Machine.CellValue(Machine.Reg[SP]), false);
        }
        break;
    case 0xFC:
        Machine.SetRegister(SR, Machine.Reg[SR] | FlagI, false);
        break;
    case 0xFD:
        Machine.SetRegister(SR, Machine.Reg[SR] & ~FlagI, false);
        break;
    case 0xFE:
        Report.HideAllDevices();
        break;
    default:
        break; // NOP
    }
    AdvanceIp(1);
}

void Taaa::ExecuteReturn() {
    if (PopUnderflows()) {
        AdvanceIp(1);
        return;
    }
    Machine.SetRegister(SP, Machine.Reg[SP] + 1, false);
    Machine.SetRegister(IP, Machine.CellValue(Machine.Reg[SP]), false);
    if (Log.Enabled()) {
        Log.Line("INSTRUCTION POINTER");
        Log.Line("\tSet IP to the value popped off the stack: " + HexByte(Machine.Reg[IP]));
        Log.Registers();
        Log.LongDashes();
    }
}

void Taaa::ExecuteCallOrInt(int opcode) {
    const int ip = Machine.Reg[IP] & 0xFF;
    Log.TwoByteHeader(ip);
    if (Log.Enabled()) {
        const std::string prefix = ExplanationPrefix(ip);
        const std::string t1 = Log.CellText(ip + 1);
        if (opcode == 0xCA) {
            Log.Line(prefix + "; Call the procedure at address " + t1);
        } else {
            Log.Line(prefix +
                     "; Call the interrupt routine at the address stored in RAM location " + t1);
        }
        Log.Line("\t\t\t; Save IP + 2 onto the stack and decrement SP.");
        Log.Line(opcode == 0xCA ? "\t\t\t; Set IP to " + t1
                                : "\t\t\t; Set IP to the address fetched from RAM address " + t1);
    }
    const int operand = OperandByte(1);
    const int target = opcode == 0xCA ? operand : Machine.CellValue(operand);
    Machine.WriteCell(Machine.Reg[SP], FoldByte(Machine.Reg[IP] + 2));
    Machine.SetRegister(IP, target, false);
    DecrementStack();
    Log.Registers();
    Log.LongDashes();
}

void Taaa::ExecutePush() {
    const int ip = Machine.Reg[IP] & 0xFF;
    Log.TwoByteHeader(ip);
    if (Log.Enabled()) {
        Log.Line(ExplanationPrefix(ip) + "; Save " + Log.CellText(ip + 1) +
                 " onto the stack and decrement SP.");
    }
    if (ValidRegister(1)) {
        PushValue(Machine.Reg[OperandByte(1) & 0xFF]);
    }
    Log.Line("");
    AdvanceIp(2);
}

void Taaa::ExecutePop() {
    const int ip = Machine.Reg[IP] & 0xFF;
    Log.TwoByteHeader(ip);
    if (Log.Enabled()) {
        Log.Line(ExplanationPrefix(ip) + "; Increment SP and restore " + Log.CellText(ip + 1) +
                 " from the stack.");
    }
    if (!PopUnderflows()) {
        Machine.SetRegister(SP, Machine.Reg[SP] + 1, false);
        if (ValidRegister(1)) {
            Machine.SetRegister(OperandByte(1) & 0xFF, Machine.CellValue(Machine.Reg[SP]), false);
        }
    }
    Log.Line("");
    AdvanceIp(2);
}

void Taaa::ExecuteJump() {
    if (BeyondEndOfMemory(2)) {
        return;
    }
    const int ip = Machine.Reg[IP] & 0xFF;
    Log.TwoByteBlock(ip);
    const int opcode = OperandByte(0) & 0xFF;
    const int distance = OperandByte(1);
    if (!JumpTaken(opcode, Machine.Reg[SR])) {
        Machine.SetRegister(IP, Machine.Reg[IP] + 2, false);
        Log.IpAdvance("2(decimal)");
        return;
    }
    const int target = ip + distance;
    if (target < 0 || target > 0xFF) {
        ReportError("Can not jump beyond end of memory.", CurrentToken());
        Log.Line("\tCan not jump beyond end of memory.");
        Log.ShortDashes();
        return;
    }
    Machine.SetRegister(IP, Machine.Reg[IP] + distance, false);
    if (Log.Enabled()) {
        Log.IpAdvance(std::to_string(distance) + "(decimal)");
    }
}

void Taaa::ExecuteInOut() {
    if (BeyondEndOfMemory(2)) {
        return;
    }
    Log.TwoByteBlock(Machine.Reg[IP] & 0xFF);
    const bool input = (OperandByte(0) & 0xFF) == 0xF0;
    const int port = OperandByte(1) & 0xFF;
    if (port >= PortCount) {
        ReportError("I/O Ports 0..F are available.", CurrentToken());
    } else if (input && port == 0) {
        AwaitKey();
        return; // SupplyKey completes the instruction
    } else if (input) {
        if (const InputDevice* device = Ports.Port(port).Input) {
            const uint8_t byte = device->PortRead();
            Report.PortAccessed(true, port, byte);
            Machine.SetRegister(AL, byte, false);
        }
    } else {
        const PortEntry& entry = Ports.Port(port);
        if (entry.Window) {
            Report.ShowWindow(WindowCommandKind::Show, *entry.Window);
        }
        const auto byte = static_cast<uint8_t>(Machine.Reg[AL] & 0xFF);
        Report.PortAccessed(false, port, byte);
        if (entry.Output) {
            entry.Output->PortWrite(byte);
        }
    }
    AdvanceIp(2);
}

void Taaa::AwaitKey() {
    ResumeAfterInput = Machine.Running;
    Machine.Running = false;
    awaitingKey_ = true;
    Report.KeyAwaited = true;
}

RunEnd Taaa::RaiseInterrupt(int vectorAddress) {
    if (!Machine.Running || awaitingKey_ || !(Machine.Reg[SR] & FlagI)) {
        return RunEnd::None;
    }
    Ended = RunEnd::None;
    stepIp_ = Machine.Reg[IP] & 0xFF;
    const int stack = Machine.Reg[SP] & 0xFF;
    Machine.WriteCell(Machine.Reg[SP], Machine.Reg[IP]);
    Machine.SetRegister(IP, Machine.CellValue(vectorAddress), false);
    DecrementStack();
    Log.BeginStep(Settings.RunLog && Settings.LogInterrupts);
    Log.InterruptTaken(vectorAddress, stepIp_, stack);
    ShowCurrentInstruction();
    EndStep();
    return Ended;
}
