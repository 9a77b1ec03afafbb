// Movies made here by the ffmpeg program (cinepak pictures with IMA ADPCM
// sound, and H.264 with AAC, both in ".mov" files; one colour a frame,
// a 440 Hz tone) played headless through the FFmpeg library: each frame's
// colour at its virtual time forwards and backwards, random access, the
// sound that reaches the sink, the other codecs a title's movies use and
// those refused, and files that are not movies.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/audio/headless_audio.h"
#include "platform/movie/ffmpeg_library.h"
#include "platform/movie/movie.h"
#include "platform/movie/sound_sink.h"
#include "platform/screen/screen.h"
#include "platform/tests/colour_movies.h"
#include "platform/tests/temp_config.h"
#include "platform/tests/window_fixture.h"

namespace plat::testing {
namespace {

constexpr int kWidth = kMovieWidth;
constexpr int kHeight = kMovieHeight;
constexpr int kFrames = kMovieFrames;  // at 10 a second
const auto& kColours = kMovieFrameColours;
using Codec = MovieCodec;
const Codec& kCinepak = kCinepakIma4;
const Codec& kH264 = kH264Aac;

bool closeTo(std::uint32_t got, std::uint32_t want)
{
    return CloseColour(got, want);
}

std::string hex(std::uint32_t c)
{
    return HexColour(c);
}

class RecordingSink final : public MovieSoundSink {
public:
    explicit RecordingSink(std::vector<std::int16_t>* heard) : heard_(heard) {}
    void write(std::span<const std::int16_t> samples) override
    {
        heard_->insert(heard_->end(), samples.begin(), samples.end());
    }
    void flush() override { ++flushes; }
    int flushes = 0;

private:
    std::vector<std::int16_t>* heard_;
};

class FfmpegMovie : public WindowTest {
protected:
    static inline std::string folder;
    static inline bool haveFfmpeg = false;

    static void SetUpTestSuite()
    {
        haveFfmpeg = HaveFfmpegProgram();
        if (!haveFfmpeg)
            return;
        std::string pattern = (std::filesystem::temp_directory_path() / "kelbo-movies-XXXXXX").string();
        folder = ::mkdtemp(pattern.data()) ? pattern : std::string("/tmp");
        for (const Codec& codec : {kCinepak, kH264})
            ASSERT_TRUE(MakeColourMovie(folder + "/" + codec.name + ".mov", codec)) << codec.name;
    }
    static void TearDownTestSuite()
    {
        if (!folder.empty())
            std::filesystem::remove_all(folder);
    }

    HWND window = nullptr;
    std::vector<std::int16_t> heard;
    RecordingSink* sink = nullptr;
    MovieSoundOutput previousOutput;

    void SetUp() override
    {
        if (!haveFfmpeg)
            GTEST_SKIP() << "the ffmpeg program is not installed (scripts/dev installs it)";
        WindowTest::SetUp();
        window = top(0, 0, 200, 150, WS_POPUP);
        harness.runUntilIdle();
        previousOutput = SetMovieSoundOutput([this] {
            auto s = std::make_unique<RecordingSink>(&heard);
            sink = s.get();
            return s;
        });
    }
    void TearDown() override
    {
        if (haveFfmpeg)
            SetMovieSoundOutput(std::move(previousOutput));
        WindowTest::TearDown();
    }

    std::unique_ptr<Movie> open(const Codec& codec)
    {
        OpenedSource opened = OpenFfmpegMovie(OpenHostFileBytes(folder + "/" + codec.name + ".mov"));
        EXPECT_EQ(opened.error, kMovieNoError);
        if (!opened.source)
            return nullptr;
        auto movie = std::make_unique<Movie>(std::move(opened.source));
        movie->setRect({10, 10, 10 + kWidth, 10 + kHeight});
        movie->show(window);
        return movie;
    }
    // A damaged movie plays through backwards and forwards, and ends.
    void playBothWays(std::unique_ptr<MovieSource> source)
    {
        Movie movie(std::move(source));
        movie.setRect({10, 10, 74, 58});
        movie.show(window);
        movie.playSelection(0, movie.duration(), -1.0);
        harness.runFor(1300);
        movie.playSelection(0, movie.duration(), 1.0);
        harness.runFor(1300);
        EXPECT_EQ(movie.rate(), 0);
    }
    std::uint32_t centre() const
    {
        return TheScreen().pixels()[(10 + kHeight / 2) * TheScreen().stride() + 10 + kWidth / 2] & 0xFFFFFF;
    }
    // Plays the whole movie in a direction and checks each frame in the
    // middle of its time.
    void playAndCheck(const Codec& codec, double rate)
    {
        auto movie = open(codec);
        ASSERT_TRUE(movie);
        EXPECT_EQ(movie->box().right, kWidth);
        EXPECT_EQ(movie->box().bottom, kHeight);
        EXPECT_EQ(movie->info().frameTimes.size(), std::size_t(kFrames));
        EXPECT_EQ(std::int64_t(movie->frameStep()) * 1000 / movie->timeScale(), 100);
        EXPECT_EQ(std::int64_t(movie->duration()) * 1000 / movie->timeScale(), 1200);
        const std::uint64_t start = harness.now();
        movie->playSelection(0, movie->duration(), rate);
        for (int k = 0; k < kFrames; ++k) {
            harness.runFor(start + std::uint64_t(k) * 100 + 50 - harness.now());
            const int frame = rate > 0 ? k : kFrames - 1 - k;
            EXPECT_TRUE(closeTo(centre(), kColours[frame]))
                << codec.name << " at " << k * 100 + 50 << " ms: " << hex(centre()) << " for frame " << frame
                << " (" << hex(kColours[frame]) << ")";
        }
        harness.runFor(start + 1250 - harness.now());
        EXPECT_EQ(movie->rate(), 0);
        EXPECT_EQ(movie->lastError(), kMovieNoError);
    }
};

TEST_F(FfmpegMovie, CinepakPlaysForwards) { playAndCheck(kCinepak, 1.0); }
TEST_F(FfmpegMovie, CinepakPlaysBackwards) { playAndCheck(kCinepak, -1.0); }
TEST_F(FfmpegMovie, H264PlaysForwards) { playAndCheck(kH264, 1.0); }
TEST_F(FfmpegMovie, H264PlaysBackwards) { playAndCheck(kH264, -1.0); }

// Sign changes of the left channel per second: twice the tone's frequency.
double crossingsPerSecond(const std::vector<std::int16_t>& samples)
{
    int crossings = 0;
    const std::size_t frames = samples.size() / 2;
    for (std::size_t i = 1; i < frames; ++i)
        crossings += (samples[2 * i - 2] < 0) != (samples[2 * i] < 0);
    return double(crossings) * kMovieSoundRate / double(frames);
}

// The other codecs of a title's movies play their pictures and their sound;
// a movie whose pictures are in a codec outside them is refused, and one
// whose sound is plays without it: no other decoder is ever opened.
TEST_F(FfmpegMovie, OnlyTheCodecsOfTitlesMoviesPlay)
{
    const struct {
        Codec codec;
        int error;
        bool sound;
    } cases[] = {
        {{"qtrle-u8", "-c:v qtrle -c:a pcm_u8"}, kMovieNoError, true},
        {{"rpza-s8", "-c:v rpza -c:a pcm_s8"}, kMovieNoError, true},
        {{"mjpeg-s16be", "-c:v mjpeg -c:a pcm_s16be"}, kMovieNoError, true},
        {{"raw-s16le", "-c:v rawvideo -pix_fmt rgb24 -c:a pcm_s16le"}, kMovieNoError, true},
        {{"qtrle-mulaw", "-c:v qtrle -c:a pcm_mulaw"}, kMovieNoError, true},
        {{"rpza-alaw", "-c:v rpza -c:a pcm_alaw"}, kMovieNoError, true},
        {{"qtrle-mp2", "-c:v qtrle -c:a mp2"}, kMovieNoError, false},
        {{"mpeg4", "-c:v mpeg4 -c:a pcm_s16be"}, kMovieNoDecoder, false},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(MakeColourMovie(folder + "/" + c.codec.name + ".mov", c.codec)) << c.codec.name;
        OpenedSource opened = OpenFfmpegMovie(OpenHostFileBytes(folder + "/" + c.codec.name + ".mov"));
        EXPECT_EQ(opened.error, c.error) << c.codec.name;
        if (!opened.source)
            continue;
        EXPECT_EQ(opened.source->info().hasSound, c.sound) << c.codec.name;
        heard.clear();
        playAndCheck(c.codec, 1.0);
        if (c.sound)
            EXPECT_NEAR(crossingsPerSecond(heard), 880, 15) << c.codec.name;
        else
            EXPECT_TRUE(heard.empty()) << c.codec.name;
    }
}

TEST_F(FfmpegMovie, GoingToAnyTimeShowsTheFrameThere)
{
    for (const Codec& codec : {kCinepak, kH264}) {
        auto movie = open(codec);
        ASSERT_TRUE(movie);
        const std::int32_t step = movie->frameStep();
        for (int frame : {7, 2, 11, 0, 9, 8, 3, 4, 10}) {
            movie->goTo(frame * step + step / 2);
            EXPECT_TRUE(closeTo(centre(), kColours[frame])) << codec.name << " frame " << frame;
        }
        movie->goTo(0);
        for (int frame = 1; frame < kFrames; ++frame) {
            EXPECT_EQ(movie->step(1), frame * step);
            EXPECT_TRUE(closeTo(centre(), kColours[frame])) << codec.name << " step to " << frame;
        }
    }
}

TEST_F(FfmpegMovie, TheSoundOfTheRangePlayedReachesTheSink)
{
    for (const Codec& codec : {kCinepak, kH264}) {
        heard.clear();
        auto movie = open(codec);
        ASSERT_TRUE(movie);
        ASSERT_TRUE(movie->info().hasSound);
        const std::int32_t scale = movie->timeScale();
        const std::uint64_t start = harness.now();
        movie->playSelection(scale / 2, scale / 2, 1.0);  // 0.5 s to 1.0 s
        EXPECT_FALSE(heard.empty()) << "sound is given ahead of the picture";
        harness.runFor(start + 700 - harness.now());
        const double seconds = double(heard.size()) / 2 / kMovieSoundRate;
        EXPECT_NEAR(seconds, 0.5, 0.01) << codec.name;
        EXPECT_NEAR(crossingsPerSecond(heard), 880, 15) << codec.name;
        EXPECT_EQ(sink->flushes, 0) << "the end of a range lets its sound play out";
    }
}

TEST_F(FfmpegMovie, TheSoundReachesTheHeadlessDeviceAsTheClockPlaysIt)
{
    SetMovieSoundOutput(nullptr);  // the platform's own output, made to keep what it plays
    auto kept = std::make_unique<HeadlessAudio>(HeadlessAudio::Keep::Sounds);
    HeadlessAudio* device = kept.get();
    InstallAudioOutput(std::move(kept));
    for (const Codec& codec : {kCinepak, kH264}) {
        {
            auto movie = open(codec);
            ASSERT_TRUE(movie);
            const std::uint64_t start = harness.now();
            movie->playSelection(0, movie->duration(), 1.0);
            harness.runFor(start + 1300 - harness.now());
        }  // the movie's stream closes with it
        auto sounds = device->takeSounds();
        ASSERT_EQ(sounds.size(), 1u) << codec.name;
        EXPECT_EQ(sounds[0].format.rate, kMovieSoundRate);
        EXPECT_EQ(sounds[0].format.channels, kMovieSoundChannels);
        EXPECT_NEAR(double(sounds[0].samples.size()) / 2 / kMovieSoundRate, 1.2, 0.01) << codec.name;
        EXPECT_NEAR(crossingsPerSecond(sounds[0].samples), 880, 15) << codec.name;
    }
    InstallAudioOutput(nullptr);
}

TEST_F(FfmpegMovie, StoppingDropsTheSoundNotYetHeardAndBackwardsIsSilent)
{
    auto movie = open(kH264);
    ASSERT_TRUE(movie);
    movie->playSelection(0, movie->duration(), 1.0);
    harness.runFor(300);
    movie->stop();
    EXPECT_EQ(sink->flushes, 1);
    heard.clear();
    movie->playSelection(0, movie->duration(), -1.0);
    harness.runFor(1300);
    EXPECT_TRUE(heard.empty());
}

TEST_F(FfmpegMovie, MoviesOpenByTheirWindowsPath)
{
    TempConfig config;
    config.writeDriveTable("[Drive D]\nPath=" + folder + "\nType=cdrom\nLabel=MOVIES\n");
    TempConfig::writeFile(folder + "/NOTES.MOV", "these are not the pictures you are looking for");
    OpenedMovie found = OpenMovie("D:\\Cinepak.mov");
    EXPECT_EQ(found.error, kMovieNoError);
    ASSERT_TRUE(found.movie);
    EXPECT_EQ(found.movie->info().frameTimes.size(), std::size_t(kFrames));
    EXPECT_EQ(OpenMovie("D:\\MISSING.MOV").error, kMovieFileNotFound);
    EXPECT_EQ(OpenMovie("D:\\").error, kMovieFileNotFound);
    EXPECT_EQ(OpenMovie("D:\\NOTES.MOV").error, kMovieNotAMovie);
}

TEST_F(FfmpegMovie, ACutOffMovieOpensWhatItHoldsOrFailsCleanly)
{
    std::ifstream in(folder + "/h264.mov", std::ios::binary);
    auto whole = std::make_shared<std::vector<std::uint8_t>>(std::istreambuf_iterator<char>(in),
                                                             std::istreambuf_iterator<char>());
    int opens = 0;
    for (std::size_t keep : {std::size_t(0), std::size_t(16), whole->size() / 3, whole->size() / 2,
                             whole->size() - 100}) {
        auto part = std::make_shared<std::vector<std::uint8_t>>(whole->begin(), whole->begin() + std::ptrdiff_t(keep));
        OpenedSource opened = OpenFfmpegMovie(MemoryBytes(part));
        if (!opened.source) {
            EXPECT_NE(opened.error, kMovieNoError);
            continue;
        }
        playBothWays(std::move(opened.source));
        ++opens;
    }
    EXPECT_GE(opens, 2) << "a movie whose index comes first opens with part of its pictures missing";
}

TEST_F(FfmpegMovie, DamagedPicturesDecodeAsWellAsTheyCan)
{
    std::ifstream in(folder + "/h264.mov", std::ios::binary);
    auto bytes = std::make_shared<std::vector<std::uint8_t>>(std::istreambuf_iterator<char>(in),
                                                             std::istreambuf_iterator<char>());
    for (std::size_t i = bytes->size() / 2; i < bytes->size(); i += 7)
        (*bytes)[i] ^= 0x5A;
    OpenedSource opened = OpenFfmpegMovie(MemoryBytes(bytes));
    ASSERT_TRUE(opened.source);
    playBothWays(std::move(opened.source));
}

}  // namespace
}  // namespace plat::testing
