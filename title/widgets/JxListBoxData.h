#pragma once
// The title's list boxes: the data managers that its collages name by
// "SimpleLBData" (every entry of the index), "VisitAll" (every entry of the
// visit data, each one the user has visited ticked), "ToBeVisited" (the
// entries not visited yet) and "Visited" (those visited, ticked). Each
// reads a 16-bit character style id from its collage's record and, as the
// collage makes its resources, takes its list, finds the style and makes
// one text line of it the height of an item.
//
// Choosing an entry goes to its page and its further pages; the simple
// list also remembers the position chosen for the rest of the run, and a
// group collage of the title ("GroupColl") opens at that position.
//
// The visit lists draw a tick column (the program's bitmap "TICK") before
// each name, so that names line up whether ticked or not. "ToBeVisited" and
// "Visited" build their own lists of the visit data's entries at set-up;
// the lists hold the entries without owning them. The lists are fixed at
// set-up: a visit made while a list is on screen shows the next time its
// page opens.

#include <cstdint>
#include <memory>

#include "foundation/JxObjectRef.h"
#include "runtime/JxCCollDataManager.h"
#include "runtime/JxCIndex.h"

class JxCCharStyleObject;

class JxCSimpleListBoxData : public JxCCollLinearDataManager {
public:
    JxCSimpleListBoxData();

    // The character style id; 1.
    std::int16_t Load(JxCInStrStream& in, JxCCollageBase* collage) override;
    // The index, the style (1068 when it is not defined; the list goes on
    // without one), the item size and count; 1.
    std::int16_t SetUp(JxCCollageBase* collage) override;

    JxCIndex* GetList() const { return list_; }
    std::int32_t GetEntryCount() const { return entryCount_; }
    std::int32_t GetStyleId() const { return styleId_; }
    JxCCharStyleObject* GetStyle() const { return style_; }

private:
    JxCIndex* list_ = nullptr;
    std::int32_t entryCount_ = 0;
    std::int32_t styleId_ = 0;
    JxCCharStyleObject* style_ = nullptr;
};

class JxVisitShowAll : public JxCCollLinearDataManager {
public:
    static constexpr std::int32_t kTickGap = 10;

    JxVisitShowAll();
    // Gives the tick back.
    ~JxVisitShowAll() override;

    std::int16_t Load(JxCInStrStream& in, JxCCollageBase* collage) override;
    // As the simple list's, over the list TakeList gives, then the tick.
    std::int16_t SetUp(JxCCollageBase* collage) override;

    JxCIndex* GetList() const { return list_; }
    std::int32_t GetEntryCount() const { return entryCount_; }
    JxCCharStyleObject* GetStyle() const { return style_; }
    const JxObjectRef& GetTick() const { return tick_; }
    // Whether the entry at the index is drawn with a tick.
    virtual bool IsTicked(std::int32_t index) const;

protected:
    // The list to show: the visit data itself here.
    virtual JxCIndex* TakeList();

private:
    JxCIndex* list_ = nullptr;
    std::int32_t entryCount_ = 0;
    JxObjectRef tick_;
    std::int32_t styleId_ = 0;
    JxCCharStyleObject* style_ = nullptr;
};

// A visit list of some of the visit data's entries, in its order, built at
// set-up and owned (its entries are not).
class JxCFilteredVisitList : public JxVisitShowAll {
protected:
    // Entry i of the visit data is kept when the logged-in user's mark for
    // it (0 with nobody logged in) is `keepVisited`.
    explicit JxCFilteredVisitList(bool keepVisited) : keepVisited_(keepVisited) {}
    JxCIndex* TakeList() override;

private:
    bool keepVisited_;
    std::unique_ptr<JxCIndex> built_;
};

class JxCToBeVisited : public JxCFilteredVisitList {
public:
    JxCToBeVisited() : JxCFilteredVisitList(false) {}
    bool IsTicked(std::int32_t) const override { return false; }
};

class JxCVisited : public JxCFilteredVisitList {
public:
    JxCVisited() : JxCFilteredVisitList(true) {}
    bool IsTicked(std::int32_t) const override { return true; }
};

// The four data managers and the arrangement "Regular" (once with the
// simple list and once with the visit lists), by name; and their removal.
void RegisterListBoxData();
void UnregisterListBoxData();
