#pragma once
// Writing a host file so that readers see either the old contents or the
// new, never a half-written file: the bytes go to a temporary file beside
// the target, which is flushed and then renamed over it.

#include <sys/types.h>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace plat {

// Writes data to hostPath atomically, creating missing parent folders.
// Returns 0 on success, else an errno value; on failure the target is
// untouched and the temporary file is gone.
int WriteFileAtomically(const std::string& hostPath, std::string_view data);

// The temporary file that WriteFileAtomically and the files opened with
// OF_CREATE write into, named after the target in the same folder.
std::string TemporaryPathFor(const std::string& hostPath);
// Creates that temporary file (open flags `access` plus O_CREAT, O_EXCL)
// and takes its writer's lock, which the descriptor holds until it closes
// or its file is committed: a descriptor, or -1 with errno.
int CreateTemporaryFile(const std::string& hostPath, int access, mode_t mode, std::string& tempPath);
// Removes from a host folder the temporary files that writers ended half-way
// left behind: those named by TemporaryPathFor that no writer holds (in
// this or any other process, here or on another machine sharing the
// folder) and that have stood unchanged for some minutes. Returns how many
// went.
std::size_t RemoveAbandonedTemporaryFiles(const std::string& hostFolder);
// Renames a finished temporary file over its target (after flushing it).
// Returns 0 or an errno value; the temporary file is removed on failure.
int CommitTemporaryFile(int fd, const std::string& tempPath, const std::string& hostPath);
// The same, but the descriptor stays open (and so do its locks): it then
// names the target. On failure the temporary file is removed and the
// descriptor is still the caller's to close.
int CommitTemporaryFileKeepingOpen(int fd, const std::string& tempPath, const std::string& hostPath);

// Like CommitTemporaryFile, but the temporary file takes the name only where
// no file of that name exists; EEXIST (and the temporary file removed) when
// one does.
int CommitNewFile(int fd, const std::string& tempPath, const std::string& hostPath);

// Reads a whole host file, bounded by maxBytes; false when it cannot be
// read or is larger (errno is then ENOENT when the file does not exist).
bool ReadWholeFile(const std::string& hostPath, std::string& out,
                   std::size_t maxBytes = 64u << 20);

// Test hook: called before each piece of an atomic write reaches its
// temporary file, with the target path and the bytes written so far. When
// it returns a non-zero errno value the write fails there, as a full disk
// or a crash half-way would. An empty function removes the hook.
using WriteFaultHook = std::function<int(const std::string& hostPath, std::size_t written)>;
void SetWriteFaultHook(WriteFaultHook hook);
// Asks the hook about the next piece; 0 when there is no hook.
int CheckWriteFault(const std::string& hostPath, std::size_t written);

}  // namespace plat
