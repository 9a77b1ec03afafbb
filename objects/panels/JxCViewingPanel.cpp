#include "objects/panels/JxCViewingPanel.h"

#include "events/JxCTitleHooks.h"
#include "graphics/JxCSlate.h"
#include "objects/widgets/JxCBitmap.h"
#include "platform/window/window.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCDisplayObject.h"
#include "runtime/JxCPageObject.h"
#include "runtime/JxKeywordTables.h"

JxCViewingPanel::~JxCViewingPanel()
{
    MarkClosing();
    std::int16_t closed = 0;
    TestPageIndex(closed, 1);
    JxCBaseProduct* product = GetProduct();
    JxCPageObject* focus = product ? product->GetFocusPage() : nullptr;
    if (focus && product->HasPage(focus) && focus->GetWindow())
        focus->DrawFrame();
}

std::int16_t JxCViewingPanel::Start()
{
    DispatchEvent(std::int16_t(EventId(JxEventKeyword::on_open)), std::int16_t(PanelTypeId(JxPanelKeyword::Display)));
    return JxCPanelObject::Start();
}

void JxCViewingPanel::releaseToCaptured(JxCDisplayObject& object, const JxCPoint& at, bool membersClosed,
                                        bool closingClick)
{
    // A release that closed popups is spent on them, unless the logbook
    // showed when it came. The object drew its pressed look on the screen
    // when the mouse went down; it is drawn again so that look goes too.
    if (membersClosed && !closingClick) {
        Draw(nullptr, &object.GetRect(), 1);
        return;
    }
    if (object.TestOptionFlags(JxCDisplayObject::kOptionOwnCapture) || object.HitTest(at))
        object.MouseUp(at, closingClick ? 1 : 0);
    else
        StopActiveObjects(0);
}

void JxCViewingPanel::resetNavigationBar()
{
    // A pop-up closed over a base page no longer shows in the title's bar.
    JxCPageObject* page = GetParent();
    const JxCPageDef* def = page ? page->GetPageDef() : nullptr;
    if (!def || def->GetPageType() != PageTypeId(JxPageKeyword::BASE_PAGE))
        return;
    JxCTitleHooks& hooks = GetTitleHooks();
    if (JxCRunTimeObject* bar = hooks.FindCurrentPageEntry())
        hooks.ResetButtons(bar);
}

std::int16_t JxCViewingPanel::MouseUp(const JxCPoint& point)
{
    JxCBaseProduct* product = GetProduct();
    if (!product)
        return JxCPanelObject::MouseUp(point);
    const JxCPoint at = ToContent(point);
    std::int16_t result = 1;
    product->MarkBusy();
    if (JxCDisplayObject* captured = GetCaptureObject()) {
        ReleaseCaptureObject();
        product->ReleaseMouseCapture();
        // While the logbook shows, what plays goes on playing.
        const bool closingClick = IsActive() && GetTitleHooks().IsLogbookOpen();
        if (IsActive() && !closingClick)
            StopActiveObjects(0);
        std::int16_t closed = 0;
        if (TestPageIndex(closed, 0)) {
            if (closed)
                resetNavigationBar();
            releaseToCaptured(*captured, at, closed != 0, closingClick);
        } else {
            result = 0;
        }
    } else {
        std::int16_t closed = 0;
        if (!TestPageIndex(closed, 0))
            result = 0;
    }
    if (JxCPageObject* focus = product->GetFocusPage(); focus && product->HasPage(focus))
        focus->DrawFrame();
    product->MarkIdle();
    return result;
}

// --- The transparent panel -----------------------------------------------------

namespace {

// A point of one window's client area in another's.
plat::POINT between(plat::HWND from, plat::HWND to, plat::POINT point)
{
    plat::ClientToScreen(from, &point);
    plat::ScreenToClient(to, &point);
    return point;
}

}  // namespace

JxCBitmap* JxCTransparentPanel::seeThroughBitmap()
{
    return dynamic_cast<JxCBitmap*>(GetDisplayObjects().GetFirst());
}

std::int16_t JxCTransparentPanel::Start()
{
    if (JxCBitmap* bitmap = seeThroughBitmap()) {
        bitmap->Activate();
        Draw(nullptr, nullptr, 1);
    }
    return JxCViewingPanel::Start();
}

std::int16_t JxCTransparentPanel::PaintBackground(JxCSlate* slate, const JxCRect& rect, std::int16_t flag)
{
    if (!transparent_ || !seeThroughBitmap())
        return JxCPanelObject::PaintBackground(slate, rect, 0);
    if (flag && slate)
        paintPagesBeneath(*slate, rect);
    return 1;
}

void JxCTransparentPanel::paintPagesBeneath(JxCSlate& slate, const JxCRect& rect)
{
    JxCBaseProduct* product = GetProduct();
    JxCPageObject* own = GetParent();
    if (!product || !own || !own->GetWindow())
        return;
    // The rectangle in the own window's client coordinates.
    const JxCPoint scroll = GetScrollOffset();
    const std::int32_t toWindowX = GetRect().left - scroll.x;
    const std::int32_t toWindowY = GetRect().top - scroll.y + own->GetCaptionHeight();
    JxCPageObjectList& pages = product->GetPageList();
    for (JxCPageObject* page = pages.GetFirst(); page && page != own; page = pages.GetNext(page)) {
        if (!page->GetWindow())
            continue;
        const plat::POINT at = between(own->GetWindow(), page->GetWindow(),
                                       plat::POINT{rect.left + toWindowX, rect.top + toWindowY});
        // The page's coordinates less its caption, and how far they lie
        // from this panel's content coordinates.
        const std::int32_t dx = at.x - rect.left;
        const std::int32_t dy = at.y - page->GetCaptionHeight() - rect.top;
        JxCRect clip = rect;
        clip.Offset(dx, dy);
        slate.OffsetOrigin(dx, dy);
        page->DrawPanels(&slate, clip, 0);
        slate.OffsetOrigin(-dx, -dy);
    }
}

bool JxCTransparentPanel::IsOverTransparentPixel(const JxCPoint& point)
{
    JxCBitmap* bitmap = seeThroughBitmap();
    if (!bitmap || !bitmap->GetRecord() || !bitmap->GetRecord()->GetImage())
        return false;
    const JxCPoint at = ToContent(point);
    const JxCRect& rect = bitmap->GetRect();
    const JxCPoint within(std::int16_t(at.x - rect.left), std::int16_t(at.y - rect.top));
    return IsTransparentPixelAt(*bitmap, *bitmap->GetRecord()->GetImage(), within) != 0;
}

std::int16_t JxCTransparentPanel::MouseUp(const JxCPoint& point)
{
    if (IsOverTransparentPixel(point))
        return PassMouseUpBeneath(point);
    return JxCViewingPanel::MouseUp(point);
}

JxCPageObject* JxCTransparentPanel::FindPageBeneath(const JxCPoint& point) const
{
    JxCBaseProduct* product = GetProduct();
    JxCPageObject* own = GetParent();
    if (!product || !own || !own->GetWindow())
        return nullptr;
    JxCPageObject* found = nullptr;
    JxCPageObjectList& pages = product->GetPageList();
    for (JxCPageObject* page = pages.GetFirst(); page && page != own; page = pages.GetNext(page)) {
        if (!page->GetWindow())
            continue;
        const plat::POINT at = between(own->GetWindow(), page->GetWindow(), plat::POINT{point.x, point.y});
        const JxCSize size = page->GetPageSize();
        if (at.x >= 0 && at.y >= 0 && at.x < size.cx && at.y < size.cy)
            found = page;
    }
    return found;
}

std::int16_t JxCTransparentPanel::PassMouseUpBeneath(const JxCPoint& point)
{
    JxCDisplayObject* captured = GetCaptureObject();
    if (captured && captured->TestOptionFlags(JxCDisplayObject::kOptionOwnCapture))
        return captured->MouseUp(ToContent(point), 0);
    if (captured) {
        ReleaseCaptureObject();
        if (JxCBaseProduct* product = GetProduct())
            product->ReleaseMouseCapture();
    }
    JxCPageObject* beneath = FindPageBeneath(point);
    if (!beneath)
        return 0;
    const plat::POINT at = between(GetParent()->GetWindow(), beneath->GetWindow(), plat::POINT{point.x, point.y});
    beneath->MouseUp(JxCPoint(std::int16_t(at.x), std::int16_t(at.y)));
    return 1;
}
