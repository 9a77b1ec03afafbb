#pragma once
// The memory device contexts of the memory slates. On the pooled road
// (GraphicsUseWinG) a fixed number of contexts is made on the first request
// and handed out in turn; a request when all are taken reports message 1135
// with the pool size and gets none. On the other road every request makes a
// fresh context and every release deletes it.

#include <cstdint>

#include "foundation/JxObjectRef.h"
#include "platform/core/types.h"

constexpr unsigned kSlatePoolExhaustedId = 1135;
constexpr std::int16_t kDefaultSlatePoolSize = 6;

void SetSlatePoolSize(std::int16_t size);
std::int16_t GetSlatePoolSize();
// A memory device context, or null (reported) when the pool is exhausted.
plat::HDC AcquireSlateDC();
void ReleaseSlateDC(plat::HDC hdc);
// The bitmaps of the panels' transition slates (graphics/JxCPooledSlate.h).
// A page change draws each panel into an off-screen bitmap of its size
// (twice it for a wipe); the pool keeps the bitmaps given back, so that the
// next transition of a size takes one already made instead of making and
// clearing a fresh one. A bitmap handed out is 8-bit, has the colour table
// a fresh one for the product palette would have and holds zeros, as a
// fresh one does; empty when none can be made.
JxObjectRef AcquireTransitionBitmap(std::int32_t width, std::int32_t height);
// Gives a bitmap back (no longer selected anywhere); the pool keeps a few,
// the most recently given back first, and deletes the rest.
void ReleaseTransitionBitmap(const JxObjectRef& bitmap);

// Deletes the pool's contexts and kept bitmaps (at exit, and between
// tests); the next request makes it anew.
void FreeSlatePool();
