// Our tables against an independent dBASE reader and writer: the Debian
// package python3-dbf (run with the system's own Python). Each test skips,
// saying why, when the package is missing; CI installs it.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "foundation/DBRecord.h"
#include "foundation/DBTable.h"
#include "stream_test_support.h"

namespace {

using streamtest::TempDrive;

constexpr const char* kPython = "/usr/bin/python3";

// Runs a Python script; its standard output, or nothing when it failed.
bool RunPython(const TempDrive& drive, const std::string& script, std::string& output)
{
    plat::testing::TempConfig::writeFile(drive.host("script.py"), script);
    std::string command = std::string(kPython) + " -W ignore " + drive.host("script.py") + " 2>&1";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe)
        return false;
    output.clear();
    std::array<char, 4096> chunk;
    while (std::size_t n = std::fread(chunk.data(), 1, chunk.size(), pipe.get()))
        output.append(chunk.data(), n);
    return pclose(pipe.release()) == 0;
}

class DBInteropTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string out;
        if (!std::filesystem::exists(kPython) || !RunPython(drive, "import dbf\n", out))
            GTEST_SKIP() << "the independent dBASE tool is missing: install the Debian package "
                            "python3-dbf (scripts/dev installs it) to run this test";
    }
    std::string run(const std::string& script)
    {
        std::string out;
        EXPECT_TRUE(RunPython(drive, "import dbf, datetime\n" + script, out)) << out;
        return out;
    }
    std::string hostName(const char* file) { return "'" + drive.host(file) + "'"; }
    // What the other tool prints of a table it opens to read, as t.
    std::string readThere(const char* file, const std::string& script)
    {
        return run("t = dbf.Table(" + hostName(file) + ")\n"
                   "t.open(mode=dbf.READ_ONLY)\n" +
                   script + "t.close()\n");
    }

    TempDrive drive;
};

std::string text(DBRecord& r, const char* field)
{
    char out[300];
    EXPECT_EQ(r.GetText(field, out, sizeof out), kDbOk) << field;
    return out;
}

TEST_F(DBInteropTest, TablesAndMemosWrittenHereAreReadByTheOtherTool)
{
    DBTable table;
    ASSERT_EQ(table.OpenOrCreate("E:\\ours", "NAME:C12|AGE:N5|PRICE:N8.2|BORN:D|OK:L|NOTES:M", 0, 0), kDbOk);
    const std::string longMemo = std::string(3000, 'y') + "\r\nend";
    struct Row {
        const char* name;
        int age;
        double price;
        int born;
        bool ok;
        std::string notes;
    } rows[] = {{"Ann", 30, 1.5, (2000 << 16) | (7 << 8) | 31, true, "first memo"},
                {"Bob Smith", -4, 1234.56, 0, false, longMemo},
                {"", 0, 0.0, (1999 << 16) | (12 << 8) | 1, false, ""}};
    for (const Row& row : rows) {
        DBRecord r(&table);
        ASSERT_EQ(r.ClearAll(), kDbOk);
        r.SetText("NAME", row.name);
        r.SetInt("AGE", row.age);
        r.SetReal("PRICE", row.price);
        if (row.born)
            r.SetInt("BORN", row.born);
        r.SetInt("OK", row.ok);
        ASSERT_EQ(r.SetMemo("NOTES", row.notes), kDbOk);
        ASSERT_EQ(table.Append(r), kDbOk);
    }
    ASSERT_EQ(table.Close(), kDbOk);

    std::string out = readThere("ours.DBF",
                                "print(len(t), t.field_names)\n"
                                "for r in t:\n"
                                "    print(repr((r.name.strip(), r.age, r.price, str(r.born), r.ok, r.notes)))\n");
    EXPECT_EQ(out,
              "3 ['name', 'age', 'price', 'born', 'ok', 'notes']\n"
              "('Ann', 30, 1.5, '2000-07-31', True, 'first memo')\n"
              "('Bob Smith', -4, 1234.56, '1900-01-01', False, '" +
                  std::string(3000, 'y') +
                  "\\r\\nend')\n"
                  "('', 0, 0.0, '1999-12-01', False, '')\n");
}

TEST_F(DBInteropTest, TablesAndMemosWrittenByTheOtherToolAreReadHere)
{
    run("t = dbf.Table(" + hostName("theirs.dbf") +
        ", 'name C(12); age N(5,0); price N(8,2); born D; ok L; notes M', dbf_type='fp')\n"
        "t.open(mode=dbf.READ_WRITE)\n"
        "t.append(('Ann', 30, 1.5, datetime.date(2000, 7, 31), True, 'first memo'))\n"
        "t.append(('Bob', -4, 1234.56, None, False, 'y' * 5000))\n"
        "t.append(('Cy', None, None, None, None, ''))\n"
        "t.close()\n");

    DBTable table;
    ASSERT_EQ(table.Open("E:\\theirs", 0), kDbOk);
    ASSERT_EQ(table.GetRecordCount(), 3u);
    ASSERT_EQ(table.GetFieldCount(), 6);
    DBRecord r(&table);
    ASSERT_EQ(table.ReadRecord(r), kDbOk);
    EXPECT_EQ(text(r, "NAME"), "Ann         ");
    std::int32_t n = 0;
    double real = 0;
    EXPECT_EQ(r.GetInt("AGE", n), kDbOk);
    EXPECT_EQ(n, 30);
    EXPECT_EQ(r.GetReal("PRICE", real), kDbOk);
    EXPECT_DOUBLE_EQ(real, 1.5);
    EXPECT_EQ(text(r, "BORN"), "20000731");
    EXPECT_EQ(r.GetInt("OK", n), kDbOk);
    EXPECT_EQ(n, 1);
    const DBMemo* memo = nullptr;
    ASSERT_EQ(r.GetMemoHandle("NOTES", memo), kDbOk);
    EXPECT_EQ(memo->Data(), "first memo");

    ASSERT_EQ(table.GoNext(), kDbOk);
    ASSERT_EQ(table.ReadRecord(r), kDbOk);
    EXPECT_EQ(r.GetField("AGE").GetInt(), -4);
    EXPECT_DOUBLE_EQ(r.GetField("PRICE").GetReal(), 1234.56);
    EXPECT_EQ(r.GetField("OK").GetInt(), 0);
    ASSERT_EQ(r.GetMemoHandle("NOTES", memo), kDbOk);
    EXPECT_EQ(memo->Data(), std::string(5000, 'y'));

    ASSERT_EQ(table.GoNext(), kDbOk);
    ASSERT_EQ(table.ReadRecord(r), kDbOk);
    EXPECT_EQ(r.GetField("AGE").GetInt(), 0);
    ASSERT_EQ(r.GetMemoHandle("NOTES", memo), kDbOk);  // an empty memo of its own
    EXPECT_EQ(memo->Data(), "");
    EXPECT_EQ(table.GoNext(), kDbPastEnd);

    // A memo written here into their table is read there.
    ASSERT_EQ(r.SetMemo("NOTES", "added here"), kDbOk);
    ASSERT_EQ(table.WriteRecord(r), kDbOk);
    ASSERT_EQ(table.Close(), kDbOk);
    EXPECT_EQ(readThere("theirs.dbf",
                        "print([r.notes for r in t][1:])\n"),
              "['" + std::string(5000, 'y') + "', 'added here']\n");
}

TEST_F(DBInteropTest, EachSideGoesOnWithTheOthersCoverageTable)
{
    DBTable table;
    ASSERT_EQ(table.OpenOrCreate("E:\\Coverage", "PAGE:C8|ACCESSED:N10", 4096, 1), kDbOk);
    table.AddToValueForKey("intro", 1);
    table.AddToValueForKey("quiz", 2);
    table.AddToValueForKey("intro", 1);
    ASSERT_EQ(table.Close(), kDbOk);

    EXPECT_EQ(run("t = dbf.Table(" + hostName("Coverage.DBF") + ")\n"
                  "t.open(mode=dbf.READ_WRITE)\n"
                  "print(sorted((r.page.strip(), r.accessed) for r in t))\n"
                  "t.append(('credits', 5))\n"
                  "t.close()\n"),
              "[('intro', 2), ('quiz', 2)]\n");

    ASSERT_EQ(table.OpenOrCreate("E:\\Coverage", "PAGE:C8|ACCESSED:N10", 4096, 1), kDbOk);
    EXPECT_EQ(table.GetRecordCount(), 3u);
    std::int32_t v = 0;
    EXPECT_EQ(table.GetValueForKey("credits", v), kDbOk);
    EXPECT_EQ(v, 5);
    EXPECT_EQ(table.AddToValueForKey("quiz", 1), kDbOk);
    EXPECT_EQ(table.AddToValueForKey("new", 9), kDbOk);
    ASSERT_EQ(table.Close(), kDbOk);

    EXPECT_EQ(readThere("Coverage.DBF",
                        "print(sorted((r.page.strip(), r.accessed) for r in t))\n"),
              "[('credits', 5), ('intro', 2), ('new', 9), ('quiz', 3)]\n");
}

TEST_F(DBInteropTest, UnsetLogicalsAndDeletedRecordsReadAndSearchAsTheOtherToolShowsThem)
{
    // The other tool writes '?' for a logical never set, blanks for a date,
    // and keeps a deleted record in the file with its mark.
    run("t = dbf.Table(" + hostName("Counts.dbf") + ", 'page C(8); accessed N(10,0); seen L; born D')\n"
        "t.open(mode=dbf.READ_WRITE)\n"
        "t.append(('intro', 3, True, datetime.date(2000, 7, 31)))\n"
        "t.append(('gone', 7, True, None))\n"
        "t.append(('blank', 1, None, None))\n"
        "dbf.delete(t[1])\n"
        "t.close()\n");

    DBTable table;
    ASSERT_EQ(table.Open("E:\\Counts", 0), kDbOk);
    DBRecord r(&table);
    const struct {
        std::uint32_t record;
        std::int32_t seen;
    } logicals[] = {{1, 1}, {3, 0}};
    for (const auto& c : logicals) {
        ASSERT_EQ(table.GoTo(c.record), kDbOk);
        ASSERT_EQ(table.ReadRecord(r), kDbOk);
        EXPECT_EQ(r.GetField("SEEN").GetInt(), c.seen) << "record " << c.record;
    }
    std::int32_t v = -1;
    EXPECT_EQ(table.GetValueForKey("gone", v), kDbOk);
    EXPECT_EQ(v, 0) << "the deleted record is not found";
    EXPECT_EQ(table.AddToValueForKey("gone", 2), kDbOk);
    EXPECT_EQ(table.AddToValueForKey("new", 5), kDbOk);
    EXPECT_EQ(table.AddToValueForKey("intro", 1), kDbOk);
    ASSERT_EQ(table.Close(), kDbOk);

    // The records appended here hold a false logical and a date.
    EXPECT_EQ(readThere("Counts.dbf",
                        "for r in t:\n"
                        "    print(dbf.is_deleted(r), r.page.strip(), r.accessed, r.seen, r.born)\n"),
              "False intro 4 True 2000-07-31\n"
              "True gone 7 True None\n"
              "False blank 1 None None\n"
              "False gone 2 False 1900-01-01\n"
              "False new 5 False 1900-01-01\n");
}

}  // namespace
