#include "foundation/JxCErrorObject.h"

JxCErrorObject::JxCErrorObject(std::int32_t id, const char* text) : id_(id)
{
    JxCString whole(text);
    text_ = whole.GetLength() > kMaxTextLength ? whole.First(kMaxTextLength) : whole;
}

JxCErrorObjectList::JxCErrorObjectList()
{
    SetOwnsItems(1);
}

JxCErrorObjectList::~JxCErrorObjectList()
{
    RemoveAll();
}

JxCErrorObjectList& GetErrorObjectList()
{
    static JxCErrorObjectList list;
    return list;
}

void QueueError(std::int32_t id, const char* text)
{
    auto* report = new JxCErrorObject(id, text);
    if (!GetErrorObjectList().Add(report))
        delete report;
}

int ClearDeferredErrors()
{
    GetErrorObjectList().RemoveAll();
    return 1;
}
