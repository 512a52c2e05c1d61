#include "cli/Arguments.h"

#include <CLI/CLI.hpp>
#include <charconv>
#include <limits>
#include <map>

#include "assembler/RegisterText.h"
#include "marking/KeyText.h"

namespace {

// Accepts a whole number within the limit, and says which numbers it takes otherwise.
CLI::Validator WholeNumber(ClockLimit limit, const char* unit) {
    const std::string range = std::to_string(limit.Least) + " to " + std::to_string(limit.Most);
    return CLI::Validator(
        [range, limit, unit](std::string& text) -> std::string {
            int64_t value = 0;
            const auto [end, error] =
                std::from_chars(text.data(), text.data() + text.size(), value);
            if (error == std::errc() && end == text.data() + text.size() && value >= limit.Least &&
                value <= limit.Most) {
                return {};
            }
            return "expects a whole number of " + std::string(unit) + " from " + range + ", not '" +
                   text + "'";
        },
        "");
}

CLI::Validator KeyText() {
    return CLI::Validator(
        [](std::string& text) -> std::string {
            if (DecodeKeys(text)) {
                return {};
            }
            return "'" + text + "' has an escape other than \\r \\n \\t \\e \\\\ and \\xHH";
        },
        "");
}

CLI::Validator EventText() {
    return CLI::Validator(
        [](std::string& text) -> std::string {
            const auto event = ParseDeviceEvent(text);
            const auto* problem = std::get_if<std::string>(&event);
            return problem ? *problem : std::string();
        },
        "");
}

constexpr ClockLimit JobLimit{1, 256};
constexpr ClockLimit TimeoutLimit{1, 86400};
constexpr ClockLimit LineLimit{1, std::numeric_limits<int32_t>::max()};

const std::map<std::string, ReportFormat> FormatNames{{"text", ReportFormat::Text},
                                                      {"json", ReportFormat::Json},
                                                      {"junit", ReportFormat::Junit},
                                                      {"csv", ReportFormat::Csv},
                                                      {"gradescope", ReportFormat::Gradescope},
                                                      {"coderunner", ReportFormat::Coderunner}};

CLI::Validator FormatName() {
    return CLI::Validator(
        [](std::string& text) -> std::string {
            return FormatNames.contains(text)
                       ? std::string()
                       : "must be text, json, junit, csv, gradescope or coderunner, not '" + text +
                             "'";
        },
        "");
}

void AddFile(CLI::App& command, std::string& file) {
    command.add_option("FILE", file, "the source file; - reads standard input")
        ->required()
        ->type_name("");
}

struct Parser {
    Arguments parsed;
    std::string keys;
    std::vector<std::string> events;
    std::string format = "text";
    int64_t jobs = 0;
    CLI::App app{"Assembles and runs Corvane programs without a window.", "corvane-cli"};
    CLI::App* assemble = app.add_subcommand("assemble", "print the list file");
    CLI::App* tokens = app.add_subcommand("tokens", "print the token list, one token a line");
    CLI::App* run =
        app.add_subcommand("run", "assemble, run, print registers, status, steps and how it ended");
    CLI::App* check = app.add_subcommand(
        "check", "mark submissions against an exercise's cases; print a table of the results");
    CLI::App* record = app.add_subcommand(
        "record", "fill in an exercise's marked expectations from a model solution's run");

    Parser() {
        app.require_subcommand(1);
        app.set_version_flag("--version", std::string("corvane-cli ") + CORVANE_VERSION,
                             "print the version and exit");
        app.set_help_flag("--help", "print this help and exit");
        for (CLI::App* command : {assemble, tokens, run, check, record}) {
            command->set_help_flag("--help", "print this help and exit");
        }
        for (CLI::App* command : {assemble, tokens, run}) {
            AddFile(*command, parsed.File);
        }
        AddCheck();
        AddRecord();
        AddNumber("--clock", parsed.ClockMs, CpuClockLimit, "MS", "milliseconds",
                  "the CPU clock, 1..60000 ms (default 1000)");
        AddNumber("--hw-timer", parsed.HwTimerMs, HwTimerLimit, "MS", "milliseconds",
                  "the hardware timer, 1..86400000 ms (default 5000)");
        AddNumber("--max-steps", parsed.MaxSteps, StepCountLimit, "N", "steps",
                  "the most steps to run, 1..10^12 (default 100000)");
        run->add_option("--keys", keys,
                        "keys typed at IN 00, one byte each; \\r \\n \\t \\e \\\\ \\xHH")
            ->type_name("TEXT")
            ->check(KeyText());
        CLI::Option* runLog =
            run->add_flag("--run-log", parsed.RunLog, "print the run log as it is written");
        run->add_flag("--interrupts", parsed.Interrupts,
                      "with --run-log, also an entry for every interrupt taken")
            ->needs(runLog);
        run->add_flag("--ram", parsed.Ram, "print RAM after the run");
        run->add_flag("--vdu", parsed.Vdu, "print the VDU's four rows");
        run->add_flag("--devices", parsed.Devices, "print one line per device");
        run->add_option("--event", events,
                        "a click at a simulated time in ms: " + EventForms() + "; repeatable")
            ->type_name("TIME:WHAT")
            ->take_all()
            ->allow_extra_args(false)
            ->check(EventText());
        run->add_flag("--trace-ports", parsed.TracePorts,
                      "print every IN and OUT as it happens: PORT TIME IN|OUT PORT BYTE");
        run->add_option("--from", parsed.From,
                        "run as an exercise's case does: its keys, presets, events and limits; "
                        "options given here take the place of the case's")
            ->type_name("EXERCISE:CASE");
        run->add_option("--break", parsed.BreakLines,
                        "stop before the first instruction of source line LINE (a line without "
                        "code: of the next line with code); repeatable")
            ->type_name("LINE")
            ->take_all()
            ->allow_extra_args(false)
            ->check(WholeNumber(LineLimit, "lines"));
    }

    void AddRecord() {
        record->add_option("EXERCISE", parsed.File, "the exercise, a TOML file")
            ->required()
            ->type_name("");
        record->add_option("SOLUTION", parsed.Model, "the model solution")
            ->required()
            ->type_name("");
        record->add_option("-o,--output", parsed.Output, "write the exercise here, not to stdout")
            ->type_name("FILE");
    }

    void AddCheck() {
        check->add_option("EXERCISE", parsed.File, "the exercise, a TOML file")
            ->required()
            ->type_name("");
        check
            ->add_option("SUBMISSION", parsed.Submissions,
                         "a source file, or a folder whose *.asm files are each a submission")
            ->required()
            ->type_name("");
        check
            ->add_option("--format", format,
                         "the report: text, json, junit, csv (default text); for one "
                         "submission gradescope or coderunner")
            ->type_name("FORMAT")
            ->check(FormatName());
        check
            ->add_option("-j,--jobs", jobs,
                         "submissions marked at once, 1..256 (default: one per core)")
            ->type_name("N")
            ->check(WholeNumber(JobLimit, "jobs"));
        check->add_option("--case", parsed.CaseName, "mark this case only")->type_name("NAME");
        check
            ->add_option("--model", parsed.Model,
                         "a model solution: refuse the exercise unless it passes every case")
            ->type_name("SOLUTION");
        check->add_flag("--explain", parsed.Explain,
                        "with one submission and one case: the events, every IN and OUT, the run "
                        "log, the devices at each look, and why the case failed");
        AddSubmissionOptions();
    }

    void AddSubmissionOptions() {
        check->add_flag("--per-folder", parsed.PerFolder,
                        "each sub-folder of a folder given is one student, as a learning "
                        "platform's download lays them out");
        check
            ->add_option("--main", parsed.Main,
                         "with --per-folder: the one source of each student to mark")
            ->type_name("NAME");
        check->add_flag("--student", parsed.Student,
                        "show hidden cases only as \"hidden case failed\", as students see them");
        check
            ->add_option("--feedback-dir", parsed.FeedbackDir,
                         "write one feedback file per submission into the folder")
            ->type_name("DIR");
        check->add_flag("--similar", parsed.Similar,
                        "add the groups of submissions whose tokens are alike");
        check
            ->add_option("--timeout", parsed.TimeoutSeconds,
                         "wall-clock seconds to mark one submission, 1..86400 (default 10)")
            ->type_name("SECONDS")
            ->check(WholeNumber(TimeoutLimit, "seconds"));
    }

    void AddNumber(const char* name, int64_t& value, ClockLimit limit, const char* metavar,
                   const char* unit, const char* description) {
        run->add_option(name, value, description)
            ->type_name(metavar)
            ->check(WholeNumber(limit, unit));
    }

    // A first word that is neither an option nor a command.
    static std::optional<std::string> UnknownCommand(const std::vector<std::string_view>& args) {
        if (args.empty() || args[0].starts_with('-') || args[0] == "assemble" ||
            args[0] == "tokens" || args[0] == "run" || args[0] == "check" || args[0] == "record") {
            return std::nullopt;
        }
        return "unknown command: " + std::string(args[0]) +
               "; the commands are assemble, tokens, run, check and record";
    }

    std::string Help() {
        const auto selected = app.get_subcommands();
        return selected.empty() ? app.help("", CLI::AppFormatMode::All) : app.help();
    }

    std::variant<Arguments, ArgumentReply> Parse(const std::vector<std::string_view>& args) {
        if (const auto unknown = UnknownCommand(args)) {
            return UsageError(*unknown);
        }
        std::vector<std::string> reversed(args.rbegin(), args.rend());
        try {
            app.parse(reversed);
        } catch (const CLI::CallForHelp&) {
            return ArgumentReply{Help(), 0};
        } catch (const CLI::CallForVersion& version) {
            return ArgumentReply{std::string(version.what()) + "\n", 0};
        } catch (const CLI::ParseError& error) {
            return UsageError(error.what());
        }
        parsed.Action = assemble->parsed() ? Command::Assemble
                        : tokens->parsed() ? Command::Tokens
                        : check->parsed()  ? Command::Check
                        : record->parsed() ? Command::Record
                                           : Command::Run;
        parsed.Keys = *DecodeKeys(keys);
        parsed.Given = {run->count("--clock") > 0, run->count("--hw-timer") > 0,
                        run->count("--max-steps") > 0, run->count("--keys") > 0};
        parsed.Format = FormatNames.at(format);
        parsed.Jobs = static_cast<int>(jobs);
        for (const std::string& event : events) {
            parsed.Events.push_back(std::get<DeviceEvent>(ParseDeviceEvent(event)));
        }
        return parsed;
    }
};

} // namespace

ArgumentReply UsageError(const std::string& message) {
    return {"corvane-cli: " + message + " (see corvane-cli --help)\n", UsageErrorExit};
}

std::variant<Arguments, ArgumentReply> ParseArguments(const std::vector<std::string_view>& args) {
    return Parser().Parse(args);
}
