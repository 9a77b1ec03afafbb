#include "title/JxCGv2GeneralPurposeAction.h"

#include <array>

#include "foundation/JxCInStrStream.h"
#include "objects/actions/JxCChangePageAction.h"
#include "objects/actions/JxCOpenPageAction.h"
#include "platform/window/window.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxKeywordTables.h"
#include "title/JxCGavoPageDef.h"
#include "title/JxCNavPanel.h"
#include "title/JxCProductData.h"
#include "title/JxQuizState.h"
#include "title/JxScreenSaver.h"

namespace {

// The stored target that each of the codes 1 to 5 takes from a page
// definition with targets of its own.
constexpr std::array<std::int32_t, 5> kStoredTargetOfCode = {4, 1, 0, 3, 2};

void goTo(JxCBaseProduct& product, std::int32_t pageId)
{
    product.GoToPage(pageId, 0);
}

void reopen(JxCBaseProduct& product, std::int32_t pageId)
{
    if (JxCPageObject* open = product.FindPageById(pageId))
        product.RemovePage(open);
    goTo(product, pageId);
}

// The options pop-up that is open: the options page, else the second.
JxCPageObject* openOptionsPage(JxCBaseProduct& product, const JxTitleRecordFields& f)
{
    JxCPageObject* page = product.FindPageById(f.optionsPage);
    return page ? page : product.FindPageById(f.secondOptionsPage);
}

void toggleOptions(JxCBaseProduct& product, JxCProductData& data)
{
    const JxTitleRecordFields& f = data.GetFields();
    if (JxCPageObject* options = openOptionsPage(product, f)) {
        product.RemovePage(options);
        // The bar's mark says the pop-up is up: it goes with it.
        if (JxCNavPanel* bar = JxCNavPanel::FindCurrentPageEntry())
            bar->UnmarkOptionsButton();
        return;
    }
    if (JxCPageObject* third = product.FindPageById(f.thirdOptionsPage))
        product.RemovePage(third);
    JxCPageObject* last = product.GetPageList().GetLast();
    data.SetBroughtForwardPage(last);
    product.SetCurrentPage(last);
    product.SetFocusPage(last);
    JxCOpenPageAction open;
    open.SetTarget(std::uint32_t(f.secondOptionsPage), JxCGv2GeneralPurposeAction::kOptionsTransition,
                   JxCGv2GeneralPurposeAction::kOptionsParameter);
    open.Post();
}

// Whether the pointer is over the page's first panel, whose rectangle is
// taken one pixel narrower and shorter.
bool pointerOverFirstPanel(JxCPageObject& page)
{
    JxCPanelObjectList* panels = page.GetPanelList();
    JxCPanelObject* panel = panels ? panels->GetFirst() : nullptr;
    if (!panel || !page.GetWindow())
        return false;
    plat::POINT at{};
    plat::GetCursorPos(&at);
    plat::ScreenToClient(page.GetWindow(), &at);
    const JxCRect r = panel->GetRect();
    const std::int32_t top = r.top + page.GetCaptionHeight();
    const std::int32_t bottom = r.bottom + page.GetCaptionHeight();
    return at.x >= r.left && at.x < r.right - 1 && at.y >= top && at.y < bottom - 1;
}

void closeOptionsOutside(JxCBaseProduct& product, const JxTitleRecordFields& f)
{
    JxCPageObject* options = openOptionsPage(product, f);
    if (!options || pointerOverFirstPanel(*options))
        return;
    product.RemovePage(options);
    if (JxCNavPanel* bar = JxCNavPanel::FindCurrentPageEntry())
        bar->UnmarkOptionsButton();
}

void changeTo(std::int32_t pageId)
{
    JxCChangePageAction change;
    change.SetTarget(std::uint32_t(pageId), 0);
    change.Post();
}

}  // namespace

JxCGv2GeneralPurposeAction::JxCGv2GeneralPurposeAction()
{
    SetType(ActionTypeId(JxActionKeyword::NavAct));
    SetResourceKind(ResourceTypeId(JxResourceKind::None));
}

std::int16_t JxCGv2GeneralPurposeAction::Read(JxCInStrStream& in, JxCRunTimeObject* owner)
{
    SetOwner(owner);
    std::uint16_t code = 0;
    if (!in.ReadBigEndian16(code))
        return 0;
    code_ = code;
    return 1;
}

std::int32_t JxCGv2GeneralPurposeAction::NavigationTarget(std::int32_t code)
{
    const JxCProductData* data = GetTitleData();
    if (!data || code < 1 || code > 5)
        return 0;
    JxCBaseProduct* product = GetProduct();
    JxCPageObject* first = product ? product->GetFirstPage() : nullptr;
    const auto* def = first ? dynamic_cast<const JxCGavoPageDef*>(first->GetPageDef()) : nullptr;
    if (def && def->HasTargets())
        return def->GetTarget(kStoredTargetOfCode[std::size_t(code - 1)]);
    return data->GetFields().navigationTargets[std::size_t(code - 1)];
}

std::int16_t JxCGv2GeneralPurposeAction::Execute()
{
    JxCBaseProduct* product = GetProduct();
    JxCProductData* data = GetTitleData();
    if (!product || !data)
        return 1;
    const JxTitleRecordFields& f = data->GetFields();
    switch (code_) {
    case 1: case 2: case 3: case 4: case 5:
        goTo(*product, NavigationTarget(code_));
        break;
    case 6:
        goTo(*product, f.code6Target);
        break;
    case 7:
        goTo(*product, f.code7Target);
        break;
    case kGoBack:
        return data->GoBack();
    case 9:
        reopen(*product, f.code9Page);
        break;
    case kOptionsToggle:
        toggleOptions(*product, *data);
        break;
    case 11:
        reopen(*product, f.code11Page);
        break;
    case 12:
        data->GoToRandomPage();
        break;
    case 13: case 14: case 15: case 16:
        return InstallScreenSaver(code_ - 13);
    case 18:
        if (plat::HWND main = product->GetProductWindow())
            plat::PostMessageA(main, plat::WM_CLOSE, 0, 0);
        break;
    case 20:
        changeTo(f.code20Target);
        break;
    case 21:
        goTo(*product, f.code21Target);
        break;
    case 22:
        goTo(*product, JxCNavPanel::IsSpecialPage(product->GetFirstPage()) ? f.specialCode22Target : f.code22Target);
        break;
    case kCloseOptionsOutside:
        closeOptionsOutside(*product, f);
        break;
    case 24:
        ResetQuizProgress();
        break;
    case 25:
        if (JxCNavPanel* bar = JxCNavPanel::FindCurrentPageEntry()) {
            bar->ResetButtons();
            bar->Draw(nullptr, nullptr, 1);
        }
        break;
    default:
        break;
    }
    return 1;
}
