#pragma once

#include <ostream>

class Peripherals;

// The device lines `corvane-cli run --devices` prints after a run, one per device.
void PrintDevices(std::ostream& out, const Peripherals& devices);
