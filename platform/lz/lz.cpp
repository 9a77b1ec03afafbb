#include "platform/lz/lz.h"

#include <mspack.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>

namespace plat {

namespace {

// The two signatures of the format: the usual one and the older variant.
constexpr std::array<unsigned char, 8> kSignature = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33};
constexpr std::array<unsigned char, 8> kOldSignature = {'S', 'Z', ' ', 0x88, 0xF0, 0x27, 0x33, 0xD1};

// What libmspack reads from and writes to: a plain file handle. The
// decompressor is given the address of one of these as its "file name".
struct Stream {
    HFILE file = HFILE_ERROR;
    long long limit = -1;      // the bytes the file holds (-1: any number)
    long long written = 0;
    bool overrun = false;      // the expansion ran past the limit
    bool opened = false;
};

Stream* streamOf(mspack_file* f) { return reinterpret_cast<Stream*>(f); }

mspack_file* openStream(mspack_system*, const char* name, int mode)
{
    auto* s = reinterpret_cast<Stream*>(const_cast<char*>(name));
    if (!s || s->opened || (mode != MSPACK_SYS_OPEN_READ && mode != MSPACK_SYS_OPEN_WRITE))
        return nullptr;
    s->opened = true;
    return reinterpret_cast<mspack_file*>(s);
}

void closeStream(mspack_file* f) { streamOf(f)->opened = false; }

int readStream(mspack_file* f, void* buffer, int bytes)
{
    if (bytes < 0)
        return -1;
    UINT n = _lread(streamOf(f)->file, buffer, UINT(bytes));
    return n == UINT(HFILE_ERROR) ? -1 : int(n);
}

int writeStream(mspack_file* f, void* buffer, int bytes)
{
    Stream* s = streamOf(f);
    if (bytes < 0)
        return -1;
    // More bytes than the header gives: the header or the data is damaged,
    // and the expansion stops here.
    if (s->limit >= 0 && bytes > s->limit - s->written) {
        s->overrun = true;
        return -1;
    }
    if (bytes > 0 && _lwrite(s->file, static_cast<const char*>(buffer), UINT(bytes)) != UINT(bytes))
        return -1;
    s->written += bytes;
    return bytes;
}

int seekStream(mspack_file* f, off_t offset, int mode)
{
    int origin = mode == MSPACK_SYS_SEEK_START ? FILE_BEGIN : mode == MSPACK_SYS_SEEK_CUR ? FILE_CURRENT : FILE_END;
    if (offset < -0x7FFFFFFF || offset > 0x7FFFFFFF)
        return -1;
    return _llseek(streamOf(f)->file, LONG(offset), origin) == HFILE_ERROR ? -1 : 0;
}

off_t tellStream(mspack_file* f) { return _llseek(streamOf(f)->file, 0, FILE_CURRENT); }

void messageStream(mspack_file*, const char*, ...) {}

void* allocMemory(mspack_system*, size_t bytes) { return std::malloc(bytes); }
void freeMemory(void* p) { std::free(p); }
void copyMemory(void* src, void* dest, size_t bytes) { std::memmove(dest, src, bytes); }

mspack_system& system()
{
    static mspack_system s{&openStream, &closeStream, &readStream,   &writeStream, &seekStream, &tellStream,
                           &messageStream, &allocMemory, &freeMemory, &copyMemory, nullptr};
    return s;
}

struct DecompressorDeleter {
    void operator()(msszdd_decompressor* d) const { mspack_destroy_szdd_decompressor(d); }
};
using Decompressor = std::unique_ptr<msszdd_decompressor, DecompressorDeleter>;

// One compressed file open for reading: its handle, the stream the
// decompressor reads and the header it found.
struct LzFile {
    Stream source;
    Decompressor decompressor;
    msszddd_header* header = nullptr;

    ~LzFile()
    {
        if (header)
            decompressor->close(decompressor.get(), header);
        if (source.file != HFILE_ERROR)
            _lclose(source.file);
    }
};

struct LzTable {
    std::mutex mutex;
    std::array<std::unique_ptr<LzFile>, kMaxLzFiles> files;
};

LzTable& table()
{
    static LzTable t;
    return t;
}

bool isLzHandle(int h) { return h >= kLzHandleBase && h < kLzHandleBase + kMaxLzFiles; }

bool hasSignature(HFILE file)
{
    std::array<unsigned char, 8> head{};
    UINT n = _lread(file, head.data(), UINT(head.size()));
    _llseek(file, 0, FILE_BEGIN);
    return n == head.size() && (head == kSignature || head == kOldSignature);
}

LONG copyPlain(HFILE source, HFILE dest)
{
    std::array<char, 16384> buffer;
    LONG total = 0;
    for (;;) {
        UINT n = _lread(source, buffer.data(), UINT(buffer.size()));
        if (n == UINT(HFILE_ERROR))
            return LZERROR_READ;
        if (n == 0)
            return total;
        if (_lwrite(dest, buffer.data(), n) != n)
            return LZERROR_WRITE;
        if (total > 0x7FFFFFFF - LONG(n))
            return LZERROR_WRITE;  // past what the result can count
        total += LONG(n);
    }
}

LONG expand(LzFile& lz, HFILE dest)
{
    Stream out;
    out.file = dest;
    out.limit = lz.header->length;
    int err = lz.decompressor->extract(lz.decompressor.get(), lz.header, reinterpret_cast<const char*>(&out));
    if (out.overrun)
        return LZERROR_READ;
    switch (err) {
    case MSPACK_ERR_OK:
        break;
    case MSPACK_ERR_WRITE:
        return LZERROR_WRITE;
    case MSPACK_ERR_NOMEMORY:
        return LZERROR_GLOBALLOC;
    default:
        return LZERROR_READ;
    }
    // An expansion that stops short of the length its header gives is a
    // damaged or cut file, never a shorter copy; one that runs past it was
    // stopped above.
    if (out.written < lz.header->length || out.written > 0x7FFFFFFF)
        return LZERROR_READ;
    return LONG(out.written);
}

}  // namespace

int LZOpenFileA(const char* fileName, OFSTRUCT* info, WORD style)
{
    HFILE file = OpenFile(fileName, info, style);
    if (file == HFILE_ERROR)
        return LZERROR_BADINHANDLE;
    if ((style & (OF_CREATE | OF_WRITE | OF_READWRITE)) || !hasSignature(file))
        return file;
    auto lz = std::make_unique<LzFile>();
    lz->source.file = file;
    lz->decompressor.reset(mspack_create_szdd_decompressor(&system()));
    if (!lz->decompressor)
        return LZERROR_GLOBALLOC;
    lz->header = lz->decompressor->open(lz->decompressor.get(), reinterpret_cast<const char*>(&lz->source));
    if (!lz->header || lz->header->length < 0) {
        int err = lz->decompressor->last_error(lz->decompressor.get());
        return err == MSPACK_ERR_NOMEMORY ? LZERROR_GLOBALLOC : LZERROR_READ;
    }
    std::lock_guard lock(table().mutex);
    auto& files = table().files;
    auto free = std::find(files.begin(), files.end(), nullptr);
    if (free == files.end())
        return LZERROR_GLOBALLOC;
    *free = std::move(lz);
    return kLzHandleBase + int(free - files.begin());
}

LONG LZCopy(int source, int dest)
{
    if (dest < 0 || isLzHandle(dest) || GetFileSize(dest, nullptr) == INVALID_FILE_SIZE)
        return LZERROR_BADOUTHANDLE;
    if (!isLzHandle(source)) {
        if (source < 0 || GetFileSize(source, nullptr) == INVALID_FILE_SIZE)
            return LZERROR_BADINHANDLE;
        return copyPlain(source, dest);
    }
    LzFile* lz = nullptr;
    {
        std::lock_guard lock(table().mutex);
        lz = table().files[std::size_t(source - kLzHandleBase)].get();
    }
    if (!lz)
        return LZERROR_BADINHANDLE;
    return expand(*lz, dest);
}

void LZClose(int file)
{
    if (!isLzHandle(file)) {
        if (file >= 0)
            _lclose(file);
        return;
    }
    std::unique_ptr<LzFile> lz;
    {
        std::lock_guard lock(table().mutex);
        lz = std::move(table().files[std::size_t(file - kLzHandleBase)]);
    }
}

}  // namespace plat
