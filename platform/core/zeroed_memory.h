#pragma once
// Blocks that come zeroed from the system. A large block is fresh pages,
// which the kernel clears as each is first touched: asking the allocator
// for zeroed memory (calloc) costs nothing more there, while clearing it
// again ourselves would touch every page at once.

#include <cstddef>
#include <cstdlib>
#include <memory>
#include <new>
#include <type_traits>

namespace plat {

struct FreeDeleter {
    void operator()(void* block) const noexcept { std::free(block); }
};

template <class T>
using ZeroedArray = std::unique_ptr<T[], FreeDeleter>;

// count zeroed elements; std::bad_alloc when there is no memory.
template <class T>
ZeroedArray<T> MakeZeroedArray(std::size_t count)
{
    static_assert(std::is_trivial_v<T>, "zeroed bytes are a value only of trivial types");
    void* block = std::calloc(count ? count : 1, sizeof(T));
    if (!block)
        throw std::bad_alloc();
    return ZeroedArray<T>(static_cast<T*>(block));
}

}  // namespace plat
