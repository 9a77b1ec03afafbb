#pragma once
// Wave output: the devices the engine plays its sounds through, with the
// calls, flags and result codes of the system's multimedia library.
//
// A device takes buffers of sound in its own format (PCM 8 or 16 bits, MS
// ADPCM or IMA ADPCM), decodes them to 16-bit samples and hands them to the
// audio output (audio_output.h), which mixes every open device. A buffer is
// done once the output has played all of its samples. Only the UI thread
// learns that: whenever it looks at its queue, finished buffers get their
// done flag and, for devices opened with a window callback, MM_WOM_DONE is
// posted with the header in lParam, in the order the buffers were written.
// Nothing about a device is touched from another thread.

#include <cstddef>
#include <cstdint>
#include <optional>

#include "platform/core/types.h"

namespace plat {

using MMRESULT = UINT;
using DWORD_PTR = std::uintptr_t;
struct WaveOutDevice;
using HWAVEOUT = WaveOutDevice*;

// Result codes.
constexpr MMRESULT MMSYSERR_NOERROR = 0;
constexpr MMRESULT MMSYSERR_ERROR = 1;
constexpr MMRESULT MMSYSERR_BADDEVICEID = 2;
constexpr MMRESULT MMSYSERR_ALLOCATED = 4;
constexpr MMRESULT MMSYSERR_INVALHANDLE = 5;
constexpr MMRESULT MMSYSERR_NODRIVER = 6;
constexpr MMRESULT MMSYSERR_NOMEM = 7;
constexpr MMRESULT MMSYSERR_NOTSUPPORTED = 8;
constexpr MMRESULT MMSYSERR_INVALFLAG = 10;
constexpr MMRESULT MMSYSERR_INVALPARAM = 11;
constexpr MMRESULT WAVERR_BADFORMAT = 32;
constexpr MMRESULT WAVERR_STILLPLAYING = 33;
constexpr MMRESULT WAVERR_UNPREPARED = 34;
constexpr MMRESULT WAVERR_SYNC = 35;

// Device ids and open flags.
constexpr UINT WAVE_MAPPER = 0xFFFFFFFFu;
constexpr DWORD WAVE_FORMAT_QUERY = 0x0001;
constexpr DWORD WAVE_ALLOWSYNC = 0x0002;
constexpr DWORD CALLBACK_NULL = 0x00000000;
constexpr DWORD CALLBACK_WINDOW = 0x00010000;
constexpr DWORD CALLBACK_TYPEMASK = 0x00070000;

// Format tags.
constexpr WORD WAVE_FORMAT_PCM = 1;
constexpr WORD WAVE_FORMAT_ADPCM = 2;
constexpr WORD WAVE_FORMAT_IMA_ADPCM = 0x11;

// Header flags.
constexpr DWORD WHDR_DONE = 0x01;
constexpr DWORD WHDR_PREPARED = 0x02;
constexpr DWORD WHDR_INQUEUE = 0x10;

// The format block as files store it: 18 bytes, then cbSize bytes that
// belong to the format (the devices here read none of them).
#pragma pack(push, 2)
struct WAVEFORMATEX {
    WORD wFormatTag = 0;
    WORD nChannels = 0;
    DWORD nSamplesPerSec = 0;
    DWORD nAvgBytesPerSec = 0;
    WORD nBlockAlign = 0;
    WORD wBitsPerSample = 0;
    WORD cbSize = 0;
};
#pragma pack(pop)
static_assert(sizeof(WAVEFORMATEX) == 18);

struct WAVEHDR {
    char* lpData = nullptr;
    DWORD dwBufferLength = 0;
    DWORD dwBytesRecorded = 0;
    DWORD_PTR dwUser = 0;
    DWORD dwFlags = 0;
    DWORD dwLoops = 0;
    WAVEHDR* lpNext = nullptr;
    DWORD_PTR reserved = 0;
};

UINT waveOutGetNumDevs();
// Device 0 or the mapper. With WAVE_FORMAT_QUERY only the format is
// checked. With CALLBACK_WINDOW, `callback` is the window that gets
// MM_WOM_OPEN, MM_WOM_DONE (wParam the device, lParam the header) and
// MM_WOM_CLOSE.
MMRESULT waveOutOpen(HWAVEOUT* device, UINT deviceId, const WAVEFORMATEX* format, DWORD_PTR callback,
                     DWORD_PTR instance, DWORD flags);
// WAVERR_STILLPLAYING while a buffer is queued.
MMRESULT waveOutClose(HWAVEOUT device);
MMRESULT waveOutPrepareHeader(HWAVEOUT device, WAVEHDR* header, UINT headerSize);
MMRESULT waveOutUnprepareHeader(HWAVEOUT device, WAVEHDR* header, UINT headerSize);
MMRESULT waveOutWrite(HWAVEOUT device, WAVEHDR* header, UINT headerSize);
MMRESULT waveOutPause(HWAVEOUT device);
MMRESULT waveOutRestart(HWAVEOUT device);
// Stops the device, marks every queued buffer done (each is returned
// through the callback, in order) and sets the position back to 0. A
// paused device stays paused.
MMRESULT waveOutReset(HWAVEOUT device);

// The calls whose results tests can choose.
enum class WaveOutCall { Open, Close, Prepare, Write, Pause, Restart, Reset };
// The next `times` calls of that kind answer `result` without doing
// anything (a format query included for Open).
void InjectWaveOutResult(WaveOutCall call, MMRESULT result, int times = 1);
void ClearWaveOutInjections();

// Open devices and the samples (per channel) each has played since it
// was opened or reset.
std::size_t OpenWaveOutCount();
std::optional<std::uint64_t> WaveOutSamplesPlayed(HWAVEOUT device);

// For the message queue (UI thread): marks the buffers that have played
// done and posts their completions; and the clock time by which it must
// look again (none: nothing to wait for, or the output wakes the thread
// itself).
void ServiceWaveOut();
std::optional<std::uint64_t> NextWaveOutDue();
// Closes every device without completions (the window services' reset).
void CloseAllWaveOut();

}  // namespace plat
