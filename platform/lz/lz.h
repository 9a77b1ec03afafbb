#pragma once
// Expanding files compressed in the Windows LZ format ("SZDD", as written by
// the compress tools of the time). A file opened for reading that carries
// the format's signature is expanded by libmspack's decompressor; any other
// file is copied as it is. Handles of compressed files are numbered from
// kLzHandleBase; every other handle is a plain file handle of the fs module.

#include "platform/core/types.h"
#include "platform/fs/files.h"

namespace plat {

constexpr int LZERROR_BADINHANDLE = -1;
constexpr int LZERROR_BADOUTHANDLE = -2;
constexpr int LZERROR_READ = -3;
constexpr int LZERROR_WRITE = -4;
constexpr int LZERROR_GLOBALLOC = -5;
constexpr int LZERROR_GLOBLOCK = -6;
constexpr int LZERROR_BADVALUE = -7;
constexpr int LZERROR_UNKNOWNALG = -8;

// Handles of compressed files opened for reading start here; at most
// kMaxLzFiles are open at once.
constexpr int kLzHandleBase = 0x400;
constexpr int kMaxLzFiles = 16;

// Opens a file as OpenFile does. For reading, a compressed file gives an LZ
// handle whose LZCopy expands it, a plain file its own handle; with OF_CREATE
// or write access the plain handle of the created or opened file. A file that
// cannot be opened gives LZERROR_BADINHANDLE (the reason in info->nErrCode),
// a compressed file whose header is damaged LZERROR_READ, a file beyond the
// open LZ handles LZERROR_GLOBALLOC.
int LZOpenFileA(const char* fileName, OFSTRUCT* info, WORD style);
// Copies source (an LZ handle expands, a plain handle copies from its current
// position) to the plain handle dest. The bytes written, or an LZERROR code:
// BADINHANDLE / BADOUTHANDLE for unknown handles, READ for a source that
// cannot be read or whose expansion is shorter or longer than its header
// says, WRITE when dest takes fewer bytes than given, GLOBALLOC when memory
// runs out. On an error dest may hold part of the expansion.
LONG LZCopy(int source, int dest);
// Closes an LZ handle or a plain file handle.
void LZClose(int file);

}  // namespace plat
