#include "devices/StepHistory.h"

#include <algorithm>

#include "core/Assem.h"
#include "devices/WholeMachine.h"

void TakeMoment(MachineMoment& moment, const WholeMachine& whole, const Taaa& machine,
                const SelectionReport& shown) {
    const StepReport& report = machine.Report;
    moment.Machine = whole.Snapshot();
    moment.Status = report.Status;
    moment.Selection = report.SelectionChanged ? report.Selection : shown;
    moment.Marked = report.RegisterMarked;
    moment.Errors = machine.Errors.size();
}

void RestoreMoment(const MachineMoment& moment, WholeMachine& whole, Taaa& machine) {
    MachineSnapshot stopped = moment.Machine;
    stopped.Running = false;
    stopped.ResumeAfterInput = false;
    whole.Restore(stopped);
    std::vector<ErrorReport>& errors = machine.Errors;
    errors.erase(errors.begin() +
                     static_cast<std::ptrdiff_t>(std::min(moment.Errors, errors.size())),
                 errors.end());
    StepReport& report = machine.Report;
    report.Status = moment.Status;
    report.StatusChanged = true;
    report.Select(moment.Selection.Start, moment.Selection.Length);
    report.ClearsMarks = true;
    report.RegisterMarked = moment.Marked;
    report.SetEditor(EditorCommand::Lock);
}
