#pragma once
// The action "BLEND": recolours an area of a bitmap of the owner's panel
// through a colour table over the product palette, straight into the
// panel's slate (the picture itself is not changed; the panel's next draw
// puts it back).
//
// Record (big-endian): the area as s16 left, top, right, bottom, relative
// to the bitmap's top-left; s16 mode; s16 id of the bitmap. Mode 0 greys
// the area; any other mode leaves its colours as they are.

#include <array>
#include <cstdint>

#include "events/JxCAction.h"
#include "foundation/JxCRect.h"

class JxCBlendAction : public JxCAction {
public:
    static constexpr std::int16_t kGreyEffect = 6;

    JxCBlendAction() = default;
    JxCBlendAction(const JxCBlendAction&) = default;
    ~JxCBlendAction() override = default;

    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* owner) override;
    // 1 once the area is recoloured; 0 without an owner in a panel or a
    // bitmap of the id there.
    std::int16_t Execute() override;
    // Queues a copy that keeps the owner, with this action's subscriptions.
    std::int16_t Post() override;

    // The table of the mode: greys for mode 0 (as near as the palette
    // has them), every colour as it is for another mode or when the
    // palette cannot be read.
    void BuildTable();

    const JxCRect& GetArea() const { return area_; }
    std::int32_t GetBitmapId() const { return bitmapId_; }
    std::int32_t GetMode() const { return mode_; }
    const std::array<std::uint16_t, 256>& GetTable() const { return table_; }

private:
    JxCRect area_;
    std::int32_t bitmapId_ = 0;
    std::int32_t mode_ = 0;
    std::array<std::uint16_t, 256> table_{};
};
