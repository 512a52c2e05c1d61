#pragma once

#include "devices/Picture.h"
#include "devices/TrafficLights.h"

// Two heads of lamps on posts in a landscape, wired to the port's plug: the ground, then
// each lamp (lit in its colour or black), then the bit label.
Picture TrafficLightsPicture(const TrafficLights& lights);
