#pragma once
// A bitmap that hides and shows itself on two message codes (object type
// "ToggleBitmap"): a message whose first value is the hide code hides it,
// one with the show code shows it; the hide code is tested first.
//
// Record: the bitmap's, then u16 hide code and u16 show code.

#include <cstdint>

#include "objects/widgets/JxCBitmap.h"

class JxCToggleBitmap : public JxCBitmap {
public:
    JxCToggleBitmap() = default;
    ~JxCToggleBitmap() override = default;

    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type) override;
    // 1 for the hide or show code, else 0.
    std::int16_t HandleMessage(JxCMessageRecord* message) override;

    std::int32_t GetHideCode() const { return hideCode_; }
    std::int32_t GetShowCode() const { return showCode_; }

private:
    std::int32_t hideCode_ = 0;
    std::int32_t showCode_ = 0;
};
