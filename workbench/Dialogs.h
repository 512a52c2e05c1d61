#pragma once

#include <QMessageBox>
#include <QString>

class QPrinter;
class QWidget;

// What a file dialog shows when it opens.
struct FileDialogRequest {
    QString Title;
    QString InitialName;
    QString DefaultSuffix;
    bool Save = false; // a save dialog asks before it overwrites a file
};

// Every question, message box and file dialog of the main window goes through here, so that
// tests can answer them without a person.
class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // Yes, No or Cancel; closing the box counts as Cancel.
    virtual QMessageBox::StandardButton AskYesNoCancel(QWidget* parent, const QString& text) = 0;
    // A box with an OK button.
    virtual void Message(QWidget* parent, const QString& text, QMessageBox::Icon icon) = 0;
    // The chosen path, or an empty text when the user cancelled.
    virtual QString FileName(QWidget* parent, const FileDialogRequest& request) = 0;
    // Yes or Cancel; true for Yes, closing the box counts as Cancel.
    virtual bool AskYesCancel(QWidget* parent, const QString& text) = 0;
    // The print dialog on the printer; false when the user cancelled.
    virtual bool PrintDialog(QWidget* parent, QPrinter& printer) = 0;
    // The page set-up dialog; its choices become the printer's settings.
    virtual void PageSetupDialog(QWidget* parent, QPrinter& printer) = 0;
};

// The real boxes and dialogs.
class QtDialogs : public Dialogs {
  public:
    QMessageBox::StandardButton AskYesNoCancel(QWidget* parent, const QString& text) override;
    void Message(QWidget* parent, const QString& text, QMessageBox::Icon icon) override;
    QString FileName(QWidget* parent, const FileDialogRequest& request) override;
    bool AskYesCancel(QWidget* parent, const QString& text) override;
    bool PrintDialog(QWidget* parent, QPrinter& printer) override;
    void PageSetupDialog(QWidget* parent, QPrinter& printer) override;
};
