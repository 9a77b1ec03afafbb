#include "title/widgets/JxListBoxData.h"

#include "foundation/JxCInStrStream.h"
#include "foundation/JxErrorReport.h"
#include "foundation/JxLanguage.h"
#include "graphics/JxBitmapLoaders.h"
#include "graphics/JxCStyleDef.h"
#include "graphics/JxCTextOut.h"
#include "graphics/JxDibUtils.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCCollArrangementManager.h"
#include "runtime/JxCCollageBase.h"
#include "runtime/JxCIndex.h"
#include "runtime/JxCollManagerRegistry.h"
#include "runtime/JxObjectDC.h"
#include "runtime/JxSharedBitmaps.h"
#include "title/JxCProductData.h"
#include "title/users/JxCUserRecord.h"

namespace {

constexpr char kTickName[] = "TICK";

// --- What both kinds of list share ----------------------------------------------

JxCCharStyleObject* findStyle(std::int32_t styleId)
{
    JxCProductData* data = GetTitleData();
    JxCStyleDef* styles = data ? data->GetStyleDef() : nullptr;
    JxCCharStyleObject* style = styles ? styles->FindCharacterStyle(styleId) : nullptr;
    if (!style)
        OhNoItsAnError(JxCBaseProduct::kTemporaryErrorId, "JxCBasicListBox::Character style specified was not defined");
    return style;
}

// One text line of the style is one position unit of the collage.
void measureLines(JxCCollageBase* collage, JxCCharStyleObject* style)
{
    if (!collage || !collage->GetArrangementManager())
        return;
    JxObjectDC dc(*collage);
    const JxCRect rect = collage->GetRect();
    const plat::RECT area{rect.left, rect.top, rect.right, rect.bottom};
    JxCTextOut out(dc.Get(), style, plat::POINT{rect.left, rect.top}, &area);
    collage->GetArrangementManager()->SetLayoutValue(out.GetLineHeight());
}

JxCIndexItem* entryOf(JxCIndex* list, std::int32_t index)
{
    return list ? list->GetAt(index) : nullptr;
}

JxCString nameOf(JxCIndex* list, std::int32_t index)
{
    JxCIndexItem* entry = entryOf(list, index);
    return entry ? entry->GetName() : JxCString();
}

int compareNoCase(const char* a, const char* b)
{
    return int(CompareNoCase(a ? a : "", b ? b : ""));
}

// Goes to the entry's pages; 0, and nothing done, for an index that names
// no entry.
std::int16_t goToEntry(JxCIndex* list, std::int32_t index, bool remember)
{
    JxCIndexItem* entry = entryOf(list, index);
    if (!entry)
        return 0;
    if (remember)
        if (JxCProductData* data = GetTitleData())
            data->SetListSelection(index);
    entry->GoTo();
    return 1;
}

// --- The simple list -------------------------------------------------------------

JxCSimpleListBoxData& simpleList(const JxCCollItemRef& item)
{
    return static_cast<JxCSimpleListBoxData&>(item.GetDataManager());
}

JxCString simpleText(const JxCCollItemRef& item)
{
    return nameOf(simpleList(item).GetList(), item.GetIndex());
}

std::int16_t drawSimple(const JxCCollItemRef& item, const JxCRect& rect, JxCSlate* slate, std::int16_t selected)
{
    const JxCString name = simpleText(item);
    return DrawStyledText(slate, rect, name.GetText() ? name.GetText() : "", simpleList(item).GetStyle(), selected);
}

std::int16_t activateSimple(const JxCCollItemRef& item, std::int32_t)
{
    return goToEntry(simpleList(item).GetList(), item.GetIndex(), true);
}

// --- The visit lists ----------------------------------------------------------------

JxVisitShowAll& visitList(const JxCCollItemRef& item)
{
    return static_cast<JxVisitShowAll&>(item.GetDataManager());
}

JxCString visitText(const JxCCollItemRef& item)
{
    return nameOf(visitList(item).GetList(), item.GetIndex());
}

std::int16_t drawVisit(const JxCCollItemRef& item, const JxCRect& rect, JxCSlate* slate, std::int16_t selected)
{
    JxVisitShowAll& list = visitList(item);
    const std::int32_t tickWidth = GetBitmapWidth(list.GetTick());
    JxCRect tickRect = rect;
    tickRect.right = std::int16_t(rect.left + tickWidth);
    JxCRect textRect = rect;
    textRect.left = std::int16_t(rect.left + tickWidth + JxVisitShowAll::kTickGap);
    if (tickWidth > 0 && list.IsTicked(item.GetIndex()) && item.GetCollage())
        DrawBitmapAt(*item.GetCollage(), &list.GetTick(), tickRect, JxCPoint(), slate, 1);
    // The highlight covers the name only, never the tick column.
    const JxCString name = visitText(item);
    return DrawStyledText(slate, textRect, name.GetText() ? name.GetText() : "", list.GetStyle(), selected);
}

std::int16_t activateVisit(const JxCCollItemRef& item, std::int32_t)
{
    return goToEntry(visitList(item).GetList(), item.GetIndex(), false);
}

JxCUserRecord* loggedInRecord()
{
    JxCProductData* data = GetTitleData();
    return data ? data->GetUserRecord() : nullptr;
}

JxCCollArrangementManager* makeRegular()
{
    return new (std::nothrow) JxCCollLinearArrangementManager;
}

template <class T>
JxCCollDataManager* makeData()
{
    return new (std::nothrow) T;
}

}  // namespace

// --- JxCSimpleListBoxData -------------------------------------------------------------

JxCSimpleListBoxData::JxCSimpleListBoxData()
{
    SetComparator(JxCComparator(compareNoCase));
    SetItemCallbacks(drawSimple, activateSimple, WholeItemHits, ArrowCursor, SelectAsAsked);
    SetTextCallbacks(simpleText, FindSortedText);
}

std::int16_t JxCSimpleListBoxData::Load(JxCInStrStream& in, JxCCollageBase*)
{
    return in.ReadBigEndian16To32(styleId_) ? 1 : 0;
}

std::int16_t JxCSimpleListBoxData::SetUp(JxCCollageBase* collage)
{
    JxCProductData* data = GetTitleData();
    list_ = data ? data->GetIndex() : nullptr;
    entryCount_ = list_ ? list_->GetCount() : 0;
    if (!style_)
        style_ = findStyle(styleId_);
    measureLines(collage, style_);
    SetItemCount(entryCount_);
    return 1;
}

// --- JxVisitShowAll -------------------------------------------------------------------

JxVisitShowAll::JxVisitShowAll()
{
    SetItemCallbacks(drawVisit, activateVisit, WholeItemHits, ArrowCursor, SelectAsAsked);
    SetTextCallbacks(visitText, FindSortedText);
}

JxVisitShowAll::~JxVisitShowAll()
{
    DeleteBitmapRecord(tick_);
}

std::int16_t JxVisitShowAll::Load(JxCInStrStream& in, JxCCollageBase*)
{
    return in.ReadBigEndian16To32(styleId_) ? 1 : 0;
}

JxCIndex* JxVisitShowAll::TakeList()
{
    JxCProductData* data = GetTitleData();
    return data ? data->GetVisitData() : nullptr;
}

std::int16_t JxVisitShowAll::SetUp(JxCCollageBase* collage)
{
    list_ = TakeList();
    entryCount_ = list_ ? list_->GetCount() : 0;
    if (!style_)
        style_ = findStyle(styleId_);
    measureLines(collage, style_);
    SetItemCount(entryCount_);
    // A set-up made again takes the picture afresh.
    DeleteBitmapRecord(tick_);
    tick_ = LoadBitmapResourceByName(kTickName, 1);
    return 1;
}

bool JxVisitShowAll::IsTicked(std::int32_t index) const
{
    const JxCUserRecord* record = loggedInRecord();
    return record && record->IsVisited(index);
}

// --- The built visit lists ----------------------------------------------------------

JxCIndex* JxCFilteredVisitList::TakeList()
{
    auto built = std::make_unique<JxCIndex>();
    built->SetOwnsItems(0);
    JxCProductData* data = GetTitleData();
    const JxCIndex* source = data ? data->GetVisitData() : nullptr;
    const JxCUserRecord* record = loggedInRecord();
    for (std::int32_t i = 0; source && i < source->GetCount(); ++i) {
        const bool visited = record && record->IsVisited(i);
        if (visited == keepVisited_)
            built->Add(source->GetAt(i));
    }
    // The list it replaces is no longer shown by anybody.
    built_ = std::move(built);
    return built_.get();
}

// --- Registrations ---------------------------------------------------------------------

void RegisterListBoxData()
{
    RegisterArrangementManagerType(JxCTableString("Regular"), makeRegular);
    RegisterDataManagerType(JxCTableString("SimpleLBData"), makeData<JxCSimpleListBoxData>);
    RegisterArrangementManagerType(JxCTableString("Regular"), makeRegular);
    RegisterDataManagerType(JxCTableString("VisitAll"), makeData<JxVisitShowAll>);
    RegisterDataManagerType(JxCTableString("ToBeVisited"), makeData<JxCToBeVisited>);
    RegisterDataManagerType(JxCTableString("Visited"), makeData<JxCVisited>);
}

void UnregisterListBoxData()
{
    for (const char* name : {"SimpleLBData", "VisitAll", "ToBeVisited", "Visited"})
        UnregisterDataManagerType(JxCTableString(name));
    UnregisterArrangementManagerType(JxCTableString("Regular"));
    UnregisterArrangementManagerType(JxCTableString("Regular"));
}
