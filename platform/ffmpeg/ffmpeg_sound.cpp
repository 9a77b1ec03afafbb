#include "platform/ffmpeg/ffmpeg_sound.h"

#include <algorithm>
#include <cmath>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libswresample/swresample.h>
}

namespace plat {

namespace {
constexpr std::size_t kMostPacketsPerDelivery = std::size_t(1) << 16;
constexpr int kMostChannels = 64;
}  // namespace

std::unique_ptr<FfmpegSound> FfmpegSound::open(std::unique_ptr<Demuxer> demuxer, int stream,
                                               std::unique_ptr<MovieSoundSink> sink, double originSeconds)
{
    if (!demuxer || !sink)
        return nullptr;
    std::unique_ptr<FfmpegSound> s(new FfmpegSound);
    AVFormatContext* format = demuxer->context();
    s->demuxer_ = std::move(demuxer);
    s->stream_ = stream;
    s->sink_ = std::move(sink);
    s->origin_ = originSeconds;
    const AVStream* st = format->streams[stream];
    const AVCodecParameters* par = st->codecpar;
    if (par->codec_type != AVMEDIA_TYPE_AUDIO || st->time_base.num <= 0 || st->time_base.den <= 0 || par->sample_rate <= 0 ||
        par->ch_layout.nb_channels <= 0 || par->ch_layout.nb_channels > kMostChannels)
        return nullptr;
    s->timeBase_ = av_q2d(st->time_base);
    s->codec_ = OpenAllowedDecoder(*st);
    if (!s->codec_)
        return nullptr;
    s->packet_ = av_packet_alloc();
    s->frame_ = av_frame_alloc();
    if (!s->packet_ || !s->frame_)
        return nullptr;
    return s;
}

FfmpegSound::~FfmpegSound()
{
    swr_free(&resampler_);
    av_frame_free(&frame_);
    av_packet_free(&packet_);
    avcodec_free_context(&codec_);
}

void FfmpegSound::start(double from, double to)
{
    stop();
    AVFormatContext* format = demuxer_->context();
    const auto target = std::int64_t(std::floor((from + origin_) / timeBase_));
    av_seek_frame(format, stream_, target, AVSEEK_FLAG_BACKWARD);
    avcodec_flush_buffers(codec_);
    swr_free(&resampler_);  // made again for the first frame, with nothing held over
    active_ = true;
    finished_ = false;
    drained_ = false;
    from_ = delivered_ = from;
    to_ = to;
}

void FfmpegSound::stop()
{
    if (active_)
        sink_->flush();
    active_ = false;
}

void FfmpegSound::deliverUntil(double until)
{
    AVFormatContext* format = demuxer_->context();
    for (std::size_t packets = 0; active_ && !finished_ && delivered_ < until &&
                                  packets < kMostPacketsPerDelivery;) {
        if (avcodec_receive_frame(codec_, frame_) == 0) {
            deliverFrame();
            av_frame_unref(frame_);
            continue;
        }
        if (drained_) {
            finish();
            return;
        }
        drained_ = !FeedNextPacket(format, stream_, codec_, packet_);
        ++packets;
    }
}

// The part of the decoded frame inside the range goes to the sink.
void FfmpegSound::deliverFrame()
{
    const AVFrame& f = *frame_;
    const int rate = f.sample_rate > 0 ? f.sample_rate : codec_->sample_rate;
    if (rate <= 0 || f.nb_samples <= 0 || f.ch_layout.nb_channels <= 0 ||
        f.ch_layout.nb_channels > kMostChannels)
        return;
    const std::int64_t ts = FrameTime(f);
    const double begins = ts != AV_NOPTS_VALUE ? double(ts) * timeBase_ - origin_ : delivered_;
    const double skip = std::clamp((from_ - begins) * rate, 0.0, double(f.nb_samples));
    const double upTo = std::clamp((to_ - begins) * rate, 0.0, double(f.nb_samples));
    const int first = int(std::ceil(skip));
    const int count = int(std::floor(upTo)) - first;
    if (begins >= to_) {
        finish();
        return;
    }
    if (count <= 0 || av_get_bytes_per_sample(AVSampleFormat(f.format)) <= 0)
        return;
    if (!prepareResampler(f, rate))
        return;
    // The input from its first sample inside the range.
    const bool planar = av_sample_fmt_is_planar(AVSampleFormat(f.format));
    const int bytes = av_get_bytes_per_sample(AVSampleFormat(f.format));
    const int planes = planar ? f.ch_layout.nb_channels : 1;
    const int step = planar ? bytes : bytes * f.ch_layout.nb_channels;
    std::vector<const std::uint8_t*> input(static_cast<std::size_t>(planes));
    for (int p = 0; p < planes; ++p)
        input[std::size_t(p)] = f.extended_data[p] + std::ptrdiff_t(first) * step;
    write(input.data(), count);
    delivered_ = std::max(delivered_, begins + double(first + count) / rate);
}

bool FfmpegSound::prepareResampler(const AVFrame& f, int rate)
{
    if (resampler_ && f.format == inFormat_ && rate == inRate_ && f.ch_layout.nb_channels == inChannels_)
        return true;
    if (resampler_)
        write(nullptr, 0);  // what the old one holds
    swr_free(&resampler_);
    AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
    auto* in = const_cast<AVChannelLayout*>(&f.ch_layout);  // only read
    if (swr_alloc_set_opts2(&resampler_, &stereo, AV_SAMPLE_FMT_S16, kMovieSoundRate, in,
                            AVSampleFormat(f.format), rate, 0, nullptr) < 0 ||
        swr_init(resampler_) < 0) {
        swr_free(&resampler_);
        return false;
    }
    inFormat_ = f.format;
    inRate_ = rate;
    inChannels_ = f.ch_layout.nb_channels;
    return true;
}

void FfmpegSound::write(const std::uint8_t** input, int count)
{
    const int room = swr_get_out_samples(resampler_, count);
    if (room <= 0)
        return;
    std::vector<std::int16_t> out(std::size_t(room) * kMovieSoundChannels);
    std::uint8_t* planes[1] = {reinterpret_cast<std::uint8_t*>(out.data())};
    const int made = swr_convert(resampler_, planes, room, input, count);
    if (made > 0)
        sink_->write(std::span<const std::int16_t>(out.data(), std::size_t(made) * kMovieSoundChannels));
}

// The range is delivered: what the resampler still holds goes too.
void FfmpegSound::finish()
{
    if (resampler_)
        write(nullptr, 0);
    delivered_ = std::max(delivered_, to_);
    finished_ = true;
}

}  // namespace plat
