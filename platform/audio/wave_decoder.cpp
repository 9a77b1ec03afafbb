#include "platform/audio/wave_decoder.h"

#include <algorithm>

#include "platform/movie/ffmpeg_module.h"

namespace plat {

namespace {

class PcmDecoder final : public WaveDecoder {
public:
    explicit PcmDecoder(const WaveFormatInfo& info) : WaveDecoder(info) {}

private:
    void decodeBlocks(std::span<const std::uint8_t> blocks, std::vector<std::int16_t>& out) override
    {
        if (info_.kind == WaveFormatInfo::Kind::Pcm8) {
            for (std::uint8_t b : blocks)
                out.push_back(std::int16_t((int(b) - 128) * 256));
            return;
        }
        for (std::size_t i = 0; i + 1 < blocks.size(); i += 2)
            out.push_back(std::int16_t(std::uint16_t(blocks[i] | blocks[i + 1] << 8)));
    }
};

// The codec comes from the FFmpeg library, loaded at the first block (not
// when a device opens: the start-up probe opens one with an ADPCM format).
// Without the library every block is silence of its length, so that what
// the sound paces keeps its time.
class AdpcmDecoder final : public WaveDecoder {
public:
    explicit AdpcmDecoder(const WaveFormatInfo& info) : WaveDecoder(info) {}

private:
    void decodeBlocks(std::span<const std::uint8_t> blocks, std::vector<std::int16_t>& out) override
    {
        if (!tried_) {
            tried_ = true;
            if (const FfmpegModule* module = LoadFfmpegModule())
                codec_ = module->openAdpcm(info_);
        }
        const std::size_t size = std::size_t(info_.blockAlign);
        const std::size_t frames = std::size_t(info_.samplesPerBlock) * std::size_t(info_.channels);
        for (std::size_t at = 0; at + size <= blocks.size(); at += size) {
            if (codec_)
                codec_->decodeBlock(blocks.subspan(at, size), out);
            else
                out.resize(out.size() + frames, 0);
        }
    }

    bool tried_ = false;
    std::unique_ptr<AdpcmBlockDecoder> codec_;
};

}  // namespace

std::optional<WaveFormatInfo> DescribeWaveFormat(const WAVEFORMATEX& f)
{
    WaveFormatInfo info;
    info.channels = f.nChannels;
    info.rate = int(f.nSamplesPerSec);
    info.blockAlign = f.nBlockAlign;
    if (info.channels < 1 || info.channels > 2 || f.nSamplesPerSec < 1000 || f.nSamplesPerSec > 192000)
        return std::nullopt;
    const int ch = info.channels;
    switch (f.wFormatTag) {
    case WAVE_FORMAT_PCM:
        if (f.wBitsPerSample != 8 && f.wBitsPerSample != 16)
            return std::nullopt;
        if (info.blockAlign != ch * f.wBitsPerSample / 8)
            return std::nullopt;
        info.kind = f.wBitsPerSample == 8 ? WaveFormatInfo::Kind::Pcm8 : WaveFormatInfo::Kind::Pcm16;
        info.samplesPerBlock = 1;
        return info;
    case WAVE_FORMAT_ADPCM:
        if (f.wBitsPerSample != 4 || info.blockAlign <= 7 * ch)
            return std::nullopt;
        info.kind = WaveFormatInfo::Kind::MsAdpcm;
        info.samplesPerBlock = (info.blockAlign - 7 * ch) * 2 / ch + 2;
        return info;
    case WAVE_FORMAT_IMA_ADPCM:
        if (f.wBitsPerSample != 4 || info.blockAlign <= 4 * ch || (info.blockAlign - 4 * ch) % (4 * ch) != 0)
            return std::nullopt;
        info.kind = WaveFormatInfo::Kind::ImaAdpcm;
        info.samplesPerBlock = (info.blockAlign - 4 * ch) * 2 / ch + 1;
        return info;
    default:
        return std::nullopt;
    }
}

bool WaveDecoderMissing(const WAVEFORMATEX& format)
{
    const std::optional<WaveFormatInfo> info = DescribeWaveFormat(format);
    if (!info || info->kind == WaveFormatInfo::Kind::Pcm8 || info->kind == WaveFormatInfo::Kind::Pcm16)
        return false;
    const FfmpegModule* module = LoadFfmpegModule();
    return !module || !module->openAdpcm(*info);
}

std::unique_ptr<WaveDecoder> WaveDecoder::Create(const WaveFormatInfo& info)
{
    if (info.kind == WaveFormatInfo::Kind::Pcm8 || info.kind == WaveFormatInfo::Kind::Pcm16)
        return std::make_unique<PcmDecoder>(info);
    return std::make_unique<AdpcmDecoder>(info);
}

void WaveDecoder::decode(std::span<const std::uint8_t> bytes, std::vector<std::int16_t>& out)
{
    const std::size_t block = std::size_t(info_.blockAlign);
    if (!pending_.empty()) {
        std::size_t take = std::min(block - pending_.size(), bytes.size());
        pending_.insert(pending_.end(), bytes.begin(), bytes.begin() + std::ptrdiff_t(take));
        bytes = bytes.subspan(take);
        if (pending_.size() < block)
            return;
        decodeBlocks(pending_, out);
        pending_.clear();
    }
    std::size_t whole = bytes.size() / block * block;
    if (whole)
        decodeBlocks(bytes.first(whole), out);
    pending_.assign(bytes.begin() + std::ptrdiff_t(whole), bytes.end());
}

}  // namespace plat
