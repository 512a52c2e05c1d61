#include "core/Assem.h"

#include "core/StatusLine.h"

Taaa::Taaa(UserInterface& ui) : Ui(ui), Machine(Report), Log(ui, Machine) {
    Machine.CpuReset();
}

void Taaa::ClearProgram() {
    TokenList.clear();
    Machine.ClearCells();
    Tokens.Clear();
}

void Taaa::AddListLine(std::string line) {
    List.AddLine(std::move(line));
    CommentAppended = false;
    Ui.ListFileChanged();
}

const tokNode* Taaa::FailingInstruction() const {
    const tokNode* cell = Machine.HeldToken(stepIp_);
    return cell && cell->SrcLength > 0 ? cell : nullptr;
}

const tokNode* Taaa::ErrorPlace(tokNode* token) const {
    return stepIp_ == NoStep ? token : FailingInstruction();
}

void Taaa::RecordProgramError(std::string_view message, const tokNode* place) {
    ErrorReport report{std::string(message), true, std::nullopt, 0};
    if (place) {
        report.SourceStart = place->SrcStart;
        report.SourceLength = place->SrcLength;
    }
    Errors.push_back(std::move(report));
}

void Taaa::SelectFailingInstruction() {
    if (const tokNode* failed = FailingInstruction()) {
        Report.Select(failed->SrcStart, failed->SrcLength);
    }
}

void Taaa::ReportError(std::string_view message, tokNode* token) {
    const tokNode* place = ErrorPlace(token);
    RecordProgramError(message, place);
    Machine.NoError = false;
    EndRun(RunEnd::Error);
    AddListLine(";");
    AddListLine("; " + std::string(message));
    ShowStatus(message, StatusStyle::Error);
    Report.SetEditor(EditorCommand::SourceTab);
    Report.SetEditor(EditorCommand::Unlock);
    Report.SetEditor(EditorCommand::Focus);
    if (place) {
        Report.Select(place->SrcStart, place->SrcLength);
    }
}

void Taaa::ReportBox(std::string_view message) {
    Errors.push_back({std::string(message), false, std::nullopt, 0});
    Ui.MessageBox(message, MessageIcon::Error);
}

bool Taaa::EnterRunMode() {
    if (TokenList.empty() || !Machine.NoError) {
        return false;
    }
    Report.SetEditor(EditorCommand::Lock);
    Machine.Running = true;
    return true;
}

// Also gives up a key that IN 00 awaits: after Stop, CPU Reset or an assembly the IN is no
// longer the instruction a key would finish.
void Taaa::LeaveRunMode() {
    Machine.Running = false;
    ResumeAfterInput = false;
    awaitingKey_ = false;
    Report.SetEditor(EditorCommand::EditMode);
}

void Taaa::EndRun(RunEnd why) {
    Ended = why;
    Report.Ended = why;
    LeaveRunMode();
}

std::string Taaa::StatusText() const {
    const StatusReport& status = Report.Status;
    if (status.FromSource) {
        return StatusLineText(Ui.EditorSpan(status.SourceStart, status.SourceLength));
    }
    return StatusLineText(status.Message);
}
