#include "objects/widgets/JxCBitmapRecordList.h"

#include "platform/draw/draw.h"

JxCBitmapRecord::~JxCBitmapRecord()
{
    SetPalette(nullptr);
}

void JxCBitmapRecord::SetPalette(plat::HPALETTE palette)
{
    if (palette_ && palette_ != palette)
        plat::DeleteObject(palette_);
    palette_ = palette;
}

JxCBitmapRecordList::~JxCBitmapRecordList()
{
    while (JxCBitmapRecord* record = GetFirst())
        Remove(record);
}

JxCBitmapRecord* JxCBitmapRecordList::Acquire(const JxCTableString& name)
{
    for (JxCBitmapRecord* record = GetFirst(); record; record = GetNext(record)) {
        if (record->GetName().EqualsNoCase(name)) {
            record->AddUse();
            return record;
        }
    }
    return nullptr;
}

void JxCBitmapRecordList::Release(JxCBitmapRecord* record)
{
    if (!record || !FindNode(record))
        return;
    if (record->DropUse() == 0)
        Remove(record);
}

JxCBitmapRecordList& GetBitmapCache()
{
    // Never destroyed: records go with the objects that use them, while the
    // drawing services still exist.
    static auto* cache = new JxCBitmapRecordList;
    return *cache;
}
