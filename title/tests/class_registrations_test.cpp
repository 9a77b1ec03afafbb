#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <typeindex>
#include <typeinfo>
#include <vector>

#include "events/JxCAction.h"
#include "media/JxCAnimControl.h"
#include "media/JxCPicsResource.h"
#include "media/JxCPlaySoundAction.h"
#include "media/JxCQT3PlayAction.h"
#include "media/JxCQT3Resource.h"
#include "media/JxCSoundResource.h"
#include "media/JxPicsActions.h"
#include "media/JxSmallMediaActions.h"
#include "objects/actions/JxCChangePageAction.h"
#include "objects/actions/JxCClosePageAction.h"
#include "objects/actions/JxCFileSaveAsAction.h"
#include "objects/actions/JxCOpenPageAction.h"
#include "objects/actions/JxSmallPageActions.h"
#include "objects/pages/JxCBasePage.h"
#include "objects/pages/JxCChildPage.h"
#include "objects/pages/JxCPopupPageEx.h"
#include "objects/panels/JxCTransparentPanel.h"
#include "objects/widgets/JxCBitmap.h"
#include "title/JxLogBook.h"
#include "title/widgets/JxProgressDisplays.h"
#include "objects/widgets/JxCCollage.h"
#include "objects/widgets/JxCEditBox.h"
#include "objects/widgets/JxCHotspot.h"
#include "objects/widgets/JxCIncludeControl.h"
#include "objects/widgets/JxCMicon.h"
#include "objects/widgets/JxCParaText.h"
#include "objects/widgets/JxCRollOverButton.h"
#include "objects/widgets/JxCRollOverHotspot.h"
#include "objects/widgets/JxCSaveAsHotspot.h"
#include "objects/widgets/JxCScrollBar.h"
#include "objects/widgets/JxCWordBox.h"
#include "runtime/JxCPageDef.h"
#include "runtime/JxCProduct.h"
#include "runtime/JxCTypeKey.h"
#include "runtime/JxClassFactories.h"
#include "runtime/JxKeywordTables.h"
#include "runtime/JxTypeRegistry.h"
#include "runtime/JxCollManagerRegistry.h"
#include "runtime/tests/report_log.h"
#include "testkit/type_ids.h"
#include "title/panels/JxCGavoPageDef.h"
#include "title/quiz/JxCQuizCard.h"
#include "title/JxClassRegistrations.h"
#include "title/links/JxTitleActions.h"
#include "title/panels/JxTitlePages.h"
#include "title/panels/JxTitlePanels.h"
#include "title/widgets/JxTitleWidgets.h"

namespace {

// The classes as start-up installs them, with the ids numbered.
class ClassRegistrationsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterClasses();
        RegisterTypeIds();
    }
    void TearDown() override
    {
        ReleaseTypeRegistries();
        UnregisterClasses();
    }
};

template <class Base>
std::type_index made(Base* object)
{
    std::unique_ptr<Base> owned(object);
    return owned ? std::type_index(typeid(*owned)) : std::type_index(typeid(void));
}

const std::type_index kNothing = typeid(void);

TEST_F(ClassRegistrationsTest, EveryActionIdBuildsAndCopiesItsClass)
{
    const std::vector<std::type_index> expected = {
        kNothing,
        typeid(JxCOpenPageAction), typeid(JxCGoUrlAction), typeid(JxCOnlineSetupAction),
        typeid(JxCGv2GeneralPurposeAction), typeid(JxCBlendAction), typeid(JxCSendMessageAction),
        typeid(JxCChangePageAction), typeid(JxCQT3PlayAction), typeid(JxCBaseStopVideoAction),
        typeid(JxCBaseSeekVideoAction), typeid(JxCPlaySoundAction), typeid(JxCStopSoundAction),
        typeid(JxCSeekSoundAction), typeid(JxCPlayQueuePicsAction), typeid(JxCGvIntroPicsAction),
        typeid(JxCGavoPlayPicsAction), typeid(JxCBackPageAction), typeid(JxCPlayPicsAction),
        typeid(JxCStopPicsAction), typeid(JxCGv2PrintFileAction), typeid(JxCGavoOptionsAction),
        typeid(JxCClosePageAction), typeid(JxCSeekPicsAction), typeid(JxCFileSaveAsAction),
        typeid(JxCQuizPageAction), typeid(JxCAppendPageAction), typeid(JxCFirstLogAction),
        typeid(JxCOpenCertificateAction), typeid(JxCOpenQuestionAction),
        kNothing,  // LAST_ACT
        kNothing,
    };
    for (std::size_t id = 0; id < expected.size(); ++id) {
        SCOPED_TRACE(id);
        const auto type = static_cast<std::int16_t>(id);
        std::unique_ptr<JxCAction> action(NewActionOfType(type));
        const std::type_index got = action ? std::type_index(typeid(*action)) : kNothing;
        EXPECT_EQ(got, expected[id]);
        if (!action)
            continue;
        EXPECT_EQ(made(CopyActionOfType(type, *action)), expected[id]);
        EXPECT_TRUE(ActionsEqualOfType(type, action.get(), action.get()));
    }
    EXPECT_EQ(NewActionOfType(-1), nullptr);
}

TEST_F(ClassRegistrationsTest, EveryResourcePanelAndPageIdBuildsItsClass)
{
    const std::vector<std::type_index> resources = {kNothing, typeid(JxCSoundResource), typeid(JxCPicsResource),
                                                    typeid(JxCQT3Resource), kNothing};
    for (std::size_t id = 0; id < resources.size(); ++id)
        EXPECT_EQ(made(NewResourceOfType(static_cast<std::int16_t>(id))), resources[id]) << id;

    const std::vector<std::type_index> panels = {
        kNothing,
        typeid(JxCGavoPanel), typeid(JxCNavPanel), typeid(JxCQuizPanel), typeid(JxCDialogPanel),
        typeid(JxCTransparentPanel), typeid(JxCQTopicsPanel), typeid(JxCLoginPanel),
        typeid(JxCLogBookBasePanel), typeid(JxCSchoolhousePanel), typeid(JxCQuestionPanel),
        kNothing,  // LAST_PANEL
    };
    for (std::size_t id = 0; id < panels.size(); ++id)
        EXPECT_EQ(made(NewPanelOfType(static_cast<std::int16_t>(id))), panels[id]) << id;

    // The index, navigation-options and sliding pages are pop-up pages too.
    const std::vector<std::type_index> pages = {
        kNothing,
        typeid(JxCPopupPageEx), typeid(JxCGv2BasePage), typeid(JxCPopupPageEx), typeid(JxCPopupPageEx),
        typeid(JxCPopupPageEx), typeid(JxCChildPage), typeid(JxCQuizPage),
        kNothing,  // LAST_PAGE
    };
    for (std::size_t id = 0; id < pages.size(); ++id)
        EXPECT_EQ(made(NewPageOfType(static_cast<std::int16_t>(id))), pages[id]) << id;

    EXPECT_EQ(made(CreateGavoPageDef()), std::type_index(typeid(JxCGavoPageDef)));
}

TEST_F(ClassRegistrationsTest, EveryObjectTypeKeywordBuildsItsClassInAnyCase)
{
    const std::vector<std::type_index> expected = {
        typeid(JxCBitmap), typeid(JxCAnimControl), typeid(JxCHotspot), typeid(JxCWordBox),
        typeid(JxCGavoAnimHotspot), typeid(JxCCancelButton), typeid(JxCGavoScrollBitmap),
        typeid(JxCScrollBar), typeid(JxCEditBox), typeid(JxCCollage), typeid(JxCGavoGroupCollage),
        typeid(JxCLoginGroupCollage), typeid(JxCCollButton), typeid(JxCSaveAsHotspot), typeid(JxCButton),
        typeid(JxCToggleButton), typeid(JxCGvVideoHotspot),
    };
    const auto engineKeywords = ObjectTypeKeywords();
    ASSERT_EQ(engineKeywords.size(), expected.size() + 2);
    std::vector<std::pair<std::string, std::type_index>> types;
    for (std::size_t i = 0; i < expected.size(); ++i)
        types.emplace_back(engineKeywords[i + 1], expected[i]);
    // The title's own, as spelled in its data.
    const std::vector<std::pair<std::string, std::type_index>> title = {
        {"LoginField", typeid(JxCLoginField)},       {"NewUserField", typeid(JxCNewUserField)},
        {"LoginButton", typeid(JxCLoginButton)},     {"NewUserButton", typeid(JxCNewUserButton)},
        {"LoginCollage", typeid(JxCLoginCollage)},
        {"StickyButton", typeid(JxCGvStickyButton)}, {"ToggleBitmap", typeid(JxCToggleBitmap)},
        {"ParaText", typeid(JxCParaText)},           {"Visitedcount", typeid(JxCVisitedCount)},
        {"quizcount", typeid(JxCQuizCount)},
        {"Name", typeid(JxCNameDisplay)},            {"CertificateNameDisplay", typeid(JxCCertificateNameDisplay)},
        {"LogBookButton", typeid(JxCLogBookButton)}, {"CertificateButton", typeid(JxCCertificateButton)},
        {"quiztick", typeid(JxCQuizTick)},           {"QuizLabl", typeid(JxCQuizLabl)},
        {"AnsweredCount", typeid(JxCAnsweredCount)}, {"GoTestButton", typeid(JxCGoTestButton)},
        {"Include", typeid(JxCIncludeControl)},
        {"ResetButton", typeid(JxCResetButton)},     {"AllVisited", typeid(JxCAllVisited)},
        {"QuizCard", typeid(JxCQuizCard)},
        {"RollHotSpot", typeid(JxCRollOverHotspot)}, {"Micon", typeid(JxCMicon)},
        {"RollOverButton", typeid(JxCRollOverButton)},
    };
    types.insert(types.end(), title.begin(), title.end());
    ASSERT_EQ(types.size(), 42u);
    const auto lowered = [](std::string text) {
        std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
        return text;
    };
    const auto raised = [](std::string text) {
        std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
        return text;
    };
    // Stored titles name a type by its place in the byte order of the
    // lower-cased names.
    std::vector<std::string> order;
    for (const auto& entry : types)
        order.push_back(lowered(entry.first));
    std::sort(order.begin(), order.end());
    for (const auto& [keyword, type] : types) {
        SCOPED_TRACE(keyword);
        const std::int16_t id = testkit::DisplayObjectTypeId(keyword);
        EXPECT_EQ(id, std::find(order.begin(), order.end(), lowered(keyword)) - order.begin());
        EXPECT_EQ(made(CreateDisplayObjectById(id)), type);
        for (const std::string& spelling : {keyword, lowered(keyword), raised(keyword)})
            EXPECT_EQ(made(JxCTypeKey(JxCTableString(spelling.c_str())).CreateObject()), type) << spelling;
    }
    EXPECT_EQ(testkit::DisplayObjectTypeId("BITMAP"), testkit::DisplayObjectTypeId("bitmap"));
    EXPECT_EQ(made(CreateDisplayObjectById(42)), kNothing);
    EXPECT_EQ(made(CreateDisplayObjectById(NullObjectTypeKey().GetId())), kNothing);
    EXPECT_EQ(made(CreateDisplayObjectById(LastObjectTypeKey().GetId())), kNothing);
    EXPECT_THROW(testkit::DisplayObjectTypeId("NULL_OBJ"), std::logic_error);
}

TEST_F(ClassRegistrationsTest, AChildPageLeavesTheFocusWithItsBasePage)
{
    std::unique_ptr<JxCPageObject> child(NewPageOfType(PageTypeId(JxPageKeyword::CHILD_PAGE)));
    std::unique_ptr<JxCPageObject> base(NewPageOfType(PageTypeId(JxPageKeyword::BASE_PAGE)));
    ASSERT_TRUE(child && base);
    EXPECT_EQ(child->CanActivate(), 0);
    EXPECT_EQ(base->CanActivate(), 1);
}

TEST_F(ClassRegistrationsTest, TheTitleProductBuildsThroughTheFactoriesAndReportsUnknownTypes)
{
    ReportLog reports;
    JxCProduct product;
    std::unique_ptr<JxCPageDef> def(product.NewPageDef());
    ASSERT_NE(dynamic_cast<JxCGavoPageDef*>(def.get()), nullptr);
    def->SetPageType(PageTypeId(JxPageKeyword::QUIZ_PAGE));
    EXPECT_EQ(made(product.NewPageForDef(*def)), std::type_index(typeid(JxCQuizPage)));
    EXPECT_EQ(made(product.NewPanelById(PanelTypeId(JxPanelKeyword::SchoolhousePanel))),
              std::type_index(typeid(JxCSchoolhousePanel)));
    EXPECT_TRUE(reports.ids.empty());

    def->SetPageType(PageTypeId(JxPageKeyword::LAST_PAGE));
    EXPECT_EQ(product.NewPageForDef(*def), nullptr);
    EXPECT_EQ(product.NewPanelById(JxCPanelTypeId(-3)), nullptr);
    EXPECT_EQ(reports.ids, (std::vector<std::int32_t>{1014, 1048}));
    EXPECT_EQ(reports.firstArgs, (std::vector<std::string>{"8", "-3"}));
}

TEST(ClassRegistrationsLifetime, TheExitRemovesEverythingAndAnotherStartRegistersAgain)
{
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        RegisterClasses();
        RegisterClasses();  // once per run, however often asked
        EXPECT_THROW(testkit::DisplayObjectTypeId("Bitmap"), std::logic_error);  // not numbered yet
        RegisterTypeIds();
        EXPECT_EQ(DisplayObjectTypeTable().GetCount(), 42);
        for (const char* list : {"LoginLBData", "SimpleLBData", "visitall", "ToBeVisited", "Visited"})
            EXPECT_NE(FindDataManagerType(JxCTableString(list)), nullptr) << list;
        EXPECT_NE(FindArrangementManagerType(JxCTableString("Regular")), nullptr);
        const std::int16_t bitmap = testkit::DisplayObjectTypeId("Bitmap");
        EXPECT_EQ(made(CreateDisplayObjectById(bitmap)), std::type_index(typeid(JxCBitmap)));
        ReleaseTypeRegistries();
        UnregisterClasses();
        EXPECT_EQ(DisplayObjectTypeTable().GetCount(), 0);
        // Every use of "Regular" is given back with the lists.
        EXPECT_EQ(FindArrangementManagerType(JxCTableString("Regular")), nullptr);
        EXPECT_EQ(FindDataManagerType(JxCTableString("LoginLBData")), nullptr);
        EXPECT_EQ(FindDataManagerType(JxCTableString("VisitAll")), nullptr);
        EXPECT_EQ(JxCTypeKey(JxCTableString("bitmap")).GetId(), -1);
        EXPECT_EQ(NewActionOfType(1), nullptr);
        EXPECT_EQ(CreateGavoPageDef(), nullptr);
    }
}

}  // namespace
