#include "foundation/JxStreamSource.h"

#include <algorithm>
#include <cstring>

#include "platform/fs/files.h"

JxStreamSource::~JxStreamSource()
{
    Close();
}

void JxStreamSource::Close()
{
    if (file_ != plat::HFILE_ERROR && ownsFile_)
        plat::_lclose(file_);
    file_ = plat::HFILE_ERROR;
    ownsFile_ = false;
    inMemory_ = false;
    memory_ = nullptr;
    buffer_.reset();
    baseOffset_ = size_ = position_ = bufferStart_ = bufferLength_ = 0;
}

namespace {

std::uint32_t fileSize(plat::HFILE file)
{
    plat::DWORD high = 0;
    const plat::DWORD size = plat::GetFileSize(file, &high);
    if (size == plat::INVALID_FILE_SIZE)
        return 0;
    return high ? 0xFFFFFFFFu : size;
}

}  // namespace

bool JxStreamSource::OpenFile(const char* fileName, std::uint32_t baseOffset)
{
    Close();
    if (!fileName)
        return false;
    plat::OFSTRUCT info;
    const plat::HFILE file = plat::OpenFile(fileName, &info, plat::OF_READ | plat::OF_SHARE_DENY_NONE);
    if (file == plat::HFILE_ERROR)
        return false;
    AttachHandle(file, baseOffset, std::nullopt);
    ownsFile_ = true;
    return true;
}

void JxStreamSource::AttachHandle(plat::HFILE file, std::uint32_t baseOffset,
                                  std::optional<std::uint32_t> end)
{
    Close();
    if (file == plat::HFILE_ERROR)
        return;
    file_ = file;
    baseOffset_ = baseOffset;
    std::uint32_t last = fileSize(file);
    if (end && *end < last)
        last = *end;
    size_ = last > baseOffset ? last - baseOffset : 0;
    buffer_.reset(new std::uint8_t[kBufferSize]);
}

void JxStreamSource::AdoptHandle(plat::HFILE file)
{
    AttachHandle(file, 0, std::nullopt);
    ownsFile_ = file_ != plat::HFILE_ERROR;
}

void JxStreamSource::AttachMemory(const void* block, std::uint32_t size)
{
    Close();
    inMemory_ = true;
    memory_ = static_cast<const std::uint8_t*>(block);
    size_ = block ? size : 0;
}

bool JxStreamSource::Seek(std::uint32_t position)
{
    if (!IsOpen())
        return false;
    position_ = position;
    return true;
}

bool JxStreamSource::fill()
{
    // The handle may be shared with other readers, so every fill seeks first.
    const std::uint32_t want =
        static_cast<std::uint32_t>(std::min<std::uint64_t>(kBufferSize, Remaining()));
    if (want == 0)
        return false;
    if (plat::_llseek(file_, static_cast<plat::LONG>(baseOffset_ + position_), plat::FILE_BEGIN) ==
        static_cast<plat::LONG>(plat::HFILE_ERROR))
        return false;
    const plat::UINT got = plat::_lread(file_, buffer_.get(), want);
    if (got == static_cast<plat::UINT>(plat::HFILE_ERROR) || got == 0) {
        bufferLength_ = 0;
        return false;
    }
    bufferStart_ = position_;
    bufferLength_ = got;
    return true;
}

bool JxStreamSource::Read(void* out, std::uint32_t n)
{
    if (n == 0)
        return IsOpen();
    if (!IsOpen() || Remaining() < n)
        return false;
    auto* dst = static_cast<std::uint8_t*>(out);
    if (inMemory_) {
        std::memcpy(dst, memory_ + position_, n);
        position_ += n;
        return true;
    }
    // Small reads (every value reader) go through a scratch copy so that a
    // file that shrank underneath still leaves the target untouched.
    std::uint8_t scratch[16];
    std::uint8_t* into = n <= sizeof scratch ? scratch : dst;
    const std::uint32_t start = position_;
    std::uint32_t done = 0;
    while (done < n) {
        const bool inBuffer = position_ >= bufferStart_ && position_ < bufferStart_ + bufferLength_;
        if (!inBuffer && !fill()) {
            position_ = start;
            return false;
        }
        const std::uint32_t offset = position_ - bufferStart_;
        const std::uint32_t take = std::min(n - done, bufferLength_ - offset);
        std::memcpy(into + done, buffer_.get() + offset, take);
        done += take;
        position_ += take;
    }
    if (into == scratch)
        std::memcpy(dst, scratch, n);
    return true;
}

int JxStreamSource::Get()
{
    std::uint8_t c = 0;
    return Read(&c, 1) ? c : -1;
}
