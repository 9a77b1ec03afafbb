#include "runtime/JxCCollArrangementManager.h"

#include "runtime/JxCCollDataManager.h"
#include "runtime/JxCCollageBase.h"

namespace {

using M = JxCCollArrangementManager;

// --- The defaults -----------------------------------------------------------------

std::int16_t drawNone(M&, JxCSlate*, const JxCRect&, JxCCollageBase*)
{
    return 0;
}

std::int32_t hitNone(M&, const JxCPoint&, JxCCollageBase*)
{
    return -1;
}

std::int32_t none(M&, std::int32_t)
{
    return -1;
}

std::int32_t startOfAll(M&, std::int32_t)
{
    return 0;
}

std::int32_t endOfAll(M& m, std::int32_t)
{
    return m.GetTotalExtent();
}

// The item's extent along the axis, counted from the first visible position;
// the other two sides are the collage's.
JxCRect rectOfItem(M& m, JxCCollageBase* collage, std::int32_t index)
{
    if (!collage)
        return JxCRect();
    JxCRect rect = collage->GetRect();
    const std::int32_t top = collage->GetFirstVisible();
    const std::int32_t size = m.GetItemSize();
    const std::int32_t a = (m.ItemStart(index) - top) * size;
    const std::int32_t b = (m.ItemEnd(index) - top) * size;
    if (m.IsVertical()) {
        rect.bottom = std::int16_t(rect.top + b);
        rect.top = std::int16_t(rect.top + a);
    } else {
        rect.right = std::int16_t(rect.left + b);
        rect.left = std::int16_t(rect.left + a);
    }
    return rect;
}

// --- The linear operations ------------------------------------------------------------

JxCCollLinearDataManager* dataOf(M& m)
{
    return static_cast<JxCCollLinearArrangementManager&>(m).GetDataManager();
}

std::int32_t countOf(M& m)
{
    JxCCollLinearDataManager* data = dataOf(m);
    return data ? data->GetItemCount() : 0;
}

std::int32_t linearNext(M& m, std::int32_t index)
{
    const std::int32_t count = countOf(m);
    if (count <= 0)
        return -1;
    if (index == -1)
        return 0;
    return index < count - 1 ? index + 1 : -1;
}

std::int32_t linearPrev(M& m, std::int32_t index)
{
    const std::int32_t count = countOf(m);
    if (count <= 0)
        return -1;
    if (index == -1)
        return count - 1;
    return index == 0 ? -1 : index - 1;
}

std::int32_t linearStart(M& m, std::int32_t index)
{
    JxCCollLinearDataManager* data = dataOf(m);
    return index == 0 || !data ? 0 : data->ItemEndPosition(index - 1);
}

std::int32_t linearEnd(M& m, std::int32_t index)
{
    JxCCollLinearDataManager* data = dataOf(m);
    return data ? data->ItemEndPosition(index) : 0;
}

std::int32_t linearFirstAt(M& m, std::int32_t position)
{
    JxCCollLinearDataManager* data = dataOf(m);
    return data ? data->ItemAtPosition(position) : -1;
}

// The last item with a unit before the position: an item that starts
// exactly there is not in view.
std::int32_t linearLastAt(M& m, std::int32_t position)
{
    JxCCollLinearDataManager* data = dataOf(m);
    if (!data)
        return -1;
    const std::int32_t i = data->ItemAtPosition(position);
    const std::int32_t j = m.PrevItem(i);
    if (i == -1)
        return j;
    const std::int32_t start = j == -1 ? 0 : data->ItemEndPosition(j);
    return start == position ? j : i;
}

std::int16_t linearDraw(M& m, JxCSlate* slate, const JxCRect& clip, JxCCollageBase* collage)
{
    JxCCollLinearDataManager* data = dataOf(m);
    if (!data || !collage)
        return 1;
    const std::int32_t first = m.FirstItemAt(collage->GetFirstVisible());
    const std::int32_t last = m.LastItemAt(m.ViewEnd(*collage));
    std::int16_t result = 1;
    for (std::int32_t index = first; index != -1; index = m.NextItem(index)) {
        JxCCollItemRef item(*data, index, collage);
        const JxCRect rect = m.ItemRect(collage, index);
        if (rect.Intersects(clip) &&
            !data->DrawItem(item, rect, slate, index == collage->GetSelectedIndex() ? 1 : 0))
            result = 0;
        if (index == last)
            break;
    }
    return result;
}

std::int32_t linearHitTest(M& m, const JxCPoint& point, JxCCollageBase* collage)
{
    JxCCollLinearDataManager* data = dataOf(m);
    const std::int32_t total = m.GetTotalExtent();
    if (!data || !collage || total <= 0)
        return -1;
    const JxCRect area = collage->GetRect();
    const std::int32_t offset = m.IsVertical() ? point.y - area.top : point.x - area.left;
    std::int32_t position = offset / m.GetItemSize() + collage->GetFirstVisible();
    if (position < 0)
        position = 0;
    if (position > total - 1)
        position = total - 1;
    const std::int32_t first = m.FirstItemAt(position);
    const std::int32_t last = m.LastItemAt(position + 1);
    for (std::int32_t index = first; index != -1; index = m.NextItem(index)) {
        JxCCollItemRef item(*data, index, collage);
        if (m.ItemRect(collage, index).Contains(point) && data->HitItem(item, point))
            return index;
        if (index == last)
            break;
    }
    return -1;
}

}  // namespace

// --- The base ------------------------------------------------------------------------

JxCCollArrangementManager::JxCCollArrangementManager()
    : ops_{drawNone, hitNone, none, none, startOfAll, endOfAll, rectOfItem, none, none}
{
}

std::int16_t JxCCollArrangementManager::Load(JxCInStrStream&, JxCCollageBase*)
{
    return 1;
}

std::int16_t JxCCollArrangementManager::Arrange(JxCCollageBase*)
{
    return 1;
}

std::int16_t JxCCollArrangementManager::DrawItems(JxCSlate* slate, const JxCRect& clip, JxCCollageBase* collage)
{
    JxManagerLock lock(*this);
    return ops_.drawItems(*this, slate, clip, collage);
}

std::int32_t JxCCollArrangementManager::HitTestItems(const JxCPoint& point, JxCCollageBase* collage)
{
    JxManagerLock lock(*this);
    return ops_.hitTestItems(*this, point, collage);
}

std::int32_t JxCCollArrangementManager::NextItem(std::int32_t index)
{
    JxManagerLock lock(*this);
    return ops_.nextItem(*this, index);
}

std::int32_t JxCCollArrangementManager::PrevItem(std::int32_t index)
{
    JxManagerLock lock(*this);
    return ops_.prevItem(*this, index);
}

std::int32_t JxCCollArrangementManager::ItemStart(std::int32_t index)
{
    if (index == -1)
        return -1;
    JxManagerLock lock(*this);
    return ops_.itemStart(*this, index);
}

std::int32_t JxCCollArrangementManager::ItemEnd(std::int32_t index)
{
    if (index == -1)
        return -1;
    JxManagerLock lock(*this);
    return ops_.itemEnd(*this, index);
}

JxCRect JxCCollArrangementManager::ItemRect(JxCCollageBase* collage, std::int32_t index)
{
    JxManagerLock lock(*this);
    return ops_.itemRect(*this, collage, index);
}

std::int32_t JxCCollArrangementManager::FirstItemAt(std::int32_t position)
{
    if (position == -1)
        return -1;
    JxManagerLock lock(*this);
    return ops_.firstItemAt(*this, position);
}

std::int32_t JxCCollArrangementManager::LastItemAt(std::int32_t position)
{
    if (position == -1)
        return -1;
    JxManagerLock lock(*this);
    return ops_.lastItemAt(*this, position);
}

void JxCCollArrangementManager::SetTotalExtent(std::int32_t total)
{
    if (collage_ && total < totalExtent_ && total <= collage_->GetVisibleCount())
        collage_->ScrollTo(0, 0);
    totalExtent_ = total;
}

std::int32_t JxCCollArrangementManager::ViewEnd(const JxCCollageBase& collage) const
{
    const std::int32_t visible = collage.GetVisibleCount();
    return totalExtent_ > visible ? collage.GetFirstVisible() + visible : totalExtent_;
}

// --- The linear manager ------------------------------------------------------------------

JxCCollLinearArrangementManager::JxCCollLinearArrangementManager()
{
    ItemOps& ops = GetItemOps();
    ops.drawItems = linearDraw;
    ops.hitTestItems = linearHitTest;
    ops.nextItem = linearNext;
    ops.prevItem = linearPrev;
    ops.itemStart = linearStart;
    ops.itemEnd = linearEnd;
    ops.firstItemAt = linearFirstAt;
    ops.lastItemAt = linearLastAt;
}

std::int16_t JxCCollLinearArrangementManager::Arrange(JxCCollageBase* collage)
{
    data_ = collage ? dynamic_cast<JxCCollLinearDataManager*>(collage->GetDataManager()) : nullptr;
    const std::int32_t last = PrevItem(-1);
    // An emptied list takes no positions (rather than keeping the old ones).
    SetTotalExtent(last == -1 ? 0 : (data_ ? data_->ItemEndPosition(last) : 0));
    return JxCCollArrangementManager::Arrange(collage);
}
