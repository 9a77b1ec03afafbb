#pragma once
// A collage's arrangement manager: where each item lies along the
// collage's axis (in position units of a fixed pixel size), which items the
// view shows, which item lies under a point, and which item comes before
// or after another. Besides its few virtual operations it holds its item
// operations as plain functions, which a derived manager or its maker
// replaces; the linear manager ("Regular") puts the items of a linear data
// manager one after the other.

#include <cstdint>

#include "foundation/JxCPoint.h"
#include "foundation/JxCRect.h"
#include "runtime/JxCLockableManager.h"

class JxCCollageBase;
class JxCCollLinearDataManager;
class JxCInStrStream;
class JxCSlate;

class JxCCollArrangementManager : public JxCLockableManager {
public:
    using DrawItemsFn = std::int16_t (*)(JxCCollArrangementManager& m, JxCSlate* slate, const JxCRect& clip,
                                         JxCCollageBase* collage);
    using HitTestItemsFn = std::int32_t (*)(JxCCollArrangementManager& m, const JxCPoint& point,
                                            JxCCollageBase* collage);
    // Index steps and the positions of items; -1 for none.
    using IndexFn = std::int32_t (*)(JxCCollArrangementManager& m, std::int32_t value);
    using ItemRectFn = JxCRect (*)(JxCCollArrangementManager& m, JxCCollageBase* collage, std::int32_t index);

    struct ItemOps {
        DrawItemsFn drawItems;
        HitTestItemsFn hitTestItems;
        IndexFn nextItem;
        IndexFn prevItem;
        IndexFn itemStart;
        IndexFn itemEnd;
        ItemRectFn itemRect;
        IndexFn firstItemAt;
        IndexFn lastItemAt;
    };

    // Installs the defaults: nothing drawn or hit, no items, one item that
    // covers the total extent.
    JxCCollArrangementManager();
    ~JxCCollArrangementManager() override = default;

    // The manager's part of the collage's record; the base reads nothing.
    virtual std::int16_t Load(JxCInStrStream& in, JxCCollageBase* collage);
    // Lays the collage's items out; the base does nothing.
    virtual std::int16_t Arrange(JxCCollageBase* collage);

    // --- The item operations, each under the lock ---------------------------
    std::int16_t DrawItems(JxCSlate* slate, const JxCRect& clip, JxCCollageBase* collage);
    std::int32_t HitTestItems(const JxCPoint& point, JxCCollageBase* collage);
    // -1 asks for the first (NextItem) or the last (PrevItem) item.
    std::int32_t NextItem(std::int32_t index);
    std::int32_t PrevItem(std::int32_t index);
    // The first position of the item and the one past its last; -1 for -1.
    std::int32_t ItemStart(std::int32_t index);
    std::int32_t ItemEnd(std::int32_t index);
    // The item's rectangle in the collage's coordinates.
    JxCRect ItemRect(JxCCollageBase* collage, std::int32_t index);
    // The item that holds the position (the top of the view), and the last
    // item that has a unit before it (the bottom); -1 for -1.
    std::int32_t FirstItemAt(std::int32_t position);
    std::int32_t LastItemAt(std::int32_t position);

    ItemOps& GetItemOps() { return ops_; }

    // The pixel extent of one position unit; a size below 1 counts as 1.
    void SetLayoutValue(std::int32_t size) { itemSize_ = size; }
    std::int32_t GetLayoutValue() const { return itemSize_; }
    std::int32_t GetItemSize() const { return itemSize_ < 1 ? 1 : itemSize_; }
    std::int32_t GetTotalExtent() const { return totalExtent_; }
    // Sets the number of positions all items take. A collage that shows
    // the new total whole, while it showed less of the old, first scrolls
    // back to the start (without redrawing).
    void SetTotalExtent(std::int32_t total);
    // 1: items follow each other downwards; other values: rightwards.
    std::int16_t GetOrientation() const { return orientation_; }
    void SetOrientation(std::int16_t orientation) { orientation_ = orientation; }
    bool IsVertical() const { return orientation_ == 1; }
    JxCCollageBase* GetCollage() const { return collage_; }
    void SetCollage(JxCCollageBase* collage) { collage_ = collage; }
    // The position just past the view: the first visible position plus the
    // visible count while the items do not all fit, else the total extent.
    std::int32_t ViewEnd(const JxCCollageBase& collage) const;

private:
    std::int32_t itemSize_ = 1;
    std::int32_t totalExtent_ = 0;
    std::int16_t orientation_ = 1;
    ItemOps ops_;
    JxCCollageBase* collage_ = nullptr;
};

// The items of a linear data manager one after the other along the axis
// ("Regular").
class JxCCollLinearArrangementManager : public JxCCollArrangementManager {
public:
    JxCCollLinearArrangementManager();

    // Takes the collage's data manager and measures the total extent.
    std::int16_t Arrange(JxCCollageBase* collage) override;
    // The data manager arranged; null before Arrange, or when the
    // collage's is not a linear one.
    JxCCollLinearDataManager* GetDataManager() const { return data_; }

private:
    JxCCollLinearDataManager* data_ = nullptr;
};
