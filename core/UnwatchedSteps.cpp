// Steps of a run that nobody watches. The instructions that only compute on registers and
// RAM are executed here on a copy of the registers held in locals, one switch over the opcode
// with each instruction inline in its case, and the report is told once at the end. Every
// instruction that reports an error or reaches a device, the stack or the VDU is left to
// the ordinary step, which narrates and reports it.
#include "core/Alu.h"
#include "core/Assem.h"

namespace {

using Ram = std::array<uint8_t, 256>;

constexpr unsigned Bit(int index) {
    return 1u << static_cast<unsigned>(index);
}

// Every instruction below returns the registers it wrote, or 0 when it needs an ordinary
// step; then it has changed nothing. `ip` is IP as an address.

// The instruction's bytes lie in RAM; the ordinary step reports one that runs past FF.
bool Fits(int ip, int length) {
    return ip + length <= 0xFF;
}

bool IsDataRegister(int byte) {
    return byte <= DL;
}

int Signed(uint8_t byte) {
    return static_cast<int8_t>(byte);
}

template <int Opcode> unsigned ShiftOrCount(Registers& reg, const Ram& ram, int ip) {
    if (!Fits(ip, 2) || !IsDataRegister(ram[ip + 1])) {
        return 0;
    }
    const int target = ram[ip + 1];
    SetRegisterIn(reg, target, ShiftOrCountResult(Opcode, reg[target]), true);
    AdvanceIpIn(reg, 2);
    return Bit(target) | Bit(SR) | Bit(IP);
}

template <int Opcode> unsigned Arithmetic(Registers& reg, const Ram& ram, int ip) {
    constexpr bool registerForm = Opcode < 0xB0;
    if (!Fits(ip, 3) || !IsDataRegister(ram[ip + 1]) ||
        (registerForm && !IsDataRegister(ram[ip + 2]))) {
        return 0;
    }
    const int destination = ram[ip + 1];
    const int second = registerForm ? reg[ram[ip + 2]] : Signed(ram[ip + 2]);
    if (DividesByZero(Opcode, second)) {
        return 0;
    }
    SetRegisterIn(reg, destination, ArithmeticResult(Opcode, reg[destination], second), true);
    AdvanceIpIn(reg, 3);
    return Bit(destination) | Bit(SR) | Bit(IP);
}

template <int Opcode> unsigned Jump(Registers& reg, const Ram& ram, int ip) {
    if (!Fits(ip, 2)) {
        return 0;
    }
    const int distance = JumpTaken(Opcode, reg[SR]) ? Signed(ram[ip + 1]) : 2;
    if (ip + distance < 0 || ip + distance > 0xFF) {
        return 0;
    }
    AdvanceIpIn(reg, distance);
    return Bit(IP);
}

template <int Opcode> unsigned Compare(Registers& reg, const Ram& ram, int ip) {
    if (!Fits(ip, 3) || !IsDataRegister(ram[ip + 1]) ||
        (Opcode == 0xDA && !IsDataRegister(ram[ip + 2]))) {
        return 0;
    }
    const uint8_t operand = ram[ip + 2];
    const int second = Opcode == 0xDA   ? reg[operand]
                       : Opcode == 0xDB ? Signed(operand)
                                        : Signed(ram[operand]);
    SetRegisterIn(reg, SR, (reg[SR] & FlagI) | CompareFlags(reg[ram[ip + 1]], second), false);
    AdvanceIpIn(reg, 3);
    return Bit(SR) | Bit(IP);
}

// MOV r,n ; MOV r,[a] ; MOV r,[r] load a register; MOV [a],r and MOV [r],r store below the VDU.
template <int Opcode> unsigned Move(Registers& reg, MachineState& machine, int ip) {
    const Ram& ram = machine.Ram;
    constexpr bool stores = Opcode == 0xD2 || Opcode == 0xD4;
    constexpr bool secondIsRegister = Opcode == 0xD2 || Opcode == 0xD3 || Opcode == 0xD4;
    if (!Fits(ip, 3) || (Opcode != 0xD2 && !IsDataRegister(ram[ip + 1])) ||
        (secondIsRegister && !IsDataRegister(ram[ip + 2]))) {
        return 0;
    }
    const uint8_t first = ram[ip + 1];
    const uint8_t second = ram[ip + 2];
    if constexpr (stores) {
        const int address = Opcode == 0xD2 ? first : reg[first] & 0xFF;
        if (address >= VduStart) {
            return 0;
        }
        machine.WriteCell(address, reg[second]);
        AdvanceIpIn(reg, 3);
        return Bit(IP);
    } else {
        const int value = Opcode == 0xD0   ? Signed(second)
                          : Opcode == 0xD1 ? Signed(ram[second])
                                           : Signed(ram[reg[second] & 0xFF]);
        SetRegisterIn(reg, first, value, false);
        AdvanceIpIn(reg, 3);
        return Bit(first) | Bit(IP);
    }
}

// The instruction at IP, when it is one of those above.
[[gnu::always_inline]] inline unsigned StepQuietly(Registers& reg, MachineState& machine) {
    const int ip = reg[IP] & 0xFF;
    const Ram& ram = machine.Ram;
    switch (ram[ip]) {
    case 0x9A:
        return ShiftOrCount<0x9A>(reg, ram, ip);
    case 0x9B:
        return ShiftOrCount<0x9B>(reg, ram, ip);
    case 0x9C:
        return ShiftOrCount<0x9C>(reg, ram, ip);
    case 0x9D:
        return ShiftOrCount<0x9D>(reg, ram, ip);
    case 0xA4:
        return ShiftOrCount<0xA4>(reg, ram, ip);
    case 0xA5:
        return ShiftOrCount<0xA5>(reg, ram, ip);
    case 0xAD:
        return ShiftOrCount<0xAD>(reg, ram, ip);
    case 0xA0:
        return Arithmetic<0xA0>(reg, ram, ip);
    case 0xA1:
        return Arithmetic<0xA1>(reg, ram, ip);
    case 0xA2:
        return Arithmetic<0xA2>(reg, ram, ip);
    case 0xA3:
        return Arithmetic<0xA3>(reg, ram, ip);
    case 0xA6:
        return Arithmetic<0xA6>(reg, ram, ip);
    case 0xAA:
        return Arithmetic<0xAA>(reg, ram, ip);
    case 0xAB:
        return Arithmetic<0xAB>(reg, ram, ip);
    case 0xAC:
        return Arithmetic<0xAC>(reg, ram, ip);
    case 0xB0:
        return Arithmetic<0xB0>(reg, ram, ip);
    case 0xB1:
        return Arithmetic<0xB1>(reg, ram, ip);
    case 0xB2:
        return Arithmetic<0xB2>(reg, ram, ip);
    case 0xB3:
        return Arithmetic<0xB3>(reg, ram, ip);
    case 0xB6:
        return Arithmetic<0xB6>(reg, ram, ip);
    case 0xBA:
        return Arithmetic<0xBA>(reg, ram, ip);
    case 0xBB:
        return Arithmetic<0xBB>(reg, ram, ip);
    case 0xBC:
        return Arithmetic<0xBC>(reg, ram, ip);
    case 0xC0:
        return Jump<0xC0>(reg, ram, ip);
    case 0xC1:
        return Jump<0xC1>(reg, ram, ip);
    case 0xC2:
        return Jump<0xC2>(reg, ram, ip);
    case 0xC3:
        return Jump<0xC3>(reg, ram, ip);
    case 0xC4:
        return Jump<0xC4>(reg, ram, ip);
    case 0xC5:
        return Jump<0xC5>(reg, ram, ip);
    case 0xC6:
        return Jump<0xC6>(reg, ram, ip);
    case 0xD0:
        return Move<0xD0>(reg, machine, ip);
    case 0xD1:
        return Move<0xD1>(reg, machine, ip);
    case 0xD2:
        return Move<0xD2>(reg, machine, ip);
    case 0xD3:
        return Move<0xD3>(reg, machine, ip);
    case 0xD4:
        return Move<0xD4>(reg, machine, ip);
    case 0xDA:
        return Compare<0xDA>(reg, ram, ip);
    case 0xDB:
        return Compare<0xDB>(reg, ram, ip);
    case 0xDC:
        return Compare<0xDC>(reg, ram, ip);
    default:
        return 0;
    }
}

} // namespace

int64_t Taaa::StepUnwatched(int64_t most) {
    if (StepRefused()) {
        return 0;
    }
    Registers reg = Machine.Reg;
    unsigned written = 0;
    unsigned lastWritten = 0;
    // The last IP whose instruction a step showed, and whether one of these steps did.
    int shownIp = LastShownIP;
    bool shown = false;
    bool halted = false;
    int64_t made = 0;
    while (made < most) {
        const unsigned wrote = StepQuietly(reg, Machine);
        if (wrote == 0) {
            break;
        }
        ++made;
        written |= wrote;
        lastWritten = wrote;
        const int ip = reg[IP];
        const HeldSpan& cell = Machine.HeldSource(ip);
        if (cell.Length > 0) {
            if (HaltShown(cell, ip, shownIp)) [[unlikely]] {
                halted = true; // the ordinary ending shows it
                break;
            }
            shownIp = ip;
            shown = true;
        }
    }
    if (made == 0) {
        return 0;
    }
    Machine.Reg = reg;
    Ended = RunEnd::None;
    Log.BeginStep(false);
    Report.StepsWroteRegisters(written, lastWritten);
    if (shown) {
        ShowHeldInstruction(shownIp, Machine.HeldSource(shownIp), false);
    }
    if (halted) {
        ShowInstructionAtIp();
    }
    return made;
}
