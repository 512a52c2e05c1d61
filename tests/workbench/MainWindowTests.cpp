#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <map>
#include <set>

#include "WorkbenchFixture.h"
#include "core/RunControl.h"
#include "devices/WholeMachine.h"
#include "workbench/RunLogPane.h"
#include "workbench/TFormKeybIn.h"
#include "workbench/TFormRamHex.h"

namespace {

QColor Background(const QWidget* widget) {
    return widget->palette().color(QPalette::Window);
}

const QColor Yellow(0xFF, 0xFF, 0x00);

TEST_F(WorkbenchTest, RegisterLabelsShowTheValueAndTurnYellowOnlyForTheStepThatWroteThem) {
    Open("regs.asm", "MOV AL,15\nMOV BL,FF\nEND\n");
    ASSERT_TRUE(Assemble());
    form->ButtonStepClick();
    EXPECT_EQ(form->RegisterLabels[AL]->text(), "AL 00010101 15 +021");
    EXPECT_EQ(Background(form->RegisterLabels[AL]), Yellow);
    form->ButtonStepClick();
    EXPECT_EQ(form->RegisterLabels[BL]->text(), "BL 11111111 FF -001");
    EXPECT_EQ(Background(form->RegisterLabels[BL]), Yellow);
    EXPECT_NE(Background(form->RegisterLabels[AL]), Yellow);
    EXPECT_EQ(form->RegisterLabels[SP]->text(), "SP 10111111 BF -065");
}

TEST_F(WorkbenchTest, StatusLineShortensPast76CharactersAndBlanksAfter30Ticks) {
    const std::string exact(76, 'a');
    form->ShowStatus(exact, StatusStyle::Progress);
    EXPECT_EQ(form->LabelCurrInstr->text().toStdString(), " " + exact);
    std::string longer;
    for (int i = 0; i < 77; ++i) {
        longer += static_cast<char>('A' + i % 26);
    }
    form->ShowStatus(longer, StatusStyle::Error);
    EXPECT_EQ(form->LabelCurrInstr->text().toStdString(),
              " " + longer.substr(0, 37) + " ... " + longer.substr(43));
    EXPECT_EQ(Background(form->LabelCurrInstr), QColor(0xFF, 0, 0));

    form->ShowStatus("first", StatusStyle::Progress);
    for (int tick = 0; tick < 20; ++tick) {
        form->TimerStatusClearTimer();
    }
    form->ShowStatus("second", StatusStyle::Progress); // restarts the ten seconds
    for (int tick = 0; tick < 29; ++tick) {
        form->TimerStatusClearTimer();
    }
    EXPECT_EQ(form->LabelCurrInstr->text(), " second");
    form->TimerStatusClearTimer();
    EXPECT_EQ(form->LabelCurrInstr->text(), " ");
    EXPECT_EQ(form->StatusTicks(), 30); // blanking restarts the count
}

// Engine offsets count a line break as two characters; the editor counts one.
class InstructionSelection : public WorkbenchTest,
                             public ::testing::WithParamInterface<const char*> {};

TEST_P(InstructionSelection, FollowsIpOnEveryKindOfLineEnd) {
    const QString lineEnd = GetParam();
    const QStringList lines = {
        "; adds two numbers", "\tMOV AL,15  ; first", "MOV BL,", "  20", "\tADD AL,BL", "END"};
    Open("lines.asm", (lines.join(lineEnd) + lineEnd).toLatin1());
    ASSERT_TRUE(Assemble());
    EXPECT_EQ(Selected(), "MOV AL,15");
    form->ButtonStepClick();
    EXPECT_EQ(Selected(), "MOV BL,\n  20");
    EXPECT_EQ(form->LabelCurrInstr->text(), " MOV BL,   20");
    form->ButtonStepClick();
    EXPECT_EQ(Selected(), "ADD AL,BL");
    form->ButtonStepClick();
    EXPECT_EQ(Selected(), "END");
    // Moving the selection is no edit.
    EXPECT_FALSE(form->Machine().Machine.NeedsAssembly);
    EXPECT_FALSE(form->memoSource->document()->isModified());
}

INSTANTIATE_TEST_SUITE_P(LineEnds, InstructionSelection, ::testing::Values("\r\n", "\n", "\r"));

// IP has moved on to END, but the POP that failed stays selected under the message.
TEST_F(WorkbenchTest, AnExecutionErrorSelectsTheInstructionThatFailed) {
    Open("pop.asm", "NOP\nPOP BL\nEND\n");
    ASSERT_TRUE(Assemble());
    form->ButtonStepClick();
    form->ButtonStepClick();
    EXPECT_EQ(Selected(), "POP BL");
    EXPECT_EQ(form->LabelCurrInstr->text(), " Stack underflow.");
    EXPECT_FALSE(form->memoSource->isReadOnly());
}

// A blank line's marker has no length: the error leaves the cursor at its start, that of
// the token before it, with nothing selected.
TEST_F(WorkbenchTest, AnErrorAtABlankLineLeavesAnEmptySelectionAtItsStart) {
    Open("bracket.asm", "MOV AL,[05\n\n]\nEND\n");
    EXPECT_FALSE(Assemble());
    EXPECT_EQ(form->LabelCurrInstr->text(), " Expected ]  Got #");
    EXPECT_FALSE(form->memoSource->textCursor().hasSelection());
    EXPECT_EQ(form->memoSource->textCursor().position(), 8);
}

TEST_F(WorkbenchTest, ClockButtonsHoldTheirLimitsAndTheTimerFollows) {
    EXPECT_EQ(form->Control().CpuClockInterval(), 1000);
    for (int press = 0; press < 10; ++press) {
        form->ButtonFastClick();
    }
    EXPECT_EQ(form->Control().CpuClockInterval(), 2);
    for (int press = 0; press < 12; ++press) {
        form->ButtonSlowClick();
    }
    EXPECT_EQ(form->Control().CpuClockInterval(), 4096);
    for (int press = 0; press < 5; ++press) {
        form->ButtonIntervalReduceClick();
    }
    EXPECT_EQ(form->Control().HwTimerInterval(), 1000);
    EXPECT_EQ(form->GroupBoxHWT->title(), "Hardware Timer Interval = 1 Seconds");
}

TEST_F(WorkbenchTest, RunStepsOnClockTicksAndEscapeStopsIt) {
    Open("loop.asm", "start:\nINC AL\nJMP start\nEND\n");
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QTest::keyClick(form->memoSource, Qt::Key_F9);
    EXPECT_TRUE(form->Machine().Machine.Running);
    EXPECT_TRUE(form->memoSource->isReadOnly());
    for (int tick = 0; tick < 4; ++tick) {
        form->TimerCPUTimer();
    }
    EXPECT_EQ(Reg(AL), 2);
    QTest::keyClick(form->memoSource, Qt::Key_Escape);
    EXPECT_FALSE(form->Machine().Machine.Running);
    EXPECT_FALSE(form->memoSource->isReadOnly());
    form->TimerCPUTimer();
    EXPECT_EQ(Reg(AL), 2);
}

// The maze's edge and Escape at IN 00 end a run as HALT does: the clock tick learns how the
// run ended, and the editor is writable and white again.
TEST_F(WorkbenchTest, MazeEdgeAndEscapeGiveTheEditorBack) {
    struct Case {
        const char* Source;
        RunEnd Ended;
    };
    for (const Case& c : {Case{"MOV AL,8F\nOUT 04\nL:\nJMP L\nEND\n", RunEnd::MazeEdge},
                          Case{"IN 00\nL:\nJMP L\nEND\n", RunEnd::Escape}}) {
        Open("ends.asm", c.Source);
        form->ButtonRunClick();
        ASSERT_TRUE(form->memoSource->isReadOnly());
        RunEnd ended = RunEnd::None;
        for (int tick = 0; tick < 3 && ended == RunEnd::None; ++tick) {
            ended = form->Control().TimerCPUTimer();
            form->ApplyReport();
            if (form->Machine().AwaitingKey()) {
                // IN 00 awaits its key in the keyboard input window; Escape is typed there.
                ASSERT_TRUE(QTest::qWaitForWindowActive(form->KeyboardInputWindow));
                QTest::keyClick(form->KeyboardInputWindow, Qt::Key_Escape);
                ended = form->Machine().Ended;
            }
        }
        EXPECT_EQ(ended, c.Ended);
        EXPECT_FALSE(form->Machine().Machine.Running);
        EXPECT_FALSE(form->memoSource->isReadOnly());
        EXPECT_EQ(form->memoSource->palette().color(QPalette::Base),
                  QApplication::palette().color(QPalette::Base));
    }
}

// A snapshot restored into IN 00's wait asks for the key again in the keyboard input window,
// and the key typed there finishes the restored step.
TEST_F(WorkbenchTest, RestoredKeyWaitTakesItsKeyInTheInputWindow) {
    Open("in.asm", "IN 00\nMOV [80],AL\nHALT\nEND\n");
    ASSERT_TRUE(Assemble());
    form->ButtonStepClick();
    ASSERT_TRUE(form->Machine().AwaitingKey());
    const MachineSnapshot waiting = form->Whole().Snapshot();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form->KeyboardInputWindow));
    QTest::keyClick(form->KeyboardInputWindow, Qt::Key_X);
    ASSERT_FALSE(form->KeyboardInputWindow->Waiting());
    EXPECT_EQ(Reg(AL), 'x');

    form->Whole().Restore(waiting);
    form->ApplyReport(); // the window shows the restored machine
    EXPECT_TRUE(form->KeyboardInputWindow->Waiting());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form->KeyboardInputWindow));
    QTest::keyClick(form->KeyboardInputWindow, Qt::Key_Y);
    EXPECT_FALSE(form->Machine().AwaitingKey());
    EXPECT_EQ(Reg(AL), 'y');
    EXPECT_EQ(Reg(IP), 2);
}

// A stop while the student edits keeps the edits marked as unsaved.
TEST_F(WorkbenchTest, EscapeWhileEditingKeepsTheModifiedFlag) {
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->memoSource->setFocus();
    QTest::keyClicks(form->memoSource, "NOP");
    QTest::keyClick(form->memoSource, Qt::Key_Escape);
    EXPECT_TRUE(form->memoSource->document()->isModified());
}

TEST_F(WorkbenchTest, RunLogKeepsTheLast1001Lines) {
    form->CheckBoxRunLog->setChecked(true);
    for (int line = 0; line < 1200; ++line) {
        form->RunLogLine(std::to_string(line));
    }
    form->FlushPanes();
    form->RunLogLine("last");
    form->FlushPanes();
    const QStringList lines = form->RichEdit1->toPlainText().split(u'\n');
    ASSERT_EQ(lines.size(), RunLogPane::MaxLines);
    EXPECT_EQ(lines.first(), "200");
    EXPECT_EQ(lines.last(), "last");
}

TEST_F(WorkbenchTest, FontCommandsStayWithin6And72PointsAndBoldToggles) {
    form->EnlargeFontClick();
    EXPECT_EQ(form->MemoList->font().pointSize(), 11);
    EXPECT_EQ(form->ListBoxTokens->font().pointSize(), 11);
    for (int press = 0; press < 80; ++press) {
        form->EnlargeFontClick();
    }
    EXPECT_EQ(form->memoSource->font().pointSize(), 72);
    for (int press = 0; press < 80; ++press) {
        form->ReduceFontClick();
    }
    EXPECT_EQ(form->RichEdit1->font().pointSize(), 6);
    EXPECT_EQ(form->PageControl1->tabBar()->font().pointSize(), 6);
    form->BoldFontClick();
    EXPECT_TRUE(form->MemoAsmLog->font().bold());
    form->BoldFontClick();
    EXPECT_FALSE(form->memoSource->font().bold());
    EXPECT_FALSE(form->CheckBoxCLO->font().bold()); // the Configuration tab keeps its font
}

struct MenuItem {
    const char* Menu;
    const char* Caption; // nullptr for a separator
    const char* Shortcut;
};

const MenuItem ExpectedMenus[] = {
    {"&File", "&New", "Ctrl+N"},
    {"&File", nullptr, ""},
    {"&File", "&Open", "Ctrl+O"},
    {"&File", "Open Exe&rcise", ""},
    {"&File", "&Save", "Ctrl+S"},
    {"&File", "Save &As", ""},
    {"&File", "Recent &Files", ""},
    {"&File", nullptr, ""},
    {"&File", "&Print Source Code", ""},
    {"&File", "Print &List File", ""},
    {"&File", "Print S&etup", ""},
    {"&File", nullptr, ""},
    {"&File", "E&xit", ""},
    {"E&dit", "&Undo", "Ctrl+Z"},
    {"E&dit", "Re&do", "Ctrl+Y"},
    {"E&dit", nullptr, ""},
    {"E&dit", "&Copy", "Ctrl+C"},
    {"E&dit", "Cu&t", "Ctrl+X"},
    {"E&dit", "&Paste", "Ctrl+V"},
    {"E&dit", nullptr, ""},
    {"E&dit", "&Select All", "Ctrl+A"},
    {"E&dit", "&Find", "Ctrl+F"},
    {"E&dit", "&Replace", "Ctrl+R"},
    {"&View", "Hide &All Peripherals", ""},
    {"&View", "&Ram", ""},
    {"&View", "&VDU", ""},
    {"&View", "&Traffic Lights", ""},
    {"&View", "Seven Segment &Displays", ""},
    {"&View", "&Heater and Thermostat", ""},
    {"&View", "&Maze", ""},
    {"&View", "&Stepper Motor", ""},
    {"&View", "&Lift", ""},
    {"&View", "&Keyboard", ""},
    {"&View", "Key &Pad", ""},
    {"&View", nullptr, ""},
    {"&View", "Th&eme", ""},
    {"Debug", "Toggle &Breakpoint", "F2"},
    {"Debug", "&Clear Breakpoints", ""},
    {"Debug", "Run to C&ursor", "F4"},
    {"Debug", "Step Bac&k", "F7"},
    {"Debug", nullptr, ""},
    {"Debug", "C&heck Program", ""},
    {"Window", "&Arrange", "Ctrl+Shift+A"},
    {"Window", "&Place New Windows Beside the Workbench", ""},
    {"Example&s", "&0 Arithmetic", ""},
    {"Example&s", "&1 Loops", ""},
    {"Example&s", "&2 Lift", ""},
    {"Example&s", "&3 Text", ""},
    {"Example&s", "&4 Demonstration", ""},
    {"Example&s", nullptr, ""},
    {"Example&s", "&5 Exercise: Keypad", ""},
    {"Example&s", "&6 Exercise: Thermostat", ""},
    {"Example&s", "&7 Exercise: Traffic Lights", ""},
    {"&Help", "&Contents", "F1"},
    {"&Help", nullptr, ""},
    {"&Help", "&About", ""},
};

TEST_F(WorkbenchTest, MenuBarHasEveryItemWithItsShortcutAndSeparators) {
    std::vector<MenuItem> built;
    std::vector<std::string> texts;
    for (QAction* menuAction : form->menuBar()->actions()) {
        for (QAction* item : menuAction->menu()->actions()) {
            texts.push_back(menuAction->text().toStdString() + "|" +
                            (item->isSeparator() ? "-" : item->text().toStdString()) + "|" +
                            item->shortcut().toString().toStdString());
        }
    }
    std::vector<std::string> expected;
    for (const MenuItem& item : ExpectedMenus) {
        expected.push_back(std::string(item.Menu) + "|" + (item.Caption ? item.Caption : "-") +
                           "|" + item.Shortcut);
    }
    EXPECT_EQ(texts, expected);
}

// An ambiguous mnemonic fires nothing, so no two may share a letter on any tab.
TEST_F(WorkbenchTest, NoTwoAcceleratorsCollideOnAnyTab) {
    form->show();
    for (int tab = 0; tab < form->PageControl1->count(); ++tab) {
        form->PageControl1->setCurrentIndex(tab);
        QStringList captions = {"&X", "&Y", "&Z"};
        for (QAction* menu : form->menuBar()->actions()) {
            captions.append(menu->text());
        }
        for (int page = 0; page < form->PageControl1->count(); ++page) {
            captions.append(form->PageControl1->tabText(page));
        }
        for (QAbstractButton* button : form->findChildren<QAbstractButton*>()) {
            if (button->isVisible()) {
                captions.append(button->text());
            }
        }
        std::set<int> keys;
        for (const QString& caption : captions) {
            const QKeySequence key = QKeySequence::mnemonic(caption);
            if (!key.isEmpty()) {
                EXPECT_TRUE(keys.insert(key[0].toCombined()).second)
                    << caption.toStdString() << " on tab " << tab;
            }
        }
    }
}

// Whether the style shows a button's caption whole at a width.
bool CaptionFits(const QPushButton* button, int width) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.rect.setWidth(width);
    const QRect contents =
        button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    return button->fontMetrics().size(Qt::TextShowMnemonic, button->text()).width() <=
           contents.width();
}

// The register boxes are 141 wide at x 3 and 145 and the command buttons 60 wide in columns
// at x 432, 493 and 554, Step Back's beside them: a box or a column grows only where its text
// would be cut.
TEST_F(WorkbenchTest, TopPanelKeepsItsSizesWhereTheTextsFit) {
    EXPECT_EQ(form->RegisterLabels[AL]->parentWidget()->geometry(), QRect(3, 3, 141, 70));
    EXPECT_EQ(form->RegisterLabels[IP]->parentWidget()->geometry(), QRect(145, 3, 141, 70));
    for (const QLabel* label : form->RegisterLabels) {
        EXPECT_LE(QFontMetricsF(label->font()).horizontalAdvance(label->text()), label->width());
        EXPECT_TRUE(label->parentWidget()->contentsRect().contains(label->geometry()))
            << label->text().toStdString();
    }
    std::map<int, std::vector<const QPushButton*>> columns;
    for (const QPushButton* button : form->CommandButtons) {
        columns[button->x()].push_back(button);
    }
    std::vector<int> columnsX;
    for (const auto& [x, buttons] : columns) {
        columnsX.push_back(x);
        const int width = buttons.front()->width();
        bool cutWhenNarrower = false;
        for (const QPushButton* button : buttons) {
            EXPECT_EQ(button->width(), width);
            EXPECT_TRUE(CaptionFits(button, width)) << button->text().toStdString();
            cutWhenNarrower = cutWhenNarrower || !CaptionFits(button, width - 1);
        }
        EXPECT_TRUE(width == 60 || (width > 60 && cutWhenNarrower)) << "column at " << x;
    }
    EXPECT_EQ(columnsX, (std::vector<int>{432, 493, 554, 616}));
}

// The assembler log above the token list is 185 high from the start, and keeps that height
// when the window grows.
TEST_F(WorkbenchTest, AssemblerLogIs185HighAtAnyWindowSize) {
    form->show();
    form->PageControl1->setCurrentWidget(form->TabSheetTokens);
    EXPECT_EQ(form->MemoAsmLog->height(), 185);
    const int tokens = form->ListBoxTokens->height();
    form->resize(form->width() + 100, form->height() + 100);
    EXPECT_EQ(form->MemoAsmLog->height(), 185);
    EXPECT_EQ(form->ListBoxTokens->height(), tokens + 100);
}

TEST_F(WorkbenchTest, EveryToolButtonHasItsPictureAndHint) {
    ASSERT_EQ(form->ToolButtons.size(), 17u);
    for (const QToolButton* button : form->ToolButtons) {
        EXPECT_FALSE(button->icon().isNull()) << button->toolTip().toStdString();
        EXPECT_FALSE(button->toolTip().isEmpty());
    }
}

// IN 00 awaits its key in the keyboard input window; meanwhile the main window's commands do
// nothing, the main window refuses to close and so does the keyboard input window.
TEST_F(WorkbenchTest, In00TakesATypedKeyWhileCommandsWait) {
    Open("key.asm", "IN 00\nEND\n");
    ASSERT_TRUE(Assemble());
    form->ButtonStepClick();
    ASSERT_TRUE(form->Machine().AwaitingKey());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form->KeyboardInputWindow));
    EXPECT_TRUE(form->KeyboardInputWindow->Waiting());
    EXPECT_TRUE(form->Busy());
    form->CommandButtons[1]->click(); // Step
    EXPECT_EQ(Reg(IP), 0);
    EXPECT_FALSE(form->close());
    EXPECT_FALSE(form->KeyboardInputWindow->close());
    EXPECT_TRUE(form->KeyboardInputWindow->isVisible());
    QTest::keyClick(form->KeyboardInputWindow, Qt::Key_A);
    EXPECT_EQ(Reg(AL), 0x61);
    EXPECT_EQ(Reg(IP), 2);
    EXPECT_FALSE(form->Busy());
    EXPECT_FALSE(form->KeyboardInputWindow->isVisible());
}

// While the watched assembly is played back, events pass; no command may free the tokens
// meanwhile.
TEST_F(WorkbenchTest, CommandsWaitWhileTheAssemblerLogIsWatched) {
    Open("watched.asm", "MOV AL,1\nEND\n");
    form->CheckBoxAsmLog->setChecked(true);
    bool busy = false;
    QTimer::singleShot(0, form.get(), [&] {
        busy = form->Busy();
        form->ToolButtons[11]->click();   // FILE NEW
        form->CommandButtons[0]->click(); // Assemble again
    });
    EXPECT_TRUE(Assemble());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form->Busy(); }));
    EXPECT_TRUE(busy);
    EXPECT_EQ(form->memoSource->toPlainText(), "MOV AL,1\nEND\n");
    EXPECT_EQ(form->LabelCurrInstr->text(),
              " Saved watched.asm  Make tokens.  Parse tokens.  Calculate jumps.  Success.");
    EXPECT_FALSE(form->close()); // refused once, with the logging switched off
    EXPECT_FALSE(form->CheckBoxAsmLog->isChecked());
    EXPECT_EQ(dialogs.Messages.size(), 1);
}

TEST_F(WorkbenchTest, AltXYZPickTheRamView) {
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->ButtonShowRamClick();
    QTest::keyClick(form->memoSource, Qt::Key_X, Qt::AltModifier);
    EXPECT_EQ(form->RamView->windowTitle(), "RAM Hexadecimal View");
    QTest::keyClick(form->memoSource, Qt::Key_Z, Qt::AltModifier);
    EXPECT_EQ(form->RamView->windowTitle(), "RAM Source Code View");
}

} // namespace

namespace {

// Run after an execution error runs nothing, says why, and gives the editor back at once.
TEST_F(WorkbenchTest, RunThatCannotStartGivesTheEditorBackAndSaysWhy) {
    Open("under.asm", "POP BL\nEND\n");
    ASSERT_TRUE(Assemble());
    form->ButtonStepClick();
    ASSERT_FALSE(form->Machine().Machine.NoError);
    for (auto command : {&TFormMain::ButtonRunClick, &TFormMain::ButtonContinuousClick}) {
        (form.get()->*command)();
        EXPECT_FALSE(form->memoSource->isReadOnly());
        EXPECT_EQ(form->memoSource->palette().color(QPalette::Base), QColor(Qt::white));
        EXPECT_EQ(form->LabelCurrInstr->text(), " Assemble the program again before running it.");
        EXPECT_FALSE(form->Machine().Machine.Running);
    }
}

// An empty clipboard, as in a fresh session where nothing was copied: Ctrl+V, Shift+Insert
// and Edit > Paste insert nothing and do not crash; text on the clipboard is pasted.
TEST_F(WorkbenchTest, PasteWithAnEmptyClipboardInsertsNothing) {
    form->show();
    form->memoSource->setPlainText("NOP");
    form->memoSource->setFocus();
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(form->memoSource, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(form->memoSource, Qt::Key_Insert, Qt::ShiftModifier);
    form->MenuEditPasteClick();
    EXPECT_EQ(form->memoSource->toPlainText(), "NOP");
    QGuiApplication::clipboard()->setText("HALT\n");
    form->memoSource->PasteClipboard();
    EXPECT_EQ(form->memoSource->toPlainText(), "HALT\nNOP");
    form->memoSource->setReadOnly(true);
    form->memoSource->PasteClipboard();
    EXPECT_EQ(form->memoSource->toPlainText(), "HALT\nNOP");
}

// File > Exit during a logged assembly answers as the close box does.
TEST_F(WorkbenchTest, ExitWhileBusyBehavesAsTheCloseBox) {
    QAction* exit = nullptr;
    for (QAction* action : form->findChildren<QAction*>()) {
        if (action->text() == "E&xit") {
            exit = action;
        }
    }
    ASSERT_NE(exit, nullptr);
    form->CheckBoxAsmLog->setChecked(true);
    form->Machine().Assembling = true;
    exit->trigger();
    form->Machine().Assembling = false;
    EXPECT_EQ(dialogs.Messages,
              QStringList{"Can not quit while assembler logging is on. Assembler logging has "
                          "been turned off. You can now try to quit again."});
    EXPECT_FALSE(form->CheckBoxAsmLog->isChecked());
}

// New empties RAM, and the screen shows it at once, as the RAM view does.
TEST_F(WorkbenchTest, NewBlanksTheVduScreen) {
    Open("screen.asm", "MOV AL,41\nMOV [C0],AL\nEND\n");
    ASSERT_TRUE(Assemble());
    form->ButtonStepClick();
    form->ButtonStepClick();
    QWidget* vdu = form->Windows().Window(Peripheral::Vdu);
    ASSERT_TRUE(vdu->isVisible());
    const auto shown = [vdu] {
        QCoreApplication::processEvents();
        return vdu->screen()
            ->grabWindow(vdu->winId())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    };
    const QImage withText = shown();
    form->MenuFileNewClick();
    const QImage afterNew = shown();
    EXPECT_NE(afterNew, withText);
    EXPECT_EQ(afterNew, vdu->grab().toImage().convertToFormat(QImage::Format_RGB32));
}

} // namespace
