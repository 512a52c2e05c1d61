#pragma once

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdint>
#include <string>

#include "core/RunEnd.h"
#include "core/UserInterface.h"

// What a step, a command or a run of many steps asks a front end to show. The engine writes
// it as it goes; the front end applies it when it draws (after a step, once a screen frame
// while running, or never). Recording costs a few stores and never allocates on a step's
// path, so a run with nobody watching pays almost nothing for it.
//
// Later changes merge into earlier ones: changed registers and cells are a union, the status
// line and the selection are the last ones, and the editor and window commands keep the
// order in which their last occurrence was made.

// The status line: a message, or the source text at [SourceStart, SourceStart+SourceLength)
// of the editor for the instruction at IP, which the front end cuts from its own text.
struct StatusReport {
    StatusStyle Style = StatusStyle::Blank;
    bool FromSource = false;
    std::string Message; // when !FromSource
    int32_t SourceStart = 0;
    int32_t SourceLength = 0;
};

struct SelectionReport {
    int32_t Start = 0;
    int32_t Length = 0;
};

// The editor's modes and tabs, as the engine sets them.
enum class EditorCommand : uint8_t {
    Lock,          // read-only and grey: a step or run has the program
    Unlock,        // writable and white
    ReadOnly,      // read-only, colour unchanged (while an assembly reads the text)
    Writable,      // writable, colour unchanged
    ClearModified, // the text counts as saved
    Focus,
    EditMode,  // source tab, writable, white, focus, selection emptied where it began; a run
               // that made the editor read-only leaves nothing unsaved
    SourceTab, // the source tab in front
    TokensTab,
};
inline constexpr size_t EditorCommandCount = 9;

enum class WindowCommandKind : uint8_t {
    Show,           // under the one-at-a-time rule
    ShowIfHidden,   // Show, only when the window is hidden
    ShowRegardless, // shown without the one-at-a-time rule
    Hide,
    HideAllDevices,
};

struct WindowCommand {
    WindowCommandKind Kind = WindowCommandKind::Show;
    Peripheral Window = Peripheral::RamView;
    bool operator==(const WindowCommand&) const = default;
};

// One IN or OUT as the program made it.
struct PortAccessReport {
    bool Input = false;
    uint8_t Port = 0;
    uint8_t Byte = 0;
    bool operator==(const PortAccessReport&) const = default;
};

// A list of commands in the order of their last occurrence: a command made again moves to
// the end. Each command sets state without reading it, so the earlier occurrence has no
// effect left once the later one is applied; the list therefore never holds one command
// twice, and Capacity bounds it.
template <typename Command, size_t Capacity> class CommandList {
  public:
    [[gnu::always_inline]] void Add(Command command) {
        if (size_ == 0 || !(items_[size_ - 1] == command)) [[unlikely]] {
            MoveToEnd(command); // every step repeats the last one: the common case is one test
        }
    }
    template <typename Predicate> void RemoveIf(Predicate predicate) {
        Command* end = items_.data() + size_;
        size_ = static_cast<size_t>(std::remove_if(items_.data(), end, predicate) - items_.data());
    }
    const Command* begin() const { return items_.data(); }
    const Command* end() const { return items_.data() + size_; }
    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    void clear() { size_ = 0; }

  private:
    [[gnu::noinline]] void MoveToEnd(Command command) {
        Command* end = items_.data() + size_;
        Command* found = std::find(items_.data(), end, command);
        if (found != end) {
            std::move(found + 1, end, found);
            --size_;
        }
        items_[size_++] = command;
    }

    std::array<Command, Capacity> items_{};
    size_t size_ = 0;
};

// Four commands for each window that name it, and the hiding of all devices.
inline constexpr size_t WindowCommandCapacity = PeripheralCount * 4 + 1;

struct StepReport {
    static constexpr size_t PortAccessCapacity = 16;

    // Registers whose value changed, and those to mark: the registers written since the last
    // step began. ClearsMarks: a step began, so marks made before it go back to the face
    // colour. A flag a register rather than a mask: a write is then a plain store, not a
    // read-modify-write that every later write of the run would wait for.
    std::array<bool, 8> RegisterChanged{};
    std::array<bool, 8> RegisterMarked{};
    bool ClearsMarks = false;
    std::bitset<256> CellsChanged;
    // A cell of the VDU (C0..FF) changed, or every cell did: a shown VDU redraws.
    bool VduChanged = false;

    // The first PortAccessCapacity accesses in order; PortAccessCount counts them all.
    std::array<PortAccessReport, PortAccessCapacity> PortAccesses{};
    size_t PortAccessCount = 0;

    CommandList<EditorCommand, EditorCommandCount> Editor;
    CommandList<WindowCommand, WindowCommandCapacity> Windows;
    // IN 00 awaits a key: the keyboard input window takes it.
    bool KeyAwaited = false;

    bool StatusChanged = false;
    StatusReport Status; // the status line as last set, changed or not
    // Error messages put in the status line, and the last of them whole.
    int ErrorsShown = 0;
    std::string LastError;

    bool SelectionChanged = false;
    SelectionReport Selection;

    RunEnd Ended = RunEnd::None;

    // Recording, as the engine does it.
    void BeginStep() {
        ClearsMarks = true;
        RegisterMarked.fill(false);
        if (!stepCommandsLast_) [[unlikely]] {
            Editor.Add(EditorCommand::Lock);
            Windows.Add({WindowCommandKind::ShowIfHidden, Peripheral::RamView});
            stepCommandsLast_ = true;
        }
    }
    void RegisterWritten(int index) {
        RegisterChanged[static_cast<size_t>(index)] = true;
        RegisterMarked[static_cast<size_t>(index)] = true;
    }
    // Steps made while nobody watched, as if recorded one by one: the registers they wrote
    // and those the last of them wrote, a bit a register (1 << index).
    void StepsWroteRegisters(unsigned written, unsigned lastWritten) {
        BeginStep();
        for (size_t index = 0; index < RegisterChanged.size(); ++index) {
            RegisterChanged[index] = RegisterChanged[index] || ((written >> index) & 1u) != 0;
            RegisterMarked[index] = ((lastWritten >> index) & 1u) != 0;
        }
    }
    // A bit per register (1 << index).
    static uint8_t Mask(const std::array<bool, 8>& flags) {
        unsigned mask = 0;
        for (size_t index = 0; index < flags.size(); ++index) {
            mask |= flags[index] ? 1u << index : 0u;
        }
        return static_cast<uint8_t>(mask);
    }
    void CellWritten(int address) {
        CellsChanged.set(static_cast<size_t>(address));
        if (address >= 0xC0) {
            VduChanged = true;
        }
    }
    void EveryCellChanged() {
        CellsChanged.set();
        VduChanged = true;
    }
    void PortAccessed(bool input, int port, uint8_t byte) {
        if (PortAccessCount < PortAccessCapacity) {
            PortAccesses[PortAccessCount] = {input, static_cast<uint8_t>(port), byte};
        }
        ++PortAccessCount;
    }
    void ShowWindow(WindowCommandKind kind, Peripheral window) {
        stepCommandsLast_ = false;
        Windows.Add({kind, window});
    }
    // Hiding every device leaves nothing of the device commands before it.
    void HideAllDevices() {
        stepCommandsLast_ = false;
        Windows.RemoveIf([](const WindowCommand& command) {
            return static_cast<size_t>(command.Window) < DeviceWindowCount;
        });
        Windows.Add({WindowCommandKind::HideAllDevices, Peripheral::RamView});
    }
    // Edit mode empties the selection where it began, a selection made before it included.
    void SetEditor(EditorCommand command) {
        if (command == EditorCommand::EditMode && SelectionChanged) {
            Selection.Length = 0;
        }
        stepCommandsLast_ = false;
        Editor.Add(command);
    }
    void Select(int32_t start, int32_t length) {
        SelectionChanged = true;
        Selection = {start, length};
    }
    void ShowMessage(std::string_view text, StatusStyle style) {
        StatusChanged = true;
        Status.Style = style;
        Status.FromSource = false;
        Status.Message.assign(text);
        if (style == StatusStyle::Error) {
            ++ErrorsShown;
            LastError.assign(text);
        }
    }
    void ShowSource(int32_t start, int32_t length) {
        StatusChanged = true;
        Status.Style = StatusStyle::Instruction;
        Status.FromSource = true;
        Status.SourceStart = start;
        Status.SourceLength = length;
    }

    // Forgets what has been applied; the status line stays as the engine last set it.
    void Clear() {
        StatusReport status = std::move(Status);
        *this = {};
        Status = std::move(status);
    }

  private:
    // The commands every step begins with are the last of both lists: a step that follows
    // one without other commands need not look at the lists, where adding them changes
    // nothing. Most steps of a run are such steps.
    bool stepCommandsLast_ = false;
};
