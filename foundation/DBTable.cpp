#include "foundation/DBTable.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <ctime>

#include "foundation/DBRecord.h"

namespace {

std::uint32_t ReadLE32(const std::uint8_t* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24);
}
void WriteLE32(std::uint8_t* p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}
std::uint32_t ReadBE32(const std::uint8_t* p)
{
    return (std::uint32_t(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}
void WriteBE32(std::uint8_t* p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(v >> (8 * (3 - i)));
}

// Today as stored in the header (year - 1900, month, day); false when the
// clock gives no date.
bool Today(std::uint8_t date[3])
{
    std::time_t now = std::time(nullptr);
    std::tm local {};
    if (now == std::time_t(-1) || !localtime_r(&now, &local) || local.tm_year < 0 || local.tm_year > 255)
        return false;
    date[0] = static_cast<std::uint8_t>(local.tm_year);
    date[1] = static_cast<std::uint8_t>(local.tm_mon + 1);
    date[2] = static_cast<std::uint8_t>(local.tm_mday);
    return true;
}

// The block number a memo field names: four bytes little-endian in a
// 4-byte field, otherwise decimal digits padded with blanks (a field that
// holds only blanks or zeros names no memo).
bool ParseMemoBlock(const char* text, std::uint32_t length, std::uint32_t& block)
{
    if (length == 4) {
        block = ReadLE32(reinterpret_cast<const std::uint8_t*>(text));
        return true;
    }
    std::uint64_t value = 0;
    std::uint32_t i = 0;
    auto blank = [&](char c) { return c == ' ' || c == '\0'; };
    while (i < length && blank(text[i]))
        ++i;
    for (; i < length && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > 0xFFFFFFFFu)
            return false;
    }
    while (i < length && blank(text[i]))
        ++i;
    block = static_cast<std::uint32_t>(value);
    return i == length;
}

std::uint32_t RoundUp(std::uint64_t size, std::uint32_t blockSize)
{
    return static_cast<std::uint32_t>((size + blockSize - 1) / blockSize * blockSize);
}

}  // namespace

std::string_view DBMemo::Data() const
{
    std::size_t start = type == kText ? 8 : 0;
    if (memory.size() < start + length)
        return {};
    return {reinterpret_cast<const char*>(memory.data()) + start, length};
}

DBTable::~DBTable()
{
    Close(false);
}

void DBTable::ClearHeader()
{
    fields_.clear();
    memoBlockSize_ = 0;
    memoNextFree_ = 0;
    version_ = 0;
    std::memset(lastUpdate_, 0, sizeof lastUpdate_);
    currentRecord_ = 0;
    recordCount_ = 0;
    headerLength_ = 0;
    recordLength_ = 0;
}

DBError DBTable::Close(bool deleteFile)
{
    DBError result = kDbOk;
    if (tableFile_.IsOpen()) {
        // The record count must reach the file whatever happened before.
        tableFile_.Lock();
        if (!fields_.empty())
            result = WriteHeader();
        tableFile_.Unlock();
        DBError e = tableFile_.Close(deleteFile);
        if (!result)
            result = e;
    }
    if (memoFile_.IsOpen()) {
        DBError e = memoFile_.Close(deleteFile);
        if (!result)
            result = e;
    }
    ClearHeader();
    error_ = result ? result : kDbNotOpen;
    return result;
}

DBError DBTable::OpenOrCreate(const char* name, const char* fieldSpec, std::uint32_t bufferSize, int mode)
{
    Close(false);
    error_ = kDbOk;
    if (mode == DBStream::kCreate && DBFile::CanOpen(name, "DBF") == kDbOk)
        return Open(name, bufferSize);

    if (!fieldSpec)
        return SetError(kDbBadArgument);
    std::string spec(fieldSpec);
    for (char& c : spec)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    std::vector<std::string> names, types;
    std::size_t start = 0;
    while (start <= spec.size()) {
        std::size_t end = spec.find('|', start);
        if (end == std::string::npos)
            end = spec.size();
        std::string item = spec.substr(start, end - start);
        if (!item.empty()) {
            std::size_t colon = item.find(':');
            names.push_back(item.substr(0, std::min<std::size_t>(colon, 11)));
            types.push_back(colon == std::string::npos ? std::string() : item.substr(colon + 1, 11));
        }
        start = end + 1;
    }
    if (names.empty())
        return SetError(kDbBadArgument);
    std::vector<const char*> namePtrs, typePtrs;
    for (std::size_t i = 0; i < names.size(); ++i) {
        namePtrs.push_back(names[i].c_str());
        typePtrs.push_back(types[i].empty() ? nullptr : types[i].c_str());
    }
    return Create(name, static_cast<int>(names.size()), namePtrs.data(), typePtrs.data(), mode, bufferSize);
}

namespace {

// Fills a descriptor from a field's name and type text.
struct FieldPlan {
    std::string name;
    char type = 'C';
    int length = 10;
    int decimals = 0;
};

FieldPlan PlanField(int i, const char* name, const char* typeText)
{
    FieldPlan f;
    if (name)
        f.name.assign(name, strnlen(name, 11));
    if (typeText && *typeText) {
        f.type = static_cast<char>(std::toupper(static_cast<unsigned char>(typeText[0])));
        if (f.type == 'C' || f.type == 'N') {
            std::string t(typeText, strnlen(typeText, 16));
            t = t.substr(0, t.find(' '));
            for (char& c : t)
                c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            std::size_t dot = t.find('.');
            if (f.type == 'N' && dot != std::string::npos) {
                f.decimals = std::clamp(std::atoi(t.c_str() + dot + 1), 0, 5);
                t.resize(dot);
            }
            f.length = std::min(std::atoi(t.c_str() + 1), 255);
            if (f.length <= 0)
                f.length = f.type == 'C' ? 8 : 19;
        } else if (f.type == 'L') {
            f.length = 1;
        } else if (f.type == 'D') {
            f.length = 8;
        }
    }
    if (f.name.empty()) {
        if (i < 90)
            f.name = std::string(1, static_cast<char>('A' + i));
        else
            f.name = {static_cast<char>(i - 25), static_cast<char>(i + 25)};
    }
    // A blank ends the name; letters are upper case.
    f.name = f.name.substr(0, f.name.find(' '));
    for (char& c : f.name)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return f;
}

}  // namespace

DBError DBTable::Create(const char* name, int count, const char* const* names, const char* const* types,
                        int mode, std::uint32_t bufferSize)
{
    Close(false);
    error_ = kDbOk;
    if (mode == DBStream::kCreate && DBFile::CanOpen(name, "DBF") == kDbOk)
        return Open(name, bufferSize);

    int fieldCount = std::clamp(count, 2, int(kMaxFields));
    if (DBError e = tableFile_.Open(name, "DBF", DBStream::kCreate, DBFile::kMinBuffer))
        return SetError(e);
    if (!tableFile_.IsOpen()) {
        tableFile_.Close(false);
        return SetError(kDbBadFileName);
    }

    bool hasMemo = false;
    std::uint32_t recordLength = 1;
    std::vector<DBFieldDesc> fields(fieldCount);
    for (int i = 0; i < fieldCount; ++i) {
        bool given = i < count;
        FieldPlan plan = PlanField(i, given && names ? names[i] : nullptr, given && types ? types[i] : nullptr);
        DBFieldDesc& d = fields[i];
        d.name = plan.name;
        d.type = plan.type;
        d.length = static_cast<std::uint8_t>(plan.length);
        d.decimals = static_cast<std::uint8_t>(plan.decimals);
        d.offset = recordLength;
        recordLength += d.length;
        std::memcpy(d.raw, d.name.data(), d.name.size());
        d.raw[11] = static_cast<std::uint8_t>(d.type);
        WriteLE32(d.raw + 12, d.offset);
        d.raw[16] = d.length;
        d.raw[17] = d.decimals;
        if (d.IsMemo() && !hasMemo) {
            hasMemo = true;
            if (DBError e = CreateMemoFile(name)) {
                tableFile_.Close(true);
                return SetError(e);
            }
        }
    }

    fields_ = std::move(fields);
    headerLength_ = static_cast<std::uint16_t>(kHeaderSize + kDescriptorSize * fieldCount + 1);
    recordLength_ = static_cast<std::uint16_t>(recordLength);
    version_ = hasMemo ? kVersionWithMemo : kVersion;

    std::vector<std::uint8_t> descriptors(headerLength_ - kHeaderSize, 0);
    for (int i = 0; i < fieldCount; ++i)
        std::memcpy(descriptors.data() + i * kDescriptorSize, fields_[i].raw, kDescriptorSize);
    descriptors.back() = kTerminator;

    DBError e = tableFile_.Reopen(DBStream::kUpdate);
    if (!e && tableFile_.IsReadOnly())
        e = kDbAccessDenied;
    if (!e)
        e = WriteHeader();
    if (!e)
        e = tableFile_.WriteAt(kHeaderSize, descriptors.data(), 1, static_cast<std::uint32_t>(descriptors.size()));
    if (!e)
        e = tableFile_.Flush();
    if (e) {
        tableFile_.Close(false);
        memoFile_.Close(false);
        ClearHeader();
        return SetError(e);
    }
    return SetError(kDbOk);
}

DBError DBTable::CreateMemoFile(const char* name)
{
    if (DBError e = memoFile_.Open(name, "FPT", DBStream::kCreate, kMemoBlockSize))
        return e;
    std::vector<std::uint8_t> header(kMemoHeaderSize, 0);
    WriteBE32(header.data(), 1);
    WriteBE32(header.data() + 4, kMemoBlockSize);
    DBError e = memoFile_.Write(header.data(), 1, kMemoHeaderSize);
    if (!e)
        e = memoFile_.Reopen(DBStream::kUpdate);
    if (e) {
        memoFile_.Close(true);
        return e;
    }
    memoBlockSize_ = kMemoBlockSize;
    memoNextFree_ = 1;
    return kDbOk;
}

DBError DBTable::Open(const char* name, std::uint32_t bufferSize)
{
    Close(false);
    error_ = kDbOk;
    if (DBError e = tableFile_.Open(name, "DBF", DBStream::kUpdate, bufferSize))
        return SetError(e);
    if (!tableFile_.IsOpen()) {
        tableFile_.Close(false);
        return SetError(kDbBadFileName);
    }
    auto fail = [this](DBError e) {
        tableFile_.Close(false);
        memoFile_.Close(false);
        ClearHeader();
        return SetError(e);
    };

    std::uint8_t header[kHeaderSize];
    if (tableFile_.ReadAt(0, header, kHeaderSize, 1))
        return fail(kDbBadHeader);
    std::uint16_t headerLength = static_cast<std::uint16_t>(header[8] | (header[9] << 8));
    // The header must at least hold its terminator; a length under that
    // would put records inside the header itself.
    if (headerLength < kHeaderSize + 1 || headerLength > kMaxHeaderLength)
        return fail(kDbBadHeader);
    std::uint32_t descriptorBytes = headerLength - kHeaderSize;
    std::vector<std::uint8_t> d(descriptorBytes);
    if (tableFile_.ReadAt(kHeaderSize, d.data(), 1, descriptorBytes))
        return fail(kDbBadHeader);

    std::vector<DBFieldDesc> fields;
    std::uint32_t recordLength = 1;
    for (std::uint32_t at = 0; at < descriptorBytes && fields.size() < kMaxFields; at += kDescriptorSize) {
        if (d[at] == kTerminator || d[at] == 0)
            break;
        if (descriptorBytes - at < kDescriptorSize)
            return fail(kDbBadHeader);  // the descriptor would run past the header
        DBFieldDesc f;
        std::memcpy(f.raw, d.data() + at, kDescriptorSize);
        f.name.assign(reinterpret_cast<const char*>(f.raw), strnlen(reinterpret_cast<const char*>(f.raw), 11));
        f.type = static_cast<char>(f.raw[11]);
        f.length = f.raw[16];
        f.decimals = f.raw[17];
        f.offset = recordLength;
        recordLength += f.length;
        fields.push_back(std::move(f));
    }
    if (fields.empty())
        return fail(kDbBadHeader);

    fields_ = std::move(fields);
    headerLength_ = headerLength;
    recordLength_ = static_cast<std::uint16_t>(recordLength);
    version_ = header[0];
    std::memcpy(lastUpdate_, header + 1, 3);
    recordCount_ = ReadLE32(header + 4);

    for (const DBFieldDesc& f : fields_) {
        if (f.IsMemo()) {
            // Without a usable memo file the table still opens; its memos
            // then read as not available.
            OpenMemoFile(name);
            break;
        }
    }
    error_ = kDbOk;
    if (recordCount_)
        GoTo(1);
    return error_;
}

DBError DBTable::OpenMemoFile(const char* name)
{
    if (DBError e = memoFile_.Open(name, "FPT", DBStream::kUpdate, kMemoBlockSize))
        return e;
    std::uint8_t header[8];
    std::uint32_t length = 0;
    DBError e = memoFile_.GetLength(length);
    if (!e && length < sizeof header)
        e = kDbBadHeader;
    if (!e)
        e = memoFile_.ReadAt(0, header, sizeof header, 1);
    std::uint32_t blockSize = e ? 0 : ReadBE32(header + 4);
    if (!e && (blockSize == 0 || blockSize > 0xFFFF))
        e = kDbBadHeader;
    if (e) {
        memoFile_.Close(false);
        return e;
    }
    memoNextFree_ = ReadBE32(header);
    memoBlockSize_ = blockSize;
    return kDbOk;
}

DBError DBTable::WriteHeader()
{
    if (!tableFile_.IsOpen())
        return kDbNotOpen;
    if (tableFile_.IsReadOnly())
        return kDbOk;
    std::uint8_t header[kHeaderSize] = {};
    if (tableFile_.ReadAt(0, header, kHeaderSize, 1))
        std::memset(header, 0, sizeof header);
    std::uint8_t date[3];
    if (!Today(date))
        return SetError(kDbOk);
    // A stored date later than today (the clock was set back) is kept, but
    // the record count is written all the same.
    if (std::lexicographical_compare(date, date + 3, header + 1, header + 4))
        std::memcpy(date, header + 1, 3);
    header[0] = version_;
    std::memcpy(header + 1, date, 3);
    WriteLE32(header + 4, recordCount_);
    header[8] = static_cast<std::uint8_t>(headerLength_);
    header[9] = static_cast<std::uint8_t>(headerLength_ >> 8);
    header[10] = static_cast<std::uint8_t>(recordLength_);
    header[11] = static_cast<std::uint8_t>(recordLength_ >> 8);
    if (tableFile_.WriteAt(0, header, kHeaderSize, 1) || tableFile_.Flush())
        return SetError(kDbBadHeader);
    std::memcpy(lastUpdate_, date, 3);
    return SetError(kDbOk);
}

DBError DBTable::GoTo(std::uint32_t n)
{
    if (recordCount_ == 0 || !IsOpen())
        return SetError(kDbNotOpen);
    if (n == 0 || n > recordCount_ || RecordOffset(n) > 0xFFFFFFFFu)
        return SetError(kDbOutOfRange);
    if (DBError e = tableFile_.Seek(static_cast<std::uint32_t>(RecordOffset(n))))
        return SetError(e);
    currentRecord_ = n;
    return SetError(kDbOk);
}

DBError DBTable::Skip(std::int32_t delta)
{
    if (delta == 0)
        return kDbOk;
    if (recordCount_ == 1)
        return delta < 0 ? kDbBeforeStart : kDbPastEnd;
    std::int64_t target = std::int64_t(currentRecord_) + delta;
    if (delta < 0 && (currentRecord_ <= 1 || target < 1))
        return kDbBeforeStart;
    if (delta > 0 && (currentRecord_ >= recordCount_ || target > recordCount_))
        return kDbPastEnd;
    return GoTo(static_cast<std::uint32_t>(target));
}

DBError DBTable::ReadRecords(void* buffer, std::uint32_t count, std::uint32_t length)
{
    if (recordCount_ == 0 || currentRecord_ == 0 || !IsOpen())
        return SetError(kDbNotOpen);
    if (RecordOffset(currentRecord_) > 0xFFFFFFFFu)
        return SetError(kDbOutOfRange);
    return SetError(tableFile_.ReadAt(static_cast<std::uint32_t>(RecordOffset(currentRecord_)), buffer, length, count));
}

bool DBTable::Holds(const DBRecord& record) const
{
    return record.table_ == this && record.buffer_ && record.recordLength_ == recordLength_;
}

DBError DBTable::ReadRecord(DBRecord& record)
{
    if (!Holds(record))
        return SetError(kDbNotBound);
    if (DBError e = ReadRecords(record.buffer_.get(), record.recordsInUse_, recordLength_))
        return e;
    record.SetSetFieldsToFirst(std::min<std::uint32_t>(GetFieldCount(), DBRecord::kMaxSetFields));
    return kDbOk;
}

DBError DBTable::WriteRecord(const DBRecord& record)
{
    if (recordCount_ == 0 || currentRecord_ == 0 || !IsOpen())
        return SetError(kDbNotOpen);
    if (!Holds(record))
        return SetError(kDbNotBound);
    // The records written must be records the table already has.
    if (std::uint64_t(currentRecord_) + record.recordsInUse_ - 1 > recordCount_)
        return SetError(kDbOutOfRange);
    return SetError(tableFile_.WriteAt(static_cast<std::uint32_t>(RecordOffset(currentRecord_)),
                                       record.buffer_.get(), recordLength_, record.recordsInUse_));
}

DBError DBTable::Append(const DBRecord& record)
{
    if (error_ == kDbNotOpen)
        error_ = kDbOk;
    if (!IsOpen())
        return SetError(kDbNotOpen);
    if (!Holds(record))
        return SetError(kDbNotBound);
    if (record.error_)
        return SetError(record.error_);
    std::uint64_t offset = RecordOffset(recordCount_ + 1);
    if (recordCount_ == 0xFFFFFFFFu || offset + recordLength_ + 1 > 0xFFFFFFFFu)
        return SetError(kDbOutOfRange);
    if (tableFile_.Lock())
        return SetError(kDbAppendFailed);
    DBError result = kDbOk;
    const std::uint8_t eof = kEndOfFile;
    if (tableFile_.WriteAt(static_cast<std::uint32_t>(offset), record.buffer_.get(), recordLength_, 1) ||
        tableFile_.Write(&eof, 1, 1)) {
        result = kDbAppendFailed;
    } else {
        ++recordCount_;
        currentRecord_ = recordCount_;
        result = WriteHeader();
        if (!result)
            result = tableFile_.Seek(static_cast<std::uint32_t>(offset));
    }
    tableFile_.Unlock();
    return SetError(result);
}

DBError DBTable::SetValueForKey(const char* key, std::int32_t value)
{
    return ChangeValueForKey(key, value, false, nullptr);
}

DBError DBTable::AddToValueForKey(const char* key, std::int32_t amount)
{
    return ChangeValueForKey(key, amount, true, nullptr);
}

DBError DBTable::GetValueForKey(const char* key, std::int32_t& value)
{
    return ChangeValueForKey(key, 0, false, &value);
}

DBError DBTable::ChangeValueForKey(const char* key, std::int32_t value, bool add, std::int32_t* read)
{
    if (!key)
        return kDbBadArgument;
    if (!IsOpen())
        return SetError(kDbNotOpen);
    if (GetFieldCount() < 2)
        return SetError(kDbBadField);
    DBRecord search(this), pattern(this);
    if (search.GetError())
        return SetError(search.GetError());
    // The key may be another record's field text, not terminated: only as
    // much of it as field 0 holds is used.
    std::string keyText(key, strnlen(key, fields_[0].length));
    pattern.SetText(0u, keyText.c_str());

    DBError found = kDbNoMatch;
    if (recordCount_ > 0)
        found = search.Find(pattern, exactCase_ ? 0u : std::uint32_t(DBRecord::kFindIgnoreCase), nullptr);
    if (found == kDbNoMatch) {
        // A new record holds the empty form of every field, so that other
        // tools read its logicals as false and its dates as dates.
        search.ClearAll();
        search.SetText(0u, keyText.c_str());
        if (DBError e = Append(search))
            return e;
    } else if (found) {
        return SetError(found);
    }

    std::int32_t current = 0;
    if (read || add) {
        if (DBError e = search.GetInt(1u, current))
            return SetError(e);
    }
    if (read) {
        *read = current;
        return SetError(kDbOk);
    }
    std::int64_t next = add ? std::int64_t(current) + value : value;
    if (next < INT32_MIN || next > INT32_MAX)
        return SetError(kDbOutOfRange);
    if (DBError e = search.SetInt(1u, static_cast<std::int32_t>(next)))
        return SetError(e);
    return WriteRecord(search);
}

DBError DBTable::LoadMemo(std::uint32_t fieldIndex, const char* fieldText, const DBMemo*& memo)
{
    memo = nullptr;
    if (fieldIndex >= fields_.size() || !fields_[fieldIndex].IsMemo())
        return kDbBadField;
    DBFieldDesc& field = fields_[fieldIndex];
    std::uint32_t block = 0;
    if (!ParseMemoBlock(fieldText, field.length, block) || block == 0)
        return kDbBadArgument;
    if (!memoFile_.IsOpen() || memoBlockSize_ == 0)
        return kDbNoMemo;
    std::uint32_t fileLength = 0;
    if (memoFile_.GetLength(fileLength))
        return kDbNoMemo;
    std::uint64_t offset = std::uint64_t(block) * memoBlockSize_;
    if (offset + 8 > fileLength)
        return kDbNoMemo;
    std::uint8_t blockHeader[8];
    if (memoFile_.ReadAt(static_cast<std::uint32_t>(offset), blockHeader, 8, 1))
        return kDbNoMemo;
    std::uint32_t type = ReadBE32(blockHeader);
    std::uint32_t length = ReadBE32(blockHeader + 4);
    // The length a damaged memo claims is bounded by what the file holds.
    if (length > fileLength - offset - 8)
        return kDbNoMemo;
    if (type != DBMemo::kText && type != DBMemo::kObject)
        return kDbBadArgument;

    auto loaded = std::make_unique<DBMemo>();
    loaded->type = type;
    std::vector<std::uint8_t> data(length);
    if (length && memoFile_.Read(data.data(), 1, length))
        return kDbNoMemo;
    if (type == DBMemo::kText) {
        loaded->memory.assign(RoundUp(std::uint64_t(length) + 8, memoBlockSize_), 0);
        std::memcpy(loaded->memory.data(), blockHeader, 8);
        std::copy(data.begin(), data.end(), loaded->memory.begin() + 8);
        loaded->length = length;
    } else {
        // An object keeps its compound document, from its signature on.
        std::size_t start = 0;
        for (std::size_t i = 0; i + 1 < data.size(); ++i) {
            if (data[i] == 0xD0 && data[i + 1] == 0xCF) {
                start = i;
                break;
            }
        }
        loaded->length = static_cast<std::uint32_t>(data.size() - start);
        loaded->memory.assign(RoundUp(loaded->length, memoBlockSize_), 0);
        std::copy(data.begin() + start, data.end(), loaded->memory.begin());
    }
    field.memo = std::move(loaded);
    memo = field.memo.get();
    return kDbOk;
}

DBError DBTable::WriteMemo(std::string_view data, std::uint32_t type, std::uint32_t& block)
{
    if (!memoFile_.IsOpen() || memoBlockSize_ == 0 || memoFile_.IsReadOnly())
        return kDbNoMemo;
    // The header takes at least the first 512 bytes, whatever the next
    // free block claims.
    std::uint32_t first = std::max<std::uint32_t>(1, (512 + memoBlockSize_ - 1) / memoBlockSize_);
    std::uint32_t at = std::max(memoNextFree_, first);
    std::uint64_t size = RoundUp(std::uint64_t(data.size()) + 8, memoBlockSize_);
    std::uint64_t offset = std::uint64_t(at) * memoBlockSize_;
    if (data.size() > 0xFFFFFFF0u || offset + size > 0xFFFFFFFFu)
        return kDbOutOfRange;
    std::vector<std::uint8_t> bytes(size, 0);
    WriteBE32(bytes.data(), type);
    WriteBE32(bytes.data() + 4, static_cast<std::uint32_t>(data.size()));
    std::copy(data.begin(), data.end(), bytes.begin() + 8);
    if (DBError e = memoFile_.WriteAt(static_cast<std::uint32_t>(offset), bytes.data(), 1,
                                      static_cast<std::uint32_t>(size)))
        return e;
    std::uint32_t next = at + static_cast<std::uint32_t>(size / memoBlockSize_);
    std::uint8_t nextBytes[4];
    WriteBE32(nextBytes, next);
    if (DBError e = memoFile_.WriteAt(0, nextBytes, 4, 1))
        return e;
    if (DBError e = memoFile_.Flush())
        return e;
    memoNextFree_ = next;
    block = at;
    return kDbOk;
}
