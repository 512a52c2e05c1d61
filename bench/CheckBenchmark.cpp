// corvane-cli check on a class: 200 generated submissions of about 100 instructions against
// an exercise of 5 cases of up to 100,000 steps each, marked with -j 1 and with -j 2. Prints
// the best wall time of three for each and their ratio, and that both reports agree.
// Usage: corvane-check-bench [FOLDER]   (default: a fresh folder under the temp directory)

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Commands.h"

namespace {

constexpr int Submissions = 200;

// `count` instructions of register arithmetic, with flags kept and given back.
void Instructions(std::ostringstream& source, std::mt19937& random, int count) {
    const char* const registers[] = {"AL", "BL", "CL"};
    const auto reg = [&] { return registers[random() % 3]; };
    for (int i = 0; i < count; ++i) {
        switch (random() % 8) {
        case 0:
            source << "\tNOP\n";
            break;
        case 1:
            source << "\tPUSHF\n\tPOPF\n";
            ++i;
            break;
        case 2:
            source << "\tINC\t" << reg() << '\n';
            break;
        case 3:
            source << "\tDEC\t" << reg() << '\n';
            break;
        case 4:
            source << "\tNOT\t" << reg() << '\n';
            break;
        case 5:
            source << "\tADD\t" << reg() << ',' << reg() << '\n';
            break;
        case 6:
            source << "\tXOR\t" << reg() << ',' << reg() << '\n';
            break;
        default:
            source << "\tCLO\n";
            break;
        }
    }
}

// A loop of about 100 instructions that never halts and sends a count to the traffic lights.
// A jump reaches 128 bytes at most, so the way back goes through a hop in the middle. A few
// grow into the stack at BF and crash, as some students' programs do.
std::string Submission(unsigned seed) {
    std::mt19937 random(seed);
    std::ostringstream source;
    source << "; generated submission " << seed << "\n\tMOV\tDL,00\nLoop:\n";
    Instructions(source, random, 44);
    source << "\tJMP\tSecond\nHop:\n\tJMP\tLoop\nSecond:\n";
    Instructions(source, random, 44);
    source << "\tINC\tDL\n\tPUSH\tDL\n\tPOP\tAL\n\tOUT\t01\n\tJMP\tHop\n\tEND\n";
    return source.str();
}

const char* const Exercise = R"(title = "Benchmark: five cases of 100,000 steps"
[defaults]
clock = 10
max_steps = 100000

[[case]]
name = "runs to the limit"
[case.expect]
ended = "STEP-LIMIT"

[[case]]
name = "counts on the lights"
[case.expect]
outputs = [{ port = 1, bytes = [1, 2, 3, 4, 5, 6, 7, 8], collapse = true }]

[[case]]
name = "keypad ignored"
events = ["1000:keypad:1", "50000:keypad:A", "200000:keypad:enter"]
[case.expect]
devices = ["KEYPAD 0D"]

[[case]]
name = "room stays cold"
clock = 50
events = ["100000:thermometer:30"]
[case.expect]
devices = [{ device = "HEATER", at = 4000000, between = [0, 1] }]

[[case]]
name = "lift left alone"
events = ["5000:lift:call-top"]
[case.expect]
lift_never_crashes = true
at_most_steps = 100000
)";

struct Timing {
    double Seconds;
    std::string Report;
};

Timing Mark(const std::string& exercise, const std::string& folder, const char* jobs) {
    const std::vector<std::string> words{"check", exercise, folder, "-j", jobs, "--format", "csv"};
    const std::vector<std::string_view> views(words.begin(), words.end());
    double best = 1e9;
    std::string report;
    for (int round = 0; round < 3; ++round) {
        std::istringstream in;
        std::ostringstream out;
        std::ostringstream err;
        const auto start = std::chrono::steady_clock::now();
        RunCorvaneCli(views, in, out, err);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
        report = out.str() + err.str();
    }
    return {best, report};
}

} // namespace

int main(int argc, char** argv) {
    const std::filesystem::path folder =
        argc > 1 ? std::filesystem::path(argv[1])
                 : std::filesystem::temp_directory_path() / "corvane-check-bench";
    std::filesystem::remove_all(folder / "class");
    std::filesystem::create_directories(folder / "class");
    for (int i = 0; i < Submissions; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "student%03d.asm", i);
        std::ofstream(folder / "class" / name, std::ios::binary) << Submission(1000 + i);
    }
    const std::string exercise = (folder / "exercise.toml").string();
    std::ofstream(exercise, std::ios::binary) << Exercise;

    const Timing one = Mark(exercise, (folder / "class").string(), "1");
    const Timing two = Mark(exercise, (folder / "class").string(), "2");
    std::cout << Submissions << " submissions x 5 cases of up to 100000 steps\n";
    std::printf("-j 1   %.3f s\n-j 2   %.3f s\nratio  %.2f\n", one.Seconds, two.Seconds,
                one.Seconds / two.Seconds);
    std::cout << "reports " << (one.Report == two.Report ? "identical" : "DIFFER") << '\n';
    return one.Report == two.Report ? 0 : 1;
}
