#include "platform/audio/audio_output.h"

#include <cstring>
#include <utility>

#include "platform/audio/headless_audio.h"
#include "platform/audio/sdl_audio.h"
#include "platform/backend/backend.h"

namespace plat {

namespace {
struct OutputSlot {
    std::unique_ptr<AudioOutput> output;
    std::uint64_t generation = 0;
};

OutputSlot& slot()
{
    static OutputSlot s;
    return s;
}

std::unique_ptr<AudioOutput> makeForBackend()
{
    if (std::strcmp(TheBackend().name(), "sdl") == 0)
        return MakeHostAudioOutput([] { TheBackend().wake(); });
    return std::make_unique<HeadlessAudio>(HeadlessAudio::Keep::Nothing);
}
}  // namespace

std::unique_ptr<AudioOutput> MakeHostAudioOutput(std::function<void()> wake)
{
    auto sdl = std::make_unique<SdlAudio>(SdlAudio::DefaultMixerFormat(), std::move(wake));
    if (sdl->ready())
        return sdl;
    // Sounds still end on time, as headless ones do.
    return std::make_unique<HeadlessAudio>(HeadlessAudio::Keep::Nothing);
}

AudioOutput& TheAudioOutput()
{
    OutputSlot& s = slot();
    if (!s.output) {
        s.output = makeForBackend();
        ++s.generation;
    }
    return *s.output;
}

std::unique_ptr<AudioOutput> InstallAudioOutput(std::unique_ptr<AudioOutput> output)
{
    OutputSlot& s = slot();
    ++s.generation;
    return std::exchange(s.output, std::move(output));
}

std::uint64_t AudioOutputGeneration()
{
    return slot().generation;
}

}  // namespace plat
