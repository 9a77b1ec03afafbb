#include "runtime/JxCPageDef.h"

#include <memory>

#include "foundation/JxCInStrStream.h"
#include "foundation/JxErrorReport.h"
#include "runtime/JxCBaseProduct.h"

std::int16_t JxCPageDef::Load(std::int32_t pageId)
{
    pageId_ = pageId;
    const std::int16_t built = Build();
    JxCBaseProduct* product = GetProduct();
    if (built && product && product->GetProductDef())
        pageType_ = product->GetProductDef()->GetTemplatePageType(templateId_);
    // Every load counts, a failed one too: the statistics show what was asked for.
    if (product)
        product->RecordPageAccess(pageId);
    return built;
}

JxCString JxCPageDef::GetDataPath()
{
    JxCBaseProduct* product = GetProduct();
    JxCString path = product && product->GetProductDef() ? product->GetProductDef()->GetSecondText() : JxCString();
    path += JxCTableString("\\");
    return path;
}

std::int16_t JxCPageDef::Build()
{
    JxCBaseProduct* product = GetProduct();
    JxCInStrStream* in = product ? product->GetPageRecordStream(pageId_) : nullptr;
    if (!in) {
        OhNoItsAnError(kNoPageDataId, pageId_);
        return 0;
    }
    std::uint16_t templateId = 0;
    if (!in->ReadPageTypeId(pageType_).ReadBigEndian16(templateId).ReadBigEndianPoint(position_))
        return 0;
    templateId_ = std::int16_t(templateId);
    if (!ReadTableString(*in, name_))
        return 0;
    if (!ReadScope(*in))
        return 0;

    std::uint16_t count = 0;
    if (!in->ReadBigEndian16(count))
        return 0;
    for (std::uint16_t i = 0; i < count; ++i) {
        JxCPanelTypeId type;
        if (!in->ReadPanelTypeId(type))
            return 0;
        std::unique_ptr<JxCPanelObject> panel(product->NewPanelById(type));
        if (!panel || !panel->Read(*in, this))
            return 0;
        panels_.Add(panel.release());
    }
    if (!GetEventHandlers().Read(*in, this))
        return 0;
    return ReadOwnFields(*in);
}
