#pragma once
// The hotspot (object type "Hotspot"): an invisible clickable area of a
// panel. A release inside it raises "on_click"; with a highlight mode of 1
// to 4 the part of the panel's background bitmap under it is shown through
// one of the highlight colour maps (objects/widgets/JxHighlightMaps.h)
// until the actions of the click have finished, checked on the ticks of
// one product timer of 100 ms.
//
// Record, after the display object's: s16 highlight mode, s16 a value kept
// for the record's sake (no operation uses it).
//
// A hotspot made without a record has the cursor "hand" and the option
// "ResetResources"; one read from a record has what the record gives.

#include <cstdint>

#include "objects/widgets/JxHighlightMaps.h"
#include "runtime/JxCDisplayObject.h"

class JxCHotspot : public JxCDisplayObject {
public:
    static constexpr std::int32_t kHighlightModeCount = 5;

    JxCHotspot();
    // Stops its highlight timer.
    ~JxCHotspot() override;

    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type) override;
    std::int16_t ResetFlags() override;
    std::int16_t CreateResources() override { return 1; }
    // A hotspot draws nothing.
    std::int16_t Draw(JxCSlate* slate, const JxCRect* clip) override;
    // The panel already took the capture for it; nothing else.
    std::int16_t MouseDown(const JxCPoint& point) override;
    // The click: stops playing media when "ResetResources" is set (a click
    // that stopped something is spent on that unless "AlwaysActive" is
    // set); inside the rectangle, highlights and raises "on_click".
    std::int16_t MouseUp(const JxCPoint& point, std::int16_t flag) override;
    // The highlight timer's tick: the highlight ends once the click's
    // actions have finished.
    void OnSystemEvent(JxCTimerParams* record) override;
    // Any message acts as a click inside the hotspot; 1.
    std::int16_t HandleMessage(JxCMessageRecord* message) override;

    std::int16_t GetNumberProperty(std::int16_t index, std::int32_t* value) override;
    // "Left" to "Height" must keep the hotspot inside its panel (3 when
    // not); "Highlight" takes 0 to 4 (2 otherwise).
    std::int16_t SetNumberProperty(std::int16_t index, std::int32_t value) override;
    JxPropertyKind GetPropertyInfo(std::int16_t index, std::int32_t* stringId) override;

    // The colour map of a highlight mode; null for a mode outside 0 to 4.
    virtual const JxCMappedPalette* GetHighlightMap(std::int32_t mode) const;
    // Shows (non-zero) or takes back the highlight of the area; nothing in
    // mode 0, or when the panel has no bitmap or no slate can be made.
    void Highlight(std::int16_t on);

    std::int32_t GetHighlightMode() const { return mode_; }
    std::int32_t GetKeptValue() const { return keptValue_; }
    // Whether the product's timer table holds the hotspot's timer.
    std::int16_t IsHighlightTimerRunning() const;

protected:
    // Highlight, "on_click" and the timer, as a click inside does.
    void Click();
    // Whether the actions of the click have finished: none of the
    // hotspot's "on_click" actions plays and the action processor holds
    // none of their copies.
    bool ClickActionsFinished();

private:
    void stopTimer();

    std::int32_t mode_ = 0;
    std::int32_t keptValue_ = 0;
};
