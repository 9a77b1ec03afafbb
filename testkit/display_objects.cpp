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
    const std::vector<std::uint8_t> handlerBytes = HandlerListBytes(handlers);
    out.insert(out.end(), handlerBytes.begin(), handlerBytes.end());
    PutBigEndian16(out, 0);  // scope word
    if (fileName)
        PutBigEndian16(out, textIndex(file, *fileName));
    for (const std::string& text : texts)
        PutBigEndian16(out, textIndex(file, text));
    out.insert(out.end(), extra.begin(), extra.end());
    return out;
}

DisplayObjectRecord HotspotRecord(std::int16_t highlight, std::int16_t kept)
{
    DisplayObjectRecord record("Hotspot");
    PutBigEndian16(record.extra, std::uint16_t(highlight));
    PutBigEndian16(record.extra, std::uint16_t(kept));
    return record;
}

DisplayObjectRecord ButtonRecord(const ButtonPictures& pictures, std::string type)
{
    DisplayObjectRecord record(std::move(type));
    record.texts = {pictures.normal, pictures.pressed, pictures.disabled};
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

DisplayObjectRecord EditBoxRecord(std::string focused, std::string normal, std::string disabled,
                                  std::int16_t styleId)
{
    DisplayObjectRecord record("EditBox");
    record.texts = {std::move(focused), std::move(normal), std::move(disabled)};
    PutBigEndian16(record.extra, std::uint16_t(styleId));
    return record;
}

DisplayObjectRecord ParaTextRecord(const ParaText& para)
{
    DisplayObjectRecord record("ParaText");
    std::vector<std::uint8_t>& out = record.extra;
    PutBigEndian16(out, std::uint16_t(para.styleId));
    PutBigEndian16(out, std::uint16_t(para.value));
    PutBigEndian16(out, std::uint16_t(para.lineHeight));
    PutBigEndian16(out, std::uint16_t(para.claimedLength.value_or(std::int16_t(para.text.size()))));
    out.insert(out.end(), para.text.begin(), para.text.end());
    PutBigEndian16(out, para.autoHeight);
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
    const std::vector<std::uint8_t> handlerBytes = HandlerListBytes(handlers);
    out.insert(out.end(), handlerBytes.begin(), handlerBytes.end());
    PutBigEndian16(out, 0);  // scope word
    return out;
}

}  // namespace testkit
