#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "foundation/JxCList.h"
#include "foundation/JxCPointList.h"

namespace {

// An item that counts its own destruction.
struct Counted : JxCObject {
    explicit Counted(int* deaths) : deaths_(deaths) {}
    ~Counted() override { ++*deaths_; }
    int* deaths_;
};

std::vector<JxCObject*> Walk(JxCList& list)
{
    std::vector<JxCObject*> items;
    for (JxCObject* it = list.GetFirst(); it; it = list.GetNext(it))
        items.push_back(it);
    return items;
}

std::vector<JxCObject*> WalkBack(JxCList& list)
{
    std::vector<JxCObject*> items;
    for (JxCObject* it = list.GetLast(); it; it = list.GetPrev(it))
        items.push_back(it);
    return items;
}

class ListTest : public ::testing::Test {
protected:
    // Items live in the fixture; the list under test does not own them.
    void SetUp() override
    {
        list.SetOwnsItems(0);
        for (auto& o : objs)
            list.Add(&o);
    }
    JxCObject objs[3];
    JxCObject extra;
    JxCList list;
};

}  // namespace

TEST_F(ListTest, WalksBothWaysAndStopsAtTheEnds)
{
    EXPECT_EQ(Walk(list), (std::vector<JxCObject*>{&objs[0], &objs[1], &objs[2]}));
    EXPECT_EQ(WalkBack(list), (std::vector<JxCObject*>{&objs[2], &objs[1], &objs[0]}));
    EXPECT_EQ(list.GetNext(&objs[2]), nullptr);
    EXPECT_EQ(list.GetPrev(&objs[0]), nullptr);
}

TEST_F(ListTest, GetNextOfAStrangerReturnsNullAndLeavesNoCursor)
{
    list.GetFirst();
    EXPECT_EQ(list.GetNext(&extra), nullptr);
    // With no cursor, the next step has to look the item up again.
    EXPECT_EQ(list.GetNext(&objs[0]), &objs[1]);
}

TEST_F(ListTest, StepsFromAnItemOtherThanTheCursor)
{
    list.GetFirst();
    EXPECT_EQ(list.GetNext(&objs[1]), &objs[2]);
    EXPECT_EQ(list.GetPrev(&objs[1]), &objs[0]);
}

TEST_F(ListTest, RemovingTheCursorsItemThenWalkingAgain)
{
    JxCObject* it = list.GetFirst();
    it = list.GetNext(it);
    ASSERT_EQ(it, &objs[1]);
    EXPECT_EQ(list.Remove(it), 1);
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_EQ(Walk(list), (std::vector<JxCObject*>{&objs[0], &objs[2]}));
    EXPECT_EQ(WalkBack(list), (std::vector<JxCObject*>{&objs[2], &objs[0]}));
    EXPECT_EQ(list.Remove(&objs[1]), 0);
}

TEST_F(ListTest, RemovingHeadAndTailKeepsTheEndsLinked)
{
    list.Remove(&objs[0]);
    list.Remove(&objs[2]);
    EXPECT_EQ(list.GetFirst(), &objs[1]);
    EXPECT_EQ(list.GetLast(), &objs[1]);
    list.Remove(&objs[1]);
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetFirst(), nullptr);
    EXPECT_EQ(list.Add(&extra), 1);
    EXPECT_EQ(Walk(list), (std::vector<JxCObject*>{&extra}));
}

TEST_F(ListTest, GetAtOutsideTheListIsNull)
{
    EXPECT_EQ(list.GetAt(0), &objs[0]);
    EXPECT_EQ(list.GetAt(2), &objs[2]);
    EXPECT_EQ(list.GetAt(3), nullptr);
    EXPECT_EQ(list.GetAt(-1), nullptr);
}

TEST_F(ListTest, InsertionAtTheHeadAndBeforeAnItem)
{
    JxCObject a, b, c;
    list.InsertBefore(&objs[1], &a);
    list.InsertBefore(&objs[0], &b);  // before the head
    list.InsertBefore(&extra, &c);    // not in the list: appended
    EXPECT_EQ(Walk(list), (std::vector<JxCObject*>{&b, &objs[0], &a, &objs[1], &objs[2], &c}));
    EXPECT_EQ(WalkBack(list).size(), 6u);
    JxCList empty;
    empty.SetOwnsItems(0);
    EXPECT_EQ(empty.AddHead(&a), 1);
    EXPECT_EQ(empty.AddHead(&b), 1);
    EXPECT_EQ(Walk(empty), (std::vector<JxCObject*>{&b, &a}));
    EXPECT_EQ(WalkBack(empty), (std::vector<JxCObject*>{&a, &b}));
}

TEST_F(ListTest, SetAtReplacesInsideAndAppendsOutside)
{
    EXPECT_EQ(list.SetAt(&extra, 2), 1);
    EXPECT_EQ(Walk(list), (std::vector<JxCObject*>{&objs[0], &objs[1], &extra}));
    JxCObject more;
    EXPECT_EQ(list.SetAt(&more, 3), 1);
    EXPECT_EQ(list.GetCount(), 4);
    EXPECT_EQ(list.GetAt(3), &more);
}

TEST_F(ListTest, NodesMoveBetweenListsWithTheirItems)
{
    JxCList other;
    other.SetOwnsItems(0);
    JxCListNode* node = list.FindNode(&objs[1]);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(other.UnlinkNode(node), 0);  // not other's node
    EXPECT_EQ(list.UnlinkNode(node), 1);
    other.AppendNode(node);
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_EQ(Walk(list), (std::vector<JxCObject*>{&objs[0], &objs[2]}));
    EXPECT_EQ(Walk(other), (std::vector<JxCObject*>{&objs[1]}));
    EXPECT_EQ(other.ContainsNode(node), 1);
    EXPECT_EQ(list.ContainsNode(node), 0);
    EXPECT_EQ(list.ContainsNode(nullptr), 0);
}

TEST(ListOwnership, OwningListDeletesWhatItRemoves)
{
    int deaths = 0;
    auto* a = new Counted(&deaths);
    auto* b = new Counted(&deaths);
    {
        JxCList list;  // owns its items from construction
        list.Add(a);
        list.Add(b);
        list.Add(new Counted(&deaths));
        EXPECT_EQ(list.Remove(a), 1);
        EXPECT_EQ(deaths, 1);
        auto* c = new Counted(&deaths);
        EXPECT_EQ(list.Replace(b, c), 1);
        EXPECT_EQ(deaths, 2);
        EXPECT_EQ(list.GetAt(0), c);
    }
    EXPECT_EQ(deaths, 4);  // the destructor deleted the two left
}

TEST(ListOwnership, NonOwningListLeavesItemsAlive)
{
    int deaths = 0;
    Counted a(&deaths), b(&deaths);
    JxCList list;
    list.SetOwnsItems(0);
    list.Add(&a);
    list.Add(&b);
    list.Remove(&a);
    list.Replace(&b, &a);
    list.SetAt(&b, 0);
    list.RemoveAll();
    EXPECT_EQ(deaths, 0);
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetFirst(), nullptr);
}

TEST(ListOwnership, ReplacingAnItemWithItselfKeepsIt)
{
    int deaths = 0;
    auto* a = new Counted(&deaths);
    auto* b = new Counted(&deaths);
    JxCList list;
    list.Add(a);
    list.Add(b);
    EXPECT_EQ(list.Replace(a, a), 1);
    EXPECT_EQ(list.SetAt(b, 1), 1);
    EXPECT_EQ(deaths, 0);
    EXPECT_EQ(list.GetAt(0), a);
    EXPECT_EQ(list.GetAt(1), b);
    // SetAt inside the list deletes the owned item it displaces.
    EXPECT_EQ(list.SetAt(new Counted(&deaths), 0), 1);
    EXPECT_EQ(deaths, 1);
}

TEST(ListOwnership, ReplaceOfAStrangerChangesNothing)
{
    int deaths = 0;
    Counted stranger(&deaths);
    JxCList list;
    auto* a = new Counted(&deaths);
    list.Add(a);
    auto* fresh = new Counted(&deaths);
    EXPECT_EQ(list.Replace(&stranger, fresh), 0);
    EXPECT_EQ(list.GetAt(0), a);
    EXPECT_EQ(list.GetCount(), 1);
    delete fresh;  // still the caller's
    EXPECT_EQ(deaths, 1);
}

// An owning list may hold the same pointer in several nodes: the item is
// deleted once, when the last node that holds it goes, and no node is left
// pointing at a deleted item.
class ListDuplicates : public ::testing::Test {
protected:
    int deaths = 0;
    Counted* a = new Counted(&deaths);
    Counted* b = new Counted(&deaths);
};

// An item that writes its name into a shared log when it dies.
struct Logged : JxCObject {
    Logged(std::vector<char>* log, char name) : log_(log), name_(name) {}
    ~Logged() override { log_->push_back(name_); }
    std::vector<char>* log_;
    char name_;
};

TEST(ListOwnership, RemoveAllDeletesHeadToTailWithADuplicateDeletedAtItsFirstNode)
{
    // The items are listed against their address order, so an order taken
    // from the allocator rather than from the list shows here.
    std::vector<char> log;
    std::vector<Logged*> items;
    for (char name : {'a', 'b', 'c', 'd'})
        items.push_back(new Logged(&log, name));
    std::sort(items.begin(), items.end(), std::greater<>());
    JxCList list;
    for (Logged* item : {items[0], items[1], items[0], items[2], items[3], items[1]})
        list.Add(item);
    std::vector<char> expected;
    for (Logged* item : items)
        expected.push_back(item->name_);
    list.RemoveAll();
    EXPECT_EQ(log, expected);
    EXPECT_TRUE(list.IsEmpty());
}

TEST_F(ListDuplicates, RemovingOneOfTwoNodesOfAnItemKeepsItAlive)
{
    {
        JxCList list;
        for (JxCObject* item : {a, b, a})
            list.Add(item);
        EXPECT_EQ(list.Remove(a), 1);
        EXPECT_EQ(deaths, 0);
        EXPECT_EQ(list.GetCount(), 2);
        EXPECT_EQ(list.GetAt(1), a);
        EXPECT_EQ(list.Remove(a), 1);  // the last node of a: now it goes
        EXPECT_EQ(deaths, 1);
        EXPECT_EQ(list.GetFirst(), b);
        EXPECT_EQ(list.GetNext(b), nullptr);
    }
    EXPECT_EQ(deaths, 2);
}

TEST_F(ListDuplicates, DisplacingOneOfThreeNodesOfAnItemKeepsItAlive)
{
    auto* c = new Counted(&deaths);
    {
        JxCList list;
        for (JxCObject* item : {a, a, a})
            list.Add(item);
        EXPECT_EQ(list.Replace(a, b), 1);
        EXPECT_EQ(list.SetAt(c, 1), 1);
        EXPECT_EQ(deaths, 0);
        EXPECT_EQ(list.GetAt(2), a);
    }
    EXPECT_EQ(deaths, 3);
}

TEST(JxCPointList, CopiesAssignsAndComparesByValue)
{
    JxCPointList a;
    a.Add(new JxCPoint(1, 2));
    a.Add(new JxCPoint(3, 4));
    JxCPointList b(a);
    EXPECT_TRUE(b == a);
    EXPECT_NE(b.GetAt(0), a.GetAt(0));  // copies, not shared points
    b.GetAt(1)->y = 5;
    EXPECT_FALSE(b == a);
    b = a;
    EXPECT_TRUE(b == a);
    EXPECT_EQ(b.GetCount(), 2);
    JxCPointList& self = b;
    b = self;
    EXPECT_EQ(b.GetCount(), 2);
    b.Add(new JxCPoint(0, 0));
    EXPECT_FALSE(b == a);
}
