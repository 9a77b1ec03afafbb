// The title's panel and action records on arbitrary bytes: the first byte
// chooses the reader (the navigation bar, the dialog panel, the title's
// viewing panel, or the navigation, options, print-file, append-page and
// first-log actions), the rest is its record. Each reader stays inside the
// stream; a panel then finds its objects, marks pages, takes a release and
// keys, and lets go of everything it held.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "foundation/JxCInStrStream.h"
#include "foundation/JxLanguage.h"
#include "fuzz_support.h"
#include "platform/backend/harness.h"
#include "platform/window/messages.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCKeyParams.h"
#include "runtime/JxCPageDef.h"
#include "runtime/JxTypeRegistry.h"
#include "runtime/JxVersionInfo.h"
#include "testkit/product_data.h"
#include "title/panels/JxCDialogPanel.h"
#include "title/panels/JxCGavoPanel.h"
#include "title/panels/JxCNavPanel.h"
#include "title/JxClassRegistrations.h"
#include "title/links/JxTitleActions.h"

namespace {

struct World {
    plat::Harness harness;
    World()
    {
        RegisterClasses();
        RegisterTypeIds();
        plat::SetResponder([](const plat::UiRequest& r) -> std::optional<int> {
            return r.buttons.empty() ? 1 : r.buttons.back();
        });
        testkit::ProductData file;
        file.version().countryCode = GetLanguageCode() ? GetLanguageCode() : "";
        file.version().softwareVersion = std::string(GetVersionCode().View());
        file.templateDef(1, "BASE_PAGE").panel(2, "Display").at(0, 0).size(200, 100);
        bytes = file.Bytes();
    }
    std::vector<std::uint8_t> bytes;
};

void exercise(JxCPanelObject& panel)
{
    panel.CreateResources();
    if (auto* bar = dynamic_cast<JxCNavPanel*>(&panel)) {
        for (std::int32_t page : {0, 1, 2, 40, -1})
            bar->MarkPage(page);
        bar->ResetButtons();
        bar->TakeOutMicon();
        bar->PutBackMicon();
    }
    panel.MouseDown(JxCPoint(20, 30));
    panel.MouseUp(JxCPoint(20, 30));
    for (std::uint16_t ch : {std::uint16_t(13), std::uint16_t('a')}) {
        JxCKeyParams key(plat::WM_CHAR, ch, 0);
        panel.HandleKey(key);
    }
    panel.ReleaseResources();
}

std::unique_ptr<JxCAction> actionOf(std::uint8_t kind)
{
    switch (kind % 5) {
    case 0: return std::make_unique<JxCGv2GeneralPurposeAction>();
    case 1: return std::make_unique<JxCGavoOptionsAction>();
    case 2: return std::make_unique<JxCGv2PrintFileAction>();
    case 3: return std::make_unique<JxCAppendPageAction>();
    default: return std::make_unique<JxCFirstLogAction>();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static World world;
    if (size < 1)
        return 0;
    const std::uint8_t kind = data[0];
    JxCInStrStream in(JxMemoryBlock{data + 1, std::uint32_t(size - 1)});
    if (kind >= 3) {
        std::unique_ptr<JxCAction> action = actionOf(std::uint8_t(kind - 3));
        action->Read(in, nullptr);
        fuzz::Check(in.Tell() <= size - 1);
        return 0;
    }
    SetProduct(std::make_unique<JxCBaseProduct>());
    JxCInStrStream definitions(JxMemoryBlock{world.bytes.data(), std::uint32_t(world.bytes.size())});
    fuzz::Check(GetProduct()->ReadProductData(definitions, std::uint32_t(world.bytes.size())) != 0);
    {
        auto* def = new JxCPageDef;
        def->SetTemplateId(1);
        JxCPageObject page;
        page.Init(def);
        std::unique_ptr<JxCPanelObject> panel;
        if (kind == 0)
            panel = std::make_unique<JxCNavPanel>();
        else if (kind == 1)
            panel = std::make_unique<JxCDialogPanel>();
        else
            panel = std::make_unique<JxCGavoPanel>();
        if (panel->Read(in, def)) {
            fuzz::Check(in.Tell() <= size - 1);
            panel->SetOwnerPage(&page);
            exercise(*panel);
        }
        fuzz::Check(in.Tell() <= size - 1);
    }
    DeleteProduct();
    return 0;
}
