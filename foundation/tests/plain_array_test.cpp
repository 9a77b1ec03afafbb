#include <gtest/gtest.h>

#include <vector>

#include "foundation/JxCPointerArray.h"

namespace {

// The capacities an array passes through while n elements are added.
std::vector<std::uint32_t> GrowthSequence(JxCPointerArray& a, int n)
{
    std::vector<std::uint32_t> caps;
    for (int i = 0; i < n; ++i) {
        a.Add(nullptr);
        if (caps.empty() || caps.back() != a.GetCapacity())
            caps.push_back(a.GetCapacity());
    }
    return caps;
}

struct Counted : JxCObject {
    explicit Counted(int* deaths) : deaths_(deaths) {}
    ~Counted() override { ++*deaths_; }
    int* deaths_;
};

class CountedArray : public JxCPlainArray<Counted> {};

}  // namespace

TEST(JxCPlainArray, SeventeenAddsGrowBySixteen)
{
    JxCPointerArray a;
    EXPECT_EQ(GrowthSequence(a, 17), (std::vector<std::uint32_t>{16, 32}));
    EXPECT_EQ(a.GetCount(), 17u);
}

TEST(JxCPlainArray, StepDoublesAfterLog2Growths)
{
    // Four growths by 16, five by 32, six by 64, then by 128.
    JxCPointerArray a;
    const std::vector<std::uint32_t> expect = {16, 32, 48, 64,                 // by 16
                                               96, 128, 160, 192, 224,         // by 32
                                               288, 352, 416, 480, 544, 608,   // by 64
                                               736};
    EXPECT_EQ(GrowthSequence(a, 700), expect);
}

TEST(JxCPlainArray, AddReturnsTheIndexOfEachElement)
{
    JxCPointerArray a;
    std::int32_t v[3] = {7, 8, 9};
    EXPECT_EQ(a.Add(&v[0]), 0);
    EXPECT_EQ(a.Add(&v[1]), 1);
    EXPECT_EQ(a.Add(&v[2]), 2);
    EXPECT_EQ(*a.GetAt(2), 9);
}

TEST(JxCPlainArray, ExplicitSizesAndTrimming)
{
    JxCPointerArray a(5, 4);
    EXPECT_EQ(a.GetCapacity(), 5u);
    EXPECT_EQ(a.GetGrowBy(), 4);
    std::int32_t v = 1;
    for (int i = 0; i < 6; ++i)
        a.Add(&v);
    EXPECT_EQ(a.GetCapacity(), 9u);  // 5 + 4
    a.FreeExtra();
    EXPECT_EQ(a.GetCapacity(), 6u);
    EXPECT_EQ(a.GetCount(), 6u);
    a.SetSize(20, 4);  // beyond capacity + step: exactly 20
    EXPECT_EQ(a.GetCapacity(), 20u);
    EXPECT_EQ(a.GetCount(), 6u);
    a.SetSize(0, 4);
    EXPECT_EQ(a.GetCapacity(), 0u);
    EXPECT_EQ(a.GetCount(), 0u);
    a.FreeExtra();
    EXPECT_EQ(a.Add(&v), 0);
}

TEST(JxCPlainArray, SetSizeBelowTheCountClampsIt)
{
    int deaths = 0;
    CountedArray a;
    a.SetOwnsElements();
    for (int i = 0; i < 5; ++i)
        a.Add(new Counted(&deaths));
    a.SetSize(2, 16);
    EXPECT_EQ(a.GetCount(), 2u);
    EXPECT_EQ(deaths, 3);  // the dropped elements were owned
    a.Add(new Counted(&deaths));
    EXPECT_EQ(a.GetCount(), 3u);
    a.RemoveAll();
    EXPECT_EQ(deaths, 6);
}

TEST(JxCPlainArray, RemoveAtChecksItsRange)
{
    JxCPointerArray a;
    std::int32_t v[4] = {0, 1, 2, 3};
    for (auto& x : v)
        a.Add(&x);
    EXPECT_EQ(a.RemoveAt(3, 2), 1);  // runs past the end: nothing
    EXPECT_EQ(a.RemoveAt(5, 0), 1);
    EXPECT_EQ(a.RemoveAt(0xFFFFFFFFu, 2), 1);  // would wrap around
    EXPECT_EQ(a.GetCount(), 4u);
    a.RemoveAt(1, 2);
    ASSERT_EQ(a.GetCount(), 2u);
    EXPECT_EQ(*a.GetAt(0), 0);
    EXPECT_EQ(*a.GetAt(1), 3);
    a.RemoveAt(0, 2);
    EXPECT_EQ(a.GetCount(), 0u);
}

TEST(JxCPlainArray, OwnershipDecidesWhetherElementsDie)
{
    int deaths = 0;
    Counted kept(&deaths);
    {
        CountedArray a;
        a.Add(&kept);
        a.RemoveAll();
        a.Add(&kept);
    }
    EXPECT_EQ(deaths, 0);
    {
        CountedArray a;
        a.SetOwnsElements();
        a.Add(new Counted(&deaths));
        a.Add(new Counted(&deaths));
    }
    EXPECT_EQ(deaths, 2);
}
