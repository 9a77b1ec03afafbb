#include "platform/audio/wave_out.h"

#include <algorithm>
#include <deque>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "platform/audio/audio_output.h"
#include "platform/audio/wave_decoder.h"
#include "platform/clock/clock.h"
#include "platform/window/messages.h"
#include "platform/window/window.h"

namespace plat {

struct WaveOutDevice {
    struct Queued {
        WAVEHDR* header;
        std::uint64_t end;     // the frame count at which the buffer has played
        std::uint64_t dueAt;   // the clock time by which it would have played
        std::uint64_t slack;   // how long past that, with no progress, it counts as played anyway
    };

    // What the engine holds: a number never given to another device, so
    // that a handle kept past its device's close names no later device.
    HWAVEOUT handle = nullptr;
    WaveFormatInfo info;
    std::unique_ptr<WaveDecoder> decoder;
    AudioOutput::StreamId stream = -1;
    HWND window = nullptr;  // the callback window, if any
    std::deque<Queued> queued;
    std::uint64_t written = 0;  // frames written since open or reset
    // When what was written would have played at the device's rate; a
    // pause moves it on by the time paused.
    std::uint64_t dueEnd = 0;
    std::optional<std::uint64_t> pausedSince;
    // The last time the output played any of the device's samples.
    std::uint64_t playedSeen = 0;
    std::uint64_t progressAt = 0;

    std::uint64_t stalledAt(const Queued& q) const { return std::max(q.dueAt, progressAt) + q.slack; }
};

namespace {

// A device that stops taking samples (a stalled host device, a driver gone)
// must not hold its buffers for ever: the sound's owner waits for each
// completion, and an animation paced by them would freeze. A buffer this
// many of its own lengths late (and at least the floor), with the output
// playing nothing of the device's meanwhile, counts as played; a device
// that is only slow keeps its pace. A sound card's lag counts only against
// the real clock (a test may drive one from the virtual clock).
constexpr std::uint64_t kLateLengths = 3;
constexpr std::uint64_t kLateFloorMs = 500;

bool mayStall(const AudioOutput& output)
{
    return output.playsByTheClock() || !TheClock().isVirtual();
}

struct WaveOutState {
    std::vector<std::unique_ptr<WaveOutDevice>> devices;
    std::map<WaveOutCall, std::vector<MMRESULT>> injected;
};

WaveOutState& state()
{
    static WaveOutState s;
    return s;
}

std::optional<MMRESULT> injected(WaveOutCall call)
{
    auto& list = state().injected[call];
    if (list.empty())
        return std::nullopt;
    MMRESULT r = list.front();
    list.erase(list.begin());
    return r;
}

WaveOutDevice* live(HWAVEOUT device)
{
    for (auto& d : state().devices)
        if (d->handle == device)
            return d.get();
    return nullptr;
}

HWAVEOUT newHandle()
{
    // Never a small number, as the system's handles never are.
    static std::uintptr_t last = 0x1000;
    last += 0x10;
    return reinterpret_cast<HWAVEOUT>(last);
}

void notify(WaveOutDevice& d, UINT message, WAVEHDR* header)
{
    if (d.window)
        PostMessageA(d.window, message, WPARAM(d.handle), LPARAM(header));
}

void complete(WaveOutDevice& d, WAVEHDR* header)
{
    header->dwFlags = (header->dwFlags & ~WHDR_INQUEUE) | WHDR_DONE;
    notify(d, MM_WOM_DONE, header);
}

MMRESULT checkHeader(HWAVEOUT device, WAVEHDR* header, UINT size, WaveOutDevice** out)
{
    *out = live(device);
    if (!*out)
        return MMSYSERR_INVALHANDLE;
    if (!header || size < sizeof(WAVEHDR))
        return MMSYSERR_INVALPARAM;
    return MMSYSERR_NOERROR;
}

}  // namespace

UINT waveOutGetNumDevs()
{
    return 1;
}

MMRESULT waveOutOpen(HWAVEOUT* device, UINT deviceId, const WAVEFORMATEX* format, DWORD_PTR callback,
                     DWORD_PTR instance, DWORD flags)
{
    (void)instance;
    if (auto r = injected(WaveOutCall::Open))
        return *r;
    if (deviceId != 0 && deviceId != WAVE_MAPPER)
        return MMSYSERR_BADDEVICEID;
    if (!format)
        return MMSYSERR_INVALPARAM;
    DWORD kind = flags & CALLBACK_TYPEMASK;
    if (kind != CALLBACK_NULL && kind != CALLBACK_WINDOW)
        return MMSYSERR_INVALFLAG;
    auto info = DescribeWaveFormat(*format);
    if (!info)
        return WAVERR_BADFORMAT;
    if (flags & WAVE_FORMAT_QUERY)
        return MMSYSERR_NOERROR;
    if (!device)
        return MMSYSERR_INVALPARAM;
    HWND window = kind == CALLBACK_WINDOW ? reinterpret_cast<HWND>(callback) : nullptr;
    if (kind == CALLBACK_WINDOW && !IsWindow(window))
        return MMSYSERR_INVALPARAM;
    auto d = std::make_unique<WaveOutDevice>();
    d->info = *info;
    d->decoder = WaveDecoder::Create(*info);
    if (!d->decoder)
        return WAVERR_BADFORMAT;
    d->stream = TheAudioOutput().openStream({info->rate, info->channels});
    if (d->stream < 0)
        return MMSYSERR_NODRIVER;
    d->window = window;
    d->handle = newHandle();
    *device = d->handle;
    notify(*d, MM_WOM_OPEN, nullptr);
    state().devices.push_back(std::move(d));
    return MMSYSERR_NOERROR;
}

MMRESULT waveOutClose(HWAVEOUT device)
{
    if (auto r = injected(WaveOutCall::Close))
        return *r;
    WaveOutDevice* d = live(device);
    if (!d)
        return MMSYSERR_INVALHANDLE;
    ServiceWaveOut();
    if (!d->queued.empty())
        return WAVERR_STILLPLAYING;
    notify(*d, MM_WOM_CLOSE, nullptr);
    TheAudioOutput().closeStream(d->stream);
    std::erase_if(state().devices, [d](const auto& p) { return p.get() == d; });
    return MMSYSERR_NOERROR;
}

MMRESULT waveOutPrepareHeader(HWAVEOUT device, WAVEHDR* header, UINT size)
{
    if (auto r = injected(WaveOutCall::Prepare))
        return *r;
    WaveOutDevice* d;
    if (MMRESULT r = checkHeader(device, header, size, &d))
        return r;
    if (!header->lpData && header->dwBufferLength)
        return MMSYSERR_INVALPARAM;
    header->dwFlags |= WHDR_PREPARED;
    return MMSYSERR_NOERROR;
}

MMRESULT waveOutUnprepareHeader(HWAVEOUT device, WAVEHDR* header, UINT size)
{
    WaveOutDevice* d;
    if (MMRESULT r = checkHeader(device, header, size, &d))
        return r;
    if (header->dwFlags & WHDR_INQUEUE)
        return WAVERR_STILLPLAYING;
    header->dwFlags &= ~WHDR_PREPARED;
    return MMSYSERR_NOERROR;
}

MMRESULT waveOutWrite(HWAVEOUT device, WAVEHDR* header, UINT size)
{
    if (auto r = injected(WaveOutCall::Write))
        return *r;
    WaveOutDevice* d;
    if (MMRESULT r = checkHeader(device, header, size, &d))
        return r;
    if (!(header->dwFlags & WHDR_PREPARED))
        return WAVERR_UNPREPARED;
    if (header->dwFlags & WHDR_INQUEUE)
        return WAVERR_STILLPLAYING;
    header->dwFlags = (header->dwFlags & ~WHDR_DONE) | WHDR_INQUEUE;
    std::vector<std::int16_t> samples;
    d->decoder->decode({reinterpret_cast<const std::uint8_t*>(header->lpData), header->dwBufferLength}, samples);
    TheAudioOutput().put(d->stream, samples);
    const std::uint64_t frames = samples.size() / std::size_t(d->info.channels);
    d->written += frames;
    const std::uint64_t now = TheClock().now();
    const std::uint64_t length = (frames * 1000 + std::uint64_t(d->info.rate) - 1) / std::uint64_t(d->info.rate);
    if (d->queued.empty())
        d->progressAt = now;
    d->dueEnd = std::max(d->dueEnd, now) + length;
    d->queued.push_back({header, d->written, d->dueEnd, std::max(kLateLengths * length, kLateFloorMs)});
    return MMSYSERR_NOERROR;
}

namespace {
MMRESULT setPaused(HWAVEOUT device, WaveOutCall call, bool paused)
{
    if (auto r = injected(call))
        return *r;
    WaveOutDevice* d = live(device);
    if (!d)
        return MMSYSERR_INVALHANDLE;
    TheAudioOutput().setPaused(d->stream, paused);
    const std::uint64_t now = TheClock().now();
    if (paused && !d->pausedSince) {
        d->pausedSince = now;
    } else if (!paused && d->pausedSince) {
        // Time paused is no time late.
        const std::uint64_t stood = now - std::min(now, *d->pausedSince);
        d->pausedSince.reset();
        d->dueEnd += stood;
        d->progressAt = now;
        for (auto& q : d->queued)
            q.dueAt += stood;
    }
    return MMSYSERR_NOERROR;
}
}  // namespace

MMRESULT waveOutPause(HWAVEOUT device)
{
    return setPaused(device, WaveOutCall::Pause, true);
}

MMRESULT waveOutRestart(HWAVEOUT device)
{
    return setPaused(device, WaveOutCall::Restart, false);
}

MMRESULT waveOutReset(HWAVEOUT device)
{
    if (auto r = injected(WaveOutCall::Reset))
        return *r;
    WaveOutDevice* d = live(device);
    if (!d)
        return MMSYSERR_INVALHANDLE;
    TheAudioOutput().clear(d->stream);
    d->decoder->reset();
    d->written = 0;
    d->dueEnd = 0;
    d->playedSeen = 0;
    auto queued = std::exchange(d->queued, {});
    for (const auto& q : queued)
        complete(*d, q.header);
    return MMSYSERR_NOERROR;
}

void InjectWaveOutResult(WaveOutCall call, MMRESULT result, int times)
{
    auto& list = state().injected[call];
    for (int i = 0; i < times; ++i)
        list.push_back(result);
}

void ClearWaveOutInjections()
{
    state().injected.clear();
}

std::size_t OpenWaveOutCount()
{
    return state().devices.size();
}

std::optional<std::uint64_t> WaveOutSamplesPlayed(HWAVEOUT device)
{
    WaveOutDevice* d = live(device);
    if (!d)
        return std::nullopt;
    return TheAudioOutput().played(d->stream);
}

void ServiceWaveOut()
{
    auto& devices = state().devices;
    if (devices.empty())
        return;
    AudioOutput& output = TheAudioOutput();
    const std::uint64_t now = TheClock().now();
    const bool stalls = mayStall(output);
    for (auto& d : devices) {
        if (d->queued.empty())
            continue;
        std::uint64_t played = output.played(d->stream);
        if (played != d->playedSeen) {
            d->playedSeen = played;
            d->progressAt = now;
        }
        auto done = [&](const WaveOutDevice::Queued& q) {
            return q.end <= played || (stalls && !d->pausedSince && d->stalledAt(q) <= now);
        };
        while (!d->queued.empty() && done(d->queued.front())) {
            WAVEHDR* header = d->queued.front().header;
            d->queued.pop_front();
            complete(*d, header);
        }
    }
}

std::optional<std::uint64_t> NextWaveOutDue()
{
    std::optional<std::uint64_t> due;
    auto& devices = state().devices;
    if (devices.empty())
        return due;
    AudioOutput& output = TheAudioOutput();
    auto sooner = [&due](std::uint64_t t) {
        if (!due || t < *due)
            due = t;
    };
    for (auto& d : devices) {
        if (d->queued.empty())
            continue;
        if (auto t = output.wakeAt(d->stream, d->queued.front().end))
            sooner(*t);
        if (mayStall(output) && !d->pausedSince)
            sooner(d->stalledAt(d->queued.front()));
    }
    return due;
}

void CloseAllWaveOut()
{
    auto& devices = state().devices;
    if (!devices.empty()) {
        AudioOutput& output = TheAudioOutput();
        for (auto& d : devices)
            output.closeStream(d->stream);
    }
    devices.clear();
    state().injected.clear();
}

}  // namespace plat
