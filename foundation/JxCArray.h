#pragma once
// The template form of the growable array: a contiguous block of values of
// one type. New slots hold value-initialised elements (zero for numbers, the
// origin for points and rectangles). With the growth step 0, every growth
// reallocates to exactly the new size; with a step s, a growth past the
// capacity takes s more slots when that is enough.

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <memory>
#include <new>

#include "foundation/JxCObject.h"

template <class T>
class JxCArray : public JxCObject {
public:
    JxCArray() = default;
    JxCArray(const JxCArray& other) : JxCObject(other) { CopyFrom(other); }
    JxCArray& operator=(const JxCArray& other)
    {
        if (this != &other) {
            JxCObject::operator=(other);
            SetSize(0);
            CopyFrom(other);
        }
        return *this;
    }

    std::int32_t GetSize() const { return size_; }
    std::int32_t GetCapacity() const { return capacity_; }
    std::int32_t GetGrowBy() const { return growBy_; }

    // Element i; callers keep i inside 0 ... size - 1.
    const T& GetAt(std::int32_t i) const
    {
        assert(i >= 0 && i < size_);
        return data_[i];
    }
    T& GetAt(std::int32_t i)
    {
        assert(i >= 0 && i < size_);
        return data_[i];
    }

    // growBy -1 keeps the stored step. A size of 0 or less frees the block.
    // Returns false, changing nothing, when a larger block cannot be had.
    bool SetSize(std::int32_t newSize, std::int32_t growBy = -1)
    {
        if (growBy != -1)
            growBy_ = growBy;
        if (newSize <= 0) {
            data_.reset();
            size_ = capacity_ = 0;
            return true;
        }
        if (!data_) {
            data_ = Allocate(newSize);
            if (!data_)
                return false;
            size_ = capacity_ = newSize;
            return true;
        }
        if (newSize > capacity_) {
            const std::int64_t stepped = std::int64_t(capacity_) + std::max<std::int32_t>(growBy_, 0);
            const std::int32_t want = newSize < stepped ? std::int32_t(std::min<std::int64_t>(stepped, INT32_MAX)) : newSize;
            std::unique_ptr<T[]> block = Allocate(want);
            if (!block)
                return false;
            std::copy_n(data_.get(), size_, block.get());
            data_ = std::move(block);
            capacity_ = want;
            size_ = newSize;
            return true;
        }
        if (newSize > size_)
            std::fill(data_.get() + size_, data_.get() + newSize, T());
        size_ = newSize;
        return true;
    }

    // Shrinks the block to exactly the size (no block when empty).
    void FreeExtra()
    {
        if (size_ == capacity_)
            return;
        if (size_ == 0) {
            data_.reset();
            capacity_ = 0;
            return;
        }
        std::unique_ptr<T[]> block = Allocate(size_);
        if (!block)
            return;
        std::copy_n(data_.get(), size_, block.get());
        data_ = std::move(block);
        capacity_ = size_;
    }

    void SetAtGrow(std::int32_t i, const T& value)
    {
        if (i < 0)
            return;
        if (i >= size_ && !SetSize(i + 1))
            return;
        data_[i] = value;
    }

    // Inserts count copies of value at i; an index past the end grows the
    // array so that the copies end at i + count.
    void InsertAt(std::int32_t i, const T& value, std::int32_t count = 1)
    {
        if (i < 0 || count <= 0)
            return;
        const std::int32_t oldSize = size_;
        if (i < oldSize) {
            if (!SetSize(oldSize + count))
                return;
            std::move_backward(data_.get() + i, data_.get() + oldSize, data_.get() + oldSize + count);
        } else if (!SetSize(i + count)) {
            return;
        }
        std::fill(data_.get() + i, data_.get() + i + count, value);
    }

    // Removes count elements from i on; nothing when the range leaves the array.
    void RemoveAt(std::int32_t i, std::int32_t count = 1)
    {
        if (i < 0 || count < 0 || i > size_ || count > size_ - i)
            return;
        std::move(data_.get() + i + count, data_.get() + size_, data_.get() + i);
        std::fill(data_.get() + size_ - count, data_.get() + size_, T());
        size_ -= count;
    }

    // The binary form: a 16-bit big-endian count, then the elements
    // (ReadArray in foundation/JxArrayStreamForms.h, which callers include).
    template <class Stream>
    bool Read(Stream& in)
    {
        return ReadArray(in, *this);
    }

    // Same size and equal elements, compared from the last to the first.
    bool operator==(const JxCArray& other) const
    {
        if (size_ != other.size_)
            return false;
        for (std::int32_t i = size_; i-- > 0;)
            if (!(data_[i] == other.data_[i]))
                return false;
        return true;
    }

private:
    static std::unique_ptr<T[]> Allocate(std::int32_t n)
    {
        return std::unique_ptr<T[]>(new (std::nothrow) T[std::size_t(n)]());
    }

    // Into an empty array: a block of exactly the other's size.
    void CopyFrom(const JxCArray& other)
    {
        if (other.size_ == 0)
            return;
        data_ = Allocate(other.size_);
        if (!data_)
            return;
        std::copy_n(other.data_.get(), other.size_, data_.get());
        size_ = capacity_ = other.size_;
    }

    std::unique_ptr<T[]> data_;
    std::int32_t size_ = 0;
    std::int32_t capacity_ = 0;
    std::int32_t growBy_ = 0;
};
