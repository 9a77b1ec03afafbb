#include "title/panels/JxCGv2BasePage.h"

#include "title/JxCProductData.h"

void JxCGv2BasePage::HandleKey(JxCKeyParams& key)
{
    JxCProductData* data = GetTitleData();
    const JxCPageDef* def = GetPageDef();
    if (data && def && def->GetTemplateId() == data->GetKeyWatchTemplate())
        data->OnKey(key);
    JxCBasePage::HandleKey(key);
}
