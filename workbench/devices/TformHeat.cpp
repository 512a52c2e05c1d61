#include "workbench/devices/TformHeat.h"

TformHeat::TformHeat(QWidget* owner, Heater& model)
    : ToolWindow(owner, "Heater and Thermostat", QSize(200, 218), Frame::Fixed,
                 QColor(0x00, 0x80, 0x80)),
      model_(model) {}
