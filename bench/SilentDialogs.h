#pragma once

#include <cstdio>

#include "workbench/Dialogs.h"

// No person is there to answer: every question is cancelled, every box dropped.
class SilentDialogs : public Dialogs {
  public:
    QMessageBox::StandardButton AskYesNoCancel(QWidget*, const QString&) override {
        return QMessageBox::Cancel;
    }
    void Message(QWidget*, const QString& text, QMessageBox::Icon) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
    QString FileName(QWidget*, const FileDialogRequest&) override { return {}; }
    bool AskYesCancel(QWidget*, const QString&) override { return false; }
    bool PrintDialog(QWidget*, QPrinter&) override { return false; }
    void PageSetupDialog(QWidget*, QPrinter&) override {}
};
