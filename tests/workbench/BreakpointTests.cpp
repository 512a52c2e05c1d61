// The source editor's gutter, breakpoints, run to cursor and error marks, driven through the
// real main window.
#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QTextBlock>
#include <QTimer>

#include "WorkbenchFixture.h"
#include "core/RunControl.h"
#include "workbench/LineGutter.h"
#include "workbench/SourceMarks.h"

namespace {

// Lines from 0: 0 comment, 1 MOV (00), 2 blank, 3 label, 4 INC (03), 5 CMP (05), 6 JNZ (08),
// 7 HALT (0A), 8 END (0B), 9 comment.
const QByteArray Counter = "; count to three\n"
                           "MOV AL,0\n"
                           "\n"
                           "L:\n"
                           "INC AL\n"
                           "CMP AL,3\n"
                           "JNZ L\n"
                           "HALT\n"
                           "END\n"
                           "; done\n";

class BreakpointTest : public WorkbenchTest {
  protected:
    void SetUp() override {
        WorkbenchTest::SetUp();
        form->TimerClock->stop(); // only the test's turns move time
        while (form->Control().CpuClockInterval() > RunControl::FastestClock) {
            form->ButtonFastClick();
        }
        Open("count.asm", Counter);
    }

    void PutCursorOn(int line) {
        QTextCursor cursor(form->memoSource->document()->findBlockByNumber(line));
        form->memoSource->setTextCursor(cursor);
    }
    void ToggleWithMenu(int line) {
        PutCursorOn(line);
        MenuCommand("Toggle &Breakpoint")->trigger();
    }
    // Turns of the clock until the run stops.
    void RunOn() {
        for (int turn = 0; turn < 200 && form->Machine().Machine.Running; ++turn) {
            form->TimerClockTimer(10);
        }
    }
    std::set<int> BreakpointLines() const { return form->Marks().Breakpoints().Lines(); }
    const GutterMarks& Gutter() const { return form->memoSource->Gutter().Marks(); }
    LineMark MarkOn(int line) const {
        const auto found = Gutter().Lines.find(line);
        return found == Gutter().Lines.end() ? LineMark{} : found->second;
    }
    QString Status() const { return form->LabelCurrInstr->text().trimmed(); }
    QTextCursor Edit(int line) const {
        return QTextCursor(form->memoSource->document()->findBlockByNumber(line));
    }
};

struct StopCase {
    const char* Name;
    int Line;      // the breakpoint's, from 0
    int StopsLine; // where it binds, from 0
    int Ip;
    int Al;
};

class BreakpointStops : public BreakpointTest, public ::testing::WithParamInterface<StopCase> {};

// A run stops before the code the breakpoint binds to and says where; a line without code
// binds to the next line with some, and the gutter shows that with a hollow marker.
TEST_P(BreakpointStops, BeforeTheCodeOfTheLineItBindsTo) {
    const StopCase& c = GetParam();
    ToggleWithMenu(c.Line);
    form->ButtonRunClick();
    RunOn();
    EXPECT_EQ(Reg(IP), c.Ip);
    EXPECT_EQ(Reg(AL), c.Al);
    EXPECT_EQ(Status(), QString("Breakpoint at line %1").arg(c.StopsLine + 1));
    EXPECT_EQ(Gutter().IpLine, c.StopsLine);
    EXPECT_TRUE(MarkOn(c.Line).Breakpoint);
    EXPECT_EQ(MarkOn(c.Line).Stops, c.Line == c.StopsLine);
    EXPECT_TRUE(MarkOn(c.StopsLine).Stops);
    if (c.Line != c.StopsLine) {
        EXPECT_EQ(MarkOn(c.Line).Tip, QString("Breakpoint: stops at line %1").arg(c.StopsLine + 1));
    }
}

INSTANTIATE_TEST_SUITE_P(Lines, BreakpointStops,
                         ::testing::Values(StopCase{"Code", 4, 4, 0x03, 0},
                                           StopCase{"LaterCode", 6, 6, 0x08, 1},
                                           StopCase{"BlankLine", 2, 4, 0x03, 0},
                                           StopCase{"Comment", 0, 1, 0x00, 0}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(BreakpointTest, ContinueGoesOnToTheNextStopAndClearingLetsTheRunEnd) {
    ToggleWithMenu(4);
    form->ButtonRunClick();
    RunOn();
    EXPECT_EQ(Reg(AL), 0);
    for (int al = 1; al <= 2; ++al) {
        form->ButtonContinuousClick();
        RunOn();
        EXPECT_EQ(Reg(AL), al);
        EXPECT_EQ(Reg(IP), 0x03);
        EXPECT_EQ(Status(), "Breakpoint at line 5");
    }
    MenuCommand("&Clear Breakpoints")->trigger();
    EXPECT_TRUE(BreakpointLines().empty());
    form->ButtonContinuousClick();
    RunOn();
    EXPECT_EQ(Reg(AL), 3);
    EXPECT_EQ(form->Machine().Ended, RunEnd::Halt);
}

// Run again from the top stops at the first line's breakpoint again, even right after
// stopping there.
TEST_F(BreakpointTest, RunStopsAgainAtABreakpointOnTheFirstInstruction) {
    ToggleWithMenu(1);
    for (int run = 0; run < 2; ++run) {
        form->ButtonRunClick();
        RunOn();
        EXPECT_EQ(Reg(IP), 0x00) << run;
        EXPECT_EQ(form->Machine().Ended, RunEnd::Breakpoint) << run;
    }
}

struct EditCase {
    const char* Name;
    std::function<void(QTextDocument&)> Change;
    std::set<int> Lines; // breakpoints on 4 and 6 before the change
};

// Breakpoints on lines 4 and 6 follow each edit.
TEST_F(BreakpointTest, BreakpointsFollowTheirLinesThroughEdits) {
    const auto block = [](QTextDocument& document, int line) {
        return QTextCursor(document.findBlockByNumber(line));
    };
    const std::vector<EditCase> cases = {
        {"two lines inserted above",
         [&](QTextDocument& d) { block(d, 0).insertText("; one\n; two\n"); },
         {6, 8}},
        {"a line opened below 4",
         [&](QTextDocument& d) {
             QTextCursor end = block(d, 4);
             end.movePosition(QTextCursor::EndOfBlock);
             end.insertText("\n");
         },
         {4, 7}},
        {"a line opened above 4 at its start",
         [&](QTextDocument& d) { block(d, 4).insertText("\n"); },
         {5, 7}},
        {"line 4 deleted",
         [&](QTextDocument& d) {
             QTextCursor line = block(d, 4);
             line.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
             line.removeSelectedText();
         },
         {5}},
        {"line 5 joined to 4", [&](QTextDocument& d) { block(d, 5).deletePreviousChar(); }, {4, 5}},
        {"text typed in line 4", [&](QTextDocument& d) { block(d, 4).insertText(" "); }, {4, 6}},
    };
    for (const EditCase& c : cases) {
        dialogs.Answers.push_back(QMessageBox::No); // the last case's edit is not saved
        Open("count.asm", Counter);
        ToggleWithMenu(4);
        ToggleWithMenu(6);
        c.Change(*form->memoSource->document());
        EXPECT_EQ(BreakpointLines(), c.Lines) << c.Name;
    }
}

// A breakpoint stays on its line through assemblies and edits, and binds to where its line's
// code is after the next one.
TEST_F(BreakpointTest, BreakpointsSurviveReassemblyAndBindAgain) {
    ToggleWithMenu(4);
    ASSERT_TRUE(Assemble());
    ASSERT_TRUE(Assemble());
    Edit(0).insertText("NOP\n");
    EXPECT_EQ(BreakpointLines(), (std::set<int>{5}));
    EXPECT_EQ(Gutter().IpLine, std::nullopt); // the text is no longer the one assembled
    form->ButtonRunClick();
    RunOn();
    EXPECT_EQ(Reg(IP), 0x04);
    EXPECT_EQ(Status(), "Breakpoint at line 6");
}

TEST_F(BreakpointTest, ANewOrOpenedFileStartsWithoutBreakpoints) {
    ToggleWithMenu(4);
    Open("other.asm", Counter);
    EXPECT_TRUE(BreakpointLines().empty());
    ToggleWithMenu(4);
    form->MenuFileNewClick();
    EXPECT_TRUE(BreakpointLines().empty());
    EXPECT_TRUE(Gutter().Lines.empty());
}

// Run to cursor stops once at the cursor's line; a line with no code after it runs nothing.
TEST_F(BreakpointTest, RunToCursorStopsOnceAtTheCursorsLine) {
    PutCursorOn(6);
    MenuCommand("Run to C&ursor")->trigger();
    RunOn();
    EXPECT_EQ(Reg(IP), 0x08);
    EXPECT_EQ(Reg(AL), 1);
    EXPECT_EQ(Status(), "Breakpoint at line 7");
    form->ButtonContinuousClick();
    RunOn();
    EXPECT_EQ(Reg(AL), 3);
    EXPECT_EQ(form->Machine().Ended, RunEnd::Halt);

    PutCursorOn(9);
    MenuCommand("Run to C&ursor")->trigger();
    EXPECT_FALSE(form->Machine().Machine.Running);
    EXPECT_EQ(Status(), "No code on line 10 or after it");
}

TEST_F(BreakpointTest, TheGutterMarksIpClicksToggleAndNumbersFollowTheFont) {
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    ASSERT_TRUE(Assemble());
    EXPECT_EQ(Gutter().IpLine, 1);
    form->ButtonStepClick();
    EXPECT_EQ(Gutter().IpLine, 4);

    LineGutter& gutter = form->memoSource->Gutter();
    const QRect line3 = form->memoSource->cursorRect(Edit(3));
    QTest::mouseClick(&gutter, Qt::LeftButton, {}, QPoint(3, line3.center().y()));
    EXPECT_EQ(BreakpointLines(), (std::set<int>{3}));
    QTest::mouseClick(&gutter, Qt::LeftButton, {}, QPoint(3, line3.center().y()));
    EXPECT_TRUE(BreakpointLines().empty());

    const int width = gutter.width();
    for (int step = 0; step < 4; ++step) {
        form->EnlargeFontClick();
    }
    form->BoldFontClick();
    EXPECT_EQ(gutter.font().pointSize(), form->memoSource->font().pointSize());
    EXPECT_TRUE(gutter.font().bold());
    EXPECT_GT(gutter.width(), width);
}

// A failed assembly underlines its token, marks its line and lists it; the list selects it;
// the mark follows inserted lines and goes once its line is changed.
TEST_F(BreakpointTest, AFailedAssemblyMarksItsTokenUntilItsLineChanges) {
    Open("bad.asm", "MOV AL,0\nINC XL\nEND\n");
    ASSERT_FALSE(Assemble());
    const QString message = QString::fromStdString(form->Machine().Errors.at(0).Message);
    const auto underlines = form->memoSource->extraSelections();
    ASSERT_EQ(underlines.size(), 1);
    EXPECT_EQ(underlines[0].cursor.selectedText(), "XL");
    EXPECT_EQ(underlines[0].format.underlineStyle(), QTextCharFormat::WaveUnderline);
    EXPECT_EQ(underlines[0].format.underlineColor(), QColor(Qt::red));
    EXPECT_TRUE(MarkOn(1).Error);
    EXPECT_EQ(MarkOn(1).Tip, message);
    ASSERT_EQ(form->ListBoxErrors->count(), 1);
    EXPECT_FALSE(form->ListBoxErrors->isHidden());
    EXPECT_EQ(form->ListBoxErrors->item(0)->text(), "Line 2: " + message);

    Edit(0).insertText("; first\n");
    EXPECT_TRUE(MarkOn(2).Error);
    EXPECT_EQ(form->ListBoxErrors->item(0)->text(), "Line 3: " + message);
    PutCursorOn(0);
    QTest::mouseClick(form->ListBoxErrors->viewport(), Qt::LeftButton, {},
                      form->ListBoxErrors->visualItemRect(form->ListBoxErrors->item(0)).center());
    EXPECT_EQ(Selected(), "XL");

    Edit(2).insertText(" ");
    EXPECT_TRUE(form->memoSource->extraSelections().isEmpty());
    EXPECT_FALSE(MarkOn(2).Error);
    EXPECT_TRUE(form->ListBoxErrors->isHidden());
}

// An execution error marks the instruction that failed; a successful assembly clears it.
TEST_F(BreakpointTest, AnExecutionErrorMarksItsInstructionUntilTheNextAssembly) {
    Open("divide.asm", "MOV AL,5\nDIV AL,0\nEND\n");
    form->ButtonRunClick();
    RunOn();
    ASSERT_EQ(form->Machine().Ended, RunEnd::DivideByZero);
    const auto underlines = form->memoSource->extraSelections();
    ASSERT_EQ(underlines.size(), 1);
    EXPECT_EQ(underlines[0].cursor.selectedText(), "DIV AL,0");
    EXPECT_TRUE(MarkOn(1).Error);
    ASSERT_TRUE(Assemble());
    EXPECT_TRUE(form->memoSource->extraSelections().isEmpty());
    EXPECT_FALSE(MarkOn(1).Error);
}

} // namespace
