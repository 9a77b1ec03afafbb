#pragma once
// 8-bit colour indices through a 256-entry table to 32-bit pixels: the blit
// of every page picture to the screen, and so the bulk of a page change's
// work (a wipe copies its panel a dozen times). Where the processor has the
// byte permutes of AVX-512 VBMI, the table is held in registers as four
// planes of bytes and 64 pixels are looked up at a time; elsewhere, and for
// what is left of a row, one at a time.

#include <cstdint>

namespace plat {

class IndexExpander {
public:
    // The table must outlive the expander.
    explicit IndexExpander(const std::uint32_t* table) : table_(table) {}

    // dst[i] = table[src[i]] for i < n; src and dst do not overlap.
    void expand(const std::uint8_t* src, std::uint32_t* dst, int n);

private:
    const std::uint32_t* table_;
    bool planesMade_ = false;
    // Byte b of every entry, in entry order: the planes of the wide road,
    // made when a row first takes it.
    alignas(64) std::uint8_t planes_[4][256];
};

}  // namespace plat
