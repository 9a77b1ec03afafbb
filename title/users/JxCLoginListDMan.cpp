#include "title/users/JxCLoginListDMan.h"

#include "foundation/JxCInStrStream.h"
#include "foundation/JxErrorReport.h"
#include "graphics/JxCStyleDef.h"
#include "graphics/JxCTextOut.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCCollArrangementManager.h"
#include "runtime/JxCCollageBase.h"
#include "runtime/JxCollManagerRegistry.h"
#include "runtime/JxObjectDC.h"
#include "title/JxCProductData.h"
#include "title/users/JxCUser.h"

namespace {

constexpr const char* kArrangementName = "Regular";

const JxCUserEntry* entryOf(const JxCCollItemRef& item)
{
    JxCUser* users = JxCLoginListDMan::Users();
    return users ? users->GetEntry(item.GetIndex()) : nullptr;
}

std::int16_t drawName(const JxCCollItemRef& item, const JxCRect& rect, JxCSlate* slate, std::int16_t selected)
{
    const JxCUserEntry* entry = entryOf(item);
    const char* name = entry && entry->userName.GetText() ? entry->userName.GetText() : "";
    const auto& list = static_cast<JxCLoginListDMan&>(item.GetDataManager());
    return DrawStyledText(slate, rect, name, list.GetStyle(), selected);
}

std::int16_t always(const JxCCollItemRef&, std::int32_t)
{
    return 1;
}

std::int16_t alwaysHits(const JxCCollItemRef&, const JxCPoint&)
{
    return 1;
}

void handCursor(const JxCCollItemRef&)
{
    if (JxCBaseProduct* product = GetProduct())
        product->SetCursor(JxCTableString("hand"));
}

JxCString nameOf(const JxCCollItemRef& item)
{
    const JxCUserEntry* entry = entryOf(item);
    return entry ? entry->userName : JxCString();
}

std::int32_t findName(JxCCollDataManager&, JxCString text)
{
    JxCUser* users = JxCLoginListDMan::Users();
    return users ? users->FindName(text) : -1;
}

}  // namespace

JxCLoginListDMan::JxCLoginListDMan()
{
    SetItemCallbacks(drawName, always, alwaysHits, handCursor, SelectAsAsked);
    SetTextCallbacks(nameOf, findName);
}

JxCUser* JxCLoginListDMan::Users()
{
    JxCProductData* data = GetTitleData();
    return data ? data->GetUser() : nullptr;
}

std::int16_t JxCLoginListDMan::Load(JxCInStrStream& in, JxCCollageBase*)
{
    return in.ReadBigEndian16To32(styleId_) ? 1 : 0;
}

std::int16_t JxCLoginListDMan::SetUp(JxCCollageBase* collage)
{
    JxCCollLinearDataManager::SetUp(collage);
    Refresh();
    if (!styleLooked_) {
        styleLooked_ = true;
        JxCStyleDef* styles = GetProductStyleDef();
        style_ = styles ? styles->FindCharacterStyle(styleId_) : nullptr;
        if (!style_)
            OhNoItsAnError(JxCBaseProduct::kTemporaryErrorId,
                           "JxCBasicListBox::Character style specified was not defined");
    }
    if (collage && collage->GetArrangementManager()) {
        JxObjectDC dc(*collage);
        JxCTextOut out(dc.Get(), style_, plat::POINT{0, 0}, nullptr);
        collage->GetArrangementManager()->SetLayoutValue(out.GetLineHeight());
    }
    return 1;
}

void JxCLoginListDMan::Refresh()
{
    JxCUser* users = Users();
    SetItemCount(users ? users->LoadList() : 0);
}

void RegisterLoginListManagers()
{
    RegisterDataManagerType(JxCTableString(JxCLoginListDMan::kName),
                            []() -> JxCCollDataManager* { return new JxCLoginListDMan; });
    RegisterArrangementManagerType(JxCTableString(kArrangementName),
                                   []() -> JxCCollArrangementManager* { return new JxCCollLinearArrangementManager; });
}

void UnregisterLoginListManagers()
{
    UnregisterDataManagerType(JxCTableString(JxCLoginListDMan::kName));
    UnregisterArrangementManagerType(JxCTableString(kArrangementName));
}
