#include "objects/pages/JxCFirstPaintPage.h"

#include "events/JxCRunTimeObject.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCProductDef.h"
#include "runtime/JxKeywordTables.h"

void JxCFirstPaintPage::Refresh()
{
    if (firstPaint_) {
        JxCBaseProduct* product = GetProduct();
        if (!product || !product->GetProductWindow())
            return;
        // The first paint it serves before posting may close this page.
        JxCLifeWatch self(this);
        // A refused post leaves the word set: the next refresh tries again.
        const std::int16_t posted = product->PostFirstPaint(this);
        if (self.IsDead())
            return;
        if (posted)
            firstPaint_ = 0;
    }
    JxCPageObject::Refresh();
}

std::int16_t JxCFirstPaintPage::Start()
{
    const JxCPageDef* def = GetPageDef();
    const std::int16_t key = def ? std::int16_t(def->GetPageType()) : 0;
    DispatchEvent(std::int16_t(EventId(JxEventKeyword::on_open)), key);
    return JxCPageObject::Start();
}

JxCTemplateDef* JxCFirstPaintPage::FindTemplate() const
{
    JxCBaseProduct* product = GetProduct();
    JxCProductDef* productDef = product ? product->GetProductDef() : nullptr;
    const JxCPageDef* def = GetPageDef();
    return productDef && def ? productDef->FindTemplateDef(def->GetTemplateId()) : nullptr;
}

std::int16_t JxCFirstPaintPage::makePanelResources()
{
    makingResources_ = 1;
    const std::int16_t made = CreatePanelResources();
    makingResources_ = 0;
    return made;
}
