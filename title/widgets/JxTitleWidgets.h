#pragma once
// The title's display objects among the engine's registered types: the
// animated hotspot, the cancel and toggle buttons, the scroll bitmap, the
// group collages and the video hotspot; and the sticky button and toggle
// bitmap that the title registers.

#include "objects/widgets/JxCButton.h"
#include "objects/widgets/JxCCollage.h"
#include "objects/widgets/JxCScrollBitmap.h"
#include "runtime/JxCDisplayObject.h"
#include "title/widgets/JxCGavoAnimHotspot.h"
#include "title/widgets/JxCGavoGroupCollage.h"
#include "title/widgets/JxCGvStickyButton.h"
#include "title/widgets/JxCGvVideoHotspot.h"
#include "title/widgets/JxCToggleBitmap.h"
#include "title/users/JxLoginWidgets.h"  // the login group collage
#include "title/widgets/JxProgressDisplays.h"  // the cancel button

// Object type "ToggleButton": a push button under another name; it has no
// behaviour of its own.
class JxCToggleButton : public JxCButton {
public:
    JxCToggleButton() = default;
    ~JxCToggleButton() override = default;
};

// Object type "ScrollBitmap": the range comes from the picture, one step
// for every 18 rows hidden below the window, starting at 0.
class JxCGavoScrollBitmap : public JxCScrollBitmap {
public:
    static constexpr std::int32_t kRowsPerStep = 18;

    JxCGavoScrollBitmap() = default;
    ~JxCGavoScrollBitmap() override = default;
    std::int16_t CreateResources() override;
};

