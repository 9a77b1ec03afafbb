#include "testkit/display_objects.h"

#include "testkit/big_endian.h"
#include "testkit/type_ids.h"

namespace testkit {

namespace {

constexpr std::uint16_t kNoRectScrunge = 0x100;
constexpr std::uint16_t kPolyRegion = 0x800;

std::uint16_t textIndex(ProductData& file, const std::string& text)
{
    return text.empty() ? 0 : file.Intern(text);
}

}  // namespace

DisplayObjectRecord& DisplayObjectRecord::rect(std::int16_t l, std::int16_t t, std::int16_t r, std::int16_t b)
{
    left = l;
    top = t;
    right = r;
    bottom = b;
    return *this;
}

DisplayObjectRecord& DisplayObjectRecord::region(std::vector<std::uint8_t> bytes)
{
    regionBytes = std::move(bytes);
    optionFlags |= kPolyRegion;
    return *this;
}

std::vector<std::uint8_t> DisplayObjectRecord::Bytes(ProductData& file) const
{
    std::vector<std::uint8_t> out;
    PutBigEndian16(out, std::uint16_t(DisplayObjectTypeId(type)));
    PutBigEndian16(out, std::uint16_t(objectId));
    PutBigEndian16(out, std::uint16_t(tagNumber));
    PutBigEndian16(out, optionFlags);
    if (!(optionFlags & kNoRectScrunge))
        for (std::int16_t v : {left, top, right, bottom})
            PutBigEndian16(out, std::uint16_t(v));
    PutBigEndian16(out, textIndex(file, cursorName));
    PutBigEndian16(out, visibleWord);
    PutBigEndian16(out, std::uint16_t(zOrder));
    if ((optionFlags & kPolyRegion) && regionBytes)
        out.insert(out.end(), regionBytes->begin(), regionBytes->end());
    PutBigEndian16(out, transparentWord);
    const std::vector<std::uint8_t> handlerList = HandlerListBytes(handlers);
    out.insert(out.end(), handlerList.begin(), handlerList.end());
    PutBigEndian16(out, 0);  // scope word
    if (fileName)
        PutBigEndian16(out, textIndex(file, *fileName));
    for (const std::string& name : names)
        PutBigEndian16(out, textIndex(file, name));
    out.insert(out.end(), extra.begin(), extra.end());
    return out;
}

DisplayObjectRecord& DisplayObjectRecord::on(std::string event, std::vector<ActionRecord> actions)
{
    handlers.push_back({std::move(event), std::move(actions)});
    return *this;
}

DisplayObjectRecord HotspotRecord(std::int16_t highlight, std::int16_t kept)
{
    DisplayObjectRecord record("Hotspot");
    PutBigEndian16(record.extra, std::uint16_t(highlight));
    PutBigEndian16(record.extra, std::uint16_t(kept));
    return record;
}

DisplayObjectRecord ButtonRecord(const ButtonPictures& pictures)
{
    DisplayObjectRecord record("Button");
    record.names = {pictures.normal, pictures.pressed, pictures.disabled};
    PutBigEndian16(record.extra, pictures.startsDisabled);
    PutBigEndian16(record.extra, pictures.transparent);
    return record;
}

DisplayObjectRecord BitmapRecord(std::string file)
{
    DisplayObjectRecord record("Bitmap");
    record.fileName = std::move(file);
    return record;
}

PanelRecord& PanelRecord::add(const DisplayObjectRecord& object, ProductData& file)
{
    objects.push_back(object.Bytes(file));
    return *this;
}

std::vector<std::uint8_t> PanelRecord::Bytes() const
{
    std::vector<std::uint8_t> out;
    PutBigEndian16(out, panelId);
    PutBigEndian16(out, std::uint16_t(countClaim.value_or(std::int16_t(objects.size()))));
    for (const auto& object : objects)
        out.insert(out.end(), object.begin(), object.end());
    PutBigEndian16(out, 0);  // no handlers
    PutBigEndian16(out, 0);  // scope word
    return out;
}

}  // namespace testkit
