#include "core/Assem.h"

Taaa::Taaa(UserInterface& ui) : Ui(ui), Machine(ui, Tokens), Log(ui, Machine) {
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

void Taaa::ReportError(std::string_view message, tokNode* token) {
    Machine.NoError = false;
    LeaveRunMode();
    AddListLine(";");
    AddListLine("; " + std::string(message));
    Ui.ShowStatus(message, StatusStyle::Error);
    Ui.ShowSourceTab();
    Ui.SetEditorReadOnly(false);
    Ui.SetEditorGrey(false);
    Ui.FocusEditor();
    if (token) {
        Ui.SelectSource(token->SrcStart, token->SrcLength);
    }
}

void Taaa::EnterRunMode() {
    if (TokenList.empty() || !Machine.NoError) {
        return;
    }
    Ui.SetEditorReadOnly(true);
    Ui.SetEditorGrey(true);
    Machine.Running = true;
}

void Taaa::LeaveRunMode() {
    Machine.Running = false;
    ResumeAfterInput = false;
    Ui.EnterEditMode();
}
