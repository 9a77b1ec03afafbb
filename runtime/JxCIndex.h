#pragma once
// The title's index: named entries, each pointing at a page through a
// cross-reference, read from the product data. The title's visit data
// derives from the index.

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "foundation/JxCInStrStream.h"
#include "foundation/JxCObject.h"
#include "foundation/JxCString.h"
#include "runtime/JxCProductXref.h"

class JxCIndexItem : public JxCObject {
public:
    // The stored entry: the name's string-table index (0 = no name, else
    // index + 1), two 16-bit numbers (widened with their sign) and the
    // cross-reference. False when the stream ends inside it or the name
    // lies beyond the string table.
    bool Read(JxCInStrStream& stream, std::span<const JxCString> strings);

    const JxCString& GetName() const { return name_; }
    std::int32_t GetNumber1() const { return number1_; }
    std::int32_t GetNumber2() const { return number2_; }
    const JxCProductXref& GetXref() const { return xref_; }
    // Goes to the entry's page and its further pages.
    void GoTo() { xref_.Resolve(); }

private:
    JxCString name_;
    std::int32_t number1_ = 0;
    std::int32_t number2_ = 0;
    JxCProductXref xref_;
};

class JxCIndex : public JxCObject {
public:
    JxCIndex() = default;
    JxCIndex(const JxCIndex&) = delete;
    JxCIndex& operator=(const JxCIndex&) = delete;
    // Deletes the items while the index owns them.
    ~JxCIndex() override;

    // The index record: a 16-bit item count, then the items. Items read
    // before a failure stay in the index; 0 on failure.
    std::int16_t Read(JxCInStrStream& stream, std::span<const JxCString> strings);

    // Item i; null outside 0 ... count - 1.
    JxCIndexItem* GetAt(std::int32_t i) const;
    void Add(JxCIndexItem* item) { items_.push_back(item); }
    std::int32_t GetCount() const { return std::int32_t(items_.size()); }
    std::int16_t GetOwnsItems() const { return ownsItems_; }
    void SetOwnsItems(std::int16_t flag) { ownsItems_ = flag; }

private:
    std::vector<JxCIndexItem*> items_;
    std::int16_t ownsItems_ = 1;
};
