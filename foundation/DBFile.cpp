#include "foundation/DBFile.h"

#include <cstring>
#include <new>

#include "platform/fs/errors.h"
#include "platform/fs/files.h"
#include "platform/fs/stdio_files.h"

// The abstract stream does nothing and succeeds.
DBError DBStream::Open(const char*, const char*, int, std::uint32_t) { return kDbOk; }
DBError DBStream::Read(void*, std::uint32_t, std::uint32_t) { return kDbOk; }
DBError DBStream::Write(const void*, std::uint32_t, std::uint32_t) { return kDbOk; }
DBError DBStream::Seek(std::uint32_t) { return kDbOk; }
DBError DBStream::Lock() { return kDbOk; }
DBError DBStream::Unlock() { return kDbOk; }
DBError DBStream::Flush() { return kDbOk; }
DBError DBStream::GetLength(std::uint32_t&) { return kDbOk; }
DBError DBStream::SetLength(std::uint32_t) { return kDbOk; }

DBError DBStream::ReadAt(std::uint32_t offset, void* destination, std::uint32_t itemSize,
                         std::uint32_t itemCount)
{
    if (DBError e = Seek(offset))
        return e;
    return Read(destination, itemSize, itemCount);
}

DBError DBStream::WriteAt(std::uint32_t offset, const void* source, std::uint32_t itemSize,
                          std::uint32_t itemCount)
{
    if (DBError e = Seek(offset))
        return e;
    return Write(source, itemSize, itemCount);
}

DBError DBStream::GetMode(int& mode) const
{
    if (mode_ == "rb")
        mode = kRead;
    else if (mode_ == "wb")
        mode = kCreate;
    else if (mode_ == "rb+")
        mode = kUpdate;
    else
        return kDbBadArgument;
    return kDbOk;
}

const char* DBStream::ModeText(int mode)
{
    switch (mode) {
    case kRead: return "rb";
    case kCreate: return "wb";
    case kUpdate: return "rb+";
    default: return nullptr;
    }
}

DBFile::~DBFile()
{
    Close(false);
}

std::string DBFile::NameWithExtension(const char* name, const char* extension)
{
    std::string result(name, strnlen(name, kMaxNameLength));
    if (!extension)
        return result;
    // The extension replaces what follows the last '.' of the file name
    // itself; a '.' in a folder name before it does not count.
    std::size_t i = result.size();
    while (i > 0) {
        char c = result[i - 1];
        if (c == '\\' || c == '/' || c == '.')
            break;
        --i;
    }
    if (i > 0 && result[i - 1] == '.')
        result.resize(i);
    else
        result += '.';
    result += extension;
    return result;
}

DBError DBFile::Open(const char* name, const char* extension, int mode, std::uint32_t bufferSize)
{
    Close(false);
    error_ = kDbOk;
    if (name && *name) {
        try {
            fileName_ = NameWithExtension(name, extension);
            hasName_ = true;
        } catch (const std::bad_alloc&) {
            return SetError(kDbOutOfMemory);
        }
    }
    const char* modeText = ModeText(mode);
    if (!modeText) {
        fileName_.clear();
        hasName_ = false;
        return SetError(kDbBadArgument);
    }
    mode_ = modeText;

    if (hasName_) {
        stream_ = plat::OpenStdioFile(fileName_.c_str(), modeText);
        if (!stream_ && mode == kUpdate) {
            // A file that may only be read is still worth opening read-only.
            stream_ = plat::OpenStdioFile(fileName_.c_str(), "rb");
            if (stream_)
                mode_ = "rb";
        }
        if (!stream_) {
            MappedError();
            fileName_.clear();
            hasName_ = false;
            mode_.clear();
            return error_;
        }
    }

    if (bufferSize > kMaxBuffer)
        bufferSize = kMaxBuffer;
    else if (bufferSize != 0 && bufferSize < kMinBuffer)
        bufferSize = kMinBuffer;
    if (bufferSize) {
        buffer_.reset(new (std::nothrow) char[bufferSize]());
        if (buffer_) {
            bufferSize_ = bufferSize;
            if (stream_ && std::setvbuf(stream_, buffer_.get(), _IOFBF, bufferSize) != 0) {
                buffer_.reset();
                bufferSize_ = 0;
            }
        }
    }
    lastOp_ = LastOp::kNone;
    return error_;
}

DBError DBFile::Close(bool deleteFile)
{
    position_ = 0;
    mode_.clear();
    if (stream_) {
        bool ok = std::fflush(stream_) == 0;
        if (!ok)
            plat::SetLastErrorFromErrno();
        if (std::fclose(stream_) != 0 && ok) {
            plat::SetLastErrorFromErrno();
            ok = false;
        }
        stream_ = nullptr;
        error_ = ok ? kDbOk : MapSystemErrorToDbError();
        if (deleteFile && hasName_)
            error_ = plat::DeleteFileA(fileName_.c_str()) ? kDbOk : MapSystemErrorToDbError();
    }
    buffer_.reset();
    bufferSize_ = 0;
    fileName_.clear();
    hasName_ = false;
    lastOp_ = LastOp::kNone;
    return error_;
}

DBError DBFile::Reopen(int mode)
{
    if (!stream_)
        return error_;
    const char* modeText = ModeText(mode);
    if (!modeText)
        return SetError(kDbBadArgument);
    std::string remembered = mode_;
    std::fflush(stream_);
    stream_ = plat::ReopenStdioFile(fileName_.c_str(), modeText, stream_);
    lastOp_ = LastOp::kNone;
    if (!stream_) {
        mode_ = remembered;
        return MappedError();
    }
    mode_ = modeText;
    if (buffer_ && std::setvbuf(stream_, buffer_.get(), _IOFBF, bufferSize_) != 0) {
        buffer_.reset();
        bufferSize_ = 0;
    }
    return SetError(kDbOk);
}

void DBFile::SwitchTo(LastOp op)
{
    if (lastOp_ != LastOp::kNone && lastOp_ != op)
        std::fseek(stream_, 0, SEEK_CUR);
    lastOp_ = op;
}

DBError DBFile::FileResult(bool ok)
{
    if (ok)
        return SetError(kDbOk);
    plat::SetLastErrorFromErrno();
    return MappedError();
}

char* DBFile::BlockAt(std::uint32_t itemSize, std::uint32_t itemCount) const
{
    std::uint64_t size = std::uint64_t(itemSize) * itemCount;
    return buffer_ && position_ + size <= bufferSize_ ? buffer_.get() + position_ : nullptr;
}

DBError DBFile::Read(void* destination, std::uint32_t itemSize, std::uint32_t itemCount)
{
    if (stream_) {
        SwitchTo(LastOp::kRead);
        errno = 0;
        return FileResult(std::fread(destination, itemSize, itemCount, stream_) == itemCount);
    }
    char* at = BlockAt(itemSize, itemCount);
    if (!at)
        return SetError(kDbSystemError);
    std::memcpy(destination, at, std::size_t(itemSize) * itemCount);
    return SetError(kDbOk);
}

DBError DBFile::Write(const void* source, std::uint32_t itemSize, std::uint32_t itemCount)
{
    if (stream_) {
        SwitchTo(LastOp::kWrite);
        errno = 0;
        return FileResult(std::fwrite(source, itemSize, itemCount, stream_) == itemCount);
    }
    // A write that does not fit the block is an error, not a silent no-op.
    char* at = BlockAt(itemSize, itemCount);
    if (!at)
        return SetError(kDbSystemError);
    std::memcpy(at, source, std::size_t(itemSize) * itemCount);
    return SetError(kDbOk);
}

DBError DBFile::Seek(std::uint32_t offset)
{
    if (!stream_) {
        position_ = offset;
        return SetError(kDbOk);
    }
    lastOp_ = LastOp::kNone;
    errno = 0;
    return FileResult(std::fseek(stream_, static_cast<long>(offset), SEEK_SET) == 0);
}

DBError DBFile::Flush()
{
    if (!stream_)
        return SetError(kDbOk);
    errno = 0;
    return FileResult(std::fflush(stream_) == 0);
}

DBError DBFile::GetLength(std::uint32_t& length)
{
    if (!stream_) {
        if (buffer_)
            length = bufferSize_;
        return SetError(kDbOk);
    }
    return plat::GetStdioFileLength(stream_, length) ? SetError(kDbOk) : MappedError();
}

DBError DBFile::SetLength(std::uint32_t length)
{
    if (!stream_)
        return SetError(kDbOk);
    lastOp_ = LastOp::kNone;
    return plat::SetStdioFileLength(stream_, length) ? SetError(kDbOk) : MappedError();
}

DBError DBFile::CanOpen(const char* name, const char* extension)
{
    if (!name || !*name)
        return kDbFileNotFound;
    DBFile probe;
    DBError e = probe.Open(name, extension, kRead, kMinBuffer);
    probe.Close(false);
    return e;
}
