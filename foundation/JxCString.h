#pragma once
// The everyday string of the engine, and the keyword constant of the
// definition language. Positions count characters (a double-byte character
// counts once; -1 stands for the character count where an end is expected),
// lengths count bytes. Out-of-range positions give an empty result, -1 or
// null, and leave the string as it was.

#include <cstdint>

#include "foundation/JxCBaseString.h"

class JxMessageArg;

class JxCString : public JxCBaseString {
public:
    using JxCBaseString::JxCBaseString;
    JxCString() = default;
    JxCString(const JxCString&) = default;
    JxCString(JxCString&&) noexcept = default;
    ~JxCString() override = default;
    JxCString& operator=(const JxCString& other)
    {
        JxCBaseString::operator=(other);
        return *this;
    }
    JxCString& operator=(JxCString&& other) noexcept
    {
        JxCBaseString::operator=(static_cast<JxCBaseString&&>(other));
        return *this;
    }
    using JxCBaseString::operator=;

    // The string becomes text formatted with the arguments (FormatMessageArgs).
    JxCString& Format(const char* text, const JxMessageArg& a1);
    JxCString& Format(const char* text, const JxMessageArg& a1, const JxMessageArg& a2);
    JxCString& Format(const char* text, const JxMessageArg& a1, const JxMessageArg& a2,
                      const JxMessageArg& a3);
    JxCString& Format(const char* text, const JxMessageArg& a1, const JxMessageArg& a2,
                      const JxMessageArg& a3, const JxMessageArg& a4);
    JxCString& Format(const char* text, const JxMessageArg& a1, const JxMessageArg& a2,
                      const JxMessageArg& a3, const JxMessageArg& a4, const JxMessageArg& a5);

    JxCString operator+(const JxCTableString& text) const;

    // Characters from up to and including to; to = -1 or the count: to the end.
    JxCString Mid(std::int32_t from, std::int32_t to) const;
    JxCString Left(std::int32_t n) const;     // characters 0 ... n
    JxCString LeftOf(std::int32_t n) const;   // characters before n; -1: all
    JxCString From(std::int32_t n) const;     // characters n ... end
    JxCString LeftInclusive(const char* at) const;  // up to and including *at
    JxCString LeftExclusive(const char* at) const;  // up to the character before at
    JxCString FromPointer(const char* at) const;    // from at to the end
    // The first or last n bytes, without splitting a double-byte character.
    JxCString First(std::int32_t n) const;
    JxCString Last(std::int32_t n) const;

    // Searches between the characters from and to (to = -1: to the end).
    // Without case sensitivity a single-byte character also matches its other
    // case. Results point into this string's own text.
    std::int32_t Find(char c, bool caseSensitive = true, std::int32_t from = 0,
                      std::int32_t to = -1) const;
    const char* FindOneOf(const char* set, bool caseSensitive = true, std::int32_t from = 0,
                          std::int32_t to = -1) const;
    const char* FindString(const char* text, bool caseSensitive = true, std::int32_t from = 0,
                           std::int32_t to = -1) const;

    // Insert before the character at position (the count: append).
    void Insert(const char* text, std::int32_t position);
    void InsertChar(JxChar c, std::int32_t position);
    void SetCharAt(JxChar c, std::int32_t position);
    // Removes the characters from ... to (to = -1 or the count: to the end);
    // a string left empty has no text.
    void Delete(std::int32_t from, std::int32_t to);

private:
    static JxCString fromBytes(const char* text, std::uint32_t length);
    // The byte range [begin, end) of characters from ... to, or false.
    bool charRange(std::int32_t from, std::int32_t to, std::uint32_t& begin, std::uint32_t& end) const;
    // The same for a caller that knows whether the code page has double-byte
    // characters (on a single-byte page positions are byte offsets).
    bool charRange(std::int32_t from, std::int32_t to, std::uint32_t& begin, std::uint32_t& end,
                   bool doubleByte) const;
    void splice(std::uint32_t begin, std::uint32_t end, const char* insert, std::uint32_t insertLength,
                std::int32_t fromChar);
    // FindString in a range, case-blind or on a double-byte page.
    const char* findInRange(std::string_view needle, bool caseSensitive, std::int32_t from, std::int32_t to,
                            int codePage) const;
};

// A keyword constant of the definition language.
class JxCKeyword : public JxCString {
public:
    JxCKeyword(const char* text);  // NOLINT: keywords are built from literals
    ~JxCKeyword() override;
};

// Format takes message arguments; they are defined with the formatter.
#include "foundation/JxMessageText.h"
