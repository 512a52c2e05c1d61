#include "workbench/devices/TformTlight.h"

TformTlight::TformTlight(QWidget* owner, TrafficLights& model)
    : ToolWindow(owner, "Traffic Lights on Port One", QSize(200, 218), Frame::Fixed,
                 QColor(0x80, 0x80, 0x00)),
      model_(model) {}
