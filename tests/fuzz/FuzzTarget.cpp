#include "tests/fuzz/FuzzTarget.h"

#include <string_view>

#include "assembler/SourceText.h"
#include "core/Assem.h"
#include "core/RunControl.h"
#include "devices/Peripherals.h"
#include "marking/HeadlessUi.h"
#include "marking/QueuedKeys.h"

namespace {

constexpr int StepsPerInput = 2000;
constexpr int StepsPerTimerTick = 64;
constexpr int StepsPerClick = 97;

// Assembles a program of one END, then overwrites every cell with the image's bytes.
void LoadRamImage(Taaa& machine, HeadlessUi& ui, std::string_view image) {
    ui.SetSource(SourceText::FromBytes("END\n"));
    machine.ButtonAssembleClick();
    for (int address = 0; address < 256; ++address) {
        const auto byte = address < static_cast<int>(image.size())
                              ? static_cast<unsigned char>(image[address])
                              : 0;
        machine.Machine.WriteCell(address, FoldByte(byte));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const uint8_t mode = data[0];
    const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);

    HeadlessUi ui;
    ui.OnRunLogLine = [](std::string_view) {};
    Taaa machine(ui);
    machine.Settings.RunLog = mode & 0x02;
    machine.Settings.AsmLog = mode & 0x04;
    Peripherals devices(machine, ui, machine.Ports);
    RunControl control(machine);
    if (mode & 0x01) {
        LoadRamImage(machine, ui, rest);
    } else {
        ui.SetSource(SourceText::FromBytes(rest));
        machine.ButtonAssembleClick();
    }
    ui.QueueKeys("a\r");
    control.ButtonRunClick();
    for (int step = 0; step < StepsPerInput && machine.Machine.Running; ++step) {
        machine.ButtonStepClick();
        SupplyQueuedKey(machine, ui, nullptr);
        if (step % StepsPerTimerTick == 0) {
            control.TimerHWTimer();
            for (TimedDevice* device : devices.Timers()) {
                device->Timer1Timer();
            }
        }
        if (step % StepsPerClick == 0) {
            devices.Keyboard.Press(static_cast<uint8_t>(step));
            devices.Pad.Press(static_cast<uint8_t>(step));
            devices.Car.CallLift(Lift::Floor::Top);
        }
    }
    control.ButtonResetClick();
    machine.ButtonStepClick();
    return 0;
}
