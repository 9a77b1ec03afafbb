#pragma once
// Scoped selectors: each puts a brush or a font (and the colours that go
// with it) into a device context and restores what it replaced when it
// ends, so that drawing operations leave the device context as they found
// it.

#include <array>
#include <cstdint>

#include "foundation/JxCRGB.h"
#include "platform/core/types.h"

class JxCSlate;
struct JxCFontRecord;

// The brush part of a drawing state.
struct JxCBrushSpec {
    JxCRGB colour;
    std::int32_t pattern = 0;
    std::array<std::uint8_t, 8> bytes{};
};

// Selects the brush and the null pen, the background colour and the
// background mode (transparent when the flag is set, else opaque). Black
// and white unpatterned brushes are the stock ones; other brushes are made
// here and deleted at the end.
class JxCBrushSelector {
public:
    JxCBrushSelector(plat::HDC hdc, const JxCBrushSpec& brush, const JxCRGB& background, std::int32_t transparent);
    JxCBrushSelector(const JxCBrushSelector&) = delete;
    JxCBrushSelector& operator=(const JxCBrushSelector&) = delete;
    ~JxCBrushSelector();

    // Whether a GDI brush was made (and is deleted at the end).
    bool MadeBrush() const { return made_ != nullptr; }

private:
    plat::HDC hdc_;
    plat::HBRUSH made_ = nullptr;
    plat::HGDIOBJ oldBrush_ = nullptr;
    plat::HGDIOBJ oldPen_ = nullptr;
    plat::COLORREF oldBack_ = 0;
    int oldMode_ = 0;
};

// Selects the font of the slate's drawing state, scaled with the slate's
// vertical scale; with the colours flag also the text and background
// colours, the background mode and baseline alignment.
class JxCTextSelector {
public:
    JxCTextSelector(JxCSlate* slate, plat::HDC hdc, bool colours);
    JxCTextSelector(const JxCTextSelector&) = delete;
    JxCTextSelector& operator=(const JxCTextSelector&) = delete;
    ~JxCTextSelector();

    // The record whose font is selected.
    const JxCFontRecord* GetFont() const { return font_; }

private:
    plat::HDC hdc_;
    bool colours_;
    const JxCFontRecord* font_ = nullptr;
    plat::HGDIOBJ oldFont_ = nullptr;
    plat::COLORREF oldText_ = 0;
    plat::COLORREF oldBack_ = 0;
    int oldMode_ = 0;
    plat::UINT oldAlign_ = 0;
};

// The font record for a font drawn at a vertical scale: the same
// description with its size scaled (truncated, and never below 1).
const JxCFontRecord* ScaledFont(const JxCFontRecord* font, float scale);
