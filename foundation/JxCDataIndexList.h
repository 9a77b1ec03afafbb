#pragma once
// The index of the packed data store. The store file is the items' bytes
// followed by the index; the file's last four bytes give the index's
// offset. All integers are big-endian.
//
//   index:  i16 entry count (below 1: no entries), then the entries
//   entry:  i16 name length, the name's bytes, u32 a, u32 b, u32 size,
//           u32 offset (of the item's first byte)
//
// Names are item paths relative to the store's name prefix, folders
// separated by backslashes, sorted in ascending order without regard to
// case: a look-up is a binary search over the entries in file order, so an
// index out of that order makes look-ups miss. The values a and b are kept
// but mean nothing to the reader.
//
// A store whose trailer points outside the file cannot be read: its index
// is empty and its status flag 0. An index that ends before the count it
// claims keeps the entries read up to its end, and an entry whose bytes do
// not lie inside the file before the trailer is dropped; such an index is
// marked damaged, and the rest of the store serves as usual.

#include <cstdint>
#include <vector>

#include "foundation/JxCList.h"
#include "foundation/JxCString.h"
#include "platform/core/types.h"

class JxCInStrStream;

class JxCDataIndexEntry : public JxCObject {
public:
    const JxCString& GetName() const { return name_; }
    std::uint32_t GetA() const { return a_; }
    std::uint32_t GetB() const { return b_; }
    std::uint32_t GetSize() const { return size_; }
    std::uint32_t GetOffset() const { return offset_; }
    bool IsValid() const { return valid_ != 0; }

    // Reads the entry's fields; false (and not valid) when the stream ends
    // first.
    bool Read(JxCInStrStream& in);

private:
    JxCString name_;
    std::uint32_t a_ = 0;
    std::uint32_t b_ = 0;
    std::uint32_t size_ = 0;
    std::uint32_t offset_ = 0;
    std::int16_t valid_ = 0;
};

class JxCDataIndexList : public JxCTypedList<JxCDataIndexEntry> {
public:
    // The size of the trailer that holds the index's offset.
    static constexpr std::uint32_t kTrailerSize = 4;

    JxCDataIndexList() = default;

    // Opens the named store, reads its index and closes it again. The
    // opener's reports apply; a file that cannot be opened leaves the index
    // empty with the status flag set.
    void ReadIndexFile(const char* name);
    // Reads the index of a store open on file (the handle stays the
    // caller's). False, with the index empty and the status flag 0, when
    // the store cannot be read.
    bool ReadIndex(plat::HFILE file);
    // Whether the last read kept fewer entries than the index claims.
    bool IsDamaged() const { return damaged_; }

    // The entry of that name (case-blind), or null.
    const JxCDataIndexEntry* Find(const JxCTableString& name);

    std::uint64_t GetTotalSize() const { return totalSize_; }
    std::int16_t GetStatus() const { return status_; }

private:
    void readEntries(JxCInStrStream& in, std::int32_t count, std::uint32_t dataEnd);
    void clear();

    std::vector<JxCDataIndexEntry*> table_;  // the look-up table, in file order
    bool hasTable_ = false;
    std::uint64_t totalSize_ = 0;
    std::int16_t status_ = 1;
    bool damaged_ = false;
};
