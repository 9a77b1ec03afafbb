#pragma once
// A list of strings of the form KEY:word;word;... read whole from a binary
// file, with a look-up from a word to its key. The title keeps its answer
// word lists in these.

#include <cstdint>

#include "foundation/JxCStringPtrArray.h"

class JxCInStrStream;
class JxCOutStream;

class JxCStringList : public JxCStringPtrArray {
public:
    JxCStringList();
    explicit JxCStringList(const char* fileName);
    explicit JxCStringList(JxCInStrStream& in);
    ~JxCStringList() override;

    // Reads the binary form (a 32-bit big-endian count, then counted
    // strings) from the file; false, and the list stays empty, when the file
    // does not open. A damaged file keeps the strings read whole.
    bool LoadFromFile(const char* fileName);
    bool Write(JxCOutStream& out) const;

    std::int32_t GetCount() const { return static_cast<std::int32_t>(JxCStringPtrArray::GetCount()); }
    // The text of item i before its first ":", empty without one.
    JxCString KeyOf(std::int32_t i) const;
    // Whether word stands as a whole entry of item i: after the start, a
    // ":" or a ";", and before a ";" or the end, without regard to case. An
    // empty word never does.
    bool ItemHasWord(std::int32_t i, const char* word) const;
    // KeyOf the first item that has the word; empty when none has it.
    JxCString FindKeyForWord(const char* word) const;

private:
    void readFrom(JxCInStrStream& in);
};
