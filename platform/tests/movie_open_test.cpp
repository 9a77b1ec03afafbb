// What opening a movie costs and what its 8-bit pictures look like:
// movies made here by the ffmpeg program, opened through the FFmpeg
// library. An 8-bit (palettised) movie's frames match ffmpeg's own decoding
// of the same frames, in any order (its colours come with the packet where
// they change, so a seek must give the decoder those in force where it
// lands); a large movie opens after reading a small part of its file, its
// frames listed from the container's index.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/movie/ffmpeg_library.h"
#include "platform/tests/colour_movies.h"

namespace plat::testing {
namespace {

// The bytes of a file, counting what is read through them (and through
// every reader made again from them).
class CountedBytes final : public MovieBytes {
public:
    CountedBytes(std::unique_ptr<MovieBytes> bytes, std::shared_ptr<std::int64_t> count)
        : bytes_(std::move(bytes)), count_(std::move(count))
    {
    }
    int read(std::uint8_t* buffer, int size) override
    {
        const int n = bytes_->read(buffer, size);
        if (n > 0)
            *count_ += n;
        return n;
    }
    std::int64_t seek(std::int64_t offset, int whence) override { return bytes_->seek(offset, whence); }
    std::int64_t size() const override { return bytes_->size(); }
    std::unique_ptr<MovieBytes> reopen() const override
    {
        auto again = bytes_->reopen();
        return again ? std::make_unique<CountedBytes>(std::move(again), count_) : nullptr;
    }

private:
    std::unique_ptr<MovieBytes> bytes_;
    std::shared_ptr<std::int64_t> count_;
};

class MovieOpen : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!HaveFfmpegProgram())
            GTEST_SKIP() << "the ffmpeg program is not installed (scripts/dev installs it)";
        std::string pattern = (std::filesystem::temp_directory_path() / "kelbo-open-XXXXXX").string();
        ASSERT_TRUE(::mkdtemp(pattern.data()));
        folder = pattern;
    }
    void TearDown() override
    {
        if (!folder.empty())
            std::filesystem::remove_all(folder);
    }

    // ffmpeg's test picture (colour bars, a moving gradient and a counter)
    // at 10 frames a second, in the codec and container given.
    std::string make(const std::string& name, const std::string& size, double seconds, const std::string& codec)
    {
        const std::string path = folder + "/" + name;
        const std::string command = "ffmpeg -v error -y -f lavfi -i testsrc=size=" + size +
                                    ":rate=10:duration=" + std::to_string(seconds) + " " + codec + " '" + path + "'";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        return path;
    }
    // Frame n as ffmpeg itself decodes it, as 0x00RRGGBB pixels.
    std::vector<std::uint32_t> reference(const std::string& path, int n)
    {
        const std::string raw = path + ".frame";
        const std::string command = "ffmpeg -v error -y -i '" + path + "' -vf 'select=eq(n\\," + std::to_string(n) +
                                    ")' -frames:v 1 -f rawvideo -pix_fmt bgr0 '" + raw + "'";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        std::ifstream in(raw, std::ios::binary);
        std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::vector<std::uint32_t> pixels(bytes.size() / 4);
        for (std::size_t i = 0; i < pixels.size(); ++i)
            pixels[i] = std::uint32_t(std::uint8_t(bytes[4 * i])) | std::uint32_t(std::uint8_t(bytes[4 * i + 1])) << 8 |
                        std::uint32_t(std::uint8_t(bytes[4 * i + 2])) << 16;
        return pixels;
    }
    // Frame n of the movie decoded here, pixels further than `tolerance`
    // from ffmpeg's own decoding of it counted (all of them when it fails).
    std::size_t wrongPixels(MovieSource& movie, const std::string& path, int n, int tolerance = 2)
    {
        FrameImage frame;
        const std::vector<std::uint32_t> want = reference(path, n);
        if (!movie.decodeFrame(std::size_t(n), frame) || frame.pixels.size() != want.size())
            return want.size();
        std::size_t wrong = 0;
        for (std::size_t i = 0; i < want.size(); ++i)
            wrong += !CloseColour(frame.pixels[i], want[i], tolerance);
        return wrong;
    }
    OpenedSource open(const std::string& path, std::int64_t* read = nullptr)
    {
        auto count = std::make_shared<std::int64_t>(0);
        OpenedSource opened = OpenFfmpegMovie(std::make_unique<CountedBytes>(OpenHostFileBytes(path), count));
        if (read)
            *read = *count;
        return opened;
    }

    std::string folder;
};

TEST_F(MovieOpen, EightBitMoviesShowTheirColoursInAnyOrderOfFrames)
{
    struct Case {
        const char* file;
        const char* codec;
    };
    const Case cases[] = {
        {"smc.mov", "-pix_fmt pal8 -c:v smc"},
        {"raw8.mov", "-pix_fmt pal8 -c:v rawvideo"},
        {"raw8.avi", "-pix_fmt pal8 -c:v rawvideo"},
    };
    for (const Case& c : cases) {
        const std::string path = make(c.file, "64x48", 1.2, c.codec);
        OpenedSource opened = open(path);
        ASSERT_TRUE(opened.source) << c.file << ": error " << opened.error;
        MovieSource& movie = *opened.source;
        ASSERT_EQ(movie.info().frameTimes.size(), 12u) << c.file;
        EXPECT_EQ(movie.info().width, 64);
        for (int n : {5, 0, 11, 3, 4})
            EXPECT_EQ(wrongPixels(movie, path, n), 0u) << c.file << " frame " << n;
    }
}

// 60 frames of 64 by 48 in two stretches of one picture each, with colours
// of their own: an AVI file that changes its colour table at frame 30.
TEST_F(MovieOpen, AnEightBitMovieSeekedShowsTheColoursInForceThere)
{
    const std::string path = folder + "/two-palettes.avi";
    {
        std::ofstream raw(path + ".rgb", std::ios::binary);
        for (int n = 0; n < 60; ++n)
            for (int y = 0; y < 48; ++y)
                for (int x = 0; x < 64; ++x) {
                    const char warm[3] = {char(128 + 2 * x), char(4 * y), 40};
                    const char cool[3] = {30, char(200 - 3 * y), char(100 + 2 * x)};
                    raw.write(n < 30 ? warm : cool, 3);
                }
    }
    const std::string command = "ffmpeg -v error -y -f rawvideo -pix_fmt rgb24 -s 64x48 -r 10 -i '" + path +
                                ".rgb' -vf 'split[a][b];[a]palettegen=stats_mode=single[p];[b][p]paletteuse=new=1' "
                                "-c:v rawvideo -pix_fmt pal8 '" + path + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    OpenedSource opened = open(path);
    ASSERT_TRUE(opened.source) << "error " << opened.error;
    ASSERT_EQ(opened.source->info().frameTimes.size(), 60u);
    // Far into the second table first, back into the first, on across the
    // change, and back to each side of it.
    for (int n : {50, 10, 45, 29, 30, 0, 59})
        EXPECT_EQ(wrongPixels(*opened.source, path, n), 0u) << "frame " << n;
}

TEST_F(MovieOpen, ALargeMovieOpensAfterReadingASmallPartOfItsFile)
{
    for (const char* file : {"large.mov", "large.avi"}) {
        const std::string path = make(file, "320x240", 60, "-pix_fmt pal8 -c:v rawvideo");
        const auto size = std::int64_t(std::filesystem::file_size(path));
        ASSERT_GT(size, 40 << 20);
        std::int64_t read = 0;
        OpenedSource opened = open(path, &read);
        ASSERT_TRUE(opened.source) << file << ": error " << opened.error;
        EXPECT_LT(read, 2 << 20) << file << ": " << read << " of " << size << " bytes read to open it";
        const MovieInfo& info = opened.source->info();
        ASSERT_EQ(info.frameTimes.size(), 600u) << file;
        EXPECT_EQ(info.frameTimes[599], 599 * info.timeScale / 10);
        EXPECT_EQ(info.duration, 600 * info.timeScale / 10);
        FrameImage last;
        EXPECT_TRUE(opened.source->decodeFrame(599, last));
        std::filesystem::remove(path);
    }
}

}  // namespace
}  // namespace plat::testing
