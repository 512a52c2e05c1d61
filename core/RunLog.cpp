#include "core/RunLog.h"

#include "assembler/RegisterText.h"

void RunLog::Registers() {
    if (!enabled_) {
        return;
    }
    std::string line;
    for (int index = AL; index <= SP; ++index) {
        line += '\t';
        line += RegisterNames[index];
        line += " = ";
        line += HexByte(machine_.Reg[index]);
    }
    line += "\tSR = " + FlagsText(machine_.Reg[SR]);
    ui_.RunLogLine(line);
}

void RunLog::IpAdvance(std::string_view amount) {
    if (!enabled_) {
        return;
    }
    Line("INSTRUCTION POINTER");
    Line("\tAdd " + std::string(amount) + " to IP");
    Registers();
    LongDashes();
}

void RunLog::ShortDashes() {
    Line(std::string(85, '-'));
}

void RunLog::LongDashes() {
    Line(std::string(91, '-'));
}

std::string RunLog::CellText(int address) const {
    const std::optional<CellShown> cell = machine_.Cell(address);
    return cell ? std::string(cell->Text) : std::string();
}

void RunLog::FetchLines(int ip, int count) {
    Registers();
    Line("FETCH");
    for (int i = 0; i < count; ++i) {
        Line("\tFetch " + CellText(ip + i));
    }
    Line("");
    Line("EXECUTE");
}

void RunLog::WriteThreeByteBlock(int ip, std::string_view executeSuffix) {
    FetchLines(ip, 3);
    std::string line = "\t" + CellText(ip) + "\t" + CellText(ip + 1) + "," + CellText(ip + 2);
    line += executeSuffix;
    Line(line);
    Line("");
}

void RunLog::WriteTwoByteBlock(int ip) {
    FetchLines(ip, 2);
    Line("\t" + CellText(ip) + "\t" + CellText(ip + 1));
    Line("");
}

void RunLog::WriteOneByteBlock(int ip) {
    FetchLines(ip, 1);
    Line("\t" + CellText(ip));
    Line("");
}

namespace {

// The hardware timer's vector is 02, the keyboard's 03 and the keypad's 04.
std::string InterruptName(int vectorAddress) {
    switch (vectorAddress) {
    case 0x02:
        return "Hardware timer interrupt";
    case 0x03:
        return "Keyboard interrupt";
    case 0x04:
        return "Keypad interrupt";
    default:
        return "Interrupt";
    }
}

} // namespace

void RunLog::WriteInterrupt(int vectorAddress, int pushedIp, int stackAddress) {
    const std::string handler = HexByte(machine_.Reg[IP]);
    Line("INTERRUPT");
    Line("\t" + InterruptName(vectorAddress) + " " + HexByte(vectorAddress));
    Line("\tRead the vector at [" + HexByte(vectorAddress) + "]: " + handler);
    Line("\tPush IP " + HexByte(pushedIp) + " to the stack at [" + HexByte(stackAddress) + "]");
    Line("\tIP = " + handler);
    Registers();
    LongDashes();
}
