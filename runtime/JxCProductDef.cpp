#include "runtime/JxCProductDef.h"

#include "foundation/JxErrorReport.h"

JxCTemplateDef* JxCProductDef::FindTemplateDef(std::int16_t templateId)
{
    for (JxCTemplateDef* def = templates_.GetFirst(); def; def = templates_.GetNext(def))
        if (def->GetTemplateId() == templateId)
            return def;
    OhNoItsAnError(kNoTemplateId, templateId);
    return nullptr;
}
