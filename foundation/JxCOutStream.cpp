#include "foundation/JxCOutStream.h"

#include <algorithm>
#include <cstring>

#include "foundation/JxErrorHook.h"
#include "platform/fs/errors.h"
#include "platform/fs/files.h"

JxCOutStream::JxCOutStream(const char* fileName, Creation creation) : fileName_(fileName)
{
    if (fileName)
        file_ = creation == kNewFileOnly ? plat::CreateNewFile(fileName) : plat::_lcreat(fileName, 0);
    if (file_ == plat::HFILE_ERROR) {
        failed_ = true;
        error_ = fileName ? plat::GetLastError() : plat::ERROR_FILE_NOT_FOUND;
        if (creation == kReplaceFile)
            ReportError(kUnableToOpenFileId, fileName_);
        return;
    }
    buffer_.reset(new std::uint8_t[kBufferSize]);
}

JxCOutStream::JxCOutStream(plat::HFILE held) : file_(plat::CreateReplacement(held))
{
    if (file_ == plat::HFILE_ERROR) {
        failed_ = true;
        error_ = plat::GetLastError();
        return;
    }
    buffer_.reset(new std::uint8_t[kBufferSize]);
}

JxCOutStream::~JxCOutStream()
{
    Close();
}

bool JxCOutStream::flush()
{
    if (used_ == 0)
        return true;
    const plat::UINT n = static_cast<plat::UINT>(used_);
    const plat::UINT wrote = plat::_lwrite(file_, reinterpret_cast<const char*>(buffer_.get()), n);
    used_ = 0;
    if (wrote != n) {
        failed_ = true;
        error_ = plat::GetLastError() ? plat::GetLastError() : plat::ERROR_WRITE_FAULT;
        return false;
    }
    return true;
}

bool JxCOutStream::Close()
{
    if (file_ == plat::HFILE_ERROR)
        return false;
    if (!failed_)
        flush();
    // A stream that lost any of its bytes leaves the file it was to replace
    // as it was.
    if (failed_)
        plat::DiscardFile(file_);
    else if (plat::_lclose(file_) == plat::HFILE_ERROR) {
        failed_ = true;
        error_ = plat::GetLastError();
    }
    file_ = plat::HFILE_ERROR;
    buffer_.reset();
    return !failed_;
}

JxCOutStream& JxCOutStream::WriteBlock(const void* data, std::uint32_t n)
{
    if (file_ == plat::HFILE_ERROR || failed_)
        return *this;
    const auto* src = static_cast<const std::uint8_t*>(data);
    while (n > 0) {
        if (used_ == kBufferSize && !flush())
            return *this;
        const std::size_t take = std::min<std::size_t>(n, kBufferSize - used_);
        std::memcpy(buffer_.get() + used_, src, take);
        used_ += take;
        src += take;
        n -= static_cast<std::uint32_t>(take);
    }
    return *this;
}

JxCOutStream& JxCOutStream::WriteByte(std::uint8_t value)
{
    return WriteBlock(&value, 1);
}

JxCOutStream& JxCOutStream::WriteBigEndian16(std::uint16_t value)
{
    const std::uint8_t b[2] = {std::uint8_t(value >> 8), std::uint8_t(value)};
    return WriteBlock(b, 2);
}

JxCOutStream& JxCOutStream::WriteBigEndian16(std::int16_t value)
{
    return WriteBigEndian16(static_cast<std::uint16_t>(value));
}

JxCOutStream& JxCOutStream::WriteBigEndian32(std::uint32_t value)
{
    const std::uint8_t b[4] = {std::uint8_t(value >> 24), std::uint8_t(value >> 16),
                               std::uint8_t(value >> 8), std::uint8_t(value)};
    return WriteBlock(b, 4);
}

JxCOutStream& JxCOutStream::WriteBigEndian32(std::int32_t value)
{
    return WriteBigEndian32(static_cast<std::uint32_t>(value));
}

JxCOutStream& JxCOutStream::WriteBigEndian64(std::uint32_t low, std::uint32_t high)
{
    WriteBigEndian32(high);
    return WriteBigEndian32(low);
}

JxCOutStream& JxCOutStream::WriteBigEndian64(double value)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return WriteBigEndian64(static_cast<std::uint32_t>(bits), static_cast<std::uint32_t>(bits >> 32));
}

JxCOutStream& JxCOutStream::WriteCountedString(const JxCTableString& text)
{
    if (text.GetLength() > 32767) {
        failed_ = true;
        error_ = plat::ERROR_INVALID_PARAMETER;
        return *this;
    }
    WriteBigEndian16(static_cast<std::uint16_t>(text.GetLength()));
    if (text.GetLength() >= 1)
        WriteBlock(text.GetText(), text.GetLength());
    return *this;
}

JxCOutStream& JxCOutStream::WriteRect(const JxCRect& rect)
{
    WriteBigEndian16(rect.left);
    WriteBigEndian16(rect.top);
    WriteBigEndian16(rect.right);
    return WriteBigEndian16(rect.bottom);
}

JxCOutStream& JxCOutStream::WritePoint(const JxCPoint& point)
{
    WriteBigEndian16(point.x);
    return WriteBigEndian16(point.y);
}

JxCOutStream& JxCOutStream::WriteSize(const JxCSize& size)
{
    WriteBigEndian16(size.cx);
    return WriteBigEndian16(size.cy);
}

JxCOutStream& JxCOutStream::WriteRGB(const JxCRGB& colour)
{
    const std::uint8_t b[3] = {colour.red, colour.green, colour.blue};
    return WriteBlock(b, 3);
}

JxCOutStream& JxCOutStream::WriteLine(const JxCTableString& text)
{
    if (text.GetLength())
        WriteBlock(text.GetText(), text.GetLength());
    return WriteByte('\n');
}
