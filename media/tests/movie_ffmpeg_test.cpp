// Movies made here by the ffmpeg program (cinepak pictures with IMA ADPCM
// sound, and H.264 with AAC, both in ".mov" files, one colour a frame and a
// 440 Hz tone) played headless by the movie media through the FFmpeg
// library: each frame's colour at its virtual time forwards and backwards,
// and the sound on the headless audio output.

#include <cmath>
#include <cstdlib>
#include <fstream>

#include "media/JxCQT3Resource.h"
#include "media/tests/media_fixture.h"
#include "media/JxCQT3Overseer.h"
#include "platform/screen/screen.h"

namespace media_test {
namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 48;
constexpr int kFrames = 12;  // at 10 a second
const std::uint32_t kColours[kFrames] = {0xC03030, 0x30C030, 0x3030C0, 0xC0C030, 0x30C0C0, 0xC030C0,
                                         0xE0E0E0, 0x202020, 0x806040, 0x4080A0, 0xA04080, 0x60A060};
constexpr int kTolerance = 24;

struct Codec {
    const char* file;
    const char* options;
};
const Codec kCinepak{"CINEPAK", "-c:v cinepak -g 5 -c:a adpcm_ima_qt"};
const Codec kH264{"H264", "-c:v libx264 -pix_fmt yuv420p -g 4 -bf 2 -c:a aac -b:a 96k"};

bool closeTo(std::uint32_t got, std::uint32_t want)
{
    for (int shift : {0, 8, 16})
        if (std::abs(int((got >> shift) & 0xFF) - int((want >> shift) & 0xFF)) > kTolerance)
            return false;
    return true;
}

class MovieFfmpegTest : public MediaTest {
protected:
    void SetUp() override
    {
        if (std::system("ffmpeg -version >/dev/null 2>&1") != 0)
            GTEST_SKIP() << "the ffmpeg program is not installed (scripts/dev installs it)";
        MediaTest::SetUp();
        const std::string folder = config.root() + "/e";
        std::ofstream raw(folder + "/frames.rgb", std::ios::binary);
        for (std::uint32_t c : kColours)
            for (int i = 0; i < kWidth * kHeight; ++i) {
                const char rgb[3] = {char(c >> 16), char(c >> 8), char(c)};
                raw.write(rgb, 3);
            }
        raw.close();
        for (const Codec& codec : {kCinepak, kH264}) {
            const std::string command = "ffmpeg -v error -y -f rawvideo -pix_fmt rgb24 -s 64x48 -r 10 -i '" + folder +
                                        "/frames.rgb' -f lavfi -i sine=frequency=440:sample_rate=22050:duration=1.2 " +
                                        codec.options + " '" + folder + "/" + codec.file + ".mov'";
            ASSERT_EQ(std::system(command.c_str()), 0) << command;
        }
        ASSERT_TRUE(StartMovieLayer());
    }
    void TearDown() override
    {
        EndMovieLayer();
        if (!IsSkipped())
            MediaTest::TearDown();
    }

    std::uint32_t centre() const
    {
        plat::POINT p{10 + kWidth / 2, 10 + kHeight / 2};
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
        EXPECT_EQ(movie.GetRect(), JxCRect(0, 0, kWidth, kHeight));
        EXPECT_EQ(movie.GetDurationUnits(), kFrames);
        movie.SetPosition(JxCPoint(10, 10));
        const std::uint64_t start = harness.now();
        EXPECT_EQ(forwards ? movie.PlayRange(window, 0, -1) : movie.PlayRange(window, movie.GetDuration(), 0), 0);
        for (int k = 0; k < kFrames; ++k) {
            harness.runFor(start + std::uint64_t(k) * 100 + 50 - harness.now());
            const int frame = forwards ? k : kFrames - 1 - k;
            EXPECT_TRUE(closeTo(centre(), kColours[frame]))
                << codec.file << " at " << k * 100 + 50 << " ms: frame " << frame << " shows " << std::hex << centre();
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

}  // namespace
}  // namespace media_test
