#include "platform/audio/headless_audio.h"

#include <algorithm>
#include <utility>

#include "platform/clock/clock.h"

namespace plat {

std::uint64_t HeadlessAudio::playedAt(const Stream& s, std::uint64_t now) const
{
    if (s.paused || now <= s.anchorTime)
        return s.anchorFrames;
    std::uint64_t more = (now - s.anchorTime) * std::uint64_t(s.format.rate) / 1000;
    return std::min(s.frames, s.anchorFrames + more);
}

// Time counts from here: a stream that ran dry, or was paused, does not
// make up for the time it stood still.
void HeadlessAudio::reanchor(Stream& s)
{
    std::uint64_t now = TheClock().now();
    s.anchorFrames = playedAt(s, now);
    s.anchorTime = now;
}

void HeadlessAudio::takePlayed(Stream& s)
{
    const std::uint64_t played = playedAt(s, TheClock().now());
    const std::size_t count =
        std::min<std::size_t>(s.held.size(), std::size_t(played - std::min(played, s.gone)) * std::size_t(s.format.channels));
    if (keep_ == Keep::Sounds)
        s.heard.insert(s.heard.end(), s.held.begin(), s.held.begin() + std::ptrdiff_t(count));
    s.held.erase(s.held.begin(), s.held.begin() + std::ptrdiff_t(count));
    s.gone += count / std::size_t(s.format.channels);
}

AudioOutput::StreamId HeadlessAudio::openStream(const PcmFormat& format)
{
    if (format.rate <= 0 || format.channels <= 0)
        return -1;
    Stream s;
    s.format = format;
    s.anchorTime = TheClock().now();
    streams_[next_] = std::move(s);
    return next_++;
}

void HeadlessAudio::closeStream(StreamId stream)
{
    auto it = streams_.find(stream);
    if (it == streams_.end())
        return;
    takePlayed(it->second);
    if (keep_ == Keep::Sounds)
        sounds_.push_back({it->second.format, std::move(it->second.heard)});
    streams_.erase(it);
}

void HeadlessAudio::put(StreamId stream, std::span<const std::int16_t> samples)
{
    auto it = streams_.find(stream);
    if (it == streams_.end())
        return;
    Stream& s = it->second;
    reanchor(s);
    takePlayed(s);
    s.held.insert(s.held.end(), samples.begin(), samples.end());
    s.frames += samples.size() / std::size_t(s.format.channels);
}

void HeadlessAudio::setPaused(StreamId stream, bool paused)
{
    auto it = streams_.find(stream);
    if (it == streams_.end())
        return;
    reanchor(it->second);
    it->second.paused = paused;
}

void HeadlessAudio::clear(StreamId stream)
{
    auto it = streams_.find(stream);
    if (it == streams_.end())
        return;
    Stream& s = it->second;
    takePlayed(s);
    s.held.clear();
    s.frames = 0;
    s.gone = 0;
    s.anchorFrames = 0;
    s.anchorTime = TheClock().now();
}

std::uint64_t HeadlessAudio::played(StreamId stream) const
{
    auto it = streams_.find(stream);
    return it == streams_.end() ? 0 : playedAt(it->second, TheClock().now());
}

std::optional<std::uint64_t> HeadlessAudio::wakeAt(StreamId stream, std::uint64_t frames)
{
    auto it = streams_.find(stream);
    if (it == streams_.end())
        return std::nullopt;
    const Stream& s = it->second;
    std::uint64_t now = TheClock().now();
    if (playedAt(s, now) >= frames)
        return now;
    if (s.paused || frames > s.frames)
        return std::nullopt;
    std::uint64_t rate = std::uint64_t(s.format.rate);
    std::uint64_t wait = ((frames - s.anchorFrames) * 1000 + rate - 1) / rate;
    return std::max(now, s.anchorTime + wait);
}

std::size_t HeadlessAudio::HeldSamples() const
{
    std::size_t count = 0;
    for (const auto& [id, s] : streams_)
        count += s.held.size() + s.heard.size();
    for (const Sound& sound : sounds_)
        count += sound.samples.size();
    return count;
}

std::vector<HeadlessAudio::Sound> HeadlessAudio::takeSounds()
{
    return std::exchange(sounds_, {});
}

}  // namespace plat
