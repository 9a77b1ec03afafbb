// The panel's input: mouse and keys from the page to the display object
// under the point, with the capture, hover and focus objects; its start and
// its part in closing member pages.

#include "platform/window/window.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCKeyParams.h"
#include "runtime/JxCPageObject.h"
#include "runtime/JxCPanelObject.h"

JxCPoint JxCPanelObject::ToContent(const JxCPoint& point) const
{
    const std::int32_t caption = ownerPage_ ? ownerPage_->GetCaptionHeight() : 0;
    return JxCPoint(std::int16_t(point.x + scroll_.cx - rect_.left),
                    std::int16_t(point.y + scroll_.cy - rect_.top - caption));
}

JxCPoint JxCPanelObject::GetCursorPos() const
{
    plat::POINT point{};
    plat::GetCursorPos(&point);
    if (plat::HWND window = ownerPage_ ? ownerPage_->GetWindow() : nullptr)
        plat::ScreenToClient(window, &point);
    return ToContent(JxCPoint(std::int16_t(point.x), std::int16_t(point.y)));
}

JxCDisplayObject* JxCPanelObject::FindObjectAtPoint(const JxCPoint& point)
{
    for (JxCDisplayObject* object = objects_.GetLast(); object; object = objects_.GetPrev(object))
        if (object->HitTest(point))
            return object;
    return nullptr;
}

void JxCPanelObject::CaptureMouse(JxCDisplayObject* object)
{
    captureObject_ = object;
    if (ownerPage_)
        ownerPage_->SetCapturePanel(this);
}

std::int16_t JxCPanelObject::MouseDown(const JxCPoint& point)
{
    const JxCPoint at = ToContent(point);
    JxCDisplayObject* object = FindObjectAtPoint(at);
    if (!object)
        return 0;
    if (!object->TestOptionFlags(JxCDisplayObject::kOptionOwnCapture))
        CaptureMouse(object);
    object->MouseDown(at);
    return 1;
}

std::int16_t JxCPanelObject::MouseUp(const JxCPoint& point)
{
    const JxCPoint at = ToContent(point);
    if (captureObject_ && captureObject_->TestOptionFlags(JxCDisplayObject::kOptionOwnCapture))
        return captureObject_->MouseUp(at, 0);
    if (captureObject_) {
        if (JxCBaseProduct* product = GetProduct())
            product->ReleaseMouseCapture();
        captureObject_ = nullptr;
    }
    // The release goes to the object under the point, which need not be the
    // one that was pressed.
    if (JxCDisplayObject* object = FindObjectAtPoint(at))
        object->MouseUp(at, 0);
    return 1;
}

std::int16_t JxCPanelObject::MouseDoubleClick(const JxCPoint& point)
{
    const JxCPoint at = ToContent(point);
    if (JxCDisplayObject* object = FindObjectAtPoint(at))
        object->MouseDoubleClick(at);
    return 1;
}

std::int16_t JxCPanelObject::MouseMove(const JxCPoint& point)
{
    const JxCPoint at = ToContent(point);
    if (captureObject_) {
        captureObject_->MouseMove(at);
        return 1;
    }
    JxCDisplayObject* object = FindObjectAtPoint(at);
    if (!object) {
        if (JxCBaseProduct* product = GetProduct())
            product->SetCursor(DefaultCursorName());
        return 1;
    }
    if (object != hoverObject_) {
        if (hoverObject_)
            hoverObject_->MouseLeave();
        hoverObject_ = object;
        object->MouseEnter();
    }
    object->MouseMove(at);
    return 1;
}

std::int16_t JxCPanelObject::MouseLeave()
{
    if (hoverObject_)
        hoverObject_->MouseLeave();
    hoverObject_ = nullptr;
    return 1;
}

std::int16_t JxCPanelObject::HandleKey(JxCKeyParams& key)
{
    if (focusObject_) {
        focusObject_->HandleKey(key);
    } else if (captureObject_) {
        captureObject_->HandleKey(key);
    } else {
        for (JxCDisplayObject* object = objects_.GetFirst(); object; object = objects_.GetNext(object))
            object->HandleKey(key);
    }
    return 1;
}

std::int16_t JxCPanelObject::Start()
{
    for (JxCDisplayObject* object = objects_.GetFirst(); object; object = objects_.GetNext(object))
        if (!object->Start())
            return 0;
    return 1;
}

void JxCPanelObject::UpdateActive()
{
    pageCloseIfClicked_ = ownerPage_ && ownerPage_->HasUnlinkedMember() ? 1 : 0;
}

std::int16_t JxCPanelObject::TestPageIndex(std::int16_t& flag, std::int16_t mode)
{
    flag = 0;
    JxCBaseProduct* product = GetProduct();
    if (!ownerPage_ || !product)
        return 1;
    const std::int32_t before = product->GetPageCount();
    ownerPage_->CloseMemberPages(mode);
    flag = product->GetPageCount() < before ? 1 : 0;
    return 1;
}
