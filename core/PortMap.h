#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "core/Peripheral.h"

// What a device offers the CPU: IN reads a byte, OUT takes AL's low byte.
class InputDevice {
  public:
    virtual ~InputDevice() = default;
    virtual uint8_t PortRead() const = 0;
};

class OutputDevice {
  public:
    virtual ~OutputDevice() = default;
    virtual void PortWrite(uint8_t value) = 0;
};

inline constexpr int PortCount = 16;

struct PortEntry {
    std::optional<Peripheral> Window; // shown by OUT
    OutputDevice* Output = nullptr;
    InputDevice* Input = nullptr;
};

// Ports 00..0F. A port without a plugged device does nothing. IN 00 needs none: the machine
// itself awaits a typed key (Taaa::SupplyKey).
class PortMap {
  public:
    // A device on the port: OUT shows its window; IN reads its input part and OUT writes its
    // output part, where it has them.
    void Plug(int port, Peripheral window, InputDevice* input, OutputDevice* output) {
        ports_[port] = {window, output, input};
    }
    // Puts another device part in the place of the one plugged, keeping the window.
    void PlugOutput(int port, OutputDevice* device) { ports_[port].Output = device; }
    void PlugInput(int port, InputDevice* device) { ports_[port].Input = device; }

    const PortEntry& Port(int port) const { return ports_[port]; }

  private:
    std::array<PortEntry, PortCount> ports_{};
};
