#include "testkit/scroll_records.h"

#include "testkit/big_endian.h"
#include "testkit/type_ids.h"

namespace testkit {

namespace {

std::uint16_t textIndex(ProductData& file, const std::string& text)
{
    return text.empty() ? 0 : file.Intern(text);
}

ScrollBarFields& barOf(ScrollingRecord& record)
{
    if (!record.bar)
        record.bar.emplace();
    return *record.bar;
}

}  // namespace

ScrollingRecord& ScrollingRecord::rect(std::int16_t l, std::int16_t t, std::int16_t r, std::int16_t b)
{
    left = l;
    top = t;
    right = r;
    bottom = b;
    return *this;
}

ScrollingRecord& ScrollingRecord::metrics(std::int16_t a, std::int16_t b, std::int16_t line, std::int16_t accel)
{
    ScrollBarFields& fields = barOf(*this);
    fields.metricA = a;
    fields.metricB = b;
    fields.lineStep = line;
    fields.acceleration = accel;
    return *this;
}

ScrollingRecord& ScrollingRecord::page(std::int32_t size)
{
    barOf(*this).pageSize = size;
    return *this;
}

ScrollingRecord& ScrollingRecord::notifyWhileDragging(std::uint16_t on)
{
    barOf(*this).notifyWhileDragging = on;
    return *this;
}

ScrollingRecord& ScrollingRecord::image(int index, std::string name)
{
    barOf(*this).images.at(std::size_t(index)) = std::move(name);
    return *this;
}

std::vector<std::uint8_t> ScrollingRecord::Bytes(ProductData& file) const
{
    std::vector<std::uint8_t> out;
    PutBigEndian16(out, std::uint16_t(DisplayObjectTypeId(type)));
    PutBigEndian16(out, std::uint16_t(objectId));
    for (std::int16_t v : {left, top, right, bottom})
        PutBigEndian16(out, std::uint16_t(v));
    PutBigEndian16(out, textIndex(file, cursorName));
    PutBigEndian16(out, linkedWord);
    PutBigEndian16(out, std::uint16_t(partnerId));
    for (std::int32_t v : {minimum, maximum, startPosition})
        PutBigEndian32(out, std::uint32_t(v));
    if (fileName)
        PutBigEndian16(out, textIndex(file, *fileName));
    if (bar) {
        for (const std::string& name : bar->images)
            PutBigEndian16(out, textIndex(file, name));
        for (std::int16_t v : {bar->metricA, bar->metricB, bar->lineStep, bar->acceleration})
            PutBigEndian16(out, std::uint16_t(v));
        PutBigEndian16(out, bar->notifyWhileDragging);
        PutBigEndian32(out, std::uint32_t(bar->pageSize));
    }
    return out;
}

ScrollingRecord ScrollBitmapRecord(std::string file)
{
    ScrollingRecord record("ScrollBitmap");
    record.fileName = std::move(file);
    return record;
}

ScrollingRecord ScrollBarRecord()
{
    ScrollingRecord record("ScrollBaa");
    record.bar.emplace();
    return record;
}

}  // namespace testkit
