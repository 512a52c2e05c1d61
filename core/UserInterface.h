#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/Peripheral.h"

// The only way the engine reaches the screen. The workbench implements it with widgets,
// corvane-cli with plain records; the engine never knows which.

enum class StatusStyle {
    Progress,    // green with yellow text: assembler progress, "Saved ..."
    Error,       // red with yellow text: errors, "Nothing to assemble."
    Instruction, // button face with black text: the instruction at IP
    Halted,      // yellow with red text: "END  Program has halted."
    Blank,       // button face with black text: the cleared line
};

enum class MessageIcon { Error, Warning, Information };

// The key that ends a run at IN 00 instead of giving the program a code.
inline constexpr uint8_t EscapeKey = 0x1B;

class UserInterface {
  public:
    virtual ~UserInterface() = default;

    // Status line.
    virtual void ShowStatus(std::string_view text, StatusStyle style) = 0;
    // The status line as shown, with its leading space.
    virtual std::string GetStatusText() const = 0;
    // Show the editor's text in [start, start+length) in the status line, face colour.
    virtual void ShowSourceStatus(int32_t start, int32_t length) = 0;

    // Source editor. Offsets count a line break as two characters.
    virtual void SelectSource(int32_t start, int32_t length) = 0;
    virtual void SetEditorReadOnly(bool readOnly) = 0;
    virtual void SetEditorGrey(bool grey) = 0;
    virtual void ClearEditorModified() = 0;
    virtual void FocusEditor() = 0;
    // Source tab in front, editor writable and white, modified mark cleared, focus, and the
    // selection emptied where it began.
    virtual void EnterEditMode() = 0;
    // The length of the text as saving writes it: every line followed by a line break. The
    // tokeniser compares what it read back with this to find lost bytes.
    virtual int64_t SourceTextLength() const = 0;
    virtual bool SourceHasNoLines() const = 0;
    // Writes the editor's text to the current file, or asks for a name.
    virtual bool SaveSource() = 0;
    // Reads the current source file back, at most maxBytes of it. False when it cannot be
    // opened; the interface has then told the user why.
    virtual bool ReadSourceFile(std::string& bytes, size_t maxBytes) = 0;

    // Tabs of the main window.
    virtual void ShowSourceTab() = 0;
    virtual void ShowTokensTab() = 0;

    // Step preparation: registers back to the face colour, editor read-only and grey,
    // RAM view shown when hidden.
    virtual void BeginStep() = 0;

    // Machine state changes.
    virtual void RegisterChanged(int index) = 0;
    virtual void CellChanged(uint8_t address) = 0;

    // Windows.
    virtual void ShowPeripheral(Peripheral window) = 0;
    virtual void HidePeripheral(Peripheral window) = 0;
    virtual bool IsPeripheralVisible(Peripheral window) const = 0;
    virtual void HideAllPeripherals() = 0;
    virtual void RefreshVdu() = 0;

    // List file and assembler log.
    virtual void ListFileChanged() = 0;
    virtual bool AsmLogEnabled() const = 0;
    virtual void ClearAsmLog() = 0;
    virtual void AsmLogLine(std::string_view text) = 0;
    virtual void ClearTokenList() = 0;
    virtual void TokenAdded(std::string_view text) = 0;
    // Selects a line of the token list, lets pending events through and pauses 5 ms.
    virtual void WatchToken(int line) = 0;

    // Run log.
    virtual bool RunLogEnabled() const = 0;
    virtual void ClearRunLog() = 0;
    virtual void RunLogLine(std::string_view text) = 0;

    // Dialogs and sounds.
    virtual void MessageBox(std::string_view text, MessageIcon icon) = 0;
    virtual void Beep() = 0;
    // IN 00 awaits a key: show where it can be typed. Nothing waits here; the key comes back
    // through Taaa::SupplyKey.
    virtual void AwaitKey() = 0;
};
