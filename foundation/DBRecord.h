#pragma once
// A record buffer bound to an open DBTable. It holds one record (or, after
// a search, every match) as the table stores it, and serves as the search
// pattern of Find: the fields set in it are the fields searched. Field
// operations keep their result in the record's error; a record must not
// outlive its table.
//
// Field text forms: C left-aligned and padded with blanks; N right-aligned
// in the field width with the field's decimals (a number wider than the
// field is refused with 9531); D "YYYYMMDD"; L "T" or "F" (read as true
// only for "T", "t", "Y" or "y"); M and G the block number of the memo.
// Searches pass over deleted records.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/DBErrors.h"

class DBTable;
class DBField;
struct DBFieldDesc;
struct DBMemo;

class DBRecord {
public:
    static constexpr std::uint32_t kMaxSetFields = 16;
    // The first byte of a record: a blank, or this mark once it is deleted.
    static constexpr char kDeletedMark = '*';

    // Search options: the mode in the low bits, and flags.
    enum : std::uint32_t {
        kFindFirst = 0,   // first match from record 1
        kFindNext = 1,    // next match after the current record
        kFindAll = 2,     // every match from the current record
        kFindCount = 4,   // count the matches from the current record
        kFindFlag = 0x10,
        kFindIgnoreCase = 0x100,
    };

    DBRecord() = default;
    explicit DBRecord(DBTable* table) { Bind(table); }
    DBRecord(const DBRecord&) = delete;
    ~DBRecord() { Release(); }
    // Copies another record of the same layout.
    DBRecord& operator=(const DBRecord& other);

    DBError Bind(DBTable* table);
    void Release();
    DBError GetError() const { return error_; }
    DBTable* GetTable() const { return table_; }
    std::uint32_t GetRecordLength() const { return recordLength_; }
    std::uint32_t GetRecordsInUse() const { return recordsInUse_; }
    // The raw bytes of slot (0 = the record itself), or null.
    char* GetBuffer(std::uint32_t slot = 0);
    const char* GetBuffer(std::uint32_t slot = 0) const;

    DBError ClearAll();
    DBError FieldInfo(std::uint32_t index, char* type, char** address, std::uint32_t* length,
                      std::uint32_t* decimals, const DBFieldDesc** descriptor);
    DBError FindFieldIndex(const char* name, std::uint32_t& index);

    DBError ClearField(std::uint32_t index);
    DBError SetText(std::uint32_t index, const char* text);
    DBError SetInt(std::uint32_t index, std::int32_t value);
    DBError SetReal(std::uint32_t index, double value);
    // Copies the field's text, at most size - 1 bytes, and terminates it.
    DBError GetText(std::uint32_t index, char* out, std::size_t size);
    DBError GetInt(std::uint32_t index, std::int32_t& value);
    DBError GetReal(std::uint32_t index, double& value);
    // M and G fields: loads the memo the field names.
    DBError GetMemoHandle(std::uint32_t index, const DBMemo*& memo);
    // M fields: stores data as a new text memo and names it in the field.
    DBError SetMemo(std::uint32_t index, std::string_view data);

    // The same operations by field name.
    DBError ClearField(const char* name);
    DBError SetText(const char* name, const char* text);
    DBError SetInt(const char* name, std::int32_t value);
    DBError SetReal(const char* name, double value);
    DBError GetText(const char* name, char* out, std::size_t size);
    DBError GetInt(const char* name, std::int32_t& value);
    DBError GetReal(const char* name, double& value);
    DBError GetMemoHandle(const char* name, const DBMemo*& memo);
    DBError SetMemo(const char* name, std::string_view data);

    DBField GetField(std::uint32_t index);
    DBField GetField(const char* name);

    // Searches the table for records whose fields equal the fields set in
    // pattern (see the modes above); the matches replace this record's
    // buffer (except when counting). count, when given, gets their number.
    DBError Find(const DBRecord& pattern, std::uint32_t options, std::uint32_t* count);

    // The indexes of the fields set in this record (its search pattern).
    const std::vector<std::uint32_t>& GetSetFields() const { return setFields_; }

private:
    friend class DBTable;
    DBError SetError(DBError e) { return error_ = e; }
    // The descriptor of a usable field, or null with the error set.
    const DBFieldDesc* Field(std::uint32_t index);
    void MarkSet(std::uint32_t index);
    void SetSetFieldsToFirst(std::uint32_t count);
    // Writes a number in the field's form (with its decimals, or truncated
    // to a whole number without); 9531 when it does not fit.
    DBError StoreNumber(std::uint32_t index, const DBFieldDesc& field, double value);
    DBError StoreText(const DBFieldDesc& field, std::string_view text);
    // The field's text as a whole number or a real (one of the two asked).
    DBError GetNumber(std::uint32_t index, std::int32_t* integer, double* real);
    template <typename Op>
    DBError ByName(const char* name, Op op);
    DBError Resize(std::uint32_t slots);

    DBTable* table_ = nullptr;
    std::uint32_t recordLength_ = 0;
    std::unique_ptr<char[]> buffer_;
    std::uint32_t recordsInUse_ = 0;
    std::uint32_t slots_ = 0;
    DBError error_ = kDbOk;
    std::vector<std::uint32_t> setFields_;
    bool ignoreCase_ = false;
    bool optionFlag_ = false;
};

// One field of one record: a small value naming the field. A field made
// with a bad index or name carries 9575; its operations then do nothing
// and its getters give 0.
class DBField {
public:
    DBField(DBRecord* record, std::uint32_t index, DBError error) : index_(index), record_(record), error_(error) {}

    DBField& operator=(const char* text);
    DBField& operator=(std::int32_t value);
    DBField& operator=(double value);
    // Copies the raw text of another field of the same record (cut or
    // padded with blanks to this field's length).
    DBField& CopyFrom(const DBField& other);

    std::int32_t GetInt();
    double GetReal();
    const DBMemo* GetMemoHandle();
    // The field's text in the record buffer: exactly GetLength bytes, not
    // terminated. Null for a field with an error.
    const char* GetTextPointer() const;
    std::uint32_t GetLength() const;
    DBError GetError() const { return error_; }

    DBField& operator++() { return Step(1); }
    DBField& operator--() { return Step(-1); }

private:
    DBField& Step(std::int32_t delta);
    DBError Note(DBError e);

    std::uint32_t index_;
    DBRecord* record_;
    DBError error_;
};
