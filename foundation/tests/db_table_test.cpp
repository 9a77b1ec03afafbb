#include "foundation/DBTable.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "foundation/DBRecord.h"
#include "stream_test_support.h"

namespace {

using streamtest::TempDrive;

std::uint32_t le32(const std::string& s, std::size_t at)
{
    auto b = [&](std::size_t i) { return std::uint32_t(static_cast<unsigned char>(s[at + i])); };
    return b(0) | b(1) << 8 | b(2) << 16 | b(3) << 24;
}
std::uint32_t le16(const std::string& s, std::size_t at)
{
    return static_cast<unsigned char>(s[at]) | static_cast<unsigned char>(s[at + 1]) << 8;
}

std::string fieldText(DBRecord& r, std::uint32_t index)
{
    char text[300];
    EXPECT_EQ(r.GetText(index, text, sizeof text), kDbOk);
    return text;
}

class DBTableTest : public ::testing::Test {
protected:
    TempDrive drive;
    DBTable table;

    void coverage(int mode = DBStream::kCreate)
    {
        ASSERT_EQ(table.OpenOrCreate("E:\\Coverage", "PAGE:C8|ACCESSED:N10", 4096, mode), kDbOk);
    }
};

TEST_F(DBTableTest, TheCoverageTableHasTheDBaseLayoutAndGrowsByOneRecordPerAppend)
{
    coverage();
    EXPECT_EQ(table.GetHeaderLength(), 97);
    EXPECT_EQ(table.GetRecordLength(), 19);
    ASSERT_EQ(table.GetFieldCount(), 2);
    const DBFieldDesc* page = table.GetFieldDesc(0);
    const DBFieldDesc* accessed = table.GetFieldDesc(1);
    EXPECT_EQ(page->name, "PAGE");
    EXPECT_EQ(page->type, 'C');
    EXPECT_EQ(page->offset, 1u);
    EXPECT_EQ(page->length, 8);
    EXPECT_EQ(accessed->name, "ACCESSED");
    EXPECT_EQ(accessed->type, 'N');
    EXPECT_EQ(accessed->offset, 9u);
    EXPECT_EQ(accessed->length, 10);
    EXPECT_EQ(accessed->decimals, 0);
    EXPECT_EQ(std::filesystem::file_size(drive.host("Coverage.DBF")), 97u);

    std::string bytes = drive.read("Coverage.DBF");
    EXPECT_EQ(bytes[0], 3);
    EXPECT_EQ(le32(bytes, 4), 0u);
    EXPECT_EQ(le16(bytes, 8), 97u);
    EXPECT_EQ(le16(bytes, 10), 19u);
    EXPECT_EQ(bytes.substr(32, 11), std::string("PAGE\0\0\0\0\0\0\0", 11));
    EXPECT_EQ(bytes[43], 'C');
    EXPECT_EQ(le32(bytes, 44), 1u);
    EXPECT_EQ(bytes[48], 8);
    EXPECT_EQ(bytes.substr(64, 11), std::string("ACCESSED\0\0\0", 11));
    EXPECT_EQ(bytes[96], 0x0D);

    for (int n = 1; n <= 3; ++n) {
        ASSERT_EQ(table.SetValueForKey(("P" + std::to_string(n)).c_str(), n * 10), kDbOk);
        EXPECT_EQ(std::filesystem::file_size(drive.host("Coverage.DBF")), 97u + 19u * n + 1);
        EXPECT_EQ(le32(drive.read("Coverage.DBF"), 4), std::uint32_t(n));
    }
    ASSERT_EQ(table.Close(), kDbOk);
    bytes = drive.read("Coverage.DBF");
    EXPECT_EQ(bytes.substr(97, 19), " P1              10");
    EXPECT_EQ(bytes.substr(97 + 19 * 2, 19), " P3              30");
    EXPECT_EQ(bytes.back(), 0x1A);
}

TEST_F(DBTableTest, FieldSpecificationsAreReadInAnyCaseWithDefaults)
{
    ASSERT_EQ(table.OpenOrCreate("E:\\t", "name:c20|price:n12.7|when:d|ok:l|other:x", 0, 0), kDbOk);
    const DBFieldDesc* price = table.GetFieldDesc(1);
    EXPECT_EQ(price->name, "PRICE");
    EXPECT_EQ(price->type, 'N');
    EXPECT_EQ(price->length, 12);
    EXPECT_EQ(price->decimals, 5);
    EXPECT_EQ(table.GetFieldDesc(2)->length, 8);
    EXPECT_EQ(table.GetFieldDesc(3)->length, 1);
    EXPECT_EQ(table.GetFieldDesc(4)->type, 'X');
    EXPECT_EQ(table.GetFieldDesc(4)->length, 10);

    ASSERT_EQ(table.OpenOrCreate("E:\\one", "ONLY:C", 0, 0), kDbOk);
    ASSERT_EQ(table.GetFieldCount(), 2);
    EXPECT_EQ(table.GetFieldDesc(0)->length, 8);
    EXPECT_EQ(table.GetFieldDesc(1)->name, "B");
    EXPECT_EQ(table.GetFieldDesc(1)->type, 'C');
    EXPECT_EQ(table.GetFieldDesc(1)->length, 10);

    EXPECT_EQ(table.OpenOrCreate("E:\\bad", "", 0, 0), kDbBadArgument);
    EXPECT_EQ(table.OpenOrCreate("E:\\bad", "||", 0, 0), kDbBadArgument);
    EXPECT_FALSE(table.IsOpen());
}

TEST_F(DBTableTest, KeyedValuesAreLookedUpIncrementedAndKeptAcrossReopening)
{
    coverage();
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(table.AddToValueForKey("Intro", 1), kDbOk);
    ASSERT_EQ(table.SetValueForKey("Quiz", 7), kDbOk);
    ASSERT_EQ(table.AddToValueForKey("Quiz", -2), kDbOk);
    EXPECT_EQ(table.GetRecordCount(), 2u);
    std::int32_t v = 0;
    EXPECT_EQ(table.GetValueForKey("Intro", v), kDbOk);
    EXPECT_EQ(v, 3);
    EXPECT_EQ(table.AddToValueForKey(nullptr, 1), kDbBadArgument);
    // A key longer than the field uses the field's length of it.
    EXPECT_EQ(table.AddToValueForKey("Quiz\0ignored", 1), kDbOk);
    EXPECT_EQ(table.AddToValueForKey("QuizzicalX", 1), kDbOk);
    EXPECT_EQ(table.GetRecordCount(), 3u);
    ASSERT_EQ(table.Close(), kDbOk);

    coverage(DBStream::kCreate);
    EXPECT_EQ(table.GetRecordCount(), 3u);
    EXPECT_EQ(table.GetValueForKey("Quiz", v), kDbOk);
    EXPECT_EQ(v, 6);
    EXPECT_EQ(table.GetValueForKey("Quizzica", v), kDbOk);
    EXPECT_EQ(v, 1);
    ASSERT_EQ(table.Close(), kDbOk);

    // Any other mode starts the table again.
    coverage(0);
    EXPECT_EQ(table.GetRecordCount(), 0u);
}

TEST_F(DBTableTest, KeysMatchWithoutCaseOnlyWhenTheTableSaysSo)
{
    coverage();
    ASSERT_EQ(table.SetValueForKey("INTRO", 1), kDbOk);
    ASSERT_EQ(table.AddToValueForKey("intro", 1), kDbOk);
    EXPECT_EQ(table.GetRecordCount(), 2u);
    table.SetExactCase(false);
    ASSERT_EQ(table.AddToValueForKey("Intro", 5), kDbOk);
    EXPECT_EQ(table.GetRecordCount(), 2u);
    std::int32_t v = 0;
    EXPECT_EQ(table.GetValueForKey("INTRO", v), kDbOk);
    EXPECT_EQ(v, 6);
}

TEST_F(DBTableTest, NumbersTooWideForTheirFieldAreRefusedAndTheFieldKept)
{
    ASSERT_EQ(table.OpenOrCreate("E:\\n", "SMALL:N5|REAL:N8.2|WHEN:D|FLAG:L|NAME:C4", 0, 0), kDbOk);
    DBRecord r(&table);
    ASSERT_EQ(r.SetInt(0u, 42), kDbOk);
    EXPECT_EQ(r.SetInt(0u, 1234567), kDbOutOfRange);
    EXPECT_EQ(fieldText(r, 0), "   42");
    EXPECT_EQ(r.SetInt(0u, -9999), kDbOk);
    EXPECT_EQ(r.SetInt(0u, -10000), kDbOutOfRange);
    EXPECT_EQ(r.SetInt(0u, 0), kDbOk);
    EXPECT_EQ(fieldText(r, 0), "    0");
    EXPECT_EQ(r.SetInt(1u, 5), kDbOk);
    EXPECT_EQ(fieldText(r, 1), "    5.00");
    EXPECT_EQ(r.SetReal(0u, -7.9), kDbOk);  // truncated where there are no decimals
    EXPECT_EQ(fieldText(r, 0), "   -7");
    EXPECT_EQ(r.SetReal(1u, 3.14159), kDbOk);
    EXPECT_EQ(fieldText(r, 1), "    3.14");
    EXPECT_EQ(r.SetReal(1u, 1e12), kDbOutOfRange);
    EXPECT_EQ(r.SetText(1u, "1e400"), kDbOutOfRange);
    EXPECT_EQ(r.SetReal(1u, 0.0 / 0.0), kDbOutOfRange);
    EXPECT_EQ(fieldText(r, 1), "    3.14");
    EXPECT_EQ(r.SetInt(2u, 2000 * 65536 + 7 * 256 + 31), kDbOk);
    EXPECT_EQ(fieldText(r, 2), "20000731");
    EXPECT_EQ(r.SetInt(2u, 12000 * 65536 + 7 * 256 + 31), kDbOutOfRange);
    r.ClearField(2u);
    EXPECT_EQ(fieldText(r, 2), "19000101");
    EXPECT_EQ(r.SetInt(3u, 5), kDbOk);
    EXPECT_EQ(fieldText(r, 3), "T");
    std::int32_t v = -1;
    EXPECT_EQ(r.GetInt(3u, v), kDbOk);
    EXPECT_EQ(v, 1);
    r.ClearField(3u);
    EXPECT_EQ(r.GetInt(3u, v), kDbOk);
    EXPECT_EQ(v, 0);
    EXPECT_EQ(r.SetText("name", "Longer"), kDbOk);
    EXPECT_EQ(fieldText(r, 4), "Long");
    EXPECT_EQ(r.SetText("nothing", "x"), kDbNoSuchField);
    EXPECT_EQ(r.SetText(9u, "x"), kDbBadField);
}

TEST_F(DBTableTest, OnlyAYesIsATrueLogical)
{
    ASSERT_EQ(table.OpenOrCreate("E:\\l", "FLAG:L|NAME:C4", 0, 0), kDbOk);
    DBRecord r(&table);
    const struct {
        const char* text;
        std::int32_t value;
    } cases[] = {{"T", 1}, {"t", 1}, {"Y", 1}, {"y", 1}, {"F", 0}, {"f", 0},
                 {"N", 0}, {"n", 0}, {"?", 0}, {" ", 0}, {"x", 0}};
    for (const auto& c : cases) {
        std::memcpy(r.GetBuffer() + table.GetFieldDesc(0)->offset, c.text, 1);
        std::int32_t v = -1;
        double real = -1;
        EXPECT_EQ(r.GetInt(0u, v), kDbOk);
        EXPECT_EQ(r.GetReal(0u, real), kDbOk);
        EXPECT_EQ(v, c.value) << "'" << c.text << "'";
        EXPECT_EQ(real, c.value) << "'" << c.text << "'";
    }
}

TEST_F(DBTableTest, AKeyedRecordIsAppendedWithEmptyFormsAndDeletedRecordsAreNotFound)
{
    ASSERT_EQ(table.OpenOrCreate("E:\\k", "PAGE:C8|ACCESSED:N10|SEEN:L|BORN:D|NOTE:C3", 0, 0), kDbOk);
    ASSERT_EQ(table.SetValueForKey("intro", 4), kDbOk);
    DBRecord r(&table);
    ASSERT_EQ(table.GoTo(1), kDbOk);
    ASSERT_EQ(table.ReadRecord(r), kDbOk);
    EXPECT_EQ(std::string(r.GetBuffer(), table.GetRecordLength()), " intro            4F19000101   ");

    // Marked deleted (as another tool does it), the record is passed over:
    // the key gets a new record of its own.
    r.GetBuffer()[0] = DBRecord::kDeletedMark;
    ASSERT_EQ(table.WriteRecord(r), kDbOk);
    std::int32_t v = -1;
    EXPECT_EQ(table.GetValueForKey("intro", v), kDbOk);
    EXPECT_EQ(v, 0);
    EXPECT_EQ(table.AddToValueForKey("intro", 2), kDbOk);
    EXPECT_EQ(table.GetRecordCount(), 2u);
    DBRecord pattern(&table);
    pattern.SetText(0u, "intro");
    std::uint32_t count = 0;
    ASSERT_EQ(table.GoTo(1), kDbOk);
    EXPECT_EQ(r.Find(pattern, DBRecord::kFindCount, &count), kDbOk);
    EXPECT_EQ(count, 1u);
    ASSERT_EQ(table.GoTo(1), kDbOk);
    ASSERT_EQ(table.ReadRecord(r), kDbOk);
    EXPECT_EQ(r.GetField(1u).GetInt(), 4) << "the deleted record keeps its count";
}

TEST_F(DBTableTest, TextReadsStayInsideTheirBuffers)
{
    coverage();
    DBRecord r(&table);
    r.SetText(0u, "ABCDEFGH");
    char small[4];
    std::memset(small, 'z', sizeof small);
    EXPECT_EQ(r.GetText(0u, small, sizeof small), kDbOk);
    EXPECT_STREQ(small, "ABC");
    EXPECT_EQ(r.GetText(0u, small, 0), kDbZeroBuffer);

    DBField f = r.GetField(0u);
    EXPECT_EQ(f.GetLength(), 8u);
    EXPECT_EQ(std::string(f.GetTextPointer(), f.GetLength()), "ABCDEFGH");
    DBField bad = r.GetField(5u);
    EXPECT_EQ(bad.GetError(), kDbBadField);
    EXPECT_EQ(bad.GetTextPointer(), nullptr);
    EXPECT_EQ(bad.GetInt(), 0);
    bad = 7;
    EXPECT_EQ(r.GetField("NOPE").GetError(), kDbBadField);

    DBField count = r.GetField("accessed");
    count.CopyFrom(f);  // raw text, cut or padded to the field
    EXPECT_EQ(std::string(count.GetTextPointer(), 10), "ABCDEFGH  ");
    f.CopyFrom(count);
    EXPECT_EQ(std::string(f.GetTextPointer(), 8), "ABCDEFGH");
    EXPECT_EQ(f.CopyFrom(bad).GetError(), kDbBadField);
    count = 41;
    ++count;
    EXPECT_EQ(count.GetInt(), 42);
    --count;
    EXPECT_EQ(count.GetInt(), 41);
    count = 2147483647;
    ++count;
    EXPECT_EQ(count.GetError(), kDbOutOfRange);
}

TEST_F(DBTableTest, NavigationStopsAtBothEndsWithoutMoving)
{
    coverage();
    EXPECT_EQ(table.GoTo(1), kDbNotOpen);
    table.SetValueForKey("A", 1);
    EXPECT_EQ(table.Skip(1), kDbPastEnd);
    EXPECT_EQ(table.Skip(-1), kDbBeforeStart);
    table.SetValueForKey("B", 2);
    table.SetValueForKey("C", 3);
    ASSERT_EQ(table.GoTo(3), kDbOk);
    EXPECT_EQ(table.Skip(1), kDbPastEnd);
    EXPECT_EQ(table.GetCurrentRecord(), 3u);
    EXPECT_EQ(table.IsOk(), true);
    EXPECT_EQ(table.Skip(-5), kDbBeforeStart);
    EXPECT_EQ(table.Skip(-2), kDbOk);
    EXPECT_EQ(table.GetCurrentRecord(), 1u);
    EXPECT_EQ(table.GoTo(0), kDbOutOfRange);
    EXPECT_EQ(table.GoTo(4), kDbOutOfRange);
    EXPECT_EQ(table.GetCurrentRecord(), 1u);
    EXPECT_EQ(table.GoNext(), kDbOk);
    DBRecord r(&table);
    ASSERT_EQ(table.ReadRecord(r), kDbOk);
    EXPECT_EQ(fieldText(r, 0), "B       ");
    EXPECT_EQ(r.GetSetFields().size(), 2u);
}

TEST_F(DBTableTest, FindMatchesSetFieldsInEveryMode)
{
    ASSERT_EQ(table.OpenOrCreate("E:\\f", "NAME:C8|KIND:C4|N:N4", 0, 0), kDbOk);
    const char* rows[][2] = {{"apple", "FRUT"}, {"LEEK", "VEG"}, {"APPLE", "TREE"}, {"pear", "FRUT"}};
    for (auto& row : rows) {
        DBRecord r(&table);
        r.SetText(0u, row[0]);
        r.SetText(1u, row[1]);
        ASSERT_EQ(table.Append(r), kDbOk);
    }
    DBRecord pattern(&table), found(&table);
    pattern.SetText(0u, "APPLE");
    std::uint32_t count = 0;
    EXPECT_EQ(found.Find(pattern, DBRecord::kFindFirst, &count), kDbOk);
    EXPECT_EQ(table.GetCurrentRecord(), 3u);
    EXPECT_EQ(fieldText(found, 1), "TREE");
    EXPECT_EQ(found.Find(pattern, DBRecord::kFindNext, nullptr), kDbNoMatch);

    EXPECT_EQ(found.Find(pattern, DBRecord::kFindFirst | DBRecord::kFindIgnoreCase, &count), kDbOk);
    EXPECT_EQ(table.GetCurrentRecord(), 1u);
    EXPECT_EQ(fieldText(found, 1), "FRUT");
    EXPECT_EQ(found.Find(pattern, DBRecord::kFindNext | DBRecord::kFindIgnoreCase, nullptr), kDbOk);
    EXPECT_EQ(table.GetCurrentRecord(), 3u);

    table.GoTo(1);
    EXPECT_EQ(found.Find(pattern, DBRecord::kFindAll | DBRecord::kFindIgnoreCase, &count), kDbOk);
    EXPECT_EQ(count, 2u);
    EXPECT_EQ(found.GetRecordsInUse(), 2u);
    EXPECT_EQ(std::string(found.GetBuffer(1) + 9, 4), "TREE");
    EXPECT_EQ(table.GetCurrentRecord(), 1u);

    DBRecord kind(&table);
    kind.SetText(1u, "FRUT");
    table.GoTo(2);
    EXPECT_EQ(found.Find(kind, DBRecord::kFindCount, &count), kDbOk);
    EXPECT_EQ(count, 1u);
    EXPECT_EQ(table.GetCurrentRecord(), 2u);
    EXPECT_EQ(found.Find(kind, DBRecord::kFindCount, nullptr), kDbBadArgument);

    DBRecord empty(&table);
    EXPECT_EQ(found.Find(empty, DBRecord::kFindFirst, &count), kDbBadArgument);
}

TEST_F(DBTableTest, APatternFromATableWithShorterFieldsComparesTheShorterLength)
{
    ASSERT_EQ(table.OpenOrCreate("E:\\wide", "NAME:C12|N:N4", 0, 0), kDbOk);
    for (const char* name : {"ABC", "ABCDEFGH"}) {
        DBRecord r(&table);
        r.SetText(0u, name);
        ASSERT_EQ(table.Append(r), kDbOk);
    }
    DBTable narrow;
    ASSERT_EQ(narrow.OpenOrCreate("E:\\narrow", "NAME:C3|N:N4", 0, 0), kDbOk);
    DBRecord pattern(&narrow), found(&table);
    pattern.SetText(0u, "ABC");
    std::uint32_t count = 0;
    table.GoTo(1);
    EXPECT_EQ(found.Find(pattern, DBRecord::kFindAll, &count), kDbOk);
    EXPECT_EQ(count, 1u);
    EXPECT_EQ(std::string(found.GetBuffer(0) + 1, 12), "ABC         ");
}

TEST_F(DBTableTest, TheRecordCountReachesTheFileEvenWhenTheStoredDateIsLater)
{
    coverage();
    table.SetValueForKey("A", 1);
    ASSERT_EQ(table.Close(), kDbOk);
    std::string bytes = drive.read("Coverage.DBF");
    bytes[1] = char(200);  // the year 2100
    drive.write("Coverage.DBF", bytes);

    coverage();
    table.SetValueForKey("B", 2);
    ASSERT_EQ(table.Close(), kDbOk);
    bytes = drive.read("Coverage.DBF");
    EXPECT_EQ(le32(bytes, 4), 2u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[1]), 200);
}

TEST_F(DBTableTest, DamagedHeadersAreRefusedAndLeaveTheTableClosed)
{
    coverage();
    table.SetValueForKey("A", 1);
    ASSERT_EQ(table.Close(), kDbOk);
    const std::string good = drive.read("Coverage.DBF");
    auto openWith = [&](std::string bytes) {
        drive.write("Coverage.DBF", bytes);
        DBError e = table.Open("E:\\Coverage", 0);
        EXPECT_FALSE(e == kDbOk && !table.IsOpen());
        return e;
    };
    std::string b = good;
    b[8] = 32, b[9] = 0;  // a header length with no room for its terminator
    EXPECT_EQ(openWith(b), kDbBadHeader);
    EXPECT_FALSE(table.IsOpen());
    b = good;
    b[8] = char(0xFF), b[9] = char(0x7F);
    EXPECT_EQ(openWith(b), kDbBadHeader);
    b = good;
    b[8] = 80;  // the second descriptor runs past the header
    EXPECT_EQ(openWith(b), kDbBadHeader);
    b = good;
    b[32] = 0x0D;  // no descriptors at all
    EXPECT_EQ(openWith(b), kDbBadHeader);
    EXPECT_EQ(openWith(good.substr(0, 20)), kDbBadHeader);
    EXPECT_EQ(openWith(good.substr(0, 60)), kDbBadHeader);
    EXPECT_EQ(openWith(good), kDbOk);
    EXPECT_TRUE(table.IsOpen());
    std::int32_t v = 0;
    EXPECT_EQ(table.GetValueForKey("A", v), kDbOk);
    EXPECT_EQ(v, 1);
}

TEST_F(DBTableTest, ARecordCountBeyondTheFileFailsReadsCleanly)
{
    coverage();
    table.SetValueForKey("A", 1);
    ASSERT_EQ(table.Close(), kDbOk);
    std::string bytes = drive.read("Coverage.DBF");
    bytes[4] = bytes[5] = bytes[6] = char(0xFF);
    drive.write("Coverage.DBF", bytes);
    ASSERT_EQ(table.Open("E:\\Coverage", 0), kDbOk);
    std::int32_t v = 0;
    EXPECT_NE(table.GetValueForKey("Z", v), kDbOk);
    EXPECT_EQ(table.GoTo(0x00FFFFFF), kDbOk);
    DBRecord r(&table);
    EXPECT_NE(table.ReadRecord(r), kDbOk);
}

TEST_F(DBTableTest, MemosAreWrittenAndReadBackWithTheirLengthsBounded)
{
    ASSERT_EQ(table.OpenOrCreate("E:\\notes", "TITLE:C10|TEXT:M", 0, 0), kDbOk);
    EXPECT_TRUE(table.HasMemoFile());
    EXPECT_EQ(table.GetVersion(), DBTable::kVersionWithMemo);
    EXPECT_EQ(std::filesystem::file_size(drive.host("notes.FPT")), 2024u);
    const std::string longText(5000, 'x');
    for (const std::string& text : {std::string("short memo"), longText, std::string()}) {
        DBRecord r(&table);
        r.SetText(0u, "t");
        ASSERT_EQ(r.SetMemo(1u, text), kDbOk);
        ASSERT_EQ(table.Append(r), kDbOk);
    }
    ASSERT_EQ(table.Close(), kDbOk);

    ASSERT_EQ(table.Open("E:\\notes", 0), kDbOk);
    DBRecord r(&table);
    const DBMemo* memo = nullptr;
    ASSERT_EQ(table.GoTo(1), kDbOk);
    ASSERT_EQ(table.ReadRecord(r), kDbOk);
    EXPECT_EQ(fieldText(r, 1), "         1");
    ASSERT_EQ(r.GetMemoHandle(1u, memo), kDbOk);
    EXPECT_EQ(memo->type, DBMemo::kText);
    EXPECT_EQ(memo->Data(), "short memo");
    EXPECT_EQ(memo->memory.size(), 2048u);
    table.GoTo(2);
    table.ReadRecord(r);
    ASSERT_EQ(r.GetField("text").GetMemoHandle() != nullptr, true);
    EXPECT_EQ(r.GetField("text").GetMemoHandle()->Data(), longText);
    table.GoTo(3);
    table.ReadRecord(r);
    EXPECT_EQ(fieldText(r, 1), "          ");
    EXPECT_EQ(r.GetMemoHandle(1u, memo), kDbBadArgument);
    std::memcpy(r.GetBuffer() + table.GetFieldDesc(1)->offset, "0000000000", 10);
    EXPECT_EQ(r.GetMemoHandle(1u, memo), kDbBadArgument);
    std::memcpy(r.GetBuffer() + table.GetFieldDesc(1)->offset, "   12x    ", 10);
    EXPECT_EQ(r.GetMemoHandle(1u, memo), kDbBadArgument);
    EXPECT_EQ(r.GetMemoHandle(0u, memo), kDbBadField);
    ASSERT_EQ(table.Close(), kDbOk);

    // A memo that claims more data than its file holds is not available.
    std::string fpt = drive.read("notes.FPT");
    fpt[2048 + 4] = 0x7F;
    drive.write("notes.FPT", fpt);
    ASSERT_EQ(table.Open("E:\\notes", 0), kDbOk);
    table.ReadRecord(r);
    EXPECT_EQ(r.GetMemoHandle(1u, memo), kDbNoMemo);
    EXPECT_EQ(memo, nullptr);

    EXPECT_EQ(table.Close(true), kDbOk);
    EXPECT_FALSE(std::filesystem::exists(drive.host("notes.DBF")));
    EXPECT_FALSE(std::filesystem::exists(drive.host("notes.FPT")));
}

TEST_F(DBTableTest, ATableWhoseFileMayNotBeWrittenIsNotRecreated)
{
    coverage();
    table.SetValueForKey("A", 1);
    ASSERT_EQ(table.Close(), kDbOk);
    const std::string before = drive.read("Coverage.DBF");
    std::filesystem::permissions(drive.host("Coverage.DBF"), std::filesystem::perms::owner_read);
    EXPECT_EQ(table.OpenOrCreate("E:\\Coverage", "PAGE:C8|ACCESSED:N10", 4096, 0), kDbAccessDenied);
    EXPECT_FALSE(table.IsOpen());
    EXPECT_EQ(drive.read("Coverage.DBF"), before);

    // Opened as it is, it reads but refuses to grow.
    coverage(DBStream::kCreate);
    EXPECT_TRUE(table.IsReadOnly());
    std::int32_t v = 0;
    EXPECT_EQ(table.GetValueForKey("A", v), kDbOk);
    EXPECT_EQ(v, 1);
    EXPECT_EQ(table.AddToValueForKey("B", 1), kDbAppendFailed);
    EXPECT_EQ(table.Close(), kDbOk);
    EXPECT_EQ(drive.read("Coverage.DBF"), before);
}

TEST_F(DBTableTest, RecordsCopyOnlyBetweenTheSameLayout)
{
    coverage();
    DBTable other;
    ASSERT_EQ(other.OpenOrCreate("E:\\other", "X:C3|Y:C3", 0, 0), kDbOk);
    DBRecord a(&table), b(&table), c(&other);
    a.SetText(0u, "copied");
    b = a;
    EXPECT_EQ(fieldText(b, 0), "copied  ");
    c = a;
    EXPECT_EQ(c.GetError(), kDbLayoutsDiffer);
    DBRecord unbound;
    EXPECT_EQ(unbound.ClearAll(), kDbNotBound);
    EXPECT_EQ(unbound.SetText(0u, "x"), kDbNotBound);
    DBTable closed;
    EXPECT_EQ(DBRecord(&closed).GetError(), kDbNotOpen);
}

TEST_F(DBTableTest, ARecordBoundToAnEarlierLayoutIsRefusedNotOverrun)
{
    ASSERT_EQ(table.OpenOrCreate("E:\\small", "A:C3|B:C3", 0, 0), kDbOk);
    DBRecord stale(&table);
    ASSERT_EQ(table.OpenOrCreate("E:\\big", "A:C200|B:C200", 0, 0), kDbOk);
    DBRecord fresh(&table), pattern(&table);
    fresh.SetText(0u, "x");
    ASSERT_EQ(table.Append(fresh), kDbOk);
    pattern.SetText(0u, "x");
    EXPECT_EQ(table.ReadRecord(stale), kDbNotBound);
    EXPECT_EQ(table.WriteRecord(stale), kDbNotBound);
    EXPECT_EQ(table.Append(stale), kDbNotBound);
    EXPECT_EQ(stale.SetText(1u, "y"), kDbNotOpen);
    EXPECT_EQ(stale.Find(pattern, DBRecord::kFindFirst, nullptr), kDbNotBound);
    EXPECT_EQ(fresh.Find(stale, DBRecord::kFindFirst, nullptr), kDbBadArgument);
    EXPECT_EQ(table.GetRecordCount(), 1u);
}

}  // namespace
