#pragma once
// The text output that stamps lines under a copy of a bitmap (a printed or
// copied page): the system's icon-title font at 16 points, black, on the
// white band.

#include "graphics/JxBitmapLoaders.h"

JxTextStamper MakeTextOutStamper();
