#include "cli/HeadlessUi.h"

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

void HeadlessUi::ShowStatus(std::string_view text, StatusStyle style) {
    status_ = StatusLineText(text);
    statusSpan_.reset();
    statusStyle_ = style;
    if (style == StatusStyle::Error) {
        lastError_ = text;
        ++errorCount_;
    }
}

std::string HeadlessUi::GetStatusText() const {
    if (!statusSpan_) {
        return status_;
    }
    const auto [start, length] = InEditor(statusSpan_->first, statusSpan_->second);
    return StatusLineText(std::string_view(editorText_).substr(start, length));
}

std::pair<int32_t, int32_t> HeadlessUi::InEditor(int32_t start, int32_t length) const {
    const auto size = static_cast<int32_t>(editorText_.size());
    start = std::clamp(start, 0, size);
    return {start, std::clamp(length, 0, size - start)};
}

void HeadlessUi::ShowSourceStatus(int32_t start, int32_t length) {
    statusSpan_.emplace(start, length);
    statusStyle_ = StatusStyle::Instruction;
}

void HeadlessUi::SelectSource(int32_t start, int32_t length) {
    selectionStart_ = start;
    selectionLength_ = length;
}

int32_t HeadlessUi::SelectionStart() const {
    return InEditor(selectionStart_, selectionLength_).first;
}

int32_t HeadlessUi::SelectionLength() const {
    return InEditor(selectionStart_, selectionLength_).second;
}

void HeadlessUi::EnterEditMode() {
    readOnly_ = false;
    grey_ = false;
    selectionLength_ = 0;
}

int64_t HeadlessUi::SourceTextLength() const {
    return static_cast<int64_t>(savedText_.size());
}

bool HeadlessUi::ReadSourceFile(std::string& bytes, size_t maxBytes) {
    bytes.assign(savedText_, 0, std::min(maxBytes, savedText_.size()));
    return true;
}

void HeadlessUi::BeginStep() {
    readOnly_ = true;
    grey_ = true;
    visible_.set(Index(Peripheral::RamView));
}

void HeadlessUi::HideAllPeripherals() {
    for (Peripheral window : DeviceCloseList) {
        visible_.reset(Index(window));
    }
}

void HeadlessUi::RunLogLine(std::string_view text) {
    if (OnRunLogLine) {
        OnRunLogLine(text);
    }
}

void HeadlessUi::MessageBox(std::string_view text, MessageIcon) {
    messageBoxes_.emplace_back(text);
}

uint8_t HeadlessUi::NextKey() {
    if (keys_.empty()) {
        return EscapeKey;
    }
    const auto key = static_cast<uint8_t>(keys_.front());
    keys_.pop_front();
    return key;
}
