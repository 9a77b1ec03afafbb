// The sample title run whole, headless, where pages come and go: a page
// change whose next page lacks a picture keeps the program running on the
// page it came from, with one box that names the file, and the next click
// works; the gallery's movie, started by its content panel's "on_open",
// plays once whether the gallery is changed to or opened first.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/movie/fake_movies.h"
#include "platform/ui/dialog.h"
#include "testkit/sample_links.h"
#include "testkit/sample_title.h"
#include "tests/program_fixture.h"

namespace {

// The sample's notes (a child page beside the welcome page) and gallery.
constexpr std::int32_t kNotesPage = 4;
constexpr std::int32_t kGalleryPage = 3;
// The welcome picture's rust block (it changes to the contents page) and
// moss block (it opens the notes), in the main window's client area.
constexpr int kRustX = 108, kMossX = 212, kBlockY = 170;

class PageLifeTest : public ProgramTest {
protected:
    static JxCPageObject* firstPage() { return GetProduct() ? GetProduct()->GetFirstPage() : nullptr; }
    static bool welcomeShown()
    {
        JxCPageObject* page = firstPage();
        return page && page->GetPageId() == std::int32_t(testkit::kSampleWelcomePage) && !GetProduct()->IsBusy();
    }
};

// Where the title's data lies decides the box a missing picture is named
// in: on a disc, Retry may find it once the disc is back; elsewhere (a
// folder of a fixed drive, taken as it lists, as the program's own folder
// is) an OK box only says so.
struct MissingPictureRoad {
    const char* driveKind;
    int answer;
};

class MissingPictureTest : public PageLifeTest, public ::testing::WithParamInterface<MissingPictureRoad> {};

TEST_P(MissingPictureTest, APageChangeToAPageWithoutItsPictureKeepsTheProgramOnThePageItCameFrom)
{
    if (std::string(GetParam().driveKind) != "cdrom") {
        testkit::InstalledSettings settings;
        settings.volumeLabel.clear();
        settings.network = true;
        plat::testing::TempConfig::writeFile(config.program() + "/kelbo32.ini", testkit::InstalledIni(settings));
        plat::testing::TempConfig::writeFile(config.config() + "/platform.ini",
                                             testkit::DriveSection('C', config.root(), "fixed") +
                                                 testkit::DriveSection('D', discFolder(), GetParam().driveKind));
        plat::ReloadDriveTable();
    }
    std::filesystem::remove(discFolder() + "/contents.dib");
    std::vector<plat::UiRequest> missing;
    plat::SetResponder([&](const plat::UiRequest& r) -> std::optional<int> {
        if (r.text.find("contents") != std::string::npos) {
            missing.push_back(r);
            return GetParam().answer;
        }
        unexpected.push_back(r.text);
        return kAnswerOk;
    });
    int step = 0;
    std::uint64_t since = 0;
    bool notesOpened = false;
    run([&](plat::HWND main) {
        switch (step) {
        case 0:
            // A look at the page once it has started, then a click.
            if (!welcomeShown())
                return false;
            harness->advance(500);
            ++step;
            return true;
        case 1:
            harness->click(onScreen(main, kRustX, kBlockY));
            ++step;
            since = harness->now();
            return true;
        case 2:
            // The change has failed: the welcome page is still the main
            // window's, and it takes the next click (the moss block opens
            // the notes beside it).
            if (!welcomeShown() || harness->now() - since < 1000) {
                harness->advance(100);
                return true;
            }
            harness->click(onScreen(main, kMossX, kBlockY));
            ++step;
            since = harness->now();
            return true;
        case 3:
            notesOpened = GetProduct()->FindPageById(kNotesPage) != nullptr;
            if (!notesOpened && harness->now() - since < 2000) {
                harness->advance(100);
                return true;
            }
            ++step;
            plat::PostMessageA(main, plat::WM_CLOSE, 0, 0);
            return true;
        default:
            return false;
        }
    });
    EXPECT_EQ(step, 4) << "the program ended before the script did";
    ASSERT_EQ(missing.size(), 1u) << "one box names the missing picture";
    EXPECT_NE(missing[0].text.find("D:\\contents.dib"), std::string::npos) << missing[0].text;
    EXPECT_NE(std::find(missing[0].buttons.begin(), missing[0].buttons.end(), GetParam().answer),
              missing[0].buttons.end())
        << missing[0].text;
    EXPECT_TRUE(notesOpened) << "the click after the failed change";
}

INSTANTIATE_TEST_SUITE_P(DataOn, MissingPictureTest,
                         ::testing::Values(MissingPictureRoad{"cdrom", plat::IDIGNORE},
                                           MissingPictureRoad{"fixed", plat::IDOK}),
                         [](const auto& info) { return std::string(info.param.driveKind); });

// The gallery reached as users reach it: changed to from the welcome page,
// or opened first, when its own "on_open" after the first paint and each
// of its Display panels' are all heard by its definition.
struct GalleryRoad {
    const char* name;
    const char* commandLine;  // empty: a change from the welcome page
};

class GalleryMovieTest : public PageLifeTest, public ::testing::WithParamInterface<GalleryRoad> {};

TEST_P(GalleryMovieTest, TheGalleryPlaysItsMovieOnceAsItOpens)
{
    // A movie of a second, with its sound, on the title's disc.
    plat::FakeMovies movies;
    plat::FakeMovie movie = plat::FakeMovie::Frames(10, 60);
    movie.hasSound = true;
    movies.library().add("D:\\SAMPLE.mov", movie);
    bool asked = *GetParam().commandLine != 0;
    std::uint64_t shownAt = 0;
    run(
        [&](plat::HWND main) {
            JxCPageObject* page = firstPage();
            if (!asked) {
                if (!welcomeShown())
                    return false;
                GetProduct()->GoToPage(kGalleryPage, 0);
                asked = true;
                return true;
            }
            if (!shownAt && page && page->GetPageId() == kGalleryPage)
                shownAt = harness->now();
            // Time for the movie to play three times over.
            if (harness->now() < (shownAt ? shownAt + 4000 : 20000)) {
                harness->advance(100);
                return true;
            }
            plat::PostMessageA(main, plat::WM_CLOSE, 0, 0);
            return true;
        },
        GetParam().commandLine);
    ASSERT_NE(shownAt, 0u) << "the gallery never opened";
    const std::vector<std::string>& sound = movies.library().log().sound;
    EXPECT_EQ(std::count_if(sound.begin(), sound.end(), [](const std::string& s) { return s.rfind("start", 0) == 0; }), 1)
        << ::testing::PrintToString(movies.library().log().opened);
}

// The sample's third start page is the gallery.
INSTANTIATE_TEST_SUITE_P(Reached, GalleryMovieTest,
                         ::testing::Values(GalleryRoad{"AfterAChange", ""}, GalleryRoad{"AsTheFirstPage", "/start=3"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
