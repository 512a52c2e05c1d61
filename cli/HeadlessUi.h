#pragma once

#include <bitset>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "assembler/SourceText.h"
#include "core/UserInterface.h"

// The user interface without a screen: it keeps the editor text, the status line, the
// token list and the window states as plain records, and hands run-log lines and message
// boxes to callbacks. The source file is never written: saving only produces the text
// that would be saved, which assembling reads back, and says nothing. The status line and
// the selection are kept as offsets; their text is made only when it is read.
class HeadlessUi : public UserInterface {
  public:
    explicit HeadlessUi(SourceText source = {});

    void SetSource(SourceText source);
    const SourceText& Source() const { return source_; }

    // What the interface shows.
    std::string StatusText() const { return GetStatusText(); }
    StatusStyle CurrentStatusStyle() const { return statusStyle_; }
    // The last error shown in the status line, whole, and how many there were.
    const std::string& LastError() const { return lastError_; }
    int ErrorCount() const { return errorCount_; }
    const std::vector<std::string>& TokenLines() const { return tokenLines_; }
    const std::vector<std::string>& AsmLogLines() const { return asmLog_; }
    const std::vector<std::string>& MessageBoxes() const { return messageBoxes_; }
    int32_t SelectionStart() const;
    int32_t SelectionLength() const;
    bool EditorReadOnly() const { return readOnly_; }
    bool EditorGrey() const { return grey_; }
    int BeepCount() const { return beeps_; }

    // Switches and keys.
    bool RunLogSwitch = false;
    bool AsmLogSwitch = false;
    void QueueKeys(std::string_view keys) { keys_.insert(keys_.end(), keys.begin(), keys.end()); }

    // Receivers; unset ones drop what they would receive.
    std::function<void(std::string_view)> OnRunLogLine;

    // UserInterface
    void ShowStatus(std::string_view text, StatusStyle style) override;
    std::string GetStatusText() const override;
    void ShowSourceStatus(int32_t start, int32_t length) override;
    void SelectSource(int32_t start, int32_t length) override;
    void SetEditorReadOnly(bool readOnly) override { readOnly_ = readOnly; }
    void SetEditorGrey(bool grey) override { grey_ = grey; }
    void ClearEditorModified() override {}
    void FocusEditor() override {}
    void EnterEditMode() override;
    int64_t SourceTextLength() const override;
    bool SourceHasNoLines() const override { return source_.Lines.empty(); }
    bool SaveSource() override { return true; }
    bool ReadSourceFile(std::string& bytes, size_t maxBytes) override;
    void ShowSourceTab() override {}
    void ShowTokensTab() override {}
    void BeginStep() override;
    void RegisterChanged(int) override {}
    void CellChanged(uint8_t) override {}
    void ShowPeripheral(Peripheral window) override { visible_.set(Index(window)); }
    void HidePeripheral(Peripheral window) override { visible_.reset(Index(window)); }
    bool IsPeripheralVisible(Peripheral window) const override {
        return visible_.test(Index(window));
    }
    void HideAllPeripherals() override;
    void RefreshVdu() override {}
    void ListFileChanged() override {}
    bool AsmLogEnabled() const override { return AsmLogSwitch; }
    void ClearAsmLog() override { asmLog_.clear(); }
    void AsmLogLine(std::string_view text) override { asmLog_.emplace_back(text); }
    void ClearTokenList() override { tokenLines_.clear(); }
    void TokenAdded(std::string_view text) override { tokenLines_.emplace_back(text); }
    void WatchToken(int) override {}
    bool RunLogEnabled() const override { return RunLogSwitch; }
    void ClearRunLog() override {}
    void RunLogLine(std::string_view text) override;
    void MessageBox(std::string_view text, MessageIcon icon) override;
    void Beep() override { ++beeps_; }
    // The run asks AwaitingKey after each step and answers with NextKey.
    void AwaitKey() override {}

    // The next queued key; Escape once the keys are used up.
    uint8_t NextKey();

  private:
    static size_t Index(Peripheral window) { return static_cast<size_t>(window); }
    // [start, start+length) cut to the editor's text.
    std::pair<int32_t, int32_t> InEditor(int32_t start, int32_t length) const;

    SourceText source_;
    std::string editorText_;
    std::string savedText_;

    std::string status_ = " ";
    std::optional<std::pair<int32_t, int32_t>> statusSpan_; // as asked, clamped when read
    StatusStyle statusStyle_ = StatusStyle::Blank;
    std::string lastError_;
    int errorCount_ = 0;

    int32_t selectionStart_ = 0; // as asked, clamped when read
    int32_t selectionLength_ = 0;
    bool readOnly_ = false;
    bool grey_ = false;
    std::bitset<PeripheralCount> visible_;

    std::vector<std::string> tokenLines_;
    std::vector<std::string> asmLog_;
    std::vector<std::string> messageBoxes_;
    std::deque<char> keys_;
    int beeps_ = 0;
};
