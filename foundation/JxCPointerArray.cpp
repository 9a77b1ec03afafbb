#include "foundation/JxCPointerArray.h"

#include <new>

#include "foundation/JxCInStrStream.h"
#include "foundation/JxCOutStream.h"

namespace {

// Reads count numbers with readOne, appending a cell for each.
template <class Array, class ReadOne>
bool readCells(Array& array, JxCInStrStream& in, ReadOne readOne)
{
    std::uint32_t count = 0;
    if (!in.ReadBigEndian32(count))
        return false;
    array.SetOwnsElements();
    for (std::uint32_t i = 0; i < count; ++i) {
        std::int32_t value = 0;
        if (!readOne(value))
            return false;
        auto* cell = new (std::nothrow) std::int32_t(value);
        if (!cell)
            return false;
        if (array.Add(cell) < 0) {
            delete cell;
            return false;
        }
    }
    return true;
}

}  // namespace

bool JxCPointerArray::Read(JxCInStrStream& in)
{
    return readCells(*this, in, [&in](std::int32_t& v) { return bool(in.ReadBigEndian32(v)); });
}

bool JxCPointerArray::Write(JxCOutStream& out) const
{
    out.WriteBigEndian32(GetCount());
    for (std::uint32_t i = 0; i < GetCount(); ++i)
        out.WriteBigEndian32(*GetAt(i));
    return !out.Fail();
}

bool JxCPointerArray16::Read(JxCInStrStream& in)
{
    return readCells(*this, in, [&in](std::int32_t& v) { return bool(in.ReadBigEndian16To32(v)); });
}

bool JxCPointerArray16::Write(JxCOutStream& out) const
{
    out.WriteBigEndian32(GetCount());
    for (std::uint32_t i = 0; i < GetCount(); ++i)
        out.WriteBigEndian16(static_cast<std::int16_t>(*GetAt(i)));
    return !out.Fail();
}
