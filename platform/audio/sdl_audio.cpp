#include "platform/audio/sdl_audio.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace plat {

struct SdlAudio::Stream {
    PcmFormat format;
    SDL_AudioStream* convert = nullptr;
    bool paused = false;
    std::uint64_t putFrames = 0;   // source frames put since the last clear
    std::uint64_t outFrames = 0;   // mixer frames taken since the last clear
    std::uint64_t played = 0;      // source frames played
    std::uint64_t mark = 0;        // wake the UI thread once played reaches it
    bool markPending = false;
};

namespace {
int envInt(const char* name, int fallback)
{
    const char* v = std::getenv(name);
    if (!v || !*v)
        return fallback;
    int n = std::atoi(v);
    return n > 0 ? n : fallback;
}
}  // namespace

PcmFormat SdlAudio::DefaultMixerFormat()
{
    return {envInt("KELBO_AUDIO_RATE", 44100), std::clamp(envInt("KELBO_AUDIO_CHANNELS", 2), 1, 8)};
}

SdlAudio::SdlAudio(const PcmFormat& mixer, std::function<void()> wake) : mixer_(mixer), wake_(std::move(wake))
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
        if (openDevice(mixer))
            return;
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    std::string why = SDL_GetError();
    std::fprintf(stderr, "No usable sound output (%s); sounds play silently\n", why.c_str());
}

SdlAudio::~SdlAudio()
{
    if (device_ && devicePaused_)
        SDL_UnlockAudioDevice(device_);  // the thread must be free to end
    if (device_)
        SDL_CloseAudioDevice(device_);
    for (auto& [id, s] : streams_)
        SDL_FreeAudioStream(s->convert);
    if (device_)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SdlAudio::openDevice(const PcmFormat& wanted)
{
    SDL_AudioSpec want{};
    want.freq = wanted.rate;
    want.format = AUDIO_S16SYS;
    want.channels = std::uint8_t(wanted.channels);
    want.samples = 1024;
    want.callback = &SdlAudio::callback;
    want.userdata = this;
    SDL_AudioSpec have{};
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (!device_)
        return false;
    mixer_ = {have.freq, have.channels};
    const char* driver = SDL_GetCurrentAudioDriver();
    driver_ = driver ? driver : "";
    // It starts paused: nothing plays yet.
    SDL_LockAudioDevice(device_);
    return true;
}

bool SdlAudio::somethingToPlay() const
{
    std::lock_guard lock(mutex_);
    for (const auto& [id, s] : streams_)
        if (!s->paused && s->played < s->putFrames)
            return true;
    return false;
}

void SdlAudio::settle() const
{
    if (!device_)
        return;
    const bool pause = !somethingToPlay();
    if (pause == devicePaused_)
        return;
    devicePaused_ = pause;
    // A paused SDL device still runs its thread, writing silence at the
    // device's pace; holding the device's lock keeps that thread asleep
    // until something plays again.
    if (pause) {
        SDL_PauseAudioDevice(device_, 1);
        SDL_LockAudioDevice(device_);
    } else {
        SDL_PauseAudioDevice(device_, 0);
        SDL_UnlockAudioDevice(device_);
    }
}

void SdlAudio::callback(void* self, std::uint8_t* out, int length)
{
    static_cast<SdlAudio*>(self)->mix(out, length);
}

// Adds every playing stream into the device's buffer and counts, in each
// stream's own frames, how far it has played. The conversion holds a few
// frames back for its filter; once a stream runs short they are flushed
// out, so the end of a sound is played and counted too.
void SdlAudio::mix(std::uint8_t* out, int length)
{
    const int channels = mixer_.channels;
    const std::size_t count = std::size_t(length) / sizeof(std::int16_t);
    std::vector<std::int32_t>& sum = sum_;
    std::vector<std::int16_t>& part = part_;
    sum.assign(count, 0);
    part.resize(count);
    bool wakeNow = false;
    {
        std::lock_guard lock(mutex_);
        for (auto& [id, sp] : streams_) {
            Stream& s = *sp;
            if (s.paused || s.putFrames == 0)
                continue;
            if (SDL_AudioStreamAvailable(s.convert) < length)
                SDL_AudioStreamFlush(s.convert);
            int got = SDL_AudioStreamGet(s.convert, part.data(), length);
            if (got <= 0)
                got = 0;
            std::size_t n = std::size_t(got) / sizeof(std::int16_t);
            for (std::size_t i = 0; i < n; ++i)
                sum[i] += part[i];
            s.outFrames += n / std::size_t(channels);
            if (SDL_AudioStreamAvailable(s.convert) == 0)
                s.played = s.putFrames;
            else
                s.played = std::min(s.putFrames, s.outFrames * std::uint64_t(s.format.rate) / std::uint64_t(mixer_.rate));
            if (s.markPending && s.played >= s.mark) {
                s.markPending = false;
                wakeNow = true;
            }
        }
    }
    auto* samples = reinterpret_cast<std::int16_t*>(out);
    for (std::size_t i = 0; i < count; ++i)
        samples[i] = std::int16_t(std::clamp(sum[i], -32768, 32767));
    if (wakeNow && wake_)
        wake_();
}

AudioOutput::StreamId SdlAudio::openStream(const PcmFormat& format)
{
    if (!device_ || format.rate <= 0 || format.channels <= 0 || format.channels > 8)
        return -1;
    SDL_AudioStream* convert = SDL_NewAudioStream(AUDIO_S16SYS, std::uint8_t(format.channels), format.rate,
                                                  AUDIO_S16SYS, std::uint8_t(mixer_.channels), mixer_.rate);
    if (!convert)
        return -1;
    auto s = std::make_unique<Stream>();
    s->format = format;
    s->convert = convert;
    std::lock_guard lock(mutex_);
    streams_[next_] = std::move(s);
    return next_++;
}

void SdlAudio::closeStream(StreamId stream)
{
    std::unique_ptr<Stream> gone;
    {
        std::lock_guard lock(mutex_);
        auto it = streams_.find(stream);
        if (it == streams_.end())
            return;
        gone = std::move(it->second);
        streams_.erase(it);
    }
    SDL_FreeAudioStream(gone->convert);
    settle();
}

void SdlAudio::put(StreamId stream, std::span<const std::int16_t> samples)
{
    {
        std::lock_guard lock(mutex_);
        auto it = streams_.find(stream);
        if (it == streams_.end() || samples.empty())
            return;
        Stream& s = *it->second;
        if (SDL_AudioStreamPut(s.convert, samples.data(), int(samples.size_bytes())) == 0)
            s.putFrames += samples.size() / std::size_t(s.format.channels);
    }
    settle();
}

void SdlAudio::setPaused(StreamId stream, bool paused)
{
    {
        std::lock_guard lock(mutex_);
        auto it = streams_.find(stream);
        if (it != streams_.end())
            it->second->paused = paused;
    }
    settle();
}

void SdlAudio::clear(StreamId stream)
{
    {
        std::lock_guard lock(mutex_);
        auto it = streams_.find(stream);
        if (it == streams_.end())
            return;
        Stream& s = *it->second;
        SDL_AudioStreamClear(s.convert);
        s.putFrames = s.outFrames = s.played = 0;
        s.markPending = false;
    }
    settle();
}

std::uint64_t SdlAudio::played(StreamId stream) const
{
    std::uint64_t frames = 0;
    {
        std::lock_guard lock(mutex_);
        auto it = streams_.find(stream);
        frames = it == streams_.end() ? 0 : it->second->played;
    }
    settle();
    return frames;
}

std::optional<std::uint64_t> SdlAudio::wakeAt(StreamId stream, std::uint64_t frames)
{
    std::optional<std::uint64_t> at;
    {
        std::lock_guard lock(mutex_);
        auto it = streams_.find(stream);
        if (it == streams_.end())
            return std::nullopt;
        Stream& s = *it->second;
        if (s.played >= frames) {
            at = std::uint64_t(0);  // already there: look again at once
        } else {
            s.mark = frames;
            s.markPending = true;
        }
    }
    settle();
    return at;
}

}  // namespace plat
