// The xBase table reader on arbitrary table and memo files: the first two
// bytes give the length of the table file (the rest is the memo file), the
// third chooses case-sensitive keys. The table is opened, every record and
// field read, memos loaded, searched and updated by key, then closed. Each
// step must stay inside its buffers and end, whatever the files say.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "foundation/DBRecord.h"
#include "foundation/DBTable.h"
#include "fuzz_support.h"

namespace {

// A drive E: over a folder of the scratch folders (removed at exit), set
// up once.
std::string SetUpDrive()
{
    plat::testing::TempConfig& scratch = fuzz::Scratch();
    const std::string drive = scratch.root() + "/e";
    std::filesystem::create_directories(drive);
    scratch.writeDriveTable("[Drive E]\nPath=" + drive + "\nType=fixed\n");
    return drive;
}

void WriteFile(const std::string& path, const std::uint8_t* data, std::size_t size)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

void ReadEveryField(DBRecord& record, std::uint32_t fields)
{
    for (std::uint32_t i = 0; i < fields; ++i) {
        char text[64];
        std::int32_t n = 0;
        double real = 0;
        const DBMemo* memo = nullptr;
        record.GetText(i, text, sizeof text);
        record.GetInt(i, n);
        record.GetReal(i, real);
        if (record.GetMemoHandle(i, memo) == kDbOk && memo)
            (void)memo->Data().size();
        DBField f = record.GetField(i);
        if (const char* p = f.GetTextPointer())
            (void)std::string(p, f.GetLength());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string drive = SetUpDrive();
    if (size < 3)
        return 0;
    const std::size_t wanted = data[0] | (data[1] << 8);
    const bool exactCase = data[2] & 1;
    data += 3;
    size -= 3;
    const std::size_t tableSize = wanted % (size + 1);
    WriteFile(drive + "/t.DBF", data, tableSize);
    WriteFile(drive + "/t.FPT", data + tableSize, size - tableSize);

    DBTable table;
    if (table.Open("E:\\t", 4096) != kDbOk)
        return 0;
    table.SetExactCase(exactCase);
    const std::uint32_t fields = table.GetFieldCount();
    DBRecord record(&table);
    std::uint32_t visited = 0;
    if (table.GoFirst() == kDbOk) {
        do {
            if (table.ReadRecord(record) != kDbOk)
                break;
            ReadEveryField(record, fields);
        } while (++visited < 64 && table.GoNext() == kDbOk);
    }

    if (table.GoFirst() == kDbOk && table.ReadRecord(record) == kDbOk) {
        DBRecord found(&table);
        std::uint32_t count = 0;
        found.Find(record, DBRecord::kFindAll | DBRecord::kFindIgnoreCase, &count);
        found.Find(record, DBRecord::kFindCount, &count);
        found.Find(record, DBRecord::kFindNext, nullptr);
        const char* key = record.GetField(0u).GetTextPointer();
        if (key) {
            std::string keyText(key, record.GetField(0u).GetLength());
            table.AddToValueForKey(keyText.c_str(), 1);
        }
    }
    table.SetValueForKey("fuzz", 7);
    std::int32_t value = 0;
    table.GetValueForKey("fuzz", value);
    record.Bind(&table);
    if (fields > 1 && record.SetMemo(1u, "memo") == kDbOk)
        table.Append(record);
    table.Close(false);
    return 0;
}
