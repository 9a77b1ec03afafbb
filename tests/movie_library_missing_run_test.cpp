// The sample title run whole on a machine without the movie library: the
// gallery's movie cannot play, the user is told so once (message 2804)
// however many movies try, and the title goes on.

#include <gtest/gtest.h>

#include <algorithm>

#include "media/JxCQT3Movie.h"
#include "platform/movie/ffmpeg_module.h"
#include "platform/tests/built_ffmpeg_module.h"
#include "platform/tests/colour_movies.h"
#include "runtime/JxTypeRegistry.h"
#include "tests/program_fixture.h"
#include "tests/title_disc.h"

namespace {

constexpr std::int32_t kGalleryPage = 3;

int galleryStart()
{
    ProgramClasses classes;
    RegisterTypeIds();
    const std::vector<std::uint32_t> pages = testkit::SampleTitle().data.product().pages;
    ReleaseTypeRegistries();
    const auto at = std::find(pages.begin(), pages.end(), std::uint32_t(kGalleryPage));
    return at == pages.end() ? 0 : int(at - pages.begin()) + 1;
}

class MovieLibraryMissingTest : public ProgramTest {
protected:
    void SetUp() override
    {
        if (!plat::testing::HaveFfmpegProgram())
            GTEST_SKIP() << "the ffmpeg program is not installed (scripts/dev installs it)";
        ProgramTest::SetUp();
        ASSERT_TRUE(plat::testing::MakeColourMovie(discFolder() + "/SAMPLE.mov", plat::testing::kCinepakIma4));
        plat::SetFfmpegModulePath(std::string());  // as on a machine without it
        plat::SetResponder([this](const plat::UiRequest& r) -> std::optional<int> {
            boxes.push_back(r.text);
            // Ignore where the box offers it (Abort would end the run).
            const bool ignore = std::find(r.buttons.begin(), r.buttons.end(), kAnswerIgnore) != r.buttons.end();
            return ignore ? kAnswerIgnore : kAnswerOk;
        });
    }
    void TearDown() override
    {
        if (IsSkipped())
            return;
        plat::testing::UseBuiltFfmpegModule();
        ProgramTest::TearDown();
    }
    int count(const std::string& words) const
    {
        return int(std::count_if(boxes.begin(), boxes.end(),
                                 [&](const std::string& text) { return text.find(words) != std::string::npos; }));
    }

    std::vector<std::string> boxes;
};

TEST_F(MovieLibraryMissingTest, TheGalleryOpensWithoutItsMovieAndSaysSoOnce)
{
    const int start = galleryStart();
    ASSERT_GT(start, 0);
    const std::string commandLine = "/start=" + std::to_string(start);
    bool shown = false;
    run(
        [&](plat::HWND main) {
            JxCBaseProduct* product = GetProduct();
            if (!product->FindPageById(kGalleryPage))
                return false;
            if (!shown) {
                shown = true;
                // A second movie asks for the library again.
                JxCQT3Movie other;
                EXPECT_FALSE(other.Open(JxCString("D:\\SAMPLE.mov")));
                EXPECT_EQ(other.GetLastError(), plat::kMovieLibraryMissing);
                return true;
            }
            plat::PostMessageA(main, plat::WM_CLOSE, 0, 0);
            return true;
        },
        commandLine.c_str());
    EXPECT_TRUE(shown) << "the gallery opened";
    EXPECT_EQ(count("Movies cannot be played"), 1);
}

}  // namespace
