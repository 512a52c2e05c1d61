#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/StepReport.h"
#include "core/UserInterface.h"
#include "marking/CheckRun.h"
#include "workbench/PeripheralWindows.h"
#include "workbench/RecentFiles.h"
#include "workbench/SourceEditor.h"
#include "workbench/TextPane.h"

class CheckPanel;
struct CaseReplay;
class Dialogs;
struct Exercise;
struct SliceReport;
class EditorText;
enum class ThemeId;
enum class HistoryStart : int;
struct StepBackHistory;
struct WindowMoment;
class FindReplace;
class Peripherals;
class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTimer;
class QToolButton;
class RunControl;
class RunLogPane;
class Scheduler;
class WholeMachine;
class SourceMarks;
class SourceHighlighter;
class SourcePrinter;
class TFormKeybIn;
class TFormRamHex;
class TformAboutBox;
class TformVdu;
class WindowArranger;
class WindowFrames;
class Taaa;

// The workbench: registers, tool and command buttons, the status line and the five tabs. It
// is the engine's user interface: every call of the engine lands here and becomes widgets.
class TFormMain : public QMainWindow, public UserInterface {
    Q_OBJECT
  public:
    explicit TFormMain(Dialogs& dialogs, QWidget* parent = nullptr);
    // The main window's frame at the first start; arranging never makes it smaller.
    static constexpr QSize StartSize{800, 600};
    ~TFormMain() override;

    // The engine and its devices, for the windows that show them and for tests.
    Taaa& Machine() { return *machine_; }
    RunControl& Control() { return *control_; }
    Peripherals& Devices() { return *devices_; }
    Scheduler& Clock() { return *clock_; }
    // Snapshot and Restore of all of them together.
    WholeMachine& Whole() { return *whole_; }
    PeripheralWindows& Windows() { return windows_; }
    // Breakpoints, the IP marker and error marks of the source editor.
    SourceMarks& Marks() { return *sourceMarks_; }

    // While an assembly is shown as it went, or IN 00 awaits a key, commands do nothing.
    bool Busy() const;
    // The frames of a watched assembly are still being shown.
    bool PlayingBack() const { return !asmFrames_.empty(); }
    // The current file as the save dialog holds it, "Untitled" when there is none.
    const QString& CurrentFileName() const { return saveFileName_; }
    const QString& OpenFileName() const { return openFileName_; }
    int StatusTicks() const { return statusTicks_; }
    bool KeepFocus = true;
    bool OneAtATime = false;

    // UserInterface
    std::string EditorSpan(int32_t start, int32_t length) const override;
    int64_t SourceTextLength() const override;
    bool SourceHasNoLines() const override;
    bool SaveSource() override;
    bool ReadSourceFile(std::string& bytes, size_t maxBytes) override;
    void ListFileChanged() override;
    void ClearAsmLog() override;
    void AsmLogLine(std::string_view text) override;
    void ClearTokenList() override;
    void TokenAdded(std::string_view text) override;
    void WatchToken(int line) override;
    void ProgramReplaced() override;
    void ClearRunLog() override;
    void RunLogLine(std::string_view text) override;
    void MessageBox(std::string_view text, MessageIcon icon) override;
    void Beep() override;

    // Shows what the machine has changed since the last time: after every command and step,
    // and once a tick of TimerClock while a program runs. After a watched assembly it waits
    // until the assembly has been played back.
    void ApplyReport();

    // The status line; the machine keeps it, so a message of the window's own goes there.
    void ShowStatus(std::string_view text, StatusStyle style);
    void ShowPeripheral(Peripheral window);
    void HidePeripheral(Peripheral window);
    bool IsPeripheralVisible(Peripheral window) const;
    void HideAllPeripherals();

    // Start-up: the settings, then the file named by the command line's arguments.
    void StartUp(const QStringList& arguments);
    static QString IniFileName();
    void LoadSettings();
    void SaveSettings();
    // The settings file's text as the windows and switches stand now.
    std::string SettingsText() const;

    // Source files.
    bool OpenSource(bool askUser);
    bool SaveSourceAs();
    void SetOpenFileName(const QString& name) { openFileName_ = name; }
    const RecentFiles& Recent() const { return recent_; }
    // A file of the Recent Files menu; one that has gone is dropped from the list.
    void OpenRecentFile(const QString& path);

    // Commands of the buttons and menus.
    void ButtonAssembleClick();
    void ButtonStepClick();
    // Undoes the last step, a step of a run too; a running program stops first.
    void ButtonStepBackClick();
    size_t StepsToUndo() const;
    void ButtonRunClick();
    void ButtonContinuousClick();
    void ButtonStopClick();
    void ButtonResetClick();
    void ButtonSlowClick();
    void ButtonFastClick();
    void ButtonIntervalReduceClick();
    void ButtonIntervalIncreaseClick();
    void ButtonShowRamClick();
    void MenuFileNewClick();
    void MenuFileOpenClick();
    void MenuFileSaveClick();
    void MenuFileSaveAsClick();
    void MenuExitClick();
    void MenuEditUndoClick();
    void MenuEditRedoClick();
    void MenuEditCopyClick();
    void MenuEditCutClick();
    void MenuEditPasteClick();
    void MenuEditSelectAllClick();
    void MenuFindClick();
    void MenuReplaceClick();
    void MenuPrintSourceClick();
    void MenuPrintListClick();
    void MenuPrintSetupClick();
    void MenuHideAllClick();
    void MenuHelpContentsClick();
    void MenuAboutClick();
    void ShowHelp(const QString& topic);
    void ToolCloseAllClick();
    void ToolForumClick();
    void EnlargeFontClick();
    void ReduceFontClick();
    void BoldFontClick();
    void LoadExample(const char* fileName);
    void ShowRamView(int view);
    void MenuToggleBreakpointClick();
    void MenuClearBreakpointsClick();
    void MenuRunToCursorClick();
    // View > Theme: the colours of every window; kept in the settings file.
    void ChooseTheme(ThemeId id);
    ThemeId CurrentTheme() const;
    // Window: the windows side by side, and whether new ones are placed beside the others.
    void MenuArrangeClick();
    void MenuPlaceNewBesideClick();
    void SetPlaceNewBeside(bool on);

    // Exercises: File, Open Exercise and the examples' exercises load one; Check marks the
    // editor's program against its cases on an engine of its own, leaving the window's machine
    // as it was; a failed case runs in the window as the checker ran it.
    void MenuOpenExerciseClick();
    bool LoadExercise(const QString& path);
    // An exercise of the examples, looked up by its bare name in the current folder, where
    // the examples are.
    void LoadExampleExercise(const char* fileName);
    void MenuCheckProgramClick();
    void RunCaseInWindow(int index);
    const Exercise* LoadedExercise() const { return exercise_.get(); }
    const std::vector<CaseOutcome>& CheckResults() const { return checkResults_; }

    // Puts what waits for the event loop into the list file, token list and run log now.
    void FlushPanes();

    // The machine's time: TimerClock calls TimerClockTimer with the real time passed since
    // its last call; tests call it with a time of their own.
    void TimerClockTimer(int64_t elapsedMs);
    // The instructions TimerClock's slices have executed since the window opened.
    int64_t StepsRun() const { return stepsRun_; }
    // One tick of either clock at once, outside simulated time.
    void TimerCPUTimer();
    void TimerHWTimer();
    void TimerStatusClearTimer();

    // Controls, named as the design names them.
    SourceEditor* memoSource = nullptr;
    QListWidget* ListBoxErrors = nullptr; // under the editor while there are errors
    QPlainTextEdit* MemoList = nullptr;
    QPlainTextEdit* MemoAsmLog = nullptr;
    QListWidget* ListBoxTokens = nullptr;
    RunLogPane* RichEdit1 = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QMenu* RecentFilesMenu = nullptr;
    QAction* PlaceNewBesideAction = nullptr;
    QWidget* TabSheetSourceCode = nullptr;
    QWidget* TabSheetListFile = nullptr;
    QWidget* TabSheetConfiguration = nullptr;
    QWidget* TabSheetTokens = nullptr;
    QWidget* TabSheetRunLog = nullptr;
    CheckPanel* TabSheetCheck = nullptr;
    QLabel* LabelCurrInstr = nullptr;
    QLabel* LabelRunning = nullptr;         // "RUNNING" while a continuous run goes on
    QLabel* LabelClock = nullptr;           // the CPU clock, "1000 ms · 1 step/s"
    std::array<QAction*, 3> ThemeActions{}; // by ThemeId
    std::array<QLabel*, 7> RegisterLabels{};
    QCheckBox* CheckBoxRunLog = nullptr;
    QCheckBox* CheckBoxAsmLog = nullptr;
    QCheckBox* CheckBoxCLO = nullptr;
    QCheckBox* CheckBoxPrintPause = nullptr;
    QGroupBox* GroupBoxHWT = nullptr;
    std::vector<QPushButton*> CommandButtons;
    std::vector<QToolButton*> ToolButtons;
    QTimer* TimerClock = nullptr;
    QTimer* TimerStatusClear = nullptr;
    QTimer* TimerAsmPlayback = nullptr;
    TFormRamHex* RamView = nullptr;
    TformVdu* Vdu = nullptr;
    TFormKeybIn* KeyboardInputWindow = nullptr;
    TformAboutBox* AboutBox = nullptr;
    // The version made from the executable's name.
    const QString VersionText;
    FindReplace* SearchDialogs() const { return findReplace_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // What the window showed at one token of an assembly watched through its log: the
    // selected row, how many rows of the token list and lines of the assembler log there
    // were, the list file when it had changed, and the report's status line, editor and
    // window commands since the frame before.
    struct AssemblyFrame {
        int Row = 0;
        qsizetype Tokens = 0;
        qsizetype LogLines = 0;
        std::optional<QString> ListFile;
        StepReport View;
    };

    // Construction, in the order the window is built.
    void BuildPanelTop(QWidget* panel);
    void BuildCommandButtons(QWidget* panel, int shift);
    void BuildToolButtons(QWidget* panel, int shift);
    void BuildRunningAndClock(QWidget* panel);
    void BuildTabs();
    QWidget* SourceCodeSheet();
    void BuildMenus();
    void BuildThemeMenu(QMenu* view);
    void BuildTimers();
    void CreateToolWindows();
    // The two log switches of the Configuration tab, pushed into the machine as they change.
    void FollowLogSwitches();
    QWidget* PlacedWindow(std::optional<Peripheral> window);

    // Runs a command unless the window is busy.
    void Command(void (*handler)(TFormMain&));
    bool AskToSaveChanges(const QString& question);
    bool LoadFile(const QString& path);
    void OpenFromCommandLine(const QString& name);
    QByteArray ReadSettingsBytes();
    bool WriteFile(const QString& path);
    void RememberFile(const QString& path);
    void RefreshRecentFilesMenu();
    void SetCaption(const QString& name);
    // The report's parts, applied to the widgets.
    void Apply(EditorCommand command);
    void Apply(const WindowCommand& command);
    void ApplyStatus(const StatusReport& status);
    void SayWhyRunEnded(StepReport& report) const;
    void ApplyRegisters(const StepReport& report);
    void ApplyCells(const StepReport& report);
    void ShowSourceStatus(int32_t start, int32_t length);
    void ShowMessageStatus(std::string_view text, StatusStyle style);
    void SelectSource(int32_t start, int32_t length);
    void SetEditorReadOnly(bool readOnly);
    void SetEditorGrey(bool grey);
    void ClearEditorModified();
    void FocusEditor();
    void EnterEditMode();
    void ShowSourceTab();
    void ShowTokensTab();
    void ShowRegister(int index);
    void ShowStatusText(const QString& text, StatusStyle style);
    void PaintRegistersFace();
    void PaintRegister(int index);
    void PaintStatusLine(StatusStyle style);
    void PaintPanes();
    void PaintEditor();
    void ShowRunning();
    void ShowClock();
    static bool ModalWindowOpen();
    // The machine's clocks wait while a box is open or an assembly is played back.
    bool ClocksHeldByWindow() const;
    void ApplyReport(StepReport& report);
    QString ListFileText() const;
    void RefreshListFile();
    void FlushTokenList();
    void FlushAsmLog();
    void ShowWaitingTokens(qsizetype count);
    void ShowWaitingAsmLog(qsizetype count);
    void PlayAssemblyFrame();
    void EndAssemblyPlayback();
    // Step Back's history: a moment after every step, and the step undone.
    void RestartHistory(HistoryStart why);
    void RecordStep();
    void RecordMoment();
    SelectionReport SelectionAtIp() const;
    const char* StepBackRefusal() const;
    void RestoreWindows(const WindowMoment& moment);
    void ApplyFontSize(int points);
    void ApplyTabStops();
    std::vector<QWidget*> FontPanes() const;
    void OnActivated(QWidget* previous);
    void ReturnFocusFromToolWindow();
    // The case's limit counts the steps of a case run in the window; at it the run stops.
    int64_t CaseStepsAllowed() const;
    void CountCaseSteps(const SliceReport& slice);
    // The scheduler goes back to the window's own: no case's events and keys.
    void EndCaseReplay();

    Dialogs& dialogs_;
    PeripheralWindows windows_;
    std::unique_ptr<Taaa> machine_;
    std::unique_ptr<Peripherals> devices_;
    std::unique_ptr<RunControl> control_;
    std::unique_ptr<Scheduler> clock_;
    std::unique_ptr<WholeMachine> whole_;
    std::unique_ptr<StepBackHistory> history_;
    QElapsedTimer realTime_;
    int64_t realMs_ = 0;   // realTime_ at TimerClock's last tick
    int64_t owedMs_ = 0;   // real time that simulated time has still to catch up
    bool inSlice_ = false; // TimerClockTimer is running the machine
    int64_t stepsRun_ = 0;
    EditorText* editorText_ = nullptr;
    WindowFrames* frames_ = nullptr;
    WindowArranger* arranger_ = nullptr;
    std::unique_ptr<SourcePrinter> printer_;
    FindReplace* findReplace_ = nullptr;
    SourceMarks* sourceMarks_ = nullptr;
    SourceHighlighter* highlighter_ = nullptr;
    RecentFiles recent_;

    QString saveFileName_ = QStringLiteral("Untitled");
    QString openFileName_ = QStringLiteral("Untitled");
    int statusTicks_ = 0;
    unsigned yellowRegisters_ = 0; // one bit per register label painted yellow
    bool editorGrey_ = false;
    bool runGoing_ = false; // a run went on when the last report was applied
    bool runShown_ = false; // the RUNNING mark and the editor's running tint are shown
    StatusStyle statusStyle_ = StatusStyle::Blank;
    bool firstActivation_ = true;
    bool listFileStale_ = false;
    QStringList pendingTokens_;
    QStringList pendingAsmLog_;
    qsizetype asmLogShown_ = 0;
    std::vector<AssemblyFrame> asmFrames_;
    size_t nextAsmFrame_ = 0;
    QPointer<QWidget> lastActiveWindow_;
    std::unique_ptr<Exercise> exercise_;
    std::vector<CaseOutcome> checkResults_;
    std::unique_ptr<CaseReplay> replay_;
};
