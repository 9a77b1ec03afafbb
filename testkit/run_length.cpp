#include "testkit/run_length.h"

#include <algorithm>

namespace testkit {

namespace {

// Length of the run of equal bytes at i, at most limit.
std::size_t RunAt(std::span<const std::uint8_t> p, std::size_t i, std::size_t limit)
{
    std::size_t n = 1;
    while (i + n < p.size() && n < limit && p[i + n] == p[i])
        ++n;
    return n;
}

}  // namespace

std::vector<std::uint8_t> EncodePicsCode(std::span<const std::uint8_t> pixels)
{
    std::vector<std::uint8_t> code;
    std::size_t i = 0;
    while (i < pixels.size()) {
        const std::size_t run = RunAt(pixels, i, 127);
        if (run >= 2) {
            code.push_back(std::uint8_t(run));
            code.push_back(pixels[i]);
            i += run;
            continue;
        }
        std::size_t n = 1;
        while (i + n < pixels.size() && n < 127 && RunAt(pixels, i + n, 3) < 3)
            ++n;
        code.push_back(std::uint8_t(0x80 | n));
        code.insert(code.end(), pixels.begin() + i, pixels.begin() + i + n);
        i += n;
    }
    return code;
}

std::vector<std::uint8_t> EncodeRle8(std::span<const std::uint8_t> pixels, std::size_t width)
{
    std::vector<std::uint8_t> code;
    for (std::size_t row = 0; row * width < pixels.size(); ++row) {
        const auto line = pixels.subspan(row * width, std::min(width, pixels.size() - row * width));
        std::size_t i = 0;
        while (i < line.size()) {
            const std::size_t run = RunAt(line, i, 255);
            // Absolute mode needs at least 3 bytes; shorter stretches are runs.
            std::size_t n = 0;
            while (i + n < line.size() && n < 255 && RunAt(line, i + n, 2) < 2)
                ++n;
            if (run >= 2 || n < 3) {
                code.push_back(std::uint8_t(run));
                code.push_back(line[i]);
                i += run;
                continue;
            }
            code.push_back(0);
            code.push_back(std::uint8_t(n));
            code.insert(code.end(), line.begin() + i, line.begin() + i + n);
            if (n & 1)
                code.push_back(0);
            i += n;
        }
        code.push_back(0);
        code.push_back(0);
    }
    code.push_back(0);
    code.push_back(1);
    return code;
}

}  // namespace testkit
