#pragma once
// A demuxer over the bytes of a movie (movie/movie_bytes.h). The picture
// and the sound each read with a demuxer of their own, so that seeking one
// never moves the other.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/movie/movie_bytes.h"

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVIOContext;
struct AVPacket;
struct AVStream;

namespace plat {

class Demuxer {
public:
    // Null when the bytes are not a movie container FFmpeg may open here.
    static std::unique_ptr<Demuxer> open(std::unique_ptr<MovieBytes> bytes);
    ~Demuxer();
    Demuxer(const Demuxer&) = delete;
    Demuxer& operator=(const Demuxer&) = delete;

    AVFormatContext* context() const { return format_; }

private:
    Demuxer() = default;
    std::unique_ptr<MovieBytes> bytes_;
    AVIOContext* io_ = nullptr;
    AVFormatContext* format_ = nullptr;
};

// Reads the container's next packet and gives it to the decoder when it
// belongs to `stream` (a damaged one is passed over); false once the
// container has no more, after telling the decoder so.
bool FeedNextPacket(AVFormatContext* format, int stream, AVCodecContext* codec, AVPacket* packet);

// Whether the stream's codec is one that a title's movies and sounds use:
// no other decoder of FFmpeg is opened, so that a hostile file cannot reach
// them.
bool DecoderAllowed(const AVStream& stream);
// The stream's decoder, opened to run on the calling thread; null when it
// is not allowed or cannot be opened. The caller frees it with
// avcodec_free_context.
AVCodecContext* OpenAllowedDecoder(const AVStream& stream);

// A decoded frame's time on its stream's clock, or AV_NOPTS_VALUE.
std::int64_t FrameTime(const AVFrame& frame);

}  // namespace plat
