#pragma once

#include <QtGlobal>
#include <bitset>

#include "core/Peripheral.h"
#include "devices/StepHistory.h"

// The window at the end of one step: the machine's moment, the windows visible then with the
// window commands of the report that were still to be applied, and how long the run log was.
struct WindowMoment {
    MachineMoment Machine;
    std::bitset<PeripheralCount> Visible;
    CommandList<WindowCommand, WindowCommandCapacity> PendingWindows;
    qsizetype RunLogLines = 0;
};

// The moments Step Back goes back to: the one the history began with and one for each step
// since, StepBackDepth steps at most.
struct StepBackHistory {
    StepRing<WindowMoment> Moments{StepBackDepth + 1};
    HistoryStart Began = HistoryStart::WindowOpened;
};
