#include "runtime/JxCKeyedTable.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "foundation/JxErrorHook.h"

namespace {

constexpr std::int32_t kRedefinitionId = 1161;  // "Redefinition of keyword '%s'"

bool nameLess(std::string_view a, std::string_view b)
{
    return a < b;
}

}  // namespace

JxCKeyedTable::JxCKeyedTable(JxCTypeHandler* handler) : handler_(handler) {}

JxCKeyedTable::~JxCKeyedTable()
{
    for (Entry& entry : entries_) {
        if (entry.references > 0)
            releaseEntry(entry);
    }
}

void JxCKeyedTable::Add(const JxCTableString& name, JxTypeValue value, std::int32_t* backPointer)
{
    if (GetCount() == capacity_) {
        capacity_ += kGrowth;
        entries_.reserve(static_cast<std::size_t>(capacity_));
    }
    Entry entry;
    entry.name = name;
    entry.references = 1;
    entry.value = value;
    if (backPointer) {
        *backPointer = GetCount();
        entry.backPointers.push_back(backPointer);
    }
    entries_.push_back(std::move(entry));
    unsorted_ = true;
}

std::int32_t JxCKeyedTable::Find(const JxCTableString& name)
{
    if (unsorted_)
        Sort();
    const auto sought = name.View();
    auto it = std::lower_bound(entries_.begin(), entries_.end(), sought,
                               [](const Entry& e, std::string_view n) { return nameLess(e.name.View(), n); });
    if (it == entries_.end() || it->name.View() != sought)
        return -1;
    return static_cast<std::int32_t>(it - entries_.begin());
}

std::int32_t JxCKeyedTable::FindLive(const JxCTableString& name)
{
    const std::int32_t index = Find(name);
    return index >= 0 && entries_[static_cast<std::size_t>(index)].references > 0 ? index : -1;
}

JxTypeValue JxCKeyedTable::GetValueByName(const JxCTableString& name)
{
    return GetValueByIndex(FindLive(name));
}

JxTypeValue JxCKeyedTable::GetValueByIndex(std::int32_t index) const
{
    if (!inRange(index))
        return 0;
    const Entry& entry = entries_[static_cast<std::size_t>(index)];
    return entry.references > 0 ? entry.value : 0;
}

JxCString JxCKeyedTable::GetName(std::int32_t index) const
{
    if (!inRange(index))
        return JxCString();
    return entries_[static_cast<std::size_t>(index)].name;
}

void JxCKeyedTable::ReleaseByName(const JxCTableString& name)
{
    ReleaseByIndex(Find(name));
}

void JxCKeyedTable::ReleaseByIndex(std::int32_t index)
{
    if (!inRange(index))
        return;
    Entry& entry = entries_[static_cast<std::size_t>(index)];
    if (entry.references <= 0)
        return;
    if (--entry.references > 0)
        return;
    releaseEntry(entry);
    ++released_;
    if (released_ == GetCount()) {
        // Nothing live is left: the block goes; the handler and flags stay.
        std::vector<Entry>().swap(entries_);
        capacity_ = 0;
        released_ = 0;
    }
}

void JxCKeyedTable::ClearBackPointer(std::int32_t index, const std::int32_t* backPointer)
{
    if (!inRange(index))
        return;
    std::erase(entries_[static_cast<std::size_t>(index)].backPointers, backPointer);
}

void JxCKeyedTable::Sort()
{
    dropReleasedEntries();
    unsorted_ = false;
    if (GetCount() < 2) {
        storeIndexes();
        return;
    }
    // Stable, so that of several registrations under one name the first
    // one made is the one that stays.
    std::stable_sort(entries_.begin(), entries_.end(),
                     [](const Entry& a, const Entry& b) { return nameLess(a.name.View(), b.name.View()); });
    mergeEqualNames();
    storeIndexes();
}

void JxCKeyedTable::Freeze()
{
    if (unsorted_)
        Sort();
    frozen_ = true;
}

void JxCKeyedTable::destroyValue(JxTypeValue value)
{
    if (handler_)
        handler_->Destroy(value);
}

bool JxCKeyedTable::valuesDiffer(JxTypeValue a, JxTypeValue b)
{
    return handler_ ? handler_->Differs(a, b) != 0 : a != b;
}

void JxCKeyedTable::releaseEntry(Entry& entry)
{
    destroyValue(entry.value);
    entry.value = 0;
    entry.references = 0;
    for (std::int32_t* key : entry.backPointers)
        *key = -1;
    entry.backPointers.clear();
}

void JxCKeyedTable::dropReleasedEntries()
{
    std::erase_if(entries_, [](const Entry& e) { return e.references <= 0; });
    released_ = 0;
}

void JxCKeyedTable::mergeEqualNames()
{
    std::vector<Entry> merged;
    merged.reserve(static_cast<std::size_t>(capacity_));
    for (Entry& entry : entries_) {
        if (merged.empty() || merged.back().name.View() != entry.name.View()) {
            merged.push_back(std::move(entry));
            continue;
        }
        Entry& kept = merged.back();
        if (valuesDiffer(kept.value, entry.value))
            ReportError(kRedefinitionId, kept.name);
        kept.references += entry.references;
        if (entry.value != kept.value)
            destroyValue(entry.value);
        kept.backPointers.insert(kept.backPointers.end(), entry.backPointers.begin(), entry.backPointers.end());
    }
    entries_ = std::move(merged);
}

void JxCKeyedTable::storeIndexes()
{
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        for (std::int32_t* key : entries_[i].backPointers)
            *key = static_cast<std::int32_t>(i);
    }
}
