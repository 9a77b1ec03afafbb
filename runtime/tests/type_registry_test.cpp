#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "events/JxCAction.h"
#include "events/JxNotifyTables.h"
#include "runtime/JxCDisplayObject.h"
#include "runtime/JxCPageDef.h"
#include "runtime/JxCPageObject.h"
#include "runtime/JxCPanelObject.h"
#include "runtime/JxCTypeKey.h"
#include "runtime/JxClassFactories.h"
#include "runtime/JxKeywordTables.h"
#include "runtime/JxTypeRegistry.h"
#include "runtime/tests/report_log.h"

namespace {

class Widget : public JxCDisplayObject {};
class Gadget : public JxCDisplayObject {};
JxCDisplayObject* makeWidget()
{
    return new Widget;
}
JxCDisplayObject* makeGadget()
{
    return new Gadget;
}

std::string str(const JxCTableString& s)
{
    return std::string(s.View());
}

// Types registered in the program's one registry for the length of a test,
// then removed again, so that the registry is empty between tests.
class TypeRegistryTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        ReleaseTypeRegistries();
        for (const JxCString& name : registered)
            UnregisterDisplayObjectType(name);
        UnregisterFactoryClasses();
        EXPECT_EQ(DisplayObjectTypeTable().GetCount(), 0);
    }
    void registerType(const char* name, JxDisplayObjectFactory factory, JxCTypeKey& key)
    {
        registered.push_back(RegisterDisplayObjectType(JxCTableString(name), factory, key));
    }

    std::vector<JxCString> registered;
    ReportLog reports;
};

TEST_F(TypeRegistryTest, TypesAreFoundByNameInAnyCaseAndByIdOnlyOnceFrozen)
{
    JxCTypeKey widgetKey, gadgetKey;
    registerType("Widget", makeWidget, widgetKey);
    registerType("GADGET", makeGadget, gadgetKey);
    EXPECT_EQ(str(registered[0]), "widget");
    EXPECT_TRUE(widgetKey.IsOwned());

    const JxCTypeKey byName(JxCTableString("wIdGeT"));
    EXPECT_EQ(byName, widgetKey);
    EXPECT_EQ(byName.GetId(), 1);  // "gadget" sorts first
    EXPECT_EQ(gadgetKey.GetId(), 0);
    EXPECT_EQ(str(byName.GetName()), "widget");
    EXPECT_FALSE(byName.IsOwned());
    std::unique_ptr<JxCDisplayObject> made(byName.CreateObject());
    EXPECT_NE(dynamic_cast<Widget*>(made.get()), nullptr);
    EXPECT_EQ(JxCTypeKey(JxCTableString("nothing")).GetId(), -1);

    // Before the freeze an integer names nothing.
    EXPECT_EQ(JxCTypeKey(1).GetId(), -1);
    EXPECT_EQ(CreateDisplayObjectById(1), nullptr);
    EXPECT_EQ(RegisterTypeIds(), 1);
    EXPECT_EQ(JxCTypeKey(1).GetId(), 1);
    made.reset(CreateDisplayObjectById(0));
    EXPECT_NE(dynamic_cast<Gadget*>(made.get()), nullptr);
    EXPECT_EQ(CreateDisplayObjectById(2), nullptr);
    EXPECT_EQ(CreateDisplayObjectById(-1), nullptr);
    ReleaseTypeRegistries();
    EXPECT_EQ(JxCTypeKey(1).GetId(), -1);

    EXPECT_EQ(NullObjectTypeKey().GetId(), -1);
    EXPECT_EQ(LastObjectTypeKey().GetId(), -1);
    EXPECT_TRUE(reports.ids.empty());
}

TEST_F(TypeRegistryTest, ATypeRegisteredTwiceIsOneEntryAndAnotherFactoryUnderItsNameIsReported)
{
    JxCTypeKey first, second, clash;
    registerType("Twice", makeWidget, first);
    registerType("twice", makeWidget, second);
    registerType("TWICE", makeGadget, clash);
    JxCTypeKey found(JxCTableString("twice"));
    EXPECT_EQ(DisplayObjectTypeTable().GetCount(), 1);
    EXPECT_EQ(reports.ids, std::vector<std::int32_t>{1161});
    EXPECT_EQ(reports.firstArgs, std::vector<std::string>{"twice"});
    // Every registering key holds the one entry, which keeps the first factory.
    EXPECT_EQ(first.GetId(), 0);
    EXPECT_EQ(second.GetId(), 0);
    EXPECT_EQ(clash.GetId(), 0);
    std::unique_ptr<JxCDisplayObject> made(found.CreateObject());
    EXPECT_NE(dynamic_cast<Widget*>(made.get()), nullptr);

    // The entry lives until its last registration goes.
    UnregisterDisplayObjectType(registered[0]);
    UnregisterDisplayObjectType(registered[1]);
    EXPECT_EQ(first.GetId(), 0);
    UnregisterDisplayObjectType(registered[2]);
    registered.clear();
    EXPECT_EQ(first.GetId(), -1);
    EXPECT_EQ(clash.GetId(), -1);
    EXPECT_EQ(found.CreateObject(), nullptr);
}

TEST_F(TypeRegistryTest, TheTypeValueLivesInTheRegistryEntry)
{
    JxCTypeKey key;
    registerType("Valued", makeWidget, key);
    JxCTypeKey copy(JxCTableString("valued"));
    EXPECT_EQ(copy.GetTypeValue(), 0);
    key.SetTypeValue(9);
    EXPECT_EQ(copy.GetTypeValue(), 9);
    JxCTypeKey none;
    none.SetTypeValue(3);
    EXPECT_EQ(none.GetTypeValue(), 0);
}

TEST_F(TypeRegistryTest, ARegisteringKeyThatDiesOrIsReassignedIsNoLongerWritten)
{
    JxCTypeKey later;
    {
        auto early = std::make_unique<JxCTypeKey>();
        registerType("b", makeWidget, *early);
        registerType("a", makeGadget, later);
        later = *early;  // the owned key lets go of "a" and holds "b"
        EXPECT_TRUE(later.IsOwned());
    }
    // Sorting moves "b" and releasing "a" clears its holders: neither may
    // touch the dead key or change the reassigned one behind its back.
    EXPECT_EQ(JxCTypeKey(JxCTableString("b")).GetId(), 1);
    EXPECT_EQ(later.GetId(), 0);
    UnregisterDisplayObjectType(registered[1]);
    EXPECT_EQ(later.GetId(), 0);
}

TEST(KeywordTables, NumberedIdsAreTablePositions)
{
    RegisterTypeIds();
    EXPECT_EQ(ActionTypeId(JxActionKeyword::NULL_ACT), 0);
    EXPECT_EQ(ActionTypeId(JxActionKeyword::OPENPAGE), 1);
    EXPECT_EQ(ActionTypeId(JxActionKeyword::OpenQuestion), 29);
    EXPECT_EQ(ActionTypeId(JxActionKeyword::LAST_ACT), 30);
    EXPECT_EQ(EventId(JxEventKeyword::on_click), 4);
    EXPECT_EQ(EventId(JxEventKeyword::LAST_EVT), 12);
    EXPECT_EQ(PanelTypeId(JxPanelKeyword::Display), 1);
    EXPECT_EQ(PanelTypeId(JxPanelKeyword::LAST_PANEL), 11);
    EXPECT_EQ(PageTypeId(JxPageKeyword::BASE_PAGE), 2);
    EXPECT_EQ(PageTypeId(JxPageKeyword::LAST_PAGE), 8);
    EXPECT_EQ(ResourceTypeId(JxResourceKind::Movie), 3);

    // The texts agree with the positions.
    EXPECT_STREQ(ActionKeywords()[30], "LAST_ACT");
    EXPECT_STREQ(EventKeywords()[4], "on_click");
    EXPECT_STREQ(PanelKeywords()[11], "LAST_PANEL");
    EXPECT_STREQ(PageKeywords()[8], "LAST_PAGE");
    EXPECT_EQ(ObjectTypeKeywords().size(), 19u);
    EXPECT_STREQ(ObjectTypeKeywords()[8], "ScrollBaa");
    ReleaseTypeRegistries();
}

TEST(KeywordTables, LookUpsIgnoreCaseAndMissKeywordsOfOtherTables)
{
    RegisterTypeIds();
    EXPECT_EQ(FindActionTypeId("openpage"), 1);
    EXPECT_EQ(FindActionTypeId("SEEKVIDEO"), 10);
    EXPECT_EQ(FindActionTypeId("LAST_ACT"), 30);
    EXPECT_EQ(FindActionTypeId("on_click"), -1);
    EXPECT_EQ(FindActionTypeId(""), -1);
    EXPECT_EQ(FindEventId("ON_CLICK"), 4);
    EXPECT_EQ(FindPanelTypeId("display"), 1);
    EXPECT_EQ(FindPageTypeId("Base_Page"), 2);
    EXPECT_EQ(FindPageTypeId("Display"), -1);
    ReleaseTypeRegistries();
}

TEST(KeywordTables, TransitionKeywordsGiveTheirNumbersAndUnlistedOnesZero)
{
    EXPECT_EQ(ChangePageTransitionType("none"), 0);
    EXPECT_EQ(ChangePageTransitionType("zoom"), 0);
    EXPECT_EQ(ChangePageTransitionType("boxy_dissolve"), 10);
    EXPECT_EQ(ChangePageTransitionType("wipe_up"), 6);
    EXPECT_EQ(ChangePageTransitionType("Wipe_Right"), 9);
    EXPECT_EQ(ChangePageTransitionType("slide_up"), 0);
    EXPECT_EQ(ChangePageTransitionType(""), 0);
    EXPECT_EQ(WindowTransitionIndex("zoom"), 1);
    EXPECT_EQ(WindowTransitionIndex("anim"), 3);
    EXPECT_EQ(WindowTransitionIndex("unslide_right"), 11);
    EXPECT_EQ(WindowTransitionIndex("wipe_up"), 0);
}

TEST(KeywordTables, TheNotificationTablesLiveFromTheNumberingToTheRelease)
{
    RegisterTypeIds();
    ASSERT_TRUE(NotifyTablesExist());
    EXPECT_NE(ActionStartNotifyList(29), nullptr);
    EXPECT_NE(ActionStoppedNotifyList(0), nullptr);
    EXPECT_EQ(ActionStartNotifyList(30), nullptr);
    EXPECT_EQ(ActionStoppedNotifyList(-1), nullptr);
    EXPECT_NE(BeforeEventNotifyList(11), nullptr);
    EXPECT_EQ(AfterEventNotifyList(12), nullptr);
    ASSERT_NE(EventWord(11), nullptr);
    EXPECT_EQ(*EventWord(11), 0);
    EXPECT_EQ(ActionWord(30), nullptr);
    EXPECT_TRUE(ActionStartNotifyList(3)->IsEmpty());
    EXPECT_TRUE(DisplayObjectTypeTable().IsFrozen());
    ReleaseTypeRegistries();
    EXPECT_FALSE(NotifyTablesExist());
    EXPECT_EQ(ActionStartNotifyList(1), nullptr);
    EXPECT_FALSE(DisplayObjectTypeTable().IsFrozen());
}

// Factory rows installed by the test, as the layers above install theirs.
class TestAction : public JxCAction {
public:
    int payload = 0;
};
class OtherAction : public JxCAction {};
class TestPanel : public JxCPanelObject {};
class TestPage : public JxCPageObject {};
class TestPageDef : public JxCPageDef {};

class FactoryTest : public TypeRegistryTest {
protected:
    void SetUp() override { RegisterTypeIds(); }
};

TEST_F(FactoryTest, RowsBuildTheirClassByIdAndTheNullAndLastIdsBuildNothing)
{
    EXPECT_EQ(RegisterActionClass(JxActionKeyword::BLEND, MakeInstance<JxCAction, TestAction>,
                                  CopyInstance<JxCAction, TestAction>),
              1);
    EXPECT_EQ(RegisterActionClass(JxActionKeyword::NULL_ACT, MakeInstance<JxCAction, TestAction>, nullptr), 0);
    EXPECT_EQ(RegisterActionClass(JxActionKeyword::LAST_ACT, MakeInstance<JxCAction, TestAction>, nullptr), 0);
    EXPECT_EQ(RegisterPanelClass(JxPanelKeyword::NULL_PANEL, MakeInstance<JxCPanelObject, TestPanel>), 0);
    EXPECT_EQ(RegisterPageClass(JxPageKeyword::LAST_PAGE, MakeInstance<JxCPageObject, TestPage>), 0);
    EXPECT_EQ(RegisterPageClass(JxPageKeyword::CHILD_PAGE, nullptr), 0);

    std::unique_ptr<JxCAction> action(NewActionOfType(5));
    EXPECT_NE(dynamic_cast<TestAction*>(action.get()), nullptr);
    for (std::int16_t id : {0, 4, 30, 31, -1})
        EXPECT_EQ(NewActionOfType(id), nullptr) << id;
    EXPECT_EQ(NewPanelOfType(0), nullptr);
    EXPECT_EQ(NewPageOfType(8), nullptr);
    EXPECT_EQ(CreateGavoPageDef(), nullptr);
    RegisterPageDefClass(MakeInstance<JxCPageDef, TestPageDef>);
    std::unique_ptr<JxCPageDef> def(CreateGavoPageDef());
    EXPECT_NE(dynamic_cast<TestPageDef*>(def.get()), nullptr);
}

TEST_F(FactoryTest, CopiesAreMadeByTheClassOfTheTypeAndEqualityIsIdentity)
{
    RegisterActionClass(JxActionKeyword::SENDMESSAGE, MakeInstance<JxCAction, TestAction>,
                        CopyInstance<JxCAction, TestAction>);
    TestAction source;
    source.payload = 42;
    std::unique_ptr<JxCAction> copy(CopyActionOfType(6, source));
    auto* typed = dynamic_cast<TestAction*>(copy.get());
    ASSERT_NE(typed, nullptr);
    EXPECT_EQ(typed->payload, 42);
    EXPECT_EQ(CopyActionOfType(7, source), nullptr);  // no class for the type
    OtherAction stranger;
    EXPECT_EQ(CopyActionOfType(6, stranger), nullptr);  // not of the type's class

    EXPECT_TRUE(ActionsEqualOfType(6, &source, &source));
    EXPECT_FALSE(ActionsEqualOfType(6, &source, typed));
    EXPECT_FALSE(ActionsEqualOfType(7, &source, &source));
    EXPECT_FALSE(ActionsEqualOfType(0, &source, &source));
}

TEST_F(FactoryTest, TheProductsFormsReportWhatTheyCannotBuild)
{
    RegisterPanelClass(JxPanelKeyword::NavPanel, MakeInstance<JxCPanelObject, TestPanel>);
    RegisterPageClass(JxPageKeyword::POPUP_PAGE, MakeInstance<JxCPageObject, TestPage>);

    std::unique_ptr<JxCPanelObject> panel(CreatePanelByKeyword("navpanel"));
    EXPECT_NE(dynamic_cast<TestPanel*>(panel.get()), nullptr);
    panel.reset(CreatePanelById(2));
    EXPECT_NE(panel, nullptr);
    std::unique_ptr<JxCPageObject> page(CreatePageOfType(1));
    EXPECT_NE(page, nullptr);
    EXPECT_TRUE(reports.ids.empty());

    EXPECT_EQ(CreatePanelByKeyword("LAST_PANEL"), nullptr);
    EXPECT_EQ(CreatePanelByKeyword("Display"), nullptr);  // a keyword without a class
    EXPECT_EQ(CreatePanelById(11), nullptr);
    EXPECT_EQ(CreatePageOfType(9), nullptr);
    EXPECT_EQ(reports.ids, (std::vector<std::int32_t>{1047, 1047, 1048, 1014}));
    EXPECT_EQ(reports.firstArgs, (std::vector<std::string>{"LAST_PANEL", "Display", "11", "9"}));
}

}  // namespace
