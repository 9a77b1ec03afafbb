// The sample title with media gone from its disc: the animation page's
// rolling ball, the title's chime and the gallery's movie are each named
// once, however often the pages and actions that want them ask, and the
// title goes on without them (the animation page, whose bar cannot make its
// actions without its animation, does not open).

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "media/JxCPlaySoundAction.h"
#include "testkit/sample_animation.h"
#include "tests/program_fixture.h"

namespace {

constexpr std::uint32_t kGalleryPage = 3;

TEST_F(ProgramTest, EachMissingMediaFileIsNamedOnce)
{
    // The sample's movie is written only onto a medium with the movie library.
    const std::vector<std::string> gone = {testkit::kSampleRollAnimation, "chime.wav", "SAMPLE.mov"};
    for (const std::string& name : gone) {
        std::filesystem::remove(discFolder() + "/" + name);
        ASSERT_FALSE(std::filesystem::exists(discFolder() + "/" + name)) << name;
    }
    std::vector<std::string> boxes;
    plat::SetResponder([&](const plat::UiRequest& r) -> std::optional<int> {
        boxes.push_back(r.text);
        return r.kind == "MessageBox" ? kAnswerIgnore : kAnswerCancel;
    });
    // Each page twice, the chime played on each visit.
    const std::vector<std::uint32_t> visits = {testkit::kSampleAnimationPage, kGalleryPage,
                                               testkit::kSampleAnimationPage, kGalleryPage};
    std::size_t next = 0;
    bool changing = false;
    run([&](plat::HWND main) {
        JxCBaseProduct* product = GetProduct();
        if (product->GetBusyBits() || product->CountPendingActions() > 0 || next > visits.size())
            return false;
        if (changing) {
            JxCPlaySoundAction chime;
            chime.SetParameters(JxCString("chime"), -1, -1, 0, 1, 1, product->GetCurrentPage());
            chime.Execute();
            changing = false;
            ++next;
            return true;
        }
        if (next == visits.size()) {
            plat::PostMessageA(main, plat::WM_CLOSE, 0, 0);
            ++next;
            return true;
        }
        product->GoToPage(std::int32_t(visits[next]), 0);
        changing = true;
        return true;
    });
    EXPECT_EQ(next, visits.size() + 1);
    std::string all;
    std::map<std::string, int> named;
    for (const std::string& box : boxes) {
        all += "\n  " + box;
        for (const std::string& name : gone)
            named[name] += box.find(name) != std::string::npos ? 1 : 0;
    }
    for (const std::string& name : gone)
        EXPECT_EQ(named[name], 1) << name << " among the boxes:" << all;
}

}  // namespace
