#pragma once

// The workbench's engine as a web page drives it: the machine, its devices, the run control,
// the scheduler and Step Back, composed as the desktop composes them, behind the buttons'
// names. It never blocks: the page calls RunFor every animation frame and TakeReport after
// every call, and draws what the report says.
//
//     BrowserSession session;
//     session.SetSource("MOV AL,1\nEND\n");
//     session.ButtonAssembleClick();
//     session.ButtonRunClick();
//     session.RunFor(16);                          // the real time since the last frame
//     const SessionReport report = session.TakeReport();
//     if (report.KeyAwaited) session.SupplyKey('a'); // IN 00 waits for the page's key
//
// Texts are bytes, Latin-1 characters, as the desktop keeps them. Offsets in the report
// (the selection) are offsets in the text as SetSource was given it, whatever its line
// breaks; lines count from 1.

#include <array>
#include <bitset>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Assem.h"
#include "core/CodeLines.h"
#include "core/RunControl.h"
#include "core/Scheduler.h"
#include "devices/Peripherals.h"
#include "devices/StepHistory.h"
#include "devices/WholeMachine.h"
#include "devices/pictures/DevicePictures.h"
#include "marking/HeadlessUi.h"
#include "web/session/PageText.h"
#include "web/session/SessionReport.h"

// A device window as the page lists it.
struct DeviceListing {
    Peripheral Window;
    std::string Caption;
    int Port;
    size_t CloseRank;
    std::string SettingsSection;
};

// It is the engine's user interface too: HeadlessUi keeps the editor's text and the lists,
// and this gathers what the page has to be told.
class BrowserSession final : public HeadlessUi {
  public:
    BrowserSession();
    BrowserSession(const BrowserSession&) = delete;
    BrowserSession& operator=(const BrowserSession&) = delete;

    // The editor's text; an assembly reads it as saving would write it. Any change of the
    // text asks for a new assembly, as an edit on the desktop does.
    void SetSource(std::string_view text);

    // The buttons.
    void ButtonAssembleClick();
    void ButtonStepClick();
    void ButtonStepBackClick();
    bool CanStepBack() const;
    void ButtonRunClick();
    void ButtonContinuousClick();
    void ButtonStopClick();
    void ButtonResetClick();
    void ButtonSlowClick();
    void ButtonFastClick();
    void ButtonIntervalReduceClick();
    void ButtonIntervalIncreaseClick();

    // Simulated time goes on by the real time that has passed, by no more than a tenth of a
    // second at a call: a page that was hidden does not then make thousands of steps at once.
    void RunFor(int64_t ms);
    // While the page shows a message box or asks a question the machine does not step, and
    // the hardware timer does not fire: the program goes on after what the student is shown.
    void HoldClocks(bool held);
    // The key IN 00 waits for; Escape (1B) ends the run. Without a wait it does nothing.
    void SupplyKey(uint8_t code);

    // What changed since the last call.
    SessionReport TakeReport();
    // A window the page opened or closed itself (the close box, the one-at-a-time rule), so
    // that Step Back gives the windows back as they were. The windows the report asks for
    // are counted already.
    void SetWindowVisible(Peripheral window, bool visible);

    std::array<uint8_t, 256> Ram() const;
    // A cell as the RAM view shows it: the assembled token's texts while the cell holds it,
    // the written byte's after; nothing where no assembly put code and no program wrote.
    std::optional<CellShown> Cell(int address) const { return machine_.Machine.Cell(address); }
    const std::vector<std::string>& ListFile() const { return machine_.List.Lines(); }
    // The source line the code at an address came from, 0 for none; and the address a
    // breakpoint on a line stops at, -1 for none.
    int64_t SourceLineOfAddress(int address) const;
    int AddressOfLine(int64_t line) const;

    int CpuClockInterval() const { return control_.CpuClockInterval(); }
    void SetCpuClockInterval(int ms) { control_.SetCpuClockInterval(ms); }
    std::string CpuClockCaption() const { return control_.CpuClockCaption(); }
    int HwTimerInterval() const { return control_.HwTimerInterval(); }
    void SetHwTimerInterval(int ms) { control_.SetHwTimerInterval(ms); }
    std::string HwTimerCaption() const { return control_.HwTimerCaption(); }
    void SetRunLog(bool on) { machine_.Settings.RunLog = on; }
    void SetAsmLog(bool on) { machine_.Settings.AsmLog = on; }

    // The editor's breakpoints, lines from 1; they bind to code at each assembly.
    void SetBreakpointLines(std::vector<int64_t> lines);
    // Continue, with a stop before the code of the line (or of the next line with code) that
    // lasts as long as the run.
    void RunToLine(int64_t line);

    static std::vector<DeviceListing> Devices();
    // The device's state in words, as a screen reader hears it.
    std::string DeviceWords(Peripheral window) const;
    Peripherals& DeviceModels() { return devices_; }
    // The device's picture as it stands, and a hot area's action worked on the device as the
    // desktop window's click works it; false when the device has no such action.
    Picture DevicePicture(Peripheral window) const;
    bool DeviceAction(Peripheral window, int action) {
        return ::DeviceAction(window, devices_, action);
    }

    // What `corvane-cli run --ram --max-steps STEPS` prints for the source with the session's
    // clocks: the source is assembled and run from the start in simulated time, every key IN
    // 00 waits for is Escape, and the machine stays where the run left it, stopped. The
    // devices are the session's, as they stand: a device a run has changed starts changed.
    // Nothing when the source does not assemble. For comparing the page's engine with the
    // native one.
    std::string RunReportText(int64_t steps);

    // UserInterface: what HeadlessUi keeps, and the page is told of.
    void ListFileChanged() override { listChanged_ = true; }
    void ClearAsmLog() override;
    void AsmLogLine(std::string_view text) override;
    void ClearTokenList() override;
    void TokenAdded(std::string_view text) override;
    void ProgramReplaced() override;
    void ClearRunLog() override;
    void RunLogLine(std::string_view text) override;
    void MessageBox(std::string_view text, MessageIcon icon) override;
    void Beep() override;

  private:
    // One step's moment for Step Back: the machine, the windows open then with the window
    // commands still to be shown, and how long the run log was.
    struct Moment {
        MachineMoment Machine;
        std::bitset<PeripheralCount> Visible;
        CommandList<WindowCommand, WindowCommandCapacity> PendingWindows;
        size_t RunLogLines = 0;
    };

    ClockHooks Hooks();
    void RestartHistory(HistoryStart why);
    void RecordStep();
    void RecordMoment();
    const char* StepBackRefusal() const;
    SelectionReport SelectionAtIp() const;
    void RestoreWindows(const Moment& moment);
    void FollowDevices();
    void FollowAssembly();
    void BindBreakpoints();
    void ForgetRunToAfterRun();
    // The engine's report into the page's, as the desktop applies it to its widgets.
    void SayWhyRunEnded();
    void TakeRegisters(SessionReport& shown);
    void TakeStatus(SessionReport& shown) const;
    void TakeCommands(SessionReport& shown);
    std::optional<std::vector<ErrorMark>> NewErrorMarks();

    std::string text_; // as the page gave it
    PageText page_;
    Taaa machine_{*this};
    Peripherals devices_{machine_, *this, machine_.Ports};
    RunControl control_{machine_};
    Scheduler clock_;
    WholeMachine whole_{machine_, control_, devices_, clock_};
    StepRing<Moment> moments_{StepBackDepth + 1};
    HistoryStart began_ = HistoryStart::WindowOpened;

    CodeLines code_;
    int64_t assembly_ = -1;
    std::vector<int64_t> breakpointLines_;
    std::optional<int> runToAddress_;
    int64_t owedMs_ = 0;
    bool runGoing_ = false;
    std::bitset<PeripheralCount> visible_;     // the windows the page has open
    std::array<bool, RegisterCount> marked_{}; // yellow registers, as the page paints them
    size_t errorsTaken_ = 0;
    bool marksStale_ = false; // an assembly has replaced the error marks

    size_t runLogLines_ = 0; // written since the run log was last cleared
    bool listChanged_ = false;
    bool tokensChanged_ = false;
    std::bitset<PeripheralCount> devicesChanged_;
    SessionReport pending_; // what the interface calls gathered since the last report
};
