#include "runtime/JxCCollDataManager.h"

#include "foundation/JxCCollationKey.h"
#include "foundation/JxCTableString.h"
#include "runtime/JxCBaseProduct.h"

// --- The item reference --------------------------------------------------------

JxCCollItemRef::JxCCollItemRef(JxCCollDataManager& manager, std::int32_t index, JxCCollageBase* collage)
    : manager_(manager), index_(index), collage_(collage)
{
    manager_.Lock();
}

JxCCollItemRef::~JxCCollItemRef()
{
    manager_.Unlock();
}

// --- The defaults -----------------------------------------------------------------

namespace {

std::int16_t everyItemHits(const JxCCollItemRef&, const JxCPoint&)
{
    return 1;
}

std::int16_t drawNothing(const JxCCollItemRef&, const JxCRect&, JxCSlate*, std::int16_t)
{
    return 1;
}

std::int16_t activateNothing(const JxCCollItemRef&, std::int32_t)
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

JxCString noText(const JxCCollItemRef&)
{
    return JxCString();
}

std::int32_t findNothing(JxCCollDataManager&, JxCString)
{
    return -1;
}

std::int32_t oneUnitEach(const JxCCollItemRef& item)
{
    return item.GetIndex() + 1;
}

std::int32_t itemOfUnit(JxCCollLinearDataManager& manager, std::int32_t position)
{
    return position < manager.GetItemCount() ? position : -1;
}

}  // namespace

JxCCollDataManager::JxCCollDataManager()
    : ordering_(CompareBytes),
      hitItem_(everyItemHits),
      drawItem_(drawNothing),
      activateItem_(activateNothing),
      setItemCursor_(arrowCursor),
      selectItem_(selectAsAsked),
      getItemText_(noText),
      findText_(findNothing)
{
}

std::int16_t JxCCollDataManager::Load(JxCInStrStream&, JxCCollageBase*)
{
    return 1;
}

std::int16_t JxCCollDataManager::SetUp(JxCCollageBase*)
{
    return 1;
}

void JxCCollDataManager::SetItemCallbacks(DrawItemFn draw, ActivateItemFn activate, HitItemFn hit,
                                          SetItemCursorFn cursor, SelectItemFn select)
{
    drawItem_ = draw;
    activateItem_ = activate;
    hitItem_ = hit;
    setItemCursor_ = cursor;
    selectItem_ = select;
}

void JxCCollDataManager::SetTextCallbacks(GetItemTextFn getText, FindTextFn findText)
{
    getItemText_ = getText;
    findText_ = findText;
}

std::int32_t JxCCollDataManager::FindItemByText(JxCString text)
{
    JxManagerLock lock(*this);
    return findText_(*this, std::move(text));
}

// --- The linear data manager --------------------------------------------------------

JxCCollLinearDataManager::JxCCollLinearDataManager() : itemEndPosition_(oneUnitEach), itemAtPosition_(itemOfUnit)
{
}

void JxCCollLinearDataManager::SetPositionCallbacks(ItemEndPositionFn end, ItemAtPositionFn at)
{
    itemEndPosition_ = end;
    itemAtPosition_ = at;
}

std::int32_t JxCCollLinearDataManager::ItemEndPosition(std::int32_t index)
{
    JxCCollItemRef item(*this, index, GetCollage());
    return itemEndPosition_(item);
}

std::int32_t JxCCollLinearDataManager::ItemAtPosition(std::int32_t position)
{
    JxManagerLock lock(*this);
    return itemAtPosition_(*this, position);
}

std::int32_t JxCCollLinearDataManager::FindSortedText(JxCCollDataManager& manager, JxCString text)
{
    auto* linear = dynamic_cast<JxCCollLinearDataManager*>(&manager);
    // Without items there is nothing to read, not even a last one.
    const std::int32_t count = linear ? linear->GetItemCount() : 0;
    if (count <= 0)
        return -1;
    const JxCComparator& ordering = manager.GetComparator();
    auto compareWith = [&](std::int32_t index) {
        JxCCollItemRef item(manager, index, manager.GetCollage());
        JxCCollationKey given(text);
        JxCCollationKey stored(manager.GetItemText(item));
        return ordering.Compare(given, stored);
    };
    const std::int32_t last = count - 1;
    if (compareWith(last) > 0)
        return last;
    std::int32_t low = -1;
    std::int32_t high = last;
    while (low + 1 < high) {
        const std::int32_t mid = low + (high - low) / 2;
        if (compareWith(mid) <= 0)
            high = mid;
        else
            low = mid;
    }
    return high;
}
