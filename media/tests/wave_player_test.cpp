// The streaming wave player on the headless output: what loads and what is
// refused, sounds that play to their end and say so through 957, the
// rewound sound that starts again from its primed buffers, stops, and the
// start-up probe of the device for each result it can meet.

#include <cstring>
#include <filesystem>
#include <functional>

#include "foundation/JxErrorHook.h"
#include "foundation/JxErrorReport.h"
#include "foundation/JxResourceLibraries.h"
#include "foundation/JxStringLoader.h"
#include "media/JxCQT3Overseer.h"
#include "media/JxCWaveQueue.h"
#include "platform/fs/folders.h"
#include "media/JxWaveDevice.h"
#include "media/JxWavePlayer.h"
#include "media/tests/media_fixture.h"
#include "platform/movie/ffmpeg_module.h"
#include "platform/tests/built_ffmpeg_module.h"
#include "platform/tests/ima_sound.h"
#include "testkit/wave.h"

namespace media_test {
namespace {

// The media owner: streams each completion into the sound, as the sound
// resource does.
class SoundOwner : public JxCNotifyRoot {
public:
    void OnSystemEvent(JxCTimerParams* record) override
    {
        ++completions;
        StreamWaveBuffers(sound, reinterpret_cast<plat::WAVEHDR*>(record->value));
        if (sound && sound->state == kWaveFinished)
            ++finished;
    }
    JxWaveRecord* sound = nullptr;
    int completions = 0;
    int finished = 0;
};

class WavePlayerTest : public MediaTest {
protected:
    void SetUp() override
    {
        MediaTest::SetUp();
        product().SetMediaOwner(&owner);
    }
    void TearDown() override
    {
        FreeWave(owner.sound, 1);
        owner.sound = nullptr;
        EndMovieLayer();
        plat::testing::UseBuiltFfmpegModule();
        MediaTest::TearDown();
    }

    JxWaveRecord* loadBytes(const std::vector<std::uint8_t>& bytes, std::int16_t* status)
    {
        held = bytes;
        JxWaveMemory memory{held.data(), std::int32_t(held.size())};
        return LoadWaveFile(nullptr, status, &memory);
    }
    // Plays the sound to its end on the main loop.
    void playThrough(JxWaveRecord* r)
    {
        owner.sound = r;
        std::int16_t status = -1;
        ASSERT_EQ(PlayWave(r, window, &status), 1);
        EXPECT_EQ(status, kWaveOk);
        EXPECT_EQ(r->state, kWavePlaying);
        harness.runFor(60000);
        EXPECT_EQ(r->state, kWaveFinished);
        EXPECT_EQ(plat::OpenWaveOutCount(), 0u);
    }
    std::vector<std::int16_t> heard()
    {
        auto sounds = audio->takeSounds();
        std::vector<std::int16_t> all;
        for (auto& s : sounds)
            all.insert(all.end(), s.samples.begin(), s.samples.end());
        return all;
    }

    SoundOwner owner;
    std::vector<std::uint8_t> held;
};

TEST_F(WavePlayerTest, ALongSoundStreamsThroughTheTenBuffersToItsEnd)
{
    // 22,050 Hz: a buffer is 8,820 samples; three seconds are 7.5 buffers.
    auto samples = testkit::RampSamples(3 * 22050);
    std::string path = writeSound("LONG.WAV", testkit::EncodeWave(testkit::Pcm16Sound(samples)));
    std::int16_t status = -1;
    JxWaveRecord* r = LoadWaveFile(path.c_str(), &status, nullptr);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(status, kWaveOk);
    EXPECT_EQ(r->bufferSize, 8820 * 2);
    EXPECT_EQ(r->sampleCount, 3 * 22050);
    EXPECT_EQ(r->primedBytes, 5 * 8820 * 2);
    EXPECT_NE(r->file, nullptr);
    playThrough(r);
    EXPECT_EQ(owner.completions, 8);
    EXPECT_EQ(owner.finished, 1);
    EXPECT_EQ(GetWavePosition(r), GetWaveLength(r));
    EXPECT_EQ(heard(), samples);
}

TEST_F(WavePlayerTest, ARewoundLongSoundReplaysFromItsPrimedBuffersAndItsFile)
{
    auto samples = testkit::RampSamples(3 * 22050);
    std::string path = writeSound("LONG.WAV", testkit::EncodeWave(testkit::Pcm16Sound(samples)));
    JxWaveRecord* r = LoadWaveFile(path.c_str(), nullptr, nullptr);
    ASSERT_NE(r, nullptr);
    playThrough(r);
    heard();
    // Once over, the file is still there for the rewind.
    ASSERT_NE(r->file, nullptr);
    EXPECT_EQ(RewindWave(r, 0), 1);
    EXPECT_EQ(r->state, kWaveStopped);
    EXPECT_EQ(GetWavePosition(r), 0);
    EXPECT_EQ(r->remaining, r->dataSize - r->primedBytes);
    playThrough(r);
    EXPECT_EQ(heard(), samples);

    // Rewound while playing: stopped at once, then whole again.
    owner.sound = r;
    RewindWave(r, 0);
    ASSERT_EQ(PlayWave(r, window), 1);
    harness.runFor(900);
    EXPECT_EQ(RewindWave(r, 1), 1) << "keep: nothing happens";
    EXPECT_EQ(r->state, kWavePlaying);
    EXPECT_EQ(RewindWave(r, 0), 1);
    EXPECT_EQ(plat::OpenWaveOutCount(), 0u);
    heard();
    playThrough(r);
    EXPECT_EQ(heard(), samples);
}

TEST_F(WavePlayerTest, AShortSoundPlaysFromItsPrimedBuffersWithTheFileClosedAtLoad)
{
    auto samples = testkit::RampSamples(20000);
    std::string path = writeSound("SHORT.WAV", testkit::EncodeWave(testkit::Pcm16Sound(samples)));
    JxWaveRecord* r = LoadWaveFile(path.c_str(), nullptr, nullptr);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->file, nullptr);
    playThrough(r);
    EXPECT_EQ(owner.completions, 3);
    EXPECT_EQ(heard(), samples);
    EXPECT_EQ(RewindWave(r, 0), 1);
    playThrough(r);
    EXPECT_EQ(heard(), samples);
}

TEST_F(WavePlayerTest, AnEmptySoundFinishesThroughOneEmptyBuffer)
{
    std::int16_t status = -1;
    JxWaveRecord* r = loadBytes(testkit::EncodeWave(testkit::Pcm16Sound({})), &status);
    ASSERT_NE(r, nullptr);
    const std::uint64_t before = plat::TheClock().now();
    playThrough(r);
    EXPECT_EQ(owner.completions, 1);
    EXPECT_EQ(owner.finished, 1);
    EXPECT_TRUE(heard().empty());
    (void)before;
}

TEST_F(WavePlayerTest, OneWholeBlockPlaysAndAPartBlockAtTheEndIsDropped)
{
    testkit::WaveSound ima;
    ima.formatTag = 0x11;
    ima.rate = 8000;
    ima.bitsPerSample = 4;
    ima.blockAlign = 256;
    ima.avgBytesPerSec = 4055;
    ima.formatExtra = {0xF9, 0x01};  // 505 samples per block
    ima.factSamples = 505;
    ima.data.assign(256, 0x11);
    ima.data[2] = 0;
    ima.data[3] = 0;
    JxWaveRecord* r = loadBytes(testkit::EncodeWave(ima), nullptr);
    ASSERT_NE(r, nullptr);
    playThrough(r);
    EXPECT_EQ(heard().size(), 505u);

    // A PCM sound with a stray byte after its last sample.
    FreeWave(r, 1);
    owner.sound = nullptr;
    auto sound = testkit::Pcm16Sound(testkit::RampSamples(3));
    sound.data.push_back(0x7F);
    r = loadBytes(testkit::EncodeWave(sound), nullptr);
    ASSERT_NE(r, nullptr);
    playThrough(r);
    EXPECT_EQ(heard(), testkit::RampSamples(3));
    EXPECT_EQ(GetWaveLength(r), 6);
}

TEST_F(WavePlayerTest, DamagedOrUnplayableFilesAreRefusedWithTheirStatus)
{
    auto good = testkit::Pcm16Sound(testkit::RampSamples(100));
    std::int16_t status = -1;
    auto refused = [&](const testkit::WaveSound& s, std::int16_t expected) {
        status = -1;
        JxWaveRecord* r = loadBytes(testkit::EncodeWave(s), &status);
        EXPECT_EQ(r, nullptr);
        EXPECT_EQ(status, expected);
        FreeWave(r, 0);
    };
    testkit::WaveSound s = good;
    s.rate = 0;
    refused(s, kWaveBadFormat);
    s = good;
    s.blockAlign = 0;
    s.formatChunk = testkit::WaveFormatBytes(s);
    (*s.formatChunk)[12] = 0;  // block align 0
    (*s.formatChunk)[13] = 0;
    refused(s, kWaveBadFormat);
    s = good;
    s.formatChunk = testkit::WaveFormatBytes(s);
    (*s.formatChunk)[8] = (*s.formatChunk)[9] = (*s.formatChunk)[10] = (*s.formatChunk)[11] = 0;  // byte rate 0
    refused(s, kWaveBadFormat);
    s = good;
    s.formatChunk = std::vector<std::uint8_t>(14, 1);
    refused(s, kWaveBadFormat);
    s = good;
    s.formatChunk = std::vector<std::uint8_t>(1025, 1);
    refused(s, kWaveBadFormat);
    s = good;
    s.withFormat = false;
    refused(s, kWaveBadFormat);
    s = good;
    s.dataSizeClaimed = 100000;  // reaches past the RIFF chunk
    refused(s, kWaveBadFormat);
    // Not PCM and without "fact": refused; with it: loads.
    s = good;
    s.formatTag = 0x11;
    s.bitsPerSample = 4;
    s.blockAlign = 256;
    s.avgBytesPerSec = 4055;
    refused(s, kWaveBadFormat);
    s.factSamples = 0;
    JxWaveRecord* r = loadBytes(testkit::EncodeWave(s), &status);
    EXPECT_NE(r, nullptr);
    FreeWave(r, 0);
    // A chunk before the data that overruns the form.
    s = good;
    s.before = {{"junk", std::vector<std::uint8_t>(8, 0)}};
    auto bytes = testkit::EncodeWave(s);
    bytes[43] = 0x7F;  // the junk chunk's size
    EXPECT_EQ(loadBytes(bytes, &status), nullptr);
    EXPECT_EQ(LoadWaveFile("E:\\NONE.WAV", &status, nullptr), nullptr);
    EXPECT_EQ(status, kWaveCannotOpen);
}

// What other players play, this one does too: a file cut short plays the
// data that is there, and so does one whose sizes a streaming writer left
// at 0xFFFFFFFF.
TEST_F(WavePlayerTest, ACutOrStreamedFilePlaysTheDataItHolds)
{
    const auto ramp = testkit::RampSamples(100000);  // 4.5 s: streamed past the primed buffers
    struct Case {
        const char* what;
        std::optional<std::uint32_t> riff, data;
        std::size_t keptBytes;  // of the file, 0 for all
        std::size_t samples;    // heard
    };
    const std::size_t whole = testkit::EncodeWave(testkit::Pcm16Sound(ramp)).size();
    const std::size_t seventy = 70000;
    const Case cases[] = {
        {"cut at 70%", {}, {}, 44 + seventy * 2 + 1, seventy},
        {"both sizes unknown", 0xFFFFFFFF, 0xFFFFFFFF, 0, ramp.size()},
        {"cut, sizes unknown", 0xFFFFFFFF, 0xFFFFFFFF, 44 + seventy * 2, seventy},
        {"data size unknown", {}, 0xFFFFFFFF, 0, ramp.size()},
    };
    for (const Case& c : cases) {
        auto sound = testkit::Pcm16Sound(ramp);
        sound.riffSizeClaimed = c.riff;
        sound.dataSizeClaimed = c.data;
        auto bytes = testkit::EncodeWave(sound);
        ASSERT_EQ(bytes.size(), whole);
        if (c.keptBytes)
            bytes.resize(c.keptBytes);
        std::int16_t status = -1;
        JxWaveRecord* r = loadBytes(bytes, &status);
        ASSERT_NE(r, nullptr) << c.what << ": status " << status;
        EXPECT_EQ(GetWaveLength(r), std::int32_t(c.samples * 2)) << c.what;
        playThrough(r);
        const auto played = heard();
        EXPECT_EQ(played, std::vector<std::int16_t>(ramp.begin(), ramp.begin() + std::ptrdiff_t(c.samples))) << c.what;
        FreeWave(r, 1);
        owner.sound = nullptr;
    }
}

TEST_F(WavePlayerTest, OddChunksAreSkippedAndOnlyTheFirstFormatDataAndFactCount)
{
    auto s = testkit::Pcm16Sound(testkit::RampSamples(50));
    s.before = {{"LIST", {'I', 'N', 'F', 'O', 'x'}}, {"junk", {1, 2, 3}}};
    s.after = {{"data", std::vector<std::uint8_t>(8, 0)}, {"fmt ", std::vector<std::uint8_t>(3, 0)}};
    JxWaveRecord* r = loadBytes(testkit::EncodeWave(s), nullptr);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(GetWaveLength(r), 100);
    playThrough(r);
    EXPECT_EQ(heard(), testkit::RampSamples(50));
}

TEST_F(WavePlayerTest, StopPauseAndStrangeCompletions)
{
    JxWaveRecord* r = loadBytes(testkit::EncodeWave(testkit::Pcm16Sound(testkit::RampSamples(44100))), nullptr);
    ASSERT_NE(r, nullptr);
    owner.sound = r;
    ASSERT_EQ(PlayWave(r, window), 1);
    EXPECT_EQ(IsWavePlaying(r), 1);
    plat::WAVEHDR stranger;
    StreamWaveBuffers(r, &stranger);
    EXPECT_EQ(r->state, kWavePlaying);
    EXPECT_EQ(PauseWave(r), 1);
    EXPECT_EQ(r->state, kWavePaused);
    harness.runFor(5000);
    EXPECT_EQ(owner.completions, 0);
    EXPECT_EQ(ResumeWave(r), 1);
    harness.runFor(450);
    EXPECT_EQ(owner.completions, 1);
    EXPECT_EQ(StopWave(r), 1);
    EXPECT_EQ(r->state, kWaveFinished);
    harness.runFor(5000);
    EXPECT_EQ(owner.completions, 1) << "no completion after the stop";
    EXPECT_EQ(plat::OpenWaveOutCount(), 0u);
    EXPECT_EQ(StopWave(r), 1);
}

TEST_F(WavePlayerTest, DeviceFailuresGiveTheirStatusAndLeaveNothingOpen)
{
    JxWaveRecord* r = loadBytes(testkit::EncodeWave(testkit::Pcm16Sound(testkit::RampSamples(44100))), nullptr);
    ASSERT_NE(r, nullptr);
    owner.sound = r;
    const std::pair<plat::MMRESULT, std::int16_t> cases[] = {
        {plat::MMSYSERR_NOTSUPPORTED, kWaveNotSupported}, {plat::MMSYSERR_ALLOCATED, kWaveAllocated},
        {plat::MMSYSERR_NODRIVER, kWaveNoDriver}, {plat::MMSYSERR_BADDEVICEID, kWaveBadDevice},
        {plat::MMSYSERR_ERROR, kWaveBadFormat}};
    for (auto [result, expected] : cases) {
        plat::InjectWaveOutResult(plat::WaveOutCall::Open, result);
        std::int16_t status = -1;
        EXPECT_EQ(PlayWave(r, window, &status), 0);
        EXPECT_EQ(status, expected);
    }
    // A synchronous device is opened again, allowing it.
    plat::InjectWaveOutResult(plat::WaveOutCall::Open, plat::WAVERR_SYNC);
    EXPECT_EQ(PlayWave(r, window), 1);
    StopWave(r);
    RewindWave(r, 0);
    plat::InjectWaveOutResult(plat::WaveOutCall::Write, plat::MMSYSERR_NOMEM);
    std::int16_t status = -1;
    EXPECT_EQ(PlayWave(r, window, &status), 0);
    EXPECT_EQ(status, kWaveWriteFailed);
    EXPECT_EQ(plat::OpenWaveOutCount(), 0u);
    harness.runFor(3000);
    EXPECT_EQ(owner.completions, 0);
}

// --- The device probe --------------------------------------------------------

class WaveDeviceTest : public WavePlayerTest {
protected:
    std::vector<int> answers;
    void SetUp() override
    {
        WavePlayerTest::SetUp();
        plat::SetResponder([this](const plat::UiRequest& r) -> std::optional<int> {
            boxes.push_back(r.text);
            if (answers.empty())
                return 1;
            int a = answers.front();
            answers.erase(answers.begin());
            return a;
        });
    }
};

TEST_F(WaveDeviceTest, EachDeviceResultHasItsAnswer)
{
    EXPECT_EQ(CheckWaveDevice(), 1);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(plat::OpenWaveOutCount(), 0u);

    struct Case {
        std::vector<plat::MMRESULT> results;
        std::vector<int> answers;
        std::int16_t usable;
        std::size_t boxes;
    };
    const Case cases[] = {
        {{plat::MMSYSERR_BADDEVICEID}, {}, 0, 1},
        {{plat::MMSYSERR_NODRIVER}, {}, 0, 1},
        // Without the texts the box has one button: OK, which goes on as
        // Ignore does.
        {{plat::MMSYSERR_ALLOCATED}, {kAnswerOk}, 1, 1},
        {{plat::MMSYSERR_NOTSUPPORTED}, {kAnswerOk}, 1, 1},
        {{plat::WAVERR_BADFORMAT, plat::WAVERR_BADFORMAT, plat::WAVERR_BADFORMAT, plat::WAVERR_BADFORMAT,
          plat::WAVERR_BADFORMAT},
         {},
         1,
         0},
        {std::vector<plat::MMRESULT>(6, plat::WAVERR_BADFORMAT), {}, 0, 1},
        {{plat::MMSYSERR_NOMEM}, {}, 0, 1},
    };
    for (const Case& c : cases) {
        boxes.clear();
        for (plat::MMRESULT r : c.results)
            plat::InjectWaveOutResult(plat::WaveOutCall::Open, r);
        answers = c.answers;
        EXPECT_EQ(CheckWaveDevice(), c.usable) << c.results[0];
        EXPECT_EQ(boxes.size(), c.boxes) << c.results[0];
        EXPECT_EQ(plat::OpenWaveOutCount(), 0u);
        plat::ClearWaveOutInjections();
    }
}

TEST_F(WaveDeviceTest, RetryProbesTheBusyDeviceAgain)
{
    // The program's text of the busy device, so that its box offers Abort,
    // Retry and Ignore.
    using plat::testing::TempConfig;
    TempConfig::writeFile(config.program() + "/kelbo32", "");
    TempConfig::writeFile(config.program() + "/kelbo32.resources/strings.txt", "1087\tThe sound device is busy.\n");
    // The program's resources are looked for again now that they exist.
    plat::SetProgramFileHost(config.program() + "/kelbo32");
    ResetResourceLibraries();
    ConnectErrorReporting();
    std::vector<std::vector<int>> buttons;
    plat::SetResponder([&](const plat::UiRequest& r) -> std::optional<int> {
        boxes.push_back(r.text);
        buttons.push_back(r.buttons);
        int a = answers.empty() ? kAnswerOk : answers.front();
        if (!answers.empty())
            answers.erase(answers.begin());
        return a;
    });

    // Busy, then not supported, then free: two retries and the device is usable.
    plat::InjectWaveOutResult(plat::WaveOutCall::Open, plat::MMSYSERR_ALLOCATED);
    plat::InjectWaveOutResult(plat::WaveOutCall::Open, plat::MMSYSERR_NOTSUPPORTED);
    answers = {kAnswerRetry, kAnswerRetry};
    EXPECT_EQ(CheckWaveDevice(), 1);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(buttons[0], (std::vector<int>{kAnswerAbort, kAnswerRetry, kAnswerIgnore}));
    EXPECT_EQ(plat::OpenWaveOutCount(), 0u);

    // A retry really asks the device again: what it answers next counts.
    boxes.clear();
    plat::InjectWaveOutResult(plat::WaveOutCall::Open, plat::MMSYSERR_ALLOCATED);
    plat::InjectWaveOutResult(plat::WaveOutCall::Open, plat::MMSYSERR_BADDEVICEID);
    answers = {kAnswerRetry};
    EXPECT_EQ(CheckWaveDevice(), 0);
    EXPECT_EQ(boxes.size(), 2u);
    plat::ClearWaveOutInjections();

    SetStringLoader({});
    SetErrorReporter({});
    std::filesystem::remove(config.program() + "/kelbo32.resources/strings.txt");
    ResetResourceLibraries();
}

// --- The wave queue ----------------------------------------------------------

class BytesSource : public JxWaveSource {
public:
    explicit BytesSource(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
    bool IsOpen() const override { return true; }
    bool Read(void* buffer, std::int32_t n) override
    {
        if (std::size_t(n) > bytes_.size() - at_)
            return false;
        std::memcpy(buffer, bytes_.data() + at_, std::size_t(n));
        at_ += std::size_t(n);
        return true;
    }

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t at_ = 0;
};

TEST_F(WavePlayerTest, TheQueueRingRefusesABusyBufferAndClosesOnePastTheWriteIndex)
{
    JxCWaveQueue queue(2);
    EXPECT_EQ(queue.Close(), 1) << "no device";
    BytesSource source(testkit::Pcm16Bytes(testkit::RampSamples(30000)));
    EXPECT_EQ(queue.Queue(&source, 2000), 0);
    EXPECT_EQ(queue.GetHeader(0)->dwUser, 1u);
    EXPECT_EQ(queue.Queue(&source, 0), 1);
    EXPECT_EQ(queue.Queue(nullptr, 10), 1);
    plat::WAVEFORMATEX f;
    f.wFormatTag = 1;
    f.nChannels = 1;
    f.nSamplesPerSec = 22050;
    f.nAvgBytesPerSec = 44100;
    f.nBlockAlign = 2;
    f.wBitsPerSample = 16;
    EXPECT_EQ(queue.Open(window, &f), 0);
    EXPECT_TRUE(queue.IsPlaying());
    EXPECT_EQ(queue.Queue(&source, 4000), 0);
    EXPECT_EQ(queue.Play(), 0);
    // Both buffers are playing: the ring is full.
    EXPECT_EQ(queue.Queue(&source, 100), 1);
    EXPECT_EQ(queue.GetHeader(0)->dwBufferLength, 2000u);
    EXPECT_EQ(queue.GetWriteIndex(), 0);
    harness.runFor(200);
    EXPECT_EQ(queue.Queue(&source, 100), 0) << "the first came back";
    EXPECT_EQ(queue.GetHeader(0)->dwUser, 3u);
    EXPECT_EQ(queue.Close(), 1);
    EXPECT_EQ(queue.GetReadIndex(), (queue.GetWriteIndex() + 1) % 2);
    EXPECT_FALSE(queue.IsPlaying());
    EXPECT_EQ(queue.Open(window, nullptr), 6);
    plat::InjectWaveOutResult(plat::WaveOutCall::Open, plat::MMSYSERR_ALLOCATED);
    EXPECT_EQ(queue.Open(window, &f), 13);
}

// Without the FFmpeg library an ADPCM sound plays as silence of its length,
// and the user is told once however many such sounds play; the box's Retry
// looks for the library again, which a sound then plays through.
TEST_F(WavePlayerTest, AnAdpcmSoundWithoutItsDecoderIsReportedOnceAndRetryFindsIt)
{
    testkit::WaveSound ima;
    ima.formatTag = plat::WAVE_FORMAT_IMA_ADPCM;
    ima.rate = 8000;
    ima.bitsPerSample = 4;
    ima.blockAlign = 36;
    ima.avgBytesPerSec = 4000;
    ima.formatExtra = {65, 0};  // samples per block
    ima.factSamples = 65 * 20;
    ima.data = plat::testing::NoisyImaBlocks(20);
    const std::vector<std::uint8_t> bytes = testkit::EncodeWave(ima);
    NumberedTexts texts;
    int answer = kAnswerIgnore;
    plat::SetResponder([&](const plat::UiRequest& r) -> std::optional<int> {
        boxes.push_back(r.text);
        if (answer == kAnswerRetry)
            plat::testing::UseBuiltFfmpegModule();  // put in place meanwhile
        return answer;
    });
    auto loudest = [&] {
        JxWaveRecord* r = loadBytes(bytes, nullptr);
        EXPECT_NE(r, nullptr);
        playThrough(r);
        FreeWave(r, 1);
        owner.sound = nullptr;
        int most = 0;
        for (const auto& sound : audio->takeSounds())
            if (sound.format.rate == 8000)  // not the box's beep
                for (std::int16_t s : sound.samples)
                    most = std::max(most, std::abs(int(s)));
        return most;
    };
    ASSERT_TRUE(StartMovieLayer());
    plat::SetFfmpegModulePath(std::string());
    EXPECT_EQ(loudest(), 0);
    EXPECT_EQ(loudest(), 0);
    ASSERT_EQ(boxes.size(), 1u) << "once";
    EXPECT_NE(boxes[0].find("text 2805"), std::string::npos) << boxes[0];

    EndMovieLayer();  // a new run
    ASSERT_TRUE(StartMovieLayer());
    answer = kAnswerRetry;
    EXPECT_GT(loudest(), 1000);
    EXPECT_EQ(boxes.size(), 2u);
}

}  // namespace
}  // namespace media_test
