#pragma once
// The product's table of strings. While the table is being built it is a
// list of owned string copies. Once the product has loaded its table from the
// product data file into an array of table strings (text pointer and length
// records), it freezes the list: look-ups by position then answer from that
// array, and a change of the list is reported as message 1068 (with the text
// "JxCTableString::add") before it is made.

#include <cstdint>

#include "foundation/JxCBaseString.h"
#include "foundation/JxCList.h"

class JxCTableStringList : public JxCList {
public:
    static constexpr std::int32_t kTemporaryErrorId = 1068;

    JxCTableStringList() = default;
    ~JxCTableStringList() override = default;

    // The array stays the product's; it must outlive the frozen list.
    void Freeze(const JxCTableString* records, std::uint32_t count);
    bool IsFrozen() const { return frozen_; }

    // Appends a copy of the text; the new item, or null when memory ran out.
    JxCBaseString* add(const JxCTableString& text);
    // Removes (and deletes) the item; 0 when the list does not hold it.
    std::int16_t Remove(JxCBaseString* item);
    // The stored copy with the same text pointer or an equal text, and its
    // 0-based index; an empty table string and -1 when there is none.
    JxCTableString Find(const JxCTableString& text, std::int32_t& index);

    JxCTableString GetAt(std::int32_t i);
    JxCTableString GetFirstText();
    // The text after (before) the one given, or an empty table string at the
    // end (front) and for a text the table does not hold.
    JxCTableString GetNextText(const JxCTableString& text);
    JxCTableString GetPrevText(const JxCTableString& text);

private:
    static bool holds(const JxCBaseString* item, const JxCTableString& text);
    void reportIfFrozen() const;
    std::int32_t recordIndex(const JxCTableString& text) const;
    // The first (or last) item holding the text, trying the last one handed
    // out first.
    JxCBaseString* itemHolding(const JxCTableString& text, bool last);
    JxCTableString handOut(JxCObject* item);

    const JxCTableString* records_ = nullptr;
    std::uint32_t recordCount_ = 0;
    bool frozen_ = false;
    JxCBaseString* lastHandedOut_ = nullptr;  // a hint only: checked before use
};
