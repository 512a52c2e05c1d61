#pragma once

#include <cstdint>
#include <optional>
#include <regex>
#include <string>
#include <variant>
#include <vector>

#include "core/RunEnd.h"
#include "core/VirtualClock.h"
#include "marking/Events.h"

// Bytes from an address on.
struct RamBytes {
    int At = 0;
    std::vector<uint8_t> Bytes;
};

struct RegisterValue {
    int Index = 0; // AL, BL, CL, DL, SP, IP, SR
    uint8_t Value = 0;
};

// A text that must be equal, or a pattern it must contain a match for.
struct TextExpectation {
    std::string Text;
    bool IsPattern = false;
    std::regex Pattern;
};

struct VduExpectation {
    int Row = 0;
    TextExpectation Expected;
};

// A device line as `--devices` prints it, at the end or at a simulated time: the whole line,
// a pattern, or the range of the first number after the device's name.
struct DeviceExpectation {
    std::optional<int64_t> AtMs;
    std::string Device; // the line's first word
    TextExpectation Line;
    std::optional<std::pair<double, double>> Between;
};

// The bytes the program writes to a port, from the first; with `Collapse` a byte written
// again straight after itself counts once; with `Whole` nothing may follow them.
struct OutputExpectation {
    int Port = 0;
    std::vector<uint8_t> Bytes;
    bool Collapse = false;
    bool Whole = false;
};

struct CaseExpectations {
    std::vector<RegisterValue> Registers;
    std::vector<RamBytes> Ram;
    std::vector<VduExpectation> Vdu;
    std::vector<DeviceExpectation> Devices;
    std::optional<RunEnd> Ended;
    std::optional<std::string> Error; // an execution error's message
    std::optional<int64_t> AtMostSteps;
    std::vector<OutputExpectation> Outputs;
    bool LiftNeverCrashes = false;
};

// What `corvane-cli record` fills in from a model's run: one key of [case.expect], and which
// of its parts; with no items, every part (registers: AL, BL, CL, DL and SP).
struct RecordMark {
    std::string Key;        // ended, registers, ram, vdu, devices or outputs
    std::vector<int> Items; // register indexes, the first and last RAM address, VDU rows,
                            // device lines in their order, or ports
    bool Collapse = false;  // outputs: a byte written again straight after itself once
};

struct ExerciseCase {
    std::string Name;
    ClockSettings Clock;
    std::string Keys; // decoded, as --keys
    std::vector<RamBytes> Ram;
    std::vector<RegisterValue> Registers;
    std::vector<DeviceEvent> Events;
    CaseExpectations Expect;
    int64_t Points = 1;
    std::string Hint;    // the teacher's feedback when the case fails
    bool Hidden = false; // students are told only that it failed
    std::vector<RecordMark> Record;
};

struct Exercise {
    std::string Title;
    std::vector<ExerciseCase> Cases;
};

// Reads an exercise from TOML text; the error is one line, "FILE:LINE:COL: PROBLEM". A case
// must expect something, unless it is read for recording and marks something to record.
std::variant<Exercise, std::string> ParseExercise(std::string_view toml, const std::string& file,
                                                  bool forRecording = false);

// Reads and parses an exercise file; the error is one line.
std::variant<Exercise, std::string> ReadExercise(const std::string& file,
                                                 bool forRecording = false);

// The case of that name, or why there is none.
std::variant<const ExerciseCase*, std::string> CaseNamed(const Exercise& exercise,
                                                         std::string_view name);
