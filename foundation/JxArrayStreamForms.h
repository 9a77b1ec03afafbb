#pragma once
// How the elements of the array template are read from a binary stream, for
// JxCArray::Read: 16-bit and 32-bit numbers, points, rectangles and 64-bit
// reals, each in its big-endian form. Include this header where an array is
// read.

#include <cstdint>

#include "foundation/JxCArray.h"
#include "foundation/JxCInStrStream.h"

inline bool ReadArrayElement(JxCInStrStream& in, std::int16_t& v) { return bool(in.ReadBigEndian16(v)); }
inline bool ReadArrayElement(JxCInStrStream& in, std::int32_t& v) { return bool(in.ReadBigEndian32(v)); }
inline bool ReadArrayElement(JxCInStrStream& in, std::uint32_t& v) { return bool(in.ReadBigEndian32(v)); }
inline bool ReadArrayElement(JxCInStrStream& in, JxCPoint& p) { return bool(in.ReadBigEndianPoint(p)); }
inline bool ReadArrayElement(JxCInStrStream& in, JxCRect& r) { return bool(in.ReadBigEndianRect(r)); }
inline bool ReadArrayElement(JxCInStrStream& in, double& v) { return bool(in.ReadBigEndian64(v)); }

// The bytes one element takes in the stream.
constexpr std::uint32_t ArrayElementStreamSize(const std::int16_t*) { return 2; }
constexpr std::uint32_t ArrayElementStreamSize(const std::int32_t*) { return 4; }
constexpr std::uint32_t ArrayElementStreamSize(const std::uint32_t*) { return 4; }
constexpr std::uint32_t ArrayElementStreamSize(const JxCPoint*) { return 4; }
constexpr std::uint32_t ArrayElementStreamSize(const JxCRect*) { return 8; }
constexpr std::uint32_t ArrayElementStreamSize(const double*) { return 8; }

// A 16-bit big-endian count, then that many elements stored from 0 on. The
// array is sized for no more elements than the stream still holds; when the
// count runs past the end of the stream, the elements that are there are
// kept, the stream is left failed and the answer is false. A negative count
// is damage: the array is emptied and the answer is false.
template <class T>
bool ReadArray(JxCInStrStream& in, JxCArray<T>& array)
{
    std::int16_t stored = 0;
    if (!in.ReadBigEndian16(stored))
        return false;
    if (stored < 0) {
        array.SetSize(0);
        return false;
    }
    const std::int32_t count = stored;
    const std::uint32_t fits = in.Remaining() / ArrayElementStreamSize(static_cast<const T*>(nullptr));
    const std::int32_t room = static_cast<std::uint32_t>(count) < fits ? count : static_cast<std::int32_t>(fits);
    if (!array.SetSize(room))
        return false;
    for (std::int32_t i = 0; i < room; ++i) {
        if (!ReadArrayElement(in, array.GetAt(i))) {
            array.SetSize(i);
            return false;
        }
    }
    if (room < count) {
        T past{};
        ReadArrayElement(in, past);  // fails the stream at its end
        return false;
    }
    return true;
}
