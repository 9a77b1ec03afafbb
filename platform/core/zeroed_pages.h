#pragma once
// A large block of fresh anonymous pages, zeroed by the kernel, for a buffer
// that is written whole as soon as it is made (the screen's framebuffer).
// It is laid on huge-page boundaries and offered to the kernel as huge
// pages, so that writing it costs one page fault instead of one per 4 KiB
// page: at start-up those faults were a large share of the program's time.
// Where the kernel has no huge pages for it, it is plain pages.

#include <cstddef>

namespace plat {

class ZeroedPages {
public:
    ZeroedPages() = default;
    // bytes zeroed bytes (at least one); std::bad_alloc when there is no
    // memory.
    explicit ZeroedPages(std::size_t bytes);
    ~ZeroedPages();
    ZeroedPages(ZeroedPages&& other) noexcept;
    ZeroedPages& operator=(ZeroedPages&& other) noexcept;
    ZeroedPages(const ZeroedPages&) = delete;
    ZeroedPages& operator=(const ZeroedPages&) = delete;

    void* data() const { return data_; }
    std::size_t size() const { return size_; }

private:
    void release() noexcept;

    void* data_ = nullptr;
    std::size_t size_ = 0;  // what was asked for
    std::size_t mapped_ = 0;  // what is mapped from data_
};

}  // namespace plat
