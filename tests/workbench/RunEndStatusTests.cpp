#include <QCheckBox>
#include <QLabel>

#include "WorkbenchFixture.h"
#include "core/RunControl.h"
#include "workbench/RunLogPane.h"
#include "workbench/TFormKeybIn.h"

namespace {

class RunEndStatusTest : public WorkbenchTest {
  protected:
    // Runs at the clock's pace until the run ends; Escape answers IN 00.
    void RunToItsEnd() {
        form->ButtonRunClick();
        for (int tick = 0; tick < 20 && form->Machine().Machine.Running; ++tick) {
            form->TimerCPUTimer();
            if (form->Machine().AwaitingKey()) {
                ASSERT_TRUE(QTest::qWaitForWindowActive(form->KeyboardInputWindow));
                QTest::keyClick(form->KeyboardInputWindow, Qt::Key_Escape);
            }
        }
    }
};

struct EndCase {
    const char* Source;
    const char* Status;
};

// Every way a run ends says why in the status line; an error adds what the student must do.
TEST_F(RunEndStatusTest, EveryEndOfARunSaysWhy) {
    for (const EndCase& c : {
             EndCase{"NOP\nHALT\nEND\n", " END  Program has halted."},
             // The 00 at 50 was never assembled, so it has no source to show.
             EndCase{"CALL 50\nEND\n", " END  Program has halted."},
             EndCase{"MOV AL,8F\nOUT 04\nL:\nJMP L\nEND\n",
                     " EDGE  The snake has reached the edge of the maze."},
             EndCase{"IN 00\nL:\nJMP L\nEND\n", " ESCAPE  Keyboard input cancelled."},
             EndCase{"NOP\nPOP BL\nEND\n", " Stack underflow.  Assemble the program again."},
             EndCase{"MOV AL,5\nDIV AL,0\nEND\n", " Divide by zero error.  Program has halted."},
         }) {
        Open("end.asm", c.Source);
        RunToItsEnd();
        EXPECT_FALSE(form->Machine().Machine.Running) << c.Source;
        EXPECT_EQ(form->LabelCurrInstr->text(), c.Status) << c.Source;
        // The engine's own status line says the same, as the status line shows it.
        EXPECT_EQ(form->Machine().StatusText(), c.Status) << c.Source;
    }
}

// Stop and Escape in the main window stop a run and say so; with nothing running they leave
// the status line alone.
TEST_F(RunEndStatusTest, StopAndEscapeSayTheUserStoppedTheRun) {
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    Open("loop.asm", "L:\nINC AL\nJMP L\nEND\n");
    for (const auto& stop :
         {std::function<void()>([&] { form->ButtonStopClick(); }),
          std::function<void()>([&] { QTest::keyClick(form->memoSource, Qt::Key_Escape); })}) {
        form->ButtonRunClick();
        form->TimerCPUTimer();
        stop();
        EXPECT_FALSE(form->Machine().Machine.Running);
        EXPECT_EQ(form->LabelCurrInstr->text(), " STOP  Program stopped by the user.");
        form->ShowStatus("other", StatusStyle::Progress);
        stop();
        EXPECT_EQ(form->LabelCurrInstr->text(), " other");
    }
}

// The hardware timer's interrupt has its own entry in the run log, between the instructions.
TEST_F(RunEndStatusTest, TheRunLogShowsTheInterruptTaken) {
    Open("timer.asm", "JMP start\nDB 50\nstart:\nSTI\nloop:\nJMP loop\nORG 50\nIRET\nEND\n");
    form->CheckBoxRunLog->setChecked(true);
    form->ButtonRunClick();
    for (int tick = 0; tick < 3; ++tick) {
        form->TimerCPUTimer();
    }
    form->TimerHWTimer();
    form->TimerCPUTimer();
    form->FlushPanes();
    const QString log = form->RichEdit1->toPlainText();
    const QString entry =
        "INTERRUPT\n\tHardware timer interrupt 02\n\tRead the vector at [02]: 50\n"
        "\tPush IP 04 to the stack at [BF]\n\tIP = 50\n";
    ASSERT_TRUE(log.contains(entry)) << log.toStdString();
    // The handler's IRET follows the entry.
    EXPECT_TRUE(log.indexOf("\tIRET", log.indexOf(entry)) > 0);
    EXPECT_EQ(Reg(IP), 0x04);
}

} // namespace
