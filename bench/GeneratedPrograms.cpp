#include "bench/GeneratedPrograms.h"

#include "assembler/RegisterText.h"

std::string LargeSource() {
    constexpr size_t TargetSize = 32000;
    std::string source = "; A generated program for timing the assembler.\r\n\r\n";
    int codeBytes = 0;
    int block = 0;
    while (source.size() < TargetSize) {
        if (codeBytes < 230) {
            const std::string label = "L" + std::to_string(block);
            source += label + ":\r\n";
            source += "\tMOV\tAL," + HexByte(block) + "\t; load the block number\r\n";
            source += "\tADD\tAL,BL\t; add the running total\r\n";
            source += "\tMOV\t[" + HexByte(0xA0 + block % 16) + "],AL\t; keep it\r\n";
            source += "\tJNZ\t" + label + "\t; again while not zero\r\n";
            codeBytes += 11;
            ++block;
        }
        source += "; The assembler reads every comment and blank line too, so a long\r\n";
        source += "; listing with many notes takes its time to turn into tokens.\r\n\r\n";
    }
    source += "\tEND\r\n";
    return source;
}

std::string BusyLoopSource() {
    return "Start:\r\n"
           "\tINC\tAL\r\n"
           "\tADD\tBL,AL\r\n"
           "\tMOV\t[80],BL\r\n"
           "\tCMP\tAL,40\r\n"
           "\tJNZ\tStart\r\n"
           "\tMOV\tAL,00\r\n"
           "\tJMP\tStart\r\n"
           "\tEND\r\n";
}
