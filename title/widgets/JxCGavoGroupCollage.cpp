#include "title/widgets/JxCGavoGroupCollage.h"

#include "foundation/JxLanguage.h"
#include "runtime/JxCKeyParams.h"
#include "runtime/JxCPageObject.h"
#include "runtime/JxCPanelObject.h"
#include "title/JxCProductData.h"

namespace {

plat::HWND pageWindowOf(const JxCDisplayObject& object)
{
    JxCRunTimeObject* container = object.GetContainer();
    if (!container || container->GetKind() != kPanelKind)
        return nullptr;
    JxCPageObject* page = static_cast<JxCPanelObject*>(container)->GetParent();
    return page ? page->GetWindow() : nullptr;
}

}  // namespace

std::int16_t JxCGavoGroupCollage::Start()
{
    if (GetCurrentLanguage() == kKoreanLanguageId)
        SendImeControl(pageWindowOf(*this));
    if (!JxCGroupCollage::Start())
        return 0;
    if (JxCCollage* collage = GetCollage()) {
        const JxCProductData* data = GetTitleData();
        collage->Select(data ? data->GetListSelection() : 0, kCauseRefresh, JxCCollage::Scroll::IntoView, 1);
    }
    return 1;
}
