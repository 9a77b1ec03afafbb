#pragma once
// The program's file calls: thin wrappers over the platform's file calls
// with the one rule for failures. System critical-error boxes are
// suppressed around every call, and a failed open is reported with Abort,
// Retry and Ignore and tried again on Retry. Read and write failures come
// back only as error codes: a successful call clears the code, and a write
// that stores fewer bytes than asked for is an error.

#include <cstdint>
#include <functional>

#include "foundation/JxCString.h"
#include "platform/core/types.h"

// OpenFile with the reporting and retry loop; the handle, or HFILE_ERROR
// when the open failed and the user chose Ignore (or nothing was shown).
// error gets the open's error code (0 after a successful open). The name
// may change when the user points at a missing file.
plat::HFILE OpenFileWithRetry(JxCString& name, plat::UINT style, std::uint32_t* error);
plat::HFILE OpenFileWithRetry(const char* name, plat::UINT style, std::uint32_t* error);

// The answer of the missing-file report for name (Retry when the file may
// now be opened, else 0); the name may be updated. The start-up data check
// runs again at most once per open: discCheckedAgain (when given) tells
// whether this open has already run it, and is set when it does. A data
// disc asked for and not brought ends the report with Ignore, unasked.
std::int32_t HandleFileNotFound(JxCString& name, bool* discCheckedAgain = nullptr);

void CloseFile(plat::HFILE file);
std::uint32_t GetOpenFileSize(plat::HFILE file);
std::int32_t SeekFile(plat::HFILE file, std::int32_t offset, int origin);

// Bytes read or written, -1 on failure. The error code, when asked for, is
// 0 after a call that moved every byte asked for (or reached the end of
// the file while reading) and the platform's code otherwise.
std::int32_t ReadFileHuge(plat::HFILE file, void* buffer, std::int32_t count, std::uint32_t* error);
std::int32_t ReadFileHugeChecked(plat::HFILE file, void* buffer, std::int32_t count, std::uint32_t* error);
std::int32_t ReadFileBlock(plat::HFILE file, void* buffer, std::uint32_t count, std::uint32_t* error);
std::int32_t WriteFileHuge(plat::HFILE file, const void* buffer, std::int32_t count, std::uint32_t* error);
std::int32_t WriteFileBlock(plat::HFILE file, const void* buffer, std::uint32_t count, std::uint32_t* error);

// The copy loop: blocks of up to kCopyBlockSize bytes until a read returns
// no bytes. A read error (-1) fails the copy; a write that stores fewer
// bytes than were read is reported (kShortCopyWriteId, with
// destinationName) and fails it. True when every byte was copied.
constexpr std::uint32_t kCopyBlockSize = 512;
constexpr unsigned kShortCopyWriteId = 1156;
using JxBlockReader = std::function<std::int32_t(void* buffer, std::uint32_t count)>;
using JxBlockWriter = std::function<std::int32_t(const void* buffer, std::uint32_t count)>;
bool CopyInBlocks(const JxBlockReader& read, const JxBlockWriter& write, const JxCString& destinationName);

// True when an entry matches the path (wildcards allowed).
bool FileExists(const char* path);
// True for an existing folder; a drive root ("X:\") counts when it has any
// content.
bool DirectoryExists(const char* path);

JxCString MakeStringCopy(const char* text);

// Message ids of the file opener's reports.
constexpr unsigned kFileNotOnDiscId = 1001;
constexpr unsigned kFileErrorId = 1018;
constexpr unsigned kTooManyFilesId = 1060;
constexpr unsigned kFileNotFoundDeveloperId = 1066;
