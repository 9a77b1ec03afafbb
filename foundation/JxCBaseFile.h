#pragma once
// A named file that can be read and sought: the root of the data store's
// sub-files. The base operations do nothing (read 0 bytes, seek to 0, no
// chunks, no handle); each kind of file overrides what it can do.

#include <cstdint>

#include "foundation/JxCObject.h"
#include "foundation/JxCString.h"
#include "platform/core/types.h"

// A chunk of a RIFF file as the chunk walkers describe it.
struct JxChunkInfo {
    std::uint32_t id = 0;
    std::uint32_t size = 0;
    std::uint32_t type = 0;
    std::uint32_t dataOffset = 0;
    std::uint32_t flags = 0;
};

class JxCBaseFile : public JxCObject {
public:
    explicit JxCBaseFile(const char* name) : name_(name) {}
    JxCBaseFile(const JxCBaseFile&) = delete;
    JxCBaseFile& operator=(const JxCBaseFile&) = delete;
    ~JxCBaseFile() override = default;

    virtual std::int32_t Read(void* /*buffer*/, std::int32_t /*count*/) { return 0; }
    virtual std::int32_t Seek(std::int32_t /*offset*/, int /*origin*/) { return 0; }
    virtual std::int32_t Descend(JxChunkInfo* /*chunk*/, const JxChunkInfo* /*parent*/, unsigned /*flags*/)
    {
        return 0;
    }
    virtual void Ascend(JxChunkInfo* /*chunk*/) {}
    virtual plat::HFILE GetHandle() const { return plat::HFILE_ERROR; }

    const JxCString& GetName() const { return name_; }

protected:
    void SetName(const JxCString& name) { name_ = name; }

private:
    JxCString name_;
};
