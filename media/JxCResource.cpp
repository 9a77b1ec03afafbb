#include "media/JxCResource.h"

JxCResource::~JxCResource()
{
    if (loaded_)
        plat::FreeResource(loaded_);
}

void JxCResource::Load(const char* nameOrId, const char* type)
{
    locator_ = FindResourceInLibraries(nameOrId, type);
    if (!locator_.GetResource())
        return;
    size_ = plat::SizeofResource(locator_.GetModule(), locator_.GetResource());
    loaded_ = plat::LoadResource(locator_.GetModule(), locator_.GetResource());
    data_ = loaded_ ? plat::LockResource(loaded_) : nullptr;
}

JxCWaveResource::JxCWaveResource(const JxCString& name)
{
    Load(name.GetText(), "WAVE");
}

JxCWaveResource::JxCWaveResource(const char* name)
{
    Load(name, "WAVE");
}

JxCWaveResource::JxCWaveResource(std::uint16_t id)
{
    Load(plat::MAKEINTRESOURCEA(id), "WAVE");
}
