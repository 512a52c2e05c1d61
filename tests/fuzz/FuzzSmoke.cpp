// A bounded, repeatable fuzz run for the normal test command: random bytes, random token
// soup and mutated example programs, fed to the same target libFuzzer drives.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "core/InstructionTable.h"
#include "tests/fuzz/FuzzTarget.h"

namespace {

const char* const Words[] = {
    "MOV",    "ADD", "SUB",    "MUL", "DIV",  "MOD", "AND",  "OR",   "XOR",   "ROL",  "ROR",  "SHL",
    "SHR",    "INC", "DEC",    "NOT", "PUSH", "POP", "CALL", "INT",  "ORG",   "DB",   "JMP",  "JZ",
    "JNZ",    "JO",  "JNO",    "JS",  "JNS",  "CMP", "RET",  "IRET", "PUSHF", "POPF", "HALT", "NOP",
    "CLI",    "STI", "CLO",    "IN",  "OUT",  "END", "AL",   "BL",   "CL",    "DL",   "[",    "]",
    ",",      "00",  "7F",     "80",  "FF",   "C0",  "BF",   "2",    "L:",    "L",    "M:",   "M",
    "\"AB\"", "\"",  "; note", "\n",  "\r\n", "\r",  "\t",
};

std::vector<std::string> ReadSeeds(const std::filesystem::path& folder) {
    std::vector<std::string> seeds;
    std::error_code error;
    // The exercises' solutions in the folders below are seeds too.
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, error)) {
        if (!entry.is_regular_file(error)) {
            continue;
        }
        std::ifstream file(entry.path(), std::ios::binary);
        seeds.emplace_back(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    return seeds;
}

std::string TokenSoup(std::mt19937& random) {
    std::string source;
    const int count = std::uniform_int_distribution<int>(0, 60)(random);
    for (int i = 0; i < count; ++i) {
        source += Words[random() % std::size(Words)];
        source += (random() % 3 == 0) ? "\n" : " ";
    }
    return source;
}

std::string RandomBytes(std::mt19937& random, size_t length) {
    std::string bytes(length, '\0');
    for (char& byte : bytes) {
        byte = static_cast<char>(random());
    }
    return bytes;
}

// A RAM image of legal instructions whose operands are mostly sensible: registers 0..3,
// ports 0..F, small distances; now and then any byte.
std::string RandomProgram(std::mt19937& random) {
    const auto table = InstructionTable();
    std::string image;
    while (image.size() < 256) {
        const Instruction& instruction = table[random() % table.size()];
        image += static_cast<char>(instruction.Opcode);
        for (int operand = 1; operand < instruction.Length; ++operand) {
            const unsigned roll = random();
            image += static_cast<char>(roll % 8 == 0 ? roll >> 8 : roll % 16);
        }
    }
    image.resize(256);
    return image;
}

std::string Mutate(std::string input, std::mt19937& random) {
    const int edits = std::uniform_int_distribution<int>(1, 8)(random);
    for (int i = 0; i < edits && !input.empty(); ++i) {
        const size_t at = random() % input.size();
        switch (random() % 3) {
        case 0:
            input[at] = static_cast<char>(random());
            break;
        case 1:
            input.erase(at, 1 + random() % 4);
            break;
        default:
            input.insert(at, Words[random() % std::size(Words)]);
            break;
        }
    }
    return input;
}

void Feed(uint8_t mode, const std::string& body) {
    std::string input(1, static_cast<char>(mode));
    input += body;
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
}

} // namespace

int main(int argc, char** argv) {
    const std::filesystem::path seedFolder = argc > 1 ? argv[1] : "examples";
    const int iterations = argc > 2 ? std::atoi(argv[2]) : 1000;
    const std::vector<std::string> seeds = ReadSeeds(seedFolder);
    std::mt19937 random(20261208);

    for (int i = 0; i < iterations; ++i) {
        const auto mode = static_cast<uint8_t>(random());
        switch (i % 5) {
        case 0:
            Feed(mode, RandomBytes(random, random() % 600));
            break;
        case 1:
            Feed(mode & ~1, TokenSoup(random));
            break;
        case 2:
            if (!seeds.empty()) {
                Feed(mode & ~1, Mutate(seeds[random() % seeds.size()], random));
            }
            break;
        case 3:
            Feed(mode | 1, RandomBytes(random, 256));
            break;
        default:
            Feed(mode | 1, RandomProgram(random));
            break;
        }
    }
    Feed(0, std::string(40000, 'A'));
    Feed(0, std::string(40000, ','));
    std::cout << "fuzz smoke: " << iterations << " inputs, no faults\n";
    return 0;
}
