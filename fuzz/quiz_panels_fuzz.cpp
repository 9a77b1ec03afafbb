// The quiz's panels on arbitrary bytes: the first byte picks the quiz
// panel, the topics panel or the question panel, the rest is the panel's
// stored record (its objects, question cards among them, then the panel's
// own fields), read for a page whose template defines the panel. The reader
// stays inside the stream; whatever it read makes its resources, draws,
// takes clicks on the cards and typing with Enter, and shows a topic,
// without a title's data behind it.
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
#include "objects/widgets/JxCBitmapRecordList.h"
#include "platform/backend/harness.h"
#include "platform/window/messages.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCKeyParams.h"
#include "runtime/JxCPageDef.h"
#include "runtime/JxTypeRegistry.h"
#include "runtime/JxVersionInfo.h"
#include "testkit/bmp.h"
#include "testkit/fuzz_seeds.h"
#include "testkit/product_data.h"
#include "title/JxCQTopicsPanel.h"
#include "title/JxCQuestionPanel.h"
#include "title/JxCQuizPanel.h"
#include "title/JxClassRegistrations.h"
#include "title/tests/quiz_panel_kinds.h"

namespace {

struct World {
    plat::Harness harness;
    World()
    {
        const std::string folder = fuzz::Scratch().program();
        plat::testing::TempConfig::writeFile(folder + "/kelbo32", "");
        testkit::BmpPicture picture{8, 8, std::vector<std::uint8_t>(64, 3), testkit::DistinctColours()};
        const auto bmp = testkit::EncodeBmp(picture);
        plat::testing::TempConfig::writeFile(folder + "/pic.dib", std::string(bmp.begin(), bmp.end()));
        RegisterClasses();
        RegisterTypeIds();
        SetProgramStarted();
        plat::SetResponder([](const plat::UiRequest& r) -> std::optional<int> {
            return r.buttons.empty() ? 1 : r.buttons.back();
        });
        // The file the seeds were written against.
        testkit::ProductData file = testkit::QuizPanelSeeds().file;
        file.version().countryCode = GetLanguageCode() ? GetLanguageCode() : "";
        file.version().softwareVersion = std::string(GetVersionCode().View());
        bytes = file.Bytes();
    }
    std::vector<std::uint8_t> bytes;
};

void exercise(JxCPanelObject& panel)
{
    panel.CreateResources();
    panel.Draw(nullptr, nullptr, 0);
    for (const JxCPoint& at : {JxCPoint(20, 130), JxCPoint(80, 130), JxCPoint(20, 130)}) {
        panel.MouseDown(at);
        panel.MouseUp(at);
    }
    if (auto* quiz = dynamic_cast<JxCQuizPanel*>(&panel)) {
        quiz->ShowTopic(3);
        for (std::uint16_t c : {std::uint16_t('x'), std::uint16_t(13)}) {
            JxCKeyParams key(plat::WM_CHAR, c, 0);
            quiz->HandleKey(key);
        }
        quiz->SubmitAnswer();
        quiz->MoveToNextCard();
        quiz->ShowTopic(-1);
        quiz->ClearCards();
    } else if (auto* topics = dynamic_cast<JxCQTopicsPanel*>(&panel)) {
        for (std::int32_t topic : {-1, 0, 21, 22})
            topics->SelectTopic(topic);
        for (std::int32_t topic = 0; topic < JxCQTopicsPanel::kTopics; ++topic)
            topics->TitlePosition(topic);
    }
    panel.Draw(nullptr, nullptr, 0);
    panel.ReleaseResources();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static World world;
    if (size < 1)
        return 0;
    SetProduct(std::make_unique<JxCBaseProduct>());
    JxCInStrStream definitions(JxMemoryBlock{world.bytes.data(), std::uint32_t(world.bytes.size())});
    fuzz::Check(GetProduct()->ReadProductData(definitions, std::uint32_t(world.bytes.size())) != 0);
    std::string folder(GetProgramFolderString().View());
    folder.pop_back();
    GetProduct()->GetProductDef()->SetDataPath(folder.c_str());
    {
        fuzz::SlatePage page(400, 220);
        std::unique_ptr<JxCPanelObject> panel = NewQuizPanelOfKind(data[0]);
        JxCInStrStream in(JxMemoryBlock{data + 1, std::uint32_t(size - 1)});
        panel->Read(in, page.GetPageDef());
        fuzz::Check(in.Tell() <= size - 1);
        panel->SetOwnerPage(&page);
        exercise(*panel);
        panel.reset();
        fuzz::Check(GetBitmapCache().GetCount() == 0);
    }
    DeleteProduct();
    return 0;
}
