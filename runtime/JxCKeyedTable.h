#pragma once
// A sorted table of named, reference-counted values (opaque words whose
// meaning a type handler knows), the store of the display-object type
// registry.
//
// Names are compared byte by byte, with case; callers lower-case them. An
// entry can carry back-pointers: the index fields of the keys (JxCTypeKey)
// that registered it. The table keeps them current whenever entries move,
// and writes -1 through them when the entry goes.
//
// Adding leaves the table unsorted; the next look-up sorts it and merges
// entries of equal names into one (their reference counts added; a second
// value that differs from the first is reported as a redefinition and
// dropped). Freezing sorts it for good: integer keys are valid only while
// the table is frozen.

#include <cstdint>
#include <vector>

#include "foundation/JxCString.h"
#include "runtime/JxCTypeHandler.h"

class JxCKeyedTable {
public:
    // The handler may be null: values are then plain words.
    explicit JxCKeyedTable(JxCTypeHandler* handler);
    JxCKeyedTable(const JxCKeyedTable&) = delete;
    JxCKeyedTable& operator=(const JxCKeyedTable&) = delete;
    // Destroys the values still held and detaches the keys.
    ~JxCKeyedTable();

    // Appends an entry with one reference, without looking for an equal
    // name; its position is stored through the back-pointer at once.
    void Add(const JxCTableString& name, JxTypeValue value, std::int32_t* backPointer);

    // The index of the name, or -1; FindLive also gives -1 for an entry
    // whose references are all released.
    std::int32_t Find(const JxCTableString& name);
    std::int32_t FindLive(const JxCTableString& name);

    // The value of a live entry; 0 otherwise.
    JxTypeValue GetValueByName(const JxCTableString& name);
    JxTypeValue GetValueByIndex(std::int32_t index) const;
    // A copy of the entry's name; empty outside the table.
    JxCString GetName(std::int32_t index) const;

    // Drop one reference; the last one destroys the value. An absent name
    // or an index outside the table does nothing.
    void ReleaseByName(const JxCTableString& name);
    void ReleaseByIndex(std::int32_t index);
    // Forgets one back-pointer of the entry (a key that is going away).
    void ClearBackPointer(std::int32_t index, const std::int32_t* backPointer);

    void Sort();
    void Freeze();
    void Thaw() { frozen_ = false; }
    bool IsFrozen() const { return frozen_; }

    std::int32_t GetCapacity() const { return capacity_; }
    std::int32_t GetCount() const { return static_cast<std::int32_t>(entries_.size()); }
    std::int32_t GetReleasedCount() const { return released_; }
    bool IsUnsorted() const { return unsorted_; }

private:
    struct Entry {
        JxCString name;
        std::int32_t references = 0;
        JxTypeValue value = 0;
        std::vector<std::int32_t*> backPointers;
    };

    bool inRange(std::int32_t index) const { return index >= 0 && index < GetCount(); }
    void destroyValue(JxTypeValue value);
    bool valuesDiffer(JxTypeValue a, JxTypeValue b);
    void releaseEntry(Entry& entry);
    void dropReleasedEntries();
    void mergeEqualNames();
    void storeIndexes();

    // Slots are allocated 16 at a time.
    static constexpr std::int32_t kGrowth = 16;

    std::int32_t capacity_ = 0;
    std::int32_t released_ = 0;
    std::vector<Entry> entries_;
    bool unsorted_ = false;
    JxCTypeHandler* handler_;
    bool frozen_ = false;
};
