// The session as the page's JavaScript sees it: class BrowserSession with the buttons' names,
// and TakeReport as a plain object (see web/session/BrowserSession.h and docs/web.md).
//
// Strings are Latin-1 both ways: the module is linked with EMBIND_STD_STRING_IS_UTF8=0, so a
// JS string's char codes 0..255 are the bytes of the std::string, and a byte comes back as
// the char code of the same value. A page that reads a file as bytes turns them into such a
// string with String.fromCharCode, and back with charCodeAt; a char code above 255 is refused.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <string>
#include <vector>

#include "web/bindings/JsValues.h"
#include "web/bindings/PictureBindings.h"
#include "web/session/BrowserSession.h"
#include "web/session/SessionNames.h"

using emscripten::val;

namespace {

val Status(const ShownStatus& status) {
    return ObjectOf({{"style", Text(StatusStyleName(status.Style))}, {"text", val(status.Text)}});
}

val Selection(const SelectionReport& selection) {
    return ObjectOf({{"start", val(selection.Start)}, {"length", val(selection.Length)}});
}

val Flags(const ShownFlags& flags) {
    return ObjectOf(
        {{"I", val(flags.I)}, {"S", val(flags.S)}, {"O", val(flags.O)}, {"Z", val(flags.Z)}});
}

val WindowCommandObject(const WindowCommand& command) {
    return ObjectOf({{"kind", Text(WindowCommandKindName(command.Kind))},
                     {"window", Text(PeripheralName(command.Window))}});
}

val ErrorMarkObject(const ErrorMark& mark) {
    return ObjectOf(
        {{"line", val(static_cast<double>(mark.Line))}, {"message", val(mark.Message)}});
}

val MessageBoxObject(const ShownMessageBox& box) {
    return ObjectOf({{"text", val(box.Text)}, {"icon", Text(MessageIconName(box.Icon))}});
}

template <typename Value, typename Convert>
val OrNull(const std::optional<Value>& value, Convert convert) {
    return value ? convert(*value) : val::null();
}

val TakeReport(BrowserSession& session) {
    const SessionReport report = session.TakeReport();
    val r = val::object();
    r.set("registers", ArrayOf(report.Registers, [](uint8_t value) { return val(value); }));
    r.set("registerTexts", Lines({report.RegisterTexts.begin(), report.RegisterTexts.end()}));
    r.set("registersMarked", ArrayOf(report.RegistersMarked, [](bool on) { return val(on); }));
    r.set("flags", Flags(report.Flags));
    r.set("cellsChanged", ArrayOf(report.CellsChanged, [](int address) { return val(address); }));
    r.set("status", OrNull(report.Status, Status));
    r.set("selection", OrNull(report.Selection, Selection));
    r.set("editor", ArrayOf(report.Editor, [](EditorCommand command) {
              return Text(EditorCommandName(command));
          }));
    r.set("windows", ArrayOf(report.Windows, WindowCommandObject));
    r.set("keyAwaited", report.KeyAwaited);
    r.set("running", report.Running);
    r.set("ended", Text(RunEndEnumeratorName(report.Ended)));
    r.set("runLog", Lines(report.RunLog));
    r.set("runLogCleared", report.RunLogCleared);
    r.set("runLogKept",
          OrNull(report.RunLogKept, [](size_t kept) { return val(static_cast<double>(kept)); }));
    r.set("asmLog", Lines(report.AsmLog));
    r.set("asmLogChanged", report.AsmLogChanged);
    r.set("tokensChanged", report.TokensChanged);
    r.set("listChanged", report.ListChanged);
    r.set("errors", OrNull(report.Errors, [](const std::vector<ErrorMark>& marks) {
              return ArrayOf(marks, ErrorMarkObject);
          }));
    r.set("messageBoxes", ArrayOf(report.MessageBoxes, MessageBoxObject));
    r.set("beeps", report.Beeps);
    r.set("devicesChanged", ArrayOf(report.DevicesChanged, [](Peripheral window) {
              return Text(PeripheralName(window));
          }));
    return r;
}

// A copy the page may keep: the module's memory may move when it grows.
val Ram(const BrowserSession& session) {
    const std::array<uint8_t, 256> ram = session.Ram();
    return val(emscripten::typed_memory_view(ram.size(), ram.data())).call<val>("slice");
}

// The RAM view's cells at the addresses given: null, or {value, hex, text}.
val RamCells(const BrowserSession& session, const val& addresses) {
    return ArrayOf(emscripten::vecFromJSArray<int>(addresses), [&session](int address) {
        const std::optional<CellShown> cell = session.Cell(address);
        if (!cell) {
            return val::null();
        }
        return ObjectOf({{"value", val(cell->Value)},
                         {"hex", Text(cell->HexText)},
                         {"text", Text(cell->Text)}});
    });
}

val Devices() {
    return ArrayOf(BrowserSession::Devices(), [](const DeviceListing& device) {
        return ObjectOf({{"window", Text(PeripheralName(device.Window))},
                         {"caption", val(device.Caption)},
                         {"port", val(device.Port)},
                         {"closeRank", val(static_cast<double>(device.CloseRank))},
                         {"settingsSection", val(device.SettingsSection)}});
    });
}

std::string DeviceWords(const BrowserSession& session, const std::string& window) {
    const std::optional<Peripheral> named = PeripheralNamed(window);
    return named ? session.DeviceWords(*named) : std::string();
}

void SetWindowVisible(BrowserSession& session, const std::string& window, bool visible) {
    if (const std::optional<Peripheral> named = PeripheralNamed(window)) {
        session.SetWindowVisible(*named, visible);
    }
}

val DevicePictureObject(const BrowserSession& session, const std::string& window) {
    const std::optional<Peripheral> named = PeripheralNamed(window);
    return PictureObject(named ? session.DevicePicture(*named) : Picture{});
}

bool WorkDeviceAction(BrowserSession& session, const std::string& window, int action) {
    const std::optional<Peripheral> named = PeripheralNamed(window);
    return named && session.DeviceAction(*named, action);
}

int TypedKeyActionOf(const BrowserSession&, const std::string& window, int code) {
    const std::optional<Peripheral> named = PeripheralNamed(window);
    return named && code >= 0 && code <= 0xFF ? TypedKeyAction(*named, static_cast<uint8_t>(code))
                                              : NoAction;
}

void SetBreakpointLines(BrowserSession& session, const val& lines) {
    std::vector<int64_t> numbers;
    for (const double line : emscripten::vecFromJSArray<double>(lines)) {
        numbers.push_back(static_cast<int64_t>(line));
    }
    session.SetBreakpointLines(std::move(numbers));
}

} // namespace

EMSCRIPTEN_BINDINGS(corvane_session) {
    using emscripten::class_;
    using emscripten::optional_override;
    class_<BrowserSession>("BrowserSession")
        .constructor<>()
        .function("SetSource", optional_override([](BrowserSession& s, const std::string& text) {
                      s.SetSource(text);
                  }))
        .function("ButtonAssembleClick", &BrowserSession::ButtonAssembleClick)
        .function("ButtonStepClick", &BrowserSession::ButtonStepClick)
        .function("ButtonStepBackClick", &BrowserSession::ButtonStepBackClick)
        .function("CanStepBack", &BrowserSession::CanStepBack)
        .function("ButtonRunClick", &BrowserSession::ButtonRunClick)
        .function("ButtonContinuousClick", &BrowserSession::ButtonContinuousClick)
        .function("ButtonStopClick", &BrowserSession::ButtonStopClick)
        .function("ButtonResetClick", &BrowserSession::ButtonResetClick)
        .function("ButtonSlowClick", &BrowserSession::ButtonSlowClick)
        .function("ButtonFastClick", &BrowserSession::ButtonFastClick)
        .function("ButtonIntervalReduceClick", &BrowserSession::ButtonIntervalReduceClick)
        .function("ButtonIntervalIncreaseClick", &BrowserSession::ButtonIntervalIncreaseClick)
        .function("RunFor", optional_override([](BrowserSession& s, double ms) {
                      s.RunFor(static_cast<int64_t>(ms));
                  }))
        .function("HoldClocks", &BrowserSession::HoldClocks)
        .function("SupplyKey", optional_override([](BrowserSession& s, int code) {
                      s.SupplyKey(static_cast<uint8_t>(code));
                  }))
        .function("TakeReport", &TakeReport)
        .function("SetWindowVisible", &SetWindowVisible)
        .function("Ram", &Ram)
        .function("RamCells", &RamCells)
        .function("ListFile",
                  optional_override([](const BrowserSession& s) { return Lines(s.ListFile()); }))
        .function("TokenLines",
                  optional_override([](const BrowserSession& s) { return Lines(s.TokenLines()); }))
        .function("AsmLogLines",
                  optional_override([](const BrowserSession& s) { return Lines(s.AsmLogLines()); }))
        .function("SourceLineOfAddress", optional_override([](const BrowserSession& s, int a) {
                      return static_cast<double>(s.SourceLineOfAddress(a));
                  }))
        .function("AddressOfLine", optional_override([](const BrowserSession& s, double line) {
                      return s.AddressOfLine(static_cast<int64_t>(line));
                  }))
        .function("CpuClockInterval", &BrowserSession::CpuClockInterval)
        .function("SetCpuClockInterval", &BrowserSession::SetCpuClockInterval)
        // The one text in UTF-8 ("128 ms · 7.81 steps/s").
        .function("CpuClockCaption", optional_override([](const BrowserSession& s) {
                      return Utf8Text(s.CpuClockCaption());
                  }))
        .function("HwTimerInterval", &BrowserSession::HwTimerInterval)
        .function("SetHwTimerInterval", &BrowserSession::SetHwTimerInterval)
        .function("HwTimerCaption", &BrowserSession::HwTimerCaption)
        .function("SetRunLog", &BrowserSession::SetRunLog)
        .function("SetAsmLog", &BrowserSession::SetAsmLog)
        .function("SetBreakpointLines", &SetBreakpointLines)
        .function("RunToLine", optional_override([](BrowserSession& s, double line) {
                      s.RunToLine(static_cast<int64_t>(line));
                  }))
        .class_function("Devices", &Devices)
        .function("Devices", optional_override([](const BrowserSession&) { return Devices(); }))
        .function("DeviceWords", &DeviceWords)
        .function("DevicePicture", &DevicePictureObject)
        .function("DeviceAction", &WorkDeviceAction)
        .function("TypedKeyAction", &TypedKeyActionOf)
        .function("RunReportText", optional_override([](BrowserSession& s, double steps) {
                      return s.RunReportText(static_cast<int64_t>(steps));
                  }));
}
