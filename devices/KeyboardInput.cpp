#include "devices/KeyboardInput.h"

#include "core/Assem.h"

namespace {

constexpr uint8_t Escape = 0x1B;

} // namespace

void KeyboardInput::WaitForKey() {
    const uint8_t code = machine_.Ui.WaitForKey();
    if (code == Escape) {
        machine_.EndRun(RunEnd::Escape);
        return;
    }
    machine_.Machine.SetRegister(AL, code, false);
    machine_.Machine.Running = machine_.ResumeAfterInput;
}
