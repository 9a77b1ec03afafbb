// Movies made here by the ffmpeg program (cinepak pictures with IMA ADPCM
// sound, and H.264 with AAC, both in ".mov" files, one colour a frame and a
// 440 Hz tone) played headless by the movie media through the FFmpeg
// library: each frame's colour at its virtual time forwards and backwards,
// and the sound on the headless audio output.

#include "media/JxCQT3Overseer.h"
#include "media/JxCQT3Resource.h"
#include "media/tests/media_fixture.h"
#include "platform/movie/ffmpeg_module.h"
#include "platform/screen/screen.h"
#include "platform/tests/built_ffmpeg_module.h"
#include "platform/tests/colour_movies.h"

namespace media_test {
namespace {

using namespace plat::testing;

struct Codec {
    const char* file;
    const MovieCodec& codec;
};
const Codec kCinepak{"CINEPAK", kCinepakIma4};
const Codec kH264{"H264", kH264Aac};

class MovieFfmpegTest : public MediaTest {
protected:
    void SetUp() override
    {
        if (!HaveFfmpegProgram())
            GTEST_SKIP() << "the ffmpeg program is not installed (scripts/dev installs it)";
        MediaTest::SetUp();
        for (const Codec& codec : {kCinepak, kH264})
            ASSERT_TRUE(MakeColourMovie(config.root() + "/e/" + codec.file + ".mov", codec.codec)) << codec.file;
        ASSERT_TRUE(StartMovieLayer());
    }
    void TearDown() override
    {
        EndMovieLayer();
        plat::testing::UseBuiltFfmpegModule();
        if (!IsSkipped())
            MediaTest::TearDown();
    }

    std::uint32_t centre() const
    {
        plat::POINT p{10 + kMovieWidth / 2, 10 + kMovieHeight / 2};
        plat::ClientToScreen(window, &p);
        return plat::TheScreen().pixels()[p.y * plat::TheScreen().stride() + p.x] & 0xFFFFFF;
    }

    // Plays the whole movie one way and checks each frame in the middle of
    // its time; what was heard is returned.
    struct Heard {
        int loudest = 0;
        std::size_t seconds10 = 0;  // tenths of a second
    };
    Heard playAndCheck(const Codec& codec, bool forwards)
    {
        JxCQT3Movie movie;
        EXPECT_TRUE(movie.Open(JxCString(("E:\\" + std::string(codec.file) + ".mov").c_str())));
        EXPECT_EQ(movie.GetRect(), JxCRect(0, 0, kMovieWidth, kMovieHeight));
        EXPECT_EQ(movie.GetDurationUnits(), kMovieFrames);
        movie.SetPosition(JxCPoint(10, 10));
        const std::uint64_t start = harness.now();
        EXPECT_EQ(forwards ? movie.PlayRange(window, 0, -1) : movie.PlayRange(window, movie.GetDuration(), 0), 0);
        for (int k = 0; k < kMovieFrames; ++k) {
            harness.runFor(start + std::uint64_t(k) * 100 + 50 - harness.now());
            const int frame = forwards ? k : kMovieFrames - 1 - k;
            EXPECT_TRUE(CloseColour(centre(), kMovieFrameColours[frame]))
                << codec.file << " at " << k * 100 + 50 << " ms: frame " << frame << " shows " << HexColour(centre());
        }
        harness.runFor(start + 1300 - harness.now());
        EXPECT_TRUE(movie.IsDone());
        movie.Close();
        Heard heard;
        std::size_t samples = 0;
        for (const auto& sound : audio->takeSounds()) {
            samples += sound.samples.size();
            for (std::int16_t s : sound.samples)
                heard.loudest = std::max(heard.loudest, std::abs(int(s)));
        }
        heard.seconds10 = samples * 10 / (44100 * 2);
        return heard;
    }
};

TEST_F(MovieFfmpegTest, CinepakWithImaSoundPlaysEachFrameAtItsTimeBothWaysWithItsSoundForwards)
{
    const Heard forwards = playAndCheck(kCinepak, true);
    EXPECT_GT(forwards.loudest, 1000) << "the tone reaches the audio output";
    EXPECT_GE(forwards.seconds10, 11u);
    EXPECT_EQ(playAndCheck(kCinepak, false).loudest, 0) << "backwards plays without sound";
}

TEST_F(MovieFfmpegTest, H264WithAacSoundPlaysEachFrameAtItsTimeBothWaysWithItsSoundForwards)
{
    const Heard forwards = playAndCheck(kH264, true);
    EXPECT_GT(forwards.loudest, 1000);
    EXPECT_GE(forwards.seconds10, 11u);
    EXPECT_EQ(playAndCheck(kH264, false).loudest, 0);
}

// The box that says movies cannot be played: its Retry, once the library
// is in place, opens the movie.
TEST_F(MovieFfmpegTest, RetryOnTheMissingLibraryBoxOpensTheMovieOnceTheLibraryIsThere)
{
    NumberedTexts texts;
    plat::SetFfmpegModulePath(std::string());
    plat::SetResponder([&](const plat::UiRequest& r) -> std::optional<int> {
        boxes.push_back(r.text);
        plat::testing::UseBuiltFfmpegModule();
        return kAnswerRetry;
    });
    JxCQT3Movie movie;
    EXPECT_TRUE(movie.Open(JxCString("E:\\CINEPAK.mov")));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("text 2804"), std::string::npos) << boxes[0];
}

}  // namespace
}  // namespace media_test
