#include "platform/core/zeroed_pages.h"

#include <sys/mman.h>

#include <cstdint>
#include <new>
#include <utility>

namespace plat {

namespace {

constexpr std::size_t kHugePage = std::size_t(2) << 20;

std::size_t roundUp(std::size_t n, std::size_t to)
{
    return (n + to - 1) / to * to;
}

}  // namespace

ZeroedPages::ZeroedPages(std::size_t bytes) : size_(bytes ? bytes : 1)
{
    if (size_ > SIZE_MAX - 2 * kHugePage)
        throw std::bad_alloc();
    // Map one huge page more than needed, then give back the parts before
    // the first huge-page boundary and after the block.
    mapped_ = roundUp(size_, kHugePage);
    const std::size_t slack = mapped_ + kHugePage;
    void* raw = mmap(nullptr, slack, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED)
        throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t aligned = roundUp(start, kHugePage);
    if (aligned > start)
        munmap(raw, aligned - start);
    const std::uintptr_t end = aligned + mapped_;
    if (start + slack > end)
        munmap(reinterpret_cast<void*>(end), start + slack - end);
    data_ = reinterpret_cast<void*>(aligned);
    // Advice only: without huge pages the block is plain pages.
    madvise(data_, mapped_, MADV_HUGEPAGE);
}

ZeroedPages::~ZeroedPages()
{
    release();
}

ZeroedPages::ZeroedPages(ZeroedPages&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)),
      mapped_(std::exchange(other.mapped_, 0))
{
}

ZeroedPages& ZeroedPages::operator=(ZeroedPages&& other) noexcept
{
    if (this != &other) {
        release();
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
        mapped_ = std::exchange(other.mapped_, 0);
    }
    return *this;
}

void ZeroedPages::release() noexcept
{
    if (data_)
        munmap(data_, mapped_);
    data_ = nullptr;
    size_ = mapped_ = 0;
}

}  // namespace plat
