#include "devices/StepHistory.h"

#include <algorithm>
#include <string>

#include "core/Assem.h"
#include "devices/WholeMachine.h"

namespace {

const std::string DepthReached = "Nothing earlier to step back to: Step Back keeps the last " +
                                 std::to_string(StepBackDepth) + " steps.";

const char* NothingToUndo(HistoryStart began) {
    switch (began) {
    case HistoryStart::Assembly:
        return "No steps to undo since the last Assemble.";
    case HistoryStart::CpuReset:
        return "No steps to undo since the last CPU Reset.";
    case HistoryStart::Run:
        return "No steps to undo since Run started the program again.";
    case HistoryStart::WindowOpened:
        break;
    }
    return "Nothing to step back to.";
}

} // namespace

const char* StepBackRefusal(size_t moments, bool dropped, HistoryStart began, bool needsAssembly) {
    if (moments <= 1) {
        return dropped ? DepthReached.c_str() : NothingToUndo(began);
    }
    if (needsAssembly) {
        return "No steps to undo: the source has changed since it was assembled.";
    }
    return nullptr;
}

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
