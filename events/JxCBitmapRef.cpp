#include "events/JxCBitmapRef.h"

JxCBitmapRef* JxCBitmapRefList::FindByName(const JxCTableString& name)
{
    for (JxCBitmapRef* ref = GetFirst(); ref; ref = GetNext(ref))
        if (ref->GetName().EqualsNoCase(name))
            return ref;
    return nullptr;
}

JxCBitmapRefList& GetBitmapRefs()
{
    // Never destroyed: the program empties it at its end (ClearBitmapRefs),
    // while the bitmaps can still be deleted.
    static auto* refs = new JxCBitmapRefList(1);
    return *refs;
}

std::int16_t ReleaseBitmapRef(JxCBitmapRef* ref)
{
    JxCBitmapRefList& refs = GetBitmapRefs();
    if (!ref || !refs.Contains(ref))
        return 0;
    if (ref->DropUse() > 0)
        return 0;
    refs.Remove(ref);
    return 1;
}

void ClearBitmapRefs()
{
    JxCBitmapRefList& refs = GetBitmapRefs();
    while (JxCBitmapRef* ref = refs.GetFirst())
        refs.Remove(ref);
}
