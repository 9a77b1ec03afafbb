#include "events/JxCRunTimeObject.h"

JxCRunTimeObject::~JxCRunTimeObject()
{
    JxCRunTimeObject::ReleaseResources();
}

JxCString JxCRunTimeObject::GetDataPath() const
{
    return container_ ? container_->GetDataPath() : JxCString();
}

std::int16_t JxCRunTimeObject::GetNumberProperty(std::int32_t, std::int32_t*)
{
    return kPropertyMissing;
}

std::int16_t JxCRunTimeObject::SetNumberProperty(std::int32_t, std::int32_t)
{
    return kPropertyMissing;
}

std::int16_t JxCRunTimeObject::GetFlagProperty(std::int32_t, std::int16_t*)
{
    return kPropertyMissing;
}

std::int16_t JxCRunTimeObject::SetFlagProperty(std::int32_t, std::int16_t)
{
    return kPropertyMissing;
}

std::int16_t JxCRunTimeObject::GetStringProperty(std::int32_t, JxCString*)
{
    return kPropertyMissing;
}

std::int16_t JxCRunTimeObject::SetStringProperty(std::int32_t, const JxCString&)
{
    return kPropertyMissing;
}

std::int32_t JxCRunTimeObject::GetPropertyInfo(std::int32_t, std::int32_t*)
{
    return kPropertyKindNone;
}

std::int16_t JxCRunTimeObject::CheckPropertyKind(std::int32_t index, std::int32_t kind)
{
    const std::int32_t actual = GetPropertyInfo(index, nullptr);
    if (actual == kind)
        return kPropertyDone;
    return actual == kPropertyKindNone ? kPropertyMissing : kPropertyWrongKind;
}

std::int16_t JxCRunTimeObject::ReleaseResources()
{
    // Each reference is counted once for this object, however often the
    // object loaded it.
    while (JxCBitmapRef* ref = bitmapRefs_.GetFirst()) {
        bitmapRefs_.Remove(ref);
        ReleaseBitmapRef(ref);
    }
    return 1;
}
