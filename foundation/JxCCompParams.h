#pragma once
// Comparison parameters: the compare function that orders two texts (below
// zero, zero, above zero) and an optional table that goes with it. By
// default the texts are compared byte by byte as the C library does:
// case-sensitive, in byte order.

#include <cstdint>
#include <vector>

#include "foundation/JxCWiseObj.h"

class JxCCollationKey;

using JxCompareFunction = int (*)(const char* a, const char* b);

// The byte-wise comparison (unsigned bytes, as strcmp).
int CompareBytes(const char* a, const char* b);

class JxCCompParams : public JxCWiseObj {
public:
    JxCCompParams() = default;
    explicit JxCCompParams(JxCompareFunction compare, std::vector<std::uint8_t> table = {})
        : compare_(compare ? compare : CompareBytes), table_(std::move(table))
    {
    }

    JxCCompParams* AsCompParams() override { return this; }
    JxCWiseObj* MakeUnique() override { return UniqueCopy(this); }

    // compare(text of a, text of b).
    virtual int Compare(const JxCCollationKey& a, const JxCCollationKey& b) const;

    JxCompareFunction GetCompare() const { return compare_; }
    const std::vector<std::uint8_t>& GetTable() const { return table_; }

private:
    JxCompareFunction compare_ = CompareBytes;
    std::vector<std::uint8_t> table_;
};
