#include "testkit/title_widgets.h"

#include "testkit/big_endian.h"
#include "testkit/collage_records.h"

namespace testkit {

DisplayObjectRecord ListCollageRecord(const std::string& dataManager, std::int16_t styleId, Rgb background)
{
    std::vector<std::uint8_t> part;
    PutBigEndian16(part, std::uint16_t(styleId));
    return CollageRecord(dataManager, background, part);
}

DisplayObjectRecord ToggleBitmapRecord(std::string file, std::uint16_t hideCode, std::uint16_t showCode)
{
    DisplayObjectRecord record = BitmapRecord(std::move(file));
    record.type = "ToggleBitmap";
    PutBigEndian16(record.extra, hideCode);
    PutBigEndian16(record.extra, showCode);
    return record;
}

DisplayObjectRecord VideoHotspotRecord(const VideoHotspotFields& fields)
{
    DisplayObjectRecord record("VideoHotspot");
    std::vector<std::uint8_t>& out = record.extra;
    PutBigEndian16(out, std::uint16_t(fields.movie.size()));
    out.insert(out.end(), fields.movie.begin(), fields.movie.end());
    for (std::uint16_t w : {fields.keptWord, std::uint16_t(fields.targetObject), std::uint16_t(fields.targetPanel),
                            fields.rewind, fields.autoPlay})
        PutBigEndian16(out, w);
    return record;
}

ActionRecord GavoPlayPicsAction(ProductData& file, const std::string& animation,
                                const std::array<std::int16_t, 5>& parameters)
{
    ActionRecord a{"PLAYPICSNOLOAD", {}};
    PutBigEndian16(a.record, file.Intern(animation));
    for (std::int16_t p : parameters)
        PutBigEndian16(a.record, std::uint16_t(p));
    return a;
}

}  // namespace testkit
