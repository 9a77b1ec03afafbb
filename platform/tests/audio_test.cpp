// Wave output on the headless output: buffers finish when the virtual clock
// passes the end of their samples and come back in write order as
// MM_WOM_DONE; pause, reset and close as the engine relies on them; the
// decoding of ADPCM blocks split over buffers; the RIFF chunk walk.

#include <algorithm>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "platform/audio/audio_output.h"
#include "platform/audio/headless_audio.h"
#include "platform/audio/mmio.h"
#include "platform/audio/system_beep.h"
#include "platform/audio/wave_decoder.h"
#include "platform/audio/wave_out.h"
#include "platform/clock/clock.h"
#include "platform/movie/ffmpeg_module.h"
#include "platform/movie/sound_sink.h"
#include "platform/tests/built_ffmpeg_module.h"
#include "platform/tests/ima_sound.h"
#include "platform/tests/window_fixture.h"
#include "platform/ui/message_box.h"
#include "platform/window/messages.h"

namespace plat::testing {
namespace {

WAVEFORMATEX pcm16(DWORD rate = 1000, WORD channels = 1)
{
    WAVEFORMATEX f;
    f.wFormatTag = WAVE_FORMAT_PCM;
    f.nChannels = channels;
    f.nSamplesPerSec = rate;
    f.nBlockAlign = WORD(2 * channels);
    f.nAvgBytesPerSec = rate * f.nBlockAlign;
    f.wBitsPerSample = 16;
    return f;
}

class WaveOut : public WindowTest {
protected:
    HeadlessAudio* audio = nullptr;
    HWND window = nullptr;

    void SetUp() override
    {
        WindowTest::SetUp();
        auto out = std::make_unique<HeadlessAudio>();
        audio = out.get();
        InstallAudioOutput(std::move(out));
        window = top(0, 0, 100, 100);
        harness.runUntilIdle();
        seen.clear();
    }
    void TearDown() override
    {
        CloseAllWaveOut();
        InstallAudioOutput(nullptr);
        WindowTest::TearDown();
    }

    HWAVEOUT open(const WAVEFORMATEX& f)
    {
        HWAVEOUT d = nullptr;
        EXPECT_EQ(waveOutOpen(&d, WAVE_MAPPER, &f, DWORD_PTR(window), 0, CALLBACK_WINDOW), MMSYSERR_NOERROR);
        return d;
    }
    // Buffers of `frames` 16-bit mono samples each, the sample values
    // counting up through all of them.
    void fill(std::vector<std::vector<std::int16_t>>& data, std::vector<WAVEHDR>& headers, int frames)
    {
        std::int16_t value = 0;
        for (std::size_t i = 0; i < headers.size(); ++i) {
            data[i].resize(std::size_t(frames));
            for (auto& s : data[i])
                s = value++;
            headers[i].lpData = reinterpret_cast<char*>(data[i].data());
            headers[i].dwBufferLength = DWORD(frames * 2);
        }
    }
    std::vector<LPARAM> completions()
    {
        std::vector<LPARAM> out;
        for (const Seen& s : seen)
            if (s.msg == MM_WOM_DONE)
                out.push_back(s.lParam);
        return out;
    }
};

TEST_F(WaveOut, BuffersFinishWhenTheClockPassesTheirSamplesInWriteOrder)
{
    HWAVEOUT d = open(pcm16(1000));
    std::vector<std::vector<std::int16_t>> data(3);
    std::vector<WAVEHDR> h(3);
    fill(data, h, 100);  // 100 ms each
    harness.runUntilIdle();
    seen.clear();
    for (auto& header : h) {
        ASSERT_EQ(waveOutPrepareHeader(d, &header, sizeof header), MMSYSERR_NOERROR);
        ASSERT_EQ(waveOutWrite(d, &header, sizeof header), MMSYSERR_NOERROR);
    }
    harness.runFor(99);
    EXPECT_TRUE(completions().empty());
    EXPECT_EQ(h[0].dwFlags & WHDR_DONE, 0u);
    harness.runFor(1);
    EXPECT_EQ(completions(), (std::vector<LPARAM>{LPARAM(&h[0])}));
    EXPECT_TRUE(h[0].dwFlags & WHDR_DONE);
    EXPECT_FALSE(h[0].dwFlags & WHDR_INQUEUE);
    // With nothing else to do, a blocking wait moves the clock to the next
    // end, as it does for a timer.
    const std::uint64_t before = TheClock().now();
    MSG m;
    ASSERT_EQ(GetMessageA(&m, nullptr, 0, 0), 1);
    EXPECT_EQ(m.message, MM_WOM_DONE);
    EXPECT_EQ(TheClock().now(), before + 100);
    DispatchMessageA(&m);
    harness.runFor(100);
    EXPECT_EQ(completions(), (std::vector<LPARAM>{LPARAM(&h[0]), LPARAM(&h[1]), LPARAM(&h[2])}));
    for (const Seen& s : seen) {
        if (s.msg == MM_WOM_DONE) {
            EXPECT_EQ(s.wParam, WPARAM(d));
        }
    }
    EXPECT_EQ(WaveOutSamplesPlayed(d), 300u);
    for (auto& header : h)
        EXPECT_EQ(waveOutUnprepareHeader(d, &header, sizeof header), MMSYSERR_NOERROR);
    EXPECT_EQ(waveOutClose(d), MMSYSERR_NOERROR);
    auto sounds = audio->takeSounds();
    ASSERT_EQ(sounds.size(), 1u);
    ASSERT_EQ(sounds[0].samples.size(), 300u);
    for (int i = 0; i < 300; ++i)
        ASSERT_EQ(sounds[0].samples[std::size_t(i)], i);
}

// An output whose device has stopped taking samples: nothing ever plays,
// though it should play by the clock.
class StalledOutput final : public AudioOutput {
public:
    const char* name() const override { return "stalled"; }
    bool playsByTheClock() const override { return true; }
    StreamId openStream(const PcmFormat&) override { return next_++; }
    void closeStream(StreamId) override {}
    void put(StreamId, std::span<const std::int16_t>) override {}
    void setPaused(StreamId, bool) override {}
    void clear(StreamId) override {}
    std::uint64_t played(StreamId) const override { return 0; }
    std::optional<std::uint64_t> wakeAt(StreamId, std::uint64_t) override { return std::nullopt; }

private:
    StreamId next_ = 1;
};

TEST_F(WaveOut, AStalledDeviceGivesEachBufferBackOnceItIsSeveralLengthsLateAndNotWhilePaused)
{
    InstallAudioOutput(std::make_unique<StalledOutput>());
    HWAVEOUT d = open(pcm16(1000));
    std::vector<std::vector<std::int16_t>> data(2);
    std::vector<WAVEHDR> h(2);
    fill(data, h, 400);  // 400 ms each
    harness.runUntilIdle();
    seen.clear();
    for (auto& header : h) {
        waveOutPrepareHeader(d, &header, sizeof header);
        waveOutWrite(d, &header, sizeof header);
    }
    // The first is due at 400 ms and three lengths late at 1600, the
    // second at 800 and 2000. Time paused does not count, nor does the
    // time before the restart: both count as played 1200 ms after it (the
    // wait blocks until then, needing no other wake), in order.
    harness.runFor(1000);
    waveOutPause(d);
    harness.runFor(5000);
    EXPECT_TRUE(completions().empty());
    waveOutRestart(d);
    harness.runFor(1199);
    EXPECT_TRUE(completions().empty());
    harness.runFor(1);
    EXPECT_EQ(completions(), (std::vector<LPARAM>{LPARAM(&h[0]), LPARAM(&h[1])}));
    EXPECT_TRUE(h[1].dwFlags & WHDR_DONE);
}

// Without a test that asks, the headless output keeps nothing of what it
// played: an unscripted run does not grow with every sound.
TEST_F(WaveOut, TheProgramsHeadlessOutputLetsGoOfWhatItPlayed)
{
    for (auto keep : {HeadlessAudio::Keep::Nothing, HeadlessAudio::Keep::Sounds}) {
        auto made = std::make_unique<HeadlessAudio>(keep);
        HeadlessAudio* out = made.get();
        InstallAudioOutput(std::move(made));
        const AudioOutput::StreamId stream = out->openStream({1000, 1});
        const std::vector<std::int16_t> second(1000, 7);
        for (int i = 0; i < 30; ++i) {
            out->put(stream, second);
            harness.advance(1000);
        }
        out->put(stream, second);
        EXPECT_EQ(out->played(stream), 30000u);
        EXPECT_EQ(out->HeldSamples(), keep == HeadlessAudio::Keep::Sounds ? 31000u : 1000u);
        out->closeStream(stream);
        const auto sounds = out->takeSounds();
        if (keep == HeadlessAudio::Keep::Sounds) {
            ASSERT_EQ(sounds.size(), 1u);
            EXPECT_EQ(sounds[0].samples.size(), 30000u);
        } else {
            EXPECT_TRUE(sounds.empty());
            EXPECT_EQ(out->HeldSamples(), 0u);
        }
    }
}

TEST_F(WaveOut, APausedDeviceHoldsItsBuffersAndARestartPlaysOn)
{
    HWAVEOUT d = open(pcm16(1000));
    std::vector<std::vector<std::int16_t>> data(1);
    std::vector<WAVEHDR> h(1);
    fill(data, h, 100);
    EXPECT_EQ(waveOutPause(d), MMSYSERR_NOERROR);
    waveOutPrepareHeader(d, &h[0], sizeof(WAVEHDR));
    waveOutWrite(d, &h[0], sizeof(WAVEHDR));
    harness.runFor(500);
    EXPECT_TRUE(completions().empty());
    EXPECT_EQ(WaveOutSamplesPlayed(d), 0u);
    EXPECT_EQ(waveOutRestart(d), MMSYSERR_NOERROR);
    harness.runFor(60);
    EXPECT_EQ(WaveOutSamplesPlayed(d), 60u);
    waveOutPause(d);
    harness.runFor(500);
    EXPECT_EQ(WaveOutSamplesPlayed(d), 60u);
    waveOutRestart(d);
    harness.runFor(40);
    EXPECT_EQ(completions().size(), 1u);
}

TEST_F(WaveOut, ResetReturnsEveryQueuedBufferDoneInOrderAndStartsAgainAtZero)
{
    HWAVEOUT d = open(pcm16(1000));
    std::vector<std::vector<std::int16_t>> data(3);
    std::vector<WAVEHDR> h(3);
    fill(data, h, 100);
    for (auto& header : h) {
        waveOutPrepareHeader(d, &header, sizeof header);
        waveOutWrite(d, &header, sizeof header);
    }
    harness.runFor(150);
    EXPECT_EQ(waveOutClose(d), WAVERR_STILLPLAYING);
    EXPECT_EQ(waveOutUnprepareHeader(d, &h[2], sizeof(WAVEHDR)), WAVERR_STILLPLAYING);
    EXPECT_EQ(waveOutReset(d), MMSYSERR_NOERROR);
    harness.runUntilIdle();
    EXPECT_EQ(completions(), (std::vector<LPARAM>{LPARAM(&h[0]), LPARAM(&h[1]), LPARAM(&h[2])}));
    EXPECT_EQ(WaveOutSamplesPlayed(d), 0u);
    for (auto& header : h)
        EXPECT_TRUE(header.dwFlags & WHDR_DONE);
    EXPECT_EQ(waveOutClose(d), MMSYSERR_NOERROR);
    // What was heard is the first 150 ms only.
    auto sounds = audio->takeSounds();
    ASSERT_EQ(sounds.size(), 1u);
    EXPECT_EQ(sounds[0].samples.size(), 150u);
}

TEST_F(WaveOut, AnEmptyBufferFinishesAtOnce)
{
    HWAVEOUT d = open(pcm16(1000));
    static char none[1];
    WAVEHDR h;
    h.lpData = none;
    h.dwBufferLength = 0;
    waveOutPrepareHeader(d, &h, sizeof h);
    waveOutWrite(d, &h, sizeof h);
    const std::uint64_t before = TheClock().now();
    harness.runUntilIdle();
    EXPECT_EQ(completions(), (std::vector<LPARAM>{LPARAM(&h)}));
    EXPECT_EQ(TheClock().now(), before);
}

TEST_F(WaveOut, WritesNeedPreparedHeadersAndLiveDevices)
{
    HWAVEOUT d = open(pcm16());
    std::int16_t s[4] = {};
    WAVEHDR h;
    h.lpData = reinterpret_cast<char*>(s);
    h.dwBufferLength = sizeof s;
    EXPECT_EQ(waveOutWrite(d, &h, sizeof h), WAVERR_UNPREPARED);
    EXPECT_EQ(waveOutPrepareHeader(d, &h, sizeof h - 1), MMSYSERR_INVALPARAM);
    EXPECT_EQ(waveOutClose(d), MMSYSERR_NOERROR);
    EXPECT_EQ(waveOutWrite(d, &h, sizeof h), MMSYSERR_INVALHANDLE);
    EXPECT_EQ(waveOutReset(d), MMSYSERR_INVALHANDLE);
    EXPECT_EQ(OpenWaveOutCount(), 0u);
}

TEST_F(WaveOut, FormatsTheDevicePlaysAndThoseItRefuses)
{
    auto query = [](WAVEFORMATEX f) { return waveOutOpen(nullptr, WAVE_MAPPER, &f, 0, 0, WAVE_FORMAT_QUERY); };
    EXPECT_EQ(query(pcm16(22050, 2)), MMSYSERR_NOERROR);
    EXPECT_EQ(query(ImaFormat()), MMSYSERR_NOERROR);
    WAVEFORMATEX ms = ImaFormat(512);
    ms.wFormatTag = WAVE_FORMAT_ADPCM;
    EXPECT_EQ(query(ms), MMSYSERR_NOERROR);
    WAVEFORMATEX f = pcm16();
    f.nBlockAlign = 3;  // not what 16-bit mono needs
    EXPECT_EQ(query(f), WAVERR_BADFORMAT);
    f = pcm16();
    f.nSamplesPerSec = 0;
    EXPECT_EQ(query(f), WAVERR_BADFORMAT);
    f = pcm16(22050, 3);
    EXPECT_EQ(query(f), WAVERR_BADFORMAT);
    EXPECT_EQ(query(ImaFormat(4)), WAVERR_BADFORMAT);  // no room beyond the block header
    f = pcm16();
    f.wFormatTag = 0x55;
    EXPECT_EQ(query(f), WAVERR_BADFORMAT);
    f = pcm16();
    EXPECT_EQ(waveOutOpen(nullptr, 3, &f, 0, 0, WAVE_FORMAT_QUERY), MMSYSERR_BADDEVICEID);
    EXPECT_EQ(OpenWaveOutCount(), 0u);
}

TEST_F(WaveOut, InjectedResultsAnswerTheNextCallsOfTheirKind)
{
    InjectWaveOutResult(WaveOutCall::Open, MMSYSERR_NODRIVER);
    WAVEFORMATEX f = pcm16();
    HWAVEOUT d = nullptr;
    EXPECT_EQ(waveOutOpen(&d, WAVE_MAPPER, &f, 0, 0, CALLBACK_NULL), MMSYSERR_NODRIVER);
    EXPECT_EQ(OpenWaveOutCount(), 0u);
    EXPECT_EQ(waveOutOpen(&d, WAVE_MAPPER, &f, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
    InjectWaveOutResult(WaveOutCall::Write, MMSYSERR_NOMEM, 2);
    std::int16_t s[4] = {};
    WAVEHDR h;
    h.lpData = reinterpret_cast<char*>(s);
    h.dwBufferLength = sizeof s;
    waveOutPrepareHeader(d, &h, sizeof h);
    EXPECT_EQ(waveOutWrite(d, &h, sizeof h), MMSYSERR_NOMEM);
    EXPECT_EQ(waveOutWrite(d, &h, sizeof h), MMSYSERR_NOMEM);
    EXPECT_EQ(h.dwFlags & WHDR_INQUEUE, 0u);
    EXPECT_EQ(waveOutWrite(d, &h, sizeof h), MMSYSERR_NOERROR);
}

TEST(WaveDecoder, AnAdpcmBlockSplitOverTwoBuffersDecodesAsAWholeOne)
{
    auto info = DescribeWaveFormat(ImaFormat(36));
    ASSERT_TRUE(info);
    EXPECT_EQ(info->samplesPerBlock, 65);
    std::vector<std::uint8_t> blocks(72);
    for (std::size_t i = 0; i < blocks.size(); ++i)
        blocks[i] = std::uint8_t(i * 37 + 11);
    blocks[2] = 3;  // step index of the first block's header
    blocks[3] = 0;
    blocks[38] = 40;
    blocks[39] = 0;
    auto whole = WaveDecoder::Create(*info);
    auto split = WaveDecoder::Create(*info);
    ASSERT_TRUE(whole && split);
    std::vector<std::int16_t> a, b;
    whole->decode(blocks, a);
    split->decode(std::span(blocks).first(20), b);
    EXPECT_TRUE(b.empty());
    split->decode(std::span(blocks).subspan(20, 30), b);
    EXPECT_EQ(b.size(), 65u);
    split->decode(std::span(blocks).subspan(50), b);
    EXPECT_EQ(a.size(), 130u);
    EXPECT_EQ(a, b);
    // A damaged block still lasts its length, as silence or as noise.
    std::vector<std::uint8_t> bad(36, 0xFF);
    std::vector<std::int16_t> c;
    whole->decode(bad, c);
    EXPECT_EQ(c.size(), 65u);
}

// ADPCM comes from the FFmpeg library, loaded at the first block; on a
// machine without it each block is silence of its length.
TEST(WaveDecoder, WithoutTheFfmpegLibraryAdpcmPlaysAsSilenceOfItsLength)
{
    auto info = DescribeWaveFormat(ImaFormat(36));
    ASSERT_TRUE(info);
    const std::vector<std::uint8_t> blocks = NoisyImaBlocks(2);
    auto silent = [](const std::vector<std::int16_t>& v) {
        return std::all_of(v.begin(), v.end(), [](std::int16_t s) { return s == 0; });
    };
    std::vector<std::int16_t> heard, missing;
    WaveDecoder::Create(*info)->decode(blocks, heard);
    SetFfmpegModulePath(std::string());
    WaveDecoder::Create(*info)->decode(blocks, missing);
    const bool missingReported = WaveDecoderMissing(ImaFormat(36));
    UseBuiltFfmpegModule();
    EXPECT_TRUE(missingReported);
    EXPECT_FALSE(WaveDecoderMissing(ImaFormat(36)));
    EXPECT_FALSE(WaveDecoderMissing(pcm16())) << "PCM needs no decoder";
    EXPECT_EQ(heard.size(), 130u);
    EXPECT_FALSE(silent(heard)) << "decoded by the loaded library";
    EXPECT_EQ(missing.size(), 130u);
    EXPECT_TRUE(silent(missing));
}

// A RIFF file in memory: "RIFF" size "WAVE", then the given chunks.
std::string chunk(const char* id, const std::string& data, std::uint32_t claimed = 0xFFFFFFFF)
{
    std::uint32_t size = claimed == 0xFFFFFFFF ? std::uint32_t(data.size()) : claimed;
    std::string out(id, 4);
    for (int i = 0; i < 4; ++i)
        out += char(size >> (8 * i));
    out += data;
    if (data.size() & 1)
        out += '\0';
    return out;
}

// The memory procedure over the string, which must outlive the handle.
HMMIO openMemory(std::string& file)
{
    MMIOINFO info;
    info.fccIOProc = FOURCC_MEM;
    info.pchBuffer = file.data();
    info.cchBuffer = LONG(file.size());
    return mmioOpenA(nullptr, &info, MMIO_READ);
}

TEST(Mmio, ChunksAreWalkedWithinTheirParentOddOnesPadded)
{
    std::string body = "WAVE" + chunk("odd ", "abc") + chunk("data", std::string(6, 'x'));
    std::string file = chunk("RIFF", body);
    HMMIO m = openMemory(file);
    ASSERT_TRUE(m);
    MMCKINFO riff;
    riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    ASSERT_EQ(mmioDescend(m, &riff, nullptr, MMIO_FINDRIFF), 0u);
    MMCKINFO c;
    c.ckid = mmioFOURCC('d', 'a', 't', 'a');
    ASSERT_EQ(mmioDescend(m, &c, &riff, MMIO_FINDCHUNK), 0u);
    EXPECT_EQ(c.cksize, 6u);
    char buf[16];
    EXPECT_EQ(mmioRead(m, buf, 16), 16 - 10);  // up to the end of the file only
    mmioSeek(m, LONG(riff.dwDataOffset + 4), 0);
    ASSERT_EQ(mmioDescend(m, &c, &riff, 0), 0u);
    EXPECT_EQ(c.ckid, mmioFOURCC('o', 'd', 'd', ' '));
    mmioAscend(m, &c, 0);
    ASSERT_EQ(mmioDescend(m, &c, &riff, 0), 0u);
    EXPECT_EQ(c.ckid, mmioFOURCC('d', 'a', 't', 'a'));
    mmioAscend(m, &c, 0);
    EXPECT_EQ(mmioDescend(m, &c, &riff, 0), MMIOERR_CHUNKNOTFOUND);
    mmioClose(m, 0);
}

TEST(Mmio, AChunkReachingPastItsParentIsNotFound)
{
    std::string body = "WAVE" + chunk("data", std::string(6, 'x'), 600);
    std::string file = chunk("RIFF", body);
    HMMIO m = openMemory(file);
    MMCKINFO riff;
    riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    ASSERT_EQ(mmioDescend(m, &riff, nullptr, MMIO_FINDRIFF), 0u);
    MMCKINFO c;
    EXPECT_EQ(mmioDescend(m, &c, &riff, 0), MMIOERR_CHUNKNOTFOUND);
    mmioClose(m, 0);
    // A file cut short: its RIFF chunk claims more than there is.
    file = chunk("RIFF", body).substr(0, 20);
    m = openMemory(file);
    EXPECT_EQ(mmioDescend(m, &riff, nullptr, MMIO_FINDRIFF), MMIOERR_CHUNKNOTFOUND);
    mmioClose(m, 0);
    MMIOINFO info;
    EXPECT_EQ(mmioOpenA("Q:\\NOWHERE\\NONE.WAV", &info, MMIO_READ), nullptr);
    EXPECT_EQ(info.wErrorRet, MMIOERR_FILENOTFOUND);
}

// The output replaced while a beep plays, before the loop passes again:
// outside the sanitizers the new output usually takes the old one's memory,
// and the next beep must still open a stream of its own on it.
TEST_F(WaveOut, ABeepAfterItsOutputWasReplacedPlaysOnTheNewOne)
{
    ASSERT_TRUE(MessageBeep(MB_ICONQUESTION));
    InstallAudioOutput(nullptr);
    auto fresh = std::make_unique<HeadlessAudio>();
    audio = fresh.get();
    InstallAudioOutput(std::move(fresh));
    ASSERT_TRUE(MessageBeep(MB_ICONHAND));
    harness.runFor(1000);
    std::vector<HeadlessAudio::Sound> heard = audio->takeSounds();
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].samples, SystemBeepSamples(MB_ICONHAND));
}

TEST_F(WaveOut, MessageBeepsPlayTheirOwnSoundsOnTheOutputAndTheNextTakesThePlaceOfOneStillPlaying)
{
    ASSERT_TRUE(MessageBeep(MB_ICONQUESTION));
    harness.runFor(1000);
    std::vector<HeadlessAudio::Sound> heard = audio->takeSounds();
    ASSERT_EQ(heard.size(), 1u) << "the beep's stream is closed once it has played";
    EXPECT_EQ(heard[0].format.rate, kSystemBeepRate);
    EXPECT_EQ(heard[0].samples, SystemBeepSamples(MB_ICONQUESTION));

    // Warning and question differ; a second beep cuts the first short.
    EXPECT_NE(SystemBeepSamples(MB_ICONEXCLAMATION), SystemBeepSamples(MB_ICONQUESTION));
    ASSERT_TRUE(MessageBeep(MB_ICONHAND));
    harness.runFor(50);
    ASSERT_TRUE(MessageBeep(0xFFFFFFFF));
    harness.runFor(1000);
    heard = audio->takeSounds();
    ASSERT_EQ(heard.size(), 1u);
    const std::vector<std::int16_t> plain = SystemBeepSamples(0xFFFFFFFF);
    ASSERT_GT(heard[0].samples.size(), plain.size());
    EXPECT_TRUE(std::equal(plain.begin(), plain.end(), heard[0].samples.end() - std::ptrdiff_t(plain.size())));
}

// An output made after another has gone may take its address. The streams
// of the old one (a movie's, the last beep's) went with it, and their
// numbers may name the new one's: the movie's sink then closes nothing, and
// a new beep opens a stream of its own rather than emptying one of them.
TEST_F(WaveOut, TheStreamsOfAnOutputThatWentAreNotTakenForThoseOfTheNextAtItsAddress)
{
    std::unique_ptr<MovieSoundSink> movie = MakeMixerSoundSink();
    ASSERT_TRUE(movie);
    ASSERT_TRUE(MessageBeep(MB_OK));
    AudioOutput* place = InstallAudioOutput(nullptr).release();
    place->~AudioOutput();
    audio = new (place) HeadlessAudio();
    InstallAudioOutput(std::unique_ptr<AudioOutput>(audio));

    // Two sounds on the new output, with the numbers of the old streams.
    std::vector<std::vector<std::int16_t>> data(2);
    std::vector<WAVEHDR> h(2);
    fill(data, h, 500);
    HWAVEOUT d[2] = {open(pcm16(1000)), open(pcm16(1000))};
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(waveOutPrepareHeader(d[i], &h[i], sizeof h[i]), MMSYSERR_NOERROR);
        ASSERT_EQ(waveOutWrite(d[i], &h[i], sizeof h[i]), MMSYSERR_NOERROR);
    }
    harness.runFor(100);
    movie.reset();
    ASSERT_TRUE(MessageBeep(MB_OK));
    harness.runFor(1000);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(waveOutUnprepareHeader(d[i], &h[i], sizeof h[i]), MMSYSERR_NOERROR);
        EXPECT_EQ(waveOutClose(d[i]), MMSYSERR_NOERROR);
    }
    std::vector<HeadlessAudio::Sound> heard = audio->takeSounds();
    ASSERT_EQ(heard.size(), 3u) << "the two sounds and the new beep";
    auto wasHeard = [&heard](const std::vector<std::int16_t>& samples) {
        return std::any_of(heard.begin(), heard.end(), [&](const auto& sound) { return sound.samples == samples; });
    };
    EXPECT_TRUE(wasHeard(data[0]));
    EXPECT_TRUE(wasHeard(data[1]));
    EXPECT_TRUE(wasHeard(SystemBeepSamples(MB_OK)));
}

// A device closed and another opened (in a Release build, very likely at
// the first one's address): the first one's handle names nothing.
TEST_F(WaveOut, AHandleKeptPastItsDevicesCloseNamesNoLaterDevice)
{
    HWAVEOUT first = open(pcm16(1000));
    ASSERT_EQ(waveOutClose(first), MMSYSERR_NOERROR);
    HWAVEOUT second = open(pcm16(1000));
    EXPECT_NE(first, second);
    EXPECT_EQ(waveOutReset(first), MMSYSERR_INVALHANDLE);
    EXPECT_EQ(waveOutClose(first), MMSYSERR_INVALHANDLE);
    EXPECT_EQ(waveOutClose(second), MMSYSERR_NOERROR);
}

}  // namespace
}  // namespace plat::testing
