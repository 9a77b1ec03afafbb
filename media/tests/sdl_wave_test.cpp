// Sounds made by sox (16-bit PCM, MS ADPCM, IMA ADPCM) played through
// PlayWave on the main loop into SDL's disk audio driver, with the mixer at
// the sounds' own format: the disk file holds what sox decodes from each
// file, in order (PCM exactly, ADPCM within a small tolerance).

#include <SDL.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "media/JxWavePlayer.h"
#include "media/tests/media_fixture.h"
#include "platform/audio/audio_output.h"
#include "platform/audio/sdl_audio.h"
#include "platform/backend/backend.h"

namespace media_test {
namespace {

class Streamer : public JxCNotifyRoot {
public:
    void OnSystemEvent(JxCTimerParams* record) override
    {
        StreamWaveBuffers(sound, reinterpret_cast<plat::WAVEHDR*>(record->value));
    }
    JxWaveRecord* sound = nullptr;
};

std::vector<std::int16_t> readRaw(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    std::vector<std::int16_t> out(bytes.size() / 2);
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = std::int16_t(std::uint16_t(std::uint8_t(bytes[2 * i]) | std::uint8_t(bytes[2 * i + 1]) << 8));
    return out;
}

bool run(const std::string& command)
{
    return std::system(command.c_str()) == 0;
}

class SdlWaveTest : public MediaTest {
protected:
    void SetUp() override
    {
        MediaTest::SetUp();
        host = config.root() + "/e/";
        ::setenv("SDL_AUDIODRIVER", "disk", 1);
        ::setenv("SDL_DISKAUDIOFILE", (host + "disk.raw").c_str(), 1);
        product().SetMediaOwner(&streamer);
        // A sound with a step at its start, so that its first sample can be
        // found in what the device wrote.
        ASSERT_TRUE(run("sox -q -n -r 22050 -c 1 -b 16 " + host + "SOURCE.WAV synth 1.0 sine 440 vol 0.6 dcshift 0.2"));
    }
    void TearDown() override
    {
        ::unsetenv("SDL_AUDIODRIVER");
        ::unsetenv("SDL_DISKAUDIOFILE");
        MediaTest::TearDown();
    }

    // Plays E:\<name> on the main loop into the disk file; what the device
    // wrote is returned.
    std::vector<std::int16_t> playThroughDisk(const std::string& name)
    {
        auto out = std::make_unique<plat::SdlAudio>(plat::PcmFormat{22050, 1}, [] { plat::TheBackend().wake(); });
        EXPECT_TRUE(out->ready());
        EXPECT_EQ(out->driver(), "disk");
        plat::InstallAudioOutput(std::move(out));
        std::int16_t status = -1;
        JxWaveRecord* r = LoadWaveFile(("E:\\" + name).c_str(), &status, nullptr);
        EXPECT_NE(r, nullptr) << status;
        if (!r)
            return {};
        streamer.sound = r;
        EXPECT_EQ(PlayWave(r, window, &status), 1) << status;
        plat::MSG msg;
        while (r->state == kWavePlaying && plat::GetMessageA(&msg, nullptr, 0, 0) > 0) {
            plat::TranslateMessage(&msg);
            plat::DispatchMessageA(&msg);
        }
        EXPECT_EQ(r->state, kWaveFinished);
        SDL_Delay(300);  // the last buffers reach the file
        FreeWave(r, 1);
        streamer.sound = nullptr;
        plat::InstallAudioOutput(nullptr);  // closes the device and its file
        return readRaw(host + "disk.raw");
    }

    // Compares what the device wrote with sox's decoding of the file, from
    // the first sample that stands out on both sides.
    void expectSamples(const std::string& name, int tolerance)
    {
        ASSERT_TRUE(run("sox -q " + host + name + " -t raw -e signed -b 16 " + host + "expected.raw"));
        auto expected = readRaw(host + "expected.raw");
        auto written = playThroughDisk(name);
        auto start = [](const std::vector<std::int16_t>& v) {
            for (std::size_t i = 0; i < v.size(); ++i)
                if (std::abs(v[i]) > 2000)
                    return i;
            return v.size();
        };
        std::size_t e = start(expected), w = start(written);
        ASSERT_LT(e, expected.size());
        ASSERT_LT(w, written.size());
        ASSERT_GE(written.size() - w, expected.size() - e) << "every sample was played";
        int worst = 0;
        double total = 0;
        const std::size_t count = expected.size() - e;
        for (std::size_t i = 0; i < count; ++i) {
            int d = std::abs(int(expected[e + i]) - int(written[w + i]));
            worst = std::max(worst, d);
            total += d;
        }
        EXPECT_LE(worst, tolerance) << name;
        EXPECT_LE(total / double(count), tolerance / 8.0) << name;
    }

    std::string host;
    Streamer streamer;
};

TEST_F(SdlWaveTest, SoxPcmPlaysExactlyThroughTheDiskDriver)
{
    expectSamples("SOURCE.WAV", 0);
}

TEST_F(SdlWaveTest, SoxMsAdpcmPlaysThroughTheDiskDriver)
{
    ASSERT_TRUE(run("sox -q " + host + "SOURCE.WAV -e ms-adpcm " + host + "MS.WAV"));
    // sox and libavcodec round the MS ADPCM predictor differently; their
    // decodings of one file differ by up to a few hundred.
    expectSamples("MS.WAV", 256);
}

TEST_F(SdlWaveTest, SoxImaAdpcmPlaysThroughTheDiskDriver)
{
    ASSERT_TRUE(run("sox -q " + host + "SOURCE.WAV -e ima-adpcm " + host + "IMA.WAV"));
    expectSamples("IMA.WAV", 64);
}

// Threads of the process now.
std::size_t threadCount()
{
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& task : std::filesystem::directory_iterator("/proc/self/task"))
        ++n;
    return n;
}

TEST_F(SdlWaveTest, WithoutAUsableOutputSoundsPlaySilentlyAndStillFinishWithNoAudioThread)
{
    ::setenv("SDL_AUDIODRIVER", "nowhere", 1);
    const std::size_t threads = threadCount();
    auto out = plat::MakeHostAudioOutput([] { plat::TheBackend().wake(); });
    EXPECT_STREQ(out->name(), "headless");
    plat::InstallAudioOutput(std::move(out));
    ASSERT_TRUE(run("sox -q " + host + "SOURCE.WAV " + host + "CUT.WAV trim 0 0.3"));
    JxWaveRecord* r = LoadWaveFile("E:\\CUT.WAV", nullptr, nullptr);
    ASSERT_NE(r, nullptr);
    streamer.sound = r;
    const std::uint64_t start = harness.now();
    ASSERT_EQ(PlayWave(r, window), 1);
    EXPECT_EQ(threadCount(), threads) << "no audio thread runs";
    plat::MSG msg;
    while (r->state == kWavePlaying && plat::GetMessageA(&msg, nullptr, 0, 0) > 0)
        plat::DispatchMessageA(&msg);
    EXPECT_EQ(r->state, kWaveFinished);
    EXPECT_GE(harness.now() - start, 299u) << "at the sound's pace";
    FreeWave(r, 1);
    streamer.sound = nullptr;
    plat::InstallAudioOutput(nullptr);
}

TEST_F(SdlWaveTest, TheDeviceIsPausedWhileNothingPlays)
{
    auto out = std::make_unique<plat::SdlAudio>(plat::PcmFormat{22050, 1}, [] { plat::TheBackend().wake(); });
    ASSERT_TRUE(out->ready());
    plat::SdlAudio& device = *out;
    EXPECT_TRUE(device.devicePaused()) << "opened with nothing to play";
    plat::InstallAudioOutput(std::move(out));
    ASSERT_TRUE(run("sox -q " + host + "SOURCE.WAV " + host + "CUT.WAV trim 0 0.2"));
    JxWaveRecord* r = LoadWaveFile("E:\\CUT.WAV", nullptr, nullptr);
    ASSERT_NE(r, nullptr);
    streamer.sound = r;
    ASSERT_EQ(PlayWave(r, window), 1);
    EXPECT_FALSE(device.devicePaused()) << "playing";
    plat::MSG msg;
    while (r->state == kWavePlaying && plat::GetMessageA(&msg, nullptr, 0, 0) > 0)
        plat::DispatchMessageA(&msg);
    EXPECT_EQ(r->state, kWaveFinished);
    EXPECT_TRUE(device.devicePaused()) << "the sound has ended";
    FreeWave(r, 1);
    streamer.sound = nullptr;
    plat::InstallAudioOutput(nullptr);
}

}  // namespace
}  // namespace media_test
