#include "cli/Arguments.h"

#include <charconv>

#include "core/RegisterText.h"

namespace {

std::optional<int64_t> PositiveNumber(std::string_view text) {
    int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value <= 0) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::string_view UsageText() {
    return "usage: corvane-cli assemble FILE | tokens FILE | run FILE [--clock MS] "
           "[--hw-timer MS] [--max-steps N] [--keys TEXT] [--run-log] [--ram] [--vdu] "
           "[--devices]";
}

std::optional<std::string> DecodeKeys(std::string_view text) {
    std::string keys;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            keys += text[i];
            continue;
        }
        if (++i >= text.size()) {
            return std::nullopt;
        }
        switch (text[i]) {
        case 'r':
            keys += '\r';
            break;
        case 'n':
            keys += '\n';
            break;
        case 't':
            keys += '\t';
            break;
        case 'e':
            keys += '\x1B';
            break;
        case '\\':
            keys += '\\';
            break;
        case 'x': {
            if (i + 2 >= text.size()) {
                return std::nullopt;
            }
            const int high = HexDigitValue(text[i + 1]);
            const int low = HexDigitValue(text[i + 2]);
            if (high < 0 || low < 0) {
                return std::nullopt;
            }
            keys += static_cast<char>(high * 16 + low);
            i += 2;
            break;
        }
        default:
            return std::nullopt;
        }
    }
    return keys;
}

std::variant<Arguments, std::string> ParseArguments(const std::vector<std::string_view>& args) {
    if (args.size() < 2) {
        return std::string(UsageText());
    }
    Arguments parsed;
    if (args[0] == "assemble") {
        parsed.Action = Command::Assemble;
    } else if (args[0] == "tokens") {
        parsed.Action = Command::Tokens;
    } else if (args[0] == "run") {
        parsed.Action = Command::Run;
    } else {
        return "unknown command: " + std::string(args[0]);
    }
    parsed.File = args[1];
    if (parsed.Action != Command::Run && args.size() > 2) {
        return "unexpected argument: " + std::string(args[2]);
    }
    for (size_t i = 2; i < args.size(); ++i) {
        const std::string_view option = args[i];
        auto value = [&]() -> std::optional<std::string_view> {
            if (i + 1 >= args.size()) {
                return std::nullopt;
            }
            return args[++i];
        };
        if (option == "--run-log") {
            parsed.RunLog = true;
        } else if (option == "--ram") {
            parsed.Ram = true;
        } else if (option == "--vdu") {
            parsed.Vdu = true;
        } else if (option == "--devices") {
            parsed.Devices = true;
        } else if (option == "--keys") {
            const auto text = value();
            const auto keys = text ? DecodeKeys(*text) : std::nullopt;
            if (!keys) {
                return "--keys takes a text; its escapes are \\r \\n \\t \\e \\\\ and \\xHH";
            }
            parsed.Keys = *keys;
        } else if (option == "--clock" || option == "--hw-timer" || option == "--max-steps") {
            const auto text = value();
            const auto number = text ? PositiveNumber(*text) : std::nullopt;
            if (!number) {
                return std::string(option) + " takes a whole number above 0";
            }
            (option == "--clock"      ? parsed.ClockMs
             : option == "--hw-timer" ? parsed.HwTimerMs
                                      : parsed.MaxSteps) = *number;
        } else {
            return "unknown option: " + std::string(option);
        }
    }
    return parsed;
}
