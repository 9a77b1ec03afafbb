#include "testkit/data_store.h"

#include <algorithm>

#include "testkit/big_endian.h"

namespace testkit {

namespace {

unsigned char fold(unsigned char c)
{
    return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c;
}

}  // namespace

int CompareStoreNames(const std::string& a, const std::string& b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int d = int(fold(std::uint8_t(a[i]))) - int(fold(std::uint8_t(b[i])));
        if (d != 0)
            return d;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

DataStore& DataStore::item(std::string name, std::vector<std::uint8_t> data)
{
    Item i;
    i.name = std::move(name);
    i.data = std::move(data);
    return item(std::move(i));
}

DataStore& DataStore::item(std::string name, const std::string& text)
{
    return item(std::move(name), std::vector<std::uint8_t>(text.begin(), text.end()));
}

DataStore& DataStore::item(Item i)
{
    items_.push_back(std::move(i));
    return *this;
}

DataStore& DataStore::unsorted()
{
    sorted_ = false;
    return *this;
}

DataStore& DataStore::claimCount(std::int16_t count)
{
    count_ = count;
    return *this;
}

DataStore& DataStore::claimIndexOffset(std::uint32_t offset)
{
    indexOffset_ = offset;
    return *this;
}

std::uint32_t DataStore::IndexOffset() const
{
    std::size_t n = 0;
    for (const Item& i : items_)
        n += i.data.size();
    return std::uint32_t(n);
}

std::vector<std::uint8_t> DataStore::Bytes() const
{
    std::vector<std::uint8_t> out;
    std::vector<std::uint32_t> offsets;
    for (const Item& i : items_) {
        offsets.push_back(std::uint32_t(out.size()));
        out.insert(out.end(), i.data.begin(), i.data.end());
    }
    std::vector<std::size_t> order(items_.size());
    for (std::size_t k = 0; k < order.size(); ++k)
        order[k] = k;
    if (sorted_)
        std::stable_sort(order.begin(), order.end(), [this](std::size_t x, std::size_t y) {
            return CompareStoreNames(items_[x].name, items_[y].name) < 0;
        });
    const std::uint32_t index = std::uint32_t(out.size());
    PutBigEndian16(out, std::uint16_t(count_.value_or(std::int16_t(items_.size()))));
    for (std::size_t k : order) {
        const Item& i = items_[k];
        PutBigEndian16(out, std::uint16_t(i.name.size()));
        out.insert(out.end(), i.name.begin(), i.name.end());
        PutBigEndian32(out, i.a);
        PutBigEndian32(out, i.b);
        PutBigEndian32(out, i.size.value_or(std::uint32_t(i.data.size())));
        PutBigEndian32(out, i.offset.value_or(offsets[k]));
    }
    PutBigEndian32(out, indexOffset_.value_or(index));
    return out;
}

std::vector<std::uint8_t> DataStore::Truncated(std::size_t n) const
{
    std::vector<std::uint8_t> out = Bytes();
    out.resize(std::min(n, out.size()));
    return out;
}

}  // namespace testkit
