#pragma once
// Object type "AnimHotspot" as the title makes it: the engine's animated
// hotspot that shows the wait cursor from its click until its animation
// finishes or is stopped. It holds one wait at most, so a second click
// begins none and a finish followed by a stop ends it once; a click that
// starts no play, or the hotspot going, ends its wait too, so the cursor
// always comes back.

#include "media/JxCAnimHotspot.h"

class JxCGavoAnimHotspot : public JxCAnimHotspot {
public:
    JxCGavoAnimHotspot() = default;
    ~JxCGavoAnimHotspot() override;

    std::int16_t MouseUp(const JxCPoint& point, std::int16_t flag) override;
    std::int16_t Stop() override;
    void OnSystemEvent(JxCTimerParams* record) override;

    bool IsWaiting() const { return waiting_; }

private:
    void beginWait();
    void endWait();
    bool playing() const;

    bool waiting_ = false;
};
