#include "platform/audio/audio_output.h"

#include <atomic>
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
        return MakeHostAudioOutput([] { TheBackend().wake(); });
    return std::make_unique<HeadlessAudio>(HeadlessAudio::Keep::Nothing);
}
}  // namespace

namespace {
std::uint64_t nextSerial()
{
    static std::atomic<std::uint64_t> last{0};
    return ++last;
}
}  // namespace

AudioOutput::AudioOutput() : serial_(nextSerial()) {}

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
