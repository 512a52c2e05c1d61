#include "marking/QueuedKeys.h"

#include "core/Assem.h"
#include "marking/HeadlessUi.h"
#include "marking/PortTrace.h"

uint8_t KeyQueue::Next() {
    if (keys_.empty()) {
        ranOut_ = true;
        return EscapeKey;
    }
    const auto key = static_cast<uint8_t>(keys_.front());
    keys_.pop_front();
    return key;
}

// The key is traced as it is taken, before the run log tells of the IP passing the IN.
void SupplyQueuedKey(Taaa& machine, KeyQueue& keys, const PortTrace* trace) {
    if (!machine.AwaitingKey()) {
        return;
    }
    const uint8_t key = keys.Next();
    if (trace && key != EscapeKey) {
        trace->Report(true, 0, key);
    }
    machine.SupplyKey(key);
}

void SupplyQueuedKey(Taaa& machine, HeadlessUi& ui, const PortTrace* trace) {
    SupplyQueuedKey(machine, ui.Keys(), trace);
}
