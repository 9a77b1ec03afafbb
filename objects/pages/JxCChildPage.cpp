#include "objects/pages/JxCChildPage.h"

#include "platform/window/window.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCProductDef.h"
#include "runtime/JxCWindowClass.h"

JxCChildPage::~JxCChildPage()
{
    if (plat::HWND window = GetWindow(); window && plat::IsWindow(window))
        plat::DestroyWindow(window);
    JxCBaseProduct* product = GetProduct();
    if (product && parent_ && product->HasPage(parent_) && !parent_->IsClosing())
        product->SetCurrentPage(parent_);
}

std::int16_t JxCChildPage::Init(JxCPageDef* def)
{
    JxCBaseProduct* product = GetProduct();
    JxCPageObject* current = product ? product->GetCurrentPage() : nullptr;
    if (!current || !JxCPageObject::Init(def))
        return 0;
    parent_ = current;
    if (const JxCTemplateDef* templateDef = FindTemplate())
        SetTemplateParams(templateDef->GetParameter1(), 0);
    return 1;
}

JxCPoint JxCChildPage::GetWindowPosition() const
{
    JxCPoint at;
    JxCPoint offset = GetPageDef() ? GetPageDef()->GetPosition() : JxCPoint();
    JxCTemplateDef* templateDef = FindTemplate();
    if (!templateDef)
        return offset;
    if (templateDef->HasAnchor()) {
        JxCBaseProduct* product = GetProduct();
        JxCTemplateDef* anchor = product && product->GetProductDef()
                                     ? product->GetProductDef()->FindTemplateDef(
                                           std::int16_t(templateDef->GetAnchorTemplateId()))
                                     : nullptr;
        if (const JxCPanelDef* panel =
                anchor ? anchor->FindPanelDef(std::int16_t(templateDef->GetAnchorPanelId())) : nullptr)
            at = panel->position;
    }
    if (templateDef->HasOffset()) {
        const std::int32_t caption = parent_ ? parent_->GetCaptionHeight() : 0;
        offset = JxCPoint(templateDef->GetOffset().x, std::int16_t(templateDef->GetOffset().y + caption));
    }
    return JxCPoint(std::int16_t(at.x + offset.x), std::int16_t(at.y + offset.y));
}

std::int16_t JxCChildPage::CreateResources()
{
    if (!makePanelResources())
        return 0;
    makingResources_ = 1;
    const JxCSize size = GetPageSize();
    const JxCPoint at = GetWindowPosition();
    JxCWindowCreateParams params;
    params.x = at.x;
    params.y = at.y;
    params.width = size.cx;
    params.height = size.cy;
    params.style = plat::WS_CHILD | plat::WS_VISIBLE;
    params.parent = parent_ ? parent_->GetWindow() : nullptr;
    SetWindow(CreateAppWindow(kMainWindowClassName, params));
    makingResources_ = 0;
    return GetWindow() ? 1 : 0;
}
