#include "foundation/JxCBaseString.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "foundation/JxStringLoader.h"

namespace {

std::uint64_t nextSerial()
{
    static std::uint64_t serial = 0;
    return ++serial;
}

JxCharPositionCache& cache()
{
    return JxCharPositionCache::Instance();
}

}  // namespace

char* JxCBaseString::AllocateBuffer(std::uint32_t n)
{
    return new (std::nothrow) char[static_cast<std::size_t>(n) + 1];
}

void JxCBaseString::freeText()
{
    if (char* old = RawText()) {
        cache().Forget(Key());
        delete[] old;
    }
    SetRaw(nullptr, 0);
    charCount_ = 0;
    serial_ = 0;
}

void JxCBaseString::adopt(char* text, std::uint32_t length, std::uint32_t count)
{
    freeText();
    if (!text)
        return;
    SetRaw(text, length);
    serial_ = nextSerial();
    charCount_ = count;
}

void JxCBaseString::AssignBytes(const char* text, std::uint32_t length)
{
    if (!text) {
        freeText();
        return;
    }
    // Copy first, free after: the source may lie inside the old buffer.
    char* buffer = AllocateBuffer(length);
    if (buffer) {
        std::memcpy(buffer, text, length);
        buffer[length] = '\0';
    }
    adopt(buffer, length, 0);
}

void JxCBaseString::textChangedInPlace()
{
    cache().Forget(Key());
    charCount_ = 0;
}

JxCBaseString::JxCBaseString(const char* text)
{
    if (text)
        AssignBytes(text, static_cast<std::uint32_t>(std::strlen(text)));
}

JxCBaseString::JxCBaseString(const JxCTableString& text)
{
    AssignBytes(text.GetText(), text.GetLength());
}

JxCBaseString::JxCBaseString(const JxCBaseString& other) : JxCTableString()
{
    AssignBytes(other.GetText(), other.GetLength());
    charCount_ = other.charCount_;
}

JxCBaseString::JxCBaseString(JxCBaseString&& other) noexcept : JxCTableString()
{
    SetRaw(other.RawText(), other.GetLength());
    charCount_ = other.charCount_;
    serial_ = other.serial_;
    other.SetRaw(nullptr, 0);
    other.charCount_ = 0;
    other.serial_ = 0;
}

JxCBaseString::JxCBaseString(std::string_view bytes)
{
    AssignBytes(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
}

JxCBaseString::JxCBaseString(std::uint32_t reserve)
{
    char* buffer = AllocateBuffer(reserve);
    if (buffer)
        buffer[0] = '\0';
    adopt(buffer, 0, 0);
}

JxCBaseString::~JxCBaseString()
{
    freeText();
}

void JxCBaseString::Assign(const JxCTableString& other)
{
    if (other.GetText() == GetText() && other.GetLength() == GetLength())
        return;
    AssignBytes(other.GetText(), other.GetLength());
}

void JxCBaseString::SetText(const char* text)
{
    if (text == GetText())
        return;
    AssignBytes(text, text ? static_cast<std::uint32_t>(std::strlen(text)) : 0);
}

JxCBaseString& JxCBaseString::operator=(const JxCBaseString& other)
{
    if (&other != this) {
        Assign(other);
        charCount_ = other.charCount_;
    }
    return *this;
}

JxCBaseString& JxCBaseString::operator=(JxCBaseString&& other) noexcept
{
    if (&other != this) {
        freeText();
        SetRaw(other.RawText(), other.GetLength());
        charCount_ = other.charCount_;
        serial_ = other.serial_;
        other.SetRaw(nullptr, 0);
        other.charCount_ = 0;
        other.serial_ = 0;
    }
    return *this;
}

JxCBaseString& JxCBaseString::operator=(const JxCTableString& other)
{
    Assign(other);
    return *this;
}

JxCBaseString& JxCBaseString::operator=(const char* text)
{
    SetText(text);
    return *this;
}

JxCBaseString& JxCBaseString::operator=(char c)
{
    char buffer[2] = {c, '\0'};
    AssignBytes(buffer, 1);
    return *this;
}

void JxCBaseString::AssignInt(int n)
{
    std::string digits = std::to_string(n);
    AssignBytes(digits.c_str(), static_cast<std::uint32_t>(digits.size()));
}

std::int16_t JxCBaseString::LoadString(unsigned id)
{
    std::string text;
    if (!LoadStringText(id, text, 512))
        return 0;
    AssignBytes(text.c_str(), static_cast<std::uint32_t>(text.size()));
    return 1;
}

int JxCBaseString::ToInt() const
{
    if (!GetText())
        return 0;
    errno = 0;
    long v = std::strtol(GetText(), nullptr, 10);
    if (v > INT_MAX)
        return INT_MAX;
    if (v < INT_MIN)
        return INT_MIN;
    return static_cast<int>(v);
}

JxCBaseString& JxCBaseString::Append(const JxCTableString& text)
{
    const std::uint32_t added = text.GetLength();
    if (added == 0 || !text.GetText())
        return *this;
    const std::uint32_t old = GetLength();
    char* buffer = AllocateBuffer(old + added);
    if (!buffer) {
        freeText();
        return *this;
    }
    if (old)
        std::memcpy(buffer, GetText(), old);
    std::memcpy(buffer + old, text.GetText(), added);
    buffer[old + added] = '\0';
    ReplaceBuffer(buffer, old + added, GetCharCount(), 0);
    return *this;
}

std::int32_t JxCBaseString::GetCharCount() const
{
    if (charCount_ == 0 && GetLength() != 0) {
        if (!IsDoubleByteText()) {
            charCount_ = GetLength();
        } else {
            const unsigned char* t = GetUnsignedText();
            std::uint32_t n = 0;
            for (std::uint32_t b = 0; b < GetLength(); ++n)
                b += (IsLeadByte(t[b]) && b + 1 < GetLength()) ? 2 : 1;
            charCount_ = n;
        }
    }
    return static_cast<std::int32_t>(charCount_);
}

std::uint32_t JxCBaseString::CharCountToByteCount(const char* text, std::int32_t n)
{
    if (n <= 0)
        return 0;
    if (!IsDoubleByteText())
        return static_cast<std::uint32_t>(n);
    if (!text)
        return 0;
    const auto* t = reinterpret_cast<const unsigned char*>(text);
    std::uint32_t b = 0;
    for (std::int32_t c = 0; c < n && t[b] != 0; ++c)
        b += (IsLeadByte(t[b]) && t[b + 1] != 0) ? 2 : 1;
    return b;
}

std::uint32_t JxCBaseString::ByteOffsetOf(std::int32_t i) const
{
    if (i < 0)
        return GetLength();
    if (!IsDoubleByteText())
        return static_cast<std::uint32_t>(i) < GetLength() ? static_cast<std::uint32_t>(i) : GetLength();
    return cache().CharToByte(Key(), GetText(), GetLength(), i);
}

std::int32_t JxCBaseString::CharIndexOf(std::uint32_t byteOffset) const
{
    if (byteOffset > GetLength())
        byteOffset = GetLength();
    if (!IsDoubleByteText())
        return static_cast<std::int32_t>(byteOffset);
    return cache().ByteToChar(Key(), GetText(), GetLength(), byteOffset);
}

void JxCBaseString::RememberPosition() const
{
    if (IsDoubleByteText())
        cache().Remember(Key());
}

const char* JxCBaseString::GetCharPtr(std::int32_t i) const
{
    if (!GetText() || i < 0 || i > GetCharCount())
        return nullptr;
    const char* p = GetText() + ByteOffsetOf(i);
    RememberPosition();
    return p;
}

bool JxCBaseString::IsValidIndex(std::int32_t i) const
{
    return i >= 0 && i < GetCharCount();
}

bool JxCBaseString::IsValidEnd(std::int32_t i) const
{
    if (i == -1)
        return true;
    return i >= 0 && i <= GetCharCount();
}

namespace {

template <class Convert>
void convertCase(char* text, std::uint32_t length, Convert convert)
{
    auto* t = reinterpret_cast<unsigned char*>(text);
    for (std::uint32_t b = 0; b < length; ++b) {
        if (IsLeadByte(t[b]) && b + 1 < length)
            ++b;  // a double-byte character has no case here
        else
            t[b] = convert(t[b]);
    }
}

}  // namespace

void JxCBaseString::MakeLower()
{
    if (RawText())
        convertCase(RawText(), GetLength(), TextCharToLower);
}

void JxCBaseString::MakeUpper()
{
    if (RawText())
        convertCase(RawText(), GetLength(), TextCharToUpper);
}

void JxCBaseString::SetAt(std::uint32_t byteIndex, char byte)
{
    if (!RawText() || byteIndex >= GetLength())
        return;
    RawText()[byteIndex] = byte;
    // A changed lead byte moves every later character, so the positions of
    // this text are forgotten.
    textChangedInPlace();
    if (byte == '\0')
        SetRaw(RawText(), byteIndex);
}

void JxCBaseString::ReplaceBuffer(char* newText, std::uint32_t length, std::int32_t from,
                                  std::uint32_t count)
{
    const JxTextKey oldKey = Key();
    const std::uint64_t serial = nextSerial();
    // Positions before the change stay valid in the new buffer.
    if (newText)
        cache().Rekey(oldKey, JxTextKey{newText, serial}, from);
    else
        cache().Forget(oldKey);
    if (char* old = RawText())
        delete[] old;
    SetRaw(newText, newText ? length : 0);
    serial_ = newText ? serial : 0;
    charCount_ = newText ? count : 0;
}
