// File, Open Exercise, the examples' exercises, Check, and a failed case run in the window.
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QTabWidget>
#include <chrono>

#include "core/Assem.h"
#include "core/RunControl.h"
#include "core/Scheduler.h"
#include "devices/Peripherals.h"
#include "marking/Exercise.h"
#include "marking/Marks.h"
#include "workbench/CaseReplay.h"
#include "workbench/CheckPanel.h"
#include "workbench/Dialogs.h"
#include "workbench/EditorText.h"
#include "workbench/StepBack.h"
#include "workbench/TFormMain.h"

namespace {

constexpr const char* ExerciseSuffix = "toml";
// The window waits for Check; as long as the command line gives one student by default.
constexpr int64_t CheckSeconds = 10;
const QString NoStartingProgram =
    QStringLiteral("The exercise gives no starting program: write yours in the editor, then "
                   "press Check.");

// The name an exercise is known by: its title, or its file's name when it has none.
QString ExerciseName(const Exercise& exercise, const QString& path) {
    return exercise.Title.empty() ? QFileInfo(path).fileName()
                                  : QString::fromStdString(exercise.Title);
}

} // namespace

void TFormMain::MenuOpenExerciseClick() {
    const QString chosen =
        dialogs_.FileName(this, {QStringLiteral("Open Exercise"), QString(), ExerciseSuffix});
    if (!chosen.isEmpty()) {
        LoadExercise(chosen);
    }
}

bool TFormMain::LoadExercise(const QString& path) {
    auto read = ReadExercise(QDir::toNativeSeparators(path).toStdString());
    if (const auto* problem = std::get_if<std::string>(&read)) {
        dialogs_.Message(this, QString::fromStdString(*problem), QMessageBox::Warning);
        return false;
    }
    exercise_ = std::make_unique<Exercise>(std::get<Exercise>(std::move(read)));
    checkResults_.clear();
    TabSheetCheck->ShowExercise(ExerciseName(*exercise_, path), NoStartingProgram);
    PageControl1->setCurrentWidget(TabSheetCheck);
    return true;
}

void TFormMain::LoadExampleExercise(const char* fileName) {
    LoadExercise(QString::fromLatin1(fileName));
}

// The editor's text, as saving would write it and the checker read it back, on engines of
// the checker's own: the window's machine and devices are not touched.
void TFormMain::MenuCheckProgramClick() {
    if (!exercise_) {
        dialogs_.Message(this, "Open an exercise first: File, Open Exercise.",
                         QMessageBox::Information);
        return;
    }
    const SourceText source = SourceText::FromBytes(editorText_->Source().SavedText());
    const MarkingDeadline deadline{
        std::chrono::steady_clock::now() + std::chrono::seconds(CheckSeconds), CheckSeconds};
    checkResults_ =
        MarkSource(source, QFileInfo(saveFileName_).fileName().toStdString(), *exercise_, deadline);
    TabSheetCheck->ShowResults(*exercise_, checkResults_);
    PageControl1->setCurrentWidget(TabSheetCheck);
}

// As `corvane-cli run --from` runs it: assembled, the devices as new, the case's clocks,
// the run started, then its RAM and registers preset; its events and keys come at their
// simulated times from the run's start.
void TFormMain::RunCaseInWindow(int index) {
    const ExerciseCase& replayed = exercise_->Cases.at(static_cast<size_t>(index));
    EndCaseReplay();
    ButtonAssembleClick();
    if (!machine_->Machine.NoError) {
        return;
    }
    devices_->Restore(Peripherals::State{});
    control_->SetIntervalsExactly(static_cast<int>(replayed.Clock.CpuClockMs),
                                  static_cast<int>(replayed.Clock.HwTimerMs));
    GroupBoxHWT->setTitle(QString::fromStdString(control_->HwTimerCaption()));
    replay_ = std::make_unique<CaseReplay>();
    replay_->Keys.Add(replayed.Keys);
    replay_->MaxSteps = replayed.Clock.MaxSteps;
    replay_->StepsLeft = replayed.Clock.MaxSteps;
    std::vector<TimedAction> events;
    for (const DeviceEvent& event : replayed.Events) {
        events.push_back(InputAction(event, *devices_));
    }
    clock_->StartOver(std::move(events),
                      [this] { SupplyQueuedKey(*machine_, replay_->Keys, nullptr); });
    control_->ButtonRunClick();
    PresetCase(*machine_, replayed);
    RestartHistory(HistoryStart::Run);
    ApplyReport();
    ShowStatus("Running case '" + replayed.Name + "' as the checker ran it.",
               StatusStyle::Progress);
}

int64_t TFormMain::CaseStepsAllowed() const {
    return replay_ ? replay_->StepsLeft : Scheduler::NoStepLimit;
}

void TFormMain::CountCaseSteps(const SliceReport& slice) {
    if (!replay_) {
        return;
    }
    replay_->StepsLeft -= slice.Steps;
    if (slice.How == SliceEnd::StepLimit) {
        machine_->EndRun(RunEnd::StepLimit);
        ShowStatus("LIMIT  Stopped at the case's limit of " + std::to_string(replay_->MaxSteps) +
                       " steps.",
                   StatusStyle::Halted);
    }
    if (!machine_->Machine.Running) {
        EndCaseReplay();
    }
}

void TFormMain::EndCaseReplay() {
    if (replay_) {
        replay_.reset();
        clock_->StartOver({}, {});
    }
}
