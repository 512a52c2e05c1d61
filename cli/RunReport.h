#pragma once

#include <ostream>

class MachineState;
class HeadlessUi;

// The lines `corvane-cli run` prints after a run.
void PrintRegisters(std::ostream& out, const MachineState& machine);
void PrintRam(std::ostream& out, const MachineState& machine);
// Four rows of sixteen characters; bytes 00..1F and 7F print as '.'.
void PrintVdu(std::ostream& out, const MachineState& machine);
