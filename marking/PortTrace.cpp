#include "marking/PortTrace.h"

#include "assembler/RegisterText.h"
#include "core/Assem.h"

class PortTrace::TracedPort : public InputDevice, public OutputDevice {
  public:
    TracedPort(const PortTrace& trace, int port, const PortEntry& plugged)
        : trace_(trace), port_(port), input_(plugged.Input), output_(plugged.Output) {}

    uint8_t PortRead() const override {
        const uint8_t byte = input_->PortRead();
        trace_.Report(true, port_, byte);
        return byte;
    }

    void PortWrite(uint8_t value) override {
        trace_.Report(false, port_, value);
        if (output_) {
            output_->PortWrite(value);
        }
    }

    bool HasInput() const { return input_ != nullptr; }

  private:
    const PortTrace& trace_;
    const int port_;
    const InputDevice* const input_;
    OutputDevice* const output_;
};

PortTrace::PortTrace(Taaa& machine, const int64_t& nowMs,
                     std::function<void(const PortAccess&)> report)
    : nowMs_(nowMs), report_(std::move(report)) {
    PortMap& ports = machine.Ports;
    for (int port = 0; port < PortCount; ++port) {
        ports_[port] = std::make_unique<TracedPort>(*this, port, ports.Port(port));
        ports.PlugOutput(port, ports_[port].get());
        if (ports_[port]->HasInput()) {
            ports.PlugInput(port, ports_[port].get());
        }
    }
}

PortTrace::~PortTrace() = default;

void PortTrace::Report(bool input, int port, uint8_t byte) const {
    report_({nowMs_, input, port, byte});
}

std::string PortAccessLine(const PortAccess& access) {
    return "PORT " + std::to_string(access.AtMs) + (access.Input ? " IN " : " OUT ") +
           HexByte(access.Port) + ' ' + HexByte(access.Byte);
}
