#include "events/JxRetainedImages.h"

#include <cstdlib>

#include "foundation/JxProductLink.h"
#include "platform/draw/draw.h"
#include "platform/fs/folder_listing.h"

namespace {

std::size_t imageBytes(const JxSharedImage& image)
{
    plat::BITMAP bm;
    if (!image || !image->handle || !plat::GetObject(image->handle, sizeof bm, &bm))
        return 0;
    return std::size_t(bm.bmWidthBytes) * std::size_t(std::labs(bm.bmHeight));
}

}  // namespace

JxImageSource ResourceImageSource()
{
    JxImageSource source;
    source.palette = ProductPalette();
    return source;
}

std::optional<JxImageSource> FileImageSource(const JxCString& file)
{
    JxImageSource source = ResourceImageSource();
    source.file = plat::SettledDiscFileStamp(file.View());
    if (!source.file)
        return std::nullopt;
    return source;
}

JxRetainedImages::JxRetainedImages(std::size_t boundBytes) : bound_(boundBytes), discChanges_(plat::DiscChanges()) {}

void JxRetainedImages::forgetOtherDiscs()
{
    const std::uint64_t now = plat::DiscChanges();
    if (now == discChanges_)
        return;
    Clear();
    discChanges_ = now;
}

std::list<JxRetainedImages::Entry>::iterator JxRetainedImages::find(const JxCTableString& name,
                                                                    const JxCTableString& path)
{
    for (auto it = entries_.begin(); it != entries_.end(); ++it)
        if (it->name.EqualsNoCase(name) && it->path.EqualsNoCase(path))
            return it;
    return entries_.end();
}

void JxRetainedImages::erase(std::list<Entry>::iterator it)
{
    held_ -= it->bytes;
    entries_.erase(it);
}

void JxRetainedImages::Keep(const JxCString& name, const JxCString& path, const JxImageSource& source,
                            JxSharedImage image)
{
    forgetOtherDiscs();
    if (auto old = find(name, path); old != entries_.end())
        erase(old);
    const std::size_t bytes = imageBytes(image);
    if (!image || bytes > bound_)
        return;
    entries_.push_front({name, path, source, std::move(image), bytes});
    held_ += bytes;
    while (held_ > bound_)
        erase(std::prev(entries_.end()));
}

JxSharedImage JxRetainedImages::Take(const JxCTableString& name, const JxCString& path, const JxImageSource& source)
{
    forgetOtherDiscs();
    const auto it = find(name, path);
    if (it == entries_.end())
        return nullptr;
    JxSharedImage image = it->source == source ? it->image : nullptr;
    erase(it);
    return image;
}

void JxRetainedImages::Clear()
{
    entries_.clear();
    held_ = 0;
}

JxRetainedImages& GetRetainedImages()
{
    // Never destroyed, like the global reference list: its pictures are let
    // go at the program's end, while the drawing services still exist.
    static auto* store = new JxRetainedImages(kRetainedImageBytes);
    return *store;
}
