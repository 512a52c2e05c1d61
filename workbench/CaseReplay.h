#pragma once

#include <cstdint>

#include "marking/QueuedKeys.h"

// A case of an exercise run in the window as the checker ran it: the keys it types for
// IN 00, and the steps its limit leaves the run.
struct CaseReplay {
    KeyQueue Keys;
    int64_t MaxSteps = 0;
    int64_t StepsLeft = 0;
};
