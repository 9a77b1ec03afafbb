#include "testkit/wave.h"

namespace testkit {

namespace {
void put16(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}
void put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}
void putChunk(std::vector<std::uint8_t>& out, const std::string& id, const std::vector<std::uint8_t>& data,
              std::optional<std::uint32_t> claimed = std::nullopt)
{
    out.insert(out.end(), id.begin(), id.begin() + 4);
    put32(out, claimed.value_or(std::uint32_t(data.size())));
    out.insert(out.end(), data.begin(), data.end());
    if (data.size() & 1)
        out.push_back(0);
}
}  // namespace

std::vector<std::uint8_t> Pcm16Bytes(std::span<const std::int16_t> samples)
{
    std::vector<std::uint8_t> out;
    out.reserve(samples.size() * 2);
    for (std::int16_t s : samples)
        put16(out, std::uint16_t(s));
    return out;
}

std::vector<std::int16_t> RampSamples(std::size_t n)
{
    std::vector<std::int16_t> out(n);
    for (std::size_t i = 0; i < n; ++i)
        out[i] = std::int16_t(std::uint16_t(i * 7 + 1));
    return out;
}

std::vector<std::uint8_t> WaveFormatBytes(const WaveSound& s)
{
    std::uint16_t align = s.blockAlign ? s.blockAlign : std::uint16_t(s.channels * s.bitsPerSample / 8);
    std::vector<std::uint8_t> out;
    put16(out, s.formatTag);
    put16(out, s.channels);
    put32(out, s.rate);
    put32(out, s.avgBytesPerSec ? s.avgBytesPerSec : s.rate * align);
    put16(out, align);
    put16(out, s.bitsPerSample);
    if (s.formatTag != 1 || !s.formatExtra.empty() || s.cbSize) {
        put16(out, s.cbSize.value_or(std::uint16_t(s.formatExtra.size())));
        out.insert(out.end(), s.formatExtra.begin(), s.formatExtra.end());
    }
    return out;
}

std::vector<std::uint8_t> EncodeWave(const WaveSound& s)
{
    std::vector<std::uint8_t> body = {'W', 'A', 'V', 'E'};
    if (s.withFormat)
        putChunk(body, "fmt ", s.formatChunk ? *s.formatChunk : WaveFormatBytes(s));
    if (s.factSamples) {
        std::vector<std::uint8_t> fact;
        put32(fact, *s.factSamples);
        putChunk(body, "fact", fact);
    }
    for (const WaveChunk& c : s.before)
        putChunk(body, c.id, c.data);
    putChunk(body, "data", s.data, s.dataSizeClaimed);
    for (const WaveChunk& c : s.after)
        putChunk(body, c.id, c.data);
    std::vector<std::uint8_t> file;
    putChunk(file, "RIFF", body, s.riffSizeClaimed);
    return file;
}

WaveSound Pcm16Sound(std::span<const std::int16_t> samples, std::uint32_t rate, std::uint16_t channels)
{
    WaveSound s;
    s.rate = rate;
    s.channels = channels;
    s.data = Pcm16Bytes(samples);
    return s;
}

}  // namespace testkit
