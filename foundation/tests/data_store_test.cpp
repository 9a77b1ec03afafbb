// The packed data store and its sub-files, on stores written by testkit.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "foundation/JxCMungeFile.h"
#include "foundation/JxCSubFile.h"
#include "foundation/tests/reporting_fixture.h"
#include "platform/fs/files.h"
#include "testkit/data_store.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

class DataStoreTest : public ReportingTest {
protected:
    void SetUp() override
    {
        ReportingTest::SetUp();
        programStrings("1\tkelbo32.ini\n1001\tNot on the disc: %s\n1180\tDamaged: %s\n1181\tDamaged, in use: %s\n");
    }
    std::string write(const Bytes& bytes, const std::string& name = "DATA.MNG") const
    {
        plat::testing::TempConfig::writeFile(config.program() + "/" + name,
                                             std::string(bytes.begin(), bytes.end()));
        return programFolder() + name;
    }
    static testkit::DataStore sample()
    {
        testkit::DataStore store;
        store.item("TITLE.DIB", "title-bytes")
            .item("PICS\\INTRO.ANI", "intro animation")
            .item("b.dib", "B")
            .item("EMPTY.DIB", "");
        return store;
    }
    static std::string readAll(JxCjxioSubFile& f, std::int32_t chunk = 64)
    {
        std::string out;
        char buffer[64];
        for (;;) {
            std::int32_t n = f.Read(buffer, chunk);
            if (n <= 0)
                return out;
            out.append(buffer, std::size_t(n));
        }
    }
};

TEST_F(DataStoreTest, ItemsAreFoundWithoutCaseAndReadWhole)
{
    JxCMungeFile store(write(sample().Bytes()).c_str());
    ASSERT_TRUE(store.IsOpen());
    EXPECT_EQ(store.GetIndex().GetCount(), 4);
    EXPECT_EQ(store.GetIndex().GetTotalSize(), 11u + 15u + 1u);

    JxCjxioSubFile intro(&store, "pics\\Intro.ani");
    ASSERT_EQ(intro.IsOpen(), 1);
    EXPECT_EQ(intro.GetSize(), 15u);
    EXPECT_EQ(readAll(intro, 4), "intro animation");
    // At the end: nothing more, and that request was served in full.
    char c;
    EXPECT_EQ(intro.Read(&c, 1), 0);
    EXPECT_EQ(intro.IsOpen(), 1);

    JxCjxioSubFile lower(&store, "B.DIB");
    EXPECT_EQ(readAll(lower), "B");
    JxCjxioSubFile empty(&store, "empty.dib");
    EXPECT_EQ(empty.IsOpen(), 1);
    EXPECT_EQ(readAll(empty), "");

    JxCjxioSubFile missing(&store, "NOPE.DIB");
    EXPECT_EQ(missing.IsOpen(), 0);
    EXPECT_EQ(missing.GetId(), 0u);
    EXPECT_EQ(missing.Read(&c, 1), 0);
    EXPECT_EQ(missing.Seek(0, plat::FILE_BEGIN), -1);
}

TEST_F(DataStoreTest, NamesResolveWithAndWithoutTheDataPath)
{
    iniFile("[Directory]\nData=" + programFolder() + "TITLE\\\n");
    ReadSettings();
    JxCMungeFile store(write(sample().Bytes()).c_str());
    JxCjxioSubFile full(&store, (programFolder() + "title\\PICS\\INTRO.ANI").c_str());
    EXPECT_EQ(std::string(full.GetName().View()), "PICS\\INTRO.ANI");
    EXPECT_EQ(full.IsOpen(), 1);
    JxCjxioSubFile relative(&store, "PICS\\INTRO.ANI");
    EXPECT_EQ(relative.IsOpen(), 1);
    // The data path is a folder, not the start of a longer folder name.
    EXPECT_EQ(std::string(JxCMungeFile::ApplyNamePrefix((programFolder() + "TITLEX\\B.DIB").c_str()).View()),
              programFolder() + "TITLEX\\B.DIB");
    EXPECT_EQ(std::string(JxCMungeFile::ApplyNamePrefix("TI").View()), "TI");  // shorter than the prefix
}

TEST_F(DataStoreTest, TheListPathReplacesTheDataPathAsPrefix)
{
    iniFile("[Directory]\nData=P:\\TITLE\nCanMunge=1\nMungeListPath=X:\\MASTER\\\n");
    ReadSettings();
    EXPECT_EQ(std::string(JxCMungeFile::ApplyNamePrefix("x:\\master\\B.DIB").View()), "B.DIB");
    EXPECT_EQ(std::string(JxCMungeFile::ApplyNamePrefix("P:\\TITLE\\B.DIB").View()), "P:\\TITLE\\B.DIB");
}

TEST_F(DataStoreTest, TwoSubFilesReadInTurnGetTheirOwnBytes)
{
    JxCMungeFile store(write(sample().Bytes()).c_str());
    JxCjxioSubFile a(&store, "TITLE.DIB");
    JxCjxioSubFile b(&store, "PICS\\INTRO.ANI");
    std::string outA, outB;
    char buffer[3];
    for (int round = 0; round < 6; ++round) {
        outA.append(buffer, std::size_t(a.Read(buffer, 3)));
        outB.append(buffer, std::size_t(b.Read(buffer, 3)));
    }
    EXPECT_EQ(outA, "title-bytes");
    EXPECT_EQ(outB, "intro animation");
    EXPECT_NE(a.GetId(), b.GetId());
}

TEST_F(DataStoreTest, SeeksStayInsideTheItem)
{
    JxCMungeFile store(write(sample().Bytes()).c_str());
    JxCjxioSubFile f(&store, "TITLE.DIB");
    EXPECT_EQ(f.Seek(11, plat::FILE_BEGIN), 11);  // the end itself
    EXPECT_EQ(f.IsOpen(), 1);
    EXPECT_EQ(f.Seek(12, plat::FILE_BEGIN), -1);
    EXPECT_EQ(f.IsOpen(), 0);
    EXPECT_EQ(f.GetPosition(), 11u);  // a refused seek leaves the position
    EXPECT_EQ(f.Seek(-1, plat::FILE_BEGIN), -1);
    EXPECT_EQ(f.Seek(-5, plat::FILE_END), 6);
    char buffer[8] = {};
    EXPECT_EQ(f.Read(buffer, 8), 5);  // cut at the item's end, served whole
    EXPECT_EQ(std::string(buffer, 5), "bytes");
    EXPECT_EQ(f.IsOpen(), 1);
    EXPECT_EQ(f.Seek(-11, plat::FILE_CURRENT), 0);
    EXPECT_EQ(f.Seek(-1, plat::FILE_CURRENT), -1);
    EXPECT_EQ(f.Seek(0, 7), -1);
}

TEST_F(DataStoreTest, SubFilesByIdCloseOnce)
{
    JxCMungeFile store(write(sample().Bytes()).c_str());
    EXPECT_EQ(store.OpenSubFile("NOPE"), 0u);
    std::uint32_t id = store.OpenSubFile("b.dib");
    ASSERT_NE(id, 0u);
    ASSERT_NE(store.FindSubFile(id), nullptr);
    char c = 0;
    EXPECT_EQ(store.ReadSubFile(id, &c, 4), 1);
    EXPECT_EQ(c, 'B');
    EXPECT_EQ(store.SeekSubFile(id, 0, plat::FILE_BEGIN), 0);
    EXPECT_TRUE(store.CloseSubFile(id));
    EXPECT_FALSE(store.CloseSubFile(id));
    EXPECT_EQ(store.FindSubFile(id), nullptr);
    EXPECT_EQ(store.ReadSubFile(id, &c, 1), 0);
    EXPECT_EQ(store.SeekSubFile(id, 0, plat::FILE_BEGIN), -1);
    // A sub-file made by its user is read by id, but only its user deletes it.
    JxCjxioSubFile own(&store, "TITLE.DIB");
    EXPECT_EQ(store.SeekSubFile(own.GetId(), 6, plat::FILE_BEGIN), 6);
    EXPECT_FALSE(store.CloseSubFile(own.GetId()));
    EXPECT_EQ(store.FindSubFile(own.GetId()), &own);
}

TEST_F(DataStoreTest, AStoreThatGoesFirstLeavesItsSubFilesHarmless)
{
    auto store = std::make_unique<JxCMungeFile>(write(sample().Bytes()).c_str());
    auto f = std::make_unique<JxCjxioSubFile>(store.get(), "TITLE.DIB");
    store->OpenSubFile("b.dib");  // deleted with the store
    store.reset();
    EXPECT_EQ(f->IsOpen(), 0);
    char c;
    EXPECT_EQ(f->Read(&c, 1), 0);
    EXPECT_EQ(f->Seek(0, plat::FILE_BEGIN), -1);
    EXPECT_EQ(f->GetStore(), nullptr);
    f.reset();
}

TEST_F(DataStoreTest, AnEmptyIndexOpensAndFindsNothing)
{
    JxCMungeFile store(write(testkit::DataStore().Bytes()).c_str());
    EXPECT_TRUE(store.IsOpen());
    EXPECT_EQ(store.OpenSubFile("TITLE.DIB"), 0u);
    testkit::DataStore negative = sample();
    JxCMungeFile other(write(negative.claimCount(-3).Bytes(), "NEG.MNG").c_str());
    EXPECT_TRUE(other.IsOpen());
    EXPECT_EQ(other.GetIndex().GetCount(), 0);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(DataStoreTest, AnUnsortedIndexMakesLookUpsMiss)
{
    testkit::DataStore store;
    store.item("ZEBRA", "z").item("ALPHA", "a").item("MIDDLE", "m").item("BETA", "b").item("YAK", "y").unsorted();
    JxCMungeFile file(write(store.Bytes()).c_str());
    ASSERT_TRUE(file.IsOpen());
    int found = 0;
    for (const char* name : {"ZEBRA", "ALPHA", "MIDDLE", "BETA", "YAK"})
        found += file.OpenSubFile(name) != 0;
    EXPECT_GT(found, 0);
    EXPECT_LT(found, 5);
}

TEST_F(DataStoreTest, AStoreWhoseIndexCannotBeFoundIsReportedAndStaysShut)
{
    struct Case {
        const char* what;
        Bytes bytes;
    };
    std::vector<Case> cases = {
        {"shorter than a trailer", {0, 0, 1}},
        {"trailer past the end", testkit::DataStore(sample()).claimIndexOffset(5000).Bytes()},
        {"no room for the count", testkit::DataStore(sample()).claimIndexOffset(sample().Bytes().size() - 5).Bytes()},
    };
    for (const Case& c : cases) {
        boxes.clear();
        answers = {1};
        JxCMungeFile store(write(c.bytes).c_str());
        EXPECT_FALSE(store.IsOpen()) << c.what;
        EXPECT_EQ(store.GetIndex().GetCount(), 0) << c.what;
        EXPECT_EQ(store.OpenSubFile("TITLE.DIB"), 0u) << c.what;
        ASSERT_EQ(boxes.size(), 1u) << c.what;
        EXPECT_EQ(boxes[0].text, "[1180]: Damaged: " + programFolder() + "DATA.MNG") << c.what;
    }
}

// A damaged index keeps what it holds: the entries read before its end, less
// those whose bytes lie outside the file; the damage is logged once and no
// box stops the start.
TEST_F(DataStoreTest, ADamagedIndexServesTheEntriesItStillHoldsAndIsLoggedOnce)
{
    struct Case {
        const char* what;
        Bytes bytes;
        int kept;
    };
    testkit::DataStore pastEnd = sample();
    pastEnd.item({"BIG", Bytes(4, 'x'), 0, 0, 1000, std::nullopt});
    testkit::DataStore wraps = sample();
    wraps.item({"INTO", Bytes(4, 'x'), 0, 0, std::nullopt, 0xFFFFFFF0u});
    const Bytes whole = sample().Bytes();
    Bytes cutShort(whole.begin(), whole.end() - 4 - 8);  // the last entry's size and offset gone
    const std::uint32_t indexAt = std::uint32_t(sample().IndexOffset());
    for (int shift = 24; shift >= 0; shift -= 8)
        cutShort.push_back(std::uint8_t(indexAt >> shift));
    std::vector<Case> cases = {
        {"more entries claimed than held", testkit::DataStore(sample()).claimCount(9).Bytes(), 4},
        {"an item past the end", pastEnd.Bytes(), 4},
        {"an offset that wraps", wraps.Bytes(), 4},
        {"an index cut short", cutShort, 3},
    };
    for (const Case& c : cases) {
        iniFile("[Directory]\nLogErrors=1\nLogFile=" + programFolder() + "error.log\n");
        ReadSettings();
        boxes.clear();
        JxCMungeFile store(write(c.bytes).c_str());
        EXPECT_TRUE(store.IsOpen()) << c.what;
        EXPECT_TRUE(store.GetIndex().IsDamaged()) << c.what;
        EXPECT_EQ(store.GetIndex().GetCount(), c.kept) << c.what;
        JxCjxioSubFile first(&store, "B.DIB");
        EXPECT_EQ(readAll(first), "B") << c.what;
        EXPECT_EQ(store.OpenSubFile("BIG"), 0u) << c.what;
        EXPECT_TRUE(boxes.empty()) << c.what;
        EXPECT_EQ(hostFile("error.log"), "Damaged, in use: " + programFolder() + "DATA.MNG\r\n") << c.what;
    }
}

TEST_F(DataStoreTest, EveryCutAndEveryFlippedByteFailsCleanly)
{
    const Bytes whole = sample().Bytes();
    plat::SetResponder([](const plat::UiRequest&) -> std::optional<int> { return 1; });
    auto check = [&](const Bytes& bytes, const std::string& what) {
        JxCMungeFile store(write(bytes).c_str());
        if (!store.IsOpen())
            return;
        for (JxCDataIndexEntry* e = store.GetIndex().GetFirst(); e; e = store.GetIndex().GetNext(e))
            ASSERT_LE(std::uint64_t(e->GetOffset()) + e->GetSize(), bytes.size() - 4) << what;
        for (const char* name : {"TITLE.DIB", "PICS\\INTRO.ANI", "b.dib", "EMPTY.DIB"}) {
            JxCjxioSubFile f(&store, name);
            std::string got = readAll(f);
            ASSERT_EQ(got.size(), f.GetSize()) << what;
        }
    };
    for (std::size_t n = 0; n < whole.size(); ++n)
        check(Bytes(whole.begin(), whole.begin() + std::ptrdiff_t(n)), "cut at " + std::to_string(n));
    for (std::size_t i = sample().IndexOffset(); i < whole.size(); ++i) {
        Bytes flipped = whole;
        flipped[i] ^= 0xA5;
        check(flipped, "byte " + std::to_string(i) + " flipped");
    }
}

TEST_F(DataStoreTest, TheIndexAloneKeepsEveryFieldInFileOrder)
{
    testkit::DataStore store;
    store.item({"B", Bytes{1, 2}, 0xA1A2A3A4u, 7, std::nullopt, std::nullopt}).item("A", "xyz");
    JxCDataIndexList index;
    index.ReadIndexFile(write(store.Bytes()).c_str());
    ASSERT_EQ(index.GetCount(), 2);
    const JxCDataIndexEntry* a = index.GetAt(0);
    const JxCDataIndexEntry* b = index.GetAt(1);
    EXPECT_EQ(std::string(a->GetName().View()), "A");
    EXPECT_EQ(a->GetOffset(), 2u);
    EXPECT_EQ(a->GetSize(), 3u);
    EXPECT_EQ(b->GetA(), 0xA1A2A3A4u);
    EXPECT_EQ(b->GetB(), 7u);
    EXPECT_EQ(b->GetOffset(), 0u);
    EXPECT_EQ(index.Find("b"), b);
    EXPECT_EQ(index.Find(""), nullptr);
    EXPECT_EQ(index.GetStatus(), 1);
}

TEST_F(DataStoreTest, AStoreThatCannotBeOpenedIsReportedOnce)
{
    answers = {5};  // Ignore
    JxCMungeFile store((programFolder() + "NONE.MNG").c_str());
    EXPECT_FALSE(store.IsOpen());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "[1001]: Not on the disc: " + programFolder() + "NONE.MNG");
    JxCjxioSubFile f(&store, "TITLE.DIB");
    EXPECT_EQ(f.IsOpen(), 0);
}

}  // namespace
