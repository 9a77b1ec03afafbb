#pragma once
// A movie's picture stream through FFmpeg: the table of its frames, taken
// from the container's index when it opens (the stream is read through
// only when there is none), and each frame decoded on demand. Going forwards
// decodes on from where it is; going back (or far ahead) seeks to the key
// frame before the target and decodes forwards to it, keeping the frames on
// the way so that playing backwards does not decode each stretch again.

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "platform/ffmpeg/ffmpeg_input.h"
#include "platform/movie/movie_source.h"

struct AVCodecContext;
struct AVFrame;
struct AVPacket;
struct SwsContext;

namespace plat {

class FfmpegPictures {
public:
    // Fills the picture side of `info` (size, time scale, frame times,
    // duration); null with the error code when the stream cannot be used.
    static std::unique_ptr<FfmpegPictures> open(std::unique_ptr<Demuxer> demuxer, int stream,
                                                MovieInfo& info, int* error);
    ~FfmpegPictures();
    FfmpegPictures(const FfmpegPictures&) = delete;
    FfmpegPictures& operator=(const FfmpegPictures&) = delete;

    bool decode(std::size_t index, FrameImage& out);
    // Where movie time 0 lies on the stream's clock, in seconds.
    double originSeconds() const;

private:
    FfmpegPictures() = default;
    bool readFrameTable(MovieInfo& info);
    bool framesFromIndex(std::vector<std::pair<std::int64_t, std::int64_t>>& frames) const;
    void framesFromPackets(std::vector<std::pair<std::int64_t, std::int64_t>>& frames);
    std::optional<std::int64_t> decodeFirstFrame(std::optional<std::int64_t> seekTo);
    // Keeps what the stream's packet tells of its colours; its time.
    std::int64_t notePacket(const AVPacket& packet);
    const std::vector<std::uint8_t>* paletteAt(std::int64_t time) const;
    void learnPalettesUpTo(std::int64_t time);
    // The next packet to the decoder when it is the stream's; false at the
    // end, after telling the decoder.
    bool feedPacket();
    void seekBefore(std::size_t index);
    void decodeForwardTo(std::size_t index);
    std::optional<std::size_t> indexOf(std::int64_t pts) const;
    void keep(std::size_t index, std::size_t target);
    const FrameImage* cached(std::size_t index) const;

    std::unique_ptr<Demuxer> demuxer_;
    int stream_ = -1;
    AVCodecContext* codec_ = nullptr;
    SwsContext* scaler_ = nullptr;
    AVPacket* packet_ = nullptr;
    AVFrame* frame_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    std::int64_t timeBaseNum_ = 1;
    std::int64_t timeBaseDen_ = 600;
    std::vector<std::int64_t> pts_;  // each frame's stream time, ascending
    std::optional<std::size_t> lastDecoded_;
    bool drained_ = false;  // the decoder has been given the stream's end
    // An 8-bit stream's colours from the time of the packet that brought
    // them; every change up to `readThrough_` is known.
    std::map<std::int64_t, std::vector<std::uint8_t>> palettes_;
    std::optional<std::int64_t> readThrough_;
    std::int64_t lastPacketTime_ = 0;
    bool readingOn_ = true;    // the packets read follow one already read
    bool seeked_ = false;      // the next packet is the first after a seek
    bool paletteChanges_ = false;  // the container may change colours mid-stream
    std::size_t cacheFrames_ = 1;
    std::deque<std::pair<std::size_t, FrameImage>> cache_;
};

}  // namespace plat
