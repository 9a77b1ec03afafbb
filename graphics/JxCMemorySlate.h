#pragma once
// An off-screen slate: an 8-bit bitmap selected into a memory device
// context of the pool (graphics/JxCSlatePool.h). It owns the bitmap it
// made, never one it was given. When the pool is exhausted the slate has no
// device context and every operation on it answers 0.

#include <cstdint>

#include "foundation/JxObjectRef.h"
#include "graphics/JxCSlate.h"
#include "platform/draw/surface.h"

class JxCMemorySlate : public JxCSlate {
public:
    // No bitmap, empty areas.
    JxCMemorySlate();
    // An 8-bit bitmap of the size under the product palette; a negative
    // height makes it top-down.
    JxCMemorySlate(std::int32_t width, std::int32_t height);
    JxCMemorySlate(std::int32_t width, std::int32_t height, std::int32_t x, std::int32_t y);
    // The same, for copies to and from the target slate.
    JxCMemorySlate(JxCSlate* target, std::int32_t width, std::int32_t height);
    // Draws into the given bitmap (not owned), at origin (0, 0).
    explicit JxCMemorySlate(const JxObjectRef& bitmap);
    // Puts the previous bitmap back, deletes its own and returns the
    // device context to the pool.
    ~JxCMemorySlate() override;

    JxCMemorySlate* AsMemorySlate() override { return this; }
    int GetBitsPerPixel() const override;
    std::int16_t MapColours(const JxCRect& rect, const std::uint16_t* map) override;
    std::int16_t CopyFrom(JxCDisplaySlate* source, const plat::RECT& srcRect, const plat::RECT& dstRect,
                          std::int16_t transparent) override;
    std::int16_t CopyFromBits(JxCMemorySlate* source, const plat::RECT& srcRect, const plat::RECT& dstRect,
                              std::int16_t transparent) override;
    // A memory slate never remembers a palette.
    void SelectPalette(plat::HPALETTE, std::int16_t) override {}

    // Draws into another bitmap from now on (not owned); a bitmap the slate
    // made is deleted. The mapping becomes the bitmap's size at the current
    // logical origin.
    void AttachBitmap(const JxObjectRef& bitmap);
    const JxObjectRef& GetBitmap() const { return bitmap_; }
    std::int16_t HasBitmap() const { return hasBitmap_; }
    std::int16_t OwnsBitmap() const { return ownsBitmap_; }
    // Hands a bitmap the slate made to the caller: the slate no longer
    // deletes it.
    void ReleaseOwnership() { ownsBitmap_ = 0; }
    // The pixel bits and their header (orientation as the height's sign);
    // null without a bitmap or device context.
    std::uint8_t* GetBits(plat::BITMAPINFOHEADER* header) const;

private:
    void Initialise(const JxObjectRef* bitmap, std::int32_t width, std::int32_t height, std::int32_t x,
                    std::int32_t y);
    void DropBitmap();

    JxObjectRef bitmap_;
    plat::HGDIOBJ previousBitmap_ = nullptr;
    std::int16_t ownsBitmap_ = 0;
    std::int16_t hasBitmap_ = 0;
};
