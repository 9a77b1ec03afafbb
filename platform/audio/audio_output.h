#pragma once
// Where decoded sound goes: one output that mixes any number of streams
// of interleaved 16-bit samples, each with its own rate and channel count.
// The wave-output devices use one stream each; other players (movies) may
// open their own.
//
// Streams are opened, fed and closed on the UI thread. What the output
// does on its own (playing, on an audio thread where there is one) is only
// counting the samples it took from each stream.
//
// Two outputs exist: the headless one, which plays against the virtual
// clock and keeps what it played for tests, and the SDL one, one host
// device mixing every stream.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>

namespace plat {

struct PcmFormat {
    int rate = 22050;
    int channels = 1;
};

class AudioOutput {
public:
    using StreamId = int;

    virtual ~AudioOutput() = default;
    virtual const char* name() const = 0;

    // -1 when the stream cannot be made.
    virtual StreamId openStream(const PcmFormat& format) = 0;
    virtual void closeStream(StreamId stream) = 0;
    // Appends samples (whole frames, channels interleaved).
    virtual void put(StreamId stream, std::span<const std::int16_t> samples) = 0;
    // A paused stream keeps what it holds and plays nothing.
    virtual void setPaused(StreamId stream, bool paused) = 0;
    // Drops what the stream holds and counts from 0 again.
    virtual void clear(StreamId stream) = 0;
    // Frames played since the stream was opened or cleared.
    virtual std::uint64_t played(StreamId stream) const = 0;
    // The UI thread wants to know when `frames` have been played: the
    // clock time by which that happens while the stream plays on, or none
    // when the output wakes the UI thread itself (or never gets there).
    virtual std::optional<std::uint64_t> wakeAt(StreamId stream, std::uint64_t frames) = 0;
    // Whether it plays by the process clock (the headless output) rather
    // than by the host's own time (a sound card): only then can a device
    // that falls behind the clock be taken as stalled.
    virtual bool playsByTheClock() const { return false; }
};

// The host's sound device through SDL; without one, a silent output that
// plays against the clock and starts no audio thread. `wake` ends a wait
// of the UI thread.
std::unique_ptr<AudioOutput> MakeHostAudioOutput(std::function<void()> wake);

// The process's output: the one installed, else one made for the backend
// (SDL's for the sdl backend, the headless one otherwise).
AudioOutput& TheAudioOutput();
// Installs an output (null: the next use makes one); the previous one is
// returned. Only while no stream is open.
std::unique_ptr<AudioOutput> InstallAudioOutput(std::unique_ptr<AudioOutput> output);
// Which output TheAudioOutput() gives: a number that changes whenever the
// output is replaced, so that the holder of a stream can tell that the
// output it was opened on went, even when a new one took its memory.
std::uint64_t AudioOutputGeneration();

}  // namespace plat
