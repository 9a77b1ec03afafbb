#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "foundation/JxCCharMap.h"
#include "foundation/JxCCollationKey.h"
#include "foundation/JxCComparator.h"
#include "foundation/JxCInStrStream.h"
#include "foundation/JxCOutStream.h"
#include "foundation/JxCTokeniser.h"
#include "stream_test_support.h"

namespace {

int compare(const JxCComparator& c, const char* a, const char* b)
{
    JxCCollationKey ka(a), kb(b);
    return c.Compare(ka, kb);
}

int lengthFirst(const char* a, const char* b)
{
    std::size_t la = std::strlen(a), lb = std::strlen(b);
    return la != lb ? (la < lb ? -1 : 1) : std::strcmp(a, b);
}

TEST(Collation, TheDefaultComparatorOrdersBytes)
{
    JxCComparator byBytes(CompareBytes);
    EXPECT_LT(compare(byBytes, "abc", "abd"), 0);
    EXPECT_GT(compare(byBytes, "abd", "abc"), 0);
    EXPECT_EQ(compare(byBytes, "same", "same"), 0);
    EXPECT_LT(compare(byBytes, "", "a"), 0);
    EXPECT_LT(compare(byBytes, "Zebra", "apple"), 0);  // every capital before every small letter
    EXPECT_LT(compare(byBytes, "Word", "word"), 0);
    EXPECT_LT(compare(byBytes, "z", "\xe9"), 0);       // bytes above 127 sort last

    JxCComparator empty;  // no parameters at all: still byte order
    EXPECT_LT(compare(empty, "abc", "abd"), 0);

    std::vector<std::string> words = {"pear", "Apple", "", "apple", "Pear"};
    std::sort(words.begin(), words.end(), [&](const std::string& a, const std::string& b) {
        return compare(byBytes, a.c_str(), b.c_str()) < 0;
    });
    EXPECT_EQ(words, (std::vector<std::string>{"", "Apple", "Pear", "apple", "pear"}));
}

TEST(Collation, AnAssignedComparatorSharesTheOthersParameters)
{
    JxCComparator manager;
    {
        JxCComparator made(lengthFirst);
        manager = made;
        EXPECT_EQ(manager.GetParameters().Get(), made.GetParameters().Get());
        EXPECT_EQ(made.GetParameters().Get()->GetReferences(), 2u);
    }
    EXPECT_EQ(manager.GetParameters().Get()->GetReferences(), 1u);
    EXPECT_LT(compare(manager, "zz", "aaa"), 0);
}

// Counts the live copies so that ownership shows.
struct CountedParams : JxCCompParams {
    static int alive;
    CountedParams() { ++alive; }
    CountedParams(const CountedParams& o) : JxCCompParams(o) { ++alive; }
    ~CountedParams() override { --alive; }
    JxCWiseObj* MakeUnique() override { return UniqueCopy(this); }
};
int CountedParams::alive = 0;

TEST(Collation, AStackObjectIsCopiedOnFirstShareAndTheCopyFreedByItsLastHolder)
{
    CountedParams onStack;
    ASSERT_EQ(CountedParams::alive, 1);
    {
        JxCSharedPtr first(onStack);
        ASSERT_TRUE(first.IsValid());
        EXPECT_NE(first.Get(), &onStack);
        EXPECT_TRUE(first.Get()->IsPrivate());
        EXPECT_EQ(first.Get()->GetReferences(), 1u);
        EXPECT_EQ(CountedParams::alive, 2);
        {
            JxCSharedPtr second(first);
            EXPECT_EQ(second.Get(), first.Get());
            EXPECT_EQ(first.Get()->GetReferences(), 2u);
            JxCSharedPtr separate(onStack);  // a second share of the stack object: a second copy
            EXPECT_NE(separate.Get(), first.Get());
            EXPECT_EQ(CountedParams::alive, 3);
        }
        EXPECT_EQ(first.Get()->GetReferences(), 1u);
        EXPECT_EQ(CountedParams::alive, 2);
        // Sharing a private object shares it, without a copy.
        JxCSharedPtr again(first.Get());
        EXPECT_EQ(again.Get(), first.Get());
        EXPECT_EQ(CountedParams::alive, 2);
    }
    EXPECT_EQ(CountedParams::alive, 1);
    EXPECT_FALSE(onStack.IsPrivate());
    EXPECT_EQ(onStack.GetReferences(), 0u);
}

TEST(Collation, AssigningAPointerFromInsideTheObjectItReleasesIsSafe)
{
    JxCComparator inner(lengthFirst);
    JxCComparator outer{JxCSharedPtr(), JxCSharedPtr(inner), JxCSharedPtr()};
    JxCSharedPtr holder(outer);
    JxCComparator* held = holder.Get()->AsComparator();
    ASSERT_NE(held, nullptr);
    // The held comparator is the only owner of its sub-comparator's pointer.
    holder = held->GetSubComparator();
    ASSERT_TRUE(holder.IsValid());
    EXPECT_LT(compare(*holder.Get()->AsComparator(), "zz", "aaa"), 0);
}

TEST(Collation, KeysCopyTheirSortTextsAndRetokeniseOnlyForAnotherTokeniser)
{
    JxCUnicodeTokeniser lower(JxCSharedPtr(), [](std::uint16_t c) -> std::uint16_t {
        return c >= 'A' && c <= 'Z' ? c + 32 : (c == '-' ? 0 : c);
    });
    JxCSharedPtr tokeniser(lower);
    JxCCollationKey key("Re-Enter");
    key.SetTokeniser(tokeniser);
    ASSERT_NE(key.GetTokenised(), nullptr);
    EXPECT_EQ(key.GetTokenised()->GetText().View(), "reenter");
    const JxCCollationKey* before = key.GetTokenised();
    key.SetTokeniser(JxCSharedPtr(lower));  // a copy with the same weights
    EXPECT_EQ(key.GetTokenised(), before);
    key.SetTokeniser(JxCSharedPtr());
    EXPECT_EQ(key.GetTokenised(), before);

    JxCCollationKey copy(key);
    ASSERT_NE(copy.GetTokenised(), nullptr);
    EXPECT_NE(copy.GetTokenised(), key.GetTokenised());
    EXPECT_EQ(copy.GetTokenised()->GetText().View(), "reenter");
    JxCCollationKey assigned;
    assigned = copy;
    assigned = assigned;
    EXPECT_EQ(assigned.GetTokenised()->GetText().View(), "reenter");

    JxCComparator folding{tokeniser, JxCSharedPtr(), JxCSharedPtr()};
    EXPECT_EQ(compare(folding, "RE-ENTER", "reenter"), 0);
    EXPECT_LT(compare(folding, "Apple", "banana"), 0);
}

TEST(Collation, WeightTokenisersSkipDoubleByteCharactersAndZeroWeights)
{
    JxCSingleByteCharMap map(2);
    map.SelectPlane(1);
    map.NamePlane("Windows");
    ASSERT_TRUE(map.SetEntry('a', 0x100));
    EXPECT_FALSE(map.SetEntry('b', 0x100));  // already in the plane
    EXPECT_TRUE(map.SetEntry('b', 0x100, false));
    map.SetEntry('b', 'b', false);
    std::uint16_t translated = 0;
    map.SelectPlane(0);
    EXPECT_TRUE(map.Translate(1, 0x100, translated));
    EXPECT_EQ(translated, 'a');
    EXPECT_FALSE(map.Translate(1, 0x999, translated));

    JxCTableTokeniser table(JxCSharedPtr(map), "weights.tab");
    EXPECT_EQ(table.GetWeight('a'), 0x100);  // its low byte is 0: no weight
    JxCCollationKey key("abc");
    key.SetTokeniser(JxCSharedPtr(table));
    EXPECT_EQ(key.GetTokenised()->GetText().View(), "bc");

    map.SetCasePair('q', 'Q');
    char text[] = "qx";
    EXPECT_EQ(map.MakeUpper(text), 1u);
    EXPECT_EQ(map.MakeUpper(text + 1), 1u);
    EXPECT_STREQ(text, "Qx");
    map.MakeLower(text);
    EXPECT_STREQ(text, "qx");
}

TEST(Collation, ASingleByteMapSurvivesAStreamAndRefusesADamagedOne)
{
    streamtest::TempDrive drive;
    JxCSingleByteCharMap map(3);
    map.SelectPlane(2);
    map.SetEntry(65, 0x391);
    map.NamePlane("Unicode");
    map.SetCasePair(0xE1, 0xC1);
    map.SetFlag(7, 3);
    {
        JxCOutStream out("map.bin");
        ASSERT_TRUE(map.Write(out));
        ASSERT_TRUE(out.Close());
    }
    std::string bytes = drive.read("map.bin");
    EXPECT_EQ(bytes.size(), 6u + 6u * 512u);

    JxCSingleByteCharMap back;
    JxCInStrStream in(JxMemoryBlock{bytes.data(), static_cast<std::uint32_t>(bytes.size())});
    ASSERT_TRUE(back.Read(in));
    EXPECT_EQ(back.GetPlaneCount(), 3);
    back.SelectPlane(2);
    EXPECT_EQ(back.GetEntry(65), 0x391);
    EXPECT_EQ(back.GetUpper(0xE1), 0xC1);
    EXPECT_EQ(back.GetFlag(7), 3);
    EXPECT_EQ(back.IndexOf(65), 0x91);

    for (std::string damaged : {bytes.substr(0, bytes.size() - 1), std::string("\0\0\0\0\0\0", 6),
                                std::string("\0\x02\0\x05\0\0", 6) + bytes.substr(6)}) {
        JxCSingleByteCharMap kept;
        JxCInStrStream d(JxMemoryBlock{damaged.data(), static_cast<std::uint32_t>(damaged.size())});
        EXPECT_FALSE(kept.Read(d));
        EXPECT_EQ(kept.GetPlaneCount(), 1);
    }
}

TEST(Collation, TheSystemMapKnowsLeadBytesOnlyOnDoubleBytePages)
{
    JxCSystemCharMap map;
    EXPECT_FALSE(map.IsLeadByte(0x81));
    char text[] = "ab";
    EXPECT_EQ(map.MakeUpper(text), 1u);
    EXPECT_STREQ(text, "Ab");
    JxCUnicodeTokeniser identity(JxCSharedPtr(map), nullptr);
    JxCCollationKey key("Abc");
    key.SetTokeniser(JxCSharedPtr(identity));
    EXPECT_EQ(key.GetTokenised()->GetText().View(), "Abc");
}

}  // namespace
