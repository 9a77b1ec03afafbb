#pragma once
// Turns the bytes of a wave-output format into 16-bit samples, a whole
// block at a time: a PCM block is one frame, an ADPCM block is the format's
// block align. A block split over two buffers is kept until its rest comes.
// ADPCM is decoded by libavcodec, in the FFmpeg library that loads when the
// first block comes (movie/ffmpeg_module.h); a block it refuses plays as
// silence of the block's length, so that timing never depends on damaged
// data, and so does every block when the library is missing.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "platform/audio/audio_output.h"
#include "platform/audio/wave_out.h"

namespace plat {

struct WaveFormatInfo {
    enum class Kind { Pcm8, Pcm16, MsAdpcm, ImaAdpcm };
    Kind kind = Kind::Pcm16;
    int channels = 1;
    int rate = 22050;
    int blockAlign = 2;
    int samplesPerBlock = 1;  // frames a block decodes to
};

// What a device makes of a format, or none when it plays no such format
// (tags other than PCM, MS ADPCM and IMA ADPCM; 1 or 2 channels; PCM of 8
// or 16 bits with the block align they imply; ADPCM of 4 bits with room
// for the block's header and whole sample groups).
std::optional<WaveFormatInfo> DescribeWaveFormat(const WAVEFORMATEX& format);
// True when a device opens for the format but would play its sound as
// silence: ADPCM while the FFmpeg library (looked for now) is missing or
// its codec refuses the format.
bool WaveDecoderMissing(const WAVEFORMATEX& format);

class WaveDecoder {
public:
    virtual ~WaveDecoder() = default;
    // Null when the format is not playable.
    static std::unique_ptr<WaveDecoder> Create(const WaveFormatInfo& info);

    // Appends the samples of every block that the bytes complete.
    void decode(std::span<const std::uint8_t> bytes, std::vector<std::int16_t>& out);
    // Forgets a block begun and not finished.
    void reset() { pending_.clear(); }
    const WaveFormatInfo& info() const { return info_; }

protected:
    explicit WaveDecoder(const WaveFormatInfo& info) : info_(info) {}
    // Whole blocks only; appends exactly samplesPerBlock frames for each.
    virtual void decodeBlocks(std::span<const std::uint8_t> blocks, std::vector<std::int16_t>& out) = 0;

    WaveFormatInfo info_;

private:
    std::vector<std::uint8_t> pending_;
};

}  // namespace plat
