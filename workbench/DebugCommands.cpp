// The Debug menu: breakpoints on source lines and running to the cursor's line.
#include "core/Assem.h"
#include "core/RunControl.h"
#include "workbench/SourceMarks.h"
#include "workbench/TFormMain.h"

void TFormMain::MenuToggleBreakpointClick() {
    sourceMarks_->ToggleAtCursor();
}

void TFormMain::MenuClearBreakpointsClick() {
    sourceMarks_->ClearBreakpoints();
}

// Continue, with a stop before the code of the cursor's line that lasts as long as the run.
// The line is taken first: an assembly on the way selects the first instruction.
void TFormMain::MenuRunToCursorClick() {
    const int line = memoSource->textCursor().blockNumber();
    control_->ButtonContinuousClick();
    ApplyReport();
    if (!machine_->Machine.Running || sourceMarks_->RunTo(line)) {
        return;
    }
    control_->ButtonStopClick();
    ApplyReport();
    ShowStatus("No code on line " + std::to_string(line + 1) + " or after it", StatusStyle::Error);
}
