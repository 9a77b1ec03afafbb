#include "media/JxPicsSource.h"

#include <limits>

#include "foundation/JxCSubFile.h"
#include "foundation/JxResourceLibraries.h"
#include "graphics/JxGraphicsLink.h"
#include "platform/fs/files.h"

namespace {

// The sub-file counts in signed 32-bit values.
constexpr std::uint32_t kMaxItemStep = std::uint32_t(std::numeric_limits<std::int32_t>::max());

}  // namespace

JxPicsSource::JxPicsSource() = default;

JxPicsSource::~JxPicsSource()
{
    Close();
}

void JxPicsSource::Close()
{
    stream_.Close();
    item_.reset();
    if (resource_)
        plat::FreeResource(resource_);
    resource_ = nullptr;
}

bool JxPicsSource::Open(const char* name, Kind kind)
{
    Close();
    kind_ = kind;
    if (!name)
        return false;
    switch (kind) {
    case kLooseFile:
        return stream_.OpenFile(name, 0);
    case kResource: {
        const JxCResourceLocator found = FindResourceInLibraries(name, "WINPICS");
        if (!found.GetResource())
            return false;
        resource_ = plat::LoadResource(found.GetModule(), found.GetResource());
        const void* bytes = resource_ ? plat::LockResource(resource_) : nullptr;
        if (!bytes) {
            Close();
            return false;
        }
        stream_.AttachMemory(bytes, plat::SizeofResource(found.GetModule(), found.GetResource()));
        return true;
    }
    case kStoreItem:
        item_ = std::make_unique<JxCjxioSubFile>(GraphicsDataStore(), name);
        if (!item_->IsOpen()) {
            item_.reset();
            return false;
        }
        return true;
    }
    return false;
}

void JxPicsSource::OpenMemory(std::span<const std::uint8_t> bytes)
{
    Close();
    kind_ = kResource;
    stream_.AttachMemory(bytes.data(), std::uint32_t(bytes.size()));
}

bool JxPicsSource::IsOpen() const
{
    return item_ ? item_->IsOpen() != 0 : stream_.IsOpen();
}

std::uint64_t JxPicsSource::Remaining() const
{
    if (!item_)
        return stream_.Remaining();
    const std::uint32_t size = item_->GetSize();
    const std::uint32_t at = item_->GetPosition();
    return at < size ? size - at : 0;
}

bool JxPicsSource::Read(void* out, std::uint32_t n)
{
    if (!IsOpen() || Remaining() < n)
        return false;
    if (n == 0)
        return true;
    if (!item_)
        return stream_.Read(out, n);
    if (n > kMaxItemStep)
        return false;
    // The item is bounded by its size above; a store that fails under the
    // read (its file gone) puts the position back so nothing was taken.
    const std::uint32_t at = item_->GetPosition();
    if (item_->Read(out, std::int32_t(n)) == std::int32_t(n))
        return true;
    item_->Seek(std::int32_t(at), plat::FILE_BEGIN);
    return false;
}

bool JxPicsSource::Skip(std::uint32_t n)
{
    if (!IsOpen() || Remaining() < n)
        return false;
    if (!item_)
        return stream_.Seek(stream_.Tell() + n);
    if (n > kMaxItemStep)
        return false;
    return item_->Seek(std::int32_t(n), plat::FILE_CURRENT) >= 0;
}
