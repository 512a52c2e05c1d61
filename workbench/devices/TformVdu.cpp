#include "workbench/devices/TformVdu.h"

TformVdu::TformVdu(QWidget* owner, const MachineState& machine)
    : ToolWindow(owner, "VDU C0..FF", QSize(200, 64), Frame::Sizeable, Qt::black),
      machine_(machine) {}
