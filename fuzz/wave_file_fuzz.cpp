// A WAVE sound from any bytes: the RIFF walk, the load (from memory, and
// from a file of the program folder, which loads the same) and, when it loads,
// the whole play through the headless device on the main loop and the
// decoding of its data split at an awkward place. A sound that loads plays
// to its end and never reads past what it holds; decoding gives exactly a
// block's samples for every whole block.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "media/JxWavePlayer.h"
#include "platform/audio/audio_output.h"
#include "platform/audio/headless_audio.h"
#include "platform/audio/wave_decoder.h"
#include "platform/backend/harness.h"
#include "platform/window/messages.h"
#include "platform/window/window.h"

namespace {

JxWaveRecord*& playing()
{
    static JxWaveRecord* record = nullptr;
    return record;
}

plat::LRESULT soundWindowProc(plat::HWND hwnd, plat::UINT msg, plat::WPARAM wParam, plat::LPARAM lParam)
{
    if (msg == plat::MM_WOM_DONE) {
        StreamWaveBuffers(playing(), reinterpret_cast<plat::WAVEHDR*>(lParam));
        return 0;
    }
    return plat::DefWindowProcA(hwnd, msg, wParam, lParam);
}

struct Stage {
    plat::Harness harness;
    plat::HWND window = nullptr;

    Stage()
    {
        plat::WNDCLASSA wc;
        wc.lpfnWndProc = &soundWindowProc;
        wc.lpszClassName = "SoundFuzz";
        plat::RegisterClassA(wc);
        window = plat::CreateWindowExA(0, "SoundFuzz", "", plat::WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                       nullptr);
        plat::InstallAudioOutput(std::make_unique<plat::HeadlessAudio>());
    }
};

Stage& stage()
{
    static Stage s;
    return s;
}

void decodeSplit(const JxWaveRecord& r, const std::uint8_t* data, std::size_t size, std::size_t split)
{
    auto info = plat::DescribeWaveFormat(*r.Format());
    if (!info)
        return;
    auto decoder = plat::WaveDecoder::Create(*info);
    fuzz::Check(decoder != nullptr);
    std::vector<std::int16_t> out;
    split = std::min(split, size);
    decoder->decode({data, split}, out);
    decoder->decode({data + split, size - split}, out);
    const std::size_t blocks = size / std::size_t(info->blockAlign);
    fuzz::Check(out.size() == blocks * std::size_t(info->samplesPerBlock) * std::size_t(info->channels));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 256 * 1024)
        return 0;
    Stage& s = stage();
    std::vector<std::uint8_t> bytes(data, data + size);
    JxWaveMemory memory{bytes.data(), std::int32_t(bytes.size())};
    std::int16_t status = -1;
    JxWaveRecord* r = LoadWaveFile(nullptr, &status, &memory);
    fuzz::Check((r != nullptr) == (status == kWaveOk));
    std::int16_t fileStatus = -1;
    JxWaveRecord* fromFile = LoadWaveFile(fuzz::ProgramFile("FUZZ.WAV", bytes).c_str(), &fileStatus, nullptr);
    // Both load or both refuse (an empty block cannot even be opened, an
    // empty file can, so the reasons may differ).
    fuzz::Check((fromFile != nullptr) == (r != nullptr));
    if (fromFile) {
        fuzz::Check(r && fromFile->dataOffset == r->dataOffset && fromFile->dataSize == r->dataSize);
        FreeWave(fromFile, 1);
    }
    if (!r)
        return 0;
    fuzz::Check(r->dataSize >= 0 && std::size_t(r->dataOffset) + std::size_t(r->dataSize) <= size);
    fuzz::Check(r->bufferSize > 0 && r->bufferSize % r->BlockAlign() == 0);
    decodeSplit(*r, bytes.data() + r->dataOffset, std::size_t(r->dataSize), std::size_t(size % 97));
    playing() = r;
    if (PlayWave(r, s.window)) {
        // Long sounds are cut short: the play itself is what is tried.
        s.harness.runFor(2000);
        if (r->state == kWavePlaying)
            StopWave(r);
        fuzz::Check(r->state == kWaveFinished);
        fuzz::Check(GetWavePosition(r) <= GetWaveLength(r));
        fuzz::Check(RewindWave(r, 0) == 1);
    }
    FreeWave(r, 1);
    playing() = nullptr;
    fuzz::Check(plat::OpenWaveOutCount() == 0);
    return 0;
}
