#pragma once
// The rollover hotspot (object type "RollHotSpot"): a hotspot that shows a
// second picture while the mouse is over it, drawn at an offset from its
// top-left (also outside its rectangle), and raises "on_rollon" as the
// mouse comes and "on_rolloff" as it goes; each time the panel draws
// itself again.
//
// Record, after the hotspot's: the rollover picture's name (table string,
// none: no picture), s16 offset x, s16 offset y.
//
// The picture comes from the shared bitmap loader: the hotspot only drops
// its share.

#include <cstdint>

#include "events/JxCBitmapRef.h"
#include "foundation/JxCPoint.h"
#include "foundation/JxCTableString.h"
#include "objects/widgets/JxCHotspot.h"

class JxCRollOverHotspot : public JxCHotspot {
public:
    JxCRollOverHotspot() = default;
    ~JxCRollOverHotspot() override;

    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type) override;
    // Loads the rollover picture when named; 0 when it cannot be loaded.
    std::int16_t CreateResources() override;
    std::int16_t ReleaseResources() override;
    // While the mouse is over it, the rollover picture at the rectangle
    // moved by the offset, without transparency.
    std::int16_t Draw(JxCSlate* slate, const JxCRect* clip) override;
    std::int16_t MouseEnter() override;
    std::int16_t MouseLeave() override;

    std::int16_t IsOver() const { return over_; }
    const JxCPoint& GetOffset() const { return offset_; }
    const JxCTableString& GetRollOverName() const { return name_; }
    // Where the rollover picture goes, in the panel's coordinates.
    JxCRect GetRollOverRect() const;

private:
    void redrawPanel();

    JxCTableString name_;
    JxSharedImage image_;
    std::int16_t over_ = 0;
    JxCPoint offset_;
};
