#pragma once
// Slates: the one drawing surface of the system. A slate wraps a device
// context together with a drawing state (clip region, the mapping from the
// slate's own logical coordinates to device pixels, pen, brush, colours and
// font), so that callers draw in logical coordinates and never touch the
// device context's own state. JxCDisplaySlate draws into a window's client
// area, JxCMemorySlate into an off-screen 8-bit bitmap held in a pooled
// memory device context.

#include <array>
#include <cstdint>

#include "foundation/JxCPoint.h"
#include "foundation/JxCRGB.h"
#include "foundation/JxCRect.h"
#include "graphics/JxCRegion.h"
#include "platform/core/types.h"

class JxCDisplaySlate;
class JxCMemorySlate;
class JxCSlateState;
struct JxCFontRecord;  // a record of the font table; null: the default font

// x' = a*x + c*y + tx, y' = b*x + d*y + ty.
class JxCTransform {
public:
    // Recomputes the identity flag after a change of the factors.
    void Update();
    bool IsIdentity() const { return identity != 0; }
    // Each coordinate is value * scale + translation, rounded to the
    // nearest pixel (halves up); unchanged by the identity.
    plat::POINT Apply(std::int32_t x, std::int32_t y) const;
    plat::RECT Apply(const JxCRect& rect) const;
    plat::RECT Apply(const plat::RECT& rect) const;

    std::int16_t identity = 1;
    float a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;
};

struct JxCDrawState {
    JxCDrawState();
    JxCDrawState(const JxCDrawState& other);
    JxCDrawState& operator=(const JxCDrawState& other);

    JxCRegion clip;
    JxCRect deviceArea;
    JxCRect logicalArea;
    JxCTransform forward;
    JxCTransform inverse;
    JxCRGB penColour;
    std::int16_t penStyle = 0;  // 0 solid, 1 dash, 2 dot
    std::int16_t penWidth = 1;
    JxCRGB brushColour;
    std::int32_t brushPattern = 0;
    std::array<std::uint8_t, 8> patternBytes{0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    JxCRGB textColour;
    JxCRGB backColour;
    std::int32_t transparentBack = 1;
    const JxCFontRecord* font = nullptr;
};

class JxCSlate {
public:
    JxCSlate();
    JxCSlate(const JxCSlate&) = delete;
    JxCSlate& operator=(const JxCSlate&) = delete;
    // Detaches the savers still registered, so that they restore nothing.
    virtual ~JxCSlate();

    virtual JxCDisplaySlate* AsDisplaySlate() { return nullptr; }
    virtual JxCMemorySlate* AsMemorySlate() { return nullptr; }
    virtual int GetBitsPerPixel() const = 0;
    // Replaces each 8-bit pixel p of the rectangle by the low byte of
    // map[p]; 16-bit success.
    virtual std::int16_t MapColours(const JxCRect& rect, const std::uint16_t* map) = 0;
    // Rectangles in device pixels, already clipped (see Blit).
    virtual std::int16_t CopyFrom(JxCDisplaySlate* source, const plat::RECT& srcRect, const plat::RECT& dstRect,
                                  std::int16_t transparent) = 0;
    virtual std::int16_t CopyFromBits(JxCMemorySlate* source, const plat::RECT& srcRect,
                                      const plat::RECT& dstRect, std::int16_t transparent) = 0;
    virtual void SelectPalette(plat::HPALETTE palette, std::int16_t forceBackground) = 0;

    // Copies a rectangle of the source into the destination, clipped to
    // both; 0 when nothing could be copied.
    static std::int16_t Blit(JxCSlate* destination, JxCSlate* source, const JxCRect* srcRect,
                             const JxCRect* dstRect, std::int16_t transparent);
    std::int16_t Blit(JxCSlate* source, const JxCRect* srcRect, const JxCRect* dstRect, std::int16_t transparent)
    {
        return Blit(this, source, srcRect, dstRect, transparent);
    }

    // Geometry.
    JxCRect GetRect() const { return state_.logicalArea; }
    JxCRect GetArea() const { return state_.logicalArea; }
    JxCPoint GetOrigin() const { return state_.logicalArea.TopLeft(); }
    plat::HDC GetHDC() const { return hdc_; }
    void SetMapping(const JxCRect& deviceArea, const JxCRect& logicalArea);
    // Afterwards logical point p + (dx, dy) reaches the device pixel that p
    // reached before.
    std::int16_t OffsetOrigin(std::int32_t dx, std::int32_t dy);
    // Undoes every OffsetOrigin since the mapping was last set.
    std::int16_t ResetOriginOffset();
    plat::RECT TransformRect(const JxCRect& rect) const { return state_.forward.Apply(rect); }
    plat::POINT TransformPoint(const JxCPoint& p) const { return state_.forward.Apply(p.x, p.y); }
    // The part of the rectangle on the slate's logical area.
    JxCRect ClipToArea(const JxCRect& rect) const;
    // Device pixels back to logical coordinates.
    JxCRect InverseTransformRect(const plat::RECT& rect) const;

    // The clip region becomes the rectangle (logical coordinates) and is
    // selected into the device context under the 640-by-480 rule.
    std::int16_t SelectClipRect(const JxCRect& rect);
    const JxCRegion& GetClipRegion() const { return state_.clip; }

    // Selects through SelectPalette and returns the palette current before
    // (0 on a slate that never remembers one).
    plat::HPALETTE ExchangePalette(plat::HPALETTE palette, std::int16_t forceBackground);
    plat::HPALETTE GetPalette() const { return palette_; }

    // Scrolls the mapped rectangle by (dx, dy); the uncovered box comes
    // back in logical coordinates through uncovered. ScrollDC's result.
    std::int32_t ScrollArea(std::int32_t dx, std::int32_t dy, const JxCRect& rect, JxCRect* uncovered);
    std::int32_t Scroll(std::int32_t dx, std::int32_t dy, const JxCRect& rect, JxCRect* uncovered)
    {
        return ScrollArea(dx, dy, rect, uncovered);
    }

    // Drawing primitives, in logical coordinates under the clip region;
    // each leaves the device context as it found it.
    // Fills the rectangle, right and bottom edges included, in the colour
    // (with the state's brush pattern).
    std::int16_t DrawRectangle(const JxCRect& rect, const JxCRGB& colour);
    // Frames the rectangle with bars of the pen's width in the colour.
    std::int16_t DrawRectangleEx(const JxCRect& rect, const JxCRGB& colour);
    // Text with its baseline at the point; a negative length means up to
    // the terminator.
    std::int16_t DrawText(const JxCPoint& at, const char* text, std::int32_t length);
    // Text aligned in the rectangle: horizontal 0 left, 1 centre, 2 right;
    // vertical 0 top, 1 centre, 2 bottom.
    std::int16_t DrawText(const JxCRect& rect, const char* text, std::int32_t length, std::int16_t horizontal,
                          std::int16_t vertical);

    JxCDrawState& GetState() { return state_; }
    const JxCDrawState& GetState() const { return state_; }

    // The memory device context pool's size (set at start-up).
    static void SetDCPoolSize(std::int16_t size);

protected:
    friend class JxCSlateState;
    void Register(JxCSlateState* saver);
    void Unregister(JxCSlateState* saver);

    plat::HDC hdc_ = nullptr;
    JxCDrawState state_;
    plat::HPALETTE palette_ = nullptr;
    JxCSlateState* savers_ = nullptr;
    JxCRegion workRegion_;
    std::int32_t offsetX_ = 0;
    std::int32_t offsetY_ = 0;
};

// Saves a slate's drawing state for its scope and restores it at the end.
class JxCSlateState {
public:
    explicit JxCSlateState(JxCSlate* slate);
    JxCSlateState(const JxCSlateState&) = delete;
    JxCSlateState& operator=(const JxCSlateState&) = delete;
    ~JxCSlateState();

    void SetFont(const JxCFontRecord* font);
    JxCSlate* GetSlate() const { return slate_; }

private:
    friend class JxCSlate;
    JxCSlate* slate_;
    JxCDrawState* live_;
    JxCDrawState saved_;
    JxCSlateState* next_ = nullptr;
};

// The clip every drawing operation runs under: the slate's clip region is
// selected into its device context, and the DC's own clip box is put back
// at the end (both under the 640-by-480 rule).
// The outline of a rectangle in the device context's pen, from and back to
// its top-left corner.
void DrawRectOutline(plat::HDC hdc, std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);

class JxCScopedClip {
public:
    explicit JxCScopedClip(JxCSlate* slate);
    JxCScopedClip(const JxCScopedClip&) = delete;
    JxCScopedClip& operator=(const JxCScopedClip&) = delete;
    ~JxCScopedClip();

private:
    plat::HDC hdc_;
    JxCRegion previous_;
};
