// Blits the engine does on every screen update: an 8-bit page picture to the
// 32-bit screen through its colour table, and a 32-bit picture down to an
// 8-bit surface by nearest colour (the table of nearest colours is cached
// with the surface, so after the first pass it is warm, as in use).
// Side by side: the 8-bit to 32-bit blit against SDL_BlitSurface from an
// 8-bit paletted surface to ARGB8888, on the same picture and colours.

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "bench/side_by_side.h"
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

// A page picture of 8-bit indices over every colour of the table.
void fillPicture(BYTE* p)
{
    for (int i = 0; i < kWidth * kHeight; ++i)
        p[i] = BYTE(i * 31 + i / kWidth);
}

// A picture and a target of the given depths, each selected into a memory
// DC; all four go with it.
struct MemoryBlit {
    MemoryBlit(int fromDepth, int toDepth)
        : fromInfo(header(fromDepth)), toInfo(header(toDepth)),
          picture(CreateDIBSection(nullptr, &fromInfo, DIB_RGB_COLORS, &pictureBits)),
          target(CreateDIBSection(nullptr, &toInfo, DIB_RGB_COLORS, &targetBits)),
          source(CreateCompatibleDC(nullptr)), dest(CreateCompatibleDC(nullptr))
    {
        SelectObject(source, picture);
        SelectObject(dest, target);
    }
    ~MemoryBlit()
    {
        DeleteDC(source);
        DeleteDC(dest);
        DeleteObject(picture);
        DeleteObject(target);
    }
    MemoryBlit(const MemoryBlit&) = delete;
    MemoryBlit& operator=(const MemoryBlit&) = delete;
    void run() { BitBlt(dest, 0, 0, kWidth, kHeight, source, 0, 0, SRCCOPY); }

    BITMAPINFO fromInfo, toInfo;
    void* pictureBits = nullptr;
    void* targetBits = nullptr;
    HBITMAP picture, target;
    HDC source, dest;
};

void EightBitToScreen(benchmark::State& state)
{
    BITMAPINFO info = header(8);
    void* bits = nullptr;
    HBITMAP picture = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits);
    fillPicture(static_cast<BYTE*>(bits));
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
    MemoryBlit blit(32, 8);
    auto* p = static_cast<std::uint32_t*>(blit.pictureBits);
    // A photograph-like picture: smooth gradients, a few thousand colours.
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            p[y * kWidth + x] = (std::uint32_t(x * 255 / kWidth) << 16) | (std::uint32_t(y * 255 / kHeight) << 8) |
                                std::uint32_t((x + y) & 0xC0);
    for (auto _ : state) {
        blit.run();
        benchmark::DoNotOptimize(static_cast<BYTE*>(blit.targetBits)[1000]);
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(ThirtyTwoBitToEightBitNearest)->Unit(benchmark::kMillisecond);

// The same picture into a 32-bit surface in memory, ours and SDL's.
BENCH_PAIR(blit_8_to_32_vs_sdl)
{
    MemoryBlit blit(8, 32);
    fillPicture(static_cast<BYTE*>(blit.pictureBits));
    const BITMAPINFO& eight = blit.fromInfo;
    SDL_Surface* from = SDL_CreateRGBSurfaceWithFormat(0, kWidth, kHeight, 8, SDL_PIXELFORMAT_INDEX8);
    SDL_Surface* to = SDL_CreateRGBSurfaceWithFormat(0, kWidth, kHeight, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!from || !to) {
        std::printf("SDL surfaces: %s\n", SDL_GetError());
        SDL_FreeSurface(from);
        SDL_FreeSurface(to);
        return false;
    }
    SDL_Color colours[256];
    for (int i = 0; i < 256; ++i)
        colours[i] = {eight.bmiColors[i].rgbRed, eight.bmiColors[i].rgbGreen, eight.bmiColors[i].rgbBlue, 255};
    SDL_SetPaletteColors(from->format->palette, colours, 0, 256);
    for (int y = 0; y < kHeight; ++y)
        std::memcpy(static_cast<BYTE*>(from->pixels) + std::ptrdiff_t(y) * from->pitch,
                    static_cast<const BYTE*>(blit.pictureBits) + std::ptrdiff_t(y) * kWidth, kWidth);

    auto ours = [&] { blit.run(); };
    auto peer = [&] { SDL_BlitSurface(from, nullptr, to, nullptr); };
    bench::Race("blit_8_to_32_vs_sdl", ours, peer, {41, 10});

    // The same colours in every pixel; SDL sets the alpha byte, we leave it.
    bool same = true;
    for (int y = 0; y < kHeight && same; ++y) {
        const auto* a = static_cast<const std::uint32_t*>(blit.targetBits) + std::ptrdiff_t(y) * kWidth;
        const auto* b = reinterpret_cast<const std::uint32_t*>(static_cast<const BYTE*>(to->pixels) +
                                                               std::ptrdiff_t(y) * to->pitch);
        for (int x = 0; x < kWidth; ++x) {
            if ((a[x] & 0xFFFFFF) != (b[x] & 0xFFFFFF)) {
                std::printf("pixel (%d, %d): ours %06X, SDL %06X\n", x, y, a[x] & 0xFFFFFF, b[x] & 0xFFFFFF);
                same = false;
                break;
            }
        }
    }
    SDL_FreeSurface(from);
    SDL_FreeSurface(to);
    return same;
}

}  // namespace
