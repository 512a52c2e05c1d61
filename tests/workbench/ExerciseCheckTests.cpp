// Checking the editor's program against an exercise in the main window, and running a failed
// case there as the checker ran it.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTreeWidget>

#include "WorkbenchFixture.h"
#include "devices/WholeMachine.h"
#include "marking/CheckRun.h"
#include "marking/DeviceReport.h"
#include "marking/Exercise.h"
#include "workbench/CheckPanel.h"

namespace {

const QString ExercisesFolder = QStringLiteral(CORVANE_EXAMPLES "/exercises/");

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class ExerciseCheckTest : public WorkbenchTest {
  protected:
    CheckPanel& Panel() const { return *form->TabSheetCheck; }
    void OpenExercise(const QString& path) {
        dialogs.FileNames.push_back(path);
        form->MenuOpenExerciseClick();
    }
    // The exercise, and one of its solutions in the editor as a student would open it.
    void OpenWithSolution(const QString& exercise, const QString& solution) {
        OpenExercise(ExercisesFolder + exercise + ".toml");
        ASSERT_NE(form->LoadedExercise(), nullptr);
        Open(solution + ".asm", FileBytes(ExercisesFolder + exercise + "/" + solution + ".asm"));
    }
    QStringList Column(int column) const {
        QStringList texts;
        for (int row = 0; row < Panel().Cases->topLevelItemCount(); ++row) {
            texts << Panel().Cases->topLevelItem(row)->text(column);
        }
        return texts;
    }
    int FirstFailedRow() const {
        return static_cast<int>(Column(CheckPanel::ResultColumn).indexOf("failed"));
    }
    // The window's clock, turn after turn, until the run is over.
    void RunToItsEnd() {
        for (int turn = 0; turn < 100000 && form->Machine().Machine.Running; ++turn) {
            form->TimerClockTimer(100);
        }
        ASSERT_FALSE(form->Machine().Machine.Running);
    }
};

// Each example exercise with its right and its wrong solution.
const char* const ExampleExercises[] = {"keypad", "thermostat", "traffic-lights"};

TEST_F(ExerciseCheckTest, TheRightSolutionPassesEveryCaseOfEachExample) {
    for (const char* name : ExampleExercises) {
        SCOPED_TRACE(name);
        OpenWithSolution(name, "correct");
        Panel().CheckButton->click();
        const int cases = static_cast<int>(form->LoadedExercise()->Cases.size());
        EXPECT_EQ(Column(CheckPanel::ResultColumn), QStringList(cases, "passed"));
        EXPECT_EQ(Panel().ScoreLabel->text(), QString("Score: %1 of %1").arg(cases));
        EXPECT_EQ(form->PageControl1->currentWidget(), &Panel());
    }
}

TEST_F(ExerciseCheckTest, CheckLeavesTheWindowsMachineAsItWas) {
    OpenWithSolution("keypad", "wrong");
    form->ButtonStepClick();
    form->ButtonStepClick();
    const MachineSnapshot before = form->Whole().Snapshot();
    form->MenuCheckProgramClick();
    EXPECT_EQ(form->Whole().Snapshot(), before);
    EXPECT_EQ(FirstFailedRow(), 0);
}

// The checker marks the editor's text, also where it differs from the file on disk.
TEST_F(ExerciseCheckTest, CheckMarksTheEditorsTextNotTheFile) {
    OpenWithSolution("keypad", "wrong");
    form->memoSource->setPlainText(
        QString::fromLatin1(FileBytes(ExercisesFolder + "keypad/correct.asm")));
    form->MenuCheckProgramClick();
    EXPECT_EQ(Column(CheckPanel::ResultColumn), QStringList({"passed", "passed"}));
}

// A teacher's version of the keypad exercise with a hint on a visible case, and a hidden case
// worth two points.
QByteArray KeypadWithHintAndHiddenCase() {
    QByteArray text = FileBytes(ExercisesFolder + "keypad.toml");
    text.replace("name = \"three keys\"\n",
                 "name = \"three keys\"\nhint = \"Does the handler write to port 02?\"\n");
    text.replace("name = \"every key\"\n", "name = \"every key\"\nhidden = true\npoints = 2\n");
    return text;
}

TEST_F(ExerciseCheckTest, AFailedCaseShowsItsHintAndAHiddenOneNoExpectedValue) {
    WriteBytes("keypad.toml", KeypadWithHintAndHiddenCase());
    OpenExercise(Path("keypad.toml"));
    Open("wrong.asm", FileBytes(ExercisesFolder + "keypad/wrong.asm"));
    form->MenuCheckProgramClick();
    EXPECT_EQ(Column(CheckPanel::ResultColumn), QStringList({"failed", "failed"}));
    EXPECT_EQ(Column(CheckPanel::PointsColumn), QStringList({"0 of 1", "0 of 2"}));
    EXPECT_EQ(Column(CheckPanel::ReasonColumn),
              QStringList({"\"SEVSEG 00000000 00000000\", expected \"SEVSEG 00000000 11111011\"",
                           "hidden case failed"}));
    EXPECT_EQ(Column(CheckPanel::HintColumn)[0], "Does the handler write to port 02?");
    EXPECT_EQ(Panel().ScoreLabel->text(), "Score: 0 of 3");
    // Nothing of the hidden case's expected bytes (FB 0B B7 ...) shows, not even as a tip.
    const QTreeWidgetItem* hidden = Panel().Cases->topLevelItem(1);
    for (int column = 0; column <= CheckPanel::HintColumn; ++column) {
        EXPECT_FALSE(hidden->toolTip(column).contains("FB"));
        EXPECT_FALSE(hidden->text(column).contains("FB"));
    }
    // A hidden case is not run in the window: that would show what it expects.
    Panel().Cases->setCurrentItem(Panel().Cases->topLevelItem(1));
    EXPECT_FALSE(Panel().RunCaseButton->isEnabled());
    Panel().Cases->setCurrentItem(Panel().Cases->topLevelItem(0));
    EXPECT_TRUE(Panel().RunCaseButton->isEnabled());
    EXPECT_EQ(Panel().Details->text(),
              "three keys: failed, \"SEVSEG 00000000 00000000\", expected \"SEVSEG 00000000 "
              "11111011\"\nHint: Does the handler write to port 02?");
}

// The window's run of the first failed case ends with the registers, RAM and device lines the
// checker's own run of it ended with.
TEST_F(ExerciseCheckTest, RunningAFailedCaseInTheWindowShowsWhatTheCheckerSaw) {
    for (const char* name : ExampleExercises) {
        SCOPED_TRACE(name);
        OpenWithSolution(name, "wrong");
        form->MenuCheckProgramClick();
        const int failed = FirstFailedRow();
        ASSERT_GE(failed, 0);
        const ExerciseCase& replayed = form->LoadedExercise()->Cases[static_cast<size_t>(failed)];
        const ModelRun checker = RunModel(
            SourceText::FromBytes(FileBytes(ExercisesFolder + name + "/wrong.asm").toStdString()),
            "wrong.asm", replayed);

        Panel().Cases->setCurrentItem(Panel().Cases->topLevelItem(failed));
        Panel().RunCaseButton->click();
        RunToItsEnd();

        const MachineState& state = form->Machine().Machine;
        for (int index = 0; index < RegisterCount; ++index) {
            EXPECT_EQ(state.RegisterLow(index), checker.Registers[static_cast<size_t>(index)]);
        }
        for (int address = 0; address < 256; ++address) {
            EXPECT_EQ(state.CellValue(address) & 0xFF, checker.Ram[static_cast<size_t>(address)]);
        }
        EXPECT_EQ(DeviceLines(form->Devices()), checker.DeviceLines);
        ASSERT_EQ(checker.Ended, RunEnd::StepLimit);
        EXPECT_TRUE(form->Machine().StatusText().find(
                        "limit of " + std::to_string(replayed.Clock.MaxSteps)) != std::string::npos)
            << form->Machine().StatusText();
    }
}

TEST_F(ExerciseCheckTest, ABadExerciseSaysWhereItIsWrong) {
    WriteBytes("bad.toml", "title = \"Bad\"\n[[case]]\nname = \"a\"\n[case.expect]\n"
                           "devices = [{ device = \"HEATER\", between = [5, 1] }]\n");
    OpenExercise(Path("bad.toml"));
    EXPECT_EQ(form->LoadedExercise(), nullptr);
    ASSERT_EQ(dialogs.Messages.size(), 1);
    EXPECT_TRUE(dialogs.Messages[0].contains(
        QRegularExpression("^" + QRegularExpression::escape(Path("bad.toml")) + ":5:\\d+: \\S")))
        << dialogs.Messages[0].toStdString();
    EXPECT_FALSE(Panel().CheckButton->isEnabled());
}

// The examples' exercises sit in the Examples menu, and open as File, Open Exercise does.
TEST_F(ExerciseCheckTest, TheExamplesMenuOpensTheExamplesExercises) {
    const std::pair<const char*, const char*> entries[] = {
        {"&5 Exercise: Keypad", "keypad.toml"},
        {"&6 Exercise: Thermostat", "thermostat.toml"},
        {"&7 Exercise: Traffic Lights", "traffic-lights.toml"},
    };
    for (const auto& [caption, file] : entries) {
        SCOPED_TRACE(file);
        WriteBytes(file, FileBytes(ExercisesFolder + file));
        QAction* entry = nullptr;
        for (QAction* menu : form->menuBar()->actions()) {
            for (QAction* item : menu->menu()->actions()) {
                if (menu->text() == "Example&s" && item->text() == caption) {
                    entry = item;
                }
            }
        }
        ASSERT_NE(entry, nullptr);
        entry->trigger();
        ASSERT_NE(form->LoadedExercise(), nullptr);
        EXPECT_EQ(Panel().Title->text(),
                  "Exercise: " + QString::fromStdString(form->LoadedExercise()->Title));
        EXPECT_TRUE(Panel().Note->text().contains("no starting program"));
    }
}

} // namespace
