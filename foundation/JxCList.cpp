#include "foundation/JxCList.h"

#include <new>
#include <unordered_set>
#include <vector>

JxCList::~JxCList() { RemoveAll(); }

std::int16_t JxCList::Add(JxCObject* item)
{
    auto* node = new (std::nothrow) JxCListNode(item);
    if (!node)
        return 0;
    AppendNode(node);
    return 1;
}

std::int16_t JxCList::AddHead(JxCObject* item)
{
    if (!head_)
        return Add(item);
    auto* node = new (std::nothrow) JxCListNode(item);
    if (!node)
        return 0;
    node->next = head_;
    head_->previous = node;
    head_ = node;
    ++count_;
    return 1;
}

std::int16_t JxCList::InsertBefore(JxCObject* item, JxCObject* newItem)
{
    JxCListNode* at = FindNode(item);
    if (!at)
        return Add(newItem);
    if (at == head_)
        return AddHead(newItem);
    auto* node = new (std::nothrow) JxCListNode(newItem);
    if (!node)
        return 0;
    node->previous = at->previous;
    node->next = at;
    at->previous->next = node;
    at->previous = node;
    ++count_;
    return 1;
}

void JxCList::Unlink(JxCListNode* node)
{
    if (node->previous)
        node->previous->next = node->next;
    else
        head_ = node->next;
    if (node->next)
        node->next->previous = node->previous;
    else
        tail_ = node->previous;
    node->next = node->previous = nullptr;
    if (cursor_ == node)
        cursor_ = nullptr;
    --count_;
}

std::int16_t JxCList::Remove(JxCObject* item)
{
    JxCListNode* node = FindNode(item);
    if (!node)
        return 0;
    Unlink(node);
    delete node;
    Release(item);
    return 1;
}

void JxCList::DropNodes()
{
    JxCListNode* node = head_;
    while (node) {
        JxCListNode* next = node->next;
        delete node;
        node = next;
    }
    head_ = tail_ = cursor_ = nullptr;
    count_ = 0;
}

void JxCList::RemoveAll()
{
    if (!ownsItems_) {
        DropNodes();
        return;
    }
    // The nodes go first, so that no node points at a deleted item while the
    // items' destructors run. The items then die head to tail, as they were
    // listed, so a teardown that depends on its order sees the same order on
    // every run; an item held by several nodes dies at its first node.
    std::vector<JxCObject*> items;
    items.reserve(static_cast<std::size_t>(count_));
    for (JxCListNode* node = head_; node; node = node->next)
        items.push_back(node->item);
    DropNodes();
    std::unordered_set<JxCObject*> deleted;
    deleted.reserve(items.size());
    for (JxCObject* item : items)
        if (deleted.insert(item).second)
            delete item;
}

void JxCList::Release(JxCObject* item)
{
    if (ownsItems_ && !FindNode(item))
        delete item;
}

std::int16_t JxCList::Replace(JxCObject* oldItem, JxCObject* newItem)
{
    JxCListNode* node = FindNode(oldItem);
    if (!node)
        return 0;
    node->item = newItem;
    Release(oldItem);
    return 1;
}

std::int16_t JxCList::SetAt(JxCObject* newItem, std::int32_t index)
{
    JxCListNode* node = NodeAt(index);
    if (!node)
        return Add(newItem);
    JxCObject* old = node->item;
    node->item = newItem;
    Release(old);
    return 1;
}

std::int16_t JxCList::UnlinkNode(JxCListNode* node)
{
    if (!ContainsNode(node))
        return 0;
    Unlink(node);
    return 1;
}

void JxCList::AppendNode(JxCListNode* node)
{
    node->next = nullptr;
    node->previous = tail_;
    if (tail_)
        tail_->next = node;
    else
        head_ = node;
    tail_ = node;
    ++count_;
}

std::int16_t JxCList::ContainsNode(const JxCListNode* node) const
{
    if (!head_ || !node)
        return 0;
    if (node == cursor_)
        return 1;
    while (node->previous)
        node = node->previous;
    return node == head_;
}

JxCListNode* JxCList::FindNode(const JxCObject* item) const
{
    if (!head_)
        return nullptr;
    if (cursor_ && cursor_->item == item)
        return cursor_;
    for (JxCListNode* node = head_; node; node = node->next)
        if (node->item == item)
            return node;
    return nullptr;
}

JxCListNode* JxCList::NodeAt(std::int32_t index) const
{
    if (index < 0 || index >= count_)
        return nullptr;
    JxCListNode* node = head_;
    while (node && index-- > 0)
        node = node->next;
    return node;
}

JxCObject* JxCList::GetFirst()
{
    cursor_ = head_;
    return cursor_ ? cursor_->item : nullptr;
}

JxCObject* JxCList::GetLast()
{
    cursor_ = tail_;
    return cursor_ ? cursor_->item : nullptr;
}

JxCObject* JxCList::GetNext(const JxCObject* item)
{
    if (!cursor_ || cursor_->item != item)
        cursor_ = FindNode(item);
    if (cursor_)
        cursor_ = cursor_->next;
    return cursor_ ? cursor_->item : nullptr;
}

JxCObject* JxCList::GetPrev(const JxCObject* item)
{
    if (!cursor_ || cursor_->item != item)
        cursor_ = FindNode(item);
    if (cursor_)
        cursor_ = cursor_->previous;
    return cursor_ ? cursor_->item : nullptr;
}

JxCObject* JxCList::GetAt(std::int32_t index) const
{
    JxCListNode* node = NodeAt(index);
    return node ? node->item : nullptr;
}

void JxCList::SwapItems(JxCListNode* a, JxCListNode* b)
{
    JxCObject* t = a->item;
    a->item = b->item;
    b->item = t;
}
