#include "testkit/pics.h"

#include <algorithm>
#include <cmath>

#include "testkit/run_length.h"

namespace testkit {

namespace {

void PutLe16(PicsBytes& out, std::uint16_t v)
{
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}

void PutLe32(PicsBytes& out, std::uint32_t v)
{
    PutLe16(out, std::uint16_t(v));
    PutLe16(out, std::uint16_t(v >> 16));
}

std::uint32_t Width(const PicsFrame& f)
{
    return f.right > f.left ? std::uint32_t(f.right - f.left) : 0;
}

std::uint32_t Height(const PicsFrame& f)
{
    return f.bottom > f.top ? std::uint32_t(f.bottom - f.top) : 0;
}

void PutChunk(PicsBytes& out, const PicsFrame& f)
{
    const PicsBytes code = f.code ? *f.code : EncodePicsFrame(f);
    const std::uint32_t decoded = f.pixels.empty() ? 0 : Height(f) * ((Width(f) + 3) & ~3u);
    PutLe16(out, f.type.value_or(1));
    PutLe32(out, f.soundSize.value_or(std::uint32_t(f.sound.size())));
    PutLe16(out, std::uint16_t(f.left));
    PutLe16(out, std::uint16_t(f.top));
    PutLe16(out, std::uint16_t(f.right));
    PutLe16(out, std::uint16_t(f.bottom));
    PutLe32(out, f.decodedSize.value_or(decoded));
    PutLe32(out, f.codedSize.value_or(std::uint32_t(code.size())));
    out.insert(out.end(), 6, 0);
    out.insert(out.end(), f.sound.begin(), f.sound.end());
    out.insert(out.end(), code.begin(), code.end());
}

}  // namespace

PicsBytes PcmFormat(std::uint32_t samplesPerSecond)
{
    PicsBytes f;
    PutLe16(f, 1);  // PCM
    PutLe16(f, 1);  // mono
    PutLe32(f, samplesPerSecond);
    PutLe32(f, samplesPerSecond);  // bytes per second
    PutLe16(f, 1);  // block align
    PutLe16(f, 8);  // bits per sample
    PutLe16(f, 0);  // no extra bytes
    return f;
}

PicsBytes Tone(double frequency, std::size_t samples, std::uint32_t samplesPerSecond, std::size_t first)
{
    PicsBytes out;
    for (std::size_t i = first; i < first + samples; ++i)
        out.push_back(std::uint8_t(128 + std::lround(100 * std::sin(2 * M_PI * frequency * double(i) / samplesPerSecond))));
    return out;
}

PicsFrame PicsFrame::Of(std::int16_t left, std::int16_t top, std::int16_t width, std::int16_t height,
                        PicsBytes pixels, PicsBytes sound)
{
    PicsFrame f;
    f.left = left;
    f.top = top;
    f.right = std::int16_t(left + width);
    f.bottom = std::int16_t(top + height);
    f.pixels = std::move(pixels);
    f.sound = std::move(sound);
    return f;
}

PicsBytes EncodePicsFrame(const PicsFrame& f)
{
    if (f.pixels.empty())
        return {};
    const std::uint32_t width = Width(f);
    const std::uint32_t even = (width + 1) & ~1u;
    PicsBytes rows;
    for (std::uint32_t y = 0; y < Height(f); ++y) {
        const auto start = f.pixels.begin() + std::ptrdiff_t(std::min<std::size_t>(y * width, f.pixels.size()));
        const auto end = f.pixels.begin() + std::ptrdiff_t(std::min<std::size_t>((y + 1) * width, f.pixels.size()));
        rows.insert(rows.end(), start, end);
        rows.insert(rows.end(), even - std::uint32_t(end - start), 0);
    }
    return EncodePicsCode(rows);
}

PicsFile& PicsFile::version(std::uint16_t v)
{
    version_ = v;
    return *this;
}

PicsFile& PicsFile::format(PicsBytes block)
{
    format_ = std::move(block);
    return *this;
}

PicsFile& PicsFile::claimFormatLength(std::uint32_t length)
{
    formatLength_ = length;
    return *this;
}

PicsFile& PicsFile::claimFrameCount(std::uint32_t count)
{
    frameCount_ = count;
    return *this;
}

PicsFile& PicsFile::leadIn(std::uint16_t a, std::uint16_t b, PicsBytes slice)
{
    a_ = a;
    b_ = b;
    leadIn_.clear();
    for (std::uint32_t i = 0; i < std::uint32_t(a) * b; ++i) {
        PicsFrame chunk;
        chunk.sound = slice;
        leadIn_.push_back(std::move(chunk));
    }
    return *this;
}

PicsFile& PicsFile::leadInChunk(PicsFrame chunk)
{
    leadIn_.push_back(std::move(chunk));
    return *this;
}

PicsFile& PicsFile::claimLeadIn(std::uint16_t a, std::uint16_t b)
{
    claimedA_ = a;
    claimedB_ = b;
    return *this;
}

PicsFile& PicsFile::frame(PicsFrame frame)
{
    frames_.push_back(std::move(frame));
    return *this;
}

std::size_t PicsFile::FirstFrameOffset() const
{
    PicsBytes head;
    for (const PicsFrame& chunk : leadIn_)
        PutChunk(head, chunk);
    return 14 + format_.size() + head.size();
}

PicsBytes PicsFile::Bytes() const
{
    PicsBytes out;
    PutLe16(out, version_);
    PutLe32(out, frameCount_.value_or(std::uint32_t(frames_.size())));
    PutLe16(out, claimedA_.value_or(a_));
    PutLe16(out, claimedB_.value_or(b_));
    PutLe32(out, formatLength_.value_or(std::uint32_t(format_.size())));
    out.insert(out.end(), format_.begin(), format_.end());
    for (const PicsFrame& chunk : leadIn_)
        PutChunk(out, chunk);
    for (const PicsFrame& chunk : frames_)
        PutChunk(out, chunk);
    return out;
}

PicsBytes PicsFile::Truncated(std::size_t n) const
{
    PicsBytes out = Bytes();
    out.resize(std::min(n, out.size()));
    return out;
}

}  // namespace testkit
