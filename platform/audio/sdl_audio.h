#pragma once
// The SDL audio output: one host device, opened at the mixer's format,
// whose callback (on SDL's audio thread) converts each stream to that
// format through an SDL_AudioStream, adds them up and counts what it took
// from each. When the host has no usable output, SDL's silent driver takes
// its place, at real-time pace, so that sounds still finish and a title
// still runs; one line says so.

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "platform/audio/audio_output.h"

namespace plat {

class SdlAudio final : public AudioOutput {
public:
    // `wake` ends a wait of the UI thread; it is called on the audio thread
    // once a stream has played as far as the UI thread asked to know.
    SdlAudio(const PcmFormat& mixer, std::function<void()> wake);
    ~SdlAudio() override;

    const char* name() const override { return "sdl"; }
    StreamId openStream(const PcmFormat& format) override;
    void closeStream(StreamId stream) override;
    void put(StreamId stream, std::span<const std::int16_t> samples) override;
    void setPaused(StreamId stream, bool paused) override;
    void clear(StreamId stream) override;
    std::uint64_t played(StreamId stream) const override;
    std::optional<std::uint64_t> wakeAt(StreamId stream, std::uint64_t frames) override;

    // False when not even the silent driver could be opened.
    bool ready() const { return device_ != 0; }
    // The SDL driver in use ("dummy" after falling back).
    const std::string& driver() const { return driver_; }
    const PcmFormat& mixerFormat() const { return mixer_; }

    // The mixer's format the next SdlAudio made for the backend gets:
    // KELBO_AUDIO_RATE and KELBO_AUDIO_CHANNELS, else 44,100 Hz stereo.
    static PcmFormat DefaultMixerFormat();

private:
    struct Stream;
    static void callback(void* self, std::uint8_t* out, int length);
    void mix(std::uint8_t* out, int length);
    bool openDevice(const PcmFormat& wanted);

    PcmFormat mixer_;
    std::function<void()> wake_;
    std::uint32_t device_ = 0;
    std::string driver_;
    bool silent_ = false;  // the silent driver, started on its own
    mutable std::mutex mutex_;
    std::map<StreamId, std::unique_ptr<Stream>> streams_;
    StreamId next_ = 1;
};

}  // namespace plat
