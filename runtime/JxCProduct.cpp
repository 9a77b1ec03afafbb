#include "runtime/JxCProduct.h"

#include "runtime/JxCPageDef.h"
#include "runtime/JxClassFactories.h"

JxCPageDef* JxCProduct::NewPageDef()
{
    return CreateGavoPageDef();
}

JxCPageObject* JxCProduct::NewPageForDef(const JxCPageDef& def)
{
    return CreatePageOfType(def.GetPageType());
}

JxCPanelObject* JxCProduct::NewPanelById(JxCPanelTypeId type)
{
    return CreatePanelById(type);
}
