#include "runtime/JxCPageObject.h"

#include <algorithm>

#include "platform/window/window.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCPanelObject.h"

JxCPageObject::JxCPageObject() = default;

JxCPageObject::~JxCPageObject() = default;

std::int16_t JxCPageObject::Init(JxCPageDef* def)
{
    if (!def)
        return 0;
    def_.reset(def);
    return 1;
}

std::int32_t JxCPageObject::GetPageId() const
{
    return def_ ? def_->GetPageId() : 0;
}

std::int16_t JxCPageObject::Start()
{
    // The panels start with the objects layer; the cursor follows the
    // object under the mouse now that the page is there.
    if (JxCBaseProduct* product = GetProduct())
        product->RefreshMouseOver();
    return 1;
}

void JxCPageObject::MouseMove(const JxCPoint&) {}

void JxCPageObject::EndCapture()
{
    if (capturePanel_)
        capturePanel_->ReleaseCaptureObject();
    capturePanel_ = nullptr;
}

void JxCPageObject::SetCapturePanel(JxCPanelObject* panel)
{
    capturePanel_ = panel;
    if (plat::HWND window = GetWindow())
        plat::SetCapture(window);
    if (JxCBaseProduct* product = GetProduct())
        product->SetCapturePage(this);
}

void JxCPageObject::ForgetPanel(const JxCPanelObject* panel)
{
    if (capturePanel_ == panel)
        capturePanel_ = nullptr;
}

JxCPanelObjectList* JxCPageObject::GetPanelList() const
{
    return def_ ? &def_->GetPanelList() : nullptr;
}

void JxCPageObject::AddMember(JxCPageObject* page)
{
    if (page && !HasMember(page))
        members_.push_back(page);
}

void JxCPageObject::RemoveMember(const JxCPageObject* page)
{
    std::erase(members_, page);
}

bool JxCPageObject::HasMember(const JxCPageObject* page) const
{
    return std::find(members_.begin(), members_.end(), page) != members_.end();
}

void JxCPageObject::ForgetPage(const JxCNotifyRoot* dying)
{
    if (opener_ && static_cast<const JxCNotifyRoot*>(opener_) == dying)
        opener_ = nullptr;
    std::erase_if(members_, [dying](const JxCPageObject* page) { return static_cast<const JxCNotifyRoot*>(page) == dying; });
}

JxCPageObjectList::~JxCPageObjectList()
{
    // The product closes its pages itself; what is left goes with the list.
    while (JxCPageObject* page = GetFirst()) {
        Remove(page);
        delete page;
    }
}

std::int16_t JxCPageObjectList::ClosePage(JxCPageObject* page)
{
    if (!page || !FindNode(page))
        return 0;
    Remove(page);
    if (JxCBaseProduct* product = GetProduct()) {
        product->GetSecondaryPageList().Remove(page);
        product->GetTopmostPageList().Remove(page);
        if (product->GetCapturePage() == page)
            product->ReleaseMouseCapture();
    }
    // Deleting it makes the product forget every link to it.
    delete page;
    return 1;
}
