#include "foundation/JxCInStrStream.h"

#include <cstring>
#include <string>

#include "platform/fs/files.h"

namespace {

std::uint16_t be16(const std::uint8_t* b)
{
    return static_cast<std::uint16_t>((b[0] << 8) | b[1]);
}

std::uint32_t be32(const std::uint8_t* b)
{
    return (std::uint32_t(b[0]) << 24) | (std::uint32_t(b[1]) << 16) | (std::uint32_t(b[2]) << 8) | b[3];
}

std::int16_t signed16(const std::uint8_t* b)
{
    return static_cast<std::int16_t>(be16(b));
}

}  // namespace

JxCInStrStream::JxCInStrStream(const char* fileName, std::uint32_t baseOffset)
{
    source_.OpenFile(fileName, baseOffset);
}

JxCInStrStream::JxCInStrStream(plat::HFILE file, std::uint32_t baseOffset,
                               std::optional<std::uint32_t> end)
{
    source_.AttachHandle(file, baseOffset, end);
}

JxCInStrStream::JxCInStrStream(JxMemoryBlock block)
{
    source_.AttachMemory(block.data, block.size);
}

JxCInStrStream::~JxCInStrStream() = default;

void JxCInStrStream::CloseFile()
{
    source_.Close();
}

void JxCInStrStream::ClearState()
{
    failed_ = atEnd_ = false;
}

bool JxCInStrStream::take(void* out, std::uint32_t n)
{
    if (failed_ || !source_.IsOpen()) {
        failed_ = true;
        return false;
    }
    if (!source_.Read(out, n)) {
        failed_ = atEnd_ = true;
        return false;
    }
    return true;
}

JxCInStrStream& JxCInStrStream::ReadByte(std::uint8_t& value)
{
    std::uint8_t b;
    if (take(&b, 1))
        value = b;
    return *this;
}

JxCInStrStream& JxCInStrStream::ReadBigEndian16(std::int16_t& value)
{
    std::uint8_t b[2];
    if (take(b, 2))
        value = signed16(b);
    return *this;
}

JxCInStrStream& JxCInStrStream::ReadBigEndian16(std::uint16_t& value)
{
    std::uint8_t b[2];
    if (take(b, 2))
        value = be16(b);
    return *this;
}

JxCInStrStream& JxCInStrStream::ReadBigEndian16To32(std::int32_t& value)
{
    std::uint8_t b[2];
    if (take(b, 2))
        value = signed16(b);
    return *this;
}

JxCInStrStream& JxCInStrStream::ReadBigEndian16To32(std::uint32_t& value)
{
    std::uint8_t b[2];
    if (take(b, 2))
        value = static_cast<std::uint32_t>(static_cast<std::int32_t>(signed16(b)));
    return *this;
}

JxCInStrStream& JxCInStrStream::ReadBigEndian32(std::int32_t& value)
{
    std::uint8_t b[4];
    if (take(b, 4))
        value = static_cast<std::int32_t>(be32(b));
    return *this;
}

JxCInStrStream& JxCInStrStream::ReadBigEndian32(std::uint32_t& value)
{
    std::uint8_t b[4];
    if (take(b, 4))
        value = be32(b);
    return *this;
}

JxCInStrStream& JxCInStrStream::ReadBigEndian64(std::uint64_t& value)
{
    std::uint8_t b[8];
    if (take(b, 8))
        value = (std::uint64_t(be32(b)) << 32) | be32(b + 4);
    return *this;
}

JxCInStrStream& JxCInStrStream::ReadBigEndian64(double& value)
{
    std::uint64_t bits = 0;
    const bool ok = !failed_;
    ReadBigEndian64(bits);
    if (ok && !failed_)
        std::memcpy(&value, &bits, sizeof value);
    return *this;
}

JxCInStrStream& JxCInStrStream::ReadCountedString(JxCBaseString& text)
{
    std::uint8_t b[2];
    if (!take(b, 2))
        return *this;
    const std::int16_t length = signed16(b);
    if (length < 1) {
        text = "";
        return *this;
    }
    // The bytes must all be there before anything is allocated for them.
    if (source_.Remaining() < static_cast<std::uint32_t>(length)) {
        failed_ = atEnd_ = true;
        return *this;
    }
    std::string bytes(static_cast<std::size_t>(length), '\0');
    if (take(bytes.data(), static_cast<std::uint32_t>(length)))
        text = JxCBaseString(std::string_view(bytes));
    return *this;
}

JxCInStrStream& JxCInStrStream::ReadBigEndianRect(JxCRect& rect)
{
    std::uint8_t b[8];
    if (take(b, 8))
        rect.Set(signed16(b), signed16(b + 2), signed16(b + 4), signed16(b + 6));
    return *this;
}

JxCInStrStream& JxCInStrStream::ReadBigEndianPoint(JxCPoint& point)
{
    std::uint8_t b[4];
    if (take(b, 4)) {
        point.x = signed16(b);
        point.y = signed16(b + 2);
    }
    return *this;
}

JxCInStrStream& JxCInStrStream::ReadBigEndian16Pair(JxCSize& size)
{
    std::uint8_t b[4];
    if (take(b, 4)) {
        size.cx = signed16(b);
        size.cy = signed16(b + 2);
    }
    return *this;
}

JxCInStrStream& JxCInStrStream::ReadRGB(JxCRGB& colour)
{
    std::uint8_t b[3];
    if (take(b, 3)) {
        colour.red = b[0];
        colour.green = b[1];
        colour.blue = b[2];
    }
    return *this;
}

namespace {

template <class Id>
void readId(JxCInStrStream& in, Id& id)
{
    std::int16_t v = 0;
    if (in.ReadBigEndian16(v))
        id = Id(v);
}

}  // namespace

JxCInStrStream& JxCInStrStream::ReadPageTypeId(JxCPageTypeId& id)
{
    readId(*this, id);
    return *this;
}

JxCInStrStream& JxCInStrStream::ReadPanelTypeId(JxCPanelTypeId& id)
{
    readId(*this, id);
    return *this;
}

JxCInStrStream& JxCInStrStream::ReadActionTypeId(JxCActionTypeId& id)
{
    readId(*this, id);
    return *this;
}

JxCInStrStream& JxCInStrStream::ReadEventId(JxCEventId& id)
{
    readId(*this, id);
    return *this;
}

JxCInStrStream& JxCInStrStream::ReadResourceTypeId(JxCResourceTypeId& id)
{
    readId(*this, id);
    return *this;
}

JxCInStrStream& JxCInStrStream::ReadBlock(void* buffer, std::uint32_t n)
{
    if (n == 0)
        return *this;
    if (!buffer) {
        failed_ = true;
        return *this;
    }
    take(buffer, n);
    return *this;
}

JxCInStrStream& JxCInStrStream::Seek(std::uint32_t position)
{
    if (source_.Seek(position))
        ClearState();
    else
        failed_ = true;
    return *this;
}

JxCExclStream::~JxCExclStream() = default;

bool JxCExclStream::Open(const char* fileName, unsigned mode, unsigned share)
{
    CloseFile();
    ClearState();
    if (!fileName)
        return false;
    plat::OFSTRUCT info;
    const plat::HFILE file = plat::OpenFile(fileName, &info, mode | share);
    if (file == plat::HFILE_ERROR)
        return false;
    Source().AdoptHandle(file);
    return true;
}
