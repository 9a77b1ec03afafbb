// Blits the engine does on every screen update: an 8-bit page picture to the
// 32-bit screen through its colour table, and a 32-bit picture down to an
// 8-bit surface by nearest colour (the table of nearest colours is cached
// with the surface, so after the first pass it is warm, as in use).

#include <benchmark/benchmark.h>

#include <cstdint>

#include "platform/draw/draw.h"
#include "platform/screen/screen.h"

namespace {

using namespace plat;

constexpr int kWidth = 640;
constexpr int kHeight = 480;

BITMAPINFO header(int bpp)
{
    BITMAPINFO info{};
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;
    info.bmiHeader.biBitCount = WORD(bpp);
    if (bpp == 8) {
        info.bmiHeader.biClrUsed = 256;
        for (int i = 0; i < 256; ++i)
            info.bmiColors[i] = {BYTE(i * 7), BYTE(i * 13), BYTE(i * 3), 0};
    }
    return info;
}

void EightBitToScreen(benchmark::State& state)
{
    BITMAPINFO info = header(8);
    void* bits = nullptr;
    HBITMAP picture = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits);
    auto* p = static_cast<BYTE*>(bits);
    for (int i = 0; i < kWidth * kHeight; ++i)
        p[i] = BYTE(i * 31 + i / kWidth);
    HDC source = CreateCompatibleDC(nullptr);
    SelectObject(source, picture);
    HDC screen = CreateScreenSurfaceDC({80, 60}, Region(RECT{80, 60, 80 + kWidth, 60 + kHeight}));
    for (auto _ : state) {
        BitBlt(screen, 0, 0, kWidth, kHeight, source, 0, 0, SRCCOPY);
        benchmark::DoNotOptimize(TheScreen().pixels()[100 * 800 + 100]);
    }
    state.SetBytesProcessed(state.iterations() * kWidth * kHeight * 5);
    DeleteDC(screen);
    DeleteDC(source);
    DeleteObject(picture);
    TheScreen().takeDirty();
}
BENCHMARK(EightBitToScreen)->Unit(benchmark::kMillisecond);

void ThirtyTwoBitToEightBitNearest(benchmark::State& state)
{
    BITMAPINFO deep = header(32);
    void* bits = nullptr;
    HBITMAP picture = CreateDIBSection(nullptr, &deep, DIB_RGB_COLORS, &bits);
    auto* p = static_cast<std::uint32_t*>(bits);
    // A photograph-like picture: smooth gradients, a few thousand colours.
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            p[y * kWidth + x] = (std::uint32_t(x * 255 / kWidth) << 16) | (std::uint32_t(y * 255 / kHeight) << 8) |
                                std::uint32_t((x + y) & 0xC0);
    BITMAPINFO eight = header(8);
    void* targetBits = nullptr;
    HBITMAP target = CreateDIBSection(nullptr, &eight, DIB_RGB_COLORS, &targetBits);
    HDC source = CreateCompatibleDC(nullptr);
    HDC dest = CreateCompatibleDC(nullptr);
    SelectObject(source, picture);
    SelectObject(dest, target);
    for (auto _ : state) {
        BitBlt(dest, 0, 0, kWidth, kHeight, source, 0, 0, SRCCOPY);
        benchmark::DoNotOptimize(static_cast<BYTE*>(targetBits)[1000]);
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
    DeleteDC(source);
    DeleteDC(dest);
    DeleteObject(picture);
    DeleteObject(target);
}
BENCHMARK(ThirtyTwoBitToEightBitNearest)->Unit(benchmark::kMillisecond);

}  // namespace
