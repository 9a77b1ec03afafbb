#pragma once
// Where the bytes of a PICS animation come from: a loose ".ani" file, a
// "WINPICS" resource of the program or a resource library, or an item of
// the packed data store read as a sub-file. Reads are all or nothing: a read
// that the source cannot serve in full takes nothing and fails, which is how
// a read past the end of a resource or of a store item fails.
//
// The source knows how many bytes it still holds, so that its reader can
// refuse a size before allocating anything for it.

#include <cstdint>
#include <memory>
#include <span>

#include "foundation/JxStreamSource.h"
#include "platform/modules/resources.h"

class JxCjxioSubFile;

class JxPicsSource {
public:
    enum Kind : std::int16_t { kLooseFile = 0, kResource = 1, kStoreItem = 2 };

    JxPicsSource();
    JxPicsSource(const JxPicsSource&) = delete;
    JxPicsSource& operator=(const JxPicsSource&) = delete;
    ~JxPicsSource();

    // Opens the file (a path of the engine), the "WINPICS" resource of that
    // name, or the store item of that name (the store's name rule applies);
    // false when it cannot be found or opened.
    bool Open(const char* name, Kind kind);
    // Reads a block of memory that stays the caller's and outlives the
    // source, as a resource is read.
    void OpenMemory(std::span<const std::uint8_t> bytes);
    void Close();

    bool IsOpen() const;
    Kind GetKind() const { return kind_; }
    // n bytes into out, or false with nothing taken.
    bool Read(void* out, std::uint32_t n);
    // Passes over n bytes; false, without moving, when fewer are left.
    bool Skip(std::uint32_t n);
    // The bytes not yet read.
    std::uint64_t Remaining() const;

private:
    Kind kind_ = kLooseFile;
    JxStreamSource stream_;
    std::unique_ptr<JxCjxioSubFile> item_;
    plat::HGLOBAL resource_ = nullptr;
};
