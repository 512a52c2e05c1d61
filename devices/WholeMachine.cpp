#include "devices/WholeMachine.h"

#include "core/Assem.h"
#include "core/RunControl.h"

MachineSnapshot WholeMachine::Snapshot() const {
    const MachineState& cpu = machine_.Machine;
    return {cpu.Ram,
            cpu.Overwritten,
            cpu.Reg,
            cpu.NeedsAssembly,
            cpu.NoError,
            cpu.Running,
            machine_.AwaitingKey(),
            machine_.ResumeAfterInput,
            machine_.LastShownIP,
            machine_.Ended,
            control_.CpuClockInterval(),
            control_.HwTimerInterval(),
            clock_.Phases(),
            devices_.CurrentState()};
}

void WholeMachine::Restore(const MachineSnapshot& snapshot) {
    RestoreCpu(snapshot);
    machine_.RestoreAwaitedKey(snapshot.AwaitingKey);
    machine_.ResumeAfterInput = snapshot.ResumeAfterInput;
    machine_.LastShownIP = snapshot.LastShownIP;
    machine_.Ended = snapshot.Ended;
    control_.SetIntervalsExactly(snapshot.CpuClockInterval, snapshot.HwTimerInterval);
    clock_.Restore(snapshot.Phases);
    devices_.Restore(snapshot.Devices);
    machine_.Report.VduChanged = true;
}

void WholeMachine::RestoreCpu(const MachineSnapshot& snapshot) {
    MachineState& cpu = machine_.Machine;
    for (int address = 0; address < 256; ++address) {
        const auto at = static_cast<size_t>(address);
        if (cpu.Ram[at] != snapshot.Ram[at] || cpu.Overwritten[at] != snapshot.Overwritten[at]) {
            cpu.RestoreCell(address, snapshot.Ram[at], snapshot.Overwritten[at]);
            machine_.Report.CellWritten(address);
        }
    }
    for (int index = 0; index < RegisterCount; ++index) {
        if (cpu.Reg[index] != snapshot.Reg[index]) {
            cpu.Reg[index] = snapshot.Reg[index];
            machine_.Report.RegisterWritten(index);
        }
    }
    cpu.NeedsAssembly = snapshot.NeedsAssembly;
    cpu.NoError = snapshot.NoError;
    cpu.Running = snapshot.Running;
}
