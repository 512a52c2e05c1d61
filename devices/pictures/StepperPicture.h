#pragma once

#include "devices/Picture.h"
#include "devices/StepperMotor.h"

// The stepper motor on black: the motor (the stator with its poles, lit red with their
// phase, the rotor's spokes at its pattern's angle, the wires to the bits) and, from the
// first output on, "LSB" and the bits of the last byte, the set ones lit.
Picture StepperPicture(const StepperMotor& motor);
