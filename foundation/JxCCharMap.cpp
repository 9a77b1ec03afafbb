#include "foundation/JxCCharMap.h"

#include <algorithm>

#include "foundation/JxCInStrStream.h"
#include "foundation/JxCOutStream.h"
#include "foundation/JxCharTables.h"

JxCSystemCharMap::JxCSystemCharMap()
{
    for (int c = 0; c < 256; ++c)
        leadBytes_[c] = ::IsLeadByte(static_cast<unsigned char>(c)) ? 1 : 0;
}

std::size_t JxCSystemCharMap::MakeUpper(char* text) const
{
    auto c = static_cast<std::uint8_t>(text[0]);
    if (IsLeadByte(c))
        return text[1] ? 2 : 1;  // double-byte characters keep their case
    text[0] = static_cast<char>(TextCharToUpper(c));
    return 1;
}

std::size_t JxCSystemCharMap::MakeLower(char* text) const
{
    auto c = static_cast<std::uint8_t>(text[0]);
    if (IsLeadByte(c))
        return text[1] ? 2 : 1;
    text[0] = static_cast<char>(TextCharToLower(c));
    return 1;
}

namespace {

JxCSingleByteCharMap::Plane IdentityPlane()
{
    JxCSingleByteCharMap::Plane plane(256);
    for (int c = 0; c < 256; ++c)
        plane[c] = static_cast<std::uint16_t>(c);
    return plane;
}

}  // namespace

JxCSingleByteCharMap::JxCSingleByteCharMap(std::uint16_t planeCount)
    : planes_(std::clamp<std::uint16_t>(planeCount, 1, kMaxPlanes), IdentityPlane()),
      flags_(256, 0),
      lower_(256, 0),
      upper_(256, 0)
{
}

std::size_t JxCSingleByteCharMap::MakeUpper(char* text) const
{
    if (std::uint16_t u = upper_[static_cast<std::uint8_t>(text[0])])
        text[0] = static_cast<char>(u);
    return 1;
}

std::size_t JxCSingleByteCharMap::MakeLower(char* text) const
{
    if (std::uint16_t l = lower_[static_cast<std::uint8_t>(text[0])])
        text[0] = static_cast<char>(l);
    return 1;
}

std::uint8_t JxCSingleByteCharMap::FromCode(std::uint16_t code) const
{
    const Plane& plane = planes_[mappingPlane_];
    auto at = std::find(plane.begin(), plane.end(), code);
    return at == plane.end() ? '?' : static_cast<std::uint8_t>(at - plane.begin());
}

std::uint8_t JxCSingleByteCharMap::IndexOf(std::uint8_t c) const
{
    return static_cast<std::uint8_t>(planes_[unicodePlane_][c]);
}

bool JxCSingleByteCharMap::SelectPlane(std::uint16_t plane)
{
    if (plane >= planes_.size())
        return false;
    current_ = plane;
    return true;
}

bool JxCSingleByteCharMap::NamePlane(std::string_view name)
{
    if (name == "Unicode")
        unicodePlane_ = current_;
    else if (name == "Windows" || name == "All")
        mappingPlane_ = current_;
    else
        return false;
    return true;
}

bool JxCSingleByteCharMap::SetEntry(std::uint8_t index, std::uint16_t code, bool check)
{
    Plane& plane = planes_[current_];
    if (check && plane[index] != code && std::find(plane.begin(), plane.end(), code) != plane.end())
        return false;
    plane[index] = code;
    return true;
}

bool JxCSingleByteCharMap::Translate(std::uint16_t from, std::uint16_t code, std::uint16_t& translated) const
{
    if (from >= planes_.size())
        return false;
    const Plane& source = planes_[from];
    auto at = std::find(source.begin(), source.end(), code);
    if (at == source.end())
        return false;
    translated = planes_[current_][at - source.begin()];
    return true;
}

void JxCSingleByteCharMap::SetCasePair(std::uint8_t lower, std::uint8_t upper)
{
    upper_[lower] = upper;
    lower_[upper] = lower;
}

namespace {

bool ReadPlane(JxCInStrStream& in, JxCSingleByteCharMap::Plane& plane)
{
    plane.assign(256, 0);
    for (std::uint16_t& v : plane)
        in.ReadBigEndian16(v);
    return !in.Fail();
}

void WritePlane(JxCOutStream& out, const JxCSingleByteCharMap::Plane& plane)
{
    for (std::uint16_t v : plane)
        out.WriteBigEndian16(v);
}

}  // namespace

bool JxCSingleByteCharMap::Read(JxCInStrStream& in)
{
    std::uint16_t count = 0, unicodePlane = 0, mappingPlane = 0;
    in.ReadBigEndian16(count).ReadBigEndian16(unicodePlane).ReadBigEndian16(mappingPlane);
    if (in.Fail() || count == 0 || count > kMaxPlanes || unicodePlane >= count || mappingPlane >= count)
        return false;
    std::vector<Plane> planes(count);
    Plane flags, lower, upper;
    for (Plane& p : planes) {
        if (!ReadPlane(in, p))
            return false;
    }
    if (!ReadPlane(in, flags) || !ReadPlane(in, lower) || !ReadPlane(in, upper))
        return false;
    planes_ = std::move(planes);
    flags_ = std::move(flags);
    lower_ = std::move(lower);
    upper_ = std::move(upper);
    unicodePlane_ = unicodePlane;
    mappingPlane_ = mappingPlane;
    current_ = 0;
    return true;
}

bool JxCSingleByteCharMap::Write(JxCOutStream& out) const
{
    out.WriteBigEndian16(GetPlaneCount()).WriteBigEndian16(unicodePlane_).WriteBigEndian16(mappingPlane_);
    for (const Plane& p : planes_)
        WritePlane(out, p);
    WritePlane(out, flags_);
    WritePlane(out, lower_);
    WritePlane(out, upper_);
    return !out.Fail();
}
