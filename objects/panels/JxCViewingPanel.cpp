#include "objects/panels/JxCViewingPanel.h"

#include "events/JxCTitleHooks.h"
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
    // showed when it came.
    if (membersClosed && !closingClick)
        return;
    if (object.TestOptionFlags(JxCDisplayObject::kOptionOwnCapture) || object.HitTest(at))
        object.MouseUp(at, closingClick ? 1 : 0);
    else
        StopActiveObjects(0);
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
        if (TestPageIndex(closed, 0))
            releaseToCaptured(*captured, at, closed != 0, closingClick);
        else
            result = 0;
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
