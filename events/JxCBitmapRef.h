#pragma once
// Shared named bitmaps. Every run-time object that loads a picture by name
// goes through one process-wide list of references: a reference holds the
// name, the path it was loaded from, the picture and a use count, and each
// object keeps its own list of the references it uses (counted once per
// object). The picture itself is shared by reference count: the global
// reference, the bitmap cache and any widget that keeps it each hold their
// own share, and the bitmap goes when the last share goes, whoever that is.

#include <cstdint>
#include <memory>
#include <optional>

#include "events/JxCRunTimeObject.h"
#include "events/JxImageSource.h"
#include "foundation/JxCList.h"
#include "foundation/JxCString.h"
#include "foundation/JxObjectRef.h"

// A loaded picture; whoever made it gives the deleter that frees its bitmap.
using JxSharedImage = std::shared_ptr<const JxObjectRef>;

class JxCBitmapRef : public JxCObject {
public:
    JxCBitmapRef(const JxCString& name, const JxCString& path) : name_(name), path_(path) {}

    const JxCString& GetName() const { return name_; }
    const JxCString& GetPath() const { return path_; }
    const JxSharedImage& GetImage() const { return image_; }
    void SetImage(JxSharedImage image) { image_ = std::move(image); }
    // Where the picture was read from, when it may be kept after its last
    // use (events/JxRetainedImages.h).
    const std::optional<JxImageSource>& GetRetainSource() const { return retainSource_; }
    void SetRetainSource(std::optional<JxImageSource> source) { retainSource_ = std::move(source); }
    std::int32_t GetUseCount() const { return useCount_; }
    void AddUse() { ++useCount_; }
    // One use fewer; the count that is left.
    std::int32_t DropUse() { return useCount_ > 0 ? --useCount_ : 0; }

private:
    JxCString name_;
    JxCString path_;
    JxSharedImage image_;
    std::optional<JxImageSource> retainSource_;
    std::int32_t useCount_ = 0;
};

// The process-wide list of references (it owns them). Run-time objects
// give their references back to it as they release their resources.
JxCBitmapRefList& GetBitmapRefs();
// The reference of the name (any case) in the process-wide list, or null.
JxCBitmapRef* FindBitmapRef(const JxCTableString& name);
// One use of the reference fewer; at 0 it leaves the global list and is
// deleted (its picture goes with its last share, unless the store of
// retained pictures keeps it). A reference that is not in the list is left
// alone. 1 when the reference was deleted.
std::int16_t ReleaseBitmapRef(JxCBitmapRef* ref);
// Empties the global list and the store of retained pictures at the
// program's end, while the drawing services still exist.
void ClearBitmapRefs();
