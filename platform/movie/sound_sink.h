#pragma once
// Where a movie's sound goes once decoded: 16-bit signed samples,
// interleaved stereo at 44,100 Hz, handed over a little ahead of the
// picture. The platform's sound output connects a sink per movie; without
// one, movies play silently and their sound is not decoded at all.

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

// Makes the sink of one movie; may give null (no sound).
using MovieSoundOutput = std::function<std::unique_ptr<MovieSoundSink>()>;
// Installs the maker; the previous one is returned.
MovieSoundOutput SetMovieSoundOutput(MovieSoundOutput output);
std::unique_ptr<MovieSoundSink> MakeMovieSoundSink();

}  // namespace plat
