#pragma once

#include <array>

#include "core/Peripheral.h"

class QWidget;

// The device windows and the RAM view, and when they are shown and hidden. The windows are
// made once and only ever hidden and shown again, so each keeps its state and place.
class PeripheralWindows {
  public:
    void Register(Peripheral peripheral, QWidget* window);
    QWidget* Window(Peripheral peripheral) const;

    // With the one-at-a-time rule, every device window but the requested one closes first.
    // A window already visible is neither moved nor raised.
    void Show(Peripheral peripheral, bool oneAtATime);
    void Hide(Peripheral peripheral);
    bool IsVisible(Peripheral peripheral) const;
    void HideAllDevices();

  private:
    std::array<QWidget*, PeripheralCount> windows_{};
};
