// Movie sound into the platform's audio output: one stream of its own per
// movie, mixed with the wave devices' streams.

#include "platform/audio/audio_output.h"
#include "platform/movie/sound_sink.h"

namespace plat {

namespace {

class MixerSink final : public MovieSoundSink {
public:
    explicit MixerSink(AudioOutput::StreamId stream) : stream_(stream), generation_(AudioOutputGeneration()) {}
    ~MixerSink() override
    {
        if (AudioOutput* o = output())
            o->closeStream(stream_);
    }
    void write(std::span<const std::int16_t> samples) override
    {
        if (AudioOutput* o = output())
            o->put(stream_, samples);
    }
    void flush() override
    {
        if (AudioOutput* o = output())
            o->clear(stream_);
    }

private:
    // A stream belongs to the output it was opened on; once the backend
    // changed the output, the old stream is gone with it.
    AudioOutput* output() const { return generation_ == AudioOutputGeneration() ? &TheAudioOutput() : nullptr; }

    AudioOutput::StreamId stream_;
    std::uint64_t generation_;
};

}  // namespace

std::unique_ptr<MovieSoundSink> MakeMixerSoundSink()
{
    AudioOutput& output = TheAudioOutput();
    const AudioOutput::StreamId stream = output.openStream({kMovieSoundRate, kMovieSoundChannels});
    if (stream < 0)
        return nullptr;
    return std::make_unique<MixerSink>(stream);
}

}  // namespace plat
