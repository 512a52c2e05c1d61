#pragma once

class HeadlessUi;
class PortTrace;
class Taaa;

// Answers the key IN 00 awaits with the next key queued in the interface (Escape once they
// are used up), as though it were typed at once; nothing when no key is awaited. A trace sees
// the key the program took as an IN 00; Escape, which ends the run, is not one.
void SupplyQueuedKey(Taaa& machine, HeadlessUi& ui, const PortTrace* trace);
