#pragma once
// The process-wide cache of loaded bitmap images. A bitmap display object
// keeps its picture in a record of the cache: records are found by name
// (any case) and counted, so that objects showing the same file share one
// record, and a record goes when its last user releases it. The picture a
// record holds is a share of the shared loader's picture, so the record and
// the shared reference each drop only their own share.

#include <cstdint>
#include <utility>

#include "events/JxCBitmapRef.h"
#include "foundation/JxCList.h"
#include "foundation/JxCString.h"
#include "platform/core/types.h"

class JxCBitmapRecord : public JxCObject {
public:
    JxCBitmapRecord(const JxCString& name, JxSharedImage image) : name_(name), image_(std::move(image)) {}
    // Deletes the palette the record was given.
    ~JxCBitmapRecord() override;
    JxCBitmapRecord(const JxCBitmapRecord&) = delete;
    JxCBitmapRecord& operator=(const JxCBitmapRecord&) = delete;

    const JxCString& GetName() const { return name_; }
    const JxSharedImage& GetImage() const { return image_; }
    // The palette made with the picture, or null; the record owns it.
    plat::HPALETTE GetPalette() const { return palette_; }
    void SetPalette(plat::HPALETTE palette);
    // Hands the palette to the caller, who owns it from now on.
    plat::HPALETTE TakePalette() { return std::exchange(palette_, nullptr); }
    std::int32_t GetUseCount() const { return useCount_; }
    void AddUse() { ++useCount_; }
    std::int32_t DropUse() { return useCount_ > 0 ? --useCount_ : 0; }

private:
    JxCString name_;
    JxSharedImage image_;
    plat::HPALETTE palette_ = nullptr;
    std::int32_t useCount_ = 1;
};

class JxCBitmapRecordList : public JxCTypedList<JxCBitmapRecord> {
public:
    JxCBitmapRecordList() { SetOwnsItems(1); }
    // Releases its records until none is left.
    ~JxCBitmapRecordList() override;

    // The record of the name (any case) with one use more, or null.
    JxCBitmapRecord* Acquire(const JxCTableString& name);
    // One use fewer; at 0 the record leaves the cache and is deleted. A
    // record that is not in the cache is left alone.
    void Release(JxCBitmapRecord* record);
};

// The process-wide cache.
JxCBitmapRecordList& GetBitmapCache();
