#include "foundation/JxCTableString.h"

#include <cstring>

#include "foundation/JxCharTables.h"

namespace {

unsigned char foldAscii(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

}  // namespace

JxCTableString::JxCTableString(const char* text)
    : JxCObject(),
      text_(const_cast<char*>(text)),
      length_(text ? static_cast<std::uint32_t>(std::strlen(text)) : 0)
{
}

JxCTableString::JxCTableString(const JxCTableString& other)
    : JxCObject(other), text_(other.text_), length_(other.length_)
{
}

JxCTableString& JxCTableString::operator=(const JxCTableString& other)
{
    Assign(other);
    return *this;
}

void JxCTableString::SetText(const char* text)
{
    text_ = const_cast<char*>(text);
    length_ = text ? static_cast<std::uint32_t>(std::strlen(text)) : 0;
}

void JxCTableString::Assign(const JxCTableString& other)
{
    JxCObject::operator=(other);
    text_ = other.text_;
    length_ = other.length_;
}

namespace {

// Compares the texts with the first byte of each character folded.
template <class Fold>
int compareFolded(std::string_view a, std::string_view b, Fold fold)
{
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    bool trail = false;  // the byte at i is the second byte of a character
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (!trail) {
            x = fold(x);
            y = fold(y);
        }
        if (x != y)
            return x < y ? -1 : 1;
        // Equal so far, so both texts agree on where characters start.
        trail = !trail && IsLeadByte(x);
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

}  // namespace

int JxCTableString::CompareNoCase(std::string_view a, std::string_view b)
{
    return compareFolded(a, b, foldAscii);
}

int JxCTableString::CompareTextNoCase(std::string_view a, std::string_view b)
{
    return compareFolded(a, b, TextCharToLower);
}

bool JxCTableString::EqualsNoCase(const JxCTableString& other) const
{
    if (length_ == 0 || other.length_ == 0)
        return length_ == other.length_;
    return CompareNoCase(View(), other.View()) == 0;
}

bool JxCTableString::DiffersNoCase(const JxCTableString& other) const
{
    return CompareNoCase(View(), other.View()) != 0;
}

bool JxCTableString::LessNoCase(const JxCTableString& other) const
{
    if (text_ == other.text_ && length_ == other.length_)
        return false;
    return CompareNoCase(View(), other.View()) < 0;
}
