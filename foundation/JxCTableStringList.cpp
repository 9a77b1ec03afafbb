#include "foundation/JxCTableStringList.h"

#include <new>

#include "foundation/JxErrorHook.h"

void JxCTableStringList::Freeze(const JxCTableString* records, std::uint32_t count)
{
    records_ = records;
    recordCount_ = records ? count : 0;
    frozen_ = true;
}

void JxCTableStringList::reportIfFrozen() const
{
    if (frozen_)
        ReportError(kTemporaryErrorId, "JxCTableString::add");
}

bool JxCTableStringList::holds(const JxCBaseString* item, const JxCTableString& text)
{
    return item->GetText() == text.GetText() || item->EqualsNoCase(text);
}

JxCBaseString* JxCTableStringList::add(const JxCTableString& text)
{
    reportIfFrozen();
    auto* copy = new (std::nothrow) JxCBaseString(text);
    if (!copy)
        return nullptr;
    if (!Add(copy)) {
        delete copy;
        return nullptr;
    }
    return copy;
}

std::int16_t JxCTableStringList::Remove(JxCBaseString* item)
{
    reportIfFrozen();
    if (item == lastHandedOut_)
        lastHandedOut_ = nullptr;
    return JxCList::Remove(item);
}

JxCTableString JxCTableStringList::Find(const JxCTableString& text, std::int32_t& index)
{
    reportIfFrozen();
    index = 0;
    for (JxCListNode* n = Head(); n; n = n->next, ++index) {
        auto* item = static_cast<JxCBaseString*>(n->item);
        if (holds(item, text))
            return *item;
    }
    index = -1;
    return JxCTableString();
}

JxCTableString JxCTableStringList::handOut(JxCObject* item)
{
    lastHandedOut_ = static_cast<JxCBaseString*>(item);
    return item ? JxCTableString(*lastHandedOut_) : JxCTableString();
}

JxCTableString JxCTableStringList::GetAt(std::int32_t i)
{
    if (frozen_) {
        if (i < 0 || static_cast<std::uint32_t>(i) >= recordCount_)
            return JxCTableString();
        return records_[i];
    }
    auto* item = static_cast<JxCBaseString*>(JxCList::GetAt(i));
    return item ? JxCTableString(*item) : JxCTableString();
}

JxCTableString JxCTableStringList::GetFirstText()
{
    if (frozen_)
        return recordCount_ ? records_[0] : JxCTableString();
    return handOut(GetFirst());
}

std::int32_t JxCTableStringList::recordIndex(const JxCTableString& text) const
{
    if (recordCount_ == 0)
        return -1;
    // The caller usually hands back a record of the array itself.
    if (&text >= records_ && &text < records_ + recordCount_)
        return static_cast<std::int32_t>(&text - records_);
    for (std::uint32_t i = 0; i < recordCount_; ++i)
        if (records_[i].GetText() == text.GetText())
            return static_cast<std::int32_t>(i);
    for (std::uint32_t i = 0; i < recordCount_; ++i)
        if (records_[i].EqualsNoCase(text))
            return static_cast<std::int32_t>(i);
    return -1;
}

JxCBaseString* JxCTableStringList::itemHolding(const JxCTableString& text, bool last)
{
    // The hint may name an item that has since gone; FindNode compares
    // addresses only, so it is asked before the item is looked at.
    if (lastHandedOut_ && FindNode(lastHandedOut_) && holds(lastHandedOut_, text))
        return lastHandedOut_;
    JxCBaseString* found = nullptr;
    for (JxCListNode* n = Head(); n; n = n->next) {
        auto* item = static_cast<JxCBaseString*>(n->item);
        if (holds(item, text)) {
            found = item;
            if (!last)
                break;
        }
    }
    return found;
}

JxCTableString JxCTableStringList::GetNextText(const JxCTableString& text)
{
    if (frozen_) {
        const std::int32_t k = recordIndex(text);
        if (k < 0 || static_cast<std::uint32_t>(k) + 1 >= recordCount_)
            return JxCTableString();
        return records_[k + 1];
    }
    JxCBaseString* item = itemHolding(text, false);
    return item ? handOut(GetNext(item)) : JxCTableString();
}

JxCTableString JxCTableStringList::GetPrevText(const JxCTableString& text)
{
    if (frozen_) {
        const std::int32_t k = recordIndex(text);
        if (k <= 0)
            return JxCTableString();
        return records_[k - 1];
    }
    JxCBaseString* item = itemHolding(text, true);
    return item ? handOut(GetPrev(item)) : JxCTableString();
}
