#include "testkit/list_data.h"

#include "foundation/JxCInStrStream.h"
#include "foundation/JxErrorReport.h"
#include "foundation/JxLanguage.h"
#include "graphics/JxCStyleDef.h"
#include "graphics/JxCTextOut.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCCollArrangementManager.h"
#include "runtime/JxCCollageBase.h"
#include "runtime/JxObjectDC.h"
#include "runtime/JxCollManagerRegistry.h"

namespace testkit {

namespace {

std::vector<std::string>& nextTexts()
{
    static std::vector<std::string> texts;
    return texts;
}

const std::string* textOf(const JxCCollItemRef& item)
{
    const auto& list = static_cast<TextListData&>(item.GetDataManager());
    const std::int32_t i = item.GetIndex();
    return i >= 0 && std::size_t(i) < list.GetTexts().size() ? &list.GetTexts()[std::size_t(i)] : nullptr;
}

std::int16_t drawText(const JxCCollItemRef& item, const JxCRect& rect, JxCSlate* slate, std::int16_t selected)
{
    const std::string* text = textOf(item);
    const auto& list = static_cast<TextListData&>(item.GetDataManager());
    return DrawStyledText(slate, rect, text ? text->c_str() : "", list.GetStyle(), selected);
}

std::int16_t noteActivation(const JxCCollItemRef& item, std::int32_t value)
{
    static_cast<TextListData&>(item.GetDataManager()).activations.emplace_back(item.GetIndex(), value);
    return 1;
}

std::int16_t everyItemHits(const JxCCollItemRef&, const JxCPoint&)
{
    return 1;
}

void arrowCursor(const JxCCollItemRef&)
{
    if (JxCBaseProduct* product = GetProduct())
        product->SetCursor(JxCTableString("Arrow"));
}

std::int32_t selectAsAsked(const JxCCollItemRef& item, std::int32_t, std::int32_t)
{
    return item.GetIndex();
}

JxCString itemText(const JxCCollItemRef& item)
{
    const std::string* text = textOf(item);
    return JxCString(text ? text->c_str() : "");
}

int compareNoCase(const char* a, const char* b)
{
    return int(CompareNoCase(a, b));
}

}  // namespace

TextListData::TextListData(std::vector<std::string> texts) : texts_(std::move(texts))
{
    SetComparator(JxCComparator(compareNoCase));
    SetItemCallbacks(drawText, noteActivation, everyItemHits, arrowCursor, selectAsAsked);
    SetTextCallbacks(itemText, FindSortedText);
}

std::int16_t TextListData::Load(JxCInStrStream& in, JxCCollageBase*)
{
    return in.ReadBigEndian16To32(styleId_) ? 1 : 0;
}

std::int16_t TextListData::SetUp(JxCCollageBase* collage)
{
    if (!style_) {
        JxCStyleDef* styles = GetProductStyleDef();
        style_ = styles ? styles->FindCharacterStyle(styleId_) : nullptr;
        if (!style_)
            OhNoItsAnError(JxCBaseProduct::kTemporaryErrorId, "JxCBasicListBox::Character style specified was not defined");
    }
    if (collage && collage->GetArrangementManager()) {
        JxObjectDC dc(*collage);
        const JxCRect rect = collage->GetRect();
        const plat::RECT area{rect.left, rect.top, rect.right, rect.bottom};
        JxCTextOut out(dc.Get(), style_, plat::POINT{rect.left, rect.top}, &area);
        collage->GetArrangementManager()->SetLayoutValue(out.GetLineHeight());
    }
    Refresh();
    return 1;
}

void TextListData::Refresh()
{
    SetItemCount(std::int32_t(texts_.size()));
}

void RegisterTextListData(std::vector<std::string> texts)
{
    nextTexts() = std::move(texts);
    RegisterDataManagerType(JxCTableString(kTextListDataName),
                            []() -> JxCCollDataManager* { return new TextListData(nextTexts()); });
    RegisterArrangementManagerType(JxCTableString("Regular"),
                                   []() -> JxCCollArrangementManager* { return new JxCCollLinearArrangementManager; });
}

void UnregisterTextListData()
{
    UnregisterDataManagerType(JxCTableString(kTextListDataName));
    UnregisterArrangementManagerType(JxCTableString("Regular"));
}

}  // namespace testkit
