// Step Back: a moment kept after every step, whether stepped or run, and the last step undone
// by going back to the moment before it.
#include "workbench/StepBack.h"

#include <algorithm>
#include <string>

#include "core/Assem.h"
#include "core/RunControl.h"
#include "devices/WholeMachine.h"
#include "workbench/RunLogPane.h"
#include "workbench/TFormMain.h"

size_t TFormMain::StepsToUndo() const {
    return std::max<size_t>(history_->Moments.Size(), 1) - 1;
}

void TFormMain::ProgramReplaced() {
    RestartHistory(HistoryStart::Assembly);
}

void TFormMain::RestartHistory(HistoryStart why) {
    history_->Moments.Clear();
    history_->Began = why;
    RecordMoment();
}

// IN 00's step ends when its key comes: the moment is kept then.
void TFormMain::RecordStep() {
    if (!machine_->AwaitingKey()) {
        RecordMoment();
    }
}

// The selection a step leaves alone is the one the moment before it had.
void TFormMain::RecordMoment() {
    StepRing<WindowMoment>& moments = history_->Moments;
    const SelectionReport shown =
        moments.Size() > 0 ? moments.Newest().Machine.Selection : SelectionAtIp();
    WindowMoment& moment = moments.Push();
    TakeMoment(moment.Machine, *whole_, *machine_, shown);
    for (size_t window = 0; window < PeripheralCount; ++window) {
        moment.Visible[window] = windows_.IsVisible(static_cast<Peripheral>(window));
    }
    moment.PendingWindows = machine_->Report.Windows;
    moment.RunLogLines = RichEdit1->Written();
    RichEdit1->KeepFrom(moments.Oldest().RunLogLines);
}

SelectionReport TFormMain::SelectionAtIp() const {
    const HeldSpan& span = machine_->Machine.HeldSource(machine_->Machine.Reg[IP]);
    return {span.Start, span.Length};
}

const char* TFormMain::StepBackRefusal() const {
    const StepRing<WindowMoment>& moments = history_->Moments;
    return ::StepBackRefusal(moments.Size(), moments.Dropped(), history_->Began,
                             machine_->Machine.NeedsAssembly);
}

// A running program stops first. The step's moment goes, and the one before it comes back.
void TFormMain::ButtonStepBackClick() {
    if (const char* refusal = StepBackRefusal()) {
        ShowStatus(refusal, StatusStyle::Error);
        return;
    }
    if (machine_->Machine.Running) {
        control_->ButtonStopClick();
    }
    history_->Moments.Pop();
    const WindowMoment& moment = history_->Moments.Newest();
    RestoreMoment(moment.Machine, *whole_, *machine_);
    RestoreWindows(moment);
    RichEdit1->GoBackTo(moment.RunLogLines);
    ApplyReport();
}

// The keyboard input window is left alone: no moment is kept while it waits for a key.
void TFormMain::RestoreWindows(const WindowMoment& moment) {
    for (size_t window = 0; window < PeripheralCount; ++window) {
        const auto peripheral = static_cast<Peripheral>(window);
        if (peripheral == Peripheral::KeyboardInput) {
            continue;
        }
        if (moment.Visible[window]) {
            windows_.Show(peripheral, false);
        } else {
            windows_.Hide(peripheral);
        }
    }
    machine_->Report.Windows = moment.PendingWindows;
}
