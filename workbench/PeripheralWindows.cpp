#include "workbench/PeripheralWindows.h"

#include <QWidget>

#include "devices/DeviceTable.h"

namespace {

size_t Index(Peripheral peripheral) {
    return static_cast<size_t>(peripheral);
}

} // namespace

void PeripheralWindows::Register(Peripheral peripheral, QWidget* window) {
    windows_[Index(peripheral)] = window;
}

QWidget* PeripheralWindows::Window(Peripheral peripheral) const {
    return windows_[Index(peripheral)];
}

void PeripheralWindows::Show(Peripheral peripheral, bool oneAtATime) {
    if (oneAtATime) {
        for (Peripheral other : DeviceCloseList) {
            if (other != peripheral) {
                Hide(other);
            }
        }
    }
    QWidget* window = Window(peripheral);
    if (window && !window->isVisible()) {
        window->show();
    }
}

void PeripheralWindows::Hide(Peripheral peripheral) {
    if (QWidget* window = Window(peripheral)) {
        window->hide();
    }
}

bool PeripheralWindows::IsVisible(Peripheral peripheral) const {
    const QWidget* window = Window(peripheral);
    return window && window->isVisible();
}

void PeripheralWindows::HideAllDevices() {
    for (Peripheral peripheral : DeviceCloseList) {
        Hide(peripheral);
    }
}
