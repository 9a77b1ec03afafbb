#include "platform/ffmpeg/ffmpeg_input.h"

#include <cstdio>
#include <cstring>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/avstring.h>
#include <libavutil/mem.h>
}

namespace plat {

namespace {

constexpr int kIoBufferSize = 32768;
// The containers a movie may come in; the rest of FFmpeg's formats (and
// its network and playlist readers) stay out of reach of a title's files.
constexpr const char* kContainers = "mov,avi";
// The decoders a title's movies and sounds need: the pictures of QuickTime
// and AVI files (Cinepak, the graphics, animation, video and Photo-JPEG
// codecs, raw frames, and H.264 for movies made again today) and their
// sound (IMA ADPCM, raw PCM, mu-law and A-law, AAC). No other decoder of
// FFmpeg is opened, not even to describe a stream.
constexpr const char* kDecoders =
    "cinepak,smc,qtrle,rpza,mjpeg,rawvideo,h264,"
    "adpcm_ima_qt,pcm_u8,pcm_s8,pcm_s16be,pcm_s16le,pcm_mulaw,pcm_alaw,aac";

int readPacket(void* opaque, std::uint8_t* buffer, int size)
{
    int n = static_cast<MovieBytes*>(opaque)->read(buffer, size);
    return n > 0 ? n : n == 0 ? AVERROR_EOF : AVERROR(EIO);
}

std::int64_t seekBytes(void* opaque, std::int64_t offset, int whence)
{
    auto* bytes = static_cast<MovieBytes*>(opaque);
    if (whence & AVSEEK_SIZE)
        return bytes->size();
    std::int64_t r = bytes->seek(offset, whence & ~AVSEEK_FORCE);
    return r >= 0 ? r : AVERROR(EINVAL);
}

const AVCodec* allowedDecoder(const AVStream& stream)
{
    const AVCodec* decoder = avcodec_find_decoder(stream.codecpar->codec_id);
    return decoder && av_match_list(decoder->name, kDecoders, ',') > 0 ? decoder : nullptr;
}

}  // namespace

std::unique_ptr<Demuxer> Demuxer::open(std::unique_ptr<MovieBytes> bytes)
{
    if (!bytes)
        return nullptr;
    std::unique_ptr<Demuxer> d(new Demuxer);
    d->bytes_ = std::move(bytes);
    auto* buffer = static_cast<unsigned char*>(av_malloc(kIoBufferSize));
    if (!buffer)
        return nullptr;
    d->io_ = avio_alloc_context(buffer, kIoBufferSize, 0, d->bytes_.get(), readPacket, nullptr, seekBytes);
    if (!d->io_) {
        av_free(buffer);
        return nullptr;
    }
    AVFormatContext* format = avformat_alloc_context();
    if (!format)
        return nullptr;
    format->pb = d->io_;
    format->flags |= AVFMT_FLAG_CUSTOM_IO;
    format->format_whitelist = av_strdup(kContainers);
    format->codec_whitelist = av_strdup(kDecoders);
    // avformat_open_input frees the context when it fails.
    if (avformat_open_input(&format, nullptr, nullptr, nullptr) < 0)
        return nullptr;
    d->format_ = format;
    return d;
}

Demuxer::~Demuxer()
{
    if (format_)
        avformat_close_input(&format_);
    if (io_) {
        av_freep(&io_->buffer);
        avio_context_free(&io_);
    }
}

bool FeedNextPacket(AVFormatContext* format, int stream, AVCodecContext* codec, AVPacket* packet)
{
    if (av_read_frame(format, packet) < 0) {
        avcodec_send_packet(codec, nullptr);
        return false;
    }
    if (packet->stream_index == stream)
        avcodec_send_packet(codec, packet);
    av_packet_unref(packet);
    return true;
}

bool DecoderAllowed(const AVStream& stream)
{
    return allowedDecoder(stream) != nullptr;
}

AVCodecContext* OpenAllowedDecoder(const AVStream& stream)
{
    const AVCodec* decoder = allowedDecoder(stream);
    if (!decoder)
        return nullptr;
    AVCodecContext* codec = avcodec_alloc_context3(decoder);
    if (!codec || avcodec_parameters_to_context(codec, stream.codecpar) < 0) {
        avcodec_free_context(&codec);
        return nullptr;
    }
    codec->codec_whitelist = av_strdup(kDecoders);
    codec->thread_count = 1;  // decoding runs in the loop's pass, on the UI thread
    codec->pkt_timebase = stream.time_base;
    if (avcodec_open2(codec, decoder, nullptr) < 0)
        avcodec_free_context(&codec);  // and null
    return codec;
}

std::int64_t FrameTime(const AVFrame& frame)
{
    return frame.best_effort_timestamp != AV_NOPTS_VALUE ? frame.best_effort_timestamp : frame.pts;
}

}  // namespace plat
