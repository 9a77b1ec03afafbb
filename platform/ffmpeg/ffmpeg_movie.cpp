#include "platform/ffmpeg/ffmpeg_movie.h"

#include <algorithm>

#include "platform/ffmpeg/ffmpeg_pictures.h"
#include "platform/ffmpeg/ffmpeg_sound.h"

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/log.h>
}

namespace plat {

namespace {

// Reading a stream's description decodes a little of it; a title's movies
// describe themselves in their headers, so a short look is enough.
constexpr std::int64_t kAnalyzeMicroseconds = 1000000;

class FfmpegSource final : public MovieSource {
public:
    FfmpegSource(MovieInfo info, std::unique_ptr<FfmpegPictures> pictures, std::unique_ptr<FfmpegSound> sound)
        : info_(std::move(info)), pictures_(std::move(pictures)), sound_(std::move(sound))
    {
        info_.hasSound = sound_ != nullptr;
    }

    const MovieInfo& info() const override { return info_; }
    bool decodeFrame(std::size_t index, FrameImage& out) override
    {
        return pictures_ && pictures_->decode(index, out);
    }
    void startSound(std::int32_t from, std::int32_t to) override
    {
        if (sound_)
            sound_->start(seconds(from), seconds(to));
    }
    void soundUntil(std::int32_t until) override
    {
        if (sound_)
            sound_->deliverUntil(seconds(until));
    }
    void stopSound() override
    {
        if (sound_)
            sound_->stop();
    }

private:
    double seconds(std::int32_t t) const { return double(t) / double(info_.timeScale); }

    MovieInfo info_;
    std::unique_ptr<FfmpegPictures> pictures_;
    std::unique_ptr<FfmpegSound> sound_;
};

// A movie of sound alone keeps time in its sound stream's units.
bool describeSoundOnly(const AVStream& s, MovieInfo& info)
{
    if (s.time_base.num != 1 || s.time_base.den <= 0 || s.duration <= 0 || s.duration == AV_NOPTS_VALUE)
        return false;
    info.timeScale = s.time_base.den;
    info.duration = std::int32_t(std::min<std::int64_t>(s.duration, INT32_MAX));
    return true;
}

}  // namespace

OpenedSource OpenMovieBytes(std::unique_ptr<MovieBytes> bytes, MovieSoundSinkMaker makeSink)
{
    av_log_set_level(AV_LOG_QUIET);  // damaged movies are expected; the engine reports its own errors
    if (!bytes)
        return {nullptr, kMovieFileNotFound};
    std::unique_ptr<MovieBytes> soundBytes = bytes->reopen();
    std::unique_ptr<Demuxer> demuxer = Demuxer::open(std::move(bytes));
    if (!demuxer)
        return {nullptr, kMovieNotAMovie};
    AVFormatContext* format = demuxer->context();
    format->max_analyze_duration = kAnalyzeMicroseconds;
    if (avformat_find_stream_info(format, nullptr) < 0)
        return {nullptr, kMovieNotAMovie};
    const int video = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    const int audio = av_find_best_stream(format, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);

    MovieInfo info;
    std::unique_ptr<FfmpegPictures> pictures;
    double origin = 0;
    if (video >= 0) {
        int error = kMovieNoError;
        pictures = FfmpegPictures::open(std::move(demuxer), video, info, &error);
        if (!pictures)
            return {nullptr, error};
        origin = pictures->originSeconds();
    } else if (audio < 0 || !describeSoundOnly(*format->streams[audio], info)) {
        return {nullptr, kMovieNotAMovie};
    } else {
        origin = format->streams[audio]->start_time != AV_NOPTS_VALUE
                     ? double(format->streams[audio]->start_time) * av_q2d(format->streams[audio]->time_base)
                     : 0.0;
    }

    std::unique_ptr<FfmpegSound> sound;
    if (audio >= 0) {
        if (auto sink = makeSink ? makeSink() : nullptr) {
            // The first look described the streams; the second reader of
            // the same file finds them as its headers say.
            std::unique_ptr<Demuxer> soundDemuxer = Demuxer::open(std::move(soundBytes));
            if (soundDemuxer && unsigned(audio) < soundDemuxer->context()->nb_streams)
                sound = FfmpegSound::open(std::move(soundDemuxer), audio, std::move(sink), origin);
        }
    }
    return {std::make_unique<FfmpegSource>(std::move(info), std::move(pictures), std::move(sound)),
            kMovieNoError};
}

}  // namespace plat
