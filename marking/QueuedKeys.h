#pragma once

#include <cstdint>
#include <deque>
#include <string_view>

class HeadlessUi;
class PortTrace;
class Taaa;

// Keys typed ahead for IN 00, taken in their order; Escape once they are used up.
class KeyQueue {
  public:
    void Add(std::string_view keys) { keys_.insert(keys_.end(), keys.begin(), keys.end()); }
    uint8_t Next();
    // True once a key was asked for after the queued ones were used up.
    bool RanOut() const { return ranOut_; }

  private:
    std::deque<char> keys_;
    bool ranOut_ = false;
};

// Answers the key IN 00 awaits with the next queued key (Escape once they are used up), as
// though it were typed at once; nothing when no key is awaited. A trace sees the key the
// program took as an IN 00; Escape, which ends the run, is not one.
void SupplyQueuedKey(Taaa& machine, KeyQueue& keys, const PortTrace* trace);
// The same with the keys queued in the interface.
void SupplyQueuedKey(Taaa& machine, HeadlessUi& ui, const PortTrace* trace);
