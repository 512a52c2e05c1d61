#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>

#include "WorkbenchFixture.h"
#include "workbench/RecentFiles.h"

namespace {

using EditorComfortTest = WorkbenchTest;

QAction* MenuAction(TFormMain& form, const QString& menu, const QString& caption) {
    for (QAction* top : form.menuBar()->actions()) {
        for (QAction* action : top->text() == menu ? top->menu()->actions() : QList<QAction*>{}) {
            if (action->text() == caption) {
                return action;
            }
        }
    }
    return nullptr;
}

// Undo and Redo work on the source editor, are offered only with something to undo or redo,
// and in run mode do nothing.
TEST_F(EditorComfortTest, UndoAndRedoChangeTheSourceOnlyInEditMode) {
    Open("undo.asm", "L:\nJMP L\nEND\n");
    QAction* undo = MenuAction(*form, "E&dit", "&Undo");
    QAction* redo = MenuAction(*form, "E&dit", "Re&do");
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
    form->memoSource->moveCursor(QTextCursor::End);
    QTest::keyClicks(form->memoSource, ";x");
    EXPECT_EQ(form->memoSource->toPlainText(), "L:\nJMP L\nEND\n;x");
    EXPECT_TRUE(undo->isEnabled());
    undo->trigger();
    EXPECT_EQ(form->memoSource->toPlainText(), "L:\nJMP L\nEND\n");
    EXPECT_TRUE(redo->isEnabled());
    redo->trigger();
    EXPECT_EQ(form->memoSource->toPlainText(), "L:\nJMP L\nEND\n;x");

    form->ButtonRunClick();
    ASSERT_TRUE(form->memoSource->isReadOnly());
    undo->trigger();
    EXPECT_EQ(form->memoSource->toPlainText(), "L:\nJMP L\nEND\n;x");
}

TEST(RecentFilesTest, TheLastEightMostRecentFirstEachOnce) {
    RecentFiles recent;
    for (int i = 1; i <= 10; ++i) {
        recent.Add(QString("/files/%1.asm").arg(i));
    }
    recent.Add("/files/5.asm");
    recent.Add("/files/../files/7.asm");
    EXPECT_EQ(recent.Paths(),
              (QStringList{"/files/7.asm", "/files/5.asm", "/files/10.asm", "/files/9.asm",
                           "/files/8.asm", "/files/6.asm", "/files/4.asm", "/files/3.asm"}));
}

// Opened and saved files are kept in a section of their own and come back at the next start.
TEST_F(EditorComfortTest, RecentFilesAreKeptInTheSettingsFile) {
    Open("first.asm", "END\n");
    Open("second.asm", "HALT\nEND\n");
    dialogs.FileNames.push_back(Path("third.asm"));
    ASSERT_TRUE(form->SaveSourceAs());
    Open("first.asm", "END\n");
    const QStringList expected{Path("first.asm"), Path("third.asm"), Path("second.asm")};
    EXPECT_EQ(form->Recent().Paths(), expected);
    form->SaveSettings();

    TFormMain next(dialogs);
    next.StartUp({});
    EXPECT_EQ(next.Recent().Paths(), expected);
    const QList<QAction*> items = next.RecentFilesMenu->actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0]->text(), "&1 " + Path("first.asm"));
    items[1]->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(next.memoSource->toPlainText(), "HALT\nEND\n");
    EXPECT_EQ(next.Recent().Paths().first(), Path("third.asm"));
}

// Whatever the section holds, the list is made of what can be used; a file that has gone is
// dropped from it with a word in the status line, not a box.
TEST_F(EditorComfortTest, GarbageAndMissingFilesAreHandledGently) {
    WriteBytes(TFormMain::IniFileName(),
               "[RecentFiles]\nFile1=\nFile2=/nowhere/gone.asm\nFile3=/nowhere/gone.asm\n"
               "File9=/nowhere/ninth.asm\nFileX=/nowhere/x.asm\nFile4\n\x01\xFF=\xFE\n"
               "[Other]\nFile5=/nowhere/other.asm\n");
    form->StartUp({});
    EXPECT_EQ(form->Recent().Paths(), QStringList{"/nowhere/gone.asm"});
    ASSERT_EQ(form->RecentFilesMenu->actions().size(), 1);
    form->RecentFilesMenu->actions().first()->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(form->LabelCurrInstr->text(), " /nowhere/gone.asm is no longer there.");
    EXPECT_TRUE(dialogs.Messages.isEmpty());
    EXPECT_TRUE(form->Recent().Paths().isEmpty());
    EXPECT_FALSE(form->RecentFilesMenu->isEnabled());
}

// Stepping down a long program keeps the instruction at IP in the middle half of the editor,
// and the text moves only now and then, not at every step.
TEST_F(EditorComfortTest, TheLineAtIpStaysInTheMiddleOfTheEditor) {
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    QByteArray source;
    for (int line = 0; line < 200; ++line) {
        source += "NOP\n";
    }
    Open("long.asm", source + "END\n");
    ASSERT_TRUE(Assemble());
    QScrollBar* scroll = form->memoSource->verticalScrollBar();
    const int height = form->memoSource->viewport()->height();
    constexpr int Steps = 150;
    int moves = 0;
    for (int step = 0; step < Steps; ++step) {
        const int before = scroll->value();
        form->ButtonStepClick();
        moves += scroll->value() != before;
        if (scroll->value() > 0) {
            const int y = form->memoSource->cursorRect().center().y();
            EXPECT_GE(y, height / 4) << step;
            EXPECT_LE(y, height - height / 4) << step;
        }
    }
    EXPECT_GT(scroll->value(), 0);
    EXPECT_LT(moves, Steps / 3);
}

} // namespace
