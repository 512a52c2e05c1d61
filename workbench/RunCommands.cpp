// The command buttons, the timer that drives the machine, and the font and help commands.
#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGroupBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <cmath>

#include "core/Assem.h"
#include "core/RunControl.h"
#include "core/RunEndStatus.h"
#include "core/Scheduler.h"
#include "devices/WholeMachine.h"
#include "workbench/Dialogs.h"
#include "workbench/FindReplace.h"
#include "workbench/Fonts.h"
#include "workbench/Links.h"
#include "workbench/RunLogPane.h"
#include "workbench/SourceMarks.h"
#include "workbench/SourcePrinter.h"
#include "workbench/StepBack.h"
#include "workbench/TFormKeybIn.h"
#include "workbench/TFormMain.h"
#include "workbench/TFormRamHex.h"
#include "workbench/TextPane.h"
#include "workbench/TformAboutBox.h"
#include "workbench/ToolWindow.h"

namespace {

constexpr int SmallestFont = 6;
constexpr int LargestFont = 72;
constexpr int TabStopDigits = 8;
constexpr int64_t MaxCatchUpMs = 100;

} // namespace

bool TFormMain::ModalWindowOpen() {
    return QApplication::activeModalWidget() != nullptr;
}

// While a box or dialog of ours waits for an answer, and while an assembly is played back,
// the machine's clocks do not step: the program goes on after what the user is shown.
bool TFormMain::ClocksHeldByWindow() const {
    return ModalWindowOpen() || PlayingBack();
}

bool TFormMain::Busy() const {
    return machine_ && (machine_->Assembling || machine_->AwaitingKey() || PlayingBack());
}

void TFormMain::Command(void (*handler)(TFormMain&)) {
    if (handler && !Busy()) {
        handler(*this);
    }
}

void TFormMain::ButtonAssembleClick() {
    machine_->ButtonAssembleClick();
    ApplyReport();
}

// A step that changed nothing (refused, or HALT again) leaves nothing to undo.
void TFormMain::ButtonStepClick() {
    machine_->ButtonStepClick();
    if (!(whole_->Snapshot() == history_->Moments.Newest().Machine.Machine)) {
        RecordStep();
    }
    ApplyReport();
}

void TFormMain::ButtonRunClick() {
    EndCaseReplay();
    clock_->StopAtEveryBreakpoint(); // from the top again, even at the breakpoint last stopped at
    control_->ButtonRunClick();
    RestartHistory(HistoryStart::Run);
    ApplyReport();
}

void TFormMain::ButtonContinuousClick() {
    control_->ButtonContinuousClick();
    ApplyReport();
}

void TFormMain::ButtonStopClick() {
    const bool running = machine_->Machine.Running;
    control_->ButtonStopClick();
    if (running) {
        machine_->ShowStatus(StoppedByUserText, StatusStyle::Halted);
    }
    ApplyReport();
}

void TFormMain::ButtonResetClick() {
    EndCaseReplay();
    control_->ButtonResetClick();
    RestartHistory(HistoryStart::CpuReset);
    ApplyReport();
}

void TFormMain::ButtonSlowClick() {
    control_->ButtonSlowClick();
    ShowClock();
}

void TFormMain::ButtonFastClick() {
    control_->ButtonFastClick();
    ShowClock();
}

void TFormMain::ButtonIntervalReduceClick() {
    control_->ButtonIntervalReduceClick();
    GroupBoxHWT->setTitle(QString::fromStdString(control_->HwTimerCaption()));
}

void TFormMain::ButtonIntervalIncreaseClick() {
    control_->ButtonIntervalIncreaseClick();
    GroupBoxHWT->setTitle(QString::fromStdString(control_->HwTimerCaption()));
}

void TFormMain::ButtonShowRamClick() {
    ShowPeripheral(Peripheral::RamView);
}

void TFormMain::ShowRamView(int view) {
    if (!Busy()) {
        RamView->SetView(static_cast<TFormRamHex::View>(view));
    }
}

void TFormMain::MenuHideAllClick() {
    HideAllPeripherals();
}

void TFormMain::ToolCloseAllClick() {
    HideAllPeripherals();
    HidePeripheral(Peripheral::RamView);
}

void TFormMain::MenuExitClick() {
    close();
}

// Undo and Redo wait in run mode, as typing does.
void TFormMain::MenuEditUndoClick() {
    if (!memoSource->isReadOnly()) {
        memoSource->undo();
    }
}

void TFormMain::MenuEditRedoClick() {
    if (!memoSource->isReadOnly()) {
        memoSource->redo();
    }
}

void TFormMain::MenuEditCopyClick() {
    if (memoSource->hasFocus()) {
        memoSource->copy();
    } else if (MemoList->hasFocus()) {
        MemoList->copy();
    }
}

void TFormMain::MenuEditCutClick() {
    if (memoSource->hasFocus()) {
        memoSource->cut();
    } else if (MemoList->hasFocus()) {
        MemoList->cut();
    }
}

void TFormMain::MenuEditPasteClick() {
    if (memoSource->hasFocus()) {
        memoSource->PasteClipboard();
    }
}

void TFormMain::MenuEditSelectAllClick() {
    if (memoSource->hasFocus()) {
        memoSource->selectAll();
    }
}

void TFormMain::MenuFindClick() {
    findReplace_->ShowFind();
}

void TFormMain::MenuReplaceClick() {
    findReplace_->ShowReplace();
}

// Both printouts are headed with the source file's name.
void TFormMain::MenuPrintSourceClick() {
    printer_->Print(*memoSource, windowTitle(), CheckBoxPrintPause->isChecked());
}

void TFormMain::MenuPrintListClick() {
    FlushPanes();
    printer_->Print(*MemoList, windowTitle(), CheckBoxPrintPause->isChecked());
}

void TFormMain::MenuPrintSetupClick() {
    printer_->Setup();
}

void TFormMain::MenuAboutClick() {
    AboutBox->exec();
}

void TFormMain::MenuHelpContentsClick() {
    ShowHelp({});
}

// The manual stands beside the program, named after it; a topic is a section of it.
void TFormMain::ShowHelp(const QString& topic) {
    const QString manual = QApplication::applicationFilePath() + ".html";
    if (!QFileInfo::exists(manual)) {
        dialogs_.Message(this, "The manual " + manual + " could not be found.",
                         QMessageBox::Warning);
        return;
    }
    QUrl address = QUrl::fromLocalFile(manual);
    address.setFragment(topic);
    if (!QDesktopServices::openUrl(address)) {
        dialogs_.Message(this,
                         "No web browser could be started to show the manual. You can open "
                         "it in a browser yourself: " +
                             manual,
                         QMessageBox::Warning);
    }
}

void TFormMain::ToolForumClick() {
    if (!QDesktopServices::openUrl(QUrl(ForumAddress))) {
        dialogs_.Message(this, NoProgramForLink(ForumAddress), QMessageBox::Warning);
    }
}

void TFormMain::EnlargeFontClick() {
    const int size = EditorPoints();
    if (size < LargestFont) {
        ApplyFontSize(size + 1);
    }
}

void TFormMain::ReduceFontClick() {
    const int size = EditorPoints();
    if (size > SmallestFont) {
        ApplyFontSize(size - 1);
    }
}

void TFormMain::BoldFontClick() {
    const bool bold = !memoSource->font().bold();
    for (QWidget* pane : FontPanes()) {
        QFont font = pane->font();
        font.setBold(bold);
        pane->setFont(font);
    }
    ApplyTabStops();
}

void TFormMain::ApplyFontSize(int points) {
    for (QWidget* pane : FontPanes()) {
        QFont font = pane->font();
        font.setPointSizeF(points * ZoomFactor());
        pane->setFont(font);
    }
    ApplyTabStops();
}

int TFormMain::EditorPoints() const {
    return static_cast<int>(std::lround(memoSource->font().pointSizeF() / ZoomFactor()));
}

// The panes and the tab bar follow the font commands; the Configuration tab does not.
std::vector<QWidget*> TFormMain::FontPanes() const {
    return {memoSource, MemoList, MemoAsmLog, RichEdit1, ListBoxTokens, PageControl1->tabBar()};
}

// Tab stops are eight digit widths of each pane's own font.
void TFormMain::ApplyTabStops() {
    for (QPlainTextEdit* pane :
         std::initializer_list<QPlainTextEdit*>{memoSource, MemoList, MemoAsmLog, RichEdit1}) {
        pane->setTabStopDistance(TabStopDigits * pane->fontMetrics().horizontalAdvance(u'0'));
    }
}

// Simulated time catches up with the real time, but by no more than MaxCatchUpMs at a turn:
// a machine that stalled does not then make thousands of steps at once.
void TFormMain::TimerClockTimer(int64_t elapsedMs) {
    owedMs_ = std::min(owedMs_ + elapsedMs, MaxCatchUpMs);
    if (inSlice_) {
        return; // a step of this turn waits in a box's event loop
    }
    clock_->ClocksHeld = ClocksHeldByWindow();
    const int64_t start = clock_->NowMs();
    inSlice_ = true;
    const SliceReport slice = clock_->RunFor(owedMs_, CaseStepsAllowed());
    inSlice_ = false;
    stepsRun_ += slice.Steps;
    owedMs_ -= clock_->NowMs() - start;
    CountCaseSteps(slice);
    ApplyReport();
    if (slice.How == SliceEnd::Breakpoint) {
        ShowStatus(sourceMarks_->BreakpointStopText(), StatusStyle::Progress);
    }
}

void TFormMain::TimerCPUTimer() {
    if (!ClocksHeldByWindow()) {
        const bool steps = machine_->Machine.Running;
        control_->TimerCPUTimer();
        if (steps) {
            RecordStep();
        }
        ApplyReport();
    }
}

void TFormMain::TimerHWTimer() {
    if (!ClocksHeldByWindow()) {
        control_->TimerHWTimer();
        ApplyReport();
    }
}

// A message stays about ten seconds; the blanking restarts the count, without visible effect.
// A playback shows messages as they were, so the count waits meanwhile.
void TFormMain::TimerStatusClearTimer() {
    if (!PlayingBack() && statusTicks_ > 0 && --statusTicks_ == 0) {
        ShowStatus("", StatusStyle::Blank);
    }
    ReturnFocusFromToolWindow();
}

// Takes the activation back from our own RAM view and device windows only: never from
// another program, the keyboard input window, a window the keyboard was brought to, a box,
// a menu or a popup. While a program waits for a key, it goes to the keyboard input window
// instead.
void TFormMain::ReturnFocusFromToolWindow() {
    QWidget* active = QApplication::activeWindow();
    auto* toolWindow = qobject_cast<ToolWindow*>(active);
    if (!KeepFocus || !toolWindow || toolWindow->WaitsForKey() || toolWindow->HoldsKeyboard() ||
        ModalWindowOpen() || QApplication::activePopupWidget()) {
        return;
    }
    toolWindow->GiveFocusBack();
}
