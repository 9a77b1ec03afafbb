#pragma once
// The SDL audio output: one host device, opened at the mixer's format,
// whose callback (on SDL's audio thread) converts each stream to that
// format through an SDL_AudioStream, adds them up and counts what it took
// from each. The device is paused while nothing plays. When the host has
// no usable output the output is not ready (one line says so), and the
// program plays its sounds silently against the clock instead (see
// TheAudioOutput), with no audio thread at all.

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

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

    // False when the host has no usable sound output.
    bool ready() const { return device_ != 0; }
    // The SDL driver in use.
    const std::string& driver() const { return driver_; }
    // Whether the device is paused, having nothing to play.
    bool devicePaused() const { return devicePaused_; }
    const PcmFormat& mixerFormat() const { return mixer_; }

    // The mixer's format the next SdlAudio made for the backend gets:
    // KELBO_AUDIO_RATE and KELBO_AUDIO_CHANNELS, else 44,100 Hz stereo.
    static PcmFormat DefaultMixerFormat();

private:
    struct Stream;
    static void callback(void* self, std::uint8_t* out, int length);
    void mix(std::uint8_t* out, int length);
    bool openDevice(const PcmFormat& wanted);
    // Pauses the device once no stream has anything left to play, and
    // starts it again when one has (UI thread; not under mutex_, which the
    // callback takes while SDL holds the device's own lock).
    void settle() const;
    bool somethingToPlay() const;

    PcmFormat mixer_;
    std::function<void()> wake_;
    std::uint32_t device_ = 0;
    std::string driver_;
    mutable bool devicePaused_ = true;
    // The callback's own buffers, kept so that it allocates nothing.
    std::vector<std::int32_t> sum_;
    std::vector<std::int16_t> part_;
    mutable std::mutex mutex_;
    std::map<StreamId, std::unique_ptr<Stream>> streams_;
    StreamId next_ = 1;
};

}  // namespace plat
