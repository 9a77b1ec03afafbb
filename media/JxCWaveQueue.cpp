#include "media/JxCWaveQueue.h"

#include <new>

#include "media/JxCQT3Overseer.h"
#include "media/JxWaveMessages.h"

JxCWaveQueue::JxCWaveQueue(std::int32_t bufferCount) : count_(bufferCount > 0 ? bufferCount : 0)
{
    for (std::int32_t i = 0; i < count_; ++i)
        buffers_.push_back(std::make_unique<Buffer>());
}

JxCWaveQueue::~JxCWaveQueue()
{
    if (device_ && IsPlaying())
        Close();
    else if (device_)
        plat::waveOutClose(device_);
}

const plat::WAVEHDR* JxCWaveQueue::GetHeader(std::int32_t i) const
{
    return i >= 0 && i < count_ ? &buffers_[std::size_t(i)]->header : nullptr;
}

std::int32_t JxCWaveQueue::fill(Buffer& b, JxWaveSource* source, std::int32_t length)
{
    if (!source || !source->IsOpen())
        return 1;
    if (b.header.dwFlags & plat::WHDR_PREPARED) {
        if (!(b.header.dwFlags & plat::WHDR_DONE))
            return 1;  // still playing: the ring is full
        b.header.dwFlags &= ~plat::WHDR_DONE;
        if (plat::waveOutUnprepareHeader(device_, &b.header, sizeof b.header) != 0 && device_)
            return 1;
        b.header.dwFlags &= ~plat::WHDR_PREPARED;
    }
    if (length < 1)
        return 1;
    std::int32_t result = 0;
    if (std::size_t(length) > b.data.size()) {
        try {
            b.data = std::vector<char>(std::size_t(length));
        } catch (const std::bad_alloc&) {
            b.data.clear();
            result = 6;
        }
    }
    if (!result && !source->Read(b.data.data(), length))
        result = 5;
    if (result) {
        b.header.lpData = nullptr;
        b.header.dwBufferLength = 0;
        return result;
    }
    b.header.lpData = b.data.data();
    b.header.dwBufferLength = plat::DWORD(length);
    b.header.dwUser = sequence_;
    return 0;
}

std::int32_t JxCWaveQueue::Queue(JxWaveSource* source, std::int32_t length)
{
    if (count_ == 0)
        return 1;
    std::int32_t result = fill(*buffers_[std::size_t(write_)], source, length);
    if (result)
        return result;
    ++sequence_;
    write_ = (write_ + 1) % count_;
    return 0;
}

std::int32_t JxCWaveQueue::submit(Buffer& b)
{
    const plat::DWORD flags = b.header.dwFlags;
    if (!b.header.lpData || ((flags & plat::WHDR_PREPARED) && (flags & plat::WHDR_DONE)))
        return 1;
    if (plat::waveOutPrepareHeader(device_, &b.header, sizeof b.header) == 0 &&
        plat::waveOutWrite(device_, &b.header, sizeof b.header) == 0)
        return 0;
    plat::waveOutUnprepareHeader(device_, &b.header, sizeof b.header);
    b.header.dwFlags &= ~plat::WHDR_PREPARED;
    return 1;
}

std::int32_t JxCWaveQueue::submitQueued()
{
    while (read_ != write_) {
        if (std::int32_t r = submit(*buffers_[std::size_t(read_)]))
            return r;
        read_ = (read_ + 1) % count_;
    }
    return 0;
}

std::int32_t JxCWaveQueue::Play()
{
    if (!device_ || count_ == 0)
        return 1;
    return submitQueued();
}

std::int32_t JxCWaveQueue::Open(plat::HWND window, const plat::WAVEFORMATEX* format)
{
    if (IsPlaying())
        Close();
    if (!format)
        return 6;
    CheckSoundDecoder(format);
    if (plat::waveOutOpen(&device_, plat::WAVE_MAPPER, format, plat::DWORD_PTR(window), 0, plat::CALLBACK_WINDOW) != 0) {
        device_ = nullptr;
        return 13;
    }
    return count_ ? submitQueued() : 0;
}

std::int16_t JxCWaveQueue::Close()
{
    if (!device_)
        return 1;
    if (plat::waveOutReset(device_) != 0)
        return 0;
    DrainWaveMessages(device_);
    for (auto& b : buffers_) {
        plat::waveOutUnprepareHeader(device_, &b->header, sizeof b->header);
        b->header.dwFlags &= ~(plat::WHDR_PREPARED | plat::WHDR_DONE);
    }
    if (count_)
        read_ = (write_ + 1) % count_;
    if (plat::waveOutClose(device_) != 0)
        return 0;
    DrainWaveMessages(device_);
    device_ = nullptr;
    return 1;
}

std::int16_t JxCWaveQueue::Halt()
{
    const std::int32_t unsubmitted = read_;
    if (!Close())
        return 0;
    read_ = unsubmitted;
    return 1;
}

bool JxCWaveQueue::WroteBuffer(std::intptr_t buffer) const
{
    for (const auto& b : buffers_)
        if (std::intptr_t(&b->header) == buffer)
            return true;
    return false;
}

std::int16_t JxCWaveQueue::IsPlaying() const
{
    for (const auto& b : buffers_)
        if ((b->header.dwFlags & plat::WHDR_PREPARED) && !(b->header.dwFlags & plat::WHDR_DONE))
            return 1;
    return 0;
}
