#pragma once
// The binary input stream. It reads from a named file, from an open file
// handle starting at a base offset (a sub-file inside a larger file, with an
// optional end so that it cannot run into the next item), or from a block of
// memory. Every multi-byte integer is big-endian, high byte first.
//
// A read that the stream cannot satisfy in full fails: it leaves its target
// unchanged and puts the stream in its end-and-failed state, after which
// every read fails too until Seek or ClearState. Callers check Fail() (or the
// stream's truth value) after reading a record.

#include <concepts>
#include <cstdint>
#include <optional>

#include "foundation/JxCBaseString.h"
#include "foundation/JxCObject.h"
#include "foundation/JxCPoint.h"
#include "foundation/JxCRGB.h"
#include "foundation/JxCRect.h"
#include "foundation/JxCSize.h"
#include "foundation/JxCTypeIds.h"
#include "foundation/JxStreamSource.h"

// A block of memory for a stream to read; the stream does not own it.
struct JxMemoryBlock {
    const void* data = nullptr;
    std::uint32_t size = 0;
};

class JxCInStrStream : public JxCObject {
public:
    // Without a source: Open or a subclass gives it one later.
    JxCInStrStream() = default;
    explicit JxCInStrStream(const char* fileName, std::uint32_t baseOffset = 0);
    // Reads the handle from baseOffset up to end (the file's end when none);
    // the handle stays the caller's and is not closed by the stream.
    JxCInStrStream(plat::HFILE file, std::uint32_t baseOffset,
                   std::optional<std::uint32_t> end = std::nullopt);
    explicit JxCInStrStream(JxMemoryBlock block);
    JxCInStrStream(const JxCInStrStream&) = delete;
    JxCInStrStream& operator=(const JxCInStrStream&) = delete;
    ~JxCInStrStream() override;

    bool IsOpen() const { return source_.IsOpen(); }
    void CloseFile();

    bool Fail() const { return failed_; }
    bool Eof() const { return atEnd_; }
    bool Good() const { return IsOpen() && !failed_; }
    explicit operator bool() const { return Good(); }
    void ClearState();

    JxCInStrStream& ReadByte(std::uint8_t& value);
    JxCInStrStream& ReadBigEndian16(std::int16_t& value);
    JxCInStrStream& ReadBigEndian16(std::uint16_t& value);
    // Two bytes sign-extended into 32 bits (FF FE reads as -2).
    JxCInStrStream& ReadBigEndian16To32(std::int32_t& value);
    JxCInStrStream& ReadBigEndian16To32(std::uint32_t& value);
    JxCInStrStream& ReadBigEndian32(std::int32_t& value);
    JxCInStrStream& ReadBigEndian32(std::uint32_t& value);
    JxCInStrStream& ReadBigEndian64(std::uint64_t& value);
    // Eight bytes, high first, as the bits of a 64-bit real.
    JxCInStrStream& ReadBigEndian64(double& value);
    // A signed 16-bit length, then that many bytes; a length below 1 gives
    // an empty string and takes only the length field.
    JxCInStrStream& ReadCountedString(JxCBaseString& text);
    JxCInStrStream& ReadBigEndianRect(JxCRect& rect);
    JxCInStrStream& ReadBigEndianPoint(JxCPoint& point);
    JxCInStrStream& ReadBigEndian16Pair(JxCSize& size);
    JxCInStrStream& ReadRGB(JxCRGB& colour);
    JxCInStrStream& ReadPageTypeId(JxCPageTypeId& id);
    JxCInStrStream& ReadPanelTypeId(JxCPanelTypeId& id);
    JxCInStrStream& ReadActionTypeId(JxCActionTypeId& id);
    JxCInStrStream& ReadEventId(JxCEventId& id);
    JxCInStrStream& ReadResourceTypeId(JxCResourceTypeId& id);
    // A 16-bit registry id turned into a key of the type registry, which
    // makes its keys from the integer.
    template <class TypeKey>
        requires std::constructible_from<TypeKey, int>
    JxCInStrStream& ReadTypeKey(TypeKey& key)
    {
        std::int16_t id = 0;
        if (ReadBigEndian16(id))
            key = TypeKey(static_cast<int>(id));
        return *this;
    }
    JxCInStrStream& ReadBlock(void* buffer, std::uint32_t n);

    // Positions relative to the start (the base offset for a file). Seeking
    // clears the end-and-failed state.
    JxCInStrStream& Seek(std::uint32_t position);
    std::uint32_t Tell() const { return source_.Tell(); }
    // The bytes left before the end of the memory block or (sub-)file.
    std::uint32_t Remaining() const { return source_.Remaining(); }

protected:
    JxStreamSource& Source() { return source_; }
    // Reads n bytes or fails the stream.
    bool take(void* out, std::uint32_t n);

private:
    JxStreamSource source_;
    bool failed_ = false;
    bool atEnd_ = false;
};

// An input stream constructed without a file and opened later (the user's
// own file: kept open for reading and writing, others may only read it).
class JxCExclStream : public JxCInStrStream {
public:
    JxCExclStream() = default;
    ~JxCExclStream() override;
    // mode and share are the platform's OF_ flags (OF_READ, OF_READWRITE,
    // OF_SHARE_DENY_WRITE ...). False when the file cannot be opened.
    bool Open(const char* fileName, unsigned mode, unsigned share);
    // The open handle, for the owner's writes; HFILE_ERROR when closed.
    plat::HFILE FileHandle() { return Source().FileHandle(); }
};
