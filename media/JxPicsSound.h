#pragma once
// The sound side of a PICS animation as its player sees it: a ring of sound
// buffers that the player fills slice by slice from its source, and the
// device's answer whether it can play the animation's sound format.
//
// The wave output connects itself here; until it does, no format is
// supported and an animation does not open (status 13), as on a machine
// without a sound device.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>

class JxPicsSource;

class JxPicsSoundQueue {
public:
    virtual ~JxPicsSoundQueue() = default;
    // Fills the next buffer with length bytes read from the source; 0, or
    // 1 (nothing to fill or the ring is full), 5 (short read), 6 (no
    // memory).
    virtual std::int32_t Queue(JxPicsSource& source, std::uint32_t length) = 0;
    virtual std::uint32_t GetBufferCount() const = 0;
    // Stops the device and forgets its waiting completions; true when done.
    virtual bool Close() = 0;
};

struct JxPicsSoundLink {
    // The format as the file stores it (a WAVEFORMATEX block of 16 to
    // 1,024 bytes).
    std::function<bool(std::span<const std::uint8_t> format)> formatSupported;
    std::function<std::unique_ptr<JxPicsSoundQueue>(std::uint32_t buffers)> makeQueue;
};

// Connects the wave output (none: disconnects); returns the previous link.
std::optional<JxPicsSoundLink> SetPicsSoundLink(std::optional<JxPicsSoundLink> link);

bool PicsFormatSupported(std::span<const std::uint8_t> format);
// A queue of that many buffers, or null without wave output.
std::unique_ptr<JxPicsSoundQueue> MakePicsSoundQueue(std::uint32_t buffers);
