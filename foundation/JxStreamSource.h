#pragma once
// The bytes under an input stream: a block of memory, or a file read through
// the platform's file calls with a 32,768-byte buffer. A file source reads
// the bytes from a base offset up to an end (the file's size unless a
// smaller end is given), so a sub-file cannot run into the next item. Reads
// are all or nothing: a read that the source cannot satisfy in full takes
// nothing and leaves its target alone.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

#include "platform/core/types.h"

class JxStreamSource {
public:
    static constexpr std::size_t kBufferSize = 32768;

    JxStreamSource() = default;
    JxStreamSource(const JxStreamSource&) = delete;
    JxStreamSource& operator=(const JxStreamSource&) = delete;
    ~JxStreamSource();

    // Opens a file by name (a Windows path of the engine) for reading.
    bool OpenFile(const char* fileName, std::uint32_t baseOffset);
    // Reads an open handle from baseOffset; the handle stays the caller's.
    void AttachHandle(plat::HFILE file, std::uint32_t baseOffset, std::optional<std::uint32_t> end);
    // Takes over a handle opened elsewhere, closing it with the source.
    void AdoptHandle(plat::HFILE file);
    void AttachMemory(const void* block, std::uint32_t size);
    void Close();

    bool IsOpen() const { return inMemory_ || file_ != plat::HFILE_ERROR; }
    bool InMemory() const { return inMemory_; }
    plat::HFILE FileHandle() const { return file_; }

    // Position relative to the base offset, and the bytes left before the end.
    std::uint32_t Tell() const { return position_; }
    bool Seek(std::uint32_t position);
    std::uint32_t Remaining() const { return position_ < size_ ? size_ - position_ : 0; }
    std::uint32_t Size() const { return size_; }

    // n bytes into out, or false (nothing taken) when fewer are left.
    bool Read(void* out, std::uint32_t n);
    // One byte, or -1 at the end.
    int Get();

private:
    bool fill();

    bool inMemory_ = false;
    const std::uint8_t* memory_ = nullptr;
    plat::HFILE file_ = plat::HFILE_ERROR;
    bool ownsFile_ = false;
    std::uint32_t baseOffset_ = 0;
    std::uint32_t size_ = 0;      // bytes from the base offset to the end
    std::uint32_t position_ = 0;  // relative to the base offset
    std::unique_ptr<std::uint8_t[]> buffer_;
    std::uint32_t bufferStart_ = 0;  // position of buffer_[0]
    std::uint32_t bufferLength_ = 0;
};
