// The engine's calls on the main window: status line, editor, registers, panes and windows.
#include <QApplication>
#include <QCheckBox>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTimer>

#include "core/Assem.h"
#include "assembler/RegisterText.h"
#include "core/StatusLine.h"
#include "workbench/ButtonFace.h"
#include "workbench/Dialogs.h"
#include "workbench/EditorText.h"
#include "workbench/RunLogPane.h"
#include "workbench/SafeFile.h"
#include "workbench/TFormKeybIn.h"
#include "workbench/TFormMain.h"
#include "workbench/TFormRamHex.h"
#include "workbench/devices/TformVdu.h"

namespace {

constexpr int StatusShownTicks = 30;
constexpr int WatchTokenPauseMs = 5;
const QColor Green(0x00, 0x80, 0x00);
const QColor Yellow(0xFF, 0xFF, 0x00);
const QColor Red(0xFF, 0x00, 0x00);

QString Latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

void Paint(QWidget* widget, const QColor& background, const QColor& text) {
    QPalette colours = widget->palette();
    colours.setColor(QPalette::Window, background);
    colours.setColor(QPalette::WindowText, text);
    widget->setPalette(colours);
}

void PaintStatus(QLabel* label, StatusStyle style) {
    switch (style) {
    case StatusStyle::Progress:
        Paint(label, Green, Yellow);
        break;
    case StatusStyle::Error:
        Paint(label, Red, Yellow);
        break;
    case StatusStyle::Halted:
        Paint(label, Yellow, Red);
        break;
    case StatusStyle::Instruction:
    case StatusStyle::Blank:
        Paint(label, ButtonFace(), Qt::black);
        break;
    }
}

QMessageBox::Icon BoxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        break;
    }
    return QMessageBox::Information;
}

} // namespace

void TFormMain::ShowStatus(std::string_view text, StatusStyle style) {
    statusTicks_ = StatusShownTicks;
    PaintStatus(LabelCurrInstr, style);
    statusText_ = StatusLineText(text);
    LabelCurrInstr->setText(Latin1(statusText_));
    LabelCurrInstr->repaint(); // shows during long operations that keep the event loop waiting
}

// Once a step; an ordinary paint is soon enough here.
void TFormMain::ShowSourceStatus(int32_t start, int32_t length) {
    statusTicks_ = StatusShownTicks;
    PaintStatus(LabelCurrInstr, StatusStyle::Instruction);
    const std::string& bytes = editorText_->Bytes();
    const size_t from = std::min(static_cast<size_t>(std::max(start, 0)), bytes.size());
    statusText_ = StatusLineText(
        std::string_view(bytes).substr(from, static_cast<size_t>(std::max(length, 0))));
    LabelCurrInstr->setText(Latin1(statusText_));
}

// Moving the selection is no edit: neither the modified flag nor NeedsAssembly changes.
void TFormMain::SelectSource(int32_t start, int32_t length) {
    QTextCursor cursor(memoSource->document());
    cursor.setPosition(editorText_->EditorPosition(start));
    cursor.setPosition(editorText_->EditorPosition(int64_t{start} + length),
                       QTextCursor::KeepAnchor);
    memoSource->setTextCursor(cursor);
}

void TFormMain::SetEditorReadOnly(bool readOnly) {
    if (memoSource->isReadOnly() != readOnly) {
        memoSource->setReadOnly(readOnly);
    }
}

void TFormMain::SetEditorGrey(bool grey) {
    if (editorGrey_ == grey) {
        return;
    }
    editorGrey_ = grey;
    QPalette colours = memoSource->palette();
    colours.setColor(QPalette::Base,
                     grey ? ButtonFace() : QApplication::palette().color(QPalette::Base));
    memoSource->setPalette(colours);
}

void TFormMain::ClearEditorModified() {
    memoSource->document()->setModified(false);
}

void TFormMain::FocusEditor() {
    memoSource->setFocus();
}

// Edits made while the editor was writable stay marked as unsaved: only a run or step (which
// made the editor read-only) leaves nothing to save.
void TFormMain::EnterEditMode() {
    const bool wasRunning = memoSource->isReadOnly();
    ShowSourceTab();
    SetEditorReadOnly(false);
    if (wasRunning) {
        ClearEditorModified();
    }
    SetEditorGrey(false);
    FocusEditor();
    QTextCursor cursor = memoSource->textCursor();
    cursor.setPosition(cursor.selectionStart());
    memoSource->setTextCursor(cursor);
}

int64_t TFormMain::SourceTextLength() const {
    return editorText_->SavedLength();
}

bool TFormMain::SourceHasNoLines() const {
    return editorText_->Bytes().empty();
}

bool TFormMain::ReadSourceFile(std::string& bytes, size_t maxBytes) {
    const FileRead read = ReadRegularFile(saveFileName_, static_cast<qint64>(maxBytes));
    if (!read.Error.isEmpty()) {
        dialogs_.Message(this, read.Error, QMessageBox::Critical);
        return false;
    }
    bytes.assign(read.Bytes.constData(), static_cast<size_t>(read.Bytes.size()));
    return true;
}

void TFormMain::ShowSourceTab() {
    PageControl1->setCurrentWidget(TabSheetSourceCode);
}

void TFormMain::ShowTokensTab() {
    PageControl1->setCurrentWidget(TabSheetTokens);
}

void TFormMain::BeginStep() {
    PaintRegistersFace();
    SetEditorReadOnly(true);
    SetEditorGrey(true);
    if (!IsPeripheralVisible(Peripheral::RamView)) {
        ShowPeripheral(Peripheral::RamView);
    }
}

void TFormMain::PaintRegistersFace() {
    for (int index = 0; index < RegisterCount; ++index) {
        if (yellowRegisters_ & (1u << index)) {
            Paint(RegisterLabels[index], ButtonFace(), Qt::black);
        }
    }
    yellowRegisters_ = 0;
}

void TFormMain::RegisterChanged(int index) {
    if (!machine_) {
        return; // the machine is still being made; its registers are shown once it exists
    }
    const int value = machine_->Machine.Reg[index];
    RegisterLabels[index]->setText(
        Latin1(std::string(RegisterNames[index]) + " " + RegisterText(value)));
    if (!(yellowRegisters_ & (1u << index))) {
        Paint(RegisterLabels[index], Yellow, Qt::black);
        yellowRegisters_ |= 1u << index;
    }
    if (RamView && (index == IP || index == SP)) {
        RamView->UpdateHighlights();
    }
}

void TFormMain::CellChanged(uint8_t address) {
    RamView->PaintCell(address);
}

// The Assemble command shows the RAM view itself, without the one-at-a-time rule.
void TFormMain::ShowPeripheral(Peripheral window) {
    const bool assembling = machine_ && machine_->Assembling;
    windows_.Show(window, OneAtATime && !(assembling && window == Peripheral::RamView));
}

void TFormMain::HidePeripheral(Peripheral window) {
    windows_.Hide(window);
}

bool TFormMain::IsPeripheralVisible(Peripheral window) const {
    return windows_.IsVisible(window);
}

void TFormMain::HideAllPeripherals() {
    windows_.HideAllDevices();
}

void TFormMain::RefreshVdu() {
    Vdu->Refresh();
}

// The list file grows a line at a time; the pane takes the whole text once the event loop
// comes round.
void TFormMain::ListFileChanged() {
    if (!listFileStale_) {
        listFileStale_ = true;
        QTimer::singleShot(0, this, &TFormMain::RefreshListFile);
    }
}

void TFormMain::RefreshListFile() {
    if (!listFileStale_) {
        return;
    }
    listFileStale_ = false;
    QStringList lines;
    for (const std::string& line : machine_->List.Lines()) {
        lines.append(Latin1(line));
    }
    MemoList->setPlainText(lines.join(u'\n'));
}

bool TFormMain::AsmLogEnabled() const {
    return CheckBoxAsmLog->isChecked();
}

void TFormMain::ClearAsmLog() {
    MemoAsmLog->clear();
}

void TFormMain::AsmLogLine(std::string_view text) {
    MemoAsmLog->appendPlainText(Latin1(text));
}

void TFormMain::ClearTokenList() {
    pendingTokens_.clear();
    ListBoxTokens->clear();
}

void TFormMain::TokenAdded(std::string_view text) {
    if (pendingTokens_.isEmpty()) {
        QTimer::singleShot(0, this, &TFormMain::FlushTokenList);
    }
    pendingTokens_.append(Latin1(text));
}

void TFormMain::FlushTokenList() {
    ListBoxTokens->addItems(pendingTokens_);
    pendingTokens_.clear();
}

// The assembly pauses here at every token while its log is watched; the window stays alive
// meanwhile, and Busy keeps commands from starting over the assembly.
void TFormMain::WatchToken(int line) {
    FlushTokenList();
    ListBoxTokens->setCurrentRow(line);
    QEventLoop pause;
    QTimer::singleShot(WatchTokenPauseMs, &pause, &QEventLoop::quit);
    pause.exec();
}

void TFormMain::FlushPanes() {
    RefreshListFile();
    FlushTokenList();
    RichEdit1->Flush();
}

bool TFormMain::RunLogEnabled() const {
    return CheckBoxRunLog->isChecked();
}

void TFormMain::ClearRunLog() {
    RichEdit1->ClearLog();
}

void TFormMain::RunLogLine(std::string_view text) {
    RichEdit1->AppendLine(text);
}

void TFormMain::MessageBox(std::string_view text, MessageIcon icon) {
    dialogs_.Message(this, Latin1(text), BoxIcon(icon));
}

void TFormMain::Beep() {
    QApplication::beep();
}

void TFormMain::AwaitKey() {
    KeyboardInputWindow->AwaitKey();
}
