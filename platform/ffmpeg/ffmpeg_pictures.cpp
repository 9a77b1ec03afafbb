#include "platform/ffmpeg/ffmpeg_pictures.h"

#include <algorithm>
#include <cstring>
#include <iterator>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

namespace plat {

namespace {

// Bounds on what a movie file may claim: its picture size, its frames,
// the packets read to list them, and the memory kept for frames decoded
// on the way to another.
constexpr int kLargestSide = 2048;
constexpr std::size_t kMostFrames = std::size_t(1) << 20;
constexpr std::size_t kMostPacketsScanned = std::size_t(1) << 24;
constexpr std::size_t kCacheBytes = std::size_t(48) << 20;
constexpr std::size_t kMostCachedFrames = 64;
// How far ahead decoding goes on instead of seeking.
constexpr std::size_t kForwardReach = 48;
// Packets read at most for the first frame when the movie opens.
constexpr std::size_t kFirstFramePackets = 256;
// Colour tables of an 8-bit stream kept at most (a megabyte).
constexpr std::size_t kMostPalettes = 1024;

}  // namespace

std::unique_ptr<FfmpegPictures> FfmpegPictures::open(std::unique_ptr<Demuxer> demuxer, int stream,
                                                     MovieInfo& info, int* error)
{
    std::unique_ptr<FfmpegPictures> p(new FfmpegPictures);
    AVFormatContext* format = demuxer->context();
    p->demuxer_ = std::move(demuxer);
    p->stream_ = stream;
    const AVStream* s = format->streams[stream];
    const AVCodecParameters* par = s->codecpar;
    // Pictures in another codec are not looked into, not even for their size.
    *error = kMovieNoDecoder;
    if (!DecoderAllowed(*s))
        return nullptr;
    *error = kMovieNotAMovie;
    if (par->width <= 0 || par->height <= 0 || par->width > kLargestSide || par->height > kLargestSide)
        return nullptr;
    if (s->time_base.num <= 0 || s->time_base.den <= 0)
        return nullptr;
    p->width_ = par->width;
    p->height_ = par->height;
    p->timeBaseNum_ = s->time_base.num;
    p->timeBaseDen_ = s->time_base.den;
    // Of the containers a movie may come in, only AVI changes a stream's
    // colours in its middle (its palette-change chunks); a QuickTime file's
    // come once, with the first frame.
    p->paletteChanges_ = std::strcmp(format->iformat->name, "avi") == 0;

    *error = kMovieNoDecoder;
    p->codec_ = OpenAllowedDecoder(*s);
    if (!p->codec_)
        return nullptr;
    p->packet_ = av_packet_alloc();
    p->frame_ = av_frame_alloc();
    *error = kMovieNotAMovie;
    if (!p->packet_ || !p->frame_ || !p->readFrameTable(info))
        return nullptr;

    const std::size_t frameBytes = std::size_t(p->width_) * std::size_t(p->height_) * 4;
    p->cacheFrames_ = std::clamp<std::size_t>(kCacheBytes / frameBytes, 1, kMostCachedFrames);
    info.width = p->width_;
    info.height = p->height_;
    *error = kMovieNoError;
    return p;
}

FfmpegPictures::~FfmpegPictures()
{
    sws_freeContext(scaler_);
    av_frame_free(&frame_);
    av_packet_free(&packet_);
    avcodec_free_context(&codec_);
}

double FfmpegPictures::originSeconds() const
{
    return pts_.empty() ? 0.0 : double(pts_.front()) * double(timeBaseNum_) / double(timeBaseDen_);
}

// The frames as the container's index lists them (decoding order), without
// reading the stream: entries the container marks as not shown, and empty
// ones, are left out. False when there is no index.
bool FfmpegPictures::framesFromIndex(std::vector<std::pair<std::int64_t, std::int64_t>>& frames) const
{
    AVStream* s = demuxer_->context()->streams[stream_];
    const int count = avformat_index_get_entries_count(s);
    for (int i = 0; i < count && frames.size() < kMostFrames; ++i) {
        const AVIndexEntry* e = avformat_index_get_entry(s, i);
        if (e && e->size > 0 && !(e->flags & AVINDEX_DISCARD_FRAME) && e->timestamp != AV_NOPTS_VALUE)
            frames.emplace_back(e->timestamp, 0);
    }
    return !frames.empty();
}

// Without an index, the frames come from reading every packet of the
// stream.
void FfmpegPictures::framesFromPackets(std::vector<std::pair<std::int64_t, std::int64_t>>& frames)
{
    AVFormatContext* format = demuxer_->context();
    for (std::size_t n = 0; n < kMostPacketsScanned && frames.size() < kMostFrames; ++n) {
        if (av_read_frame(format, packet_) < 0)
            break;
        const AVPacket& pk = *packet_;
        const std::int64_t ts = pk.pts != AV_NOPTS_VALUE ? pk.pts : pk.dts;
        if (pk.stream_index == stream_ && ts != AV_NOPTS_VALUE && !(pk.flags & AV_PKT_FLAG_DISCARD))
            frames.emplace_back(ts, std::max<std::int64_t>(0, pk.duration));
        if (pk.stream_index == stream_)
            notePacket(pk);
        av_packet_unref(packet_);
    }
}

// Decodes the first frame shown, from the first few packets (those read
// when the streams were described come first, the first of them with an
// 8-bit stream's colours), or after a seek to the earliest frame: it is
// kept as frame 0, and its time says where the index's times (decoding
// times, for a stream whose frames come out of order) lie against the
// frames' own. None when nothing decodes.
std::optional<std::int64_t> FfmpegPictures::decodeFirstFrame(std::optional<std::int64_t> seekTo)
{
    if (seekTo) {
        AVFormatContext* format = demuxer_->context();
        if (av_seek_frame(format, stream_, *seekTo, AVSEEK_FLAG_BACKWARD) < 0)
            av_seek_frame(format, stream_, *seekTo, AVSEEK_FLAG_BACKWARD | AVSEEK_FLAG_ANY);
        avcodec_flush_buffers(codec_);
        seeked_ = true;
    }
    drained_ = false;
    for (std::size_t packets = 0; packets < kFirstFramePackets;) {
        if (avcodec_receive_frame(codec_, frame_) == 0) {
            const std::int64_t ts = FrameTime(*frame_);
            if (ts == AV_NOPTS_VALUE) {
                av_frame_unref(frame_);
                continue;
            }
            return ts;  // the frame stays in frame_ until the table is made
        }
        if (drained_)
            break;
        drained_ = !feedPacket();
        ++packets;
    }
    return std::nullopt;
}

// Lists every frame's time, sorted (packets and index entries come in
// decoding order); the movie's times start at its first frame.
bool FfmpegPictures::readFrameTable(MovieInfo& info)
{
    if (timeBaseDen_ > INT32_MAX)
        return false;
    std::vector<std::pair<std::int64_t, std::int64_t>> packets;  // time, duration
    const bool indexed = framesFromIndex(packets);
    if (!indexed)
        framesFromPackets(packets);
    if (packets.empty())
        return false;
    std::sort(packets.begin(), packets.end());
    packets.erase(std::unique(packets.begin(), packets.end(),
                              [](const auto& a, const auto& b) { return a.first == b.first; }),
                  packets.end());
    const std::optional<std::int64_t> first =
        decodeFirstFrame(indexed ? std::nullopt : std::optional<std::int64_t>(packets.front().first));
    if (indexed && first) {
        const std::int64_t shift = *first - packets.front().first;
        for (auto& p : packets)
            p.first += shift;
    }

    const std::int64_t origin = packets.front().first;
    auto movieTime = [&](std::int64_t ts) -> std::optional<std::int32_t> {
        const __int128 t = (__int128(ts) - origin) * timeBaseNum_;
        if (t < 0 || t >= INT32_MAX)
            return std::nullopt;
        return std::int32_t(t);
    };
    for (const auto& [ts, duration] : packets) {
        auto t = movieTime(ts);
        if (!t)
            break;
        pts_.push_back(ts);
        info.frameTimes.push_back(*t);
    }
    // The last frame lasts as long as its packet says, else until the
    // stream's end, else as long as the one before it, else one unit of
    // the time scale.
    const std::size_t last = pts_.size() - 1;
    std::int64_t lastLength = packets[last].second;
    const AVStream* s = demuxer_->context()->streams[stream_];
    if (lastLength <= 0 && s->duration > 0 && s->duration != AV_NOPTS_VALUE && origin + s->duration > pts_[last])
        lastLength = origin + s->duration - pts_[last];
    if (lastLength <= 0)
        lastLength = last > 0 ? pts_[last] - pts_[last - 1] : 1;
    const auto end = movieTime(pts_[last] + std::max<std::int64_t>(1, lastLength));
    info.duration = end ? *end : INT32_MAX;
    info.timeScale = std::int32_t(timeBaseDen_);
    lastDecoded_.reset();
    if (first && !pts_.empty() && indexOf(*first) == 0) {
        // Decoding goes on from the first frame.
        keep(0, 0);
        lastDecoded_ = 0;
        av_frame_unref(frame_);
    } else {
        av_frame_unref(frame_);
        drained_ = true;  // the next decode seeks
    }
    return true;
}

std::optional<std::size_t> FfmpegPictures::indexOf(std::int64_t pts) const
{
    auto after = std::upper_bound(pts_.begin(), pts_.end(), pts);
    if (after == pts_.begin())
        return std::nullopt;
    return std::size_t(after - pts_.begin()) - 1;
}

const FrameImage* FfmpegPictures::cached(std::size_t index) const
{
    for (const auto& [i, image] : cache_)
        if (i == index)
            return &image;
    return nullptr;
}

void FfmpegPictures::seekBefore(std::size_t index)
{
    learnPalettesUpTo(pts_[index]);
    AVFormatContext* format = demuxer_->context();
    if (av_seek_frame(format, stream_, pts_[index], AVSEEK_FLAG_BACKWARD) < 0)
        av_seek_frame(format, stream_, pts_.front(), AVSEEK_FLAG_BACKWARD | AVSEEK_FLAG_ANY);
    avcodec_flush_buffers(codec_);
    seeked_ = true;
    lastDecoded_.reset();
    drained_ = false;
    cache_.clear();
}

std::int64_t FfmpegPictures::notePacket(const AVPacket& packet)
{
    std::int64_t time = packet.pts != AV_NOPTS_VALUE ? packet.pts : packet.dts;
    if (time == AV_NOPTS_VALUE)
        time = lastPacketTime_;
    lastPacketTime_ = time;
    if (seeked_) {
        // What a seek lands on follows what was read only when it was read.
        readingOn_ = readThrough_ && time <= *readThrough_;
        seeked_ = false;
    }
    std::size_t size = 0;
    const std::uint8_t* colours = av_packet_get_side_data(&packet, AV_PKT_DATA_PALETTE, &size);
    if (colours && size == AVPALETTE_SIZE && palettes_.size() < kMostPalettes) {
        const std::vector<std::uint8_t>* before = paletteAt(time);
        if (!before || !std::equal(before->begin(), before->end(), colours))
            palettes_[time].assign(colours, colours + size);
    }
    if (readingOn_ && (!readThrough_ || time > *readThrough_))
        readThrough_ = time;
    return time;
}

const std::vector<std::uint8_t>* FfmpegPictures::paletteAt(std::int64_t time) const
{
    if (palettes_.empty())
        return nullptr;
    auto after = palettes_.upper_bound(time);
    return after == palettes_.begin() ? &after->second : &std::prev(after)->second;
}

// A seek passes over the colour changes before the frame it lands on: those
// not yet known are read first, packet by packet from the last one read in
// order up to the time, without decoding.
void FfmpegPictures::learnPalettesUpTo(std::int64_t time)
{
    if (!paletteChanges_ || palettes_.empty() || (readThrough_ && *readThrough_ >= time))
        return;
    AVFormatContext* format = demuxer_->context();
    if (av_seek_frame(format, stream_, readThrough_.value_or(pts_.front()), AVSEEK_FLAG_BACKWARD) < 0)
        return;
    seeked_ = true;
    for (std::size_t n = 0; n < kMostPacketsScanned && av_read_frame(format, packet_) >= 0; ++n) {
        const bool ours = packet_->stream_index == stream_;
        const std::int64_t at = ours ? notePacket(*packet_) : 0;
        av_packet_unref(packet_);
        if (ours && at >= time)
            break;
    }
}

bool FfmpegPictures::feedPacket()
{
    AVFormatContext* format = demuxer_->context();
    if (av_read_frame(format, packet_) < 0) {
        avcodec_send_packet(codec_, nullptr);
        return false;
    }
    if (packet_->stream_index == stream_) {
        const bool first = seeked_;
        const std::int64_t time = notePacket(*packet_);
        // The decoder keeps the colours it was last given: after a seek,
        // those in force where it landed.
        const std::vector<std::uint8_t>* colours = first ? paletteAt(time) : nullptr;
        if (colours && !av_packet_get_side_data(packet_, AV_PKT_DATA_PALETTE, nullptr))
            if (std::uint8_t* side = av_packet_new_side_data(packet_, AV_PKT_DATA_PALETTE, colours->size()))
                std::copy(colours->begin(), colours->end(), side);
        avcodec_send_packet(codec_, packet_);
    }
    av_packet_unref(packet_);
    return true;
}

// Converts the decoded frame into the cache when it is one of the frames
// just before the target (or the target itself).
void FfmpegPictures::keep(std::size_t index, std::size_t target)
{
    if (index > target || target - index >= cacheFrames_ || cached(index))
        return;
    const AVFrame& f = *frame_;
    if (f.width <= 0 || f.height <= 0 || f.format < 0)
        return;
    scaler_ = sws_getCachedContext(scaler_, f.width, f.height, AVPixelFormat(f.format), width_, height_,
                                   AV_PIX_FMT_BGR0, SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (!scaler_)
        return;
    FrameImage image;
    image.width = width_;
    image.height = height_;
    image.pixels.resize(std::size_t(width_) * std::size_t(height_));
    std::uint8_t* planes[4] = {reinterpret_cast<std::uint8_t*>(image.pixels.data()), nullptr, nullptr, nullptr};
    int strides[4] = {width_ * 4, 0, 0, 0};
    if (sws_scale(scaler_, f.data, f.linesize, 0, f.height, planes, strides) <= 0)
        return;
    if (cache_.size() >= cacheFrames_)
        cache_.pop_front();
    cache_.emplace_back(index, std::move(image));
}

// Decodes on until the target frame (or a later one) came out, or the
// stream ended.
void FfmpegPictures::decodeForwardTo(std::size_t index)
{
    for (std::size_t packets = 0; packets < kMostPacketsScanned;) {
        while (avcodec_receive_frame(codec_, frame_) == 0) {
            const std::int64_t ts = FrameTime(*frame_);
            const auto decoded = ts != AV_NOPTS_VALUE ? indexOf(ts) : std::nullopt;
            if (decoded) {
                keep(*decoded, index);
                lastDecoded_ = decoded;
            }
            av_frame_unref(frame_);
            if (decoded && *decoded >= index)
                return;
        }
        if (drained_)
            return;
        drained_ = !feedPacket();
        ++packets;
    }
}

bool FfmpegPictures::decode(std::size_t index, FrameImage& out)
{
    if (index >= pts_.size())
        return false;
    if (!cached(index)) {
        const bool onwards =
            !drained_ && lastDecoded_ && index > *lastDecoded_ && index - *lastDecoded_ <= kForwardReach;
        if (!onwards)
            seekBefore(index);
        decodeForwardTo(index);
        // A seek that landed after the frame (a damaged index): from the top.
        if (!cached(index) && onwards == false && index > 0 && lastDecoded_ && *lastDecoded_ > index) {
            seekBefore(0);
            decodeForwardTo(index);
        }
    }
    const FrameImage* image = cached(index);
    if (!image)
        return false;
    out = *image;
    return true;
}

}  // namespace plat
