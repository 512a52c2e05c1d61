#pragma once

#include "devices/Heater.h"
#include "devices/Picture.h"

// A room with the heater, the thermostat and a thermometer on a plaque, wired to the port's
// pins: the room, then the mercury, the reading, the heater's switch and the bit label. The
// whole picture above the strip of labels is a thermometer click's hot area.
Picture HeaterPicture(const Heater& heater);

// The heater's actions: a degree warmer or cooler (the arrow keys), or the room set to the
// degrees a row of the picture reads on the scale (a click there), HeaterSetDegrees + degrees.
enum HeaterActions : int {
    HeaterWarmer = 1,
    HeaterCooler = 2,
    HeaterSetDegrees = 1000,
};
// The action of a click at height y of the picture.
int ThermometerAction(int y);
// Works an action on the heater; false for an action it does not know.
bool HeaterAction(Heater& heater, int action);
