#pragma once
// An open xBase table: a table file (extension "DBF", dBASE III layout,
// little-endian) of fixed-length text records described by 32-byte field
// descriptors, and for memo fields a memo file (extension "FPT", FoxPro
// layout, big-endian) of fixed-size blocks. Records are read and written
// through DBRecords bound to the table; every operation returns a code of
// DBErrors.h and the table keeps the last one.
//
// Table file: a 32-byte header (version, date of the last update as year -
// 1900, month, day, the record count, the header length, the record
// length), one descriptor per field (name, type letter, offset in the
// record, length, decimals), the byte 0x0D, then the records, each a
// delete-flag byte and the fields as text; 0x1A follows the last record.
// Memo file: a header whose first four bytes name the next free block and
// whose bytes 4-7 hold the block size; a memo starts at its block with its
// type (1 text, 2 object) and length, then the data.
//
// Only field texts are interpreted: the delete flag is written as a blank
// and deleted records are read like any other.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/DBErrors.h"
#include "foundation/DBFile.h"

class DBRecord;

// A memo loaded from the memo file. A text memo keeps its 8-byte block
// header before the data; an object memo keeps the data from its compound
// document signature (0xD0 0xCF) on. memory is rounded up to whole blocks.
struct DBMemo {
    static constexpr std::uint32_t kText = 1;
    static constexpr std::uint32_t kObject = 2;
    std::uint32_t type = 0;
    std::vector<std::uint8_t> memory;
    std::uint32_t length = 0;  // bytes of data in memory (after the block header of a text)
    // The memo's data without its block header.
    std::string_view Data() const;
};

// One field descriptor as the table keeps it.
struct DBFieldDesc {
    std::uint8_t raw[32] = {};  // as read or written (name, type, length, decimals ...)
    std::string name;           // upper case, without its padding
    char type = 'C';
    std::uint32_t offset = 0;   // in the record; the first field is at 1
    std::uint8_t length = 0;
    std::uint8_t decimals = 0;
    std::unique_ptr<DBMemo> memo;  // the field's loaded memo, or null
    bool IsMemo() const { return type == 'M' || type == 'G'; }
};

class DBTable {
public:
    static constexpr std::uint32_t kHeaderSize = 32;
    static constexpr std::uint32_t kDescriptorSize = 32;
    static constexpr std::uint32_t kMaxFields = 255;
    static constexpr std::uint32_t kMaxHeaderLength = 8191;
    static constexpr std::uint8_t kVersion = 3;
    static constexpr std::uint8_t kVersionWithMemo = 0xF5;
    static constexpr std::uint8_t kTerminator = 0x0D;
    static constexpr std::uint8_t kEndOfFile = 0x1A;
    static constexpr std::uint32_t kMemoHeaderSize = 2024;
    static constexpr std::uint32_t kMemoBlockSize = 2048;

    DBTable() = default;
    DBTable(const DBTable&) = delete;
    DBTable& operator=(const DBTable&) = delete;
    ~DBTable();

    // fieldSpec: items "NAME:TYPE" separated by '|', e.g. "PAGE:C8|ACCESSED:N10".
    // With mode 1 an existing table is opened as it is; otherwise (or when
    // there is none) the table is created empty.
    DBError OpenOrCreate(const char* name, const char* fieldSpec, std::uint32_t bufferSize, int mode);
    // names and types may be null, and so may each of their count entries.
    // A type text is a letter (C, N, D, L, M, G) and, for C and N, a
    // length and (N) ".decimals".
    DBError Create(const char* name, int count, const char* const* names, const char* const* types,
                   int mode, std::uint32_t bufferSize);
    DBError Open(const char* name, std::uint32_t bufferSize);
    // Writes the header back and closes both files (deleting them when
    // deleteFile is set).
    DBError Close(bool deleteFile = false);
    bool IsOk() const { return error_ == kDbOk; }
    bool IsOpen() const { return tableFile_.IsOpen() && !fields_.empty(); }
    DBError GetError() const { return error_; }

    DBError WriteHeader();

    DBError GoTo(std::uint32_t n);
    // 9601 and 9602 (past the end, before the start) are returned, not kept.
    DBError Skip(std::int32_t delta);
    DBError GoFirst() { return GoTo(1); }
    DBError GoNext() { return Skip(1); }

    DBError ReadRecords(void* buffer, std::uint32_t count, std::uint32_t length);
    DBError ReadRecord(DBRecord& record);
    DBError WriteRecord(const DBRecord& record);
    DBError Append(const DBRecord& record);

    // The record whose field 0 holds key (the key is cut to that field's
    // length), appended when there is none; its field 1 is set to value,
    // raised by amount, or read.
    DBError SetValueForKey(const char* key, std::int32_t value);
    DBError AddToValueForKey(const char* key, std::int32_t amount);
    DBError GetValueForKey(const char* key, std::int32_t& value);

    // Memos. LoadMemo reads the memo that a memo field's text names into
    // the field's loaded memo, which stays valid until that field's memo is
    // loaded again or the table closes; WriteMemo stores data as a new memo
    // of type and gives its block number.
    DBError LoadMemo(std::uint32_t fieldIndex, const char* fieldText, const DBMemo*& memo);
    DBError WriteMemo(std::string_view data, std::uint32_t type, std::uint32_t& block);
    bool HasMemoFile() const { return memoFile_.IsOpen(); }
    std::uint32_t GetMemoBlockSize() const { return memoBlockSize_; }

    std::uint32_t GetRecordCount() const { return recordCount_; }
    std::uint32_t GetCurrentRecord() const { return currentRecord_; }
    std::uint16_t GetHeaderLength() const { return headerLength_; }
    std::uint16_t GetRecordLength() const { return recordLength_; }
    std::uint16_t GetFieldCount() const { return static_cast<std::uint16_t>(fields_.size()); }
    const DBFieldDesc* GetFieldDesc(std::uint32_t index) const
    {
        return index < fields_.size() ? &fields_[index] : nullptr;
    }
    std::uint8_t GetVersion() const { return version_; }
    void SetExactCase(bool on) { exactCase_ = on; }
    bool GetExactCase() const { return exactCase_; }
    bool IsReadOnly() const { return tableFile_.IsReadOnly(); }

private:
    friend class DBRecord;
    DBError SetError(DBError e) { return error_ = e; }
    void ClearHeader();
    DBError OpenMemoFile(const char* name);
    DBError CreateMemoFile(const char* name);
    std::uint64_t RecordOffset(std::uint32_t n) const
    {
        return headerLength_ + std::uint64_t(n - 1) * recordLength_;
    }
    DBError ChangeValueForKey(const char* key, std::int32_t value, bool add, std::int32_t* read);
    // True for a record bound to this table as it is now laid out.
    bool Holds(const DBRecord& record) const;

    DBError error_ = kDbNotOpen;
    DBFile tableFile_;
    DBFile memoFile_;
    std::uint32_t memoBlockSize_ = 0;
    std::uint32_t memoNextFree_ = 0;
    std::uint8_t version_ = 0;
    std::uint8_t lastUpdate_[3] = {};
    std::uint32_t currentRecord_ = 0;
    std::uint32_t recordCount_ = 0;
    std::uint16_t headerLength_ = 0;
    std::uint16_t recordLength_ = 0;
    std::vector<DBFieldDesc> fields_;
    bool exactCase_ = true;
};
