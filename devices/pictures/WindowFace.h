#pragma once

#include "devices/Drawing.h"

// The face of the windows whose pictures stand on it (the keyboards, the lift). The workbench
// shows its own button face there and draws only what stands on it; the page fills this in.
inline constexpr Rgb WindowFace = 0xF0F0F0;
