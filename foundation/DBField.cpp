#include <algorithm>
#include <cstring>
#include <string>

#include "foundation/DBRecord.h"
#include "foundation/DBTable.h"

DBError DBField::Note(DBError e)
{
    if (e)
        error_ = e;
    return e;
}

DBField& DBField::operator=(const char* text)
{
    if (!error_)
        Note(record_->SetText(index_, text));
    return *this;
}

DBField& DBField::operator=(std::int32_t value)
{
    if (!error_)
        Note(record_->SetInt(index_, value));
    return *this;
}

DBField& DBField::operator=(double value)
{
    if (!error_)
        Note(record_->SetReal(index_, value));
    return *this;
}

DBField& DBField::CopyFrom(const DBField& other)
{
    if (error_)
        return *this;
    if (other.error_ || other.record_ != record_ || !other.GetTextPointer()) {
        Note(kDbBadField);
        return *this;
    }
    std::string text(other.GetTextPointer(), other.GetLength());
    char* at = nullptr;
    std::uint32_t length = 0;
    if (Note(record_->FieldInfo(index_, nullptr, &at, &length, nullptr, nullptr)))
        return *this;
    std::memset(at, ' ', length);
    std::memcpy(at, text.data(), std::min<std::size_t>(text.size(), length));
    return *this;
}

std::int32_t DBField::GetInt()
{
    std::int32_t value = 0;
    if (!error_ && Note(record_->GetInt(index_, value)))
        return 0;
    return error_ ? 0 : value;
}

double DBField::GetReal()
{
    double value = 0.0;
    if (!error_ && Note(record_->GetReal(index_, value)))
        return 0.0;
    return error_ ? 0.0 : value;
}

const DBMemo* DBField::GetMemoHandle()
{
    const DBMemo* memo = nullptr;
    if (!error_)
        Note(record_->GetMemoHandle(index_, memo));
    return error_ ? nullptr : memo;
}

const char* DBField::GetTextPointer() const
{
    if (error_)
        return nullptr;
    const DBFieldDesc* f = record_->GetTable() ? record_->GetTable()->GetFieldDesc(index_) : nullptr;
    const char* buffer = record_->GetBuffer(0);
    return f && buffer ? buffer + f->offset : nullptr;
}

std::uint32_t DBField::GetLength() const
{
    if (error_ || !record_->GetTable())
        return 0;
    const DBFieldDesc* f = record_->GetTable()->GetFieldDesc(index_);
    return f ? f->length : 0;
}

DBField& DBField::Step(std::int32_t delta)
{
    std::int64_t value = std::int64_t(GetInt()) + delta;
    if (error_)
        return *this;
    if (value < INT32_MIN || value > INT32_MAX)
        Note(kDbOutOfRange);
    else
        *this = static_cast<std::int32_t>(value);
    return *this;
}
