#pragma once

#include "core/MachineState.h"
#include "workbench/ToolWindow.h"

// The text screen: RAM C0..FF as four rows of sixteen characters.
class TformVdu : public ToolWindow {
    Q_OBJECT
  public:
    TformVdu(QWidget* owner, const MachineState& machine);

  private:
    const MachineState& machine_;
};
