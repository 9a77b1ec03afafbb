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
