#include "workbench/Dialogs.h"

#include <QFileDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>

namespace {

const QString Title = QStringLiteral("Corvane");

// Source files match ".asm" in any case; the first entry is selected.
const QStringList SourceFilters = {QStringLiteral("Assembly Code (*.ASM *.asm)"),
                                   QStringLiteral("HTML Source (*.HTML *.html)"),
                                   QStringLiteral("Any File (*)")};

} // namespace

QMessageBox::StandardButton QtDialogs::AskYesNoCancel(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Warning, Title, text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
    box.setEscapeButton(QMessageBox::Cancel);
    const int answer = box.exec();
    return answer == QMessageBox::Yes || answer == QMessageBox::No
               ? static_cast<QMessageBox::StandardButton>(answer)
               : QMessageBox::Cancel;
}

void QtDialogs::Message(QWidget* parent, const QString& text, QMessageBox::Icon icon) {
    QMessageBox box(icon, Title, text, QMessageBox::Ok, parent);
    box.exec();
}

QString QtDialogs::FileName(QWidget* parent, const FileDialogRequest& request) {
    QFileDialog dialog(parent, request.Title);
    dialog.setNameFilters(SourceFilters);
    dialog.setDefaultSuffix(request.DefaultSuffix);
    dialog.setAcceptMode(request.Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.Save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.selectFile(request.InitialName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

// Where nobody answers, the printing questions and dialogs are cancelled.
bool QtDialogs::AskYesCancel(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question, Title, text, QMessageBox::Yes | QMessageBox::Cancel,
                    parent);
    box.setEscapeButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Yes;
}

// No preview and no page range: every page of the text is printed.
bool QtDialogs::PrintDialog(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    return dialog.exec() == QDialog::Accepted;
}

void QtDialogs::PageSetupDialog(QWidget* parent, QPrinter& printer) {
    QPageSetupDialog dialog(&printer, parent);
    dialog.exec();
}
