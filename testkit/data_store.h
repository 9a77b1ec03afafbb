#pragma once
// Writer of packed data stores: the items' bytes, then the index of named
// items, then the index's offset in the last four bytes (big-endian).
//
//   testkit::DataStore store;
//   store.item("PICS\\INTRO.ANI", bytes).item("TITLE.DIB", other);
//   std::vector<std::uint8_t> file = store.Bytes();
//
// The index is sorted by name without regard to case unless unsorted() is
// asked for; names may be given as full paths and are written as given.
// Damaged stores come from the knobs below or from cutting Bytes().

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace testkit {

class DataStore {
public:
    struct Item {
        std::string name;
        std::vector<std::uint8_t> data;
        std::uint32_t a = 0, b = 0;
        // Written instead of the real size or offset when set.
        std::optional<std::uint32_t> size, offset;
    };

    DataStore& item(std::string name, std::vector<std::uint8_t> data);
    DataStore& item(std::string name, const std::string& text);
    DataStore& item(Item item);
    // The entries in the order they were added.
    DataStore& unsorted();
    // The entry count written instead of the real one.
    DataStore& claimCount(std::int16_t count);
    // The index offset written in the trailer instead of the real one.
    DataStore& claimIndexOffset(std::uint32_t offset);

    std::vector<std::uint8_t> Bytes() const;
    // Bytes() cut to its first n bytes.
    std::vector<std::uint8_t> Truncated(std::size_t n) const;
    // The offset at which the index starts in Bytes().
    std::uint32_t IndexOffset() const;

private:
    std::vector<Item> items_;
    bool sorted_ = true;
    std::optional<std::int16_t> count_;
    std::optional<std::uint32_t> indexOffset_;
};

// Compares names as the store's look-up does: A to Z without case, other
// bytes by value.
int CompareStoreNames(const std::string& a, const std::string& b);

}  // namespace testkit
