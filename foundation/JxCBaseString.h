#pragma once
// A table string that owns its text: a zero-terminated heap buffer of
// length + 1 bytes, and the text's character count, counted on first use.
//
// Positions are character positions (a double-byte character counts once);
// lengths are byte counts. Every change of the text either resets the count
// or sets the new one, and tells the position cache.

#include <cstdint>
#include <string_view>

#include "foundation/JxCTableString.h"
#include "foundation/JxCharPositionCache.h"
#include "foundation/JxCharTables.h"

class JxCString;

class JxCBaseString : public JxCTableString {
public:
    JxCBaseString() = default;
    JxCBaseString(const char* text);  // NOLINT: implicit like the text it copies
    JxCBaseString(const JxCTableString& text);  // NOLINT
    JxCBaseString(const JxCBaseString& other);
    JxCBaseString(JxCBaseString&& other) noexcept;
    // An empty text with room for reserve bytes.
    explicit JxCBaseString(std::uint32_t reserve);
    // A copy of the bytes (a zero byte among them ends the text early for
    // every reader, so callers pass texts without one).
    explicit JxCBaseString(std::string_view bytes);
    ~JxCBaseString() override;

    // Assignment copies the source unless it is the very text held here. A
    // source inside this string's own buffer is copied before the buffer goes.
    JxCBaseString& operator=(const JxCBaseString& other);
    JxCBaseString& operator=(JxCBaseString&& other) noexcept;
    JxCBaseString& operator=(const JxCTableString& other);
    JxCBaseString& operator=(const char* text);
    JxCBaseString& operator=(char c);
    void SetText(const char* text) override;
    void Assign(const JxCTableString& other) override;

    void AssignInt(int n);
    // The text of string id (at most 511 bytes); 1 on success, 0 (string
    // unchanged) when the id has no text.
    std::int16_t LoadString(unsigned id);
    // Leading blanks, an optional sign, digits; clamped to the int range.
    int ToInt() const;

    JxCBaseString& Append(const JxCTableString& text);
    JxCBaseString& operator+=(const JxCTableString& text) { return Append(text); }

    std::int32_t GetCharCount() const;
    // The bytes that n characters from text take (n itself on a single-byte
    // code page; stops at the terminator on a double-byte one).
    static std::uint32_t CharCountToByteCount(const char* text, std::int32_t n);
    // The address of character i; i = the count gives the terminator. Null
    // outside 0 ... count.
    const char* GetCharPtr(std::int32_t i) const;
    bool IsValidIndex(std::int32_t i) const;
    bool IsValidEnd(std::int32_t i) const;  // -1 stands for the count

    // Case conversion through the language's case tables; the bytes of
    // double-byte characters are left as they are.
    void MakeLower();
    void MakeUpper();
    // Stores one byte at byteIndex (< length). A zero byte ends the text there.
    void SetAt(std::uint32_t byteIndex, char byte);

protected:
    // Takes ownership of newText (length bytes and a terminator) built by an
    // editing operation that changed the text from character position from
    // on; the new character count is count (0: unknown).
    void ReplaceBuffer(char* newText, std::uint32_t length, std::int32_t from, std::uint32_t count);
    // A buffer of n + 1 bytes, or null when memory runs out.
    static char* AllocateBuffer(std::uint32_t n);
    // Copies length bytes of text (null: no text); text may lie in the buffer.
    void AssignBytes(const char* text, std::uint32_t length);
    // Byte offset of character i (-1: the length) and back.
    std::uint32_t ByteOffsetOf(std::int32_t i) const;
    std::int32_t CharIndexOf(std::uint32_t byteOffset) const;
    void RememberPosition() const;
    JxTextKey Key() const { return {GetText(), serial_}; }

private:
    void adopt(char* text, std::uint32_t length, std::uint32_t count);
    void freeText();
    void textChangedInPlace();

    mutable std::uint32_t charCount_ = 0;  // 0 = not counted yet
    std::uint64_t serial_ = 0;
};
