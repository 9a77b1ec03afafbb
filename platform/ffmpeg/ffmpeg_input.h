#pragma once
// The bytes FFmpeg reads a movie from (a host file or memory), and a
// demuxer over them. The picture and the sound each read with a demuxer of
// their own, so that seeking one never moves the other.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVIOContext;
struct AVPacket;

namespace plat {

class MovieBytes {
public:
    virtual ~MovieBytes() = default;
    // Bytes read into `buffer` (0 at the end, negative on an error).
    virtual int read(std::uint8_t* buffer, int size) = 0;
    // The new position, or negative when it cannot be reached.
    virtual std::int64_t seek(std::int64_t offset, int whence) = 0;
    virtual std::int64_t size() const = 0;
    // The same bytes with a position of their own; null when they cannot
    // be opened again.
    virtual std::unique_ptr<MovieBytes> reopen() const = 0;
};

// Null when the file cannot be opened for reading.
std::unique_ptr<MovieBytes> OpenHostFileBytes(const std::string& hostPath);
std::unique_ptr<MovieBytes> MemoryBytes(std::shared_ptr<const std::vector<std::uint8_t>> bytes);

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

// A decoded frame's time on its stream's clock, or AV_NOPTS_VALUE.
std::int64_t FrameTime(const AVFrame& frame);

}  // namespace plat
