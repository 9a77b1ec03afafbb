#pragma once
// Pictures kept after their last user let them go. Changing page and coming
// back shows the same pictures again; rather than reading and decoding a
// picture anew each time its page opens, a picture whose source cannot
// have changed meanwhile is kept here, decoded, up to a bound on the bytes
// held (the picture let go longest ago leaves first). A new reference of
// the same name and path (events/JxCBitmapRef.h) takes it back, and gives
// it back again when its own last user lets it go.
//
// What cannot have changed: a resource of the program or of its resource
// libraries, and a file of a read-only disc that stands as it stood when
// the picture was read: the same file (device and inode), of the same size
// and times (platform/fs/folder_listing.h). A stat per picture tells that.
// A disc taken out or put in lets every kept picture go. Pictures of other
// folders, which the program or the user may change, and of the data
// store's look-up names are read anew every time, as before.

#include <cstddef>
#include <cstdint>
#include <list>
#include <optional>

#include "events/JxCBitmapRef.h"
#include "events/JxImageSource.h"
#include "foundation/JxCString.h"

// The source of a picture of the program or its resource libraries.
JxImageSource ResourceImageSource();
// The source of the picture read from the file at a Windows path now, when
// that picture may be kept; nothing when it must be read anew each time.
std::optional<JxImageSource> FileImageSource(const JxCString& file);

class JxRetainedImages {
public:
    explicit JxRetainedImages(std::size_t boundBytes);
    JxRetainedImages(const JxRetainedImages&) = delete;
    JxRetainedImages& operator=(const JxRetainedImages&) = delete;

    // Keeps the picture of the name and path, read from source; one larger
    // than the bound is not kept. A picture kept before under the same name
    // and path is replaced.
    void Keep(const JxCString& name, const JxCString& path, const JxImageSource& source, JxSharedImage image);
    // The kept picture of the name and path (any case) when it was read
    // from the very source given; it leaves the store. Null otherwise (a
    // picture of another source is dropped).
    JxSharedImage Take(const JxCTableString& name, const JxCString& path, const JxImageSource& source);
    // Lets every kept picture go.
    void Clear();

    std::size_t HeldBytes() const { return held_; }
    std::size_t GetBound() const { return bound_; }

private:
    struct Entry {
        JxCString name;
        JxCString path;
        JxImageSource source;
        JxSharedImage image;
        std::size_t bytes = 0;
    };
    std::list<Entry>::iterator find(const JxCTableString& name, const JxCTableString& path);
    void erase(std::list<Entry>::iterator it);
    // Lets every kept picture go when a disc was taken out or put in since.
    void forgetOtherDiscs();

    std::size_t bound_;
    std::size_t held_ = 0;
    std::uint64_t discChanges_;
    std::list<Entry> entries_;  // the most recently kept first
};

// The bound of the program's store: a dozen full-page pictures.
constexpr std::size_t kRetainedImageBytes = std::size_t(4) << 20;

// The program's store, emptied with the global reference list at the end
// (ClearBitmapRefs).
JxRetainedImages& GetRetainedImages();
