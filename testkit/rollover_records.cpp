#include "testkit/rollover_records.h"

#include "testkit/big_endian.h"

namespace testkit {

namespace {

void putName(std::vector<std::uint8_t>& out, ProductData& file, const std::string& name)
{
    PutBigEndian16(out, name.empty() ? 0 : file.Intern(name));
}

}  // namespace

ActionRecord PlaySound::Action() const
{
    ActionRecord a{"PLAYWAVE", {}};
    PutCounted(a.record, name);
    for (std::int16_t v : {first, second, openParam, third})
        PutBigEndian16(a.record, std::uint16_t(v));
    PutBigEndian16(a.record, suppressible);
    PutBigEndian16(a.record, waiting);
    return a;
}

DisplayObjectRecord RollOverHotspotRecord(ProductData& file, std::int16_t highlight, const std::string& picture,
                                          std::int16_t dx, std::int16_t dy)
{
    DisplayObjectRecord record = HotspotRecord(highlight);
    record.type = "RollHotSpot";
    putName(record.extra, file, picture);
    PutBigEndian16(record.extra, std::uint16_t(dx));
    PutBigEndian16(record.extra, std::uint16_t(dy));
    return record;
}

DisplayObjectRecord MiconRecord(ProductData& file, std::int16_t interval, const std::vector<MiconFrame>& frames,
                                std::int16_t highlight, std::optional<std::int16_t> claimedCount)
{
    DisplayObjectRecord record = HotspotRecord(highlight);
    record.type = "Micon";
    PutBigEndian16(record.extra, std::uint16_t(interval));
    PutBigEndian16(record.extra, std::uint16_t(claimedCount.value_or(std::int16_t(frames.size()))));
    for (const MiconFrame& f : frames) {
        putName(record.extra, file, f.picture);
        PutBigEndian16(record.extra, std::uint16_t(f.x));
        PutBigEndian16(record.extra, std::uint16_t(f.y));
    }
    return record;
}

DisplayObjectRecord RollOverButtonRecord(ProductData& file, const ButtonPictures& pictures,
                                         const std::string& rollOver)
{
    DisplayObjectRecord record = ButtonRecord(pictures, "RollOverButton");
    putName(record.extra, file, rollOver);
    return record;
}

}  // namespace testkit
