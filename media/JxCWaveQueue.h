#pragma once
// The ring of sound buffers that the PICS player fills with each frame's
// slice of sound: filled at the write index, submitted from the read index,
// each stamped with a sequence number in its header's user word. Buffers
// keep their memory and grow only when a larger slice comes.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/audio/wave_out.h"
#include "platform/core/types.h"

// Where the queue reads a slice from (the PICS data source).
class JxWaveSource {
public:
    virtual ~JxWaveSource() = default;
    virtual bool IsOpen() const = 0;
    // True when all n bytes came.
    virtual bool Read(void* buffer, std::int32_t n) = 0;
};

class JxCWaveQueue {
public:
    explicit JxCWaveQueue(std::int32_t bufferCount);
    virtual ~JxCWaveQueue();
    JxCWaveQueue(const JxCWaveQueue&) = delete;
    JxCWaveQueue& operator=(const JxCWaveQueue&) = delete;

    virtual void Service() {}
    // 0, or 1 (no source, a bad length, the ring full), 5 (short read),
    // 6 (no memory).
    virtual std::int32_t Queue(JxWaveSource* source, std::int32_t length);
    // Submits what was queued: 0, or 1 without a device or buffers.
    virtual std::int32_t Play();
    virtual std::int32_t GetBufferCount() const { return count_; }
    // 0, 6 (no format) or 13 (the device would not open), or the code of
    // the first submission that failed.
    virtual std::int32_t Open(plat::HWND window, const plat::WAVEFORMATEX* format);
    virtual std::int16_t Close();
    // Closes the device, dropping the sound in flight but keeping what was
    // queued and not yet submitted for the next Open; true on success.
    std::int16_t Halt();
    virtual std::int16_t IsPlaying() const;
    // Whether the buffer a completion names is one of the ring's.
    bool WroteBuffer(std::intptr_t buffer) const;

    std::int32_t GetWriteIndex() const { return write_; }
    std::int32_t GetReadIndex() const { return read_; }
    plat::HWAVEOUT GetDevice() const { return device_; }
    const plat::WAVEHDR* GetHeader(std::int32_t i) const;

private:
    struct Buffer {
        std::vector<char> data;
        plat::WAVEHDR header;
    };
    std::int32_t fill(Buffer& b, JxWaveSource* source, std::int32_t length);
    std::int32_t submit(Buffer& b);
    std::int32_t submitQueued();

    std::int32_t write_ = 0;
    std::int32_t read_ = 0;
    std::int32_t count_ = 0;
    plat::HWAVEOUT device_ = nullptr;
    std::vector<std::unique_ptr<Buffer>> buffers_;
    std::uint32_t sequence_ = 1;
};
