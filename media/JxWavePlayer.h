#pragma once
// The streaming wave player: one RIFF WAVE sound, from a file or from a
// block in memory, played through a wave-output device with ten buffers of
// 400 ms. The first five are filled when the sound loads and written
// together when it starts; they keep the sound's start, so a rewound sound
// starts again without reading. The other five carry the rest, refilled on
// each completion (message 957) for the sound's owner. Single thread.

#include <array>
#include <cstdint>
#include <vector>

#include "platform/audio/mmio.h"
#include "platform/audio/wave_out.h"
#include "platform/core/types.h"

// States.
constexpr std::int32_t kWaveStopped = 1;   // loaded or rewound
constexpr std::int32_t kWavePlaying = 2;
constexpr std::int32_t kWavePaused = 3;
constexpr std::int32_t kWaveFinished = 4;  // ran out, or stopped

// Status codes of loading and playing.
constexpr std::int16_t kWaveOk = 0;
constexpr std::int16_t kWaveBadFormat = 101;  // no usable format chunk, or a device error
constexpr std::int16_t kWaveCannotOpen = 106;
constexpr std::int16_t kWaveNoMemory = 107;
constexpr std::int16_t kWaveNoDriver = 109;
constexpr std::int16_t kWaveAllocated = 111;
constexpr std::int16_t kWaveNotSupported = 112;
constexpr std::int16_t kWaveWriteFailed = 113;
constexpr std::int16_t kWaveBadDevice = 114;

constexpr int kWaveBufferCount = 10;
constexpr int kWavePrimedCount = 5;

struct JxWaveBuffer {
    plat::WAVEHDR header;
    std::vector<char> data;
    std::int16_t inFlight = 0;
};

struct JxWaveRecord {
    plat::HWAVEOUT device = nullptr;
    std::int32_t state = 0;
    plat::HMMIO file = nullptr;  // open while a rewind may need it
    std::int32_t dataOffset = 0;
    std::int32_t dataSize = 0;
    std::int32_t sampleCount = 0;
    std::int32_t remaining = 0;
    std::int32_t bufferSize = 0;
    std::int32_t played = 0;
    std::int32_t primedPosition = 0;
    std::int32_t primedBytes = 0;
    // Set by a device reset, cleared by a start: no refill while set. Each
    // sound has its own, so stopping one never starves another.
    std::int16_t stopping = 0;
    std::array<JxWaveBuffer, kWaveBufferCount> buffers;
    // The "fmt " chunk, at least 18 bytes; its cbSize never claims more
    // than the chunk held.
    std::vector<std::uint8_t> format;

    const plat::WAVEFORMATEX* Format() const { return reinterpret_cast<const plat::WAVEFORMATEX*>(format.data()); }
    std::int32_t BlockAlign() const { return Format()->nBlockAlign; }
};

// A sound held in memory (a "WAVE" resource).
struct JxWaveMemory {
    const void* data = nullptr;
    std::int32_t size = 0;
};

// Null on failure, with the reason in status.
JxWaveRecord* LoadWaveFile(const char* name, std::int16_t* status, const JxWaveMemory* memory);
// Opens the device with the window as callback and starts; status as
// loading gives it.
std::int16_t PlayWave(JxWaveRecord* record, plat::HWND window, std::int16_t* status = nullptr);
std::int16_t StopWave(JxWaveRecord* record);
std::int16_t PauseWave(JxWaveRecord* record);
std::int16_t ResumeWave(JxWaveRecord* record);
// Message 957 for the sound: the finished header.
void StreamWaveBuffers(JxWaveRecord* record, plat::WAVEHDR* finished);
std::int16_t RewindWave(JxWaveRecord* record, std::int16_t keep);
void FreeWave(JxWaveRecord* record, std::int16_t stop);

std::int32_t GetWaveLength(const JxWaveRecord* record);
std::int32_t GetWavePosition(const JxWaveRecord* record);
std::int16_t IsWavePlaying(const JxWaveRecord* record);
// Whether the buffer a completion names is one of the sound's.
bool WaveWroteBuffer(const JxWaveRecord* record, std::intptr_t buffer);
