#pragma once
// Copies of pixel rectangles between 8-bit device-independent bitmaps.

#include <cstddef>
#include <cstdint>

#include "platform/core/types.h"
#include "platform/draw/surface.h"

enum JxCopyMode : int { kCopyOpaque = 0, kCopyTransparent = 1 };

// Copies width x height bytes row by row. With flip the destination rows are
// taken from its last row backwards, turning the picture upside down.
void CopyPixelRows(std::uint8_t* dst, std::ptrdiff_t dstStep, const std::uint8_t* src, std::ptrdiff_t srcStep,
                   std::int32_t width, std::int32_t height, bool flip);
// The same, leaving destination bytes alone where the source byte is key.
void CopyPixelRowsKeyed(std::uint8_t* dst, std::ptrdiff_t dstStep, const std::uint8_t* src,
                        std::ptrdiff_t srcStep, std::int32_t width, std::int32_t height, bool flip,
                        std::uint8_t key);

// Copies the source rectangle to the destination rectangle of two DIBs (their smaller
// width and height, from their top-left corners), clipped to both bitmaps
// so that nothing outside either is touched; each bitmap's rows are
// addressed in its own orientation, so the picture stays upright. Mode 0 is
// opaque, 1 leaves the destination where the source is key; other modes
// copy nothing. Returns 0 for a null pointer or a bitmap that is not 8-bit,
// else 1 (also when nothing is left to copy).
int CopyDibRect(std::uint8_t* dstBits, const plat::BITMAPINFOHEADER& dstDib, const plat::RECT& dstRect,
                const std::uint8_t* srcBits, const plat::BITMAPINFOHEADER& srcDib, const plat::RECT& srcRect, int mode,
                std::uint8_t key);
