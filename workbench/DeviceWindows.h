#pragma once

#include <span>

#include "core/Peripheral.h"
#include "workbench/WindowFrames.h"

class QWidget;
class TFormMain;
class ToolWindow;

// The workbench's half of a device: its window (workbench/devices), where that window stands
// when the settings file says nothing, and the manual's section on it. The engine's half is
// the device's row in devices/DeviceTable.h.
struct DeviceWindowRow {
    Peripheral Window;
    ToolWindow* (*Make)(TFormMain& form);
    FramePlace (*Default)(const QWidget& window);
    const char* HelpTopic;
};

// One row for each device window, in the order the settings file keeps their places.
std::span<const DeviceWindowRow> DeviceWindowTable();
