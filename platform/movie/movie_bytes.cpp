#include "platform/movie/movie_bytes.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace plat {

namespace {

std::int64_t seekWithin(std::int64_t position, std::int64_t size, std::int64_t offset, int whence)
{
    std::int64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? position : size;
    if (whence != SEEK_SET && whence != SEEK_CUR && whence != SEEK_END)
        return -1;
    if ((offset > 0 && base > INT64_MAX - offset) || base + offset < 0)
        return -1;
    return base + offset;
}

class HostFileBytes final : public MovieBytes {
public:
    HostFileBytes(std::string path, std::FILE* file, std::int64_t size)
        : path_(std::move(path)), file_(file), size_(size)
    {
    }
    ~HostFileBytes() override { std::fclose(file_); }

    int read(std::uint8_t* buffer, int size) override
    {
        std::size_t n = std::fread(buffer, 1, std::size_t(size), file_);
        if (n == 0 && std::ferror(file_))
            return -1;
        return int(n);
    }
    std::int64_t seek(std::int64_t offset, int whence) override
    {
        std::int64_t target = seekWithin(ftello(file_), size_, offset, whence);
        if (target < 0 || fseeko(file_, off_t(target), SEEK_SET) != 0)
            return -1;
        return target;
    }
    std::int64_t size() const override { return size_; }
    std::unique_ptr<MovieBytes> reopen() const override { return OpenHostFileBytes(path_); }

private:
    std::string path_;
    std::FILE* file_;
    std::int64_t size_;
};

class MemoryMovieBytes final : public MovieBytes {
public:
    explicit MemoryMovieBytes(std::shared_ptr<const std::vector<std::uint8_t>> bytes)
        : bytes_(std::move(bytes))
    {
    }
    int read(std::uint8_t* buffer, int size) override
    {
        const std::int64_t left = std::int64_t(bytes_->size()) - position_;
        const int n = int(std::min<std::int64_t>(left, size));
        if (n <= 0)
            return 0;
        std::memcpy(buffer, bytes_->data() + position_, std::size_t(n));
        position_ += n;
        return n;
    }
    std::int64_t seek(std::int64_t offset, int whence) override
    {
        std::int64_t target = seekWithin(position_, size(), offset, whence);
        if (target < 0 || target > size())
            return -1;
        return position_ = target;
    }
    std::int64_t size() const override { return std::int64_t(bytes_->size()); }
    std::unique_ptr<MovieBytes> reopen() const override { return MemoryBytes(bytes_); }

private:
    std::shared_ptr<const std::vector<std::uint8_t>> bytes_;
    std::int64_t position_ = 0;
};

}  // namespace

std::unique_ptr<MovieBytes> OpenHostFileBytes(const std::string& hostPath)
{
    std::FILE* file = std::fopen(hostPath.c_str(), "rb");
    if (!file)
        return nullptr;
    std::int64_t size = -1;
    if (fseeko(file, 0, SEEK_END) == 0)
        size = ftello(file);
    if (size < 0 || fseeko(file, 0, SEEK_SET) != 0) {
        std::fclose(file);
        return nullptr;
    }
    return std::make_unique<HostFileBytes>(hostPath, file, size);
}

std::unique_ptr<MovieBytes> MemoryBytes(std::shared_ptr<const std::vector<std::uint8_t>> bytes)
{
    return std::make_unique<MemoryMovieBytes>(std::move(bytes));
}

}  // namespace plat
