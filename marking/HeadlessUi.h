#pragma once

#include <bitset>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "assembler/SourceText.h"
#include "core/StepReport.h"
#include "marking/QueuedKeys.h"

// A window command applied to the windows that are open, without the one-at-a-time rule: a
// front end without a screen only opens and closes them.
void ApplyWindowCommand(const WindowCommand& command, std::bitset<PeripheralCount>& visible);

// The user interface without a screen: it keeps the editor text, the status line, the
// token list and the window states as plain records, and hands run-log lines and message
// boxes to callbacks. The source file is never written: saving only produces the text
// that would be saved, which assembling reads back, and says nothing.
//
// It follows a machine's report and applies it only when asked what it shows, so a run
// that nobody looks at costs nothing here. The status line and the selection are kept as
// offsets; their text is made only when it is read.
class HeadlessUi : public UserInterface {
  public:
    explicit HeadlessUi(SourceText source = {});

    void SetSource(SourceText source);
    const SourceText& Source() const { return source_; }
    // The report whose changes this interface shows; it takes them when it is asked.
    void Follow(StepReport& report) { report_ = &report; }

    // What the interface shows.
    std::string StatusText() const;
    // A status line's text as shown, its source cut from this interface's editor text.
    std::string StatusTextOf(const StatusReport& status) const;
    StatusStyle CurrentStatusStyle() const;
    // The last error shown in the status line, whole, and how many there were.
    const std::string& LastError() const;
    int ErrorCount() const;
    const std::vector<std::string>& TokenLines() const { return tokenLines_; }
    const std::vector<std::string>& AsmLogLines() const { return asmLog_; }
    const std::vector<std::string>& MessageBoxes() const { return messageBoxes_; }
    int32_t SelectionStart() const;
    int32_t SelectionLength() const;
    bool EditorReadOnly() const;
    bool EditorGrey() const;
    bool IsPeripheralVisible(Peripheral window) const;
    int BeepCount() const { return beeps_; }

    void QueueKeys(std::string_view keys) { keys_.Add(keys); }
    // The next queued key; Escape once the keys are used up.
    uint8_t NextKey() { return keys_.Next(); }
    // True once a key was asked for after the queued ones were used up.
    bool KeysRanOut() const { return keys_.RanOut(); }
    KeyQueue& Keys() { return keys_; }

    // Receivers; unset ones drop what they would receive.
    std::function<void(std::string_view)> OnRunLogLine;

    // UserInterface
    std::string EditorSpan(int32_t start, int32_t length) const override;
    int64_t SourceTextLength() const override;
    bool SourceHasNoLines() const override { return source_.Lines.empty(); }
    bool SaveSource() override { return true; }
    bool ReadSourceFile(std::string& bytes, size_t maxBytes) override;
    void ListFileChanged() override {}
    void ClearAsmLog() override { asmLog_.clear(); }
    void AsmLogLine(std::string_view text) override { asmLog_.emplace_back(text); }
    void ClearTokenList() override { tokenLines_.clear(); }
    void TokenAdded(std::string_view text) override { tokenLines_.emplace_back(text); }
    void WatchToken(int) override {}
    void ClearRunLog() override {}
    void RunLogLine(std::string_view text) override;
    void MessageBox(std::string_view text, MessageIcon icon) override;
    void Beep() override { ++beeps_; }

  private:
    // What the screen would show once the report's changes are in.
    struct Shown {
        StatusReport Status;
        std::string LastError;
        int ErrorCount = 0;
        SelectionReport Selection; // as asked, clamped when read
        bool ReadOnly = false;
        bool Grey = false;
        std::bitset<PeripheralCount> Visible;
    };
    const Shown& Current() const;
    static void Apply(EditorCommand command, Shown& shown);
    static size_t Index(Peripheral window) { return static_cast<size_t>(window); }
    // [start, start+length) cut to the editor's text.
    std::pair<int32_t, int32_t> InEditor(int32_t start, int32_t length) const;

    SourceText source_;
    std::string editorText_;
    std::string savedText_;
    StepReport* report_ = nullptr;
    mutable Shown shown_;

    std::vector<std::string> tokenLines_;
    std::vector<std::string> asmLog_;
    std::vector<std::string> messageBoxes_;
    KeyQueue keys_;
    int beeps_ = 0;
};
