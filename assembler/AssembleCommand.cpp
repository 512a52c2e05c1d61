#include "core/Assem.h"

namespace {

std::string_view TrimBlanks(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

} // namespace

void Taaa::ShowProgress(std::string_view phase) {
    const std::string shown = StatusText();
    std::string text(TrimBlanks(shown));
    text += phase;
    ShowStatus(text, StatusStyle::Progress);
}

void Taaa::RunAssemblerPasses() {
    if (Settings.AsmLog) {
        Report.SetEditor(EditorCommand::TokensTab);
    }
    ShowProgress("  Make tokens.");
    if (!MakeTokens()) {
        Machine.NoError = false;
        return;
    }
    ShowProgress("  Parse tokens.");
    ParseTokens();
    if (Machine.NoError) {
        ShowProgress("  Calculate jumps.");
        CalculateJumps();
    }
    if (!Machine.NoError) {
        return;
    }
    // Only now is the program known to be whole: a jump that fails must not follow a list
    // file that already claims success.
    AddSuccessLines();
    ShowProgress("  Success.");
    if (const tokNode* first = Machine.SourceToken(Machine.Reg[IP])) {
        Report.SetEditor(EditorCommand::SourceTab);
        Report.Select(first->SrcStart, first->SrcLength);
    }
    Machine.NeedsAssembly = false;
}

void Taaa::ButtonAssembleClick() {
    if (Assembling) {
        return; // the assembly under way finishes first
    }
    Assembling = true;
    Errors.clear();
    Ui.ClearAsmLog();
    Report.ShowWindow(WindowCommandKind::Hide, Peripheral::RamView);
    LeaveRunMode();
    if (!Ui.SaveSource()) {
        // Nothing new was saved, so nothing is read back: RAM and the list file stay as they
        // were, but the program in RAM is older than the editor's text and must not run.
        Machine.NoError = false;
        Assembling = false;
        return;
    }
    ClearProgram();
    Machine.CpuReset();
    Report.EveryCellChanged();
    Report.SetEditor(EditorCommand::SourceTab);
    Report.SetEditor(EditorCommand::ReadOnly);
    if (Ui.SourceHasNoLines()) {
        ShowStatus("Nothing to assemble.", StatusStyle::Error);
    } else {
        RunAssemblerPasses();
    }
    Machine.TakeAssembledBytes();
    Report.SetEditor(EditorCommand::Writable);
    Report.SetEditor(EditorCommand::ClearModified);
    Report.ShowWindow(WindowCommandKind::ShowRegardless, Peripheral::RamView);
    ++Assemblies;
    Assembling = false;
    Ui.ProgramReplaced();
}
