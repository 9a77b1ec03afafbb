#include "platform/movie/sound_sink.h"

namespace plat {

namespace {
MovieSoundOutput& outputSlot()
{
    static MovieSoundOutput output;
    return output;
}
}  // namespace

MovieSoundOutput SetMovieSoundOutput(MovieSoundOutput output)
{
    MovieSoundOutput old = std::move(outputSlot());
    outputSlot() = std::move(output);
    return old;
}

std::unique_ptr<MovieSoundSink> MakeMovieSoundSink()
{
    const MovieSoundOutput& output = outputSlot();
    return output ? output() : MakeMixerSoundSink();
}

}  // namespace plat
