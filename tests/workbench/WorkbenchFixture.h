#pragma once

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include "core/Assem.h"
#include "workbench/Dialogs.h"
#include "workbench/TFormMain.h"

// Answers the main window's boxes and dialogs from queues and remembers what was asked.
class ScriptedDialogs : public Dialogs {
  public:
    std::deque<QMessageBox::StandardButton> Answers;
    std::deque<QString> FileNames; // an empty name cancels the dialog
    QStringList Questions;
    QStringList Messages;
    std::vector<FileDialogRequest> FileRequests;

    QMessageBox::StandardButton AskYesNoCancel(QWidget*, const QString& text) override {
        Questions.append(text);
        return Next(Answers, QMessageBox::Cancel);
    }
    // What a real box's event loop would do while it waits, timers and all.
    std::function<void()> WhileMessageShows;

    void Message(QWidget*, const QString& text, QMessageBox::Icon) override {
        Messages.append(text);
        if (WhileMessageShows) {
            WhileMessageShows();
        }
    }
    QString FileName(QWidget*, const FileDialogRequest& request) override {
        FileRequests.push_back(request);
        return Next(FileNames, QString());
    }

    std::deque<bool> PrintDialogAnswers; // true prints, false cancels
    std::vector<QPrinter*> PrintDialogPrinters;
    std::vector<QPrinter*> PageSetupPrinters;

    // Yes or Cancel questions share the questions and the answers with AskYesNoCancel.
    bool AskYesCancel(QWidget*, const QString& text) override {
        Questions.append(text);
        return Next(Answers, QMessageBox::Cancel) == QMessageBox::Yes;
    }
    bool PrintDialog(QWidget*, QPrinter& printer) override {
        PrintDialogPrinters.push_back(&printer);
        return Next(PrintDialogAnswers, false);
    }
    void PageSetupDialog(QWidget*, QPrinter& printer) override {
        PageSetupPrinters.push_back(&printer);
    }

  private:
    template <typename T> static T Next(std::deque<T>& queue, T fallback) {
        if (queue.empty()) {
            return fallback;
        }
        T value = queue.front();
        queue.pop_front();
        return value;
    }
};

// A real main window in a temporary current folder.
class WorkbenchTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        previousFolder = QDir::currentPath();
        QDir::setCurrent(folder.path());
        form = std::make_unique<TFormMain>(dialogs);
        form->StartUp({});
    }
    void TearDown() override {
        form.reset();
        QDir::setCurrent(previousFolder);
    }

    QString Path(const QString& name) const { return folder.filePath(name); }
    void WriteBytes(const QString& name, const QByteArray& bytes) const {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray ReadBytes(const QString& name) const {
        QFile file(Path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Loads bytes as a file through Open, as a student would.
    void Open(const QString& name, const QByteArray& bytes) {
        WriteBytes(name, bytes);
        dialogs.FileNames.push_back(Path(name));
        form->MenuFileOpenClick();
    }
    bool Assemble() {
        form->ButtonAssembleClick();
        form->FlushPanes();
        return form->Machine().Machine.NoError;
    }
    // The item of any menu with this caption, none when there is none.
    QAction* MenuCommand(const QString& caption) const {
        for (QAction* menu : form->menuBar()->actions()) {
            for (QAction* item : menu->menu()->actions()) {
                if (item->text() == caption) {
                    return item;
                }
            }
        }
        return nullptr;
    }
    int Reg(int index) const { return form->Machine().Machine.Reg[index] & 0xFF; }
    QString Selected() const {
        return form->memoSource->textCursor().selectedText().replace(QChar::ParagraphSeparator,
                                                                     u'\n');
    }

    QTemporaryDir folder;
    QString previousFolder;
    ScriptedDialogs dialogs;
    std::unique_ptr<TFormMain> form;
};
