// New, Open, Save, Save As and the examples: the source between the editor and the disk.
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QPlainTextEdit>

#include "assembler/SourceText.h"
#include "core/Assem.h"
#include "workbench/Dialogs.h"
#include "workbench/EditorText.h"
#include "workbench/SafeFile.h"
#include "workbench/SourceMarks.h"
#include "workbench/TFormMain.h"
#include "workbench/TFormRamHex.h"
#include "workbench/devices/TformVdu.h"

namespace {

const QString Untitled = QStringLiteral("Untitled");
const QString DefaultExtension = QStringLiteral("ASM");

} // namespace

void TFormMain::SetCaption(const QString& name) {
    setWindowTitle(name);
}

// Asked before a command throws the editor's text away; false when the command must stop.
bool TFormMain::AskToSaveChanges(const QString& question) {
    if (!memoSource->document()->isModified()) {
        return true;
    }
    switch (dialogs_.AskYesNoCancel(this, question)) {
    case QMessageBox::Yes:
        return SaveSource();
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

bool TFormMain::LoadFile(const QString& path) {
    if (QFileInfo(path).isDir()) {
        dialogs_.Message(this, path + " is a folder, not a source file.", QMessageBox::Critical);
        return false;
    }
    const FileRead read = ReadRegularFile(path, static_cast<qint64>(MaxSourceFileBytes));
    if (!read.Error.isEmpty()) {
        dialogs_.Message(this, read.Error, QMessageBox::Critical);
        return false;
    }
    if (read.Bytes.size() > static_cast<qint64>(MaxSourceFileBytes)) {
        dialogs_.Message(this,
                         path + " is larger than " + QString::number(MaxSourceFileBytes >> 20) +
                             " MB and is not a source this machine can hold.",
                         QMessageBox::Critical);
        return false;
    }
    memoSource->setPlainText(EditorText::FromFileBytes(read.Bytes));
    sourceMarks_->Forget();
    saveFileName_ = path;
    ClearEditorModified();
    machine_->Machine.NeedsAssembly = true;
    SetCaption(saveFileName_);
    RememberFile(path);
    return true;
}

bool TFormMain::WriteFile(const QString& path) {
    const QFileInfo info(path);
    if (IsReadOnlyFile(info)) {
        dialogs_.Message(this, "Could not save " + path + ": the file is read only.",
                         QMessageBox::Critical);
        return false;
    }
    if (const int error = WriteWholeFile(path, editorText_->Source().SavedText())) {
        dialogs_.Message(this, SaveFailureMessage(path, error), QMessageBox::Critical);
        return false;
    }
    RememberFile(path);
    return true;
}

void TFormMain::RememberFile(const QString& path) {
    recent_.Add(path);
    RefreshRecentFilesMenu();
}

void TFormMain::RefreshRecentFilesMenu() {
    RecentFilesMenu->clear();
    const QStringList& paths = recent_.Paths();
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const QString path = paths[i];
        QAction* action = RecentFilesMenu->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(path)));
        // Later, from the event loop: opening rebuilds this menu and so deletes the action.
        connect(action, &QAction::triggered, this, [this, path] {
            QMetaObject::invokeMethod(
                this,
                [this, path] {
                    if (!Busy()) {
                        OpenRecentFile(path);
                    }
                },
                Qt::QueuedConnection);
        });
    }
    RecentFilesMenu->setEnabled(!paths.isEmpty());
}

void TFormMain::OpenRecentFile(const QString& path) {
    if (!AskToSaveChanges(QStringLiteral("Save source code now?"))) {
        return;
    }
    machine_->LeaveRunMode();
    ApplyReport();
    ShowSourceTab();
    if (!QFileInfo::exists(path)) {
        recent_.Remove(path);
        RefreshRecentFilesMenu();
        ShowStatus(
            (QDir::toNativeSeparators(path) + " is no longer there.").toLatin1().toStdString(),
            StatusStyle::Error);
        return;
    }
    openFileName_ = path;
    LoadFile(path);
}

bool TFormMain::OpenSource(bool askUser) {
    if (askUser) {
        const QString chosen = dialogs_.FileName(
            this, {QStringLiteral("Open Source File"), openFileName_, DefaultExtension, false});
        if (chosen.isEmpty()) {
            return false;
        }
        openFileName_ = chosen;
    } else if (!QFileInfo::exists(openFileName_)) {
        return false;
    }
    return LoadFile(openFileName_);
}

bool TFormMain::SaveSource() {
    if (saveFileName_ != Untitled) {
        if (!WriteFile(saveFileName_)) {
            return false;
        }
        ClearEditorModified();
        ShowStatus(("Saved " + QFileInfo(saveFileName_).fileName()).toLatin1().toStdString(),
                   StatusStyle::Progress);
        return true;
    }
    return SaveSourceAs();
}

bool TFormMain::SaveSourceAs() {
    const QString chosen = dialogs_.FileName(
        this, {QStringLiteral("Save Source FIle"), saveFileName_, DefaultExtension, true});
    if (chosen.isEmpty() || !WriteFile(chosen)) {
        return false;
    }
    openFileName_ = chosen;
    saveFileName_ = chosen;
    ClearEditorModified();
    SetCaption(saveFileName_);
    ShowStatus(("Saved " + chosen).toLatin1().toStdString(), StatusStyle::Progress);
    return true;
}

void TFormMain::MenuFileNewClick() {
    if (!AskToSaveChanges(QStringLiteral("Save source code now?"))) {
        return;
    }
    machine_->LeaveRunMode();
    ApplyReport();
    machine_->ClearProgram();
    memoSource->clear();
    sourceMarks_->Forget();
    ClearEditorModified();
    machine_->Machine.NeedsAssembly = true;
    saveFileName_ = Untitled;
    SetCaption(saveFileName_);
    RamView->Relayout();
    Vdu->Refresh();
}

void TFormMain::MenuFileOpenClick() {
    if (!AskToSaveChanges(QStringLiteral("Save source code now?"))) {
        return;
    }
    machine_->LeaveRunMode();
    ApplyReport();
    ShowSourceTab();
    OpenSource(true);
}

void TFormMain::MenuFileSaveClick() {
    machine_->LeaveRunMode();
    ApplyReport();
    SaveSource();
}

void TFormMain::MenuFileSaveAsClick() {
    SaveSourceAs();
}

// An example is looked up by its bare name in the current folder; when it is missing nothing
// is loaded, but the next Open dialog proposes its name.
void TFormMain::LoadExample(const char* fileName) {
    if (!AskToSaveChanges(QStringLiteral("Save source code now?"))) {
        return;
    }
    machine_->LeaveRunMode();
    ApplyReport();
    openFileName_ = QString::fromLatin1(fileName);
    OpenSource(false);
}
