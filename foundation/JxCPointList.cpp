#include "foundation/JxCPointList.h"

#include <new>

JxCPointList::JxCPointList(const JxCPointList& other) : JxCTypedList<JxCPoint>() { AppendCopies(other); }

JxCPointList& JxCPointList::operator=(const JxCPointList& other)
{
    if (this == &other)
        return *this;
    RemoveAll();
    AppendCopies(other);
    return *this;
}

void JxCPointList::AppendCopies(const JxCPointList& other)
{
    // Walk the nodes directly so that the other list's cursor stays where it
    // is: the other list may be in the middle of a walk.
    for (JxCListNode* node = other.Head(); node; node = node->next) {
        auto* copy = new (std::nothrow) JxCPoint(*static_cast<const JxCPoint*>(node->item));
        if (!copy)
            return;
        if (!Add(copy)) {
            delete copy;
            return;
        }
    }
}

bool JxCPointList::operator==(const JxCPointList& other) const
{
    if (GetCount() != other.GetCount())
        return false;
    const JxCListNode* a = Head();
    const JxCListNode* b = other.Head();
    for (; a && b; a = a->next, b = b->next)
        if (*static_cast<const JxCPoint*>(a->item) != *static_cast<const JxCPoint*>(b->item))
            return false;
    return true;
}
