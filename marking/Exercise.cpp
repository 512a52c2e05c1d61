#include "marking/Exercise.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <initializer_list>
#include <ranges>
#include <set>
#include <sstream>
#include <toml++/toml.h>

#include "core/MachineState.h"
#include "core/PortMap.h"
#include "devices/Vdu.h"
#include "marking/DeviceReport.h"
#include "marking/KeyText.h"
#include "marking/SourceFile.h"

namespace {

constexpr int64_t MaxCasePoints = 1000000;

// Why the file is no exercise, and where.
struct Problem {
    std::string Message;
    toml::source_position At;
};

[[noreturn]] void Fail(const toml::node& node, std::string message) {
    throw Problem{std::move(message), node.source().begin};
}

std::string Listed(std::initializer_list<std::string_view> names) {
    std::string list;
    for (std::string_view name : names) {
        list += (list.empty() ? "" : ", ") + std::string(name);
    }
    return list;
}

void OnlyKeys(const toml::table& table, std::initializer_list<std::string_view> allowed,
              const std::string& where) {
    for (auto&& [key, node] : table) {
        if (std::find(allowed.begin(), allowed.end(), key.str()) == allowed.end()) {
            throw Problem{"unknown key '" + std::string(key.str()) + "' in " + where +
                              "; the keys are " + Listed(allowed),
                          key.source().begin};
        }
    }
}

const toml::table& TableOf(const toml::node& node, const std::string& what) {
    if (!node.is_table()) {
        Fail(node, what + " must be a table");
    }
    return *node.as_table();
}

const toml::array& ArrayOf(const toml::node& node, const std::string& what) {
    if (!node.is_array()) {
        Fail(node, what + " must be an array");
    }
    return *node.as_array();
}

std::string StringOf(const toml::node& node, const std::string& what) {
    if (!node.is_string()) {
        Fail(node, what + " must be a string");
    }
    return node.as_string()->get();
}

bool BooleanOf(const toml::node& node, const std::string& what) {
    if (!node.is_boolean()) {
        Fail(node, what + " must be true or false");
    }
    return node.as_boolean()->get();
}

int64_t IntegerOf(const toml::node& node, const std::string& what, int64_t least, int64_t most) {
    if (!node.is_integer()) {
        Fail(node, what + " must be a whole number");
    }
    const int64_t value = node.as_integer()->get();
    if (value < least || value > most) {
        Fail(node, what + " must be from " + std::to_string(least) + " to " + std::to_string(most) +
                       ", not " + std::to_string(value));
    }
    return value;
}

double NumberOf(const toml::node& node, const std::string& what) {
    if (node.is_integer()) {
        return static_cast<double>(node.as_integer()->get());
    }
    if (!node.is_floating_point()) {
        Fail(node, what + " must be a number");
    }
    return node.as_floating_point()->get();
}

uint8_t ByteOf(const toml::node& node, const std::string& what) {
    return static_cast<uint8_t>(IntegerOf(node, what, 0, 255));
}

std::vector<uint8_t> BytesOf(const toml::node& node, const std::string& what) {
    std::vector<uint8_t> bytes;
    for (const toml::node& byte : ArrayOf(node, what)) {
        bytes.push_back(ByteOf(byte, "every byte of " + what));
    }
    return bytes;
}

// [{ at = 0xC0, bytes = [1, 2] }, ...]
std::vector<RamBytes> RamOf(const toml::node& node, const std::string& what) {
    std::vector<RamBytes> ram;
    for (const toml::node& entry : ArrayOf(node, what)) {
        const toml::table& table = TableOf(entry, "every entry of " + what);
        OnlyKeys(table, {"at", "bytes"}, what);
        if (!table.contains("at") || !table.contains("bytes")) {
            Fail(entry, "every entry of " + what + " needs at and bytes");
        }
        RamBytes bytes{static_cast<int>(IntegerOf(*table.get("at"), "at", 0, 255)),
                       BytesOf(*table.get("bytes"), "bytes")};
        if (bytes.At + static_cast<int>(bytes.Bytes.size()) > 256) {
            Fail(entry, "the bytes of " + what + " run past FF");
        }
        ram.push_back(std::move(bytes));
    }
    return ram;
}

// { AL = 5, SP = 0xBF }
std::vector<RegisterValue> RegistersOf(const toml::node& node, const std::string& what) {
    std::vector<RegisterValue> registers;
    for (auto&& [key, value] : TableOf(node, what)) {
        const auto* name = std::find(std::begin(RegisterNames), std::end(RegisterNames), key.str());
        if (name == std::end(RegisterNames)) {
            throw Problem{"unknown register '" + std::string(key.str()) + "' in " + what +
                              "; the registers are AL, BL, CL, DL, SP, IP and SR",
                          key.source().begin};
        }
        registers.push_back({static_cast<int>(name - std::begin(RegisterNames)),
                             ByteOf(value, std::string(key.str()))});
    }
    return registers;
}

std::regex PatternOf(const toml::node& node, const std::string& text) {
    try {
        return std::regex(text, std::regex::ECMAScript);
    } catch (const std::regex_error& error) {
        Fail(node, "the pattern '" + text + "' is not a regular expression: " + error.what());
    }
}

// `text` for an equal text, `matches` for a pattern.
TextExpectation TextOf(const toml::table& table, const std::string& what) {
    const toml::node* text = table.get("text");
    const toml::node* matches = table.get("matches");
    if ((text == nullptr) == (matches == nullptr)) {
        Fail(table, what + " needs either text or matches");
    }
    if (text) {
        return {StringOf(*text, "text"), false, {}};
    }
    const std::string pattern = StringOf(*matches, "matches");
    return {pattern, true, PatternOf(*matches, pattern)};
}

std::vector<VduExpectation> VduOf(const toml::node& node) {
    std::vector<VduExpectation> rows;
    for (const toml::node& entry : ArrayOf(node, "vdu")) {
        const toml::table& table = TableOf(entry, "every entry of vdu");
        OnlyKeys(table, {"row", "text", "matches"}, "vdu");
        if (!table.contains("row")) {
            Fail(entry, "every entry of vdu needs a row, 0 to 3");
        }
        VduExpectation row{static_cast<int>(IntegerOf(*table.get("row"), "row", 0, 3)),
                           TextOf(table, "every entry of vdu")};
        if (!row.Expected.IsPattern &&
            row.Expected.Text.size() != static_cast<size_t>(VduColumns)) {
            Fail(*table.get("text"), "a VDU row's text is " + std::to_string(VduColumns) +
                                         " characters, not " +
                                         std::to_string(row.Expected.Text.size()));
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string DeviceNameOf(const toml::node& node, std::string_view line) {
    const std::string name(line.substr(0, line.find(' ')));
    const std::vector<std::string_view> names = ReportedDeviceNames();
    if (std::ranges::find(names, name) == names.end()) {
        Fail(node, "unknown device '" + name + "'; the devices are " + ListedNames(names));
    }
    return name;
}

// The devices whose line starts with a decimal number, which `between` reads; the others
// start with bits or a hexadecimal byte.
constexpr std::array<std::string_view, 3> MeasuredDevices{"HEATER", "MAZE", "LIFT"};

std::pair<double, double> BetweenOf(const toml::node& node) {
    const toml::array& range = ArrayOf(node, "between");
    if (range.size() != 2) {
        Fail(node, "between must be two numbers, the least and the most");
    }
    const double least = NumberOf(range[0], "between");
    const double most = NumberOf(range[1], "between");
    if (least > most) {
        Fail(node, "between is [least, most]: the first number must not be above the second");
    }
    return {least, most};
}

// A look at a device after the last step would fail every submission.
void WithinRun(const toml::node& node, int64_t atMs, int64_t endMs, const std::string& what) {
    if (atMs > endMs) {
        Fail(node, what + " at " + std::to_string(atMs) +
                       " ms comes after the run's last step, at " + std::to_string(endMs) +
                       " ms (max_steps x clock)");
    }
}

// "LIFT 232 00 OK", or { device = "HEATER", at = 60000, between = [19, 21] }; `endMs` is
// the time of the run's last step.
DeviceExpectation DeviceOf(const toml::node& node, int64_t endMs) {
    if (node.is_string()) {
        const std::string line = StringOf(node, "a device line");
        return {std::nullopt, DeviceNameOf(node, line), {line, false, {}}, std::nullopt};
    }
    const toml::table& table = TableOf(node, "every entry of devices");
    OnlyKeys(table, {"device", "at", "text", "matches", "between"}, "devices");
    DeviceExpectation device;
    if (const toml::node* at = table.get("at")) {
        device.AtMs = IntegerOf(*at, "at", 0, StepCountLimit.Most * CpuClockLimit.Most);
        WithinRun(*at, *device.AtMs, endMs, "a device looked");
    }
    if (const toml::node* between = table.get("between")) {
        device.Between = BetweenOf(*between);
    } else {
        device.Line = TextOf(table, "every entry of devices");
    }
    const toml::node* name = table.get("device");
    if (!name && (device.Between || device.Line.IsPattern)) {
        Fail(table, "an entry of devices with matches or between needs a device");
    }
    device.Device = DeviceNameOf(table, name ? StringOf(*name, "device") : device.Line.Text);
    if (device.Between &&
        std::ranges::find(MeasuredDevices, device.Device) == MeasuredDevices.end()) {
        Fail(*table.get("between"), device.Device +
                                        "'s line starts with bits or a byte, not a number: "
                                        "use text or matches");
    }
    if (name && !device.Line.IsPattern && !device.Between &&
        !device.Line.Text.starts_with(device.Device + ' ')) {
        Fail(*table.get("text"), "a line of " + device.Device + " starts with '" + device.Device +
                                     " ', not '" + device.Line.Text + "'");
    }
    return device;
}

std::vector<OutputExpectation> OutputsOf(const toml::node& node) {
    std::vector<OutputExpectation> outputs;
    for (const toml::node& entry : ArrayOf(node, "outputs")) {
        const toml::table& table = TableOf(entry, "every entry of outputs");
        OnlyKeys(table, {"port", "bytes", "collapse", "whole"}, "outputs");
        if (!table.contains("port") || !table.contains("bytes")) {
            Fail(entry, "every entry of outputs needs port and bytes");
        }
        OutputExpectation output;
        output.Port = static_cast<int>(IntegerOf(*table.get("port"), "port", 0, 15));
        output.Bytes = BytesOf(*table.get("bytes"), "bytes");
        if (const toml::node* collapse = table.get("collapse")) {
            output.Collapse = BooleanOf(*collapse, "collapse");
        }
        if (const toml::node* whole = table.get("whole")) {
            output.Whole = BooleanOf(*whole, "whole");
        }
        outputs.push_back(std::move(output));
    }
    return outputs;
}

RunEnd EndedOf(const toml::node& node) {
    const std::string name = StringOf(node, "ended");
    for (RunEnd end : {RunEnd::Halt, RunEnd::StepLimit, RunEnd::Escape, RunEnd::MazeEdge,
                       RunEnd::Error, RunEnd::DivideByZero}) {
        if (RunEndName(end) == name) {
            return end;
        }
    }
    Fail(node, "ended is HALT, STEP-LIMIT, ESCAPE, MAZE-EDGE, ERROR or DIVIDE-BY-ZERO, not '" +
                   name + "'");
}

CaseExpectations ExpectationsOf(const toml::node& node, int64_t endMs) {
    const toml::table& table = TableOf(node, "expect");
    OnlyKeys(table,
             {"registers", "ram", "vdu", "devices", "ended", "error", "at_most_steps", "outputs",
              "lift_never_crashes"},
             "expect");
    CaseExpectations expect;
    for (auto&& [key, value] : table) {
        const std::string_view name = key.str();
        if (name == "registers") {
            expect.Registers = RegistersOf(value, "expect.registers");
        } else if (name == "ram") {
            expect.Ram = RamOf(value, "expect.ram");
        } else if (name == "vdu") {
            expect.Vdu = VduOf(value);
        } else if (name == "devices") {
            for (const toml::node& device : ArrayOf(value, "devices")) {
                expect.Devices.push_back(DeviceOf(device, endMs));
            }
        } else if (name == "ended") {
            expect.Ended = EndedOf(value);
        } else if (name == "error") {
            expect.Error = StringOf(value, "error");
        } else if (name == "at_most_steps") {
            expect.AtMostSteps = IntegerOf(value, "at_most_steps", 0, StepCountLimit.Most);
        } else if (name == "outputs") {
            expect.Outputs = OutputsOf(value);
        } else {
            expect.LiftNeverCrashes = BooleanOf(value, "lift_never_crashes");
        }
    }
    return expect;
}

// clock, hw_timer and max_steps, in [defaults] or a case.
void ReadClock(const toml::table& table, ClockSettings& clock) {
    if (const toml::node* value = table.get("clock")) {
        clock.CpuClockMs = IntegerOf(*value, "clock", CpuClockLimit.Least, CpuClockLimit.Most);
    }
    if (const toml::node* value = table.get("hw_timer")) {
        clock.HwTimerMs = IntegerOf(*value, "hw_timer", HwTimerLimit.Least, HwTimerLimit.Most);
    }
    if (const toml::node* value = table.get("max_steps")) {
        clock.MaxSteps = IntegerOf(*value, "max_steps", StepCountLimit.Least, StepCountLimit.Most);
    }
}

std::vector<DeviceEvent> EventsOf(const toml::node& node, int64_t endMs) {
    std::vector<DeviceEvent> events;
    for (const toml::node& entry : ArrayOf(node, "events")) {
        auto event = ParseDeviceEvent(StringOf(entry, "every event"));
        if (const auto* problem = std::get_if<std::string>(&event)) {
            Fail(entry, *problem);
        }
        WithinRun(entry, std::get<DeviceEvent>(event).AtMs, endMs, "an event");
        events.push_back(std::get<DeviceEvent>(event));
    }
    return events;
}

// A number in a record mark, such as 0x8F or 2.
std::optional<int> MarkNumber(std::string_view text, int most) {
    const bool hex = text.starts_with("0x") || text.starts_with("0X");
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] =
        std::from_chars(text.data() + (hex ? 2 : 0), end, value, hex ? 16 : 10);
    if (error != std::errc() || stop != end || value < 0 || value > most) {
        return std::nullopt;
    }
    return value;
}

// The registers, RAM addresses, VDU rows, device lines or ports a mark names.
std::optional<std::vector<int>> MarkItems(std::string_view key, std::string_view items) {
    std::vector<int> found;
    if (key == "registers") {
        for (const auto word : std::views::split(items, ',')) {
            const std::string_view name(word.begin(), word.end());
            const auto* at = std::find(std::begin(RegisterNames), std::end(RegisterNames), name);
            if (at == std::end(RegisterNames)) {
                return std::nullopt;
            }
            found.push_back(static_cast<int>(at - std::begin(RegisterNames)));
        }
    } else if (key == "ram") {
        const size_t dash = items.find('-');
        const auto first = MarkNumber(items.substr(0, dash), 255);
        const auto last =
            dash == std::string_view::npos ? first : MarkNumber(items.substr(dash + 1), 255);
        if (!first || !last || *last < *first) {
            return std::nullopt;
        }
        found = {*first, *last};
    } else if (key == "vdu" || key == "outputs") {
        const auto number = MarkNumber(items, key == "vdu" ? VduRows - 1 : PortCount - 1);
        if (!number) {
            return std::nullopt;
        }
        found.push_back(*number);
    } else if (key == "devices") {
        const std::vector<std::string_view> names = ReportedDeviceNames();
        const auto at = std::ranges::find(names, items);
        if (at == names.end()) {
            return std::nullopt;
        }
        found.push_back(static_cast<int>(at - names.begin()));
    } else {
        return std::nullopt;
    }
    return found;
}

// "registers", "registers:AL,SP", "ram:0x80-0x8F", "vdu", "vdu:0", "devices",
// "devices:SEVSEG", "outputs:0x02", "outputs:0x02:collapse" or "ended".
RecordMark MarkOf(const toml::node& node) {
    const std::string text = StringOf(node, "every entry of record");
    std::string_view rest = text;
    const size_t colon = rest.find(':');
    RecordMark mark{std::string(rest.substr(0, colon)), {}, false};
    rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
    if (mark.Key == "outputs" && rest.ends_with(":collapse")) {
        mark.Collapse = true;
        rest.remove_suffix(std::string_view(":collapse").size());
    }
    const bool whole =
        colon == std::string_view::npos && (mark.Key == "registers" || mark.Key == "vdu" ||
                                            mark.Key == "devices" || mark.Key == "ended");
    std::optional<std::vector<int>> items;
    if (!whole && !(items = MarkItems(mark.Key, rest))) {
        Fail(node, "record takes registers[:AL,SP,...], ram:FIRST-LAST, vdu[:ROW], "
                   "devices[:NAME], outputs:PORT[:collapse] or ended, not '" +
                       text + "'");
    }
    mark.Items = items.value_or(std::vector<int>());
    return mark;
}

std::vector<RecordMark> MarksOf(const toml::node& node) {
    std::vector<RecordMark> marks;
    for (const toml::node& entry : ArrayOf(node, "record")) {
        marks.push_back(MarkOf(entry));
    }
    return marks;
}

bool HasExpectations(const toml::table& caseTable) {
    const toml::node* expect = caseTable.get("expect");
    return expect && expect->is_table() && !expect->as_table()->empty();
}

int64_t EndMs(const ClockSettings& clock) {
    return clock.MaxSteps * clock.CpuClockMs;
}

ExerciseCase CaseOf(const toml::node& node, const ClockSettings& defaults, size_t number) {
    const toml::table& table = TableOf(node, "every case");
    OnlyKeys(table,
             {"name", "clock", "hw_timer", "max_steps", "keys", "ram", "registers", "events",
              "expect", "points", "hint", "hidden", "record"},
             "a case");
    ExerciseCase exerciseCase;
    exerciseCase.Name = "case " + std::to_string(number);
    exerciseCase.Clock = defaults;
    ReadClock(table, exerciseCase.Clock);
    for (auto&& [key, value] : table) {
        const std::string_view name = key.str();
        if (name == "name") {
            exerciseCase.Name = StringOf(value, "name");
        } else if (name == "keys") {
            const auto keys = DecodeKeys(StringOf(value, "keys"));
            if (!keys) {
                Fail(value, "keys has an escape other than \\r \\n \\t \\e \\\\ and \\xHH");
            }
            exerciseCase.Keys = *keys;
        } else if (name == "ram") {
            exerciseCase.Ram = RamOf(value, "ram");
        } else if (name == "registers") {
            exerciseCase.Registers = RegistersOf(value, "registers");
        } else if (name == "events") {
            exerciseCase.Events = EventsOf(value, EndMs(exerciseCase.Clock));
        } else if (name == "expect") {
            exerciseCase.Expect = ExpectationsOf(value, EndMs(exerciseCase.Clock));
        } else if (name == "points") {
            exerciseCase.Points = IntegerOf(value, "points", 0, MaxCasePoints);
        } else if (name == "hint") {
            exerciseCase.Hint = StringOf(value, "hint");
        } else if (name == "hidden") {
            exerciseCase.Hidden = BooleanOf(value, "hidden");
        } else if (name == "record") {
            exerciseCase.Record = MarksOf(value);
        }
    }
    return exerciseCase;
}

Exercise ExerciseOf(const toml::table& root, bool forRecording) {
    OnlyKeys(root, {"title", "defaults", "case"}, "the exercise");
    Exercise exercise;
    if (const toml::node* title = root.get("title")) {
        exercise.Title = StringOf(*title, "title");
    }
    ClockSettings defaults;
    if (const toml::node* node = root.get("defaults")) {
        const toml::table& table = TableOf(*node, "defaults");
        OnlyKeys(table, {"clock", "hw_timer", "max_steps"}, "defaults");
        ReadClock(table, defaults);
    }
    const toml::node* cases = root.get("case");
    if (!cases || !cases->is_array() || cases->as_array()->empty()) {
        Fail(root, "an exercise needs at least one [[case]]");
    }
    std::set<std::string> names;
    for (const toml::node& node : *cases->as_array()) {
        ExerciseCase exerciseCase = CaseOf(node, defaults, exercise.Cases.size() + 1);
        const toml::table& table = *node.as_table();
        const toml::node& place = table.contains("name") ? *table.get("name") : node;
        if (!names.insert(exerciseCase.Name).second) {
            Fail(place, "two cases are called '" + exerciseCase.Name + "'");
        }
        if (!HasExpectations(table) && !(forRecording && !exerciseCase.Record.empty())) {
            Fail(place,
                 "case '" + exerciseCase.Name +
                     "' expects nothing, so every program would pass it" +
                     (exerciseCase.Record.empty() ? ""
                                                  : "; corvane-cli record fills in what it marks"));
        }
        exercise.Cases.push_back(std::move(exerciseCase));
    }
    return exercise;
}

std::string Placed(const std::string& file, const toml::source_position& at,
                   std::string_view message) {
    return file + ':' + std::to_string(at.line) + ':' + std::to_string(at.column) + ": " +
           std::string(message);
}

} // namespace

std::variant<Exercise, std::string> ParseExercise(std::string_view toml, const std::string& file,
                                                  bool forRecording) {
    try {
        return ExerciseOf(toml::parse(toml, file), forRecording);
    } catch (const toml::parse_error& error) {
        return Placed(file, error.source().begin, error.description());
    } catch (const Problem& problem) {
        return Placed(file, problem.At, problem.Message);
    }
}

std::variant<Exercise, std::string> ReadExercise(const std::string& file, bool forRecording) {
    std::istringstream noInput;
    const SourceRead read = ReadSourceBytes(file, noInput);
    if (!read.Error.empty()) {
        return read.Error;
    }
    return ParseExercise(read.Bytes, file, forRecording);
}

std::variant<const ExerciseCase*, std::string> CaseNamed(const Exercise& exercise,
                                                         std::string_view name) {
    std::string names;
    for (const ExerciseCase& exerciseCase : exercise.Cases) {
        if (exerciseCase.Name == name) {
            return &exerciseCase;
        }
        names += (names.empty() ? "'" : ", '") + exerciseCase.Name + "'";
    }
    return "no case is called '" + std::string(name) + "'; the cases are " + names;
}
