#pragma once
// Multimedia file I/O: reading RIFF files from disk or from a block of
// memory (the "MEM " procedure), and walking their chunks. Every chunk is
// bounded by the one that holds it (the file itself at the top): a chunk
// whose data would reach past its parent's end is not found, so a reader
// never reads another chunk's bytes as its own or past the data.

#include <cstdint>

#include "platform/core/types.h"

namespace plat {

using FOURCC = DWORD;
struct MmioFile;
using HMMIO = MmioFile*;

constexpr FOURCC mmioFOURCC(char a, char b, char c, char d)
{
    return DWORD(std::uint8_t(a)) | DWORD(std::uint8_t(b)) << 8 | DWORD(std::uint8_t(c)) << 16 |
           DWORD(std::uint8_t(d)) << 24;
}
constexpr FOURCC FOURCC_RIFF = mmioFOURCC('R', 'I', 'F', 'F');
constexpr FOURCC FOURCC_LIST = mmioFOURCC('L', 'I', 'S', 'T');
constexpr FOURCC FOURCC_MEM = mmioFOURCC('M', 'E', 'M', ' ');

// Open flags.
constexpr DWORD MMIO_READ = 0x0000;
constexpr DWORD MMIO_WRITE = 0x0001;
constexpr DWORD MMIO_READWRITE = 0x0002;
constexpr DWORD MMIO_ALLOCBUF = 0x00010000;
// Descend flags.
constexpr UINT MMIO_FINDCHUNK = 0x0010;
constexpr UINT MMIO_FINDRIFF = 0x0020;
constexpr UINT MMIO_FINDLIST = 0x0040;

// Results.
constexpr UINT MMIOERR_FILENOTFOUND = 257;
constexpr UINT MMIOERR_OUTOFMEMORY = 258;
constexpr UINT MMIOERR_CANNOTOPEN = 259;
constexpr UINT MMIOERR_CANNOTREAD = 261;
constexpr UINT MMIOERR_CANNOTSEEK = 263;
constexpr UINT MMIOERR_CHUNKNOTFOUND = 265;
constexpr UINT MMIOERR_INVALIDFILE = 272;

struct MMIOINFO {
    DWORD dwFlags = 0;
    FOURCC fccIOProc = 0;  // FOURCC_MEM: read pchBuffer's cchBuffer bytes
    void* pIOProc = nullptr;
    UINT wErrorRet = 0;   // why an open failed
    void* htask = nullptr;
    LONG cchBuffer = 0;
    char* pchBuffer = nullptr;
    char* pchNext = nullptr;
    char* pchEndRead = nullptr;
    char* pchEndWrite = nullptr;
    LONG lBufOffset = 0;
    LONG lDiskOffset = 0;
    DWORD adwInfo[3] = {};
    DWORD dwReserved1 = 0;
    DWORD dwReserved2 = 0;
    HMMIO hmmio = nullptr;
};

struct MMCKINFO {
    FOURCC ckid = 0;
    DWORD cksize = 0;
    FOURCC fccType = 0;      // of RIFF and LIST chunks
    DWORD dwDataOffset = 0;  // where the chunk's data begins
    DWORD dwFlags = 0;
};

// Reading only: any write flag fails the open. A memory block is read in
// place; it must outlive the handle.
HMMIO mmioOpenA(const char* fileName, MMIOINFO* info, DWORD flags);
UINT mmioClose(HMMIO file, UINT flags);
// Bytes read (0 at the end), -1 on failure.
LONG mmioRead(HMMIO file, char* buffer, LONG count);
// The new position, -1 when it would leave the file.
LONG mmioSeek(HMMIO file, LONG offset, int origin);
// Enters the chunk at the current position (flags 0) or the first one
// from there with the wanted id (and form type), within the parent when
// one is given; afterwards the position is the start of its data (after
// the form type of a RIFF or LIST chunk).
UINT mmioDescend(HMMIO file, MMCKINFO* chunk, const MMCKINFO* parent, UINT flags);
// Moves to just past the chunk and its pad byte.
UINT mmioAscend(HMMIO file, MMCKINFO* chunk, UINT flags);

}  // namespace plat
