#pragma once
// A page cross-reference: names a page by its page id, and for an index
// entry up to five further pages shown after it. The index entries and the
// visited-page history hold them; the title reads them from its product
// data.

#include <array>
#include <cstdint>

#include "foundation/JxCInStrStream.h"
#include "foundation/JxCObject.h"

class JxCProductXref : public JxCObject {
public:
    static constexpr std::int32_t kMaxFurtherPages = 5;

    JxCProductXref() = default;
    explicit JxCProductXref(std::int32_t pageId) : pageId_(pageId) {}

    // The stored record (big-endian): u32 page id, u16 count of further
    // pages, then that many u32 page ids. Only the first five further pages
    // are kept; the rest are read past, so that the next record starts where
    // it should. False when the stream ends inside the record (the
    // reference is left as it was).
    bool Load(JxCInStrStream& stream);

    // The page named; 0 for an empty reference.
    std::int32_t GetPageId() const { return pageId_; }
    std::int32_t GetFurtherCount() const { return furtherCount_; }
    // Further page i; 0 outside 0 ... count - 1.
    std::int32_t GetFurtherPage(std::int32_t i) const;
    bool operator==(const JxCProductXref& other) const { return GetPageId() == other.GetPageId(); }

    // Asks the product to change to the page named; answers 0.
    virtual std::int16_t GoTo();
    // Asks the product for the page, then for each further page in record
    // order; the actions run later, in the order they were posted.
    void Resolve();

private:
    std::int32_t pageId_ = 0;
    std::int32_t furtherCount_ = 0;
    std::array<std::int32_t, kMaxFurtherPages> further_{};
};
