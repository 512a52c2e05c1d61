#pragma once

#include <ostream>
#include <string>

class MachineState;
class HeadlessUi;

// The lines `corvane-cli run` prints after a run.
void PrintRegisters(std::ostream& out, const MachineState& machine);
void PrintRam(std::ostream& out, const MachineState& machine);
// A VDU row of sixteen characters; bytes 00..1F and 7F show as '.'.
std::string VduRowText(const MachineState& machine, int row);
// The four rows.
void PrintVdu(std::ostream& out, const MachineState& machine);
