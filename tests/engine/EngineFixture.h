#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "assembler/RegisterText.h"
#include "support/TestMachine.h"

// A test machine that records every run-log line and can be loaded with raw machine code.
struct LoggedMachine : TestMachine {
    std::vector<std::string> Log;

    explicit LoggedMachine(std::string_view source = {}) : TestMachine(source) {
        machine.Settings.RunLog = true;
        ui.OnRunLogLine = [this](std::string_view line) { Log.emplace_back(line); };
    }

    // Loads and assembles a source that must assemble cleanly.
    void Build(std::string_view source) {
        Load(source);
        ASSERT_TRUE(Assemble()) << ui.LastError();
    }
    // Places raw bytes from `at` on as DB lines; END then stands at 00 (or right after the
    // bytes when they start at 00), and IP is set to `at`.
    void BuildCode(const std::vector<int>& bytes, int at = 0) {
        std::string source = "ORG " + HexByte(at) + "\n";
        for (int byte : bytes) {
            source += "DB " + HexByte(byte) + "\n";
        }
        source += at == 0 ? "END\n" : "ORG 00\nEND\n";
        Build(source);
        Set(IP, at);
    }
    void Set(int index, int value) { machine.Machine.SetRegister(index, value, false); }
    bool NoError() const { return machine.Machine.NoError; }
    bool Running() const { return machine.Machine.Running; }
    CellShown CellNode(int address) const { return *machine.Machine.Cell(address); }
    std::string Status() const { return ui.StatusText(); }
};

inline std::string Dashes(int count) {
    return std::string(static_cast<size_t>(count), '-');
}
