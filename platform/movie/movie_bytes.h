#pragma once
// The bytes a movie is read from: a host file or a block in memory, each
// reader with a position of its own.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace plat {

class MovieBytes {
public:
    virtual ~MovieBytes() = default;
    // Bytes read into `buffer` (0 at the end, negative on an error).
    virtual int read(std::uint8_t* buffer, int size) = 0;
    // The new position, or negative when it cannot be reached.
    virtual std::int64_t seek(std::int64_t offset, int whence) = 0;
    virtual std::int64_t size() const = 0;
    // The same bytes with a position of their own; null when they cannot
    // be opened again.
    virtual std::unique_ptr<MovieBytes> reopen() const = 0;
};

// Null when the file cannot be opened for reading.
std::unique_ptr<MovieBytes> OpenHostFileBytes(const std::string& hostPath);
std::unique_ptr<MovieBytes> MemoryBytes(std::shared_ptr<const std::vector<std::uint8_t>> bytes);

}  // namespace plat
