#include "platform/audio/system_beep.h"

#include <cmath>
#include <optional>

#include "platform/audio/audio_output.h"
#include "platform/window/loop_service.h"

namespace plat {

namespace {

constexpr UINT kStop = 0x10, kQuestion = 0x20, kWarning = 0x30, kInformation = 0x40;

struct Note {
    double hertz;
    double seconds;
};

// Notes one after the other, each fading out, so that none clicks.
std::vector<std::int16_t> notes(std::initializer_list<Note> list)
{
    std::vector<std::int16_t> out;
    for (const Note& n : list) {
        const auto count = std::size_t(n.seconds * kSystemBeepRate);
        for (std::size_t i = 0; i < count; ++i) {
            const double t = double(i) / kSystemBeepRate;
            const double fade = std::exp(-6.0 * t / n.seconds) * std::min(1.0, double(count - i) / 64.0);
            out.push_back(std::int16_t(8000.0 * fade * std::sin(2.0 * M_PI * n.hertz * t)));
        }
    }
    return out;
}

// The beep that plays now: one stream on the output it was opened on,
// closed once its samples have played, so that the output can rest.
class BeepPlayer final : public LoopService {
public:
    bool play(std::vector<std::int16_t> samples)
    {
        if (!output())
            forget();
        AudioOutput& output = TheAudioOutput();
        if (stream_ < 0) {
            stream_ = output.openStream({kSystemBeepRate, 1});
            if (stream_ < 0)
                return false;
            generation_ = AudioOutputGeneration();
        } else {
            output.clear(stream_);
        }
        end_ = samples.size();
        output.put(stream_, samples);
        AddLoopService(this);
        return true;
    }
    std::optional<std::uint64_t> nextDue() const override
    {
        if (AudioOutput* o = output())
            return o->wakeAt(stream_, end_);
        return std::uint64_t(0);  // forgotten at once
    }
    void serviceDue(std::uint64_t) override
    {
        if (AudioOutput* o = output()) {
            if (o->played(stream_) < end_)
                return;
            o->closeStream(stream_);
        }
        forget();
    }

private:
    // A stream belongs to the output it was opened on; once the backend
    // changed the output (even for one that took the old one's memory), the
    // old stream is gone with it.
    AudioOutput* output() const
    {
        return stream_ >= 0 && generation_ == AudioOutputGeneration() ? &TheAudioOutput() : nullptr;
    }
    void forget()
    {
        stream_ = -1;
        RemoveLoopService(this);
    }

    AudioOutput::StreamId stream_ = -1;
    std::uint64_t generation_ = 0;
    std::uint64_t end_ = 0;
};

BeepPlayer& player()
{
    // Never destroyed: the loop's list of services may go first at exit.
    static auto* p = new BeepPlayer();
    return *p;
}

}  // namespace

std::vector<std::int16_t> SystemBeepSamples(UINT type)
{
    switch (type) {
    case kStop: return notes({{392.0, 0.12}, {330.0, 0.25}});
    case kQuestion: return notes({{660.0, 0.10}, {880.0, 0.22}});
    case kWarning: return notes({{880.0, 0.10}, {660.0, 0.22}});
    case kInformation: return notes({{1046.5, 0.30}});
    default: return notes({{750.0, 0.18}});  // MB_OK and the plain beep
    }
}

bool PlaySystemBeep(UINT type)
{
    return player().play(SystemBeepSamples(type));
}

}  // namespace plat
