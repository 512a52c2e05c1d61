#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

enum class Command { Assemble, Tokens, Run };

struct Arguments {
    Command Action = Command::Assemble;
    std::string File;
    int64_t ClockMs = 1000;
    int64_t HwTimerMs = 5000;
    int64_t MaxSteps = 100000;
    std::string Keys;
    bool RunLog = false;
    bool Ram = false;
    bool Vdu = false;
    bool Devices = false;
};

// The parsed arguments, or the one-line message that says what is wrong with them.
std::variant<Arguments, std::string> ParseArguments(const std::vector<std::string_view>& args);

// Decodes --keys: one byte per character; \r \n \t \e \\ and \xHH stand for one byte.
std::optional<std::string> DecodeKeys(std::string_view text);

std::string_view UsageText();
