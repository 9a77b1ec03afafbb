#pragma once
// Writers of RIFF WAVE sounds: PCM made from samples, or any format's data
// given as bytes (ADPCM), with or without a "fact" chunk, with chunks of
// other kinds (odd sizes padded) and with sizes that lie, for damaged
// files.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace testkit {

struct WaveChunk {
    std::string id;  // four characters
    std::vector<std::uint8_t> data;
};

struct WaveSound {
    std::uint16_t formatTag = 1;
    std::uint16_t channels = 1;
    std::uint32_t rate = 22050;
    std::uint16_t bitsPerSample = 16;
    std::uint16_t blockAlign = 0;     // 0: channels * bits / 8
    std::uint32_t avgBytesPerSec = 0; // 0: rate * block align
    // Bytes after cbSize; cbSize is their count unless given.
    std::vector<std::uint8_t> formatExtra;
    std::optional<std::uint16_t> cbSize;
    // The "fmt " chunk as given (when set), instead of one made from the
    // fields above.
    std::optional<std::vector<std::uint8_t>> formatChunk;
    bool withFormat = true;
    std::optional<std::uint32_t> factSamples;
    std::vector<std::uint8_t> data;
    std::optional<std::uint32_t> dataSizeClaimed;  // a "data" size that lies
    std::optional<std::uint32_t> riffSizeClaimed;  // likewise for the "RIFF" form
    std::vector<WaveChunk> before;  // chunks between "fmt " and "data"
    std::vector<WaveChunk> after;   // chunks after "data"
};

// 16-bit little-endian PCM bytes.
std::vector<std::uint8_t> Pcm16Bytes(std::span<const std::int16_t> samples);
// A ramp of n 16-bit samples that tells their positions apart.
std::vector<std::int16_t> RampSamples(std::size_t n);
// The "fmt " chunk's bytes for the sound's fields.
std::vector<std::uint8_t> WaveFormatBytes(const WaveSound& sound);
std::vector<std::uint8_t> EncodeWave(const WaveSound& sound);
// A 16-bit PCM sound of the samples.
WaveSound Pcm16Sound(std::span<const std::int16_t> samples, std::uint32_t rate = 22050, std::uint16_t channels = 1);

}  // namespace testkit
