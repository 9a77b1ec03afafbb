#include "platform/ffmpeg/ffmpeg_adpcm.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/channel_layout.h>
#include <libavutil/frame.h>
#include <libavutil/log.h>
}

#include <algorithm>
#include <cstring>

#include "platform/audio/wave_decoder.h"

namespace plat {

namespace {

class FfmpegAdpcm final : public AdpcmBlockDecoder {
public:
    explicit FfmpegAdpcm(const WaveFormatInfo& info) : info_(info) {}
    ~FfmpegAdpcm() override
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

    void decodeBlock(std::span<const std::uint8_t> block, std::vector<std::int16_t>& out) override
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

private:
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

    WaveFormatInfo info_;
    AVCodecContext* context_ = nullptr;
    AVPacket* packet_ = nullptr;
    AVFrame* frame_ = nullptr;
};

}  // namespace

std::unique_ptr<AdpcmBlockDecoder> OpenFfmpegAdpcm(const WaveFormatInfo& info)
{
    auto decoder = std::make_unique<FfmpegAdpcm>(info);
    if (!decoder->open())
        return nullptr;
    return decoder;
}

}  // namespace plat
