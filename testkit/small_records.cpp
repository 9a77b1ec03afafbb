#include "testkit/small_records.h"

#include "testkit/big_endian.h"

namespace testkit {

namespace {

void putCounted(std::vector<std::uint8_t>& out, const std::string& text)
{
    PutBigEndian16(out, std::uint16_t(text.size()));
    out.insert(out.end(), text.begin(), text.end());
}

void putWords(std::vector<std::uint8_t>& out, std::initializer_list<std::int32_t> words)
{
    for (std::int32_t w : words)
        PutBigEndian16(out, std::uint16_t(w));
}

}  // namespace

DisplayObjectRecord AnimHotspotRecord(const AnimHotspot& anim)
{
    DisplayObjectRecord record("AnimHotspot");
    record.texts = {anim.file};
    putWords(record.extra, {anim.targetPanel, anim.x, anim.y, anim.repeat, anim.kept, anim.busyWhilePlaying,
                            anim.messageNumber});
    return record;
}

DisplayObjectRecord SaveAsHotspotRecord(const SaveAsFields& f)
{
    DisplayObjectRecord record("SaveAsHotspot");
    putWords(record.extra, {f.highlight, 0});
    for (const std::string* text :
         {&f.source, &f.dialogTitle, &f.target, &f.spare, &f.defaultExtension, &f.initialFolder, &f.filter})
        putCounted(record.extra, *text);
    return record;
}

ActionRecord BackPageAction()
{
    return {"BACKPAGE", {}};
}

ActionRecord FileSaveAsAction()
{
    return {"FileSaveAs", {}};
}

ActionRecord SendMessageAction(std::int16_t tag, std::int16_t value)
{
    ActionRecord a{"SENDMESSAGE", {}};
    putWords(a.record, {tag, value});
    return a;
}

ActionRecord BlendAction(std::int16_t left, std::int16_t top, std::int16_t right, std::int16_t bottom,
                         std::int16_t mode, std::int16_t bitmapId)
{
    ActionRecord a{"BLEND", {}};
    putWords(a.record, {left, top, right, bottom, mode, bitmapId});
    return a;
}

ActionRecord StopSoundAction(std::uint16_t nameIndex)
{
    ActionRecord a{"STOPWAVE", {}};
    PutBigEndian16(a.record, nameIndex);
    return a;
}

ActionRecord StopVideoAction(const std::string& movie)
{
    ActionRecord a{"STOPVIDEO", {}};
    putCounted(a.record, movie);
    return a;
}

ActionRecord SeekSoundAction()
{
    return {"SEEKWAVE", {}};
}

ActionRecord SeekVideoAction()
{
    return {"seekVIDEO", {}};
}

}  // namespace testkit
