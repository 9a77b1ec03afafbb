#include "title/panels/JxCGavoPanel.h"

#include <vector>

#include "foundation/JxCInStrStream.h"
#include "objects/actions/JxCClosePageAction.h"
#include "platform/window/window.h"
#include "runtime/JxCKeyParams.h"
#include "runtime/JxCPageDef.h"
#include "runtime/JxCPageObject.h"
#include "runtime/JxKeywordTables.h"
#include "title/JxCProductData.h"

namespace {

constexpr std::uint16_t kEnter = 13;

bool isQuizPage(const JxCPageObject* page)
{
    const JxCPageDef* def = page ? page->GetPageDef() : nullptr;
    return def && def->GetPageType() == PageTypeId(JxPageKeyword::QUIZ_PAGE);
}

}  // namespace

std::int16_t JxCGavoPanel::Read(JxCInStrStream& in, JxCPageDef* pageDef)
{
    text_.clear();
    if (!JxCPanelObject::Read(in, pageDef))
        return 0;
    std::uint16_t length = 0;
    if (!in.ReadBigEndian16(length) || length > in.Remaining())
        return 0;
    std::vector<char> bytes(length);
    if (length && !in.ReadBlock(bytes.data(), length))
        return 0;
    text_.assign(bytes.begin(), bytes.end());
    return 1;
}

std::int16_t JxCGavoPanel::MouseUp(const JxCPoint& point)
{
    if (JxCProductData* data = GetTitleData())
        data->ResetIdle();
    return JxCViewingPanel::MouseUp(point);
}

std::int16_t JxCGavoPanel::HandleKey(JxCKeyParams& key)
{
    const std::int16_t result = JxCViewingPanel::HandleKey(key);
    if (key.GetMessage() != plat::WM_CHAR || key.GetKeyCode() != kEnter)
        return result;
    JxCPageObject* page = GetParent();
    if (page && isQuizPage(page->GetOpenerPage())) {
        JxCClosePageAction close;
        close.SetPageName(std::uint32_t(page->GetPageId()));
        close.Post();
    }
    return result;
}
