#pragma once
// A movie's sound through FFmpeg: decoded from the chosen point, cut to
// the range being played, resampled to the sink's format and handed to it
// as the picture advances.

#include <cstdint>
#include <memory>

#include "platform/ffmpeg/ffmpeg_input.h"
#include "platform/movie/sound_sink.h"

struct AVCodecContext;
struct AVFrame;
struct AVPacket;
struct SwrContext;

namespace plat {

class FfmpegSound {
public:
    // `originSeconds`: where movie time 0 lies on the stream's clock.
    // Null when the stream cannot be decoded.
    static std::unique_ptr<FfmpegSound> open(std::unique_ptr<Demuxer> demuxer, int stream,
                                             std::unique_ptr<MovieSoundSink> sink, double originSeconds);
    ~FfmpegSound();
    FfmpegSound(const FfmpegSound&) = delete;
    FfmpegSound& operator=(const FfmpegSound&) = delete;

    // Times in seconds of movie time.
    void start(double from, double to);
    void deliverUntil(double until);
    void stop();

private:
    FfmpegSound() = default;
    void deliverFrame();
    void write(const std::uint8_t** input, int count);
    bool prepareResampler(const AVFrame& f, int rate);
    void finish();

    std::unique_ptr<Demuxer> demuxer_;
    int stream_ = -1;
    std::unique_ptr<MovieSoundSink> sink_;
    double origin_ = 0;
    double timeBase_ = 0;
    AVCodecContext* codec_ = nullptr;
    SwrContext* resampler_ = nullptr;
    AVPacket* packet_ = nullptr;
    AVFrame* frame_ = nullptr;
    // The input the resampler was made for: a frame that differs (a
    // damaged stream) gets a resampler of its own.
    int inFormat_ = -1;
    int inRate_ = 0;
    int inChannels_ = 0;
    bool active_ = false;    // a range was started and not stopped
    bool finished_ = false;  // ... and all of it is delivered
    bool drained_ = false;
    double from_ = 0;
    double to_ = 0;
    double delivered_ = 0;  // movie time up to which the sink has been given sound
};

}  // namespace plat
