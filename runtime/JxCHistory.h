#pragma once
// The pages the user has visited, oldest first, for going back: at most
// 32 cross-references, which the history owns. A visit that repeats the
// newest entry is not recorded twice.

#include <cstdint>

#include "foundation/JxCList.h"
#include "runtime/JxCProductXref.h"

class JxCHistory : public JxCList {
public:
    static constexpr std::int32_t kMaxEntries = 32;

    JxCHistory();
    ~JxCHistory() override;
    JxCHistory(const JxCHistory&) = delete;
    JxCHistory& operator=(const JxCHistory&) = delete;

    // Records a visit: 1 when appended (the history now owns the entry),
    // 0 when it names the newest entry's page (the caller keeps it).
    std::int16_t Add(JxCProductXref* entry);
    // Drops the page shown now and the n - 1 before it, and changes to the
    // page of the entry before those: 1. With too few entries the product
    // is marked idle and nothing changes: 0.
    std::int16_t GoBack(std::int32_t n);
    JxCProductXref* GetLast();
    // The newest entry taken out (not deleted); null when empty.
    JxCProductXref* RemoveLast();
};
