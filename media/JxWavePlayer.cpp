#include "media/JxWavePlayer.h"

#include <algorithm>
#include <memory>
#include <new>

#include "media/JxCQT3Overseer.h"
#include "media/JxWaveMessages.h"
#include "platform/fs/errors.h"
#include "platform/window/messages.h"
#include "platform/window/window.h"

namespace {

constexpr std::uint32_t kMinFormatSize = 16;
constexpr std::uint32_t kMaxFormatSize = 1024;
constexpr std::uint32_t kHeldFormatSize = 18;
// No buffer is made larger than this, whatever byte rate a file claims.
constexpr std::int64_t kMaxBufferBytes = 1 << 20;

// Critical-error boxes stay off while a sound loads.
class QuietErrors {
public:
    QuietErrors() : previous_(plat::SetErrorMode(1)) {}
    ~QuietErrors() { plat::SetErrorMode(previous_); }
    QuietErrors(const QuietErrors&) = delete;
    QuietErrors& operator=(const QuietErrors&) = delete;

private:
    plat::UINT previous_;
};

struct RecordDeleter {
    void operator()(JxWaveRecord* r) const { FreeWave(r, 0); }
};
using RecordHolder = std::unique_ptr<JxWaveRecord, RecordDeleter>;

plat::HMMIO openSource(const char* name, const JxWaveMemory* memory)
{
    plat::MMIOINFO info;
    if (memory) {
        info.fccIOProc = plat::FOURCC_MEM;
        info.pchBuffer = const_cast<char*>(static_cast<const char*>(memory->data));
        info.cchBuffer = memory->size;
        return plat::mmioOpenA(nullptr, &info, plat::MMIO_READ);
    }
    return plat::mmioOpenA(name, nullptr, plat::MMIO_READ | plat::MMIO_ALLOCBUF);
}

bool readExact(plat::HMMIO file, void* into, std::int32_t count)
{
    return plat::mmioRead(file, static_cast<char*>(into), count) == count;
}

// The "fmt " chunk: kept whole (at least 18 bytes); refused when its size
// or one of the divisors the player uses is out of range.
bool readFormat(plat::HMMIO file, const plat::MMCKINFO& chunk, JxWaveRecord& r, std::int16_t* status)
{
    if (chunk.cksize < kMinFormatSize || chunk.cksize > kMaxFormatSize)
        return false;
    try {
        r.format.assign(std::max(chunk.cksize, kHeldFormatSize), 0);
    } catch (const std::bad_alloc&) {
        *status = kWaveNoMemory;
        return false;
    }
    if (!readExact(file, r.format.data(), std::int32_t(chunk.cksize)))
        return false;
    auto* f = reinterpret_cast<plat::WAVEFORMATEX*>(r.format.data());
    f->cbSize = plat::WORD(std::min<std::uint32_t>(f->cbSize, std::uint32_t(r.format.size()) - kHeldFormatSize));
    return f->nSamplesPerSec && f->nAvgBytesPerSec && f->nBlockAlign;
}

constexpr std::uint32_t kUnknownSize = 0xFFFFFFFF;  // a size a streaming writer never went back to fill in

std::uint32_t littleEndian32(const std::uint8_t* b)
{
    return std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 | std::uint32_t(b[3]) << 24;
}

// Where a chunk's body lies, and where the bytes its parent declares and
// the bytes actually present end.
struct JxChunkBounds {
    std::uint64_t body = 0;
    std::uint64_t declaredEnd = 0;  // UINT64_MAX for a size left unknown
    std::uint64_t presentEnd = 0;
};

// Finds the RIFF form of type "WAVE" at the top of the source, passing
// over other top-level chunks. Its size may claim more than the source
// holds (a file cut short, or a size left unknown): the form then ends
// where the bytes do.
bool findWaveForm(plat::HMMIO file, JxChunkBounds& form)
{
    const std::int64_t size = plat::mmioSeek(file, 0, 2);
    if (size < 0 || plat::mmioSeek(file, 0, 0) != 0)
        return false;
    const auto fileEnd = std::uint64_t(size);
    for (std::uint64_t at = 0; at + 12 <= fileEnd;) {
        std::uint8_t head[12];
        if (!readExact(file, head, sizeof head))
            return false;
        const std::uint32_t chunkSize = littleEndian32(head + 4);
        if (littleEndian32(head) == plat::FOURCC_RIFF &&
            littleEndian32(head + 8) == plat::mmioFOURCC('W', 'A', 'V', 'E') && chunkSize >= 4) {
            form.body = at + 12;
            form.declaredEnd = chunkSize == kUnknownSize ? UINT64_MAX : at + 8 + chunkSize;
            form.presentEnd = std::min(form.declaredEnd, fileEnd);
            return true;
        }
        const std::uint64_t next = at + 8 + chunkSize + (chunkSize & 1);
        if (next + 12 > fileEnd || plat::mmioSeek(file, std::int32_t(next), 0) < 0)
            return false;
        at = next;
    }
    return false;
}

// Walks the chunks of the RIFF form: the first "fmt ", "data" and "fact"
// count. A chunk that reaches past the end its form declares fails the
// walk; one that only reaches past the bytes present ends it, the "data"
// chunk keeping what is there (so does a data size left unknown).
bool walkChunks(plat::HMMIO file, const JxChunkBounds& form, JxWaveRecord& r, bool& haveFact, std::int16_t* status)
{
    bool haveData = false;
    for (std::uint64_t at = form.body; at + 8 <= form.presentEnd;) {
        if (plat::mmioSeek(file, std::int32_t(at), 0) < 0)
            return false;
        std::uint8_t head[8];
        if (!readExact(file, head, sizeof head))
            return false;
        const plat::FOURCC id = littleEndian32(head);
        const std::uint32_t declared = littleEndian32(head + 4);
        const std::uint64_t body = at + 8;
        const bool isData = id == plat::mmioFOURCC('d', 'a', 't', 'a') && !haveData;
        std::uint64_t size = isData && declared == kUnknownSize ? form.presentEnd - body : declared;
        if (body + size > form.declaredEnd)
            return false;
        if (body + size > form.presentEnd) {
            if (!isData)
                return true;  // cut short here: the walk ends with what it found
            size = form.presentEnd - body;
        }
        plat::MMCKINFO chunk;
        chunk.ckid = id;
        chunk.cksize = plat::DWORD(size);
        chunk.dwDataOffset = plat::DWORD(body);
        if (id == plat::mmioFOURCC('f', 'm', 't', ' ') && r.format.empty()) {
            if (!readFormat(file, chunk, r, status))
                return false;
        } else if (isData) {
            haveData = true;
            r.dataSize = std::int32_t(std::min<std::uint64_t>(size, 0x7FFFFFFF));
            r.dataOffset = std::int32_t(body);
        } else if (id == plat::mmioFOURCC('f', 'a', 'c', 't') && !haveFact && size >= 4) {
            std::uint8_t b[4];
            if (!readExact(file, b, 4))
                return false;
            haveFact = true;
            r.sampleCount = std::int32_t(littleEndian32(b) & 0x7FFFFFFF);
        }
        at = body + size + (size & 1);
    }
    return true;
}

// 400 ms of sound in whole blocks: never less than one block, never more
// than the cap.
std::int32_t bufferSizeOf(const plat::WAVEFORMATEX& f)
{
    std::int64_t samples = 400 * std::int64_t(f.nSamplesPerSec) / 1000;
    std::int64_t bytes = samples * std::int64_t(f.nAvgBytesPerSec) / std::int64_t(f.nSamplesPerSec);
    const std::int64_t block = f.nBlockAlign;
    bytes = std::min(bytes, kMaxBufferBytes) / block * block;
    return std::int32_t(std::max(bytes, block));
}

// Fills a buffer with the next stretch of data: false on a short read. A
// stretch shorter than a block ends the data; a last whole block plays.
bool fillBuffer(JxWaveRecord& r, JxWaveBuffer& b)
{
    std::int32_t length = std::min(r.bufferSize, r.remaining);
    if (length < r.BlockAlign()) {
        r.dataSize -= r.remaining;  // whole blocks only
        r.remaining = 0;
        b.header.dwBufferLength = 0;
        return true;
    }
    if (!readExact(r.file, b.data.data(), length))
        return false;
    b.header.lpData = b.data.data();
    b.header.dwBufferLength = plat::DWORD(length);
    r.remaining -= length;
    return true;
}

void closeFile(JxWaveRecord& r)
{
    if (r.file)
        plat::mmioClose(r.file, 0);
    r.file = nullptr;
}

bool submit(JxWaveRecord& r, JxWaveBuffer& b)
{
    b.header.lpData = b.data.data();
    b.header.dwFlags = 0;
    if (plat::waveOutPrepareHeader(r.device, &b.header, sizeof b.header) != 0)
        return false;
    if (plat::waveOutWrite(r.device, &b.header, sizeof b.header) != 0) {
        plat::waveOutUnprepareHeader(r.device, &b.header, sizeof b.header);
        return false;
    }
    b.inFlight = 1;
    return true;
}

// Stops the device: every buffer back, their completions taken off the
// queue, the device closed.
void shutDevice(JxWaveRecord& r)
{
    if (!r.device)
        return;
    plat::waveOutReset(r.device);
    r.stopping = 1;
    DrainWaveMessages(r.device);
    for (JxWaveBuffer& b : r.buffers)
        if (b.inFlight) {
            plat::waveOutUnprepareHeader(r.device, &b.header, sizeof b.header);
            b.inFlight = 0;
        }
    plat::waveOutClose(r.device);
    DrainWaveMessages(r.device);
    r.device = nullptr;
}

std::int16_t openStatus(plat::MMRESULT result)
{
    switch (result) {
    case plat::MMSYSERR_NOTSUPPORTED: return kWaveNotSupported;
    case plat::MMSYSERR_ALLOCATED: return kWaveAllocated;
    case plat::MMSYSERR_NODRIVER: return kWaveNoDriver;
    case plat::MMSYSERR_BADDEVICEID: return kWaveBadDevice;
    default: return kWaveBadFormat;
    }
}

}  // namespace

JxWaveRecord* LoadWaveFile(const char* name, std::int16_t* status, const JxWaveMemory* memory)
{
    std::int16_t ignored;
    if (!status)
        status = &ignored;
    QuietErrors quiet;
    *status = kWaveCannotOpen;
    RecordHolder r(new (std::nothrow) JxWaveRecord);
    if (!r) {
        *status = kWaveNoMemory;
        return nullptr;
    }
    r->file = openSource(name, memory);
    if (!r->file)
        return nullptr;
    *status = kWaveBadFormat;
    JxChunkBounds form;
    if (!findWaveForm(r->file, form))
        return nullptr;
    bool haveFact = false;
    if (!walkChunks(r->file, form, *r, haveFact, status) || r->format.empty())
        return nullptr;
    const plat::WAVEFORMATEX& f = *r->Format();
    if (!haveFact) {
        if (f.wFormatTag != plat::WAVE_FORMAT_PCM)
            return nullptr;
        r->sampleCount = r->dataSize / f.nBlockAlign;
    }
    r->dataSize -= r->dataSize % f.nBlockAlign;  // a part block at the end never plays
    r->bufferSize = bufferSizeOf(f);
    if (plat::mmioSeek(r->file, r->dataOffset, 0) < 0)
        return nullptr;
    try {
        for (JxWaveBuffer& b : r->buffers)
            b.data.resize(std::size_t(r->bufferSize));
    } catch (const std::bad_alloc&) {
        *status = kWaveNoMemory;
        return nullptr;
    }
    r->remaining = r->dataSize;
    for (int i = 0; i < kWavePrimedCount && r->remaining > 0; ++i)
        if (!fillBuffer(*r, r->buffers[std::size_t(i)]))
            return nullptr;
    r->primedBytes = r->dataSize - r->remaining;
    r->primedPosition = plat::mmioSeek(r->file, 0, 1);
    r->state = kWaveStopped;
    if (r->remaining == 0)
        closeFile(*r);  // the whole sound is primed; a rewind needs no file
    *status = kWaveOk;
    return r.release();
}

std::int16_t PlayWave(JxWaveRecord* r, plat::HWND window, std::int16_t* status)
{
    std::int16_t ignored;
    if (!status)
        status = &ignored;
    *status = kWaveBadFormat;
    if (!r || r->device)
        return 0;
    CheckSoundDecoder(r->Format());
    auto callback = plat::DWORD_PTR(window);
    plat::MMRESULT result =
        plat::waveOutOpen(&r->device, plat::WAVE_MAPPER, r->Format(), callback, 0, plat::CALLBACK_WINDOW);
    if (result == plat::WAVERR_SYNC)
        result = plat::waveOutOpen(&r->device, plat::WAVE_MAPPER, r->Format(), callback, 0,
                                   plat::CALLBACK_WINDOW | plat::WAVE_ALLOWSYNC);
    if (result != 0) {
        r->device = nullptr;
        *status = openStatus(result);
        return 0;
    }
    plat::waveOutPause(r->device);
    bool wrote = false;
    bool failed = false;
    for (int i = 0; i < kWavePrimedCount && !failed; ++i) {
        JxWaveBuffer& b = r->buffers[std::size_t(i)];
        if (std::int32_t(b.header.dwBufferLength) < r->BlockAlign())
            break;  // the data ended before this buffer
        failed = !submit(*r, b);
        wrote = !failed;
        if (std::int32_t(b.header.dwBufferLength) < r->bufferSize)
            break;  // the last
    }
    if (!wrote && !failed) {
        // Nothing to play: one empty buffer comes back at once, so the
        // sound still finishes through its completion.
        JxWaveBuffer& b = r->buffers[0];
        b.header.dwBufferLength = 0;
        failed = !submit(*r, b);
    }
    if (failed) {
        *status = kWaveWriteFailed;
        shutDevice(*r);
        return 0;
    }
    plat::waveOutRestart(r->device);
    r->state = kWavePlaying;
    r->stopping = 0;
    *status = kWaveOk;
    return 1;
}

void StreamWaveBuffers(JxWaveRecord* r, plat::WAVEHDR* finished)
{
    if (!r || !r->device)
        return;
    auto it = std::find_if(r->buffers.begin(), r->buffers.end(),
                           [finished](const JxWaveBuffer& b) { return &b.header == finished; });
    if (it == r->buffers.end() || !it->inFlight)
        return;  // not one of ours, or already taken back
    plat::waveOutUnprepareHeader(r->device, &it->header, sizeof it->header);
    r->played += std::int32_t(it->header.dwBufferLength);
    it->inFlight = 0;
    if (!r->stopping && r->remaining > 0 && r->file) {
        auto i = std::size_t(it - r->buffers.begin());
        JxWaveBuffer& next = r->buffers[i < kWavePrimedCount ? i + kWavePrimedCount : i];
        if (!fillBuffer(*r, next) || (next.header.dwBufferLength && !submit(*r, next))) {
            r->dataSize -= r->remaining;  // a short read or a refused write ends the data
            r->remaining = 0;
        }
    }
    bool inFlight = std::any_of(r->buffers.begin(), r->buffers.end(), [](const JxWaveBuffer& b) { return b.inFlight; });
    if (r->remaining == 0 && !inFlight) {
        plat::waveOutClose(r->device);
        r->device = nullptr;
        r->state = kWaveFinished;
    }
}

std::int16_t StopWave(JxWaveRecord* r)
{
    if (!r || (r->state != kWavePlaying && r->state != kWavePaused))
        return 1;
    shutDevice(*r);
    r->state = kWaveFinished;
    return 1;
}

std::int16_t PauseWave(JxWaveRecord* r)
{
    if (!r || !r->device || r->state != kWavePlaying)
        return 0;
    if (plat::waveOutPause(r->device) != 0)
        return 0;
    r->state = kWavePaused;
    return 1;
}

std::int16_t ResumeWave(JxWaveRecord* r)
{
    if (!r || !r->device || r->state != kWavePaused)
        return 0;
    if (plat::waveOutRestart(r->device) != 0)
        return 0;
    r->state = kWavePlaying;
    return 1;
}

std::int16_t RewindWave(JxWaveRecord* r, std::int16_t keep)
{
    if (!r)
        return 0;
    if (keep)
        return 1;
    if (!StopWave(r))
        return 0;
    if (r->file && plat::mmioSeek(r->file, r->primedPosition, 0) < 0)
        return 0;
    r->remaining = r->file ? r->dataSize - r->primedBytes : 0;
    r->played = 0;
    r->state = kWaveStopped;
    return 1;
}

void FreeWave(JxWaveRecord* r, std::int16_t stop)
{
    if (!r)
        return;
    if (stop)
        StopWave(r);
    // Buffers still queued must come back before their memory goes.
    shutDevice(*r);
    closeFile(*r);
    delete r;
}

std::int32_t GetWaveLength(const JxWaveRecord* r)
{
    return r ? r->dataSize : 0;
}

std::int32_t GetWavePosition(const JxWaveRecord* r)
{
    return r ? r->played : 0;
}

bool WaveWroteBuffer(const JxWaveRecord* r, std::intptr_t buffer)
{
    if (!r)
        return false;
    return std::any_of(r->buffers.begin(), r->buffers.end(),
                       [buffer](const JxWaveBuffer& b) { return std::intptr_t(&b.header) == buffer; });
}

std::int16_t IsWavePlaying(const JxWaveRecord* r)
{
    return r && r->state == kWavePlaying;
}
