// The logbook and the progress displays: a logbook page drawn with its
// counters, ticks and labels for a user (golden picture), the counters'
// values at their edges, what the displays show with nobody logged in or an
// empty index, the certificate button's threshold, the certificate action's
// single opening, the logbook flag's count of live panels, the sounds
// the logbook leaves playing, the answered counter and go-test button at
// the level of their question panel, and the title's buttons drawn as the
// push button draws in each of its states.

#include <filesystem>

#include "objects/panels/JxCViewingPanel.h"
#include "platform/tests/golden.h"
#include "testkit/quiz_pages.h"
#include "testkit/title_panels.h"
#include "runtime/JxCDisplayObject.h"
#include "title/JxLogBook.h"
#include "title/widgets/JxProgressDisplays.h"
#include "title/JxTitleSound.h"
#include "title/tests/title_data_fixture.h"

namespace title_test {
namespace {

constexpr std::uint16_t kLogbookTemplate = 5;
constexpr std::int32_t kLogbookPage = 10;
constexpr std::uint16_t kQuestionTemplate = 6;
constexpr std::uint16_t kNoticeTemplate = 7;
constexpr std::int32_t kQuestionPage = 11;  // level 1
constexpr std::int32_t kProgressPage = 12;  // the same objects on a logbook panel
constexpr std::int32_t kButtonsPage = 13;
constexpr std::int32_t kNoticePage = 33;
constexpr std::uint8_t kPaper = 200;
constexpr std::uint8_t kInk = 9;
constexpr std::uint8_t kUp = 150;
constexpr std::uint8_t kDown = 160;
constexpr std::uint8_t kOff = 170;
constexpr std::uint8_t kSeeThrough = 255;
// The answered counter and the go-test button of the question and
// progress pages.
constexpr std::int16_t kAnsweredId = 40;
constexpr std::int16_t kGoTestId = 41;
const JxCRect kGoTestRect(200, 40, 240, 60);

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
        progressPages();
        buttonsPage();
    }
    // A question panel of level 1 and a logbook panel, each with an
    // answered counter and a go-test button that opens a small notice.
    void progressPages()
    {
        writePicture("up.dib", block(40, 20, kUp));
        writePicture("down.dib", block(40, 20, kDown));
        writePicture("off.dib", block(40, 20, kOff));
        // The normal picture with its top-left quarter see-through.
        testkit::BmpPicture holed = block(40, 20, kUp);
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 20; ++x)
                holed.pixels[std::size_t(y * 40 + x)] = kSeeThrough;
        writePicture("holed.dib", holed);
        file.templateDef(kNoticeTemplate, "POPUP_PAGE").offset(600, 440).size(20, 20).panel(1, "Display").size(20, 20);
        file.page(kNoticePage, kNoticeTemplate).storedPanel("Display", testkit::TitlePanelBytes(testkit::PanelRecord(1)));
        const testkit::Rgb paper = testkit::DistinctColours()[kPaper];
        file.templateDef(kQuestionTemplate, "BASE_PAGE").panel(1, "QuestionPanel").size(640, 480).colour(paper[0], paper[1], paper[2]);
        testkit::QuestionPanelTail tail;
        tail.level = 1;
        file.page(kQuestionPage, kQuestionTemplate).storedPanel("QuestionPanel", testkit::QuestionPanelBytes(progressPanel(), tail));
        file.page(kProgressPage, kLogbookTemplate).storedPanel("LogbookbasePanel", progressPanel().Bytes());
    }
    testkit::PanelRecord progressPanel()
    {
        testkit::PanelRecord panel(1);
        panel.add(testkit::DigitsRecord("AnsweredCount", file, "d", 12, 20).id(kAnsweredId).rect(40, 40, 88, 60), file);
        panel.add(testkit::ButtonRecord({"up", "down", "off"}, "GoTestButton")
                      .id(kGoTestId)
                      .rect(kGoTestRect.left, kGoTestRect.top, kGoTestRect.right, kGoTestRect.bottom)
                      .on("on_click", {testkit::OpenPageAction(kNoticePage)}),
                  file);
        return panel;
    }
    // Each title button beside a push button of the same pictures, one row
    // each, 30 pixels apart: the push button at x 40, the title's at x 120.
    static constexpr const char* kTitleButtons[] = {"LogBookButton", "GoTestButton", "CertificateButton",
                                                    "ResetButton", "CancelButton"};
    // The cancel button takes the size of its pictures, 64 by 24.
    static JxCRect buttonRect(std::size_t row, bool titles)
    {
        const bool cancel = std::string(kTitleButtons[row]) == "CancelButton";
        const auto top = std::int16_t(40 + 30 * row);
        const auto left = std::int16_t(titles ? 120 : 40);
        return JxCRect(left, top, std::int16_t(left + (cancel ? 64 : 40)), std::int16_t(top + (cancel ? 24 : 20)));
    }
    void buttonsPage()
    {
        testkit::PanelRecord panel(1);
        for (std::size_t row = 0; row < std::size(kTitleButtons); ++row) {
            const std::string type = kTitleButtons[row];
            const bool cancel = type == "CancelButton";
            const testkit::ButtonPictures own{cancel ? "" : "holed", cancel ? "" : "down", "off", 0, 1};
            testkit::ButtonPictures engine = own;
            if (cancel) {
                engine.normal = "@CANCLOUT";
                engine.pressed = "@CANCLIN";
            }
            for (bool titles : {false, true}) {
                testkit::DisplayObjectRecord record = testkit::ButtonRecord(titles ? own : engine, titles ? type : "Button");
                if (titles && type == "CertificateButton")
                    record.extra.insert(record.extra.end(), {0xFF, 0xFF});  // enabled once the quiz is started
                if (titles && type == "LogBookButton")
                    record.on("on_click", {testkit::OpenPageAction(kNoticePage)});
                const JxCRect r = buttonRect(row, titles);
                const std::int16_t id = std::int16_t(50 + 2 * row + (titles ? 1 : 0));
                panel.add(record.id(id).rect(r.left, r.top, r.right, r.bottom), file);
            }
        }
        file.page(kButtonsPage, kLogbookTemplate).storedPanel("LogbookbasePanel", panel.Bytes());
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
    JxCPanelObject& panel() { return *product().GetCurrentPage()->FindPanelById(1); }
    // The screen's colours in the rectangle, rows top-down.
    static std::string screen(const JxCRect& r)
    {
        int w = 0, h = 0;
        const std::string all = plat::testing::SurfaceRgb(nullptr, &w, &h);
        std::string part;
        for (int y = r.top; y < r.bottom; ++y)
            part += all.substr(std::size_t((y * w + r.left) * 3), std::size_t((r.right - r.left) * 3));
        return part;
    }
    // The picture's colours, rows top-down.
    static std::string colours(const testkit::BmpPicture& picture)
    {
        std::string rgb;
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < picture.width; ++x)
                for (std::uint8_t c : picture.colours[picture.at(x, y)])
                    rgb += char(c);
        return rgb;
    }
    static std::string colourAt(int x, int y) { return screen(JxCRect(std::int16_t(x), std::int16_t(y), std::int16_t(x + 1), std::int16_t(y + 1))); }
    static std::string colour(std::uint8_t index)
    {
        const testkit::Rgb rgb = testkit::DistinctColours()[index];
        return std::string(rgb.begin(), rgb.end());
    }
    // Ann at level 2, topic 2's five questions answered at level 1 and two
    // at level 2.
    void logInPastLevel1()
    {
        testkit::UserFile ann;
        ann.name = "Ann" + std::to_string(++logins_);
        ann.level = 2;
        for (std::int16_t q = 0; q < 5; ++q)
            ann.answer(1, 2, q, 1);
        ann.answer(2, 2, 0, 1);
        ann.answer(2, 2, 3, 1);
        logIn(ann.name, ann);
    }
    void openProgressPage(std::int32_t page)
    {
        readLogbook();
        data().GetQuizInf()->SetTopic(2);
        logInPastLevel1();
        changeTo(page);
        harness.runUntilIdle();
        watcher.opened.clear();
    }
    // The answered counter's value, drawn: the units place shows the digit,
    // the tens 0.
    void expectAnsweredShown(std::int32_t answered)
    {
        EXPECT_EQ(value(object(kAnsweredId)), answered);
        const auto digit = [](int d) { return colours(testkit::DigitPicture(d, kInk, kPaper, testkit::DistinctColours())); };
        EXPECT_EQ(screen(JxCRect(76, 40, 88, 60)), digit(answered));
        EXPECT_EQ(screen(JxCRect(64, 40, 76, 60)), digit(0));
    }
    JxCGoTestButton& goTest()
    {
        auto* button = dynamic_cast<JxCGoTestButton*>(object(kGoTestId));
        EXPECT_NE(button, nullptr);
        return *button;
    }
    // A press and a release on the go-test button: pressed, then up again.
    void clickGoTest()
    {
        const JxCPoint inside(210, 50);
        panel().MouseDown(inside);
        EXPECT_EQ(colourAt(inside.x, inside.y), colour(kDown));
        panel().MouseUp(inside);
        harness.runUntilIdle();
        EXPECT_EQ(colourAt(inside.x, inside.y), colour(kUp));
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

TEST_F(LogbookTest, QuestionActionsAreEqualOnlyWithTheSamePagesTopicAndTarget)
{
    JxCOpenQuestionAction a;
    a.SetTarget(70, 0, 0);
    a.SetPages(71, 72);
    a.SetTopic(4);
    JxCOpenQuestionAction copy(a);
    EXPECT_TRUE(copy.Equals(a));
    JxCOpenQuestionAction topic(a);
    topic.SetTopic(5);
    EXPECT_FALSE(topic.Equals(a));
    JxCOpenQuestionAction pages(a);
    pages.SetPages(71, 73);
    EXPECT_FALSE(pages.Equals(a));
    JxCOpenQuestionAction target(a);
    target.SetTarget(69, 0, 0);
    EXPECT_FALSE(target.Equals(a));
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

// Ann at level 2 has topic 2 full at level 1 and two of its questions
// answered at level 2.
TEST_F(LogbookTest, OnALevel1QuestionPanelTheCountersAndTheGoTestButtonTakeLevel1)
{
    openProgressPage(kQuestionPage);
    expectAnsweredShown(5);
    EXPECT_EQ(goTest().GetState(), 0);
}

TEST_F(LogbookTest, OnAnotherPanelTheCountersAndTheGoTestButtonTakeTheUsersLevel)
{
    openProgressPage(kProgressPage);
    expectAnsweredShown(2);
    EXPECT_EQ(goTest().GetState(), 1);
}

TEST_F(LogbookTest, AGoTestButtonOverAFullTopicOfItsPanelsLevelOnlyMarksTheProductIdle)
{
    openProgressPage(kQuestionPage);
    product().SetIdleStamp(0);
    harness.runFor(50);
    clickGoTest();
    EXPECT_TRUE(watcher.opened.empty());
    EXPECT_EQ(product().GetIdleStamp(), plat::GetTickCount());
}

TEST_F(LogbookTest, AGoTestButtonBelowAFullTopicClicks)
{
    openProgressPage(kProgressPage);
    clickGoTest();
    EXPECT_EQ(watcher.opened, std::vector<std::int32_t>{kNoticePage});
}

TEST_F(LogbookTest, TitleButtonsLookLikeThePushButtonInEachState)
{
    readLogbook();
    logInAnn(1, 0, 0);  // the quiz started: the certificate and reset buttons enabled
    changeTo(kButtonsPage);
    harness.runUntilIdle();
    EXPECT_EQ(plat::testing::CompareWithGolden(nullptr, "title_buttons", "title/tests/golden"), "");
    for (std::size_t row = 0; row < std::size(kTitleButtons); ++row) {
        SCOPED_TRACE(kTitleButtons[row]);
        auto* engine = dynamic_cast<JxCButton*>(object(std::int32_t(50 + 2 * row)));
        auto* titles = dynamic_cast<JxCButton*>(object(std::int32_t(51 + 2 * row)));
        ASSERT_NE(engine, nullptr);
        ASSERT_NE(titles, nullptr);
        ASSERT_EQ(titles->TestStateFlags(JxCDisplayObject::kStateDisabled), 0);
        const JxCRect a = engine->GetRect();
        const JxCRect b = titles->GetRect();
        ASSERT_EQ(a.right - a.left, b.right - b.left);
        ASSERT_EQ(a.bottom - a.top, b.bottom - b.top);
        auto same = [&] { return screen(a) == screen(b); };
        EXPECT_TRUE(same()) << "normal";
        // A press on the solid bottom-right quarter shows the pressed face.
        const auto press = [](const JxCRect& r) { return JxCPoint(std::int16_t(r.left + 30), std::int16_t(r.top + 15)); };
        engine->MouseDown(press(a));
        titles->MouseDown(press(b));
        EXPECT_TRUE(same()) << "pressed";
        if (row < 4) {
            EXPECT_EQ(colourAt(press(b).x, press(b).y), colour(kDown));
        }
        engine->MouseUp(press(a), 0);
        titles->MouseUp(press(b), 0);
        StopActiveObjects(0);
        harness.runUntilIdle();
        EXPECT_TRUE(same()) << "released";
        engine->Disable(1);
        titles->Disable(1);
        EXPECT_TRUE(same()) << "disabled";
        EXPECT_EQ(colourAt(press(b).x, press(b).y), colour(kOff));
        engine->Enable(1);
        titles->Enable(1);
        EXPECT_TRUE(same()) << "enabled again";
        if (row < 4) {
            EXPECT_EQ(colourAt(b.left + 2, b.top + 2), colour(kPaper)) << "see-through corner";
            EXPECT_EQ(colourAt(press(b).x, press(b).y), colour(kUp));
        }
    }
}

TEST_F(LogbookTest, TheLogbookButtonClicksOnceOnThePressAndNeverThroughItsHoles)
{
    readLogbook();
    changeTo(kButtonsPage);
    harness.runUntilIdle();
    auto* button = dynamic_cast<JxCLogBookButton*>(object(51));
    ASSERT_NE(button, nullptr);
    const JxCRect r = button->GetRect();
    const JxCPoint hole(std::int16_t(r.left + 2), std::int16_t(r.top + 2));
    const JxCPoint solid(std::int16_t(r.right - 5), std::int16_t(r.bottom - 5));
    panel().MouseDown(hole);
    harness.runUntilIdle();
    EXPECT_TRUE(watcher.opened.empty());
    EXPECT_EQ(IsAnyResourcePlaying(), 0);
    panel().MouseUp(hole);
    harness.runUntilIdle();
    EXPECT_TRUE(watcher.opened.empty());

    panel().MouseDown(solid);
    EXPECT_EQ(colourAt(solid.x, solid.y), colour(kDown));
    EXPECT_EQ(IsAnyResourcePlaying(), 1);  // the page click
    panel().MouseUp(solid);
    EXPECT_EQ(colourAt(solid.x, solid.y), colour(kUp));
    harness.runUntilIdle();
    EXPECT_EQ(watcher.opened, std::vector<std::int32_t>{kNoticePage}) << "one click, on the press";
}

}  // namespace
}  // namespace title_test
