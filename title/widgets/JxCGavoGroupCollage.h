#pragma once
// The title's group collage (object type "GroupColl"): as its page starts
// it selects, in its list, the position last chosen in a simple list during
// this run (the first entry before any choice), brings it into view and so
// shows its name in the group's edit box. With the Korean language it first
// asks the input method to take Korean input in the page's window.

#include <cstdint>

#include "objects/widgets/JxCCollage.h"

class JxCGavoGroupCollage : public JxCGroupCollage {
public:
    static constexpr std::uint16_t kKoreanLanguageId = 1042;

    JxCGavoGroupCollage() = default;
    ~JxCGavoGroupCollage() override = default;

    // 0 when the display object's start fails; else 1.
    std::int16_t Start() override;
};
