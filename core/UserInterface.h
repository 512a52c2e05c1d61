#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/Peripheral.h"

// The status line's colours, and what the engine still calls on its front end. The
// workbench implements it with widgets, corvane-cli with plain records; the engine never
// knows which.

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

// What stays a call from the engine to its front end: reading and saving the source, the
// editor's text, the assembler's narration while it works, the run log, message boxes and the
// beep. Everything else the engine shows goes into its StepReport, which the front end
// applies when it draws; the engine never reads a widget's state back.
class UserInterface {
  public:
    virtual ~UserInterface() = default;

    // Source editor. Offsets count a line break as two characters.
    // The editor's text in [start, start+length), cut to the text.
    virtual std::string EditorSpan(int32_t start, int32_t length) const = 0;
    // The length of the text as saving writes it: every line followed by a line break. The
    // tokeniser compares what it read back with this to find lost bytes.
    virtual int64_t SourceTextLength() const = 0;
    virtual bool SourceHasNoLines() const = 0;
    // Writes the editor's text to the current file, or asks for a name.
    virtual bool SaveSource() = 0;
    // Reads the current source file back, at most maxBytes of it. False when it cannot be
    // opened; the interface has then told the user why.
    virtual bool ReadSourceFile(std::string& bytes, size_t maxBytes) = 0;

    // List file and assembler log, as the assembler writes them.
    virtual void ListFileChanged() = 0;
    virtual void ClearAsmLog() = 0;
    virtual void AsmLogLine(std::string_view text) = 0;
    virtual void ClearTokenList() = 0;
    virtual void TokenAdded(std::string_view text) = 0;
    // With the assembler log on: the assembly has reached this line of the token list. It
    // does not wait; a front end may show the progress afterwards.
    virtual void WatchToken(int line) = 0;
    // An assembly has replaced the program and reset the CPU, whether it succeeded or not:
    // whatever a front end kept of the program before it no longer belongs to the machine.
    virtual void ProgramReplaced() {}

    // Run log: its lines come as the instructions execute, only while it is switched on.
    virtual void ClearRunLog() = 0;
    virtual void RunLogLine(std::string_view text) = 0;

    // Dialogs and sounds.
    virtual void MessageBox(std::string_view text, MessageIcon icon) = 0;
    virtual void Beep() = 0;
};
