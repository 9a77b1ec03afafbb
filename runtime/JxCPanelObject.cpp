#include "runtime/JxCPanelObject.h"

#include "runtime/JxCProductDef.h"

std::int16_t JxCPanelObject::Init(const JxCPanelDef& def, JxCPageDef*)
{
    id_ = def.GetPanelId();
    return 1;
}

std::int16_t JxCPanelObject::Read(JxCInStrStream&, JxCPageDef*)
{
    // The panel records are read with the panels themselves.
    return 0;
}

JxCPanelObject* JxCPanelObjectList::FindById(std::int16_t id)
{
    for (JxCPanelObject* panel = GetFirst(); panel; panel = GetNext(panel))
        if (panel->GetId() == id)
            return panel;
    return nullptr;
}

void JxCPanelObjectList::CloseAll()
{
    // The list owns its panels: removing one deletes it.
    while (JxCPanelObject* panel = GetFirst())
        Remove(panel);
}
