#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "core/UserInterface.h"

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

// IN 00: waits for a typed key and hands it to the machine.
class KeyWaiter {
  public:
    virtual ~KeyWaiter() = default;
    virtual void WaitForKey() = 0;
};

inline constexpr int PortCount = 16;

struct PortEntry {
    std::optional<Peripheral> Window; // shown by OUT
    OutputDevice* Output = nullptr;
    InputDevice* Input = nullptr;
};

// Ports 00..0F. A port without a plugged device does nothing.
class PortMap {
  public:
    PortMap();
    void PlugOutput(int port, OutputDevice* device) { ports_[port].Output = device; }
    void PlugInput(int port, InputDevice* device) { ports_[port].Input = device; }
    void PlugKeyWaiter(KeyWaiter* waiter) { keyWaiter_ = waiter; }

    const PortEntry& Port(int port) const { return ports_[port]; }
    KeyWaiter* KeyboardInput() const { return keyWaiter_; }

  private:
    std::array<PortEntry, PortCount> ports_{};
    KeyWaiter* keyWaiter_ = nullptr;
};
