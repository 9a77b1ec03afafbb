// The small page actions read from their records: "BACKPAGE" steps the
// history back once; "SENDMESSAGE" reaches only the owner's panel when run
// with its owner and any open page when posted, carrying its value then 0;
// "BLEND" greys exactly its area of the last bitmap of its id and leaves
// the colours alone in any other mode. The word box draws nothing and
// keeps the record after it aligned.

#include <memory>
#include <vector>

#include "events/JxCActionProcessor.h"
#include "events/JxCTitleHooks.h"
#include "foundation/JxCInStrStream.h"
#include "objects/actions/JxSmallPageActions.h"
#include "objects/tests/panel_fixture.h"
#include "objects/widgets/JxCWordBox.h"
#include "platform/backend/harness.h"
#include "platform/window/window.h"
#include "runtime/JxCHistory.h"
#include "runtime/JxClassFactories.h"
#include "runtime/JxKeywordTables.h"
#include "testkit/small_records.h"

namespace {

using namespace panel_test;

struct Heard {
    std::int32_t tag, first, second;
    bool operator==(const Heard&) const = default;
};
std::vector<Heard>& heard()
{
    static std::vector<Heard> log;
    return log;
}

// A display object that notes the messages it is sent.
class Listener : public JxCDisplayObject {
public:
    std::int16_t HandleMessage(JxCMessageRecord* message) override
    {
        heard().push_back({GetTag(), message->first, message->second});
        return 5;
    }
};

// An entry of the history that notes where it goes back to.
class NotedXref : public JxCProductXref {
public:
    NotedXref(int page, std::vector<int>& wentTo) : JxCProductXref(page), wentTo_(wentTo) {}
    std::int16_t GoTo() override
    {
        wentTo_.push_back(GetPageId());
        return 1;
    }

private:
    std::vector<int>& wentTo_;
};

class HistoryHooks : public JxCTitleHooks {
public:
    std::int16_t GoBack() override
    {
        history.GoBack(1);
        return 1;
    }
    JxCHistory history;
};

class SmallActionsTest : public PanelTest {
protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        heard().clear();
        RegisterDisplayObjectType(JxCTableString("Listener"),
                                  [] { return static_cast<JxCDisplayObject*>(new Listener); }, listenerKey_);
        RegisterDisplayObjectType(JxCTableString("WordBox"),
                                  [] { return static_cast<JxCDisplayObject*>(new JxCWordBox); }, wordBoxKey_);
        ReleaseTypeRegistries();
        RegisterTypeIds();
        using K = JxActionKeyword;
        RegisterActionClass(K::BACKPAGE, MakeInstance<JxCAction, JxCBackPageAction>,
                            CopyInstance<JxCAction, JxCBackPageAction>);
        RegisterActionClass(K::SENDMESSAGE, MakeInstance<JxCAction, JxCSendMessageAction>,
                            CopyInstance<JxCAction, JxCSendMessageAction>);
        RegisterActionClass(K::BLEND, MakeInstance<JxCAction, JxCBlendAction>, CopyInstance<JxCAction, JxCBlendAction>);
        ASSERT_TRUE(RegisterWindowClasses(JxCStartupInfo{}));
        main = openProductWindow(320, 240, plat::WS_POPUP);
        ASSERT_NE(main, nullptr);
        GetProduct()->SetActionProcessor(std::make_unique<JxCActionProcessor>());
        panelDef(240, 120);
        writePicture("tile.dib", testkit::EncodeBmp(twoColourPicture(20, 10, kTile, kTile)));
    }
    void TearDown() override
    {
        SetTitleHooks(nullptr);
        for (auto& page : pages)
            GetProduct()->GetPageList().Remove(page.get());
        pages.clear();
        GetProduct()->SetActionProcessor(nullptr);
        GetProduct()->ForgetProductWindow();
        plat::DestroyWindow(main);
        UnregisterFactoryClasses();
        UnregisterDisplayObjectType(JxCTableString("listener"));
        UnregisterDisplayObjectType(JxCTableString("wordbox"));
        PanelTest::TearDown();
    }

    // A page of 300 by 200 whose definition holds the panel of the
    // objects; it is one of the product's open pages.
    JxCPanelObject& openPage(const std::vector<testkit::DisplayObjectRecord>& objects)
    {
        testkit::PanelRecord record(2);
        for (const auto& object : objects)
            record.add(object, file);
        if (pages.empty())
            readDefinitions();
        pages.push_back(std::make_unique<SlatePage>(300, 200));
        SlatePage& page = *pages.back();
        std::unique_ptr<JxCPanelObject> panel = readPanel(record.Bytes(), page);
        JxCPanelObject& kept = *panel;
        page.GetPageDef()->GetPanelList().Add(panel.release());
        kept.CreateResources();
        kept.Draw(nullptr, nullptr, 0);
        GetProduct()->GetPageList().Add(&page);
        return kept;
    }
    JxCDisplayObject* object(JxCPanelObject& panel, int n)
    {
        JxCDisplayObject* o = panel.GetDisplayObjects().GetFirst();
        while (o && n-- > 0)
            o = panel.GetDisplayObjects().GetNext(o);
        return o;
    }
    // The actions of the record, read for the owner.
    JxCActionList& read(const std::vector<testkit::ActionRecord>& records, JxCRunTimeObject* owner)
    {
        const std::vector<std::uint8_t> bytes = testkit::ActionListBytes(records);
        JxCInStrStream in(JxMemoryBlock{bytes.data(), std::uint32_t(bytes.size())});
        lists.push_back(std::make_unique<JxCActionList>());
        EXPECT_EQ(lists.back()->ReadBinary(in, owner), 1);
        EXPECT_EQ(in.Tell(), bytes.size());
        return *lists.back();
    }
    // Pixel at content point (x, y) of page n's panel (placed at 10, 20).
    std::uint8_t pixel(int x, int y, std::size_t n = 0) { return pages[n]->at(10 + x, 20 + y); }

    static constexpr std::uint8_t kTile = 150;
    plat::Harness harness;
    plat::HWND main = nullptr;
    std::vector<std::unique_ptr<SlatePage>> pages;
    std::vector<std::unique_ptr<JxCActionList>> lists;

private:
    JxCTypeKey listenerKey_;
    JxCTypeKey wordBoxKey_;
};

testkit::DisplayObjectRecord listener(std::int16_t tag)
{
    return testkit::DisplayObjectRecord("Listener").tag(tag).rect(0, 0, 10, 10);
}

TEST_F(SmallActionsTest, BackPageStepsTheHistoryBackOnceAndReadsNothing)
{
    HistoryHooks hooks;
    SetTitleHooks(&hooks);
    std::vector<int> wentTo;
    for (int page : {1, 2, 3})
        hooks.history.Add(new NotedXref(page, wentTo));
    JxCPanelObject& panel = openPage({listener(4)});
    JxCActionList& actions = read({testkit::BackPageAction(), testkit::SendMessageAction(4, 9)}, object(panel, 0));
    ASSERT_EQ(actions.GetCount(), 2);
    EXPECT_EQ(actions.GetFirst()->Execute(), 1);
    EXPECT_EQ(wentTo, std::vector<int>{2});
    EXPECT_EQ(hooks.history.GetCount(), 1);
    // With one entry left there is nowhere to go; still 1.
    EXPECT_EQ(actions.GetFirst()->Execute(), 1);
    EXPECT_EQ(wentTo, std::vector<int>{2});
    // The record after it is read where it starts.
    auto* send = dynamic_cast<JxCSendMessageAction*>(actions.GetNext(actions.GetFirst()));
    ASSERT_NE(send, nullptr);
    EXPECT_EQ(send->GetTargetTag(), 4);
    EXPECT_EQ(send->GetValue(), 9);
}

TEST_F(SmallActionsTest, SendMessageRunWithItsOwnerReachesOnlyTheOwnersPanel)
{
    JxCPanelObject& first = openPage({listener(1), listener(3), listener(3)});
    openPage({listener(4)});
    JxCActionList& actions =
        read({testkit::SendMessageAction(3, -7), testkit::SendMessageAction(4, 2)}, object(first, 0));
    EXPECT_EQ(actions.GetFirst()->Execute(), 5) << "the receiver's answer";
    // The first of the two with the tag, with the value widened and a 0.
    EXPECT_EQ(heard(), std::vector<Heard>({{3, -7, 0}}));
    heard().clear();
    EXPECT_EQ(actions.GetNext(actions.GetFirst())->Execute(), 1) << "no object of the owner's panel has tag 4";
    EXPECT_TRUE(heard().empty());
}

TEST_F(SmallActionsTest, APostedSendMessageReachesTheFirstTaggedObjectOfAnyOpenPage)
{
    JxCPanelObject& first = openPage({listener(1)});
    openPage({listener(4), listener(4)});
    JxCActionList& actions = read({testkit::SendMessageAction(4, 12), testkit::SendMessageAction(8, 1)}, object(first, 0));
    ASSERT_EQ(actions.GetFirst()->Post(), 1);
    harness.runUntilIdle();
    EXPECT_EQ(heard(), std::vector<Heard>({{4, 12, 0}}));
    // A tag nobody carries: nothing heard, and the action succeeds.
    heard().clear();
    auto* missing = actions.GetNext(actions.GetFirst());
    missing->SetOwner(nullptr);
    EXPECT_EQ(missing->Execute(), 1);
    EXPECT_TRUE(heard().empty());
    JxCString text;
    EXPECT_EQ(missing->Describe(text), 0);
    EXPECT_STREQ(text.GetText(), "m_Objectname");
}

TEST_F(SmallActionsTest, BlendGreysItsAreaOfTheLastBitmapOfItsIdAndNothingElse)
{
    // Two bitmaps of id 6; the one nearest the end of the list is the
    // target. Another bitmap of id 5 lies under the area's place.
    JxCPanelObject& panel = openPage({testkit::BitmapRecord("tile").id(6).at(20, 10),
                                      testkit::BitmapRecord("tile").id(5).at(130, 80),
                                      testkit::BitmapRecord("tile").id(6).at(100, 50)});
    ASSERT_EQ(pixel(102, 53), kTile);
    JxCActionList& actions = read({testkit::BlendAction(2, 3, 12, 8, 0, 6)}, object(panel, 0));
    ASSERT_EQ(actions.GetFirst()->Execute(), 1);

    const std::uint8_t grey = pixel(102, 53);
    EXPECT_NE(grey, kTile);
    for (int y = 53; y < 58; ++y)
        for (int x = 102; x < 112; ++x)
            ASSERT_EQ(pixel(x, y), grey) << x << "," << y;
    for (auto [x, y] : {std::pair{101, 53}, {112, 53}, {102, 52}, {102, 58}, {111, 58}, {112, 57}})
        EXPECT_EQ(pixel(x, y), kTile) << x << "," << y;
    EXPECT_EQ(pixel(22, 13), kTile) << "the first bitmap of the id is left alone";
}

TEST_F(SmallActionsTest, BlendInAnotherModeKeepsTheColoursAndWithoutATargetDoesNothing)
{
    JxCPanelObject& panel = openPage({testkit::BitmapRecord("tile").id(6).at(100, 50)});
    JxCActionList& actions = read({testkit::BlendAction(0, 0, 20, 10, 3, 6), testkit::BlendAction(0, 0, 20, 10, 0, 9)},
                                  object(panel, 0));
    auto* other = dynamic_cast<JxCBlendAction*>(actions.GetFirst());
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->Execute(), 1);
    for (std::size_t i = 0; i < 256; ++i)
        ASSERT_EQ(other->GetTable()[i], i);
    EXPECT_EQ(pixel(105, 55), kTile);
    EXPECT_EQ(actions.GetNext(other)->Execute(), 0) << "no bitmap of id 9";
    other->SetOwner(nullptr);
    EXPECT_EQ(other->Execute(), 0);
    EXPECT_EQ(pixel(105, 55), kTile);
}

TEST_F(SmallActionsTest, APostedBlendKeepsItsOwner)
{
    JxCPanelObject& panel = openPage({testkit::BitmapRecord("tile").id(6).at(100, 50)});
    JxCActionList& actions = read({testkit::BlendAction(0, 0, 4, 4, 0, 6)}, object(panel, 0));
    ASSERT_EQ(actions.GetFirst()->Post(), 1);
    harness.runUntilIdle();
    EXPECT_NE(pixel(100, 50), kTile);
    EXPECT_EQ(pixel(104, 50), kTile);
}

TEST_F(SmallActionsTest, AWordBoxDrawsNothingAndTheRecordAfterItIsRead)
{
    JxCPanelObject& panel = openPage({testkit::BitmapRecord("tile").at(0, 0),
                                      testkit::DisplayObjectRecord("WordBox").rect(0, 0, 20, 10).z(5).on(
                                          "on_click", {testkit::SendMessageAction(4, 1)}),
                                      listener(4)});
    ASSERT_EQ(panel.GetDisplayObjects().GetCount(), 3);
    auto* box = dynamic_cast<JxCWordBox*>(object(panel, 2));
    ASSERT_NE(box, nullptr) << "the highest Z order comes last";
    EXPECT_EQ(box->GetEventHandlers().GetCount(), 1);
    EXPECT_EQ(pixel(5, 5), kTile);
    EXPECT_EQ(panel.FindObjectAtPoint(JxCPoint(5, 5)), box);
}

}  // namespace
