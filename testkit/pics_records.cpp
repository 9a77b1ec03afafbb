#include "testkit/pics_records.h"

#include "testkit/big_endian.h"

namespace testkit {

namespace {

std::uint16_t TextIndex(ProductData& file, const std::string& text)
{
    return text.empty() ? 0 : file.Intern(text);
}

}  // namespace

ActionRecord PlayPicsRecord::Action() const
{
    ActionRecord a{queued ? "PLAYPICS" : "PLAYNONQPICS", {}};
    PutCounted(a.record, name);
    for (std::int16_t p : parameters)
        PutBigEndian16(a.record, std::uint16_t(p));
    for (std::int16_t v : {transparent, rewindOnStop, x, y})
        PutBigEndian16(a.record, std::uint16_t(v));
    return a;
}

ActionRecord StopPicsAction(const std::string& name)
{
    ActionRecord a{"STOPPICS", {}};
    PutCounted(a.record, name);
    return a;
}

ActionRecord SeekPicsAction()
{
    return ActionRecord{"SEEKPICS", {}};
}

std::vector<std::uint8_t> ControllerBytes(ProductData& file, const ControllerFields& fields)
{
    std::vector<std::uint8_t> out;
    PutBigEndian32(out, std::uint32_t(fields.value1));
    PutBigEndian32(out, std::uint32_t(fields.value2));
    PutBigEndian16(out, TextIndex(file, fields.cursor));
    PutBigEndian16(out, TextIndex(file, fields.animation));
    PutBigEndian16(out, std::uint16_t(fields.autoPlay));
    PutBigEndian16(out, std::uint16_t(fields.rewindAtEnd));
    for (std::int16_t v : fields.places)
        PutBigEndian16(out, std::uint16_t(v));
    return out;
}

DisplayObjectRecord AnimControlRecord(ProductData& file, const ControllerFields& fields, std::int32_t messageId,
                                      std::int32_t secondId)
{
    std::vector<std::uint8_t> tail = ControllerBytes(file, fields);
    PutBigEndian32(tail, std::uint32_t(messageId));
    PutBigEndian32(tail, std::uint32_t(secondId));
    DisplayObjectRecord record("AnimationControl");
    record.tail(std::move(tail));
    return record;
}

}  // namespace testkit
