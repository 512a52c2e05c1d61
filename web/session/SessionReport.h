#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/MachineState.h"
#include "core/Peripheral.h"
#include "core/RunEnd.h"
#include "core/StepReport.h"
#include "core/UserInterface.h"

// Everything the page has to show since it last asked, as plain values. Offsets are offsets
// in the page's text, lines count from 1.

struct ShownStatus {
    StatusStyle Style = StatusStyle::Blank;
    std::string Text; // as the status line shows it, with its leading space
};

struct ErrorMark {
    int64_t Line = 0;
    std::string Message;
};

struct ShownMessageBox {
    std::string Text;
    MessageIcon Icon = MessageIcon::Information;
};

// The flags as the desktop shows them beside SR.
struct ShownFlags {
    bool I = false;
    bool S = false;
    bool O = false;
    bool Z = false;
};

struct SessionReport {
    std::array<uint8_t, RegisterCount> Registers{};
    std::array<std::string, RegisterCount> RegisterTexts; // "AL 00000000 00 +000"
    std::array<bool, RegisterCount> RegistersMarked{};    // painted yellow
    ShownFlags Flags;
    std::vector<int> CellsChanged;
    std::optional<ShownStatus> Status;
    std::optional<SelectionReport> Selection;
    std::vector<EditorCommand> Editor;
    std::vector<WindowCommand> Windows;
    bool KeyAwaited = false; // IN 00 waits: the keyboard input window asks for a key
    bool Running = false;    // a continuous run goes on
    RunEnd Ended = RunEnd::None;
    std::vector<std::string> RunLog;
    // Step Back took the run log back: the page keeps this many of its lines, then adds RunLog.
    std::optional<size_t> RunLogKept;
    bool RunLogCleared = false;      // the page empties its run log before adding RunLog
    std::vector<std::string> AsmLog; // the assembler log's whole text, when AsmLogChanged
    bool AsmLogChanged = false;
    bool TokensChanged = false;
    bool ListChanged = false;
    // The error marks of the last assembly, when it is new.
    std::optional<std::vector<ErrorMark>> Errors;
    std::vector<ShownMessageBox> MessageBoxes;
    int Beeps = 0;
    std::vector<Peripheral> DevicesChanged;
};
