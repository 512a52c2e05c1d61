// An assembly watched through its log runs at once; the window then plays its progress back,
// a token every 5 ms, before it shows the rest of the command.
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include "WorkbenchFixture.h"
#include "core/Scheduler.h"
#include "marking/HeadlessUi.h"

namespace {

// The rows of the token list the assembler reaches, in order, each once however long it stays.
class RowRecorder : public HeadlessUi {
  public:
    std::vector<int> Rows;
    void WatchToken(int row) override {
        if (Rows.empty() || Rows.back() != row) {
            Rows.push_back(row);
        }
    }
};

std::vector<int> RowsTheAssemblerReaches(std::string_view source) {
    RowRecorder ui;
    ui.SetSource(SourceText::FromBytes(source));
    Taaa machine(ui);
    ui.Follow(machine.Report);
    machine.Settings.AsmLog = true;
    machine.ButtonAssembleClick();
    return ui.Rows;
}

// What the window shows once an assembly (and what came after it) is over.
struct FinalView {
    QStringList Tokens;
    QString ListFile;
    QString Status;
    QStringList Registers;
    bool operator==(const FinalView&) const = default;
};

// What each frame of a playback showed, as the token list's selection moved.
struct Playback {
    std::vector<int> Rows;
    std::vector<int> LogLines;
    std::vector<QString> Statuses;
    std::vector<QString> AlLabels;
};

class AssemblyPlaybackTest : public WorkbenchTest {
  protected:
    FinalView Shown() const {
        FinalView view{{}, form->MemoList->toPlainText(), form->LabelCurrInstr->text(), {}};
        for (int row = 0; row < form->ListBoxTokens->count(); ++row) {
            view.Tokens.append(form->ListBoxTokens->item(row)->text());
        }
        for (const QLabel* label : form->RegisterLabels) {
            view.Registers.append(label->text());
        }
        return view;
    }
    // The command with the log off, as it ends today, then the same with the log on.
    FinalView Unwatched(void (TFormMain::*command)()) {
        form->CheckBoxAsmLog->setChecked(false);
        (form.get()->*command)();
        form->FlushPanes();
        const FinalView view = Shown();
        form->ButtonResetClick();
        form->Machine().Machine.NeedsAssembly = true;
        form->CheckBoxAsmLog->setChecked(true);
        return view;
    }
    // Runs the command and records each frame until the playback has ended.
    Playback Watch(void (TFormMain::*command)()) {
        Playback seen;
        QObject::connect(form->ListBoxTokens, &QListWidget::currentRowChanged, form.get(),
                         [&](int row) {
                             seen.Rows.push_back(row);
                             seen.LogLines.push_back(form->MemoAsmLog->blockCount());
                             seen.Statuses.push_back(form->LabelCurrInstr->text());
                             seen.AlLabels.push_back(form->RegisterLabels[AL]->text());
                         });
        (form.get()->*command)();
        EXPECT_TRUE(form->Busy());
        EXPECT_TRUE(QTest::qWaitFor([&] { return !form->Busy(); }, 20000));
        form->ListBoxTokens->disconnect(form.get());
        return seen;
    }
};

// The rows follow the assembler through the program with the log and the phases growing
// beside them, and the window ends as the same command without the log leaves it.
TEST_F(AssemblyPlaybackTest, TheTokenRowsPlayInOrderAndTheEndIsAsWithoutTheLog) {
    constexpr char source[] = "Start:\n\tMOV AL,[BL]\t; a comment\n\tJMP Start\n\tDB 50\nEND\n";
    Open("order.asm", source);
    const FinalView unwatched = Unwatched(&TFormMain::ButtonAssembleClick);
    const Playback seen = Watch(&TFormMain::ButtonAssembleClick);

    EXPECT_EQ(seen.Rows, RowsTheAssemblerReaches(source));
    EXPECT_TRUE(std::is_sorted(seen.LogLines.begin(), seen.LogLines.end()));
    EXPECT_LT(seen.LogLines.front(), seen.LogLines.back());
    for (const QString& status : seen.Statuses) {
        EXPECT_TRUE(unwatched.Status.startsWith(status)) << status.toStdString();
    }
    EXPECT_NE(seen.Statuses.front(), seen.Statuses.back());
    EXPECT_EQ(Shown(), unwatched);
    EXPECT_EQ(form->ListBoxTokens->currentRow(), seen.Rows.back());
    EXPECT_GE(form->MemoAsmLog->blockCount(), seen.LogLines.back());
}

// Step assembles first: the registers change only after the assembly has been shown, and the
// end is the step as it is without the log.
TEST_F(AssemblyPlaybackTest, StepShowsTheAssemblyThenTheStep) {
    Open("step.asm", "MOV AL,7\nMOV BL,2\nEND\n");
    const FinalView unwatched = Unwatched(&TFormMain::ButtonStepClick);
    const QString before = form->RegisterLabels[AL]->text();
    const Playback seen = Watch(&TFormMain::ButtonStepClick);

    ASSERT_FALSE(seen.Rows.empty());
    for (const QString& label : seen.AlLabels) {
        EXPECT_EQ(label, before);
    }
    EXPECT_EQ(Shown(), unwatched);
    EXPECT_EQ(Reg(AL), 7);
    EXPECT_EQ(Reg(IP), 3);
}

// Commands pressed during the playback do nothing, and the machine's clocks wait for it.
TEST_F(AssemblyPlaybackTest, CommandsAndTheClocksWaitForThePlayback) {
    Open("run.asm", "MOV AL,1\nMOV BL,2\nMOV CL,3\nEND\n");
    form->CheckBoxAsmLog->setChecked(true);
    form->ButtonRunClick();
    ASSERT_TRUE(form->PlayingBack());
    int pressed = 0;
    QTimer::singleShot(1, form.get(), [&] {
        ++pressed;
        EXPECT_TRUE(form->PlayingBack());
        form->ToolButtons[11]->click();   // FILE NEW
        form->CommandButtons[1]->click(); // Step
        form->TimerClockTimer(1000);
        EXPECT_TRUE(form->Clock().ClocksHeld);
        form->TimerCPUTimer();
        EXPECT_EQ(Reg(IP), 0);
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form->Busy(); }, 20000));
    EXPECT_EQ(pressed, 1);
    EXPECT_EQ(form->memoSource->toPlainText(), "MOV AL,1\nMOV BL,2\nMOV CL,3\nEND\n");
    EXPECT_EQ(Reg(IP), 0);
    form->TimerClockTimer(0);
    EXPECT_FALSE(form->Clock().ClocksHeld);
    form->TimerCPUTimer();
    EXPECT_GT(Reg(IP), 0);
}

// Closing during the playback is refused once, as during the assembly itself: the log goes
// off, the rest of the playback shows at once, and the next close goes through.
TEST_F(AssemblyPlaybackTest, ClosingDuringThePlaybackSwitchesTheLogOffAndEndsIt) {
    Open("close.asm", "MOV AL,1\nMOV BL,2\nEND\n");
    const FinalView unwatched = Unwatched(&TFormMain::ButtonAssembleClick);
    form->ButtonAssembleClick();
    ASSERT_TRUE(form->PlayingBack());
    EXPECT_FALSE(form->close());
    EXPECT_FALSE(form->CheckBoxAsmLog->isChecked());
    EXPECT_EQ(dialogs.Messages.size(), 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form->Busy(); }, 1000));
    EXPECT_EQ(Shown(), unwatched);
    EXPECT_TRUE(form->close());
}

} // namespace
