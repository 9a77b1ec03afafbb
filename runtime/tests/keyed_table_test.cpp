#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/JxCKeyedTable.h"
#include "runtime/JxCTypeHandler.h"
#include "runtime/tests/report_log.h"

namespace {

// Plain words as values; remembers which were destroyed.
class CountingHandler : public JxCTypeHandler {
public:
    void Destroy(JxTypeValue value) override { destroyed.push_back(value); }
    std::vector<JxTypeValue> destroyed;
};

std::string nameAt(const JxCKeyedTable& t, std::int32_t i)
{
    return std::string(t.GetName(i).View());
}

class KeyedTableTest : public ::testing::Test {
protected:
    CountingHandler handler;
    JxCKeyedTable table{&handler};
    ReportLog reports;
};

TEST_F(KeyedTableTest, LookUpsSortByBytesAndKeepBackPointersCurrent)
{
    std::int32_t keyC = 99, keyA = 99, keyB = 99;
    table.Add("charlie", 3, &keyC);
    EXPECT_EQ(keyC, 0);  // the position at once
    table.Add("alpha", 1, &keyA);
    table.Add("bravo", 2, &keyB);
    table.Add("Bravo", 4, nullptr);  // names keep their case: another name
    EXPECT_TRUE(table.IsUnsorted());

    EXPECT_EQ(table.Find("alpha"), 1);  // "Bravo" sorts before the lower-case names
    EXPECT_FALSE(table.IsUnsorted());
    EXPECT_EQ(nameAt(table, 0), "Bravo");
    EXPECT_EQ(keyA, 1);
    EXPECT_EQ(keyB, 2);
    EXPECT_EQ(keyC, 3);
    EXPECT_EQ(table.GetValueByName("charlie"), 3u);
    EXPECT_EQ(table.Find("delta"), -1);
    EXPECT_EQ(table.Find(""), -1);
    EXPECT_EQ(table.GetValueByIndex(-1), 0u);
    EXPECT_EQ(table.GetValueByIndex(4), 0u);
    EXPECT_EQ(nameAt(table, 4), "");
    EXPECT_TRUE(reports.ids.empty());
}

TEST_F(KeyedTableTest, EqualNamesMergeAfterTheSortAndADifferentValueIsARedefinition)
{
    std::int32_t first = -5, second = -5, third = -5;
    table.Add("same", 7, &first);
    table.Add("other", 1, nullptr);
    table.Add("same", 7, &second);
    table.Sort();
    ASSERT_EQ(table.GetCount(), 2);
    EXPECT_TRUE(reports.ids.empty());  // the same value twice is no redefinition
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 1);  // both keys follow the one entry

    table.Add("same", 8, &third);
    table.Sort();
    ASSERT_EQ(table.GetCount(), 2);
    EXPECT_EQ(reports.ids, std::vector<std::int32_t>{1161});
    EXPECT_EQ(reports.firstArgs, std::vector<std::string>{"same"});
    // The first registration stays; the later value is destroyed.
    EXPECT_EQ(table.GetValueByName("same"), 7u);
    EXPECT_EQ(handler.destroyed, std::vector<JxTypeValue>{8});
    EXPECT_EQ(third, 1);

    // Three references: the entry lives until the third release.
    table.ReleaseByName("same");
    table.ReleaseByName("same");
    EXPECT_EQ(table.FindLive("same"), 1);
    table.ReleaseByName("same");
    EXPECT_EQ(table.FindLive("same"), -1);
    EXPECT_EQ(table.Find("same"), 1);  // a released entry keeps its place until the next sort
    EXPECT_EQ(first, -1);
    EXPECT_EQ(second, -1);
    EXPECT_EQ(third, -1);
    EXPECT_EQ(handler.destroyed, (std::vector<JxTypeValue>{8, 7}));
}

TEST_F(KeyedTableTest, GrowsBySixteenAndFreesItsBlockWhenTheLastEntryGoes)
{
    std::vector<std::string> names;
    for (int i = 0; i < 17; ++i)
        names.push_back("n" + std::to_string(100 + i));
    for (int i = 0; i < 16; ++i)
        table.Add(JxCTableString(names[i].c_str()), JxTypeValue(i + 1), nullptr);
    EXPECT_EQ(table.GetCapacity(), 16);
    table.Add(JxCTableString(names[16].c_str()), 17, nullptr);
    EXPECT_EQ(table.GetCapacity(), 32);

    for (int i = 0; i < 16; ++i)
        table.ReleaseByName(JxCTableString(names[i].c_str()));
    EXPECT_EQ(table.GetReleasedCount(), 16);
    EXPECT_EQ(table.GetCount(), 17);
    table.ReleaseByIndex(table.Find(JxCTableString(names[16].c_str())));
    EXPECT_EQ(table.GetCount(), 0);
    EXPECT_EQ(table.GetCapacity(), 0);
    EXPECT_EQ(table.GetReleasedCount(), 0);
    EXPECT_EQ(handler.destroyed.size(), 17u);

    // Releasing what is gone does nothing; a new entry starts a new block.
    table.ReleaseByName("n100");
    table.ReleaseByIndex(0);
    table.Add("again", 5, nullptr);
    EXPECT_EQ(table.GetCapacity(), 16);
    EXPECT_EQ(table.GetValueByName("again"), 5u);
}

TEST_F(KeyedTableTest, TheSortDropsReleasedEntriesAndRenumbersTheRest)
{
    std::int32_t keyB = 0, keyC = 0;
    table.Add("a", 1, nullptr);
    table.Add("b", 2, &keyB);
    table.Add("c", 3, &keyC);
    table.Find("a");
    table.ReleaseByName("a");
    table.Add("d", 4, nullptr);
    EXPECT_EQ(table.Find("b"), 0);
    EXPECT_EQ(keyB, 0);
    EXPECT_EQ(keyC, 1);
    EXPECT_EQ(table.GetCount(), 3);
    EXPECT_EQ(table.GetReleasedCount(), 0);
}

TEST_F(KeyedTableTest, AForgottenBackPointerIsNoLongerWritten)
{
    std::int32_t key = 0;
    table.Add("b", 2, &key);
    table.Add("a", 1, nullptr);
    table.ClearBackPointer(0, &key);
    table.Sort();
    EXPECT_EQ(key, 0);  // "b" moved to 1 without telling the key
    table.ClearBackPointer(7, &key);  // out of range: nothing
}

TEST_F(KeyedTableTest, FreezingSortsAndThawingKeepsTheOrder)
{
    table.Add("z", 1, nullptr);
    table.Add("y", 2, nullptr);
    EXPECT_FALSE(table.IsFrozen());
    table.Freeze();
    EXPECT_TRUE(table.IsFrozen());
    EXPECT_FALSE(table.IsUnsorted());
    EXPECT_EQ(nameAt(table, 0), "y");
    table.Thaw();
    EXPECT_FALSE(table.IsFrozen());
    EXPECT_EQ(nameAt(table, 0), "y");
}

TEST(KeyedTableValues, TheTableDestroysWhatItStillHoldsAndDetachesItsKeys)
{
    CountingHandler handler;
    std::int32_t key = 0;
    {
        JxCKeyedTable table(&handler);
        table.Add("kept", 11, &key);
        table.Add("gone", 12, nullptr);
        table.ReleaseByName("gone");
    }
    EXPECT_EQ(handler.destroyed, (std::vector<JxTypeValue>{12, 11}));
    EXPECT_EQ(key, -1);
}

TEST(KeyedTableValues, WithoutAHandlerValuesAreComparedAsWords)
{
    ReportLog reports;
    JxCKeyedTable table(nullptr);
    table.Add("w", 1, nullptr);
    table.Add("w", 2, nullptr);
    table.Sort();
    EXPECT_EQ(reports.ids, std::vector<std::int32_t>{1161});
    EXPECT_EQ(table.GetCount(), 1);
}

TEST(DisplayObjectTypeHandler, ComparesFactoriesThenFlagsAndDeletesRecords)
{
    JxCDispObjTypeHandler handler;
    auto f1 = []() -> JxCDisplayObject* { return nullptr; };
    auto f2 = []() -> JxCDisplayObject* { return nullptr; };
    JxDisplayObjectType a{0, f1}, b{0, f1}, c{0, f2}, d{1, f1};
    auto v = JxCDispObjTypeHandler::ToValue;
    EXPECT_EQ(handler.Differs(0, 0), 0);
    EXPECT_NE(handler.Differs(v(&a), 0), 0);
    EXPECT_NE(handler.Differs(0, v(&a)), 0);
    EXPECT_EQ(handler.Differs(v(&a), v(&b)), 0);
    EXPECT_NE(handler.Differs(v(&a), v(&c)), 0);
    EXPECT_NE(handler.Differs(v(&a), v(&d)), 0);
    handler.Destroy(v(new JxDisplayObjectType{0, f1}));  // ASan sees a leak otherwise
    handler.Destroy(0);
}

}  // namespace
