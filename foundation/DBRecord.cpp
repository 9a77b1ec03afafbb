#include "foundation/DBRecord.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "foundation/DBTable.h"

namespace {

// The text of value in a field of width length, right aligned: with the
// decimals, or truncated to a whole number when there are none; empty when
// it does not fit.
std::string NumberText(double value, std::uint32_t length, std::uint32_t decimals)
{
    char text[400];
    int n;
    if (decimals == 0) {
        double integral = std::trunc(value);
        if (!std::isfinite(integral) || std::fabs(integral) >= 1e18)
            return {};
        n = std::snprintf(text, sizeof text, "%*lld", int(length), static_cast<long long>(integral));
    } else {
        if (!std::isfinite(value))
            return {};
        n = std::snprintf(text, sizeof text, "%*.*f", int(length), int(decimals), value);
    }
    if (n < 0 || std::uint32_t(n) > length)
        return {};
    return std::string(text, n);
}

char UpperAscii(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string Trimmed(const char* text, std::uint32_t length)
{
    std::uint32_t b = 0, e = length;
    while (b < e && (text[b] == ' ' || text[b] == '\0'))
        ++b;
    while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\0'))
        --e;
    return std::string(text + b, e - b);
}

}  // namespace

DBError DBRecord::Bind(DBTable* table)
{
    Release();
    if (!table)
        return SetError(kDbNotBound);
    if (!table->IsOpen() || table->GetRecordLength() == 0)
        return SetError(kDbNotOpen);
    recordLength_ = table->GetRecordLength();
    buffer_.reset(new (std::nothrow) char[recordLength_]);
    if (!buffer_) {
        recordLength_ = 0;
        return SetError(kDbOutOfMemory);
    }
    std::memset(buffer_.get(), ' ', recordLength_);
    table_ = table;
    recordsInUse_ = slots_ = 1;
    return SetError(kDbOk);
}

void DBRecord::Release()
{
    buffer_.reset();
    table_ = nullptr;
    recordLength_ = 0;
    recordsInUse_ = slots_ = 0;
    error_ = kDbOk;
    setFields_.clear();
    ignoreCase_ = optionFlag_ = false;
}

DBError DBRecord::Resize(std::uint32_t slots)
{
    if (slots == slots_)
        return kDbOk;
    std::unique_ptr<char[]> buffer(new (std::nothrow) char[std::size_t(slots) * recordLength_]);
    if (!buffer)
        return kDbOutOfMemory;
    buffer_ = std::move(buffer);
    slots_ = slots;
    return kDbOk;
}

DBRecord& DBRecord::operator=(const DBRecord& other)
{
    if (this == &other)
        return *this;
    if (!other.buffer_ || !buffer_ || other.recordLength_ != recordLength_) {
        SetError(kDbLayoutsDiffer);
        return *this;
    }
    if (DBError e = Resize(other.slots_)) {
        SetError(e);
        return *this;
    }
    error_ = other.error_;
    setFields_ = other.setFields_;
    table_ = other.table_;
    recordsInUse_ = other.recordsInUse_;
    std::memcpy(buffer_.get(), other.buffer_.get(), std::size_t(slots_) * recordLength_);
    return *this;
}

char* DBRecord::GetBuffer(std::uint32_t slot)
{
    return buffer_ && slot < recordsInUse_ ? buffer_.get() + std::size_t(slot) * recordLength_ : nullptr;
}

const char* DBRecord::GetBuffer(std::uint32_t slot) const
{
    return buffer_ && slot < recordsInUse_ ? buffer_.get() + std::size_t(slot) * recordLength_ : nullptr;
}

const DBFieldDesc* DBRecord::Field(std::uint32_t index)
{
    if (!table_ || !buffer_) {
        SetError(kDbNotBound);
        return nullptr;
    }
    if (!table_->IsOpen() || table_->GetRecordLength() != recordLength_) {
        SetError(kDbNotOpen);
        return nullptr;
    }
    const DBFieldDesc* field = table_->GetFieldDesc(index);
    if (!field)
        SetError(kDbBadField);
    return field;
}

void DBRecord::MarkSet(std::uint32_t index)
{
    if (std::find(setFields_.begin(), setFields_.end(), index) == setFields_.end() &&
        setFields_.size() < kMaxSetFields)
        setFields_.push_back(index);
}

void DBRecord::SetSetFieldsToFirst(std::uint32_t count)
{
    setFields_.clear();
    for (std::uint32_t i = 0; i < count; ++i)
        setFields_.push_back(i);
}

DBError DBRecord::ClearAll()
{
    if (!table_ || !buffer_ || !table_->IsOpen())
        return SetError(kDbNotBound);
    buffer_[0] = ' ';
    for (std::uint32_t i = 0; i < table_->GetFieldCount(); ++i)
        ClearField(i);
    setFields_.clear();
    return error_;
}

DBError DBRecord::FieldInfo(std::uint32_t index, char* type, char** address, std::uint32_t* length,
                            std::uint32_t* decimals, const DBFieldDesc** descriptor)
{
    const DBFieldDesc* f = Field(index);
    if (!f)
        return error_;
    if (type)
        *type = f->type;
    if (address)
        *address = buffer_.get() + f->offset;
    if (length)
        *length = f->length;
    if (decimals)
        *decimals = f->decimals;
    if (descriptor)
        *descriptor = f;
    return SetError(kDbOk);
}

DBError DBRecord::FindFieldIndex(const char* name, std::uint32_t& index)
{
    if (!name || !*name || std::strlen(name) > 255)
        return SetError(kDbNoSuchField);
    if (!table_ || !table_->IsOpen())
        return SetError(kDbNotBound);
    std::string wanted;
    for (const char* p = name; *p; ++p) {
        if (*p != ' ')
            wanted += UpperAscii(*p);
    }
    for (std::uint32_t i = 0; i < table_->GetFieldCount(); ++i) {
        const std::string& have = table_->GetFieldDesc(i)->name;
        if (have.size() == wanted.size() &&
            std::equal(have.begin(), have.end(), wanted.begin(),
                       [](char a, char b) { return UpperAscii(a) == b; })) {
            index = i;
            return SetError(kDbOk);
        }
    }
    return SetError(kDbNoSuchField);
}

DBError DBRecord::StoreText(const DBFieldDesc& field, std::string_view text)
{
    char* at = buffer_.get() + field.offset;
    std::memset(at, ' ', field.length);
    std::memcpy(at, text.data(), std::min<std::size_t>(text.size(), field.length));
    return SetError(kDbOk);
}

DBError DBRecord::StoreNumber(std::uint32_t index, const DBFieldDesc& field, double value)
{
    std::string text = NumberText(value, field.length, field.decimals);
    if (text.empty())
        return SetError(kDbOutOfRange);
    std::memcpy(buffer_.get() + field.offset, text.data(), field.length);
    MarkSet(index);
    return SetError(kDbOk);
}

DBError DBRecord::ClearField(std::uint32_t index)
{
    const DBFieldDesc* f = Field(index);
    if (!f)
        return error_;
    char* at = buffer_.get() + f->offset;
    switch (f->type) {
    case 'N': {
        std::string zero = NumberText(0.0, f->length, f->decimals);
        if (zero.empty())
            zero = NumberText(0.0, f->length, 0);
        StoreText(*f, zero);
        break;
    }
    case 'D': StoreText(*f, "19000101"); break;
    case 'L': StoreText(*f, "F"); break;
    case 'M':
    case 'G':
        // A memo field that names no memo: blanks, as other dBASE tools
        // write it (some fail on a field of zeros), or a binary 0 in a
        // 4-byte field. Fields of zeros are still read as naming none.
        std::memset(at, f->length == 4 ? 0 : ' ', f->length);
        break;
    default: StoreText(*f, ""); break;
    }
    MarkSet(index);
    return SetError(kDbOk);
}

DBError DBRecord::SetText(std::uint32_t index, const char* text)
{
    if (!text || !*text)
        return ClearField(index);
    const DBFieldDesc* f = Field(index);
    if (!f)
        return error_;
    if (f->type == 'N') {
        errno = 0;
        double value = std::strtod(text, nullptr);
        if (errno == ERANGE)
            return SetError(kDbOutOfRange);
        return SetReal(index, value);
    }
    StoreText(*f, text);
    MarkSet(index);
    return error_;
}

DBError DBRecord::SetInt(std::uint32_t index, std::int32_t value)
{
    const DBFieldDesc* f = value ? Field(index) : nullptr;
    if (!f || f->type != 'D')
        return SetReal(index, value);
    // A packed date: year << 16 | month << 8 | day.
    char date[32];
    int n = std::snprintf(date, sizeof date, "%04d%02d%02d", value >> 16, (value >> 8) & 0xFF, value & 0xFF);
    if (n != 8 || f->length < 8)
        return SetError(kDbOutOfRange);
    StoreText(*f, date);
    MarkSet(index);
    return error_;
}

DBError DBRecord::SetReal(std::uint32_t index, double value)
{
    if (value == 0.0)
        return ClearField(index);
    const DBFieldDesc* f = Field(index);
    if (!f)
        return error_;
    if (f->type == 'L') {
        StoreText(*f, "T");
        MarkSet(index);
        return error_;
    }
    return StoreNumber(index, *f, value);
}

DBError DBRecord::GetText(std::uint32_t index, char* out, std::size_t size)
{
    if (size == 0 || !out)
        return SetError(kDbZeroBuffer);
    const DBFieldDesc* f = Field(index);
    if (!f)
        return error_;
    std::size_t n = std::min<std::size_t>(f->length, size - 1);
    std::memcpy(out, buffer_.get() + f->offset, n);
    out[n] = '\0';
    return SetError(kDbOk);
}

DBError DBRecord::GetNumber(std::uint32_t index, std::int32_t* integer, double* real)
{
    const DBFieldDesc* f = Field(index);
    if (!f)
        return error_;
    std::string text = Trimmed(buffer_.get() + f->offset, f->length);
    errno = 0;
    if (f->type == 'L') {
        // Only a yes is true: other tools write '?' or a blank for a logical
        // that was never set, and "N", "n", "F" and "f" for no.
        const char c = text.empty() ? ' ' : text[0];
        const bool yes = c == 'T' || c == 't' || c == 'Y' || c == 'y';
        if (integer)
            *integer = yes ? 1 : 0;
        if (real)
            *real = yes ? 1.0 : 0.0;
    } else if (integer) {
        long long n = std::strtoll(text.c_str(), nullptr, 10);
        if (errno == ERANGE || n < INT32_MIN || n > INT32_MAX)
            return SetError(kDbOutOfRange);
        *integer = static_cast<std::int32_t>(n);
    } else {
        double n = std::strtod(text.c_str(), nullptr);
        if (errno == ERANGE && std::fabs(n) > 1.0)
            return SetError(kDbOutOfRange);
        *real = n;
    }
    return SetError(kDbOk);
}

DBError DBRecord::GetInt(std::uint32_t index, std::int32_t& value)
{
    value = 0;
    return GetNumber(index, &value, nullptr);
}

DBError DBRecord::GetReal(std::uint32_t index, double& value)
{
    value = 0.0;
    return GetNumber(index, nullptr, &value);
}

DBError DBRecord::GetMemoHandle(std::uint32_t index, const DBMemo*& memo)
{
    memo = nullptr;
    const DBFieldDesc* f = Field(index);
    if (!f)
        return error_;
    if (!f->IsMemo())
        return SetError(kDbBadField);
    return SetError(table_->LoadMemo(index, buffer_.get() + f->offset, memo));
}

DBError DBRecord::SetMemo(std::uint32_t index, std::string_view data)
{
    const DBFieldDesc* f = Field(index);
    if (!f)
        return error_;
    if (f->type != 'M')
        return SetError(kDbBadField);
    if (data.empty())
        return ClearField(index);
    std::uint32_t block = 0;
    if (DBError e = table_->WriteMemo(data, DBMemo::kText, block))
        return SetError(e);
    char* at = buffer_.get() + f->offset;
    if (f->length == 4) {
        for (int i = 0; i < 4; ++i)
            at[i] = static_cast<char>(block >> (8 * i));
    } else {
        std::string text = NumberText(block, f->length, 0);
        if (text.empty())
            return SetError(kDbOutOfRange);
        std::memcpy(at, text.data(), f->length);
    }
    MarkSet(index);
    return SetError(kDbOk);
}

template <typename Op>
DBError DBRecord::ByName(const char* name, Op op)
{
    std::uint32_t index = 0;
    if (FindFieldIndex(name, index))
        return SetError(kDbNoSuchField);
    return op(index);
}

DBError DBRecord::ClearField(const char* name)
{
    return ByName(name, [&](std::uint32_t i) { return ClearField(i); });
}
DBError DBRecord::SetText(const char* name, const char* text)
{
    return ByName(name, [&](std::uint32_t i) { return SetText(i, text); });
}
DBError DBRecord::SetInt(const char* name, std::int32_t value)
{
    return ByName(name, [&](std::uint32_t i) { return SetInt(i, value); });
}
DBError DBRecord::SetReal(const char* name, double value)
{
    return ByName(name, [&](std::uint32_t i) { return SetReal(i, value); });
}
DBError DBRecord::GetText(const char* name, char* out, std::size_t size)
{
    return ByName(name, [&](std::uint32_t i) { return GetText(i, out, size); });
}
DBError DBRecord::GetInt(const char* name, std::int32_t& value)
{
    return ByName(name, [&](std::uint32_t i) { return GetInt(i, value); });
}
DBError DBRecord::GetReal(const char* name, double& value)
{
    return ByName(name, [&](std::uint32_t i) { return GetReal(i, value); });
}
DBError DBRecord::GetMemoHandle(const char* name, const DBMemo*& memo)
{
    return ByName(name, [&](std::uint32_t i) { return GetMemoHandle(i, memo); });
}
DBError DBRecord::SetMemo(const char* name, std::string_view data)
{
    return ByName(name, [&](std::uint32_t i) { return SetMemo(i, data); });
}

DBField DBRecord::GetField(std::uint32_t index)
{
    bool ok = table_ && buffer_ && table_->GetFieldDesc(index);
    return DBField(this, index, ok ? kDbOk : kDbBadField);
}

DBField DBRecord::GetField(const char* name)
{
    std::uint32_t index = 0;
    bool ok = FindFieldIndex(name, index) == kDbOk;
    return DBField(this, index, ok ? kDbOk : kDbBadField);
}

namespace {

// One field searched: where its text lies in the pattern and in the table.
struct SearchField {
    std::uint32_t patternOffset;
    std::uint32_t patternLength;
    std::uint32_t tableOffset;
    std::uint32_t tableLength;
};

bool SameBytes(const char* a, const char* b, std::uint32_t n, bool ignoreCase)
{
    for (std::uint32_t i = 0; i < n; ++i) {
        char x = a[i], y = b[i];
        if (ignoreCase) {
            x = UpperAscii(x);
            y = UpperAscii(y);
        }
        if (x != y)
            return false;
    }
    return true;
}

bool AllBlank(const char* text, std::uint32_t n)
{
    return std::all_of(text, text + n, [](char c) { return c == ' '; });
}

// Texts of two fields of different lengths are equal when they agree over
// the shorter length and the rest of the longer one is blank.
bool FieldMatches(const char* record, const char* pattern, const SearchField& f, bool ignoreCase)
{
    const char* r = record + f.tableOffset;
    const char* p = pattern + f.patternOffset;
    std::uint32_t common = std::min(f.tableLength, f.patternLength);
    if (!SameBytes(r, p, common, ignoreCase))
        return false;
    return f.tableLength > common ? AllBlank(r + common, f.tableLength - common)
                                  : AllBlank(p + common, f.patternLength - common);
}

}  // namespace

DBError DBRecord::Find(const DBRecord& pattern, std::uint32_t options, std::uint32_t* count)
{
    if (!table_ || !table_->IsOpen() || !table_->Holds(*this))
        return SetError(kDbNotBound);
    DBTable& table = *table_;
    if (table.recordCount_ == 0 || table.currentRecord_ == 0)
        return SetError(kDbNotOpen);
    const std::uint32_t remembered = table.currentRecord_;

    ignoreCase_ = (options & kFindIgnoreCase) != 0;
    optionFlag_ = (options & kFindFlag) != 0;
    const std::uint32_t mode = options & ~(kFindIgnoreCase | kFindFlag);
    if (mode != kFindFirst && mode != kFindNext && mode != kFindAll && mode != kFindCount)
        return SetError(kDbBadArgument);
    if (mode == kFindCount && !count)
        return SetError(kDbBadArgument);

    const char* patternText = pattern.GetBuffer(0);
    const DBTable* patternTable = pattern.table_;
    std::vector<SearchField> used;
    if (patternText && patternTable && patternTable->IsOpen() && patternTable->Holds(pattern)) {
        for (std::uint32_t i : pattern.setFields_) {
            const DBFieldDesc* pf = patternTable->GetFieldDesc(i);
            if (!pf || pf->IsMemo())
                continue;
            for (const DBFieldDesc& tf : table.fields_) {
                if (tf.name == pf->name && !tf.IsMemo()) {
                    used.push_back({pf->offset, pf->length, tf.offset, tf.length});
                    break;
                }
            }
        }
    }
    if (used.empty())
        return SetError(kDbBadArgument);

    DBError e = kDbOk;
    if (mode == kFindFirst)
        e = table.GoTo(1);
    else if (mode == kFindNext)
        e = table.Skip(1);
    if (e == kDbPastEnd) {
        table.GoTo(remembered);
        return SetError(kDbNoMatch);
    }
    if (e)
        return SetError(e);

    const std::uint32_t length = recordLength_;
    const std::uint32_t perPass = std::max<std::uint32_t>(1, 65535 / (length + 4));
    std::vector<char> block(std::size_t(perPass) * length);
    std::vector<std::uint32_t> matches;
    std::uint32_t matchCount = 0;
    bool limitReached = false;
    bool unreadLeft = false;
    bool done = false;
    while (!done) {
        std::uint32_t first = table.currentRecord_;
        std::uint32_t n = std::min(perPass, table.recordCount_ - first + 1);
        if (DBError re = table.ReadRecords(block.data(), n, length)) {
            table.GoTo(remembered);
            return SetError(re);
        }
        for (std::uint32_t k = 0; k < n && !done; ++k) {
            // A deleted record is one no other tool shows: it matches nothing.
            if (block[std::size_t(k) * length] == kDeletedMark)
                continue;
            if (!std::all_of(used.begin(), used.end(), [&](const SearchField& f) {
                    return FieldMatches(block.data() + std::size_t(k) * length, patternText, f, ignoreCase_);
                }))
                continue;
            ++matchCount;
            if (mode == kFindCount)
                continue;
            matches.push_back(first + k);
            if (mode != kFindAll) {
                done = true;
            } else if (matches.size() == perPass) {
                limitReached = true;
                unreadLeft = k + 1 < n || first + n <= table.recordCount_;
                done = true;
            }
        }
        if (done)
            break;
        if (first + n > table.recordCount_)
            break;
        if (table.GoTo(first + n))
            break;
    }

    if (limitReached && unreadLeft)
        return SetError(kDbTooManyMatches);
    if (matchCount == 0) {
        table.GoTo(remembered);
        return SetError(kDbNoMatch);
    }
    if (count)
        *count = matchCount;
    if (mode == kFindCount) {
        table.GoTo(remembered);
        return SetError(kDbOk);
    }
    if (DBError re = Resize(static_cast<std::uint32_t>(matches.size())))
        return SetError(re);
    recordsInUse_ = slots_;
    for (std::uint32_t i = 0; i < matches.size(); ++i) {
        DBError re = table.GoTo(matches[i]);
        if (!re)
            re = table.ReadRecords(buffer_.get() + std::size_t(i) * length, 1, length);
        if (re)
            return SetError(re);
    }
    if (mode == kFindAll)
        table.GoTo(remembered);
    return SetError(kDbOk);
}
