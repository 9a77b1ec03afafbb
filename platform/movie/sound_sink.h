#pragma once
// Where a movie's sound goes once decoded: 16-bit signed samples,
// interleaved stereo at 44,100 Hz, handed over a little ahead of the
// picture. Unless a test installs another maker, each movie with sound
// gets a stream of its own on the platform's audio output, mixed with the
// wave devices (audio/audio_output.h).

#include <cstdint>
#include <functional>
#include <memory>
#include <span>

namespace plat {

constexpr int kMovieSoundRate = 44100;
constexpr int kMovieSoundChannels = 2;

class MovieSoundSink {
public:
    virtual ~MovieSoundSink() = default;
    // Appends samples (a whole number of stereo frames) to what plays.
    virtual void write(std::span<const std::int16_t> samples) = 0;
    // Drops what was written and has not been heard yet.
    virtual void flush() = 0;
};

// Makes the sink of one movie; may give null: the movie plays silently
// and its sound is not decoded at all.
using MovieSoundOutput = std::function<std::unique_ptr<MovieSoundSink>()>;
// Installs the maker (null: the audio output's streams again); the previous
// one is returned.
MovieSoundOutput SetMovieSoundOutput(MovieSoundOutput output);
std::unique_ptr<MovieSoundSink> MakeMovieSoundSink();
// The default: a stream on the platform's audio output.
std::unique_ptr<MovieSoundSink> MakeMixerSoundSink();

}  // namespace plat
