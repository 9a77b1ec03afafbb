#pragma once
// A collage's data manager: how many items there are and how each one is
// drawn, hit, given a cursor, selected, chosen and named by a text. Its
// item operations are plain functions that a derived manager or its maker
// replaces; each takes a reference to the item, which holds the manager's
// lock while the call runs. The linear data manager counts its items and
// gives each a number of position units (one by default).

#include <cstdint>

#include "foundation/JxCComparator.h"
#include "foundation/JxCPoint.h"
#include "foundation/JxCRect.h"
#include "foundation/JxCString.h"
#include "runtime/JxCLockableManager.h"

class JxCCollageBase;
class JxCCollDataManager;
class JxCInStrStream;
class JxCSlate;

// One item of a data manager, made for one call; holds the manager's lock
// while it lives.
class JxCCollItemRef {
public:
    JxCCollItemRef(JxCCollDataManager& manager, std::int32_t index, JxCCollageBase* collage = nullptr);
    ~JxCCollItemRef();
    JxCCollItemRef(const JxCCollItemRef&) = delete;
    JxCCollItemRef& operator=(const JxCCollItemRef&) = delete;

    JxCCollDataManager& GetDataManager() const { return manager_; }
    std::int32_t GetIndex() const { return index_; }
    JxCCollageBase* GetCollage() const { return collage_; }

private:
    JxCCollDataManager& manager_;
    std::int32_t index_;
    JxCCollageBase* collage_;
};

class JxCCollDataManager : public JxCLockableManager {
public:
    using HitItemFn = std::int16_t (*)(const JxCCollItemRef& item, const JxCPoint& point);
    using DrawItemFn = std::int16_t (*)(const JxCCollItemRef& item, const JxCRect& rect, JxCSlate* slate,
                                        std::int16_t selected);
    using ActivateItemFn = std::int16_t (*)(const JxCCollItemRef& item, std::int32_t value);
    using SetItemCursorFn = void (*)(const JxCCollItemRef& item);
    using SelectItemFn = std::int32_t (*)(const JxCCollItemRef& item, std::int32_t cause, std::int32_t previous);
    using GetItemTextFn = JxCString (*)(const JxCCollItemRef& item);
    using FindTextFn = std::int32_t (*)(JxCCollDataManager& manager, JxCString text);

    // Installs the defaults: every item hits, draws nothing, is chosen and
    // selected as asked, shows the arrow and has no text; no text is found.
    // Texts are ordered byte by byte.
    JxCCollDataManager();
    ~JxCCollDataManager() override = default;

    // The manager's part of the collage's record; the base reads nothing.
    virtual std::int16_t Load(JxCInStrStream& in, JxCCollageBase* collage);
    // Prepares the manager as the collage makes its resources.
    virtual std::int16_t SetUp(JxCCollageBase* collage);
    // Reads the items again.
    virtual void Refresh() {}

    // In this order: DrawItem, ActivateItem, HitItem, SetItemCursor, SelectItem.
    void SetItemCallbacks(DrawItemFn draw, ActivateItemFn activate, HitItemFn hit, SetItemCursorFn cursor,
                          SelectItemFn select);
    void SetTextCallbacks(GetItemTextFn getText, FindTextFn findText);
    void SetComparator(const JxCComparator& comparator) { ordering_ = comparator; }
    const JxCComparator& GetComparator() const { return ordering_; }

    // --- The item operations ------------------------------------------------
    std::int16_t HitItem(const JxCCollItemRef& item, const JxCPoint& point) { return hitItem_(item, point); }
    std::int16_t DrawItem(const JxCCollItemRef& item, const JxCRect& rect, JxCSlate* slate, std::int16_t selected)
    {
        return drawItem_(item, rect, slate, selected);
    }
    std::int16_t ActivateItem(const JxCCollItemRef& item, std::int32_t value) { return activateItem_(item, value); }
    void SetItemCursor(const JxCCollItemRef& item) { setItemCursor_(item); }
    std::int32_t SelectItem(const JxCCollItemRef& item, std::int32_t cause, std::int32_t previous)
    {
        return selectItem_(item, cause, previous);
    }
    JxCString GetItemText(const JxCCollItemRef& item) { return getItemText_(item); }
    // The index FindText answers for the text, under the lock.
    std::int32_t FindItemByText(JxCString text);

    JxCCollageBase* GetCollage() const { return collage_; }
    void SetCollage(JxCCollageBase* collage) { collage_ = collage; }

private:
    JxCComparator ordering_;
    HitItemFn hitItem_;
    DrawItemFn drawItem_;
    ActivateItemFn activateItem_;
    SetItemCursorFn setItemCursor_;
    SelectItemFn selectItem_;
    GetItemTextFn getItemText_;
    FindTextFn findText_;
    JxCCollageBase* collage_ = nullptr;
};

class JxCCollLinearDataManager : public JxCCollDataManager {
public:
    // The position one past the item's last unit.
    using ItemEndPositionFn = std::int32_t (*)(const JxCCollItemRef& item);
    // The item that holds the position, or -1.
    using ItemAtPositionFn = std::int32_t (*)(JxCCollLinearDataManager& manager, std::int32_t position);

    // Each item takes one unit.
    JxCCollLinearDataManager();

    virtual std::int32_t GetItemCount() { return itemCount_; }
    virtual void SetItemCount(std::int32_t count) { itemCount_ = count; }

    void SetPositionCallbacks(ItemEndPositionFn end, ItemAtPositionFn at);
    std::int32_t ItemEndPosition(std::int32_t index);
    std::int32_t ItemAtPosition(std::int32_t position);

    // The first item whose text does not sort before the text under the
    // item ordering (the items must be stored in that order): the last item
    // for a text after them all, -1 without items.
    static std::int32_t FindSortedText(JxCCollDataManager& manager, JxCString text);

private:
    std::int32_t itemCount_ = 0;
    ItemEndPositionFn itemEndPosition_;
    ItemAtPositionFn itemAtPosition_;
};
