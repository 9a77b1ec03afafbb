// The product data file's reader on arbitrary files: the header, string
// table, definitions (the title's record included) and record table are read
// or refused; a file that reads has every page record it lists among the
// first 64 pages (and the first it does not list) loaded as the title's page
// definition, never outside its bytes, its panels made by the program's
// factories and their display objects by the program's registered classes
// (the seeds are written with the same registrations).
#include <cstddef>
#include <cstdint>
#include <memory>

#include "foundation/JxCInStrStream.h"
#include "foundation/JxErrorReport.h"
#include "foundation/JxLanguage.h"
#include "foundation/JxResourceLibraries.h"
#include "fuzz_support.h"
#include "platform/backend/harness.h"
#include "platform/modules/module.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxClassFactories.h"
#include "runtime/JxTypeRegistry.h"
#include "runtime/JxVersionInfo.h"
#include "testkit/sample_title.h"
#include "title/panels/JxCGavoPageDef.h"
#include "title/JxCProductData.h"
#include "title/JxClassRegistrations.h"

namespace {

// The title's product as far as page definitions go: the panels of the
// program's factories (a plain panel for an id they do not know).
class PlainProduct : public JxCBaseProduct {
public:
    JxCPageObject* NewPageForDef(const JxCPageDef&) override { return new JxCPageObject; }
    JxCPanelObject* NewPanelById(JxCPanelTypeId type) override
    {
        JxCPanelObject* panel = CreatePanelById(type);
        return panel ? panel : new JxCPanelObject;
    }
};

struct World {
    plat::Harness harness;
    World()
    {
        // The module table first, so that it outlives the scratch folders,
        // whose removal at exit tells it the folders changed.
        plat::GetModuleHandleA(nullptr);
        plat::testing::TempConfig::writeFile(fuzz::Scratch().program() + "/kelbo32", "");
        // The sample title's library gives the program's version, and the
        // language is the one its records name, so that sound records get
        // past the version check.
        testkit::WriteSampleTitle(fuzz::Scratch().program());
        ResetResourceLibraries();
        LoadMainResourceLibrary();
        ResetVersionInfo();
        SelectLanguage(0x0409);
        RegisterClasses();
        RegisterTypeIds();
        ConnectErrorReporting();
        SetProgramStarted();
        // Every question gets its last button: OK, Cancel or Ignore, never
        // Retry (the same data would be asked about again).
        plat::SetResponder([](const plat::UiRequest& r) -> std::optional<int> {
            return r.buttons.empty() ? 1 : r.buttons.back();
        });
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static World world;
    SetProduct(std::make_unique<PlainProduct>());
    JxCBaseProduct* product = GetProduct();
    auto title = std::make_unique<JxCProductData>();
    title->Initialise();
    product->SetProductData(std::move(title));
    JxCInStrStream in(JxMemoryBlock{data, std::uint32_t(size)});
    if (product->ReadProductData(in, std::uint32_t(size))) {
        fuzz::Check(product->GetPageDataOffset() <= size);
        // The page data as the data stream sees it: from A to the end.
        const std::uint8_t* pages = data + product->GetPageDataOffset();
        product->SetDataStream(std::make_unique<JxCInStrStream>(
            JxMemoryBlock{pages, std::uint32_t(size - product->GetPageDataOffset())}));
        // Every page the record table lists, wherever the gaps between
        // them, and the first it does not: a page the table does not have is
        // reported in a message box, whose dialog costs more than the whole
        // read, so that road is taken once.
        bool unlistedLoaded = false;
        for (std::int32_t page = 0; page < 64; ++page) {
            if (product->GetRecordOffset(page) == JxCBaseProduct::kNoRecord) {
                if (unlistedLoaded)
                    continue;
                unlistedLoaded = true;
            }
            JxCGavoPageDef def;
            def.Load(page);
        }
        JxCProductDef* def = product->GetProductDef();
        def->SetStartIndex(std::int32_t(size % 5));
        def->GetStartPage();
    }
    DeleteProduct();
    return 0;
}
