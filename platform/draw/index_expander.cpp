#include "platform/draw/index_expander.h"

#include <array>
#include <bit>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace plat {

namespace {

// Four indices are read at a time; the table and the rows never overlap.
// GCC would gather the four table reads into one vector store, whose
// shuffles cost more than four plain stores.
#if defined(__GNUC__) && !defined(__clang__)
[[gnu::optimize("no-tree-slp-vectorize")]]
#endif
void expandOneByOne(const std::uint8_t* __restrict src, std::uint32_t* __restrict dst, int n,
                    const std::uint32_t* __restrict table)
{
    int i = 0;
    for (; std::endian::native == std::endian::little && i + 4 <= n; i += 4) {
        std::uint32_t four;
        std::memcpy(&four, src + i, 4);
        dst[i] = table[four & 0xFF];
        dst[i + 1] = table[(four >> 8) & 0xFF];
        dst[i + 2] = table[(four >> 16) & 0xFF];
        dst[i + 3] = table[four >> 24];
    }
    for (; i < n; ++i)
        dst[i] = table[src[i]];
}

#if defined(__x86_64__)

constexpr int kWideStep = 64;

bool haveWideRoad()
{
    static const bool have = __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vbmi");
    return have;
}

// The byte interleaves that make pixels of the four planes work within
// 128-bit lanes: pixel 16m + 4k + j of the 64 comes out of lane k, group m,
// byte j. The indices are put in that order first.
constexpr std::array<std::uint8_t, kWideStep> kLaneOrder = [] {
    std::array<std::uint8_t, kWideStep> order{};
    for (int k = 0; k < 4; ++k)
        for (int m = 0; m < 4; ++m)
            for (int j = 0; j < 4; ++j)
                order[std::size_t(16 * k + 4 * m + j)] = std::uint8_t(16 * m + 4 * k + j);
    return order;
}();

// The whole groups of 64 pixels at the start of the row; how many pixels
// they were.
[[gnu::target("avx512f,avx512bw,avx512vbmi")]]
int expandWide(const std::uint8_t* src, std::uint32_t* dst, int n, const std::uint8_t (*planes)[256])
{
    __m512i table[4][4];
    for (int b = 0; b < 4; ++b)
        for (int q = 0; q < 4; ++q)
            table[b][q] = _mm512_load_si512(planes[b] + 64 * q);
    const __m512i order = _mm512_loadu_si512(kLaneOrder.data());
    int i = 0;
    for (; i + kWideStep <= n; i += kWideStep) {
        // (The zero-masking form with every lane kept: GCC's plain one
        // starts from an undefined register, which its warnings call unset.)
        const __m512i index = _mm512_maskz_permutexvar_epi8(~__mmask64(0), order, _mm512_loadu_si512(src + i));
        // Each permute looks up 128 entries by the low seven bits; the top
        // bit chooses between the two halves of the table.
        const __mmask64 upper = _mm512_movepi8_mask(index);
        __m512i bytes[4];
        for (int b = 0; b < 4; ++b)
            bytes[b] = _mm512_mask_blend_epi8(upper, _mm512_permutex2var_epi8(table[b][0], index, table[b][1]),
                                              _mm512_permutex2var_epi8(table[b][2], index, table[b][3]));
        const __m512i low01 = _mm512_unpacklo_epi8(bytes[0], bytes[1]);
        const __m512i high01 = _mm512_unpackhi_epi8(bytes[0], bytes[1]);
        const __m512i low23 = _mm512_unpacklo_epi8(bytes[2], bytes[3]);
        const __m512i high23 = _mm512_unpackhi_epi8(bytes[2], bytes[3]);
        _mm512_storeu_si512(dst + i, _mm512_unpacklo_epi16(low01, low23));
        _mm512_storeu_si512(dst + i + 16, _mm512_unpackhi_epi16(low01, low23));
        _mm512_storeu_si512(dst + i + 32, _mm512_unpacklo_epi16(high01, high23));
        _mm512_storeu_si512(dst + i + 48, _mm512_unpackhi_epi16(high01, high23));
    }
    return i;
}

#endif

}  // namespace

void IndexExpander::expand(const std::uint8_t* src, std::uint32_t* dst, int n)
{
    int done = 0;
#if defined(__x86_64__)
    if (n >= kWideStep && haveWideRoad()) {
        if (!planesMade_) {
            for (int i = 0; i < 256; ++i)
                for (int b = 0; b < 4; ++b)
                    planes_[b][i] = std::uint8_t(table_[i] >> (8 * b));
            planesMade_ = true;
        }
        done = expandWide(src, dst, n, planes_);
    }
#endif
    expandOneByOne(src + done, dst + done, n - done, table_);
}

}  // namespace plat
