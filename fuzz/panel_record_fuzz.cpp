// A panel's stored record on arbitrary bytes, read for a page of a product
// whose template defines the panel, with the engine's display-object types:
// the reader stays inside the stream and keeps no more objects than the
// bytes could hold; whatever it read then loads its pictures (shared through
// the cache), draws into the page in the title's styles, takes two clicks
// (the mouse passing over objects on the way), and typing and editing
// keys; an animated hotspot plays a short animation of the program folder
// ("&spin"); the shared media its objects bound go with them. The same
// bytes read as the login panel's record (whose confirmation page follows
// the panel's) stay inside too.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "foundation/JxCInStrStream.h"
#include "foundation/JxErrorReport.h"
#include "foundation/JxLanguage.h"
#include "foundation/JxResourceLibraries.h"
#include "fuzz_support.h"
#include "slate_page.h"
#include "graphics/JxCMemorySlate.h"
#include "graphics/JxCStyleDef.h"
#include "media/JxCResourceObject.h"
#include "objects/widgets/JxCBitmapRecordList.h"
#include "platform/backend/harness.h"
#include "platform/draw/draw.h"
#include "platform/draw/font.h"
#include "platform/window/messages.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCKeyParams.h"
#include "runtime/JxCPageDef.h"
#include "runtime/JxCPanelObject.h"
#include "runtime/JxTypeRegistry.h"
#include "runtime/JxVersionInfo.h"
#include "testkit/bmp.h"
#include "testkit/fuzz_seeds.h"
#include "testkit/list_data.h"
#include "testkit/pics.h"
#include "testkit/png.h"
#include "testkit/product_data.h"
#include "testkit/text_styles.h"
#include "title/JxCLoginPanel.h"
#include "title/JxClassRegistrations.h"
#include "title/JxTitleSound.h"

namespace {

struct World {
    plat::Harness harness;
    World()
    {
        const std::string folder = fuzz::Scratch().program();
        plat::testing::TempConfig::writeFile(folder + "/kelbo32", "");
        testkit::BmpPicture picture;
        picture.width = 12;
        picture.height = 6;
        picture.colours = testkit::DistinctColours();
        for (int i = 0; i < 72; ++i)
            picture.pixels.push_back(std::uint8_t(i % 3 == 0 ? 255 : i));
        const auto bmp = testkit::EncodeBmp(picture);
        const auto png = testkit::EncodePalettePng(picture);
        plat::testing::TempConfig::writeFile(folder + "/pic.dib", std::string(bmp.begin(), bmp.end()));
        plat::testing::TempConfig::writeFile(folder + "/other.png", std::string(png.begin(), png.end()));
        testkit::PicsFile spin;
        for (std::uint8_t colour : {30, 60, 90})
            spin.frame(testkit::PicsFrame::Of(0, 0, 6, 4, std::vector<std::uint8_t>(24, colour)));
        const auto ani = spin.Bytes();
        plat::testing::TempConfig::writeFile(folder + "/spin.ani", std::string(ani.begin(), ani.end()));
        RegisterClasses();
        RegisterTypeIds();
        // A list for the collages to show ("TestTextList").
        testkit::RegisterTextListData({"Ant", "Bee", "Cat", "Dog", "Eel", "Fox", "Gnu", "Hen"});
        SetProgramStarted();
        plat::SetResponder([](const plat::UiRequest& r) -> std::optional<int> {
            return r.buttons.empty() ? 1 : r.buttons.back();
        });

        // The file the seeds were written against: its string table and the
        // template of their panel.
        testkit::ProductData file = testkit::PanelRecordSeeds().file;
        file.version().countryCode = GetLanguageCode() ? GetLanguageCode() : "";
        file.version().softwareVersion = std::string(GetVersionCode().View());
        bytes = file.Bytes();

        // Character style 1 and paragraph style 2 (on style 1).
        testkit::StyleDefs defs;
        testkit::CharStyleRecord c;
        c.id = 1;
        c.faceName = plat::kBuiltinFaceName;
        defs.characters = {c};
        testkit::ParaStyleRecord p;
        p.id = 2;
        p.charStyleId = 1;
        p.firstIndent = 4;
        defs.paragraphs = {p};
        const std::vector<std::uint8_t> styleBytes = defs.Bytes();
        JxCInStrStream in(JxMemoryBlock{styleBytes.data(), std::uint32_t(styleBytes.size())});
        fuzz::Check(styles.Read(in) == 1);
        SetStyleDefSource([this] { return &styles; });
    }
    std::vector<std::uint8_t> bytes;
    JxCStyleDef styles;
};

void typeInto(JxCPanelObject& panel)
{
    const std::pair<std::uint32_t, std::uint16_t> keys[] = {
        {plat::WM_CHAR, 'a'},         {plat::WM_CHAR, 'b'},          {plat::WM_KEYDOWN, plat::VK_LEFT},
        {plat::WM_KEYDOWN, plat::VK_HOME}, {plat::WM_KEYDOWN, plat::VK_DELETE}, {plat::WM_CHAR, 8},
        {plat::WM_CHAR, 13},          {JxCKeyParams::kCompositeCharMessage, 0xB0A1},
    };
    for (const auto& [message, code] : keys) {
        JxCKeyParams key(message, code, 0);
        panel.HandleKey(key);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static World world;
    SetProduct(std::make_unique<JxCBaseProduct>());
    JxCInStrStream definitions(JxMemoryBlock{world.bytes.data(), std::uint32_t(world.bytes.size())});
    fuzz::Check(GetProduct()->ReadProductData(definitions, std::uint32_t(world.bytes.size())) != 0);
    std::string folder(GetProgramFolderString().View());
    folder.pop_back();
    GetProduct()->GetProductDef()->SetDataPath(folder.c_str());
    {
        fuzz::SlatePage page(200, 100);
        JxCPanelObject panel;
        JxCInStrStream in(JxMemoryBlock{data, std::uint32_t(size)});
        panel.Read(in, page.GetPageDef());
        fuzz::Check(in.Tell() <= size);
        // An object takes at least its type id and its common record.
        fuzz::Check(std::size_t(panel.GetDisplayObjects().GetCount()) <= size / 16);
        panel.SetOwnerPage(&page);
        panel.CreateResources();
        panel.Draw(nullptr, nullptr, 0);
        panel.MouseMove(JxCPoint(20, 30));
        panel.MouseDown(JxCPoint(20, 30));
        panel.MouseUp(JxCPoint(25, 30));
        // A second click near the panel's corner, where the seeds put their
        // hotspots and buttons.
        panel.MouseMove(JxCPoint(14, 23));
        panel.MouseDown(JxCPoint(14, 23));
        panel.MouseMove(JxCPoint(90, 60));
        panel.MouseUp(JxCPoint(14, 23));
        typeInto(panel);
        panel.Draw(nullptr, nullptr, 0);
        panel.ReleaseResources();
        fuzz::Check(GetBitmapCache().GetCount() == 0);
    }
    // Only the title's own sound (a logbook button's click) outlives the
    // panel, by design, and it stops with the others.
    StopActiveObjects(0);
    for (JxCResourceObject* media = GetResourceList().GetFirst(); media; media = GetResourceList().GetNext(media))
        fuzz::Check(IsTitleSound(*media) && !media->IsPlaying());
    fuzz::Check(GetBitmapCache().GetCount() == 0);
    {
        fuzz::SlatePage page(200, 100);
        JxCLoginPanel login;
        JxCInStrStream in(JxMemoryBlock{data, std::uint32_t(size)});
        login.Read(in, page.GetPageDef());
        fuzz::Check(in.Tell() <= size);
    }
    DeleteProduct();
    return 0;
}
