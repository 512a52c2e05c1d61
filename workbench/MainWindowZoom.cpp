// The zoom of the whole workbench: the View menu's commands, Ctrl with the mouse wheel, and
// what the main window places itself once everything has been scaled.
#include <QLabel>
#include <QWheelEvent>

#include "workbench/TFormMain.h"
#include "workbench/ToolWindow.h"
#include "workbench/WindowArranger.h"
#include "workbench/WindowFrames.h"
#include "workbench/Zoom.h"

namespace {

constexpr int WheelNotch = 120;
constexpr int StatusLineHeight = 16;

} // namespace

void TFormMain::SetZoom(int percent) {
    const double from = ZoomFactor();
    zoomPercent_ = percent;
    Rezoom(this, from, ZoomFactor());
    frames_->Rezoom(from, ZoomFactor());
    arranger_->MainStartSize = Zoomed(QRect(QPoint(0, 0), StartSize), ZoomFactor()).size();
    ApplyTabStops();
    FitStatusLine();
}

void TFormMain::ZoomInClick() {
    SetZoom(ZoomedIn(zoomPercent_));
}

void TFormMain::ZoomOutClick() {
    SetZoom(ZoomedOut(zoomPercent_));
}

void TFormMain::ActualSizeClick() {
    SetZoom(ActualSize);
}

void TFormMain::ProjectorClick() {
    SetZoom(ProjectorZoom);
}

void TFormMain::FitStatusLine() {
    const QWidget* panel = LabelCurrInstr->parentWidget();
    LabelCurrInstr->resize(panel->width() - 2 * LabelCurrInstr->x(),
                           Zoomed(StatusLineHeight, ZoomFactor()));
    // The RUNNING mark keeps to the right end, on the row of the clock.
    LabelRunning->move(panel->width() - 1 - LabelRunning->width(), LabelClock->y());
}

// Over the editor too: the editor's own Ctrl+wheel would grow its font alone, beside the
// font commands.
bool TFormMain::ZoomByWheel(QObject* watched, QWheelEvent& event) {
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (!(event.modifiers() & Qt::ControlModifier) || !widget) {
        return false;
    }
    const QWidget* window = widget->window();
    if (window != this && !(qobject_cast<const ToolWindow*>(window) && window->parent() == this)) {
        return false;
    }
    wheelDelta_ += event.angleDelta().y();
    for (; wheelDelta_ >= WheelNotch; wheelDelta_ -= WheelNotch) {
        ZoomInClick();
    }
    for (; wheelDelta_ <= -WheelNotch; wheelDelta_ += WheelNotch) {
        ZoomOutClick();
    }
    return true;
}
