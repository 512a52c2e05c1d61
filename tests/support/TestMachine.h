#pragma once

#include <string>
#include <string_view>

#include "assembler/SourceText.h"
#include "core/Assem.h"
#include "core/RunControl.h"
#include "marking/HeadlessUi.h"

// A machine with a headless interface, loaded with a source as the editor would load it.
// Write sources with '\n' line ends; they are saved with CR LF like the editor saves them.
struct TestMachine {
    HeadlessUi ui;
    Taaa machine{ui};
    RunControl control{machine};

    explicit TestMachine(std::string_view source = {}) {
        ui.Follow(machine.Report);
        Load(source);
    }

    void Load(std::string_view source) {
        ui.SetSource(SourceText::FromBytes(source));
        machine.Machine.NeedsAssembly = true;
    }
    // Assembles; true on success.
    bool Assemble() {
        machine.ButtonAssembleClick();
        return machine.Machine.NoError;
    }
    void Step(int count = 1) {
        for (int i = 0; i < count; ++i) {
            machine.ButtonStepClick();
        }
    }
    int Reg(int index) const { return machine.Machine.Reg[index]; }
    int RegLow(int index) const { return machine.Machine.Reg[index] & 0xFF; }
    int Cell(int address) const { return machine.Machine.CellValue(address) & 0xFF; }
    std::string ListText() const {
        std::string text;
        for (const std::string& line : machine.List.Lines()) {
            text += line + "\n";
        }
        return text;
    }
};
