// The machine's report applied to the main window, and the calls that stay calls: the
// editor's text, the panes, boxes and sounds.
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTimer>

#include "assembler/RegisterText.h"
#include "core/Assem.h"
#include "core/RunEndStatus.h"
#include "core/StatusLine.h"
#include "workbench/Dialogs.h"
#include "workbench/EditorText.h"
#include "workbench/RunLogPane.h"
#include "workbench/SafeFile.h"
#include "workbench/SourceMarks.h"
#include "workbench/TFormKeybIn.h"
#include "workbench/TFormMain.h"
#include "workbench/TFormRamHex.h"
#include "workbench/devices/TformVdu.h"

namespace {

constexpr int StatusShownTicks = 30;

QString Latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
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

// The selected line (the instruction at IP while stepping and running) stays in the middle
// half of the editor; it is centred only when it leaves that band, so the text does not move
// at every step.
void KeepInMiddleBand(QPlainTextEdit& editor) {
    const int height = editor.viewport()->height();
    const int y = editor.cursorRect().center().y();
    if (y < height / 4 || y > height - height / 4) {
        editor.centerCursor();
    }
}

// What an assembly shows as it goes: the status line, the editor and the windows. The
// registers and cells it writes show with the rest of the report at its end.
StepReport TakeAssemblyView(StepReport& report) {
    StepReport view;
    std::swap(view.Editor, report.Editor);
    std::swap(view.Windows, report.Windows);
    std::swap(view.StatusChanged, report.StatusChanged);
    std::swap(view.SelectionChanged, report.SelectionChanged);
    view.Status = report.Status;
    view.Selection = report.Selection;
    return view;
}

} // namespace

void TFormMain::ApplyReport() {
    if (!PlayingBack()) {
        ApplyReport(machine_->Report);
    } else if (nextAsmFrame_ == 0) {
        PlayAssemblyFrame(); // the assembly has finished: its first frame shows at once
    }
    if (sourceMarks_) {
        sourceMarks_->Follow();
    }
}

void TFormMain::ApplyReport(StepReport& report) {
    for (EditorCommand command : report.Editor) {
        Apply(command);
    }
    for (const WindowCommand& command : report.Windows) {
        Apply(command);
    }
    if (report.SelectionChanged) {
        SelectSource(report.Selection.Start, report.Selection.Length);
    }
    if (report.Ended != RunEnd::None) {
        SayWhyRunEnded(report);
    }
    if (report.StatusChanged) {
        ApplyStatus(report.Status);
    }
    ApplyRegisters(report);
    ApplyCells(report);
    if (report.KeyAwaited) {
        KeyboardInputWindow->AwaitKey();
    }
    runGoing_ = machine_->Machine.Running || machine_->ResumeAfterInput;
    ShowRunning();
    report.Clear();
}

// Into the report, so the engine's status line agrees with the window's.
void TFormMain::SayWhyRunEnded(StepReport& report) const {
    if (const std::optional<EndStatus> status =
            RunEndStatus(report.Ended, runGoing_, report.LastError)) {
        report.ShowMessage(status->Text, status->Style);
    }
}

void TFormMain::Apply(EditorCommand command) {
    switch (command) {
    case EditorCommand::Lock:
        SetEditorReadOnly(true);
        SetEditorGrey(true);
        break;
    case EditorCommand::Unlock:
        SetEditorReadOnly(false);
        SetEditorGrey(false);
        break;
    case EditorCommand::ReadOnly:
        SetEditorReadOnly(true);
        break;
    case EditorCommand::Writable:
        SetEditorReadOnly(false);
        break;
    case EditorCommand::ClearModified:
        ClearEditorModified();
        break;
    case EditorCommand::Focus:
        FocusEditor();
        break;
    case EditorCommand::EditMode:
        EnterEditMode();
        break;
    case EditorCommand::SourceTab:
        ShowSourceTab();
        break;
    case EditorCommand::TokensTab:
        ShowTokensTab();
        break;
    }
}

void TFormMain::Apply(const WindowCommand& command) {
    switch (command.Kind) {
    case WindowCommandKind::Show:
        ShowPeripheral(command.Window);
        break;
    case WindowCommandKind::ShowIfHidden:
        if (!IsPeripheralVisible(command.Window)) {
            ShowPeripheral(command.Window);
        }
        break;
    case WindowCommandKind::ShowRegardless:
        windows_.Show(command.Window, false);
        break;
    case WindowCommandKind::Hide:
        HidePeripheral(command.Window);
        break;
    case WindowCommandKind::HideAllDevices:
        HideAllPeripherals();
        break;
    }
}

void TFormMain::ApplyStatus(const StatusReport& status) {
    if (status.FromSource) {
        ShowSourceStatus(status.SourceStart, status.SourceLength);
    } else {
        ShowMessageStatus(status.Message, status.Style);
    }
}

// A step marks the registers it writes yellow; the next step paints them back first.
void TFormMain::ApplyRegisters(const StepReport& report) {
    if (report.ClearsMarks) {
        PaintRegistersFace();
    }
    for (int index = 0; index < RegisterCount; ++index) {
        const unsigned bit = 1u << index;
        if (report.RegisterChanged[index]) {
            ShowRegister(index);
        }
        if (report.RegisterMarked[index] && !(yellowRegisters_ & bit)) {
            yellowRegisters_ |= bit;
            PaintRegister(index);
        }
    }
    if (report.RegisterChanged[IP] || report.RegisterChanged[SP]) {
        RamView->UpdateHighlights();
    }
}

void TFormMain::ApplyCells(const StepReport& report) {
    if (report.CellsChanged.none()) {
        return;
    }
    for (int address = 0; address < 256; ++address) {
        if (report.CellsChanged.test(static_cast<size_t>(address))) {
            RamView->PaintCell(address);
        }
    }
    if (report.VduChanged && IsPeripheralVisible(Peripheral::Vdu)) {
        Vdu->Refresh();
    }
}

void TFormMain::ShowStatus(std::string_view text, StatusStyle style) {
    machine_->ShowStatus(text, style);
    ApplyReport();
}

void TFormMain::ShowMessageStatus(std::string_view text, StatusStyle style) {
    statusTicks_ = StatusShownTicks;
    PaintStatusLine(style);
    LabelCurrInstr->setText(Latin1(StatusLineText(text)));
    LabelCurrInstr->repaint(); // shows during long operations that keep the event loop waiting
}

// Once a step; an ordinary paint is soon enough here.
void TFormMain::ShowSourceStatus(int32_t start, int32_t length) {
    statusTicks_ = StatusShownTicks;
    PaintStatusLine(StatusStyle::Instruction);
    LabelCurrInstr->setText(Latin1(StatusLineText(EditorSpan(start, length))));
}

std::string TFormMain::EditorSpan(int32_t start, int32_t length) const {
    const std::string& bytes = editorText_->Bytes();
    const size_t from = std::min(static_cast<size_t>(std::max(start, 0)), bytes.size());
    return bytes.substr(from, static_cast<size_t>(std::max(length, 0)));
}

// Moving the selection is no edit: neither the modified flag nor NeedsAssembly changes.
void TFormMain::SelectSource(int32_t start, int32_t length) {
    QTextCursor cursor(memoSource->document());
    cursor.setPosition(editorText_->EditorPosition(start));
    cursor.setPosition(editorText_->EditorPosition(int64_t{start} + length),
                       QTextCursor::KeepAnchor);
    memoSource->setTextCursor(cursor);
    KeepInMiddleBand(*memoSource);
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
    PaintEditor();
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

void TFormMain::PaintRegistersFace() {
    const unsigned marked = yellowRegisters_;
    yellowRegisters_ = 0;
    for (int index = 0; index < RegisterCount; ++index) {
        if (marked & (1u << index)) {
            PaintRegister(index);
        }
    }
}

void TFormMain::ShowRegister(int index) {
    const int value = machine_->Machine.Reg[index];
    RegisterLabels[index]->setText(
        Latin1(std::string(RegisterNames[index]) + " " + RegisterText(value)));
}

void TFormMain::ShowPeripheral(Peripheral window) {
    windows_.Show(window, OneAtATime);
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

// The list file grows a line at a time; the pane takes the whole text once the event loop
// comes round.
void TFormMain::ListFileChanged() {
    if (!listFileStale_) {
        listFileStale_ = true;
        QTimer::singleShot(0, this, &TFormMain::RefreshListFile);
    }
}

void TFormMain::RefreshListFile() {
    if (!listFileStale_ || PlayingBack()) {
        return;
    }
    listFileStale_ = false;
    MemoList->setPlainText(ListFileText());
}

QString TFormMain::ListFileText() const {
    QStringList lines;
    for (const std::string& line : machine_->List.Lines()) {
        lines.append(Latin1(line));
    }
    return lines.join(u'\n');
}

// The assembler log and the token list take their lines once the event loop comes round, or
// a frame at a time while a watched assembly is played back.
void TFormMain::ClearAsmLog() {
    pendingAsmLog_.clear();
    asmLogShown_ = 0;
    MemoAsmLog->clear();
}

void TFormMain::AsmLogLine(std::string_view text) {
    if (pendingAsmLog_.isEmpty()) {
        QTimer::singleShot(0, this, &TFormMain::FlushAsmLog);
    }
    pendingAsmLog_.append(Latin1(text));
}

void TFormMain::FlushAsmLog() {
    if (!PlayingBack()) {
        ShowWaitingAsmLog(pendingAsmLog_.size());
    }
}

void TFormMain::ShowWaitingAsmLog(qsizetype count) {
    for (const QString& line : pendingAsmLog_.first(count)) {
        MemoAsmLog->appendPlainText(line);
    }
    pendingAsmLog_.remove(0, count);
    asmLogShown_ += count;
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
    if (!PlayingBack()) {
        ShowWaitingTokens(pendingTokens_.size());
    }
}

void TFormMain::ShowWaitingTokens(qsizetype count) {
    ListBoxTokens->addItems(pendingTokens_.first(count));
    pendingTokens_.remove(0, count);
}

// The assembly never waits: at every token it reads while its log is watched, the window
// notes what it would show there, and plays the frames back once the assembly is done.
void TFormMain::WatchToken(int line) {
    if (asmFrames_.empty()) {
        TimerAsmPlayback->start();
    }
    AssemblyFrame frame{line, ListBoxTokens->count() + pendingTokens_.size(),
                        asmLogShown_ + pendingAsmLog_.size(), std::nullopt,
                        TakeAssemblyView(machine_->Report)};
    if (listFileStale_) {
        listFileStale_ = false;
        frame.ListFile = ListFileText();
    }
    asmFrames_.push_back(std::move(frame));
}

// One frame a tick of TimerAsmPlayback, held while a box is open as the assembly was; with
// the log switched off the rest shows at once. The report of the command that assembled
// (a step, a run) comes a tick after the last frame.
void TFormMain::PlayAssemblyFrame() {
    if (ModalWindowOpen()) {
        return;
    }
    if (nextAsmFrame_ < asmFrames_.size() && CheckBoxAsmLog->isChecked()) {
        AssemblyFrame& frame = asmFrames_[nextAsmFrame_++];
        ApplyReport(frame.View);
        ShowWaitingTokens(frame.Tokens - ListBoxTokens->count());
        ShowWaitingAsmLog(frame.LogLines - asmLogShown_);
        if (frame.ListFile) {
            MemoList->setPlainText(*frame.ListFile);
        }
        ListBoxTokens->setCurrentRow(frame.Row);
    } else if (!machine_->Assembling) {
        EndAssemblyPlayback();
    }
}

void TFormMain::EndAssemblyPlayback() {
    TimerAsmPlayback->stop();
    asmFrames_.clear();
    nextAsmFrame_ = 0;
    listFileStale_ = true;
    FlushPanes();
    ApplyReport();
}

void TFormMain::FlushPanes() {
    RefreshListFile();
    FlushTokenList();
    FlushAsmLog();
    RichEdit1->Flush();
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
