#pragma once
// The memory device contexts of the memory slates. On the pooled road
// (GraphicsUseWinG) a fixed number of contexts is made on the first request
// and handed out in turn; a request when all are taken reports message 1135
// with the pool size and gets none. On the other road every request makes a
// fresh context and every release deletes it.

#include <cstdint>

#include "platform/core/types.h"

constexpr unsigned kSlatePoolExhaustedId = 1135;
constexpr std::int16_t kDefaultSlatePoolSize = 6;

void SetSlatePoolSize(std::int16_t size);
std::int16_t GetSlatePoolSize();
// A memory device context, or null (reported) when the pool is exhausted.
plat::HDC AcquireSlateDC();
void ReleaseSlateDC(plat::HDC hdc);
// Deletes the pool's contexts (at exit, and between tests); the next
// request makes it anew.
void FreeSlatePool();
