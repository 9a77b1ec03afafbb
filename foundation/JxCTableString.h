#pragma once
// A view of a text: a pointer to 8-bit characters that the view does not own
// (may be null) and the text's byte length without the terminator. The
// product's string table hands these out; JxCBaseString adds ownership.
//
// Every comparison ignores the case of the letters A to Z and compares other
// bytes by value; the trail byte of a double-byte character is never folded.
// There is no case-sensitive equality.

#include <cstdint>
#include <string_view>

#include "foundation/JxCObject.h"

class JxCTableString : public JxCObject {
public:
    JxCTableString() = default;
    JxCTableString(const char* text);  // NOLINT: a text is a table string
    JxCTableString(const JxCTableString& other);
    JxCTableString& operator=(const JxCTableString& other);
    ~JxCTableString() override = default;

    // Owning strings override these to copy the text into their own buffer,
    // so assigning through a view reference can never break ownership.
    virtual void SetText(const char* text);
    virtual void Assign(const JxCTableString& other);

    std::uint32_t GetLength() const { return length_; }
    const char* GetText() const { return text_; }
    const unsigned char* GetUnsignedText() const
    {
        return reinterpret_cast<const unsigned char*>(text_);
    }
    std::string_view View() const { return text_ ? std::string_view(text_, length_) : std::string_view(); }
    bool IsEmpty() const { return length_ == 0; }

    bool EqualsNoCase(const JxCTableString& other) const;
    bool DiffersNoCase(const JxCTableString& other) const;
    bool LessNoCase(const JxCTableString& other) const;

    bool operator==(const JxCTableString& other) const { return EqualsNoCase(other); }
    bool operator!=(const JxCTableString& other) const { return DiffersNoCase(other); }
    bool operator<(const JxCTableString& other) const { return LessNoCase(other); }

    // The case-blind comparison of two texts: < 0, 0 or > 0. Only A to Z
    // fold, as keywords and file names want.
    static int CompareNoCase(std::string_view a, std::string_view b);
    // The same for what people type (their names), where the capitals of
    // the current code page fold too ("ZOË" equals "Zoë").
    static int CompareTextNoCase(std::string_view a, std::string_view b);
    bool EqualsTextNoCase(const JxCTableString& other) const
    {
        return CompareTextNoCase(View(), other.View()) == 0;
    }

protected:
    // Raw access for the owning subclasses.
    void SetRaw(char* text, std::uint32_t length)
    {
        text_ = text;
        length_ = length;
    }
    char* RawText() const { return text_; }

private:
    char* text_ = nullptr;
    std::uint32_t length_ = 0;
};
