// Expanding a 640 by 480 RLE8 picture, as when a compressed bitmap of a
// full page is loaded.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "bench/side_by_side.h"
#include "graphics/JxRunDecoders.h"
#include "testkit/run_length.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

// A page-like picture: flat areas of a few colours, with edges and some
// dithered stretches.
std::vector<std::uint8_t> PagePicture()
{
    std::mt19937 rng(1);
    std::vector<std::uint8_t> p;
    p.reserve(kWidth * kHeight);
    for (int y = 0; y < kHeight; ++y) {
        int x = 0;
        while (x < kWidth) {
            const int kind = int(rng() % 10);
            const int len = std::min(kWidth - x, kind < 6 ? 8 + int(rng() % 120) : 2 + int(rng() % 12));
            const std::uint8_t colour = std::uint8_t(rng() % 32);
            for (int i = 0; i < len; ++i)
                p.push_back(kind < 8 ? colour : std::uint8_t(rng()));
            x += len;
        }
    }
    return p;
}

void BM_DecodeRle8Page(benchmark::State& state)
{
    const std::vector<std::uint8_t> code = testkit::EncodeRle8(PagePicture(), kWidth);
    std::vector<std::uint8_t> bits(std::size_t(kWidth) * kHeight);
    plat::BITMAPINFOHEADER header;
    header.biWidth = kWidth;
    header.biHeight = kHeight;
    header.biBitCount = 8;
    header.biCompression = plat::BI_RLE8;
    for (auto _ : state) {
        const bool ok = DecodeRle8(header, bits, code, true);
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(bits.data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bits.size()));
    state.counters["code_bytes"] = double(code.size());
}

// The peer is libavcodec's msrle decoder, which joins once the engine itself
// depends on FFmpeg's libraries; until then the pair is only named.
BENCH_PAIR(rle8_page_vs_libavcodec)
{
    bench::Skip("rle8_page_vs_libavcodec", "libavcodec is not yet a dependency of the engine");
    return true;
}

}  // namespace

BENCHMARK(BM_DecodeRle8Page)->Unit(benchmark::kMicrosecond);
