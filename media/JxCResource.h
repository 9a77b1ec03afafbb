#pragma once
// A piece of data stored in the program or a resource library, located by
// name or id and type and held in memory while the object lives. The one
// kind in use is a sound of type "WAVE".

#include <cstdint>

#include "foundation/JxCObject.h"
#include "foundation/JxCString.h"
#include "foundation/JxResourceLibraries.h"

class JxCResource : public JxCObject {
public:
    JxCResource() = default;
    ~JxCResource() override;

    const void* GetData() const { return data_; }
    std::uint32_t GetSize() const { return size_; }

protected:
    // Locates and loads; a resource not found keeps null data.
    void Load(const char* nameOrId, const char* type);

private:
    plat::HGLOBAL loaded_ = nullptr;
    JxCResourceLocator locator_;
    const void* data_ = nullptr;
    std::uint32_t size_ = 0;
};

class JxCWaveResource : public JxCResource {
public:
    explicit JxCWaveResource(const JxCString& name);
    explicit JxCWaveResource(const char* name);
    explicit JxCWaveResource(std::uint16_t id);
};
