#include "workbench/Accessibility.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <algorithm>
#include <utility>
#include <vector>

#include "core/MachineState.h"
#include "workbench/AccessibleInterfaces.h"
#include "workbench/CheckPanel.h"
#include "workbench/LineGutter.h"
#include "workbench/MainWindowTables.h"
#include "workbench/RunLogPane.h"
#include "workbench/TFormMain.h"
#include "workbench/ToolWindow.h"

namespace {

void Name(QWidget* widget, const QString& name, const QString& description) {
    widget->setAccessibleName(name);
    widget->setAccessibleDescription(description);
}

// A command button by its caption without the mnemonic mark, a picture button by its hint.
void NameButtons(TFormMain& form) {
    const auto commands = CommandButtonTable();
    for (size_t i = 0; i < commands.size(); ++i) {
        Name(form.CommandButtons[i], QString::fromLatin1(commands[i].Caption).remove(u'&'),
             QString::fromLatin1(commands[i].Hint));
    }
    const auto pictures = ToolButtonTable();
    for (size_t i = 0; i < pictures.size(); ++i) {
        const QString hint = QString::fromLatin1(pictures[i].Hint);
        Name(form.ToolButtons[i], hint.simplified(), hint);
    }
}

void NamePanes(TFormMain& form) {
    Name(form.memoSource, QStringLiteral("Source Code"),
         QStringLiteral("The program in assembly language"));
    Name(form.ListBoxErrors, QStringLiteral("Errors"), form.ListBoxErrors->toolTip());
    Name(form.MemoList, QStringLiteral("List File"),
         QStringLiteral("The machine code beside the source lines"));
    Name(form.MemoAsmLog, QStringLiteral("Assembler Log"),
         QStringLiteral("What the assembler did, token by token"));
    Name(form.ListBoxTokens, QStringLiteral("Tokens"),
         QStringLiteral("The tokens the assembler read"));
    Name(form.RichEdit1, QStringLiteral("Run Log"),
         QStringLiteral("Every instruction run, in words; new lines are announced"));
    form.LabelCurrInstr->setObjectName(QStringLiteral("LabelCurrInstr"));
    form.LabelCurrInstr->setAccessibleDescription(QStringLiteral("Status line"));
}

// A pane's text area and scroll bars, each in the box that holds it, by the pane's name.
void NameScrollParts(QAbstractScrollArea& pane) {
    const QString name = pane.accessibleName();
    pane.viewport()->setAccessibleName(name);
    const QString horizontal = name + QStringLiteral(" horizontal scroll bar");
    const QString vertical = name + QStringLiteral(" vertical scroll bar");
    for (const auto& [bar, barName] : {std::pair{pane.horizontalScrollBar(), horizontal},
                                       std::pair{pane.verticalScrollBar(), vertical}}) {
        bar->setAccessibleName(barName);
        bar->parentWidget()->setAccessibleName(barName);
    }
}

// The panels, pages and parts of panes that hold the controls, so that a reader walking the
// window knows where it is.
void NameContainers(TFormMain& form) {
    form.menuBar()->setAccessibleName(QStringLiteral("Menus"));
    form.centralWidget()->setAccessibleName(QStringLiteral("Workbench"));
    form.LabelCurrInstr->parentWidget()->setAccessibleName(
        QStringLiteral("Registers, buttons and status line"));
    form.RegisterLabels[AL]->parentWidget()->setAccessibleName(
        QStringLiteral("Registers AL, BL, CL and DL"));
    form.RegisterLabels[IP]->parentWidget()->setAccessibleName(
        QStringLiteral("Registers IP, SP and SR"));
    form.PageControl1->setAccessibleName(QStringLiteral("Tabs"));
    form.PageControl1->findChild<QStackedWidget*>()->setAccessibleName(QStringLiteral("Tab pages"));
    for (int page = 0; page < form.PageControl1->count(); ++page) {
        QWidget* sheet = form.PageControl1->widget(page);
        if (sheet->accessibleName().isEmpty()) {
            sheet->setAccessibleName(form.PageControl1->tabText(page).remove(u'&'));
        }
    }
    for (QSplitterHandle* handle : form.findChildren<QSplitterHandle*>()) {
        handle->setAccessibleName(QStringLiteral("Divider"));
    }
    for (LineGutter* gutter : form.findChildren<LineGutter*>()) {
        gutter->setAccessibleName(QStringLiteral("Line numbers"));
    }
    for (QAbstractScrollArea* pane : form.findChildren<QAbstractScrollArea*>()) {
        NameScrollParts(*pane);
    }
    for (QMenu* menu : form.findChildren<QMenu*>()) {
        menu->setAccessibleName(menu->title().remove(u'&'));
    }
}

// The exercise check's labels are blank until an exercise is loaded and checked.
void NameCheckPanel(CheckPanel& panel) {
    Name(panel.Title, QStringLiteral("Exercise"), QString());
    Name(panel.Note, QStringLiteral("Exercise note"), QString());
    Name(panel.Cases, QStringLiteral("Test cases"), QString());
    Name(panel.ScoreLabel, QStringLiteral("Score"), QString());
    Name(panel.Details, QStringLiteral("Case details"), QString());
}

// The visible windows in turn: the main window, then its tool windows.
std::vector<QWidget*> VisibleWindows(TFormMain& form) {
    std::vector<QWidget*> windows{&form};
    for (ToolWindow* window : form.findChildren<ToolWindow*>(Qt::FindDirectChildrenOnly)) {
        if (window->isVisible()) {
            windows.push_back(window);
        }
    }
    return windows;
}

void ActivateNextWindow(TFormMain& form) {
    const std::vector<QWidget*> windows = VisibleWindows(form);
    const auto active = std::find(windows.begin(), windows.end(), QApplication::activeWindow());
    QWidget* next =
        (active == windows.end() || active + 1 == windows.end()) ? windows.front() : *(active + 1);
    if (auto* toolWindow = qobject_cast<ToolWindow*>(next)) {
        toolWindow->TakeKeyboard();
    } else {
        next->activateWindow();
        next->raise();
    }
}

} // namespace

void MakeAccessible(TFormMain& form) {
    [[maybe_unused]] static const bool installed = [] {
        QAccessible::installFactory(WorkbenchAccessible);
        return true;
    }();
    NameButtons(form);
    NamePanes(form);
    NameContainers(form);
    for (CheckPanel* panel : form.findChildren<CheckPanel*>()) {
        NameCheckPanel(*panel);
    }
    auto* nextWindow = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F6), &form);
    nextWindow->setContext(Qt::ApplicationShortcut);
    QObject::connect(nextWindow, &QShortcut::activated, &form,
                     [&form] { ActivateNextWindow(form); });
}
