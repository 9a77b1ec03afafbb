#pragma once
// The output stream: writes the big-endian encoding that JxCInStrStream
// reads, and lines of text. The file is created or replaced as a whole: the
// bytes go to a temporary file that takes the name only when the stream is
// closed, so a failed or interrupted write never leaves half a file behind:
// once any write has failed, Close abandons the temporary file and the old
// file stays as it was.
// A file that cannot be created is reported (message 1136, "Unable to open
// file %s.") and the stream then writes nothing. Close() answers whether
// every byte reached the file.
//
// A stream made with kNewFileOnly puts its file in place only where no file
// of the name exists, and leaves every failure to its caller (GetError),
// who may try another name.
//
// A stream made on a held handle writes a new file for the one that the
// handle keeps open: closed whole, it replaces that file and the handle
// holds the new one (plat::CreateReplacement), so the file is never let go
// of meanwhile. Its failures too are left to the caller.

#include <cstdint>
#include <memory>

#include "foundation/JxCObject.h"
#include "foundation/JxCPoint.h"
#include "foundation/JxCRGB.h"
#include "foundation/JxCRect.h"
#include "foundation/JxCSize.h"
#include "foundation/JxCString.h"
#include "foundation/JxCTypeIds.h"
#include "platform/core/types.h"

class JxCOutStream : public JxCObject {
public:
    static constexpr std::int32_t kUnableToOpenFileId = 1136;
    static constexpr std::size_t kBufferSize = 32768;

    enum Creation { kReplaceFile, kNewFileOnly };

    explicit JxCOutStream(const char* fileName, Creation creation = kReplaceFile);
    explicit JxCOutStream(plat::HFILE held);
    JxCOutStream(const JxCOutStream&) = delete;
    JxCOutStream& operator=(const JxCOutStream&) = delete;
    ~JxCOutStream() override;

    bool IsOpen() const { return file_ != plat::HFILE_ERROR; }
    bool Fail() const { return failed_; }
    const JxCString& GetFileName() const { return fileName_; }
    // The platform's error code of the first failure: the open, a write or
    // putting the file in place (ERROR_FILE_EXISTS for a new file whose name
    // was taken). 0 while nothing failed.
    std::uint32_t GetError() const { return error_; }
    // Writes what is buffered and puts the file in place; false when any
    // write failed or the stream never opened.
    bool Close();

    JxCOutStream& WriteByte(std::uint8_t value);
    JxCOutStream& WriteBigEndian16(std::int16_t value);
    JxCOutStream& WriteBigEndian16(std::uint16_t value);
    JxCOutStream& WriteBigEndian32(std::int32_t value);
    JxCOutStream& WriteBigEndian32(std::uint32_t value);
    JxCOutStream& WriteBigEndian64(std::uint32_t low, std::uint32_t high);
    JxCOutStream& WriteBigEndian64(double value);
    // The length as 16 bits, then the bytes. A text longer than 32,767
    // bytes cannot be read back and fails the stream instead.
    JxCOutStream& WriteCountedString(const JxCTableString& text);
    JxCOutStream& WriteRect(const JxCRect& rect);
    JxCOutStream& WritePoint(const JxCPoint& point);
    JxCOutStream& WriteSize(const JxCSize& size);
    JxCOutStream& WriteRGB(const JxCRGB& colour);
    template <class Family>
    JxCOutStream& WriteTypedId(const JxCTypedId16<Family>& id)
    {
        return WriteBigEndian16(static_cast<std::int16_t>(static_cast<short>(id)));
    }
    JxCOutStream& WriteBlock(const void* data, std::uint32_t n);
    // The text and "\n".
    JxCOutStream& WriteLine(const JxCTableString& text);

private:
    bool flush();

    JxCString fileName_;
    plat::HFILE file_ = plat::HFILE_ERROR;
    std::unique_ptr<std::uint8_t[]> buffer_;
    std::size_t used_ = 0;
    bool failed_ = false;
    std::uint32_t error_ = 0;
};
