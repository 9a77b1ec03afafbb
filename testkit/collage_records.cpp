#include "testkit/collage_records.h"

#include "testkit/big_endian.h"

namespace testkit {

namespace {

void putCounted(std::vector<std::uint8_t>& out, const std::string& text)
{
    PutBigEndian16(out, std::uint16_t(text.size()));
    out.insert(out.end(), text.begin(), text.end());
}

void putOptionalId(std::vector<std::uint8_t>& out, const std::optional<std::int16_t>& id)
{
    PutBigEndian16(out, id ? 1 : 0);
    if (id)
        PutBigEndian16(out, std::uint16_t(*id));
}

}  // namespace

DisplayObjectRecord CollageRecord(const std::string& dataManager, Rgb background,
                                  std::vector<std::uint8_t> managerParts, const std::string& arrangement,
                                  std::int32_t value)
{
    DisplayObjectRecord record("Collage");
    std::vector<std::uint8_t>& out = record.extra;
    out.assign(background.begin(), background.end());
    PutBigEndian32(out, std::uint32_t(value));
    putCounted(out, dataManager);
    putCounted(out, arrangement);
    out.insert(out.end(), managerParts.begin(), managerParts.end());
    return record;
}

DisplayObjectRecord GroupCollageRecord(const GroupMembers& members)
{
    DisplayObjectRecord record("GroupColl");
    std::vector<std::uint8_t>& out = record.extra;
    putOptionalId(out, members.collage);
    putOptionalId(out, members.editBox);
    putOptionalId(out, members.scrollBar);
    PutBigEndian16(out, std::uint16_t(members.buttons.size()));
    for (std::int16_t id : members.buttons)
        PutBigEndian16(out, std::uint16_t(id));
    putOptionalId(out, members.positionControl);
    return record;
}

DisplayObjectRecord CollButtonRecord(const CollButtonFields& fields)
{
    DisplayObjectRecord record("CollButton");
    record.texts = {fields.normal, fields.pressed, fields.disabled};
    PutBigEndian16(record.extra, fields.startsDisabled);
    PutBigEndian16(record.extra, fields.transparent);
    PutBigEndian16(record.extra, fields.visibleFlag);
    PutBigEndian32(record.extra, std::uint32_t(fields.activation));
    return record;
}

}  // namespace testkit
