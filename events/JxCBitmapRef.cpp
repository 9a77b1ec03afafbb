#include "events/JxCBitmapRef.h"

#include "events/JxRetainedImages.h"

namespace {

void releaseReference(JxCObject* reference)
{
    ReleaseBitmapRef(dynamic_cast<JxCBitmapRef*>(reference));
}

}  // namespace

JxCBitmapRefList& GetBitmapRefs()
{
    // Never destroyed: the program empties it at its end (ClearBitmapRefs),
    // while the bitmaps can still be deleted. Made with the first reference,
    // so run-time objects give theirs back from then on.
    static JxCBitmapRefList* refs = [] {
        SetBitmapRefReleaser(&releaseReference);
        auto* list = new JxCBitmapRefList;
        list->SetOwnsItems(1);
        return list;
    }();
    return *refs;
}

JxCBitmapRef* FindBitmapRef(const JxCTableString& name)
{
    JxCBitmapRefList& refs = GetBitmapRefs();
    for (JxCObject* item = refs.GetFirst(); item; item = refs.GetNext(item)) {
        auto* ref = static_cast<JxCBitmapRef*>(item);
        if (ref->GetName().EqualsNoCase(name))
            return ref;
    }
    return nullptr;
}

std::int16_t ReleaseBitmapRef(JxCBitmapRef* ref)
{
    JxCBitmapRefList& refs = GetBitmapRefs();
    if (!ref || !refs.FindNode(ref))
        return 0;
    if (ref->DropUse() > 0)
        return 0;
    if (const std::optional<JxImageSource>& source = ref->GetRetainSource())
        GetRetainedImages().Keep(ref->GetName(), ref->GetPath(), *source, ref->GetImage());
    refs.Remove(ref);
    return 1;
}

void ClearBitmapRefs()
{
    JxCBitmapRefList& refs = GetBitmapRefs();
    while (JxCObject* ref = refs.GetFirst())
        refs.Remove(ref);
    GetRetainedImages().Clear();
}
