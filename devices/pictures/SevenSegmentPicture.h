#pragma once

#include "devices/Picture.h"
#include "devices/SevenSegmentDisplays.h"

// Two digits on a board wired to the port's plug: the board, then the right digit's seven
// segments, the left digit's, and the bit label.
Picture SevenSegmentPicture(const SevenSegmentDisplays& digits);
