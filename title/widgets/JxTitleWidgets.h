#pragma once
// The title's display objects among the engine's registered types: the
// animated hotspot, the cancel and toggle buttons, the scroll bitmap, the
// group collages and the video hotspot; and the sticky button and toggle
// bitmap that the title registers. Each has a file of its own.

#include "objects/widgets/JxCCollage.h"
#include "runtime/JxCDisplayObject.h"
#include "title/widgets/JxCGavoAnimHotspot.h"
#include "title/widgets/JxCGavoGroupCollage.h"
#include "title/widgets/JxCGavoScrollBitmap.h"
#include "title/widgets/JxCGvStickyButton.h"
#include "title/widgets/JxCGvVideoHotspot.h"
#include "title/widgets/JxCToggleBitmap.h"
#include "title/widgets/JxCToggleButton.h"
#include "title/users/JxLoginWidgets.h"  // the login group collage
#include "title/widgets/JxProgressDisplays.h"  // the cancel button
