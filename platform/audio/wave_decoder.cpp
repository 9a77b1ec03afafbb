#include "platform/audio/wave_decoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/channel_layout.h>
#include <libavutil/frame.h>
#include <libavutil/log.h>
}

#include <algorithm>
#include <cstring>

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

class AdpcmDecoder final : public WaveDecoder {
public:
    explicit AdpcmDecoder(const WaveFormatInfo& info) : WaveDecoder(info) {}
    ~AdpcmDecoder() override
    {
        av_frame_free(&frame_);
        av_packet_free(&packet_);
        avcodec_free_context(&context_);
    }

    bool open()
    {
        // A damaged block is the caller's to handle (it plays as silence);
        // the codec's own complaints would only fill the terminal.
        av_log_set_level(AV_LOG_QUIET);
        AVCodecID id = info_.kind == WaveFormatInfo::Kind::MsAdpcm ? AV_CODEC_ID_ADPCM_MS : AV_CODEC_ID_ADPCM_IMA_WAV;
        const AVCodec* codec = avcodec_find_decoder(id);
        if (!codec)
            return false;
        context_ = avcodec_alloc_context3(codec);
        packet_ = av_packet_alloc();
        frame_ = av_frame_alloc();
        if (!context_ || !packet_ || !frame_)
            return false;
        av_channel_layout_default(&context_->ch_layout, info_.channels);
        context_->sample_rate = info_.rate;
        context_->block_align = info_.blockAlign;
        context_->bits_per_coded_sample = 4;
        return avcodec_open2(context_, codec, nullptr) == 0;
    }

private:
    void decodeBlocks(std::span<const std::uint8_t> blocks, std::vector<std::int16_t>& out) override
    {
        const std::size_t size = std::size_t(info_.blockAlign);
        for (std::size_t at = 0; at + size <= blocks.size(); at += size)
            decodeOne(blocks.subspan(at, size), out);
    }

    void decodeOne(std::span<const std::uint8_t> block, std::vector<std::int16_t>& out)
    {
        const std::size_t want = std::size_t(info_.samplesPerBlock) * std::size_t(info_.channels);
        const std::size_t start = out.size();
        if (av_new_packet(packet_, int(block.size())) == 0) {
            std::memcpy(packet_->data, block.data(), block.size());
            if (avcodec_send_packet(context_, packet_) == 0)
                while (avcodec_receive_frame(context_, frame_) == 0) {
                    append(out, want - std::min(want, out.size() - start));
                    av_frame_unref(frame_);
                }
            av_packet_unref(packet_);
        }
        out.resize(start + want, 0);  // a refused block, or one cut short, is silence
    }

    void append(std::vector<std::int16_t>& out, std::size_t room) const
    {
        const int channels = info_.channels;
        const std::size_t frames = std::min<std::size_t>(std::size_t(frame_->nb_samples), room / std::size_t(channels));
        const auto format = AVSampleFormat(frame_->format);
        if (format == AV_SAMPLE_FMT_S16) {
            auto* s = reinterpret_cast<const std::int16_t*>(frame_->extended_data[0]);
            out.insert(out.end(), s, s + frames * std::size_t(channels));
        } else if (format == AV_SAMPLE_FMT_S16P) {
            for (std::size_t f = 0; f < frames; ++f)
                for (int c = 0; c < channels; ++c)
                    out.push_back(reinterpret_cast<const std::int16_t*>(frame_->extended_data[c])[f]);
        }
    }

    AVCodecContext* context_ = nullptr;
    AVPacket* packet_ = nullptr;
    AVFrame* frame_ = nullptr;
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

std::unique_ptr<WaveDecoder> WaveDecoder::Create(const WaveFormatInfo& info)
{
    if (info.kind == WaveFormatInfo::Kind::Pcm8 || info.kind == WaveFormatInfo::Kind::Pcm16)
        return std::make_unique<PcmDecoder>(info);
    auto adpcm = std::make_unique<AdpcmDecoder>(info);
    if (!adpcm->open())
        return nullptr;
    return adpcm;
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
