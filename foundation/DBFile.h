#pragma once
// The byte streams under the xBase tables. DBStream is the abstract stream;
// DBFile, its one implementation, is a buffered C library file over a
// Windows path or, when it is opened without a name, a fixed block of
// memory. Every operation keeps its result in the stream's error and
// returns it (0 = success, otherwise a code of DBErrors.h).
//
// Modes: 0 reads an existing file ("rb"), 1 creates or empties one for
// writing ("wb"), 2 reads and writes an existing one ("rb+"). A file that
// cannot be opened with mode 2 but can be read is opened read-only and then
// reports mode 0. A create (mode 1) that fails is a failure, never a
// read-only open.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "foundation/DBErrors.h"

class DBStream {
public:
    enum Mode : int { kRead = 0, kCreate = 1, kUpdate = 2 };

    DBStream() = default;
    DBStream(const DBStream&) = delete;
    DBStream& operator=(const DBStream&) = delete;
    virtual ~DBStream() = default;

    // name gets extension in place of its own (or appended when it has
    // none); bufferSize is clamped to 4096 ... 32768 (0: no buffer of its
    // own, and no memory block for a nameless stream).
    virtual DBError Open(const char* name, const char* extension, int mode, std::uint32_t bufferSize);
    virtual DBError Read(void* destination, std::uint32_t itemSize, std::uint32_t itemCount);
    virtual DBError Write(const void* source, std::uint32_t itemSize, std::uint32_t itemCount);
    virtual DBError Seek(std::uint32_t offset);
    virtual DBError Lock();
    virtual DBError Unlock();
    virtual DBError Flush();
    virtual DBError GetLength(std::uint32_t& length);
    virtual DBError SetLength(std::uint32_t length);

    // Seek, then Read or Write unless the seek failed.
    DBError ReadAt(std::uint32_t offset, void* destination, std::uint32_t itemSize, std::uint32_t itemCount);
    DBError WriteAt(std::uint32_t offset, const void* source, std::uint32_t itemSize, std::uint32_t itemCount);

    // The open mode: 0, 1 or 2; kDbBadArgument when none is set.
    DBError GetMode(int& mode) const;
    DBError GetError() const { return error_; }
    // The full name as opened, or null.
    const char* GetFileName() const { return hasName_ ? fileName_.c_str() : nullptr; }

protected:
    DBError SetError(DBError error) { return error_ = error; }
    static const char* ModeText(int mode);

    DBError error_ = kDbOk;
    std::string fileName_;
    bool hasName_ = false;
    std::string mode_;  // "rb", "wb", "rb+" or empty
};

class DBFile : public DBStream {
public:
    static constexpr std::uint32_t kMaxBuffer = 32768;
    static constexpr std::uint32_t kMinBuffer = 4096;
    static constexpr std::size_t kMaxNameLength = 255;

    DBFile() = default;
    ~DBFile() override;

    DBError Open(const char* name, const char* extension, int mode, std::uint32_t bufferSize) override;
    DBError Read(void* destination, std::uint32_t itemSize, std::uint32_t itemCount) override;
    DBError Write(const void* source, std::uint32_t itemSize, std::uint32_t itemCount) override;
    DBError Seek(std::uint32_t offset) override;
    DBError Flush() override;
    DBError GetLength(std::uint32_t& length) override;
    DBError SetLength(std::uint32_t length) override;

    // Flushes and closes the file, deleting it when deleteFile is set.
    DBError Close(bool deleteFile = false);
    // Reopens the same file with another mode on the same stream; on
    // failure the mode is set back and no file stays open.
    DBError Reopen(int mode);
    bool IsReadOnly() const { return stream_ && mode_ == "rb"; }
    bool IsOpen() const { return stream_ != nullptr; }
    // The size of the buffer block (the memory stream's size).
    std::uint32_t GetBufferSize() const { return bufferSize_; }

    // 0 when the file exists and can be read.
    static DBError CanOpen(const char* name, const char* extension);
    // name with extension in place of its own (see Open).
    static std::string NameWithExtension(const char* name, const char* extension);

private:
    enum class LastOp { kNone, kRead, kWrite };
    // The C library needs a seek between a read and a write on one stream.
    void SwitchTo(LastOp op);
    DBError MappedError() { return SetError(MapSystemErrorToDbError()); }
    // 0 after a standard call that succeeded, else the mapped errno.
    DBError FileResult(bool ok);
    // The memory stream's block at the position, or null when the items
    // do not fit.
    char* BlockAt(std::uint32_t itemSize, std::uint32_t itemCount) const;

    std::FILE* stream_ = nullptr;
    std::unique_ptr<char[]> buffer_;
    std::uint32_t position_ = 0;
    std::uint32_t bufferSize_ = 0;
    LastOp lastOp_ = LastOp::kNone;
};
