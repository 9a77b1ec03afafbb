#pragma once
// The product's cursor state: shows the cursors asked for by name, shows the
// wait cursor, and counts nested busy periods (the product is busy while the
// count is above 0). The list of named cursors is a separate object.

#include <cstdint>

#include "foundation/JxCTableString.h"
#include "platform/core/types.h"

class JxCCursorState {
public:
    JxCCursorState() = default;
    ~JxCCursorState();
    JxCCursorState(const JxCCursorState&) = delete;
    JxCCursorState& operator=(const JxCCursorState&) = delete;

    // "" changes nothing; "Arrow", "Wait", "IBeam", "Plus" and "Cross" (any
    // case) show system cursors; any other name the cursor resource of that
    // name, or the arrow with result 0 when there is none.
    std::int16_t LoadCursorByName(const JxCTableString& name);
    std::int16_t ShowWaitCursor();
    std::int16_t ShowArrowCursor();

    // Begin (end flag 0): the hourglass, one nesting more; result 0.
    // End: one nesting less; 1 when that ended the last one, else 0 (also
    // for an end without a begin, which leaves the count at 0).
    std::int16_t BeginEndBusy(std::int16_t end);
    std::int16_t IsBusy() const { return count_ > 0 ? 1 : 0; }
    std::int32_t GetWaitFlag() const { return count_; }
    void SetWaitFlag(std::int32_t count) { count_ = count; }

    // The tick of the first begin of the last nesting and of the last end.
    plat::DWORD GetBeginTick() const { return beginTick_; }
    plat::DWORD GetEndTick() const { return endTick_; }

private:
    std::int16_t showSystemCursor(const char* id);

    plat::HCURSOR cursor_ = nullptr;
    plat::HCURSOR named_ = nullptr;
    std::int32_t count_ = 0;
    plat::DWORD beginTick_ = 0;
    plat::DWORD endTick_ = 0;
};
