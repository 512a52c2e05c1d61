#include "workbench/TFormMain.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabWidget>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>
#include <map>

#include "core/Assem.h"
#include "core/RunControl.h"
#include "core/Scheduler.h"
#include "devices/Peripherals.h"
#include "devices/WholeMachine.h"
#include "marking/Exercise.h"
#include "workbench/Accessibility.h"
#include "workbench/CaseReplay.h"
#include "workbench/CheckPanel.h"
#include "workbench/DeviceWindows.h"
#include "workbench/Dialogs.h"
#include "workbench/EditorText.h"
#include "workbench/FindReplace.h"
#include "workbench/Fonts.h"
#include "workbench/LineGutter.h"
#include "workbench/MainWindowTables.h"
#include "workbench/RunLogPane.h"
#include "workbench/SourceHighlighter.h"
#include "workbench/SourceMarks.h"
#include "workbench/SourcePrinter.h"
#include "workbench/StepBack.h"
#include "workbench/TFormKeybIn.h"
#include "workbench/TFormRamHex.h"
#include "workbench/TextPane.h"
#include "workbench/TformAboutBox.h"
#include "workbench/Themes.h"
#include "workbench/WindowArranger.h"
#include "workbench/WindowFrames.h"
#include "workbench/devices/TformVdu.h"

namespace {

constexpr int PanelTopHeight = 113;
constexpr int CommandButtonWidth = 60;
constexpr int ButtonHeight = 23;
constexpr int FirstCommandColumn = 432;
constexpr int StartFontSize = 10;
constexpr int StatusClearInterval = 333;
constexpr int AsmPlaybackInterval = 5; // ms a token of a watched assembly shows
constexpr int ClockTurnInterval = 10;
constexpr int RunningRowTop = 92;
constexpr int RunningRowHeight = 19;
constexpr int ClockWidth = 170;

const char* const RegisterHints[RegisterCount] = {
    "General Purpose Register", "General Purpose Register", "General Purpose Register",
    "General Purpose Register", "Instruction Pointer",      "Stack Pointer",
    "Status Register"};

constexpr int RegisterBoxWidth = 141;
// Inside the box's one-pixel bevel, a pixel from it.
constexpr int RegisterLabelLeft = 2;

// Wide enough for "AL 00000000 00 +000" in the font as the machine has it.
int RegisterLabelWidth() {
    const QFontMetricsF metrics(CourierNew(9));
    return static_cast<int>(
        std::ceil(metrics.horizontalAdvance(QStringLiteral("AL 00000000 00 +000"))));
}

// The narrowest width at which the style shows the caption whole: the caption and the
// style's frame around it, without the minimum width the style would rather give a button.
int CaptionWidth(const QPushButton& button) {
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    const QRect contents =
        button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button);
    return button.fontMetrics().size(Qt::TextShowMnemonic, button.text()).width() +
           option.rect.width() - contents.width();
}

QLabel* RegisterLabel(QWidget* box, int row, const QString& hint) {
    auto* label = new QLabel(box);
    label->setFont(CourierNew(9));
    label->setGeometry(RegisterLabelLeft, 5 + 16 * row, RegisterLabelWidth(), 16);
    label->setToolTip(hint);
    label->setAutoFillBackground(true);
    return label;
}

QFrame* BevelledBox(QWidget* panel, int x, int width) {
    auto* box = new QFrame(panel);
    box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    box->setGeometry(x, 3, width, 70);
    return box;
}

template <typename Pane = TextPane> Pane* NewTextPane(bool readOnly) {
    auto* pane = new Pane;
    pane->setReadOnly(readOnly);
    pane->setLineWrapMode(QPlainTextEdit::NoWrap);
    pane->setFont(CourierNew(StartFontSize));
    return pane;
}

} // namespace

TFormMain::TFormMain(Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), VersionText(VersionFromFileName(QApplication::applicationFilePath())),
      dialogs_(dialogs) {
    setWindowTitle(saveFileName_);
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* panelTop = new QWidget(central);
    panelTop->setObjectName("PanelTop");
    panelTop->setFixedHeight(PanelTopHeight);
    panelTop->setFont(CourierNew(10));
    BuildPanelTop(panelTop);
    layout->addWidget(panelTop);
    PageControl1 = new QTabWidget(central);
    layout->addWidget(PageControl1);
    setCentralWidget(central);
    BuildTabs();
    printer_ = std::make_unique<SourcePrinter>(dialogs_, this);
    findReplace_ = new FindReplace(*memoSource, dialogs_, this);
    // The status-clear timer leaves the focus alone while a search dialog is open.
    connect(findReplace_, &FindReplace::VisibilityChanged, this,
            [this](bool anyVisible) { KeepFocus = !anyVisible; });
    BuildMenus();
    CreateToolWindows();
    BuildTimers();
    ApplyTabStops();
    frames_ = new WindowFrames(this);
    arranger_ = new WindowArranger(*this, *panelTop, StartSize, *frames_, windows_);
    MakeAccessible(*this);
    ShowClock();
    resize(StartSize);
    qApp->installEventFilter(this);
}

TFormMain::~TFormMain() = default;

void TFormMain::BuildPanelTop(QWidget* panel) {
    // Only where the register texts would be cut do the boxes grow, and everything to their
    // right moves with them.
    const int boxWidth = std::max(RegisterBoxWidth, RegisterLabelWidth() + 2 * RegisterLabelLeft);
    const int shift = 2 * (boxWidth - RegisterBoxWidth);
    QFrame* left = BevelledBox(panel, 3, boxWidth);
    QFrame* right = BevelledBox(panel, 4 + boxWidth, boxWidth);
    for (int index = 0; index < RegisterCount; ++index) {
        QWidget* box = index < IP ? left : right;
        RegisterLabels[index] = RegisterLabel(box, index % 4, RegisterHints[index]);
    }
    QLabel* flags = RegisterLabel(right, 3, "Status Flags");
    flags->setText("      ISOZ");
    flags->setAutoFillBackground(false);

    BuildToolButtons(panel, shift);
    BuildCommandButtons(panel, shift);

    LabelCurrInstr = new QLabel(panel);
    LabelCurrInstr->setAutoFillBackground(true);
    LabelCurrInstr->setGeometry(1, 74, width() - 2, 16);
    BuildRunningAndClock(panel);
    panel->installEventFilter(this); // keeps the status line as wide as the panel less 2

    CheckBoxRunLog = new QCheckBox("&Write Run Log", panel);
    CheckBoxRunLog->setToolTip("TOGGLE CPU LOGGING ON/OFF");
    CheckBoxRunLog->move(3, 91);
    CheckBoxAsmLog = new QCheckBox("Log Assem&bler Activity", panel);
    CheckBoxAsmLog->setToolTip("WATCH ASSEMBLER ACTIVITY");
    CheckBoxAsmLog->move(4 + boxWidth, 91);
    for (QCheckBox* box : {CheckBoxRunLog, CheckBoxAsmLog}) {
        box->setFont(MsSansSerif(9));
        box->adjustSize();
        box->setFocusPolicy(Qt::TabFocus);
    }
}

// In the row of the log switches: the clock under Slower and Faster, and the mark of a run at
// the status line's right end.
void TFormMain::BuildRunningAndClock(QWidget* panel) {
    const auto slower = std::find_if(CommandButtons.begin(), CommandButtons.end(),
                                     [](const QPushButton* b) { return b->text() == "S&lower"; });
    LabelClock = new QLabel(panel);
    LabelClock->setObjectName("LabelClock");
    LabelClock->setFont(MsSansSerif(9));
    LabelClock->setToolTip("CPU CLOCK: INTERVAL AND STEPS A SECOND");
    LabelClock->setGeometry((*slower)->x(), RunningRowTop, ClockWidth, RunningRowHeight);
    LabelRunning = new QLabel("RUNNING", panel);
    LabelRunning->setObjectName("LabelRunning");
    QFont bold = MsSansSerif(9);
    bold.setBold(true);
    LabelRunning->setFont(bold);
    LabelRunning->setAlignment(Qt::AlignCenter);
    LabelRunning->setAutoFillBackground(true);
    LabelRunning->resize(LabelRunning->sizeHint().width() + 16, RunningRowHeight);
    LabelRunning->move(panel->width() - 1 - LabelRunning->width(), RunningRowTop);
    LabelRunning->hide();
}

void TFormMain::BuildToolButtons(QWidget* panel, int shift) {
    for (const ToolButtonEntry& entry : ToolButtonTable()) {
        auto* button = new QToolButton(panel);
        const QSize picture = ToolPictureSize(entry.Picture);
        button->setGeometry(entry.X + shift, entry.Y, ButtonHeight, picture.height() + 4);
        button->setIcon(ToolButtonIcon(entry.Picture));
        button->setIconSize(picture);
        // The pictures' dark ink needs the light face they were drawn for, in every theme.
        button->setPalette(FixedSystemPalette());
        button->setToolTip(entry.Hint);
        button->setFocusPolicy(Qt::NoFocus);
        const MainCommand handler = entry.Handler;
        connect(button, &QToolButton::clicked, this, [this, handler] { Command(handler); });
        ToolButtons.push_back(button);
    }
}

// A column is 60 wide, or as wide as its widest caption needs where 60 would cut it; the next
// column moves with it.
void TFormMain::BuildCommandButtons(QWidget* panel, int shift) {
    std::map<int, int> columnWidths;
    for (const CommandButtonEntry& entry : CommandButtonTable()) {
        auto* button = new QPushButton(entry.Caption, panel);
        button->setFont(MsSansSerif(9));
        button->setToolTip(entry.Hint);
        button->setFocusPolicy(Qt::TabFocus);
        const MainCommand handler = entry.Handler;
        connect(button, &QPushButton::clicked, this, [this, handler] { Command(handler); });
        CommandButtons.push_back(button);
        int& width = columnWidths[entry.Column];
        width = std::max({width, CommandButtonWidth, CaptionWidth(*button)});
    }
    std::map<int, int> columnX;
    int x = FirstCommandColumn + shift;
    for (const auto& [column, width] : columnWidths) {
        columnX[column] = x;
        x += width + 1;
    }
    for (size_t i = 0; i < CommandButtons.size(); ++i) {
        const CommandButtonEntry& entry = CommandButtonTable()[i];
        CommandButtons[i]->setGeometry(columnX[entry.Column], 3 + 23 * entry.Row,
                                       columnWidths[entry.Column], ButtonHeight);
    }
}

void TFormMain::BuildTabs() {
    memoSource = NewTextPane<SourceEditor>(false);
    memoSource->setTabChangesFocus(false);
    editorText_ = new EditorText(memoSource->document());
    highlighter_ = new SourceHighlighter(memoSource->document());
    connect(memoSource->document(), &QTextDocument::contentsChange, this,
            [this](int, int removed, int added) {
                if ((removed != 0 || added != 0) && machine_) {
                    machine_->Machine.NeedsAssembly = true;
                }
            });
    MemoList = NewTextPane(true);
    PaintPanes();
    MemoAsmLog = NewTextPane(true);
    MemoAsmLog->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListBoxTokens = new QListWidget;
    ListBoxTokens->setFont(CourierNew(StartFontSize));
    ListBoxTokens->setUniformItemSizes(true);
    RichEdit1 = new RunLogPane;
    RichEdit1->setFont(CourierNew(StartFontSize));

    TabSheetSourceCode = SourceCodeSheet();
    TabSheetListFile = MemoList;
    auto* splitter = new QSplitter(Qt::Vertical);
    splitter->addWidget(MemoAsmLog);
    splitter->addWidget(ListBoxTokens);
    // The log keeps its 185 pixels from the start, whatever height the window is given; the
    // token list takes the rest.
    splitter->setSizes({185, 300});
    splitter->setStretchFactor(1, 1);
    splitter->setChildrenCollapsible(false);
    TabSheetTokens = splitter;
    TabSheetRunLog = RichEdit1;

    TabSheetConfiguration = new QWidget;
    TabSheetConfiguration->setFont(MsSansSerif(9));
    GroupBoxHWT = new QGroupBox(TabSheetConfiguration);
    GroupBoxHWT->setToolTip("INTERVAL BETWEEN HARDWARE TIMER INTERRUPTS");
    GroupBoxHWT->setGeometry(8, 8, 260, 56);
    auto* reduce = new QPushButton("Reduce", GroupBoxHWT);
    reduce->setGeometry(16, 22, 100, 25);
    connect(reduce, &QPushButton::clicked, this,
            [this] { Command([](TFormMain& form) { form.ButtonIntervalReduceClick(); }); });
    auto* increase = new QPushButton("Increase", GroupBoxHWT);
    increase->setGeometry(140, 22, 100, 25);
    connect(increase, &QPushButton::clicked, this,
            [this] { Command([](TFormMain& form) { form.ButtonIntervalIncreaseClick(); }); });
    CheckBoxCLO = new QCheckBox("Show only one peripheral at a time", TabSheetConfiguration);
    CheckBoxCLO->setToolTip("SELECT TO MINIMISE SCREEN CLUTTER");
    CheckBoxCLO->move(8, 76);
    CheckBoxCLO->adjustSize();
    connect(CheckBoxCLO, &QCheckBox::toggled, this, [this](bool on) { OneAtATime = on; });
    CheckBoxPrintPause = new QCheckBox("Pause before printing each page.", TabSheetConfiguration);
    CheckBoxPrintPause->setToolTip("SELECT IF YOU FEED PRINTER PAPER MANUALLY");
    CheckBoxPrintPause->move(8, 100);
    CheckBoxPrintPause->adjustSize();

    PageControl1->addTab(TabSheetSourceCode, "So&urce Code");
    PageControl1->addTab(TabSheetListFile, "L&ist File");
    PageControl1->addTab(TabSheetConfiguration, "&Configuration");
    PageControl1->addTab(TabSheetTokens, "To&kens");
    PageControl1->addTab(TabSheetRunLog, "Run Lo&g");
    // Every letter of "Check" is already another command's.
    TabSheetCheck = new CheckPanel;
    PageControl1->addTab(TabSheetCheck, "Check");
    connect(TabSheetCheck, &CheckPanel::CheckRequested, this,
            [this] { Command([](TFormMain& form) { form.MenuCheckProgramClick(); }); });
    connect(TabSheetCheck, &CheckPanel::RunCaseRequested, this, [this](int index) {
        if (!Busy()) {
            RunCaseInWindow(index);
        }
    });
    PageControl1->tabBar()->setFont(MsSansSerif(StartFontSize));
    PageControl1->setFocusPolicy(Qt::NoFocus);
    connect(PageControl1, &QTabWidget::currentChanged, this, [this](int) {
        QWidget* page = PageControl1->currentWidget();
        QWidget* focus = page == TabSheetTokens ? ListBoxTokens : page;
        if (page != TabSheetConfiguration) {
            focus->setFocus();
        }
    });
}

// The editor over the list of the errors it marks.
QWidget* TFormMain::SourceCodeSheet() {
    ListBoxErrors = new QListWidget;
    ListBoxErrors->setFont(MsSansSerif(9));
    ListBoxErrors->setToolTip("ERRORS: CLICK ONE TO SELECT ITS PLACE");
    auto* sheet = new QWidget;
    auto* layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(memoSource);
    layout->addWidget(ListBoxErrors);
    sheet->setFocusProxy(memoSource);
    return sheet;
}

void TFormMain::BuildMenus() {
    std::map<QString, QMenu*> menus;
    for (const MenuEntry& entry : MenuTable()) {
        QMenu*& menu = menus[entry.Menu];
        if (!menu) {
            menu = menuBar()->addMenu(entry.Menu);
        }
        if (!entry.Caption) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(entry.Caption);
        action->setShortcut(QKeySequence(entry.Shortcut));
        action->setEnabled(entry.Handler != nullptr);
        const MainCommand handler = entry.Handler;
        if (entry.WhileBusy) {
            connect(action, &QAction::triggered, this, [this, handler] { handler(*this); });
        } else {
            connect(action, &QAction::triggered, this, [this, handler] { Command(handler); });
        }
    }
    // Undo and Redo are offered while the editor has an edit to take back or make again.
    for (QAction* action : menus["E&dit"]->actions()) {
        const QString caption = action->text();
        if (caption == "&Undo" || caption == "Re&do") {
            action->setEnabled(false);
            connect(memoSource->document(),
                    caption == "&Undo" ? &QTextDocument::undoAvailable
                                       : &QTextDocument::redoAvailable,
                    action, &QAction::setEnabled);
        }
    }
    // The option shows whether it is on.
    for (QAction* action : menus["Window"]->actions()) {
        if (action->text() == "&Place New Windows Beside the Workbench") {
            action->setCheckable(true);
            PlaceNewBesideAction = action;
        }
    }
    // Recent Files follows Save As.
    RecentFilesMenu = new QMenu("Recent &Files", this);
    QMenu* file = menus["&File"];
    const QList<QAction*> fileActions = file->actions();
    for (qsizetype i = 0; i + 1 < fileActions.size(); ++i) {
        if (fileActions[i]->text() == "Save &As") {
            file->insertMenu(fileActions[i + 1], RecentFilesMenu);
        }
    }
    RefreshRecentFilesMenu();
    BuildThemeMenu(menus["&View"]);
    // Alt+X, Alt+Y and Alt+Z pick the RAM view's hexadecimal, ASCII and source views.
    const char* const viewKeys[] = {"Alt+X", "Alt+Y", "Alt+Z"};
    for (int view = 0; view < 3; ++view) {
        auto* action = new QAction(this);
        action->setShortcut(QKeySequence(viewKeys[view]));
        connect(action, &QAction::triggered, this, [this, view] { ShowRamView(view); });
        addAction(action);
    }
}

void TFormMain::FollowLogSwitches() {
    EngineSettings& settings = machine_->Settings;
    settings.LogInterrupts = true; // the window's run log follows a program into its handlers
    settings.RunLog = CheckBoxRunLog->isChecked();
    settings.AsmLog = CheckBoxAsmLog->isChecked();
    connect(CheckBoxRunLog, &QCheckBox::toggled, this,
            [&settings](bool on) { settings.RunLog = on; });
    connect(CheckBoxAsmLog, &QCheckBox::toggled, this,
            [&settings](bool on) { settings.AsmLog = on; });
}

// The machine and its devices first, then the windows that show them.
void TFormMain::CreateToolWindows() {
    machine_ = std::make_unique<Taaa>(*this);
    devices_ = std::make_unique<Peripherals>(*machine_, machine_->Ui, machine_->Ports);
    control_ = std::make_unique<RunControl>(*machine_);
    FollowLogSwitches();

    AboutBox = new TformAboutBox(this, VersionText);
    connect(AboutBox, &TformAboutBox::LinkFailed, this, [this](const QString& message) {
        dialogs_.Message(AboutBox, message, QMessageBox::Warning);
    });
    // F1 in a window opens the manual's section on it.
    const auto offerHelp = [this](ToolWindow* window, const char* topic) {
        window->SetHelpTopic(topic);
        connect(window, &ToolWindow::HelpRequested, this, &TFormMain::ShowHelp);
    };
    KeyboardInputWindow = new TFormKeybIn(this);
    connect(KeyboardInputWindow, &TFormKeybIn::KeyTaken, this, [this](uint8_t code) {
        machine_->SupplyKey(code);
        RecordStep();
        ApplyReport();
    });
    windows_.Register(Peripheral::KeyboardInput, KeyboardInputWindow);
    RamView = new TFormRamHex(this);
    RamView->SetMachine(&machine_->Machine);
    windows_.Register(Peripheral::RamView, RamView);
    offerHelp(RamView, "ram-view");
    for (const DeviceWindowRow& row : DeviceWindowTable()) {
        ToolWindow* window = row.Make(*this);
        windows_.Register(row.Window, window);
        offerHelp(window, row.HelpTopic);
    }
    Vdu = static_cast<TformVdu*>(windows_.Window(Peripheral::Vdu));
    ApplyReport(); // the registers as the machine starts, without marks
    PaintRegistersFace();
}

// One timer drives the machine: the CPU clock, the hardware timer and the device timers all
// run in the scheduler's simulated time, which follows the real time.
void TFormMain::BuildTimers() {
    ClockHooks hooks;
    hooks.AfterStep = [this] { RecordStep(); };
    clock_ =
        std::make_unique<Scheduler>(*machine_, *control_, devices_->Timers(), std::move(hooks));
    whole_ = std::make_unique<WholeMachine>(*machine_, *control_, *devices_, *clock_);
    history_ = std::make_unique<StepBackHistory>();
    RestartHistory(HistoryStart::WindowOpened);
    TimerClock = new QTimer(this);
    TimerClock->setInterval(ClockTurnInterval);
    connect(TimerClock, &QTimer::timeout, this, [this] {
        const int64_t now = realTime_.elapsed();
        TimerClockTimer(now - realMs_);
        realMs_ = now;
    });
    GroupBoxHWT->setTitle(QString::fromStdString(control_->HwTimerCaption()));
    TimerStatusClear = new QTimer(this);
    TimerStatusClear->setInterval(StatusClearInterval);
    connect(TimerStatusClear, &QTimer::timeout, this, &TFormMain::TimerStatusClearTimer);
    for (QTimer* timer : findChildren<QTimer*>(Qt::FindDirectChildrenOnly)) {
        timer->start();
    }
    realTime_.start();
    // Started by the first frame of a watched assembly, stopped after its last.
    TimerAsmPlayback = new QTimer(this);
    TimerAsmPlayback->setInterval(AsmPlaybackInterval);
    connect(TimerAsmPlayback, &QTimer::timeout, this, &TFormMain::PlayAssemblyFrame);
    sourceMarks_ = new SourceMarks(*memoSource, *editorText_, *machine_, *clock_, *ListBoxErrors);
    connect(&memoSource->Gutter(), &LineGutter::LineClicked, this, [this](int line) {
        if (!Busy()) {
            sourceMarks_->Toggle(line);
        }
    });
}
