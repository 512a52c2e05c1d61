#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class Taaa;

// One IN or OUT as the program made it.
struct PortAccess {
    int64_t AtMs = 0;
    bool Input = false;
    int Port = 0;
    uint8_t Byte = 0;
};

// "PORT 2500 OUT 01 84": the simulated time in ms, IN or OUT, the port and the byte.
std::string PortAccessLine(const PortAccess& access);

// Stands between the CPU and the devices already plugged into the machine's port map, and
// reports every IN and every OUT, to a plugged device or not, at the time `nowMs` holds. The
// devices see nothing different. IN 00 has no device: whoever supplies its key reports it.
// Lives no longer than the port map.
class PortTrace {
  public:
    PortTrace(Taaa& machine, const int64_t& nowMs, std::function<void(const PortAccess&)> report);
    ~PortTrace();
    PortTrace(const PortTrace&) = delete;
    PortTrace& operator=(const PortTrace&) = delete;

    void Report(bool input, int port, uint8_t byte) const;

  private:
    class TracedPort;

    const int64_t& nowMs_;
    std::function<void(const PortAccess&)> report_;
    std::array<std::unique_ptr<TracedPort>, 16> ports_;
};
