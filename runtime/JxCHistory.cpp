#include "runtime/JxCHistory.h"

#include <algorithm>
#include <memory>

#include "runtime/JxCBaseProduct.h"

namespace {

void markProductIdle()
{
    if (JxCBaseProduct* product = GetProduct())
        product->MarkIdle();
}

}  // namespace

// The history takes entries out before deleting them, so the list itself
// never deletes.
JxCHistory::JxCHistory()
{
    SetOwnsItems(0);
}

JxCHistory::~JxCHistory()
{
    while (JxCProductXref* entry = RemoveLast())
        delete entry;
}

std::int16_t JxCHistory::Add(JxCProductXref* entry)
{
    if (!entry)
        return 0;
    if (JxCProductXref* last = GetLast(); last && *last == *entry)
        return 0;
    JxCList::Add(entry);
    while (GetCount() > kMaxEntries) {
        JxCObject* oldest = GetFirst();
        JxCList::Remove(oldest);
        delete oldest;
    }
    return 1;
}

std::int16_t JxCHistory::GoBack(std::int32_t n)
{
    // Going back needs an entry to land on besides those dropped (with
    // n = 0 that is still the one before the page shown now).
    if (GetCount() <= std::max<std::int32_t>(n, 1)) {
        markProductIdle();
        return 0;
    }
    std::unique_ptr<JxCProductXref> shown(RemoveLast());
    for (std::int32_t i = 1; i < n; ++i)
        delete RemoveLast();
    std::unique_ptr<JxCProductXref> target(RemoveLast());
    target->GoTo();
    return 1;
}

JxCProductXref* JxCHistory::GetLast()
{
    return static_cast<JxCProductXref*>(JxCList::GetLast());
}

JxCProductXref* JxCHistory::RemoveLast()
{
    JxCProductXref* last = GetLast();
    if (last)
        JxCList::Remove(last);
    return last;
}
