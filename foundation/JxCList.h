#pragma once
// The engine's one linked container: a doubly linked list of JxCObject
// pointers with a count, an owns-items flag (set after construction) and a
// cursor that makes walking forwards or backwards by item constant time.
//
// Items are compared by identity. A list may hold the same pointer twice; the
// operations then act on the first node that holds it (or on the cursor's
// node when the cursor holds it). An owning list deletes an item when the
// last node that holds it goes, so an item held twice is deleted once and no
// node is left pointing at a deleted item. A walk (GetFirst, then GetNext(item) until
// 0) must not be interleaved with another walk of the same list: both move the
// one cursor.

#include <cstdint>

#include "foundation/JxCObject.h"

class JxCListNode : public JxCObject {
public:
    explicit JxCListNode(JxCObject* i) : item(i) {}

    JxCListNode* next = nullptr;
    JxCListNode* previous = nullptr;
    JxCObject* item = nullptr;
};

class JxCList : public JxCObject {
public:
    JxCList() = default;
    JxCList(const JxCList&) = delete;
    JxCList& operator=(const JxCList&) = delete;
    ~JxCList() override;

    // Results are truth values (1 = done) or item pointers (null = none).
    std::int16_t Add(JxCObject* item);
    std::int16_t AddHead(JxCObject* item);
    // Before the node of item; at the tail when item is not in the list.
    std::int16_t InsertBefore(JxCObject* item, JxCObject* newItem);
    std::int16_t Remove(JxCObject* item);
    void RemoveAll();
    // newItem takes oldItem's place; an owned oldItem is deleted unless
    // another node still holds it. 0, and nothing changes, when oldItem is
    // not held.
    std::int16_t Replace(JxCObject* oldItem, JxCObject* newItem);
    // Puts newItem at index (0-based), deleting an owned previous item unless
    // another node still holds it; appends when index is outside the list.
    std::int16_t SetAt(JxCObject* newItem, std::int32_t index);

    // Moving nodes between lists without deleting their items.
    std::int16_t UnlinkNode(JxCListNode* node);
    void AppendNode(JxCListNode* node);
    std::int16_t ContainsNode(const JxCListNode* node) const;
    JxCListNode* FindNode(const JxCObject* item) const;

    JxCObject* GetFirst();
    JxCObject* GetLast();
    JxCObject* GetNext(const JxCObject* item);
    JxCObject* GetPrev(const JxCObject* item);
    JxCObject* GetAt(std::int32_t index) const;

    std::int32_t GetCount() const { return count_; }
    void SetCount(std::int32_t count) { count_ = count; }
    bool IsEmpty() const { return count_ == 0; }
    std::int16_t GetOwnsItems() const { return ownsItems_; }
    void SetOwnsItems(std::int16_t flag) { ownsItems_ = flag; }
    static void SwapItems(JxCListNode* a, JxCListNode* b);

protected:
    JxCListNode* Head() const { return head_; }
    // Unlinks and deletes every node, leaving the items to the caller.
    void DropNodes();

private:
    void Unlink(JxCListNode* node);
    // Deletes an owned item that no node holds any more.
    void Release(JxCObject* item);
    JxCListNode* NodeAt(std::int32_t index) const;

    JxCListNode* head_ = nullptr;
    JxCListNode* tail_ = nullptr;
    std::int32_t count_ = 0;
    std::int16_t ownsItems_ = 1;
    JxCListNode* cursor_ = nullptr;
};

// A list whose items are all of type T (T derives from JxCObject); the typed
// operations only cast.
template <class T>
class JxCTypedList : public JxCList {
public:
    std::int16_t Add(T* item) { return JxCList::Add(item); }
    std::int16_t Remove(T* item) { return JxCList::Remove(item); }
    T* GetFirst() { return static_cast<T*>(JxCList::GetFirst()); }
    T* GetLast() { return static_cast<T*>(JxCList::GetLast()); }
    T* GetNext(const T* item) { return static_cast<T*>(JxCList::GetNext(item)); }
    T* GetPrev(const T* item) { return static_cast<T*>(JxCList::GetPrev(item)); }
    T* GetAt(std::int32_t index) const { return static_cast<T*>(JxCList::GetAt(index)); }
};
