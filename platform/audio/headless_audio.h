#pragma once
// The headless audio output: streams play against the process clock (the
// virtual clock moves only when a test or an idle wait moves it), one
// frame per 1/rate seconds while a stream holds samples and is not
// paused. Samples are let go of once played; only an output made to keep
// sounds (for tests) keeps what each stream played.

#include <map>
#include <vector>

#include "platform/audio/audio_output.h"

namespace plat {

class HeadlessAudio final : public AudioOutput {
public:
    // One finished stream: what it played, in order.
    struct Sound {
        PcmFormat format;
        std::vector<std::int16_t> samples;
    };

    enum class Keep { Sounds, Nothing };
    // A test's output keeps what it heard; the program's keeps nothing.
    explicit HeadlessAudio(Keep keep = Keep::Sounds) : keep_(keep) {}

    const char* name() const override { return "headless"; }
    StreamId openStream(const PcmFormat& format) override;
    void closeStream(StreamId stream) override;
    void put(StreamId stream, std::span<const std::int16_t> samples) override;
    void setPaused(StreamId stream, bool paused) override;
    void clear(StreamId stream) override;
    std::uint64_t played(StreamId stream) const override;
    std::optional<std::uint64_t> wakeAt(StreamId stream, std::uint64_t frames) override;
    bool playsByTheClock() const override { return true; }

    // The samples played by the streams closed so far, then forgotten
    // (nothing for an output that keeps nothing).
    std::vector<Sound> takeSounds();
    // Samples held for all streams, heard or still to play.
    std::size_t HeldSamples() const;

private:
    struct Stream {
        PcmFormat format;
        std::vector<std::int16_t> held;   // put since the last clear, not yet let go of
        std::vector<std::int16_t> heard;  // played, when sounds are kept
        std::uint64_t frames = 0;         // frames put since the last clear
        std::uint64_t gone = 0;           // of those, played and let go of (held starts there)
        std::uint64_t anchorFrames = 0;   // frames played at anchorTime
        std::uint64_t anchorTime = 0;
        bool paused = false;
    };
    std::uint64_t playedAt(const Stream& s, std::uint64_t now) const;
    void reanchor(Stream& s);
    // Lets go of what the stream has played, keeping it when sounds are
    // kept.
    void takePlayed(Stream& s);

    Keep keep_;
    std::map<StreamId, Stream> streams_;
    StreamId next_ = 1;
    std::vector<Sound> sounds_;
};

}  // namespace plat
