#pragma once
// Object type "ScrollBitmap": the range comes from the picture, one step
// for every 18 rows hidden below the window, starting at 0.

#include <cstdint>

#include "objects/widgets/JxCScrollBitmap.h"

class JxCGavoScrollBitmap : public JxCScrollBitmap {
public:
    static constexpr std::int32_t kRowsPerStep = 18;

    JxCGavoScrollBitmap() = default;
    ~JxCGavoScrollBitmap() override = default;
    std::int16_t CreateResources() override;
};
