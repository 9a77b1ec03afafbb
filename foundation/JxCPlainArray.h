#pragma once
// The plain growable arrays of pointers: one block of element slots that
// grows while a table is read, by a step that doubles after log2(step)
// growths, so long tables need few reallocations and small ones stay small.
// JxCPlainArray<T> is the shared core; the concrete arrays differ only in the
// element type and in their binary form.
//
// An array that owns its elements (SetOwnsElements) deletes them in
// RemoveAll, in its destructor and when SetSize drops them; elements are
// allocated with new.

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

#include "foundation/JxCObject.h"

template <class T>
class JxCPlainArray : public JxCObject {
public:
    // Passed as the step of SetSize: grow by the automatic doubling rule.
    static constexpr int kAutoGrow = 65535;

    JxCPlainArray() = default;
    JxCPlainArray(std::uint32_t n, int step)
    {
        if (n > 0) {
            data_ = Allocate(n);
            capacity_ = data_ ? n : 0;
        }
        SetGrowBy(step);
    }
    JxCPlainArray(const JxCPlainArray&) = delete;
    JxCPlainArray& operator=(const JxCPlainArray&) = delete;
    ~JxCPlainArray() override { RemoveAll(); }

    // Makes room for n elements; see the growth rule above. n below the count
    // drops the elements from n on (deleted when the array owns them).
    void SetSize(std::uint32_t n, int step)
    {
        // An automatic growth uses the step in force, then counts towards the
        // next doubling.
        if (step != kAutoGrow)
            SetGrowBy(step);
        const int stepNow = growBy_;
        if (step == kAutoGrow)
            StepAutomatically();
        if (n == 0) {
            RemoveAll();
            return;
        }
        if (!data_) {
            // The first growth of an array filled by Add already takes a
            // whole step, as every later one does.
            const std::uint32_t want = step == kAutoGrow ? GrownCapacity(0, n, stepNow) : n;
            data_ = Allocate(want);
            capacity_ = data_ ? want : 0;
            count_ = 0;
            return;
        }
        if (n > capacity_) {
            const std::uint32_t want = GrownCapacity(capacity_, n, stepNow);
            std::unique_ptr<T*[]> block = Allocate(want);
            if (!block)
                return;
            std::copy_n(data_.get(), count_, block.get());
            data_ = std::move(block);
            capacity_ = want;
            return;
        }
        if (n < count_)
            DropFrom(n);
        std::fill(data_.get() + count_, data_.get() + n, nullptr);
        capacity_ = n;
    }

    // The index of the new element, or -1 when the array cannot grow.
    std::int32_t Add(T* element)
    {
        if (count_ == capacity_) {
            SetSize(count_ + 1, kAutoGrow);
            if (count_ == capacity_)
                return -1;
        }
        data_[count_] = element;
        return std::int32_t(count_++);
    }

    // Element i; callers keep i below the count.
    T* GetAt(std::uint32_t i) const
    {
        assert(i < count_);
        return data_[i];
    }
    std::uint32_t GetCount() const { return count_; }
    std::uint32_t GetCapacity() const { return capacity_; }

    // Removes n elements from i on (without deleting them); nothing when the
    // range runs past the count. Always 1.
    std::int16_t RemoveAt(std::uint32_t i, std::uint32_t n)
    {
        if (i <= count_ && n <= count_ - i) {
            std::copy(data_.get() + i + n, data_.get() + count_, data_.get() + i);
            count_ -= n;
        }
        return 1;
    }

    // Trims the block to exactly the count (no block when empty).
    void FreeExtra()
    {
        if (count_ == capacity_)
            return;
        if (count_ == 0) {
            data_.reset();
            capacity_ = 0;
            return;
        }
        std::unique_ptr<T*[]> block = Allocate(count_);
        if (!block)
            return;
        std::copy_n(data_.get(), count_, block.get());
        data_ = std::move(block);
        capacity_ = count_;
    }

    void RemoveAll()
    {
        if (ownsElements_)
            DropFrom(0);
        data_.reset();
        capacity_ = 0;
        count_ = 0;
    }

    void SetOwnsElements() { ownsElements_ = 1; }
    std::int16_t GetOwnsElements() const { return ownsElements_; }
    std::int16_t GetGrowBy() const { return growBy_; }

protected:
    T* const* Slots() const { return data_.get(); }

private:
    static std::unique_ptr<T*[]> Allocate(std::uint32_t n)
    {
        return std::unique_ptr<T*[]>(new (std::nothrow) T*[n]());
    }

    static std::uint32_t GrownCapacity(std::uint32_t capacity, std::uint32_t n, int step)
    {
        const std::uint64_t stepped = std::uint64_t(capacity) + std::uint64_t(std::max(step, 0));
        return n < stepped ? std::uint32_t(std::min<std::uint64_t>(stepped, UINT32_MAX)) : n;
    }

    void SetGrowBy(int step)
    {
        if (step == growBy_)
            return;
        growBy_ = std::int16_t(step);
        growShift_ = 0;
        for (int s = growBy_; s > 1; s /= 2)
            ++growShift_;
        growCountdown_ = growShift_;
    }

    // After log2(step) automatic growths the step doubles, while it fits in
    // 16 signed bits.
    void StepAutomatically()
    {
        if (--growCountdown_ >= 1)
            return;
        if (growBy_ <= INT16_MAX / 2) {
            growBy_ = std::int16_t(growBy_ * 2);
            ++growShift_;
        }
        growCountdown_ = growShift_;
    }

    // Forgets the elements from n on, deleting them when they are owned.
    void DropFrom(std::uint32_t n)
    {
        for (std::uint32_t i = n; i < count_; ++i) {
            if (ownsElements_)
                delete data_[i];
            data_[i] = nullptr;
        }
        count_ = std::min(count_, n);
    }

    std::unique_ptr<T*[]> data_;
    std::uint32_t capacity_ = 0;
    std::uint32_t count_ = 0;
    std::int16_t ownsElements_ = 0;
    std::int16_t growBy_ = 16;
    std::int16_t growShift_ = 4;
    std::int16_t growCountdown_ = 4;
};
