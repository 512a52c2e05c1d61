#pragma once

#include <string>
#include <string_view>

#include "core/MachineState.h"
#include "core/UserInterface.h"

// The run log's texts. Lines are built only while the run-log switch is on; the switch is
// taken once at the start of every step.
class RunLog {
  public:
    RunLog(UserInterface& ui, const MachineState& machine) : ui_(ui), machine_(machine) {}

    void BeginStep(bool enabled) { enabled_ = enabled; }
    bool Enabled() const { return enabled_; }

    // The guards are inline: with the switch off a step pays one test per block.
    void Line(std::string_view text) {
        if (enabled_) {
            ui_.RunLogLine(text);
        }
    }
    void Registers();
    void IpAdvance(std::string_view amount);
    // An interrupt's own entry: which one, the vector it read, the IP it pushed and where.
    void InterruptTaken(int vectorAddress, int pushedIp, int stackAddress) {
        if (enabled_) {
            WriteInterrupt(vectorAddress, pushedIp, stackAddress);
        }
    }
    void ShortDashes(); // 85
    void LongDashes();  // 91

    // FETCH/EXECUTE blocks; t0, t1, t2 are the texts of the cells at IP, IP+1, IP+2.
    void ThreeByteBlock(int ip, std::string_view executeSuffix = {}) {
        if (enabled_) {
            WriteThreeByteBlock(ip, executeSuffix);
        }
    }
    void TwoByteHeader(int ip) { // up to EXECUTE; the explanation lines follow
        if (enabled_) {
            FetchLines(ip, 2);
        }
    }
    void TwoByteBlock(int ip) { // jumps, IN, OUT
        if (enabled_) {
            WriteTwoByteBlock(ip);
        }
    }
    void OneByteBlock(int ip) {
        if (enabled_) {
            WriteOneByteBlock(ip);
        }
    }

    std::string CellText(int address) const;

  private:
    void FetchLines(int ip, int count);
    void WriteThreeByteBlock(int ip, std::string_view executeSuffix);
    void WriteTwoByteBlock(int ip);
    void WriteOneByteBlock(int ip);
    void WriteInterrupt(int vectorAddress, int pushedIp, int stackAddress);

    UserInterface& ui_;
    const MachineState& machine_;
    bool enabled_ = false;
};
