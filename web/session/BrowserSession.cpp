#include "web/session/BrowserSession.h"

#include <algorithm>
#include <sstream>
#include <utility>

#include "assembler/RegisterText.h"
#include "core/RunEndStatus.h"
#include "core/VirtualClock.h"
#include "devices/DeviceTable.h"
#include "devices/DeviceWords.h"
#include "devices/pictures/VduPicture.h"
#include "marking/RunReport.h"

namespace {

// As the desktop's clock turn: simulated time catches up by no more than this at a call.
constexpr int64_t MaxCatchUpMs = 100;

} // namespace

// Step Back keeps a moment after every step, whoever made it.
ClockHooks BrowserSession::Hooks() {
    ClockHooks hooks;
    hooks.AfterStep = [this] { RecordStep(); };
    return hooks;
}

BrowserSession::BrowserSession() : clock_(machine_, control_, devices_.Timers(), Hooks()) {
    FollowDevices();
    RestartHistory(HistoryStart::WindowOpened);
    // The first report shows the whole machine as it starts, without marks.
    StepReport& report = machine_.Report;
    report.EveryCellChanged();
    report.RegisterChanged.fill(true);
    report.RegisterMarked.fill(false);
}

// A device's window redraws whenever its model changes; the page hears of it at the next
// report.
void BrowserSession::FollowDevices() {
    const auto follow = [this](ChangeNotifier& model, Peripheral window) {
        model.OnChange = [this, window] { devicesChanged_.set(static_cast<size_t>(window)); };
    };
    follow(devices_.Lights, Peripheral::TrafficLights);
    follow(devices_.Digits, Peripheral::SevenSegment);
    follow(devices_.Heating, Peripheral::Heater);
    follow(devices_.Snake, Peripheral::Maze);
    follow(devices_.Motor, Peripheral::Stepper);
    follow(devices_.Car, Peripheral::Lift);
}

void BrowserSession::SetSource(std::string_view text) {
    if (text == text_) {
        return;
    }
    text_.assign(text);
    page_ = PageText(text);
    HeadlessUi::SetSource(page_.Source());
    machine_.Machine.NeedsAssembly = true;
}

void BrowserSession::ButtonAssembleClick() {
    machine_.ButtonAssembleClick();
}

// A step that changed nothing (refused, or HALT again) leaves nothing to undo.
void BrowserSession::ButtonStepClick() {
    machine_.ButtonStepClick();
    if (!(whole_.Snapshot() == moments_.Newest().Machine.Machine)) {
        RecordStep();
    }
}

bool BrowserSession::CanStepBack() const {
    return StepBackRefusal() == nullptr;
}

const char* BrowserSession::StepBackRefusal() const {
    return ::StepBackRefusal(moments_.Size(), moments_.Dropped(), began_,
                             machine_.Machine.NeedsAssembly);
}

// A running program stops first. The step's moment goes, and the one before it comes back.
void BrowserSession::ButtonStepBackClick() {
    if (const char* refusal = StepBackRefusal()) {
        machine_.ShowStatus(refusal, StatusStyle::Error);
        return;
    }
    if (machine_.Machine.Running) {
        control_.ButtonStopClick();
    }
    moments_.Pop();
    const Moment& moment = moments_.Newest();
    RestoreMoment(moment.Machine, whole_, machine_);
    RestoreWindows(moment);
    runLogLines_ = moment.RunLogLines;
    pending_.RunLogKept = runLogLines_;
    pending_.RunLog.clear();
}

// The keyboard input window is left alone: no moment is kept while it waits for a key.
void BrowserSession::RestoreWindows(const Moment& moment) {
    StepReport& report = machine_.Report;
    report.Windows.clear();
    for (size_t window = 0; window < PeripheralCount; ++window) {
        const auto peripheral = static_cast<Peripheral>(window);
        if (peripheral != Peripheral::KeyboardInput) {
            report.ShowWindow(moment.Visible.test(window) ? WindowCommandKind::ShowRegardless
                                                          : WindowCommandKind::Hide,
                              peripheral);
        }
    }
    for (const WindowCommand& command : moment.PendingWindows) {
        report.ShowWindow(command.Kind, command.Window);
    }
}

void BrowserSession::SetWindowVisible(Peripheral window, bool visible) {
    visible_.set(static_cast<size_t>(window), visible);
}

void BrowserSession::ButtonRunClick() {
    clock_.StopAtEveryBreakpoint(); // from the top again, even at the breakpoint last stopped at
    control_.ButtonRunClick();
    RestartHistory(HistoryStart::Run);
}

void BrowserSession::ButtonContinuousClick() {
    control_.ButtonContinuousClick();
}

void BrowserSession::ButtonStopClick() {
    const bool running = machine_.Machine.Running;
    control_.ButtonStopClick();
    if (running) {
        machine_.ShowStatus(StoppedByUserText, StatusStyle::Halted);
    }
}

void BrowserSession::ButtonResetClick() {
    control_.ButtonResetClick();
    RestartHistory(HistoryStart::CpuReset);
}

void BrowserSession::ButtonSlowClick() {
    control_.ButtonSlowClick();
}

void BrowserSession::ButtonFastClick() {
    control_.ButtonFastClick();
}

void BrowserSession::ButtonIntervalReduceClick() {
    control_.ButtonIntervalReduceClick();
}

void BrowserSession::ButtonIntervalIncreaseClick() {
    control_.ButtonIntervalIncreaseClick();
}

void BrowserSession::RunFor(int64_t ms) {
    owedMs_ = std::min(owedMs_ + std::max<int64_t>(ms, 0), MaxCatchUpMs);
    const int64_t start = clock_.NowMs();
    const SliceReport slice = clock_.RunFor(owedMs_);
    owedMs_ -= clock_.NowMs() - start;
    if (slice.How == SliceEnd::Breakpoint) {
        machine_.ShowStatus(code_.BreakpointStopText(machine_.Machine.RegisterLow(IP)),
                            StatusStyle::Progress);
    }
}

void BrowserSession::HoldClocks(bool held) {
    clock_.ClocksHeld = held;
}

void BrowserSession::SupplyKey(uint8_t code) {
    if (machine_.AwaitingKey()) {
        machine_.SupplyKey(code);
        RecordStep();
    }
}

// Step Back's history, kept as the desktop keeps it: a moment after every step.
void BrowserSession::RestartHistory(HistoryStart why) {
    moments_.Clear();
    began_ = why;
    RecordMoment();
}

// IN 00's step ends when its key comes: the moment is kept then.
void BrowserSession::RecordStep() {
    if (!machine_.AwaitingKey()) {
        RecordMoment();
    }
}

// The selection a step leaves alone is the one the moment before it had.
void BrowserSession::RecordMoment() {
    const SelectionReport shown =
        moments_.Size() > 0 ? moments_.Newest().Machine.Selection : SelectionAtIp();
    Moment& moment = moments_.Push();
    TakeMoment(moment.Machine, whole_, machine_, shown);
    moment.Visible = visible_;
    moment.PendingWindows = machine_.Report.Windows;
    moment.RunLogLines = runLogLines_;
}

SelectionReport BrowserSession::SelectionAtIp() const {
    const HeldSpan& span = machine_.Machine.HeldSource(machine_.Machine.Reg[IP]);
    return {span.Start, span.Length};
}

SessionReport BrowserSession::TakeReport() {
    FollowAssembly();
    ForgetRunToAfterRun();
    SayWhyRunEnded();
    SessionReport shown = std::move(pending_);
    pending_ = {};
    const StepReport& report = machine_.Report;
    TakeCommands(shown);
    TakeStatus(shown);
    TakeRegisters(shown);
    for (size_t address = 0; address < report.CellsChanged.size(); ++address) {
        if (report.CellsChanged.test(address)) {
            shown.CellsChanged.push_back(static_cast<int>(address));
        }
    }
    if (report.VduChanged) {
        devicesChanged_.set(static_cast<size_t>(Peripheral::Vdu));
    }
    for (size_t window = 0; window < DeviceWindowCount; ++window) {
        if (devicesChanged_.test(window)) {
            shown.DevicesChanged.push_back(static_cast<Peripheral>(window));
        }
    }
    devicesChanged_.reset();
    shown.KeyAwaited = report.KeyAwaited;
    shown.Ended = report.Ended;
    runGoing_ = machine_.Machine.Running || machine_.ResumeAfterInput;
    shown.Running = runGoing_;
    shown.TokensChanged = std::exchange(tokensChanged_, false);
    shown.ListChanged = std::exchange(listChanged_, false);
    if (shown.AsmLogChanged) {
        shown.AsmLog = AsmLogLines();
    }
    shown.Errors = NewErrorMarks();
    machine_.Report.Clear();
    return shown;
}

// Into the engine's report, so the engine's status line agrees with the page's.
void BrowserSession::SayWhyRunEnded() {
    StepReport& report = machine_.Report;
    if (report.Ended == RunEnd::None) {
        return;
    }
    if (const std::optional<EndStatus> status =
            RunEndStatus(report.Ended, runGoing_, report.LastError)) {
        report.ShowMessage(status->Text, status->Style);
    }
}

void BrowserSession::TakeCommands(SessionReport& shown) {
    const StepReport& report = machine_.Report;
    shown.Editor.assign(report.Editor.begin(), report.Editor.end());
    shown.Windows.assign(report.Windows.begin(), report.Windows.end());
    for (const WindowCommand& command : report.Windows) {
        ApplyWindowCommand(command, visible_);
    }
    if (report.SelectionChanged) {
        const int32_t start = page_.PageOffset(report.Selection.Start);
        const int32_t end = page_.PageOffset(report.Selection.Start + report.Selection.Length);
        shown.Selection = SelectionReport{start, end - start};
    }
}

void BrowserSession::TakeStatus(SessionReport& shown) const {
    const StepReport& report = machine_.Report;
    if (report.StatusChanged) {
        shown.Status = ShownStatus{report.Status.Style, StatusTextOf(report.Status)};
    }
}

// A step marks the registers it writes yellow; the next step paints them back first.
void BrowserSession::TakeRegisters(SessionReport& shown) {
    const StepReport& report = machine_.Report;
    if (report.ClearsMarks) {
        marked_.fill(false);
    }
    for (size_t index = 0; index < RegisterCount; ++index) {
        const int value = machine_.Machine.Reg[index];
        shown.Registers[index] = static_cast<uint8_t>(value);
        shown.RegisterTexts[index] = std::string(RegisterNames[index]) + ' ' + RegisterText(value);
        marked_[index] = marked_[index] || report.RegisterMarked[index];
    }
    shown.RegistersMarked = marked_;
    const int sr = machine_.Machine.Reg[SR];
    shown.Flags = {(sr & FlagI) != 0, (sr & FlagS) != 0, (sr & FlagO) != 0, (sr & FlagZ) != 0};
}

// An assembly gives the breakpoints their code anew, and its errors their marks.
void BrowserSession::FollowAssembly() {
    if (machine_.Assemblies == assembly_) {
        return;
    }
    assembly_ = machine_.Assemblies;
    code_ = CodeLines(machine_.Machine, Source());
    marksStale_ = true;
    BindBreakpoints();
}

// The error marks of the program, all of them, after an assembly or when new errors came.
std::optional<std::vector<ErrorMark>> BrowserSession::NewErrorMarks() {
    const std::vector<ErrorReport>& errors = machine_.Errors;
    if (!std::exchange(marksStale_, false) && errors.size() == errorsTaken_) {
        return std::nullopt;
    }
    errorsTaken_ = errors.size();
    std::vector<ErrorMark> marks;
    for (const ErrorReport& error : errors) {
        if (error.OfProgram && error.SourceStart) {
            marks.push_back({page_.LineOf(*error.SourceStart), error.Message});
        }
    }
    return marks;
}

void BrowserSession::SetBreakpointLines(std::vector<int64_t> lines) {
    breakpointLines_ = std::move(lines);
    BindBreakpoints();
}

void BrowserSession::BindBreakpoints() {
    std::bitset<256> stops;
    for (const int64_t line : breakpointLines_) {
        if (const auto bound = code_.Bind(line)) {
            stops.set(static_cast<size_t>(bound->Address));
        }
    }
    if (runToAddress_) {
        stops.set(static_cast<size_t>(*runToAddress_));
    }
    clock_.Breakpoints = stops;
}

// The line is bound after Continue: an assembly on the way gives the lines their code.
void BrowserSession::RunToLine(int64_t line) {
    control_.ButtonContinuousClick();
    FollowAssembly();
    if (!machine_.Machine.Running) {
        return;
    }
    if (const auto bound = code_.Bind(line)) {
        runToAddress_ = bound->Address;
        BindBreakpoints();
        return;
    }
    control_.ButtonStopClick();
    machine_.ShowStatus("No code on line " + std::to_string(line) + " or after it",
                        StatusStyle::Error);
}

// A run to a line ends with its run, wherever it stopped.
void BrowserSession::ForgetRunToAfterRun() {
    if (runToAddress_ && !machine_.Machine.Running && !machine_.AwaitingKey()) {
        runToAddress_.reset();
        BindBreakpoints();
    }
}

int64_t BrowserSession::SourceLineOfAddress(int address) const {
    return code_.LineOf(address & 0xFF).value_or(0);
}

int BrowserSession::AddressOfLine(int64_t line) const {
    const auto bound = code_.Bind(line);
    return bound ? bound->Address : -1;
}

std::array<uint8_t, 256> BrowserSession::Ram() const {
    std::array<uint8_t, 256> ram{};
    for (size_t address = 0; address < ram.size(); ++address) {
        ram[address] = static_cast<uint8_t>(machine_.Machine.CellValue(static_cast<int>(address)));
    }
    return ram;
}

std::vector<DeviceListing> BrowserSession::Devices() {
    std::vector<DeviceListing> devices;
    for (const DeviceRow& row : DeviceTable) {
        devices.push_back({row.Window, row.Caption, row.Port, row.CloseRank, row.SettingsSection});
    }
    return devices;
}

// The screen shows RAM, not a device's state; its cells are those of the desktop's window at
// 100 %, where the grid's defaults come from, as the page has no font metrics of its own.
Picture BrowserSession::DevicePicture(Peripheral window) const {
    if (window == Peripheral::Vdu) {
        return VduPicture(machine_.Machine, VduGrid{});
    }
    return ::DevicePicture(window, devices_);
}

std::string BrowserSession::DeviceWords(Peripheral window) const {
    switch (window) {
    case Peripheral::Vdu:
        return VduWords(machine_.Machine);
    case Peripheral::TrafficLights:
        return TrafficLightsWords(devices_.Lights);
    case Peripheral::SevenSegment:
        return SevenSegmentWords(devices_.Digits);
    case Peripheral::Heater:
        return HeaterWords(devices_.Heating);
    case Peripheral::Maze:
        return MazeWords(devices_.Snake);
    case Peripheral::Stepper:
        return StepperWords(devices_.Motor);
    case Peripheral::Lift:
        return LiftWords(devices_.Car);
    case Peripheral::Keyboard:
        return KeyboardWords(devices_.Keyboard);
    case Peripheral::Keypad:
        return KeypadWords(devices_.Pad);
    case Peripheral::RamView:
    case Peripheral::KeyboardInput:
        break;
    }
    return {};
}

// As corvane-cli runs a program: assembled, run from the start in simulated time with the
// session's clocks, Escape for every key IN 00 waits for, then the registers, the status
// line, the steps, the end and the RAM. The machine is left where the run left it, stopped.
std::string BrowserSession::RunReportText(int64_t steps) {
    std::ostringstream out;
    machine_.ButtonAssembleClick();
    if (SourceHasNoLines() || !machine_.Machine.NoError) {
        return {};
    }
    control_.ButtonRunClick();
    ClockHooks hooks;
    hooks.KeyAwaited = [this] { machine_.SupplyKey(EscapeKey); };
    const RunOutcome run = RunInVirtualTime(
        machine_, control_, devices_.Timers(),
        {control_.CpuClockInterval(), control_.HwTimerInterval(), steps}, std::move(hooks));
    PrintRegisters(out, machine_.Machine);
    out << "STATUS " << StatusTextOf(machine_.Report.Status).substr(1) << '\n';
    out << "STEPS " << run.Steps << '\n';
    out << "ENDED " << RunEndName(run.Ended) << '\n';
    PrintRam(out, machine_.Machine);
    control_.ButtonStopClick();
    RestartHistory(HistoryStart::Run);
    return out.str();
}

// What the interface keeps, and the page is told of.

void BrowserSession::ClearAsmLog() {
    HeadlessUi::ClearAsmLog();
    pending_.AsmLogChanged = true;
}

void BrowserSession::AsmLogLine(std::string_view text) {
    HeadlessUi::AsmLogLine(text);
    pending_.AsmLogChanged = true;
}

void BrowserSession::ClearTokenList() {
    HeadlessUi::ClearTokenList();
    tokensChanged_ = true;
}

void BrowserSession::TokenAdded(std::string_view text) {
    HeadlessUi::TokenAdded(text);
    tokensChanged_ = true;
}

void BrowserSession::ProgramReplaced() {
    RestartHistory(HistoryStart::Assembly);
}

void BrowserSession::ClearRunLog() {
    runLogLines_ = 0;
    pending_.RunLogCleared = true;
    pending_.RunLogKept.reset();
    pending_.RunLog.clear();
}

void BrowserSession::RunLogLine(std::string_view text) {
    ++runLogLines_;
    pending_.RunLog.emplace_back(text);
}

void BrowserSession::MessageBox(std::string_view text, MessageIcon icon) {
    HeadlessUi::MessageBox(text, icon);
    pending_.MessageBoxes.push_back({std::string(text), icon});
}

void BrowserSession::Beep() {
    HeadlessUi::Beep();
    ++pending_.Beeps;
}
