#pragma once
// The headless audio output: streams play against the process clock (the
// virtual clock moves only when a test or an idle wait moves it), one
// frame per 1/rate seconds while a stream holds samples and is not
// paused. What each stream played is kept for tests.

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

    const char* name() const override { return "headless"; }
    StreamId openStream(const PcmFormat& format) override;
    void closeStream(StreamId stream) override;
    void put(StreamId stream, std::span<const std::int16_t> samples) override;
    void setPaused(StreamId stream, bool paused) override;
    void clear(StreamId stream) override;
    std::uint64_t played(StreamId stream) const override;
    std::optional<std::uint64_t> wakeAt(StreamId stream, std::uint64_t frames) override;

    // The samples played by the streams closed so far, then forgotten.
    std::vector<Sound> takeSounds();

private:
    struct Stream {
        PcmFormat format;
        std::vector<std::int16_t> held;   // put since the last clear
        std::vector<std::int16_t> heard;  // played before the last clears
        std::uint64_t frames = 0;         // frames put since the last clear
        std::uint64_t anchorFrames = 0;   // frames played at anchorTime
        std::uint64_t anchorTime = 0;
        bool paused = false;
    };
    std::uint64_t playedAt(const Stream& s, std::uint64_t now) const;
    void reanchor(Stream& s);
    void keepPlayed(Stream& s);

    std::map<StreamId, Stream> streams_;
    StreamId next_ = 1;
    std::vector<Sound> sounds_;
};

}  // namespace plat
