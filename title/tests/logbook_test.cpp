// The logbook and the progress displays: a logbook page drawn with its
// counters, ticks and labels for a user (golden picture), the counters'
// values at their edges, what the displays show with nobody logged in or an
// empty index, the certificate button's threshold, the certificate action's
// single opening, the logbook flag's count of live panels, and the sounds
// the logbook leaves playing.

#include <filesystem>

#include "objects/panels/JxCViewingPanel.h"
#include "platform/tests/golden.h"
#include "runtime/JxCDisplayObject.h"
#include "title/JxLogBook.h"
#include "title/JxProgressDisplays.h"
#include "title/JxTitleSound.h"
#include "title/tests/title_data_fixture.h"

namespace title_test {
namespace {

constexpr std::uint16_t kLogbookTemplate = 5;
constexpr std::int32_t kLogbookPage = 10;
constexpr std::uint8_t kPaper = 200;
constexpr std::uint8_t kInk = 9;

testkit::BmpPicture block(int w, int h, std::uint8_t colour)
{
    return testkit::BmpPicture{w, h, std::vector<std::uint8_t>(std::size_t(w * h), colour), testkit::DistinctColours()};
}

// A display object that notes its release and stops nothing.
class Quiet : public JxCDisplayObject {
public:
    std::int16_t MouseUp(const JxCPoint&, std::int16_t flag) override
    {
        releases.push_back(flag);
        return 1;
    }
    std::vector<std::int16_t> releases;
};

class LogbookTest : public TitleDataTest {
protected:
    void SetUp() override
    {
        TitleDataTest::SetUp();
        std::filesystem::create_directories(config.program() + "/kelbo32.resources/bitmap");
        for (const char* name : {"CANCLOUT.bmp", "CANCLIN.bmp"})
            std::filesystem::copy_file(std::string(KELBO_SOURCE_DIR) + "/resources/kelbo32.resources/bitmap/" + name,
                                       config.program() + "/kelbo32.resources/bitmap/" + name);
        std::filesystem::create_directories(config.program() + "/kelbo32.resources/WAVE");
        std::filesystem::copy_file(std::string(KELBO_SOURCE_DIR) + "/resources/kelbo32.resources/WAVE/CLICKSLIDE.wav",
                                   config.program() + "/kelbo32.resources/WAVE/CLICKSLIDE.wav");
        for (int d = 0; d < 10; ++d)
            writePicture("d" + std::to_string(d) + ".dib", testkit::DigitPicture(d, kInk, kPaper, testkit::DistinctColours()));
        writePicture("star.dib", block(24, 24, 60));
        writePicture("tick.dib", block(16, 16, 120));
        writePicture("label.dib", block(40, 12, 180));
        title.index = testkit::NumberedIndex(200);
        const testkit::Rgb paper = testkit::DistinctColours()[kPaper];
        file.templateDef(kLogbookTemplate, "BASE_PAGE")
            .panel(1, "LogbookbasePanel")
            .size(640, 480)
            .colour(paper[0], paper[1], paper[2]);
        testkit::PanelRecord panel(1);
        auto at = [](testkit::DisplayObjectRecord r, std::int16_t x, std::int16_t y, std::int16_t w, std::int16_t h) {
            return r.rect(x, y, std::int16_t(x + w), std::int16_t(y + h));
        };
        panel.add(at(testkit::DigitsRecord("Visitedcount", file, "d", 12, 20), 40, 40, 48, 20), file);
        panel.add(at(testkit::DigitsRecord("quizcount", file, "d", 12, 20), 40, 80, 48, 20), file);
        panel.add(at(testkit::DigitsRecord("AnsweredCount", file, "d", 12, 20), 40, 120, 48, 20), file);
        testkit::DisplayObjectRecord allVisited = testkit::BitmapRecord("star").at(160, 40);
        allVisited.type = "AllVisited";
        panel.add(allVisited, file);
        panel.add(testkit::NumberedBitmapRecord("quiztick", "tick", 2).at(120, 80), file);
        panel.add(testkit::NumberedBitmapRecord("quiztick", "tick", 3).at(140, 80), file);
        panel.add(testkit::NumberedBitmapRecord("QuizLabl", "label", 1).at(120, 120), file);
        panel.add(testkit::NumberedBitmapRecord("QuizLabl", "label", 2).at(170, 120), file);
        panel.add(testkit::NumberedButtonRecord("CertificateButton", 1).id(20).rect(40, 200, 100, 230), file);
        panel.add(testkit::ButtonRecord({}, "LogBookButton").id(21).rect(300, 200, 340, 230), file);
        panel.add(testkit::ButtonRecord({}, "CancelButton").id(22).at(400, 200), file);
        file.page(kLogbookPage, kLogbookTemplate).name("Logbook").storedPanel("LogbookbasePanel", panel.Bytes());
        for (std::uint32_t id : {1, 30, 31, 32})
            file.page(id, 1);
    }
    void writePicture(const std::string& name, const testkit::BmpPicture& picture)
    {
        const std::vector<std::uint8_t> b = testkit::EncodeBmp(picture);
        plat::testing::TempConfig::writeFile(config.program() + "/Data/" + name, std::string(b.begin(), b.end()));
    }
    void readLogbook()
    {
        readTitle();
        product().GetProductDef()->SetDataPath("P:\\Data");
    }
    // Ann at the level with `answered` questions answered at it (topics in
    // order, five each) and the first `visited` pages visited.
    void logInAnn(std::int16_t level, int answered, int visited)
    {
        testkit::UserFile ann;
        ann.name = "Ann" + std::to_string(++logins_);
        ann.level = level;
        for (int i = 0; i < answered && level < 3; ++i)
            ann.answer(level, i / 5, i % 5, 1);
        for (int i = 0; i < visited; ++i)
            ann.visited[std::size_t(i)] = 1;
        logIn(ann.name, ann);
    }
    int logins_ = 0;
    JxCDisplayObject* object(std::int32_t id)
    {
        return product().GetCurrentPage()->FindPanelById(1)->FindObjectById(id);
    }
    template <class T>
    T* first()
    {
        JxCDisplayObjectList& list = product().GetCurrentPage()->FindPanelById(1)->GetDisplayObjects();
        for (JxCDisplayObject* o = list.GetFirst(); o; o = list.GetNext(o))
            if (auto* found = dynamic_cast<T*>(o))
                return found;
        return nullptr;
    }
    std::int32_t value(JxCDisplayObject* digits)
    {
        std::int32_t v = -1;
        EXPECT_EQ(digits->GetNumberProperty(kPropValue, &v), kPropertyOk);
        return v;
    }
};

TEST_F(LogbookTest, TheLogbookPageShowsTheUsersProgress)
{
    readLogbook();
    data().GetQuizInf()->SetTopic(2);
    logInAnn(1, 55, 57);
    changeTo(kLogbookPage);
    harness.runUntilIdle();
    EXPECT_EQ(value(first<JxCVisitedCount>()), 28);
    EXPECT_EQ(value(first<JxCQuizCount>()), 50);
    EXPECT_EQ(value(first<JxCAnsweredCount>()), 5);
    EXPECT_EQ(first<JxCAllVisited>()->IsVisible(), 0);
    EXPECT_EQ(first<JxCCertificateButton>()->TestStateFlags(JxCDisplayObject::kStateDisabled), 1);
    EXPECT_EQ(IsLogbookShowing(), 1);
    EXPECT_EQ(plat::testing::CompareWithGolden(nullptr, "logbook_page", "title/tests/golden"), "");
}

TEST_F(LogbookTest, TheQuizCounterIsFullAtTheTopLevelAndTheThresholdOpensFromTheLevelAbove)
{
    readLogbook();
    for (std::int16_t level : {0, 1, 2, 3}) {
        SCOPED_TRACE(level);
        logInAnn(level, 10, 0);
        changeTo(kLogbookPage);
        EXPECT_EQ(value(first<JxCQuizCount>()), level == 3 ? 100 : 9);
        EXPECT_EQ(first<JxCCertificateButton>()->TestStateFlags(JxCDisplayObject::kStateDisabled), level < 2 ? 1 : 0);
    }
}

TEST_F(LogbookTest, NobodyLoggedInOrAnEmptyIndexBreaksNothing)
{
    title.index.clear();
    readLogbook();
    changeTo(kLogbookPage);  // nobody logged in
    harness.runUntilIdle();
    EXPECT_EQ(value(first<JxCVisitedCount>()), 0);  // the record's value
    EXPECT_EQ(value(first<JxCAnsweredCount>()), 0);
    EXPECT_EQ(first<JxCAllVisited>()->IsVisible(), 0);
    EXPECT_EQ(first<JxCCertificateButton>()->TestStateFlags(JxCDisplayObject::kStateDisabled), 1);
    logInAnn(1, 0, 40);
    changeTo(kLogbookPage);
    EXPECT_EQ(value(first<JxCVisitedCount>()), 0);  // no pages in the index
    EXPECT_EQ(first<JxCAllVisited>()->IsVisible(), 0);
}

TEST_F(LogbookTest, DigitsShowFourPlacesClampedToTheirRange)
{
    JxCDigits digits;
    using D = std::array<std::int32_t, 4>;
    digits.SetValue(7);
    EXPECT_EQ(digits.GetDigits(), (D{7, 0, 0, 0}));
    digits.SetValue(-5);
    EXPECT_EQ(digits.GetDigits(), (D{0, 0, 0, 0}));
    digits.SetValue(1234);
    EXPECT_EQ(digits.GetDigits(), (D{4, 3, 2, 1}));
    digits.SetValue(123456);
    EXPECT_EQ(digits.GetDigits(), (D{9, 9, 9, 9}));
    std::int32_t got = 0;
    EXPECT_EQ(digits.GetNumberProperty(kPropValue, &got), kPropertyOk);
    EXPECT_EQ(got, 123456);
    EXPECT_EQ(digits.GetPropertyInfo(kPropValue, nullptr), JxPropertyKind::Number);
}

TEST_F(LogbookTest, TheCertificateActionOpensTheCompletedLevelsPageOnce)
{
    readLogbook();
    changeTo(1);
    JxCOpenCertificateAction action;
    action.SetTarget(32, 0, 0);
    action.SetPages(30, 31);
    EXPECT_EQ(action.Execute(), 1);  // no level completed
    EXPECT_EQ(product().FindPageById(30), nullptr);
    data().SetCompletedLevel(1);
    EXPECT_EQ(action.Execute(), 1);
    EXPECT_NE(product().FindPageById(31), nullptr);
    EXPECT_EQ(data().GetCompletedLevel(), -1);
    EXPECT_EQ(action.GetPageKey(), 32u);
    product().GetPageList().ClosePage(product().FindPageById(31));
    EXPECT_EQ(action.Execute(), 1);
    EXPECT_EQ(product().FindPageById(31), nullptr);
    data().SetCompletedLevel(2);
    EXPECT_EQ(action.Execute(), 1);
    EXPECT_NE(product().FindPageById(32), nullptr);
}

TEST_F(LogbookTest, TheLogbookShowsWhileAnyOfItsPanelsLives)
{
    auto one = std::make_unique<JxCLogBookBasePanel>();
    auto two = std::make_unique<JxCLogBookBasePanel>();
    EXPECT_EQ(IsLogbookShowing(), 0);
    one->CreateResources();
    one->CreateResources();  // counted once
    two->CreateResources();
    EXPECT_EQ(IsLogbookShowing(), 1);
    one.reset();
    EXPECT_EQ(IsLogbookShowing(), 1);
    EXPECT_EQ(GetTitleHooks().IsLogbookOpen(), 1);
    two.reset();
    EXPECT_EQ(IsLogbookShowing(), 0);
}

TEST_F(LogbookTest, TheLogbookButtonTurnsThePageWithItsClickUnlessASoundPlays)
{
    readLogbook();
    logInAnn(0, 0, 0);
    changeTo(kLogbookPage);
    harness.runUntilIdle();
    JxCDisplayObject* button = object(21);
    ASSERT_NE(dynamic_cast<JxCLogBookButton*>(button), nullptr);
    writeSound("long", 22050 * 5);
    ASSERT_EQ(PlayTitleSound(JxCString("long")), 1);
    EXPECT_EQ(button->MouseDown(JxCPoint(310, 210)), 1);
    harness.runFor(100);
    EXPECT_EQ(plat::OpenWaveOutCount(), 1u);
    StopActiveObjects(0);
    harness.runFor(500);
    EXPECT_EQ(IsAnyResourcePlaying(), 0);
    audio->takeSounds();
    EXPECT_EQ(button->MouseDown(JxCPoint(310, 210)), 1);
    EXPECT_EQ(IsAnyResourcePlaying(), 1);  // the page click
    harness.runFor(1000);
    ASSERT_EQ(audio->takeSounds().size(), 1u);
}

TEST_F(LogbookTest, AReleaseOnTheLogbookLeavesTheSoundPlayingAndElsewhereStopsIt)
{
    readLogbook();
    writeSound("long", 22050 * 5);
    for (bool logbook : {false, true}) {  // the logbook page stays open after
        SCOPED_TRACE(logbook);
        changeTo(logbook ? kLogbookPage : 1);
        JxCPanelObject* panel = product().GetCurrentPage()->FindPanelById(1);
        ASSERT_NE(panel, nullptr);
        auto* quiet = new Quiet;
        quiet->SetRect(JxCRect(500, 400, 520, 420));
        panel->GetDisplayObjects().InsertByZOrder(quiet);
        ASSERT_EQ(PlayTitleSound(JxCString("long")), 1);
        // As while a popup is open over the page.
        ASSERT_EQ(panel->SetFlagProperty(kPropPageCloseIfClicked, 1), kPropertyOk);
        panel->MouseDown(JxCPoint(505, 405));
        panel->MouseUp(JxCPoint(505, 405));
        EXPECT_EQ(IsAnyResourcePlaying(), logbook ? 1 : 0);
        EXPECT_EQ(quiet->releases, (std::vector<std::int16_t>{logbook ? std::int16_t(1) : std::int16_t(0)}));
        StopActiveObjects(0);
    }
}

}  // namespace
}  // namespace title_test
