// The fuzz seeds that testkit writes read as the objects their names
// promise, with the program's classes registered as start-up registers
// them: a seed that named a type by a stale id would read as another class
// and leave the fuzz target short of the readers it is meant to reach.

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "foundation/JxCInStrStream.h"
#include "foundation/JxLanguage.h"
#include "foundation/tests/reporting_fixture.h"
#include "media/JxCResourceObject.h"
#include "objects/tests/panel_fixture.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxTypeRegistry.h"
#include "runtime/JxVersionInfo.h"
#include "testkit/fuzz_seeds.h"
#include "testkit/list_data.h"
#include "testkit/pics.h"
#include "title/JxClassRegistrations.h"
#include "title/tests/quiz_panel_kinds.h"

namespace {

class FuzzSeedsTest : public ReportingTest {
protected:
    void SetUp() override
    {
        ReportingTest::SetUp();
        // Reports go to the log: nothing here is a box to answer.
        iniFile("[Directory]\nLogErrors=1\nLogFile=" + programFolder() + "error.log\n");
        ReadSettings();
        // A damaged seed may still ask (a panel it cannot find): the last
        // button answers, as in the fuzz targets.
        plat::SetResponder([](const plat::UiRequest& r) -> std::optional<int> {
            return r.buttons.empty() ? 1 : r.buttons.back();
        });
        // The animation the animated hotspots make their actions for.
        testkit::PicsFile spin;
        spin.frame(testkit::PicsFrame::Of(0, 0, 6, 4, std::vector<std::uint8_t>(24, 30)));
        const std::vector<std::uint8_t> ani = spin.Bytes();
        plat::testing::TempConfig::writeFile(config.program() + "/spin.ani", std::string(ani.begin(), ani.end()));
        RegisterClasses();
        RegisterTypeIds();
        testkit::RegisterTextListData({"Ant", "Bee"});
    }
    void TearDown() override
    {
        DeleteProduct();
        EmptyResourceList();
        testkit::UnregisterTextListData();
        ReleaseTypeRegistries();
        UnregisterClasses();
        ReportingTest::TearDown();
    }

    void readDefinitions(testkit::ProductData file)
    {
        SetProduct(std::make_unique<JxCBaseProduct>());
        file.version().countryCode = GetLanguageCode() ? GetLanguageCode() : "";
        file.version().softwareVersion = std::string(GetVersionCode().View());
        bytes_ = file.Bytes();
        JxCInStrStream in(JxMemoryBlock{bytes_.data(), std::uint32_t(bytes_.size())});
        ASSERT_TRUE(GetProduct()->ReadProductData(in, std::uint32_t(bytes_.size())));
        std::string folder = programFolder();
        folder.pop_back();
        GetProduct()->GetProductDef()->SetDataPath(folder.c_str());
    }

    // Each seed read into the panel that `make` gives (from the seed's
    // first byte when `kindFirst`): every keyword it promises names an
    // object read.
    template <class Make>
    void expectPromisedTypes(const testkit::PanelSeedSet& set, Make make, bool kindFirst)
    {
        readDefinitions(set.file);
        for (const testkit::FuzzSeed& seed : set.seeds) {
            SCOPED_TRACE(seed.name);
            panel_test::SlatePage page(400, 220);
            std::unique_ptr<JxCPanelObject> panel = make(kindFirst ? seed.bytes[0] : 0);
            const std::size_t skip = kindFirst ? 1 : 0;
            JxCInStrStream in(JxMemoryBlock{seed.bytes.data() + skip, std::uint32_t(seed.bytes.size() - skip)});
            panel->Read(in, page.GetPageDef());
            std::set<std::string> read;
            JxCDisplayObjectList& objects = panel->GetDisplayObjects();
            for (JxCDisplayObject* o = objects.GetFirst(); o; o = objects.GetNext(o))
                read.insert(std::string(o->GetTypeKey().GetName().View()));
            for (std::string keyword : seed.keywords) {
                for (char& c : keyword)
                    c = char(std::tolower(static_cast<unsigned char>(c)));
                EXPECT_TRUE(read.count(keyword)) << keyword;
            }
        }
    }

private:
    std::vector<std::uint8_t> bytes_;
};

TEST_F(FuzzSeedsTest, EveryPanelSeedReadsAsTheTypesItsNameSays)
{
    const testkit::PanelSeedSet set = testkit::PanelRecordSeeds();
    std::set<std::string> promised;
    for (const testkit::FuzzSeed& seed : set.seeds)
        promised.insert(seed.keywords.begin(), seed.keywords.end());
    // Among them the readers that stale seeds never reached.
    for (const char* keyword : {"ScrollBaa", "ScrollBitmap", "RollOverButton", "RollHotSpot", "SaveAsHotspot",
                                "CollButton", "GroupColl", "Micon", "AnimHotspot"})
        EXPECT_TRUE(promised.count(keyword)) << keyword;
    expectPromisedTypes(set, [](std::uint8_t) { return std::make_unique<JxCPanelObject>(); }, false);
}

TEST_F(FuzzSeedsTest, EveryQuizPanelSeedReadsItsPanelsCards)
{
    expectPromisedTypes(testkit::QuizPanelSeeds(), NewQuizPanelOfKind, true);
}

}  // namespace
