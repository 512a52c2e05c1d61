#include "cli/QueuedKeys.h"

#include "cli/HeadlessUi.h"
#include "cli/PortTrace.h"
#include "core/Assem.h"

// The key is traced as it is taken, before the run log tells of the IP passing the IN.
void SupplyQueuedKey(Taaa& machine, HeadlessUi& ui, const PortTrace* trace) {
    if (!machine.AwaitingKey()) {
        return;
    }
    const uint8_t key = ui.NextKey();
    if (trace && key != EscapeKey) {
        trace->Report(true, 0, key);
    }
    machine.SupplyKey(key);
}
