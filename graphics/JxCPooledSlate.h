#pragma once
// An off-screen slate over a transition bitmap of the slate pool
// (graphics/JxCSlatePool.h): it starts cleared, as a fresh slate does, and
// gives its bitmap back to the pool when it goes, for the next transition.

#include <cstdint>

#include "graphics/JxCMemorySlate.h"

class JxCPooledSlate : public JxCMemorySlate {
public:
    // A slate of the size whose logical area starts at (x, y); without a
    // bitmap (HasBitmap 0) when none can be had.
    JxCPooledSlate(std::int32_t width, std::int32_t height, std::int32_t x, std::int32_t y);
    ~JxCPooledSlate() override;
    JxCPooledSlate(const JxCPooledSlate&) = delete;
    JxCPooledSlate& operator=(const JxCPooledSlate&) = delete;

private:
    JxCPooledSlate(const JxObjectRef& lent, std::int32_t x, std::int32_t y);

    JxObjectRef lent_;
};
