#include "platform/audio/audio_output.h"

#include <cstring>
#include <utility>

#include "platform/audio/headless_audio.h"
#include "platform/audio/sdl_audio.h"
#include "platform/backend/backend.h"

namespace plat {

namespace {
std::unique_ptr<AudioOutput>& slot()
{
    static std::unique_ptr<AudioOutput> output;
    return output;
}

std::unique_ptr<AudioOutput> makeForBackend()
{
    if (std::strcmp(TheBackend().name(), "sdl") == 0)
        return std::make_unique<SdlAudio>(SdlAudio::DefaultMixerFormat(), [] { TheBackend().wake(); });
    return std::make_unique<HeadlessAudio>(HeadlessAudio::Keep::Nothing);
}
}  // namespace

AudioOutput& TheAudioOutput()
{
    auto& output = slot();
    if (!output)
        output = makeForBackend();
    return *output;
}

std::unique_ptr<AudioOutput> InstallAudioOutput(std::unique_ptr<AudioOutput> output)
{
    return std::exchange(slot(), std::move(output));
}

}  // namespace plat
