#pragma once
// Big-endian writing, as the engine's binary formats store their integers.

#include <cstdint>
#include <string>
#include <vector>

namespace testkit {

inline void PutBigEndian16(std::vector<std::uint8_t>& out, std::uint16_t v)
{
    out.push_back(std::uint8_t(v >> 8));
    out.push_back(std::uint8_t(v));
}

inline void PutBigEndian32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    PutBigEndian16(out, std::uint16_t(v >> 16));
    PutBigEndian16(out, std::uint16_t(v));
}

// A counted text: s16 length, then the characters.
inline void PutCounted(std::vector<std::uint8_t>& out, const std::string& text)
{
    PutBigEndian16(out, std::uint16_t(text.size()));
    out.insert(out.end(), text.begin(), text.end());
}

}  // namespace testkit
