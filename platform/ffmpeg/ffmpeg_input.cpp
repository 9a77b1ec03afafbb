#include "platform/movie/ffmpeg_input.h"

#include <cstdio>
#include <cstring>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/mem.h>
}

namespace plat {

namespace {

constexpr int kIoBufferSize = 32768;
// The containers a movie may come in; the rest of FFmpeg's formats (and
// its network and playlist readers) stay out of reach of a title's files.
constexpr const char* kContainers = "mov,avi";

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

int readPacket(void* opaque, std::uint8_t* buffer, int size)
{
    int n = static_cast<MovieBytes*>(opaque)->read(buffer, size);
    return n > 0 ? n : n == 0 ? AVERROR_EOF : AVERROR(EIO);
}

std::int64_t seekBytes(void* opaque, std::int64_t offset, int whence)
{
    auto* bytes = static_cast<MovieBytes*>(opaque);
    if (whence & AVSEEK_SIZE)
        return bytes->size();
    std::int64_t r = bytes->seek(offset, whence & ~AVSEEK_FORCE);
    return r >= 0 ? r : AVERROR(EINVAL);
}

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

std::unique_ptr<Demuxer> Demuxer::open(std::unique_ptr<MovieBytes> bytes)
{
    if (!bytes)
        return nullptr;
    std::unique_ptr<Demuxer> d(new Demuxer);
    d->bytes_ = std::move(bytes);
    auto* buffer = static_cast<unsigned char*>(av_malloc(kIoBufferSize));
    if (!buffer)
        return nullptr;
    d->io_ = avio_alloc_context(buffer, kIoBufferSize, 0, d->bytes_.get(), readPacket, nullptr, seekBytes);
    if (!d->io_) {
        av_free(buffer);
        return nullptr;
    }
    AVFormatContext* format = avformat_alloc_context();
    if (!format)
        return nullptr;
    format->pb = d->io_;
    format->flags |= AVFMT_FLAG_CUSTOM_IO;
    format->format_whitelist = av_strdup(kContainers);
    // avformat_open_input frees the context when it fails.
    if (avformat_open_input(&format, nullptr, nullptr, nullptr) < 0)
        return nullptr;
    d->format_ = format;
    return d;
}

Demuxer::~Demuxer()
{
    if (format_)
        avformat_close_input(&format_);
    if (io_) {
        av_freep(&io_->buffer);
        avio_context_free(&io_);
    }
}

bool FeedNextPacket(AVFormatContext* format, int stream, AVCodecContext* codec, AVPacket* packet)
{
    if (av_read_frame(format, packet) < 0) {
        avcodec_send_packet(codec, nullptr);
        return false;
    }
    if (packet->stream_index == stream)
        avcodec_send_packet(codec, packet);
    av_packet_unref(packet);
    return true;
}

std::int64_t FrameTime(const AVFrame& frame)
{
    return frame.best_effort_timestamp != AV_NOPTS_VALUE ? frame.best_effort_timestamp : frame.pts;
}

}  // namespace plat
