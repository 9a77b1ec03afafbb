#include "title/actions/JxTitlePageActions.h"

#include "runtime/JxCBaseProduct.h"
#include "runtime/JxKeywordTables.h"
#include "title/JxCProductData.h"

JxCAppendPageAction::JxCAppendPageAction()
{
    SetType(ActionTypeId(JxActionKeyword::AppendPageAction));
}

std::int16_t JxCAppendPageAction::Execute()
{
    JxCBaseProduct* product = GetProduct();
    if (!product)
        return 0;
    JxCPageObjectList& pages = product->GetPageList();
    JxCPageObject* page = pages.GetLast();
    while (page && page->GetKeepOpen())
        page = pages.GetPrev(page);
    if (!page)
        return 0;
    product->SetCurrentPage(page);
    product->SetFocusPage(page);
    return JxCOpenPageAction::Execute();
}

JxCFirstLogAction::JxCFirstLogAction()
{
    SetType(ActionTypeId(JxActionKeyword::Firstlog));
}

std::int16_t JxCFirstLogAction::Execute()
{
    JxCProductData* data = GetTitleData();
    JxCUser* users = data ? data->GetUser() : nullptr;
    if (users) {
        // A list never read yet says nothing about the users' files.
        std::int32_t count = users->GetEntryCount();
        if (count == 0)
            count = users->LoadList();
        if (count > 0)
            return 1;
    }
    return JxCOpenPageAction::Execute();
}
