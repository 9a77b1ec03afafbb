#pragma once
// A page cross-reference: names a page by its page id. The index entries
// and the visited-page history hold them; the title reads them from its
// product data.

#include <cstdint>
#include <vector>

#include "foundation/JxCInStrStream.h"
#include "foundation/JxCObject.h"

class JxCProductXref : public JxCObject {
public:
    JxCProductXref() = default;
    explicit JxCProductXref(std::int32_t pageId) : entries_{pageId} {}

    // The stored record: a 16-bit count, then that many 16-bit page ids
    // (widened with their sign); the first names the page. False when the
    // stream ends inside the record (the reference is left as it was).
    bool Load(JxCInStrStream& stream);

    // The page named; 0 for an empty reference.
    std::int32_t GetPageId() const { return entries_.empty() ? 0 : entries_.front(); }
    bool operator==(const JxCProductXref& other) const { return GetPageId() == other.GetPageId(); }

    // Asks the product to change to the page named; answers 0.
    virtual std::int16_t GoTo();

private:
    std::vector<std::int32_t> entries_;
};
