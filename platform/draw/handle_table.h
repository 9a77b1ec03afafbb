#pragma once
// The tables that turn the handles of drawing objects and device contexts
// into the objects, and refuse handles that outlived them. Internal to draw.
//
// A handle is a slot of the table and the slot's generation at the time the
// object was entered: (generation << kIndexBits) | (slot + 1). Removing an
// object moves its slot to the next generation, so an old handle to the slot
// never names the object that reuses it. Generations start at 1, so no
// handle is a small number (those stay free for sentinels such as the grey
// caret's bitmap).

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

namespace plat {

template <class Object>
class HandleTable {
public:
    // The object's handle; 0 when the table is full.
    std::uintptr_t add(Object* object)
    {
        std::lock_guard lock(mutex_);
        std::size_t index;
        if (!free_.empty()) {
            index = free_.back();
            free_.pop_back();
        } else if (slots_.size() < kIndexMask) {
            index = slots_.size();
            slots_.emplace_back();
        } else {
            return 0;
        }
        Slot& slot = slots_[index];
        slot.object = object;
        return slot.generation << kIndexBits | (index + 1);
    }

    // The live object a handle names; null for a stale or foreign one.
    Object* find(std::uintptr_t handle) const
    {
        std::lock_guard lock(mutex_);
        const std::uintptr_t index = handle & kIndexMask;
        if (index == 0 || index > slots_.size())
            return nullptr;
        const Slot& slot = slots_[index - 1];
        return slot.generation == handle >> kIndexBits ? slot.object : nullptr;
    }

    // Forgets the object a live handle names.
    void remove(std::uintptr_t handle)
    {
        std::lock_guard lock(mutex_);
        const std::uintptr_t index = handle & kIndexMask;
        if (index == 0 || index > slots_.size() || slots_[index - 1].generation != handle >> kIndexBits)
            return;
        Slot& slot = slots_[index - 1];
        slot.object = nullptr;
        // A slot whose generations are used up is never handed out again.
        if (slot.generation < kLastGeneration) {
            ++slot.generation;
            free_.push_back(index - 1);
        }
    }

private:
    static constexpr unsigned kIndexBits = 24;
    static constexpr std::uintptr_t kIndexMask = (std::uintptr_t(1) << kIndexBits) - 1;
    static constexpr std::uintptr_t kLastGeneration = ~std::uintptr_t(0) >> kIndexBits;

    struct Slot {
        Object* object = nullptr;
        std::uintptr_t generation = 1;
    };

    mutable std::mutex mutex_;
    std::vector<Slot> slots_;
    std::vector<std::size_t> free_;  // slots to reuse, the latest freed last
};

}  // namespace plat
