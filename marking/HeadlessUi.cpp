#include "marking/HeadlessUi.h"

#include <algorithm>

#include "core/StatusLine.h"
#include "devices/DeviceTable.h"

HeadlessUi::HeadlessUi(SourceText source) {
    SetSource(std::move(source));
}

void HeadlessUi::SetSource(SourceText source) {
    source_ = std::move(source);
    editorText_ = source_.EditorText();
    savedText_ = source_.SavedText();
}

const HeadlessUi::Shown& HeadlessUi::Current() const {
    if (!report_) {
        return shown_;
    }
    StepReport& report = *report_;
    for (EditorCommand command : report.Editor) {
        Apply(command, shown_);
    }
    for (const WindowCommand& command : report.Windows) {
        ApplyWindowCommand(command, shown_.Visible);
    }
    if (report.SelectionChanged) {
        shown_.Selection = report.Selection;
    }
    shown_.Status = report.Status;
    shown_.ErrorCount += report.ErrorsShown;
    if (report.ErrorsShown > 0) {
        shown_.LastError = report.LastError;
    }
    report.Clear();
    return shown_;
}

void HeadlessUi::Apply(EditorCommand command, Shown& shown) {
    switch (command) {
    case EditorCommand::Lock:
        shown.ReadOnly = true;
        shown.Grey = true;
        break;
    case EditorCommand::Unlock:
        shown.ReadOnly = false;
        shown.Grey = false;
        break;
    case EditorCommand::ReadOnly:
        shown.ReadOnly = true;
        break;
    case EditorCommand::Writable:
        shown.ReadOnly = false;
        break;
    case EditorCommand::EditMode:
        shown.ReadOnly = false;
        shown.Grey = false;
        shown.Selection.Length = 0;
        break;
    case EditorCommand::ClearModified:
    case EditorCommand::Focus:
    case EditorCommand::SourceTab:
    case EditorCommand::TokensTab:
        break;
    }
}

void ApplyWindowCommand(const WindowCommand& command, std::bitset<PeripheralCount>& visible) {
    const auto index = [](Peripheral window) { return static_cast<size_t>(window); };
    switch (command.Kind) {
    case WindowCommandKind::Show:
    case WindowCommandKind::ShowIfHidden:
    case WindowCommandKind::ShowRegardless:
        visible.set(index(command.Window));
        break;
    case WindowCommandKind::Hide:
        visible.reset(index(command.Window));
        break;
    case WindowCommandKind::HideAllDevices:
        for (Peripheral window : DeviceCloseList) {
            visible.reset(index(window));
        }
        break;
    }
}

std::string HeadlessUi::StatusText() const {
    return StatusTextOf(Current().Status);
}

std::string HeadlessUi::StatusTextOf(const StatusReport& status) const {
    if (!status.FromSource) {
        return StatusLineText(status.Message);
    }
    return StatusLineText(EditorSpan(status.SourceStart, status.SourceLength));
}

StatusStyle HeadlessUi::CurrentStatusStyle() const {
    return Current().Status.Style;
}

const std::string& HeadlessUi::LastError() const {
    return Current().LastError;
}

int HeadlessUi::ErrorCount() const {
    return Current().ErrorCount;
}

std::string HeadlessUi::EditorSpan(int32_t start, int32_t length) const {
    const auto [from, count] = InEditor(start, length);
    return editorText_.substr(static_cast<size_t>(from), static_cast<size_t>(count));
}

std::pair<int32_t, int32_t> HeadlessUi::InEditor(int32_t start, int32_t length) const {
    const auto size = static_cast<int32_t>(editorText_.size());
    start = std::clamp(start, 0, size);
    return {start, std::clamp(length, 0, size - start)};
}

int32_t HeadlessUi::SelectionStart() const {
    const SelectionReport& selection = Current().Selection;
    return InEditor(selection.Start, selection.Length).first;
}

int32_t HeadlessUi::SelectionLength() const {
    const SelectionReport& selection = Current().Selection;
    return InEditor(selection.Start, selection.Length).second;
}

bool HeadlessUi::EditorReadOnly() const {
    return Current().ReadOnly;
}

bool HeadlessUi::EditorGrey() const {
    return Current().Grey;
}

bool HeadlessUi::IsPeripheralVisible(Peripheral window) const {
    return Current().Visible.test(Index(window));
}

int64_t HeadlessUi::SourceTextLength() const {
    return static_cast<int64_t>(savedText_.size());
}

bool HeadlessUi::ReadSourceFile(std::string& bytes, size_t maxBytes) {
    bytes.assign(savedText_, 0, std::min(maxBytes, savedText_.size()));
    return true;
}

void HeadlessUi::RunLogLine(std::string_view text) {
    if (OnRunLogLine) {
        OnRunLogLine(text);
    }
}

void HeadlessUi::MessageBox(std::string_view text, MessageIcon) {
    messageBoxes_.emplace_back(text);
}
