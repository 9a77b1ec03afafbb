// Paragraph text: its record (bounded by what it holds), the stored
// rectangle drawn as stored, auto height following the text both ways, a
// grown text painted whole at once, character positions across the wrapped
// lines and in double-byte text, a word wider than the line, the text from
// a stream, and the click.

#include <memory>

#include "foundation/JxCInStream.h"
#include "objects/tests/panel_fixture.h"
#include "objects/tests/style_source.h"
#include "objects/widgets/JxCParaText.h"
#include "platform/core/codepage.h"
#include "platform/tests/golden.h"
#include "runtime/JxKeywordTables.h"
#include "testkit/test_objects.h"

namespace {

using namespace panel_test;

constexpr int kCell = 7;
constexpr int kLine = 13;
constexpr std::int16_t kPara = 6;

// The process's code page while it lives.
struct CodePage {
    explicit CodePage(int page) { plat::SetACP(page); }
    ~CodePage() { plat::SetACP(1252); }
    CodePage(const CodePage&) = delete;
    CodePage& operator=(const CodePage&) = delete;
};

// Notes the events it raises, and how often all media had been stopped by
// then.
class ClickedText : public JxCParaText {
public:
    void DispatchEvent(std::int16_t eventId, std::int16_t key) override
    {
        events.push_back({eventId, key});
        stopsSeen = resource ? resource->GetStopCount() : -1;
    }
    static inline testkit::PlayingResource* resource = nullptr;
    std::vector<std::pair<std::int16_t, std::int16_t>> events;
    int stopsSeen = -1;
};

class ParaTextTest : public PanelTest {
protected:
    void SetUp() override
    {
        RegisterDisplayObjectType(JxCTableString("ParaText"),
                                  [] { return static_cast<JxCDisplayObject*>(new ClickedText); }, paraKey_);
        PanelTest::SetUp();
        testkit::StyleDefs defs;
        testkit::CharStyleRecord c = BuiltinStyle(4);
        c.text = {colours[3][0], colours[3][1], colours[3][2]};
        defs.characters = {c};
        testkit::ParaStyleRecord p;
        p.id = kPara;
        p.charStyleId = 4;
        p.firstIndent = 5;
        p.laterIndent = 2;
        p.spaceBefore = 3;
        p.spaceAfter = 1;
        defs.paragraphs = {p};
        styles_ = std::make_unique<StyleSource>(defs);
        panelDef(200, 120);
        readDefinitions();
    }
    void TearDown() override
    {
        styles_.reset();
        PanelTest::TearDown();
        UnregisterDisplayObjectType(JxCTableString("paratext"));
    }

    // A panel of one paragraph read for the page.
    std::unique_ptr<JxCPanelObject> panelWith(const testkit::ParaText& para, const JxCRect& rect, SlatePage& page,
                                              std::int16_t* read = nullptr)
    {
        testkit::PanelRecord record(2);
        record.add(testkit::ParaTextRecord(para).id(1).rect(rect.left, rect.top, rect.right, rect.bottom), file);
        return readPanel(record.Bytes(), page, read);
    }
    static ClickedText* text(JxCPanelObject& panel) { return dynamic_cast<ClickedText*>(panel.FindObjectById(1)); }

    // Lines at 70 pixels: "aaaa " beside the first indent, "bbbb " beside
    // the second, then "cccc dddd".
    static constexpr const char* kThreeLines = "aaaa bbbb cccc dddd";

    std::unique_ptr<StyleSource> styles_;

private:
    JxCTypeKey paraKey_;
};

TEST_F(ParaTextTest, TheStoredRectangleIsDrawnAsStoredUntilTheTextChanges)
{
    SlatePage page(220, 140);
    testkit::ParaText para;
    para.styleId = kPara;
    para.lineHeight = 20;
    para.text = "The quick brown fox jumps over the lazy dog, twice: the quick brown fox.";
    para.autoHeight = 1;
    auto panel = panelWith(para, JxCRect(6, 4, 120, 30), page);
    ClickedText* t = text(*panel);
    ASSERT_NE(t, nullptr);
    ASSERT_EQ(t->CreateResources(), 1);
    EXPECT_EQ(t->IsMeasured(), 1);
    EXPECT_EQ(t->GetLineHeight(), 20);
    panel->Draw(nullptr, nullptr, 0);
    EXPECT_EQ(t->GetRect(), JxCRect(6, 4, 120, 30));  // the record's, though the text is taller
    // Clipped at the stored rectangle: nothing below it.
    for (int x = 10; x < 140; ++x)
        EXPECT_EQ(page.at(x, 20 + 31), kPanelColour) << x;
    EXPECT_EQ(plat::testing::CompareWithGolden(static_cast<plat::HBITMAP>(page.slate.GetBitmap().handle),
                                               "para_text_stored", "objects/tests/golden"),
              "");
    t->SetText(para.text.c_str(), 0);
    panel->Draw(nullptr, nullptr, 0);
    EXPECT_GT(t->GetRect().bottom, 30);
    EXPECT_EQ(t->GetLineHeight(), kLine);
}

TEST_F(ParaTextTest, AutoHeightFollowsTheTextBothWaysAndIsKeptWithout)
{
    SlatePage page(220, 140);
    testkit::ParaText para;
    para.styleId = kPara;
    para.text = "x";
    para.autoHeight = 1;
    auto panel = panelWith(para, JxCRect(0, 0, 71, 20), page);
    ClickedText* t = text(*panel);
    ASSERT_EQ(t->CreateResources(), 1);
    t->SetText(kThreeLines, 0);
    EXPECT_EQ(t->IsMeasured(), 0);
    panel->Draw(nullptr, nullptr, 0);
    EXPECT_EQ(t->GetRect(), JxCRect(0, 0, 71, 3 * kLine + 4));  // spacing 3 before, 1 after
    t->SetText("short", 0);
    t->Measure();
    EXPECT_EQ(t->GetRect().Height(), kLine + 4);

    t->SetAutoHeight(0);
    t->SetText(kThreeLines, 0);
    t->Measure();
    EXPECT_EQ(t->GetRect().Height(), kLine + 4);  // kept
    EXPECT_EQ(t->GetLineHeight(), kLine);
    t->SetAutoHeight(1);
    t->SetWidth(200);
    EXPECT_EQ(t->GetRect().Height(), kLine + 4);  // one line now
    // Near the last coordinate the bottom stops there.
    t->SetRect(JxCRect(0, 32760, 200, 32767));
    EXPECT_EQ(t->GetRect().bottom, 32767);
}

TEST_F(ParaTextTest, ATextThatGrowsWithItsRedrawFlagShowsEveryLineAtOnce)
{
    testkit::ParaText para;
    para.styleId = kPara;
    para.text = "x";
    para.autoHeight = 1;
    testkit::PanelRecord record(2);
    record.add(testkit::ParaTextRecord(para).id(1).rect(0, 0, 71, kLine + 4), file);
    JxCPanelObject* panel = openWindowPage(record);
    ASSERT_NE(panel, nullptr);
    ClickedText* t = text(*panel);
    // The ink of the third line, below the rectangle the text had; the
    // panel stands at (10, 20).
    const testkit::Rgb& ink = colours[3];
    const std::uint32_t inked = std::uint32_t(ink[0]) << 16 | std::uint32_t(ink[1]) << 8 | ink[2];
    auto thirdLineInk = [&] {
        int count = 0;
        for (int y = 20 + 3 + 2 * kLine; y < 20 + 3 + 3 * kLine; ++y)
            for (int x = 10; x < 10 + 71; ++x)
                count += shownAt(x, y) == inked ? 1 : 0;
        return count;
    };
    EXPECT_EQ(thirdLineInk(), 0);
    t->SetText(kThreeLines, 1);
    EXPECT_EQ(t->GetRect().bottom, 3 * kLine + 4);
    EXPECT_GT(thirdLineInk(), 20) << "painted with the text, before anything else runs";
    harness.runUntilIdle();
    EXPECT_GT(thirdLineInk(), 20);
}

TEST_F(ParaTextTest, CharacterPositionsFollowTheWrappedLines)
{
    SlatePage page(220, 140);
    testkit::ParaText para;
    para.styleId = kPara;
    para.text = kThreeLines;
    auto panel = panelWith(para, JxCRect(10, 8, 81, 60), page);
    ClickedText* t = text(*panel);
    ASSERT_EQ(t->CreateResources(), 1);
    EXPECT_EQ(t->GetCharPosition(0), JxCPoint(10 + 5, 8 + 3));  // the first indent
    EXPECT_EQ(t->GetCharPosition(2), JxCPoint(10 + 5 + 2 * kCell, 11));
    // The break after "aaaa " belongs to the first line.
    EXPECT_EQ(t->GetCharPosition(5), JxCPoint(10 + 5 + 5 * kCell, 11));
    EXPECT_EQ(t->GetCharPosition(6), JxCPoint(10 + 2 + kCell, 11 + kLine));
    EXPECT_EQ(t->GetCharPosition(19), JxCPoint(10 + 2 + 9 * kCell, 11 + 2 * kLine));
    EXPECT_EQ(t->GetCharPosition(-1), JxCPoint(10, 8));
    EXPECT_EQ(t->GetCharPosition(20), JxCPoint(10, 8));
    t->SetText(nullptr, 0);
    EXPECT_EQ(t->GetCharPosition(0), JxCPoint(10, 8));
    EXPECT_EQ(t->GetText().GetLength(), 0u);

    // A word wider than the line is one line, and the walks end.
    t->SetText("abcdefghijklmnopqrstuvwxyz", 0);
    t->SetAutoHeight(1);
    t->Measure();
    EXPECT_EQ(t->GetRect().Height(), kLine + 4);
    EXPECT_EQ(t->GetCharPosition(20), JxCPoint(10 + 5 + 20 * kCell, 11));
    t->SetText("aaaaaaaaaaaaaaaaaaaaaaaaa b c", 0);
    EXPECT_EQ(t->GetCharPosition(28), JxCPoint(10 + 5 + 28 * kCell, 11));

    // Offsets count bytes, each double-byte character one cell wide.
    CodePage japanese(932);
    t->SetText("\x82\xA0\x82\xA2" "ab", 0);
    EXPECT_EQ(t->GetCharPosition(4), JxCPoint(10 + 5 + 2 * kCell, 11));
    EXPECT_EQ(t->GetCharPosition(5), JxCPoint(10 + 5 + 3 * kCell, 11));
    EXPECT_EQ(t->GetCharPosition(3), JxCPoint(10 + 5 + kCell, 11)) << "inside the second character";
}

TEST_F(ParaTextTest, DamagedRecordsFailTheRead)
{
    SlatePage page(220, 140);
    testkit::ParaText para;
    para.styleId = kPara;
    para.text = "abc";
    std::int16_t read = 0;
    panelWith(para, JxCRect(0, 0, 50, 20), page, &read);
    EXPECT_EQ(read, 1);
    para.claimedLength = -2;
    auto panel = panelWith(para, JxCRect(0, 0, 50, 20), page, &read);
    EXPECT_EQ(read, 0);
    EXPECT_EQ(panel->GetDisplayObjects().GetCount(), 0);
    para.claimedLength = 400;  // past the record
    panelWith(para, JxCRect(0, 0, 50, 20), page, &read);
    EXPECT_EQ(read, 0);
    // Every cut of the record fails cleanly.
    para.claimedLength.reset();
    testkit::PanelRecord whole(2);
    whole.add(testkit::ParaTextRecord(para).id(1).rect(0, 0, 50, 20), file);
    const std::vector<std::uint8_t> bytes = whole.Bytes();
    for (std::size_t n = 4; n + 4 < bytes.size(); ++n) {
        readPanel(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + std::ptrdiff_t(n)), page, &read);
        EXPECT_EQ(read, 0) << n;
    }
}

TEST_F(ParaTextTest, AnEmptyTextMakesItsResourcesAMissingStyleDoesNot)
{
    SlatePage page(220, 140);
    testkit::ParaText para;
    para.styleId = kPara;
    auto panel = panelWith(para, JxCRect(0, 0, 50, 20), page);
    ClickedText* t = text(*panel);
    EXPECT_EQ(t->GetTextBuffer(), nullptr);
    EXPECT_EQ(t->CreateResources(), 1);
    panel->Draw(nullptr, nullptr, 0);  // nothing to draw, nothing breaks
    para.styleId = 99;
    panel = panelWith(para, JxCRect(0, 0, 50, 20), page);
    EXPECT_EQ(text(*panel)->CreateResources(), 0);
}

TEST_F(ParaTextTest, TheTextFromAStreamLineByLineKeptAtTheEnd)
{
    plat::testing::TempConfig::writeFile(config.program() + "/lines.txt", "First line\r\nSecond\r\n");
    SlatePage page(220, 140);
    testkit::ParaText para;
    para.styleId = kPara;
    auto panel = panelWith(para, JxCRect(0, 0, 50, 20), page);
    ClickedText* t = text(*panel);
    JxCInStream in((programFolder() + "lines.txt").c_str());
    ASSERT_TRUE(in.IsOpen());
    EXPECT_EQ(t->SetTextFromStream(in, 0), 1);
    EXPECT_STREQ(t->GetTextBuffer(), "First line");
    EXPECT_EQ(t->SetTextFromStream(in, 0), 1);
    EXPECT_STREQ(t->GetTextBuffer(), "Second");
    EXPECT_EQ(t->SetTextFromStream(in, 0), 0);
    EXPECT_STREQ(t->GetTextBuffer(), "Second");
}

TEST_F(ParaTextTest, AClickStopsTheMediaAndThenRaisesOnClick)
{
    testkit::PlayingResource resource;
    ClickedText::resource = &resource;
    SlatePage page(220, 140);
    testkit::ParaText para;
    para.styleId = kPara;
    para.text = "Click me";
    auto panel = panelWith(para, JxCRect(0, 0, 80, 20), page);
    ClickedText* t = text(*panel);
    resource.Play();
    panel->MouseDown(JxCPoint(15, 25));
    EXPECT_TRUE(t->events.empty());
    panel->MouseUp(JxCPoint(15, 25));
    ASSERT_EQ(t->events.size(), 1u);
    EXPECT_EQ(t->events[0].first, EventId(JxEventKeyword::on_click));
    EXPECT_EQ(t->events[0].second, t->GetTypeKey().GetId());
    EXPECT_EQ(t->stopsSeen, 1);
    ClickedText::resource = nullptr;
}

}  // namespace
