#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "core/StepReport.h"
#include "devices/MachineSnapshot.h"

class Taaa;
class WholeMachine;

// The last `depth` entries, newest last; once full, each new entry takes the place of the
// oldest. Slots are filled in place and reused, so once the ring has grown to its depth a new
// entry allocates nothing.
template <typename Entry> class StepRing {
  public:
    explicit StepRing(size_t depth) : depth_(depth) {}

    // The slot of a new newest entry, holding whatever it held before: fill all of it.
    Entry& Push() {
        if (count_ == depth_) {
            first_ = (first_ + 1) % depth_;
            --count_;
            dropped_ = true;
        }
        const size_t slot = (first_ + count_) % depth_;
        if (slot == slots_.size()) {
            slots_.reserve(depth_); // growing by copies would stall a run now and then
            slots_.emplace_back();
        }
        ++count_;
        return slots_[slot];
    }
    void Pop() { --count_; }
    void Clear() {
        first_ = 0;
        count_ = 0;
        dropped_ = false;
    }
    const Entry& Newest() const { return slots_[(first_ + count_ - 1) % depth_]; }
    const Entry& Oldest() const { return slots_[first_]; }
    size_t Size() const { return count_; }
    size_t Depth() const { return depth_; }
    // Entries were given up to make room since the ring was last cleared.
    bool Dropped() const { return dropped_; }

  private:
    size_t depth_;
    std::vector<Entry> slots_;
    size_t first_ = 0; // the oldest entry's slot
    size_t count_ = 0;
    bool dropped_ = false;
};

// The program at the end of one step, as Step Back gives it back: the whole machine, and what
// the report said of it that the machine does not hold (the status line, the selection, the
// registers the step marked) and how many errors had been reported.
struct MachineMoment {
    MachineSnapshot Machine;
    StatusReport Status;
    SelectionReport Selection;
    std::array<bool, 8> Marked{};
    size_t Errors = 0;
};

// How far Step Back reaches: the steps undone one after another, the oldest first forgotten.
inline constexpr size_t StepBackDepth = 10000;

// What began the history, so that Step Back can say why it has nothing to undo.
enum class HistoryStart : int { WindowOpened, Assembly, CpuReset, Run };

// Why Step Back cannot undo a step, or null when it can: `moments` are those kept (the first
// is where the history began), `dropped` says older ones were given up to make room, and the
// moments belong to the program as assembled, so a changed source refuses them too.
const char* StepBackRefusal(size_t moments, bool dropped, HistoryStart began, bool needsAssembly);

// Takes the moment in place. The selection is the report's, or `shown` where no step since the
// report was last applied selected anything.
void TakeMoment(MachineMoment& moment, const WholeMachine& whole, const Taaa& machine,
                const SelectionReport& shown);
// Gives the moment back with the program stopped, as a step leaves it: the report shows its
// status line, selection and marks, and the errors reported after it are forgotten.
void RestoreMoment(const MachineMoment& moment, WholeMachine& whole, Taaa& machine);
