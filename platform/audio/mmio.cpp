#include "platform/audio/mmio.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "platform/fs/files.h"

namespace plat {

struct MmioFile {
    HFILE file = HFILE_ERROR;             // a disk file, or
    const std::uint8_t* memory = nullptr;  // a block in memory
    std::uint64_t size = 0;
    std::uint64_t position = 0;

    // Reads exactly count bytes at the position, or fails without moving.
    bool readExact(void* out, std::uint64_t count)
    {
        if (count > size || position > size - count)
            return false;
        if (memory) {
            std::memcpy(out, memory + position, count);
        } else {
            if (_llseek(file, LONG(position), 0) != LONG(position))
                return false;
            if (_hread(file, out, LONG(count)) != LONG(count))
                return false;
        }
        position += count;
        return true;
    }
};

namespace {
constexpr std::uint64_t kMaxFileSize = 0x7FFFFFFF;  // offsets are 32-bit signed

DWORD littleEndian32(const std::uint8_t* b)
{
    return DWORD(b[0]) | DWORD(b[1]) << 8 | DWORD(b[2]) << 16 | DWORD(b[3]) << 24;
}
}  // namespace

HMMIO mmioOpenA(const char* fileName, MMIOINFO* info, DWORD flags)
{
    auto fail = [info](UINT why) -> HMMIO {
        if (info)
            info->wErrorRet = why;
        return nullptr;
    };
    if (flags & (MMIO_WRITE | MMIO_READWRITE))
        return fail(MMIOERR_CANNOTOPEN);
    auto* m = new (std::nothrow) MmioFile;
    if (!m)
        return fail(MMIOERR_OUTOFMEMORY);
    if (info && info->fccIOProc == FOURCC_MEM) {
        if (!info->pchBuffer || info->cchBuffer < 0) {
            delete m;
            return fail(MMIOERR_CANNOTOPEN);
        }
        m->memory = reinterpret_cast<const std::uint8_t*>(info->pchBuffer);
        m->size = std::uint64_t(info->cchBuffer);
    } else {
        m->file = fileName ? _lopen(fileName, int(OF_READ | OF_SHARE_DENY_NONE)) : HFILE_ERROR;
        if (m->file == HFILE_ERROR) {
            delete m;
            return fail(MMIOERR_FILENOTFOUND);
        }
        m->size = std::min<std::uint64_t>(GetFileSize(m->file, nullptr), kMaxFileSize);
    }
    if (info) {
        info->wErrorRet = 0;
        info->hmmio = m;
    }
    return m;
}

UINT mmioClose(HMMIO file, UINT)
{
    if (!file)
        return 5;  // an invalid handle
    if (file->file != HFILE_ERROR)
        _lclose(file->file);
    delete file;
    return 0;
}

LONG mmioRead(HMMIO file, char* buffer, LONG count)
{
    if (!file || count < 0 || (!buffer && count))
        return -1;
    std::uint64_t n = std::min<std::uint64_t>(std::uint64_t(count), file->size - std::min(file->size, file->position));
    if (!file->readExact(buffer, n))
        return -1;
    return LONG(n);
}

LONG mmioSeek(HMMIO file, LONG offset, int origin)
{
    if (!file)
        return -1;
    std::int64_t base = origin == 0 ? 0 : origin == 1 ? std::int64_t(file->position) : std::int64_t(file->size);
    if (origin < 0 || origin > 2)
        return -1;
    std::int64_t to = base + offset;
    if (to < 0 || std::uint64_t(to) > file->size)
        return -1;
    file->position = std::uint64_t(to);
    return LONG(to);
}

UINT mmioDescend(HMMIO file, MMCKINFO* chunk, const MMCKINFO* parent, UINT flags)
{
    if (!file || !chunk)
        return MMIOERR_CHUNKNOTFOUND;
    std::uint64_t end = file->size;
    if (parent)
        end = std::min<std::uint64_t>(end, std::uint64_t(parent->dwDataOffset) + parent->cksize);
    const FOURCC wantId = chunk->ckid;
    const FOURCC wantType = chunk->fccType;
    for (;;) {
        std::uint64_t at = file->position;
        if (at > end || end - at < 8)
            return MMIOERR_CHUNKNOTFOUND;
        std::uint8_t head[8];
        if (!file->readExact(head, 8))
            return MMIOERR_CANNOTREAD;
        MMCKINFO found;
        found.ckid = littleEndian32(head);
        found.cksize = littleEndian32(head + 4);
        found.dwDataOffset = DWORD(at + 8);
        if (found.cksize > end - (at + 8)) {
            file->position = at;
            return MMIOERR_CHUNKNOTFOUND;  // reaches past its parent
        }
        bool form = found.ckid == FOURCC_RIFF || found.ckid == FOURCC_LIST;
        if (form) {
            std::uint8_t type[4];
            if (found.cksize < 4 || !file->readExact(type, 4)) {
                file->position = at;
                return MMIOERR_CHUNKNOTFOUND;
            }
            found.fccType = littleEndian32(type);
        }
        bool match = true;
        if (flags & MMIO_FINDRIFF)
            match = found.ckid == FOURCC_RIFF && found.fccType == wantType;
        else if (flags & MMIO_FINDLIST)
            match = found.ckid == FOURCC_LIST && found.fccType == wantType;
        else if (flags & MMIO_FINDCHUNK)
            match = found.ckid == wantId;
        if (match) {
            *chunk = found;
            return 0;
        }
        std::uint64_t next = at + 8 + found.cksize + (found.cksize & 1);
        file->position = std::min(next, end);
        if (next > end)
            return MMIOERR_CHUNKNOTFOUND;
    }
}

UINT mmioAscend(HMMIO file, MMCKINFO* chunk, UINT)
{
    if (!file || !chunk)
        return MMIOERR_CANNOTSEEK;
    std::uint64_t next = std::uint64_t(chunk->dwDataOffset) + chunk->cksize + (chunk->cksize & 1);
    file->position = std::min(next, file->size);
    return 0;
}

}  // namespace plat
