#include "platform/audio/wave_out.h"

#include <algorithm>
#include <deque>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "platform/audio/audio_output.h"
#include "platform/audio/wave_decoder.h"
#include "platform/window/messages.h"
#include "platform/window/window.h"

namespace plat {

struct WaveOutDevice {
    struct Queued {
        WAVEHDR* header;
        std::uint64_t end;  // the frame count at which the buffer has played
    };

    WaveFormatInfo info;
    std::unique_ptr<WaveDecoder> decoder;
    AudioOutput::StreamId stream = -1;
    HWND window = nullptr;  // the callback window, if any
    std::deque<Queued> queued;
    std::uint64_t written = 0;  // frames written since open or reset
};

namespace {

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
        if (d.get() == device)
            return d.get();
    return nullptr;
}

void notify(WaveOutDevice& d, UINT message, WAVEHDR* header)
{
    if (d.window)
        PostMessageA(d.window, message, WPARAM(&d), LPARAM(header));
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
    *device = d.get();
    state().devices.push_back(std::move(d));
    notify(**device, MM_WOM_OPEN, nullptr);
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
    d->written += samples.size() / std::size_t(d->info.channels);
    d->queued.push_back({header, d->written});
    return MMSYSERR_NOERROR;
}

MMRESULT waveOutPause(HWAVEOUT device)
{
    if (auto r = injected(WaveOutCall::Pause))
        return *r;
    WaveOutDevice* d = live(device);
    if (!d)
        return MMSYSERR_INVALHANDLE;
    TheAudioOutput().setPaused(d->stream, true);
    return MMSYSERR_NOERROR;
}

MMRESULT waveOutRestart(HWAVEOUT device)
{
    if (auto r = injected(WaveOutCall::Restart))
        return *r;
    WaveOutDevice* d = live(device);
    if (!d)
        return MMSYSERR_INVALHANDLE;
    TheAudioOutput().setPaused(d->stream, false);
    return MMSYSERR_NOERROR;
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
    for (auto& d : devices) {
        if (d->queued.empty())
            continue;
        std::uint64_t played = output.played(d->stream);
        while (!d->queued.empty() && d->queued.front().end <= played) {
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
    for (auto& d : devices) {
        if (d->queued.empty())
            continue;
        if (auto t = output.wakeAt(d->stream, d->queued.front().end))
            if (!due || *t < *due)
                due = t;
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
